#include "cloudservice.h"

#include "cloudhttp.h"
#include "cloudlog.h"

#include <QHash>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTimer>
#include <QWebSocket>
#include <QWebSocketServer>

Q_LOGGING_CATEGORY(lcKvCloud, "kvcloud", QtWarningMsg)

namespace {
// Each list of what was received keeps this many entries, the newest.
constexpr int RecordLimit = 10000;

struct Answer
{
    int status = 200;
    QJsonObject body;
};

Answer error(int status, const QString &text)
{
    return {status, QJsonObject{{QStringLiteral("error"), text}}};
}

void keep(QJsonArray &list, const QJsonValue &value)
{
    list.append(value);
    while (list.size() > RecordLimit)
        list.removeFirst();
}

QString compact(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}
} // namespace

class KvCloudService::Private
{
public:
    explicit Private(KvCloudService *service) : q(service) {}

    using Route = Answer (Private::*)(const QJsonObject &);

    void handle(const KvCloudExchange &exchange);
    Answer serve(const QByteArray &method, const QString &route, const QJsonObject &body);
    Answer control(const QByteArray &method, const QString &route, const QJsonObject &body);
    KvCloudFault faultFor(const QByteArray &method, const QString &route) const;
    void deliver(const KvCloudExchange &exchange, const Answer &answer, int delayMs);

    Answer findDevice(const QJsonObject &body);
    Answer updateDevice(const QJsonObject &body);
    Answer findModel(const QJsonObject &body);
    Answer createDevice(const QJsonObject &body);
    Answer storeWorkRecord(const QJsonObject &body);

    void acceptChannels();
    void openChannel(QWebSocket *socket);

    KvCloudService *q;
    KvCloudHttp *http = nullptr;
    QWebSocketServer *channelServer = nullptr;
    QHash<QWebSocket *, QString> channels; // socket -> device code

    QHash<QString, QJsonObject> devices; // code -> record with "id"
    QHash<qint64, int> models;           // model code -> id
    int lastDeviceId = 0;
    int lastModelId = 0;
    int lastWorkRecordId = 0;
    QHash<QPair<QByteArray, QString>, KvCloudFault> faults;

    QJsonArray requests;
    QJsonArray workRecords;
    QJsonArray channelMessages;
};

void KvCloudService::Private::handle(const KvCloudExchange &exchange)
{
    QJsonParseError parse{};
    const QJsonDocument document = QJsonDocument::fromJson(exchange.body, &parse);
    const bool bodyIsObject = exchange.body.isEmpty() || document.isObject();
    const QJsonObject body = document.object();
    if (exchange.route.startsWith(QLatin1Char('_'))) {
        const Answer answer = control(exchange.method, exchange.route, body);
        exchange.answer(answer.status, answer.body);
        return;
    }

    const KvCloudFault fault = faultFor(exchange.method, exchange.route);
    Answer answer;
    if (fault.status != 0)
        answer = error(fault.status, QStringLiteral("switched to fail"));
    else if (!bodyIsObject)
        answer = error(400, QStringLiteral("the body is not a JSON object"));
    else if (!fault.swallow)
        answer = serve(exchange.method, exchange.route, body);

    const QJsonValue recordedBody = bodyIsObject ? QJsonValue(body) : QJsonValue(QString::fromUtf8(exchange.body));
    keep(requests, QJsonObject{{QStringLiteral("method"), QString::fromLatin1(exchange.method)},
                               {QStringLiteral("route"), exchange.route},
                               {QStringLiteral("body"), recordedBody},
                               {QStringLiteral("status"), fault.swallow ? QJsonValue() : QJsonValue(answer.status)}});
    qCDebug(lcKvCloud).noquote() << exchange.method << exchange.route << QString::fromUtf8(exchange.body) << "->"
                                 << (fault.swallow ? QStringLiteral("(swallowed)") : QString::number(answer.status))
                                 << compact(answer.body);
    Q_EMIT q->requestReceived(QString::fromLatin1(exchange.method), exchange.route);
    if (!fault.swallow)
        deliver(exchange, answer, fault.delayMs);
}

void KvCloudService::Private::deliver(const KvCloudExchange &exchange, const Answer &answer, int delayMs)
{
    if (delayMs <= 0) {
        exchange.answer(answer.status, answer.body);
        return;
    }
    QTimer::singleShot(delayMs, q, [exchange, answer] { exchange.answer(answer.status, answer.body); });
}

KvCloudFault KvCloudService::Private::faultFor(const QByteArray &method, const QString &route) const
{
    const QPair<QByteArray, QString> keys[] = {{method, route}, {QByteArray(), route}, {method, QString()}, {}};
    for (const auto &key : keys) {
        const auto found = faults.constFind(key);
        if (found != faults.constEnd())
            return *found;
    }
    return {};
}

Answer KvCloudService::Private::serve(const QByteArray &method, const QString &route, const QJsonObject &body)
{
    static const QHash<QString, QHash<QByteArray, Route>> routes{
        {QStringLiteral("device"), {{"GET", &Private::findDevice}, {"PUT", &Private::updateDevice}}},
        {QStringLiteral("device_model"), {{"PATCH", &Private::findModel}, {"POST", &Private::createDevice}}},
        {QStringLiteral("device_work_records"), {{"POST", &Private::storeWorkRecord}}},
    };
    const auto found = routes.constFind(route);
    if (found == routes.constEnd())
        return error(404, QStringLiteral("no such route"));
    const Route handler = found->value(method);
    if (!handler)
        return error(405, QStringLiteral("%1 is not served on %2").arg(QString::fromLatin1(method), route));
    return (this->*handler)(body);
}

Answer KvCloudService::Private::findDevice(const QJsonObject &body)
{
    const auto found = devices.constFind(body.value(QLatin1String("code")).toString());
    if (found == devices.constEnd())
        return error(404, QStringLiteral("unknown device"));
    return {200, *found};
}

Answer KvCloudService::Private::updateDevice(const QJsonObject &body)
{
    const auto found = devices.find(body.value(QLatin1String("code")).toString());
    if (found == devices.end())
        return error(404, QStringLiteral("unknown device"));
    QJsonObject record = body;
    record.insert(QStringLiteral("id"), found->value(QLatin1String("id")));
    *found = record;
    return {200, record};
}

Answer KvCloudService::Private::findModel(const QJsonObject &body)
{
    const qint64 code = body.value(QLatin1String("code")).toInteger();
    auto found = models.find(code);
    if (found == models.end())
        found = models.insert(code, ++lastModelId);
    return {200, QJsonObject{{QStringLiteral("id"), *found}, {QStringLiteral("code"), code}}};
}

Answer KvCloudService::Private::createDevice(const QJsonObject &body)
{
    const QString code = body.value(QLatin1String("code")).toString();
    if (code.isEmpty())
        return error(400, QStringLiteral("a device record needs a code"));
    const auto known = devices.constFind(code);
    const int id = known != devices.constEnd() ? known->value(QLatin1String("id")).toInt() : ++lastDeviceId;
    QJsonObject record = body;
    record.insert(QStringLiteral("id"), id);
    devices.insert(code, record);
    return {200, QJsonObject{{QStringLiteral("id"), id}}};
}

Answer KvCloudService::Private::storeWorkRecord(const QJsonObject &body)
{
    keep(workRecords, body);
    Q_EMIT q->workRecordReceived(body);
    return {200, QJsonObject{{QStringLiteral("id"), ++lastWorkRecordId}}};
}

Answer KvCloudService::Private::control(const QByteArray &method, const QString &route, const QJsonObject &body)
{
    if (method == "GET" && route == QLatin1String("_records"))
        return {200, q->records()};
    if (method != "POST")
        return error(405, QStringLiteral("use POST"));
    if (route == QLatin1String("_send")) {
        const QString code = body.value(QLatin1String("code")).toString();
        if (!q->sendText(code, body.value(QLatin1String("text")).toString()))
            return error(404, QStringLiteral("no channel open for %1").arg(code));
        return {200, QJsonObject{{QStringLiteral("sent"), true}}};
    }
    if (route == QLatin1String("_close")) {
        const qsizetype open = channels.size();
        q->closeChannels();
        return {200, QJsonObject{{QStringLiteral("closed"), open}}};
    }
    if (route == QLatin1String("_fault")) {
        KvCloudFault fault;
        fault.status = body.value(QLatin1String("status")).toInt();
        fault.delayMs = body.value(QLatin1String("delay")).toInt();
        fault.swallow = body.value(QLatin1String("swallow")).toBool();
        q->setFault(fault, body.value(QLatin1String("method")).toString().toLatin1(),
                    body.value(QLatin1String("route")).toString());
        return {200, QJsonObject{}};
    }
    return error(404, QStringLiteral("no such control"));
}

void KvCloudService::Private::acceptChannels()
{
    while (channelServer->hasPendingConnections())
        openChannel(channelServer->nextPendingConnection());
}

void KvCloudService::Private::openChannel(QWebSocket *socket)
{
    static const QRegularExpression channelPath(QStringLiteral("([^/]+)/Device/$"));
    const QString path = socket->requestUrl().path();
    const QRegularExpressionMatch match = channelPath.match(path);
    if (!match.hasMatch()) {
        qCDebug(lcKvCloud) << "channel refused:" << path;
        socket->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("no device channel at this path"));
        socket->deleteLater();
        return;
    }
    const QString code = match.captured(1);
    channels.insert(socket, code);
    QObject::connect(socket, &QWebSocket::textMessageReceived, q, [this, code](const QString &text) {
        qCDebug(lcKvCloud).noquote() << "channel" << code << "<-" << text;
        keep(channelMessages, QJsonObject{{QStringLiteral("code"), code}, {QStringLiteral("text"), text}});
        Q_EMIT q->channelMessageReceived(code, text);
    });
    QObject::connect(socket, &QWebSocket::disconnected, q, [this, socket, code] {
        qCDebug(lcKvCloud) << "channel" << code << "closed";
        channels.remove(socket);
        socket->deleteLater();
        Q_EMIT q->channelClosed(code);
    });
    qCDebug(lcKvCloud) << "channel" << code << "open";
    Q_EMIT q->channelOpened(code);
}

KvCloudService::KvCloudService(QObject *parent)
    : QObject(parent), d(std::make_unique<Private>(this))
{
    d->http = new KvCloudHttp([this](const KvCloudExchange &exchange) { d->handle(exchange); }, this);
    d->channelServer = new QWebSocketServer(QStringLiteral("kvcloud"), QWebSocketServer::NonSecureMode, this);
    connect(d->channelServer, &QWebSocketServer::newConnection, this, [this] { d->acceptChannels(); });
}

KvCloudService::~KvCloudService()
{
    // No channel may report into a service that is going away.
    for (QWebSocket *socket : d->channels.keys()) {
        socket->disconnect(this);
        socket->abort();
        delete socket;
    }
}

bool KvCloudService::listen(quint16 httpPort, quint16 wsPort, QString *error)
{
    if (d->http->listen(QHostAddress::LocalHost, httpPort) == 0) {
        if (error)
            *error = QStringLiteral("HTTP port %1 is not free").arg(httpPort);
        return false;
    }
    if (!d->channelServer->listen(QHostAddress::LocalHost, wsPort)) {
        if (error)
            *error = QStringLiteral("WebSocket port %1: %2").arg(wsPort).arg(d->channelServer->errorString());
        return false;
    }
    return true;
}

quint16 KvCloudService::httpPort() const
{
    const QList<QTcpServer *> servers = d->http->servers();
    return servers.isEmpty() ? 0 : servers.first()->serverPort();
}

quint16 KvCloudService::wsPort() const
{
    return d->channelServer->serverPort();
}

QString KvCloudService::url() const
{
    return QStringLiteral("http://127.0.0.1:%1/").arg(httpPort());
}

QString KvCloudService::ws() const
{
    return QStringLiteral("ws://127.0.0.1:%1/").arg(wsPort());
}

void KvCloudService::setFault(const KvCloudFault &fault, const QByteArray &method, const QString &route)
{
    const QPair<QByteArray, QString> key(method.toUpper(), route);
    if (fault.isNone())
        d->faults.remove(key);
    else
        d->faults.insert(key, fault);
}

void KvCloudService::clearFaults()
{
    d->faults.clear();
}

int KvCloudService::addDevice(QJsonObject record)
{
    const int id = ++d->lastDeviceId;
    record.insert(QStringLiteral("id"), id);
    d->devices.insert(record.value(QLatin1String("code")).toString(), record);
    return id;
}

QJsonObject KvCloudService::device(const QString &code) const
{
    return d->devices.value(code);
}

bool KvCloudService::sendText(const QString &code, const QString &text)
{
    bool sent = false;
    for (auto channel = d->channels.cbegin(); channel != d->channels.cend(); ++channel) {
        if (channel.value() == code) {
            channel.key()->sendTextMessage(text);
            sent = true;
        }
    }
    return sent;
}

void KvCloudService::closeChannels()
{
    for (QWebSocket *socket : d->channels.keys())
        socket->close();
}

QStringList KvCloudService::openChannels() const
{
    return d->channels.values();
}

QJsonObject KvCloudService::records() const
{
    QJsonArray devices;
    for (const QJsonObject &record : std::as_const(d->devices))
        devices.append(record);
    return QJsonObject{{QStringLiteral("requests"), d->requests},
                       {QStringLiteral("devices"), devices},
                       {QStringLiteral("work_records"), d->workRecords},
                       {QStringLiteral("channel_messages"), d->channelMessages}};
}

QJsonArray KvCloudService::requests() const
{
    return d->requests;
}

QJsonArray KvCloudService::workRecords() const
{
    return d->workRecords;
}

QStringList KvCloudService::channelMessages(const QString &code) const
{
    QStringList texts;
    for (const QJsonValue &message : std::as_const(d->channelMessages)) {
        if (message[QLatin1String("code")].toString() == code)
            texts.append(message[QLatin1String("text")].toString());
    }
    return texts;
}

QString KvCloudService::summary(const QString &code) const
{
    const QJsonObject record = device(code);
    if (record.isEmpty())
        return QStringLiteral("cloud: %1 is not registered").arg(code);
    const QJsonValue id = record.value(QLatin1String("id"));
    QString workRecord = QStringLiteral("none");
    for (const QJsonValue &posted : std::as_const(d->workRecords)) {
        if (posted[QLatin1String("device")] == id)
            workRecord = compact(posted.toObject());
    }
    return QStringLiteral("cloud: %1 registered as device %2 (model %3), %4 task reports, work record %5")
        .arg(code, QString::number(id.toInt()),
             QString::number(record.value(QLatin1String("device_model")).toInt()),
             QString::number(channelMessages(code).size()), workRecord);
}
