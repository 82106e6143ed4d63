#include "cloudconnection.h"

#include "cloudlog.h"
#include "holdinglimit.h"
#include "idlewatch.h"

#include <QJsonDocument>
#include <QTcpSocket>
#include <QUrl>

namespace {
constexpr qsizetype KiB = 1024;
constexpr qsizetype MiB = 1024 * KiB;
constexpr qsizetype BodyLimit = MiB;
constexpr qsizetype HeadLimit = 16 * KiB;
// The body of a refused request is read past up to this size, so that the client reads its
// answer; a client that announces more is cut off at once.
constexpr qsizetype SkipLimit = 64 * MiB;
// What the socket buffers of a client's requests; the rest waits on the line.
constexpr qsizetype ReadChunk = 64 * KiB;
// Answers waiting for a client beyond this: its requests are not read until it takes them.
constexpr qsizetype UnsentBound = MiB;

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return QByteArrayLiteral("OK");
    case 400: return QByteArrayLiteral("Bad Request");
    case 404: return QByteArrayLiteral("Not Found");
    case 405: return QByteArrayLiteral("Method Not Allowed");
    case 411: return QByteArrayLiteral("Length Required");
    case 413: return QByteArrayLiteral("Content Too Large");
    case 431: return QByteArrayLiteral("Request Header Fields Too Large");
    case 500: return QByteArrayLiteral("Internal Server Error");
    case 502: return QByteArrayLiteral("Bad Gateway");
    case 503: return QByteArrayLiteral("Service Unavailable");
    case 505: return QByteArrayLiteral("HTTP Version Not Supported");
    case 507: return QByteArrayLiteral("Insufficient Storage");
    default: return QByteArrayLiteral("Status");
    }
}

QString routeOf(const QByteArray &target)
{
    QString path = QUrl(QString::fromLatin1(target)).path();
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}
} // namespace

void KvCloudExchange::answer(int status, const QJsonObject &json) const
{
    answer(status, QByteArrayLiteral("application/json"), QJsonDocument(json).toJson(QJsonDocument::Compact));
}

void KvCloudExchange::answer(int status, const QByteArray &contentType, const QByteArray &body) const
{
    if (!m_connection) {
        qCDebug(lcKvCloud) << "answer" << status << "to" << method << route << "dropped: the client has gone";
        return;
    }
    m_connection->answer(status, contentType, body, m_closeAfter);
}

KvCloudConnection::KvCloudConnection(QTcpSocket *socket, KvHoldingLimit *holdings, Handler handler,
                                     int idleTimeoutMs, QObject *parent)
    : QObject(parent),
      m_socket(socket),
      m_holdings(holdings),
      m_handler(std::move(handler)),
      m_reader(BodyLimit, HeadLimit, SkipLimit)
{
    socket->setParent(this);
    socket->setReadBufferSize(ReadChunk);
    m_idle = new KvIdleWatch([this] { return m_awaiting > 0; },
                             [this] {
                                 qCDebug(lcKvCloud) << "client" << m_socket->peerPort() << "idle; closed";
                                 m_socket->abort();
                             },
                             this);
    m_idle->setTimeout(idleTimeoutMs);
    connect(socket, &QTcpSocket::readyRead, this, &KvCloudConnection::readRequests);
    connect(socket, &QTcpSocket::bytesWritten, this, &KvCloudConnection::readRequests);
    connect(socket, &QTcpSocket::disconnected, this, &KvCloudConnection::closed);
}

KvCloudConnection::~KvCloudConnection()
{
    m_holdings->release(this);
}

// Requests are read while the client takes its answers; otherwise they wait on the line.
void KvCloudConnection::readRequests()
{
    while ((!m_lastRequest || m_reader.isSkipping()) && m_socket->bytesAvailable() > 0
           && m_socket->bytesToWrite() <= UnsentBound && m_socket->state() == QAbstractSocket::ConnectedState) {
        m_idle->touch();
        m_reader.append(m_socket->read(ReadChunk));
        while (takeStep()) {
        }
    }
}

// Acts on what the bytes read so far make; false when more bytes are needed first.
bool KvCloudConnection::takeStep()
{
    KvCloudExchange exchange;
    switch (m_reader.next()) {
    case KvHttpRequestReader::Step::More:
        return false;
    case KvHttpRequestReader::Step::Head:
        if (!m_holdings->hold(this, m_reader.declaredLength()))
            m_reader.refuse(503, QStringLiteral("the service holds all it can now; try again later"));
        return true;
    case KvHttpRequestReader::Step::Request:
        m_holdings->release(this);
        exchange.body = m_reader.request().body;
        exchange.m_closeAfter = !m_reader.request().keepAlive;
        break;
    case KvHttpRequestReader::Step::Refused:
        m_holdings->release(this);
        exchange.refusedWith = m_reader.refusalStatus();
        exchange.refusal = m_reader.refusalReason();
        exchange.m_closeAfter = true;
        break;
    case KvHttpRequestReader::Step::Finished:
        closeIfDone();
        return false;
    }
    exchange.method = m_reader.request().method;
    exchange.route = routeOf(m_reader.request().target);
    handOver(exchange);
    return !m_lastRequest;
}

void KvCloudConnection::handOver(KvCloudExchange exchange)
{
    exchange.m_connection = this;
    m_lastRequest = exchange.m_closeAfter;
    ++m_awaiting;
    m_handler(exchange);
}

void KvCloudConnection::answer(int status, const QByteArray &contentType, const QByteArray &body, bool closeAfter)
{
    --m_awaiting;
    m_socket->write("HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status)
                    + "\r\nContent-Type: " + contentType + "\r\nContent-Length: " + QByteArray::number(body.size())
                    + (closeAfter ? "\r\nConnection: close" : "") + "\r\n\r\n" + body);
    m_closeWhenDone = m_closeWhenDone || closeAfter;
    closeIfDone();
}

// Once the last answer is written and a refused body read past, the connection ends.
void KvCloudConnection::closeIfDone()
{
    if (m_closeWhenDone && m_awaiting == 0 && !m_reader.isSkipping())
        m_socket->disconnectFromHost();
}
