#include "cloudhttp.h"

#include "cloudlog.h"

#include <QHttpServerRequest>
#include <QJsonDocument>
#include <QMetaEnum>
#include <QTcpSocket>

namespace {
QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return QByteArrayLiteral("OK");
    case 400: return QByteArrayLiteral("Bad Request");
    case 404: return QByteArrayLiteral("Not Found");
    case 405: return QByteArrayLiteral("Method Not Allowed");
    case 500: return QByteArrayLiteral("Internal Server Error");
    case 502: return QByteArrayLiteral("Bad Gateway");
    case 503: return QByteArrayLiteral("Service Unavailable");
    default: return QByteArrayLiteral("Status");
    }
}

QByteArray methodName(QHttpServerRequest::Method method)
{
    const char *key = QMetaEnum::fromType<QHttpServerRequest::Method>().valueToKey(int(method));
    return key ? QByteArray(key).toUpper() : QByteArrayLiteral("UNKNOWN");
}

QString routeOf(const QHttpServerRequest &request)
{
    QString path = request.url().path();
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}
} // namespace

void KvCloudExchange::answer(int status, const QJsonObject &json) const
{
    if (!m_socket) {
        qCDebug(lcKvCloud) << "answer" << status << "to" << method << route << "dropped: the client has gone";
        return;
    }
    const QByteArray body = QJsonDocument(json).toJson(QJsonDocument::Compact);
    m_socket->write("HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status)
                    + "\r\nContent-Type: application/json\r\nContent-Length: " + QByteArray::number(body.size())
                    + "\r\n\r\n" + body);
    if (m_closeAfter)
        m_socket->disconnectFromHost();
}

KvCloudHttp::KvCloudHttp(Handler handler, QObject *parent)
    : QAbstractHttpServer(parent), m_handler(std::move(handler))
{
}

bool KvCloudHttp::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    KvCloudExchange exchange;
    exchange.method = methodName(request.method());
    exchange.route = routeOf(request);
    exchange.body = request.body();
    exchange.m_socket = socket;
    exchange.m_closeAfter = request.value(QByteArrayLiteral("connection")).toLower() == "close";
    m_handler(exchange);
    return true;
}

void KvCloudHttp::missingHandler(const QHttpServerRequest &, QTcpSocket *)
{
    // Every request is handled above.
}
