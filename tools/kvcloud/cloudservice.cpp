#include "cloudservice.h"

#include "cloudhttp.h"
#include "cloudlog.h"
#include "cloudrecords.h"
#include "holdinglimit.h"
#include "idlewatch.h"
#include "listener.h"

#include <QHash>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTimer>
#include <QWebSocket>
#include <QWebSocketServer>

Q_LOGGING_CATEGORY(lcKvCloud, "kvcloud", QtWarningMsg)

namespace {
constexpr qsizetype MiB = 1024 * 1024;
constexpr qsizetype MessageLimit = 8 * MiB;
constexpr qsizetype RegistryLimit = 16 * MiB;
constexpr int LongestDelayMs = 3600000;

struct Answer
{
    int status = 200;
    QJsonObject body;
};

Answer error(int status, const QString &text)
{
    return {status, QJsonObject{{QStringLiteral("error"), text}}};
}

// The whole number from 0 to `high` under `key` (0 where the key is missing), or -1.
int wholeNumber(const QJsonObject &body, const char *key, int high)
{
    const QJsonValue value = body.value(QLatin1String(key));
    if (value.isUndefined())
        return 0;
    const int number = value.toInt(-1);
    return number <= high ? number : -1;
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

    Answer refused(const KvCloudExchange &exchange);
    Answer setFaultFrom(const QJsonObject &body);
    bool storeDevice(const QString &code, const QJsonObject &record);
    void keepPreview(const QString &code, const QString &text);
    void servePreview(const KvCloudExchange &exchange);

    void acceptChannels();
    void openChannel(QWebSocket *socket);
    void limitChannel(QWebSocket *socket);

    KvCloudService *q;
    KvHoldingLimit holdings{64 * MiB, MessageLimit};
    int idleTimeoutMs = 0;
    KvCloudHttp *http = nullptr;
    KvListener *channelListener = nullptr;
    QWebSocketServer *channelServer = nullptr;
    QHash<QWebSocket *, QString> channels; // socket -> device code

    QHash<QString, QJsonObject> devices; // code -> record with "id"
    QHash<QString, qsizetype> deviceSizes;
    qsizetype registryBytes = 0;
    QHash<qint64, int> models;           // model code -> id
    int lastDeviceId = 0;
    int lastModelId = 0;
    int lastWorkRecordId = 0;
    QHash<QPair<QByteArray, QString>, KvCloudFault> faults;

    KvCloudRecordList requests;
    KvCloudRecordList workRecords;
    KvCloudRecordList channelMessages;
    QHash<QString, QByteArray> previews; // device code -> PNG
};

void KvCloudService::Private::handle(const KvCloudExchange &exchange)
{
    if (exchange.refusedWith != 0) {
        const Answer answer = refused(exchange);
        exchange.answer(answer.status, answer.body);
        return;
    }
    if (exchange.method == "GET" && exchange.route.startsWith(QLatin1String("_preview/"))) {
        servePreview(exchange);
        return;
    }
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
    requests.append(QJsonObject{{QStringLiteral("method"), QString::fromLatin1(exchange.method)},
                                {QStringLiteral("route"), exchange.route},
                                {QStringLiteral("body"), recordedBody},
                                {QStringLiteral("status"), fault.swallow ? QJsonValue() : QJsonValue(answer.status)}},
                    exchange.body.size());
    qCDebug(lcKvCloud).noquote() << exchange.method << exchange.route << QString::fromUtf8(exchange.body) << "->"
                                 << (fault.swallow ? QStringLiteral("(swallowed)") : QString::number(answer.status))
                                 << compact(answer.body);
    Q_EMIT q->requestReceived(QString::fromLatin1(exchange.method), exchange.route);
    if (!fault.swallow)
        deliver(exchange, answer, fault.delayMs);
}

// A request the connection refused before reading its body: on record without one.
Answer KvCloudService::Private::refused(const KvCloudExchange &exchange)
{
    const Answer answer = error(exchange.refusedWith, exchange.refusal);
    if (!exchange.route.startsWith(QLatin1Char('_'))) {
        requests.append(QJsonObject{{QStringLiteral("method"), QString::fromLatin1(exchange.method)},
                                    {QStringLiteral("route"), exchange.route},
                                    {QStringLiteral("body"), QJsonValue()},
                                    {QStringLiteral("status"), answer.status}},
                        0);
    }
    qCDebug(lcKvCloud).noquote() << exchange.method << exchange.route << "->" << answer.status << exchange.refusal;
    Q_EMIT q->requestReceived(QString::fromLatin1(exchange.method), exchange.route);
    return answer;
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
    if (!storeDevice(found.key(), record))
        return error(507, QStringLiteral("the device registry is full"));
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
    const int id = known != devices.constEnd() ? known->value(QLatin1String("id")).toInt() : lastDeviceId + 1;
    QJsonObject record = body;
    record.insert(QStringLiteral("id"), id);
    if (!storeDevice(code, record))
        return error(507, QStringLiteral("the device registry is full"));
    if (known == devices.constEnd())
        ++lastDeviceId;
    return {200, QJsonObject{{QStringLiteral("id"), id}}};
}

// Stores a device's record; false when the registry has no room for it.
bool KvCloudService::Private::storeDevice(const QString &code, const QJsonObject &record)
{
    const qsizetype size = QJsonDocument(record).toJson(QJsonDocument::Compact).size();
    if (registryBytes - deviceSizes.value(code) + size > RegistryLimit)
        return false;
    registryBytes += size - deviceSizes.value(code);
    deviceSizes.insert(code, size);
    devices.insert(code, record);
    return true;
}

Answer KvCloudService::Private::storeWorkRecord(const QJsonObject &body)
{
    workRecords.append(body, QJsonDocument(body).toJson(QJsonDocument::Compact).size());
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
    if (route == QLatin1String("_fault"))
        return setFaultFrom(body);
    return error(404, QStringLiteral("no such control"));
}

Answer KvCloudService::Private::setFaultFrom(const QJsonObject &body)
{
    KvCloudFault fault;
    fault.status = wholeNumber(body, "status", 599);
    if (fault.status < 0 || (fault.status > 0 && fault.status < 100))
        return error(400, QStringLiteral("status is 0 (serve normally) or an HTTP status from 100 to 599"));
    fault.delayMs = wholeNumber(body, "delay", LongestDelayMs);
    if (fault.delayMs < 0)
        return error(400, QStringLiteral("delay is a number of ms from 0 to %1").arg(LongestDelayMs));
    fault.swallow = body.value(QLatin1String("swallow")).toBool();
    q->setFault(fault, body.value(QLatin1String("method")).toString().toLatin1(),
                body.value(QLatin1String("route")).toString());
    return {200, QJsonObject{}};
}

// A task report: {"sender": ..., "message": {"Runtime": {..., "FilePreview": Base64 or null}}, ...}.
void KvCloudService::Private::keepPreview(const QString &code, const QString &text)
{
    const QJsonValue preview = QJsonDocument::fromJson(text.toUtf8())[QLatin1String("message")][QLatin1String("Runtime")][QLatin1String("FilePreview")];
    if (preview.isString())
        previews.insert(code, QByteArray::fromBase64(preview.toString().toLatin1()));
}

void KvCloudService::Private::servePreview(const KvCloudExchange &exchange)
{
    const QString code = exchange.route.mid(int(qstrlen("_preview/")));
    const auto found = previews.constFind(code);
    if (found == previews.constEnd() || found->isEmpty()) {
        const Answer none = error(404, QStringLiteral("no preview from %1").arg(code));
        exchange.answer(none.status, none.body);
        return;
    }
    exchange.answer(200, QByteArrayLiteral("image/png"), *found);
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
    limitChannel(socket);
    QObject::connect(socket, &QWebSocket::textMessageReceived, q, [this, code](const QString &text) {
        qCDebug(lcKvCloud).noquote() << "channel" << code << "<-" << text;
        channelMessages.append(QJsonObject{{QStringLiteral("code"), code}, {QStringLiteral("text"), text}},
                               text.size());
        keepPreview(code, text);
        Q_EMIT q->channelMessageReceived(code, text);
    });
    QObject::connect(socket, &QWebSocket::disconnected, q, [this, socket, code] {
        qCDebug(lcKvCloud) << "channel" << code << "closed";
        holdings.release(socket);
        channels.remove(socket);
        socket->deleteLater();
        Q_EMIT q->channelClosed(code);
    });
    qCDebug(lcKvCloud) << "channel" << code << "open";
    Q_EMIT q->channelOpened(code);
}

// A channel's messages are bounded one by one (Qt closes the channel with 1009 beyond) and
// together with everything else the service holds; a channel that stays silent is pinged, and
// closed when it answers nothing.
void KvCloudService::Private::limitChannel(QWebSocket *socket)
{
    socket->setMaxAllowedIncomingMessageSize(MessageLimit);
    socket->setMaxAllowedIncomingFrameSize(MessageLimit);
    auto *idle = new KvIdleWatch({},
                                 [socket] {
                                     qCDebug(lcKvCloud) << "channel idle; closed";
                                     socket->abort();
                                 },
                                 socket);
    idle->setNudge([socket] { socket->ping(); });
    idle->setTimeout(idleTimeoutMs);
    QObject::connect(socket, &QWebSocket::pong, idle, [idle] { idle->touch(); });
    auto unfinished = std::make_shared<qsizetype>(0);
    const auto frameArrived = [this, socket, idle, unfinished](qsizetype size, bool last) {
        idle->touch();
        *unfinished = last ? 0 : *unfinished + size;
        if (holdings.hold(socket, *unfinished))
            return;
        qCWarning(lcKvCloud).noquote() << KvCloudService::tr("a channel message is more than the service holds now; channel closed");
        holdings.release(socket);
        socket->close(QWebSocketProtocol::CloseCodeTooMuchData, QStringLiteral("the service holds all it can now"));
    };
    QObject::connect(socket, &QWebSocket::textFrameReceived, q,
                     [frameArrived](const QString &frame, bool last) { frameArrived(frame.size(), last); });
    QObject::connect(socket, &QWebSocket::binaryFrameReceived, q,
                     [frameArrived](const QByteArray &frame, bool last) { frameArrived(frame.size(), last); });
}

KvCloudService::KvCloudService(QObject *parent)
    : QObject(parent), d(std::make_unique<Private>(this))
{
    d->http = new KvCloudHttp([this](const KvCloudExchange &exchange) { d->handle(exchange); }, &d->holdings, this);
    d->channelServer = new QWebSocketServer(QStringLiteral("kvcloud"), QWebSocketServer::NonSecureMode, this);
    d->channelListener = new KvListener(lcKvCloud, this);
    // The service accepts the connections itself and hands them to Qt for the handshake.
    connect(d->channelListener, &KvListener::accepted, d->channelServer, &QWebSocketServer::handleConnection);
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
    // The connections release what they hold into the service's limit: they go before it.
    delete d->http;
}

bool KvCloudService::listen(quint16 httpPort, quint16 wsPort, QString *error)
{
    QString reason;
    if (!d->http->listen(httpPort, &reason)) {
        if (error)
            *error = tr("HTTP port %1: %2").arg(httpPort).arg(reason);
        return false;
    }
    if (!d->channelListener->listen(wsPort, &reason)) {
        if (error)
            *error = tr("WebSocket port %1: %2").arg(wsPort).arg(reason);
        return false;
    }
    return true;
}

void KvCloudService::setIdleTimeout(int ms)
{
    d->idleTimeoutMs = ms;
    d->http->setIdleTimeout(ms);
}

quint16 KvCloudService::httpPort() const
{
    return d->http->port();
}

quint16 KvCloudService::wsPort() const
{
    return d->channelListener->port();
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
    d->storeDevice(record.value(QLatin1String("code")).toString(), record);
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
    return QJsonObject{{QStringLiteral("requests"), d->requests.entries()},
                       {QStringLiteral("devices"), devices},
                       {QStringLiteral("work_records"), d->workRecords.entries()},
                       {QStringLiteral("channel_messages"), d->channelMessages.entries()}};
}

QJsonArray KvCloudService::requests() const
{
    return d->requests.entries();
}

QJsonArray KvCloudService::workRecords() const
{
    return d->workRecords.entries();
}

QStringList KvCloudService::channelMessages(const QString &code) const
{
    QStringList texts;
    for (const QJsonValue &message : d->channelMessages.entries()) {
        if (message[QLatin1String("code")].toString() == code)
            texts.append(message[QLatin1String("text")].toString());
    }
    return texts;
}

QByteArray KvCloudService::preview(const QString &code) const
{
    return d->previews.value(code);
}

QString KvCloudService::summary(const QString &code) const
{
    const QJsonObject record = device(code);
    if (record.isEmpty())
        return tr("cloud: %1 is not registered").arg(code);
    const QJsonValue id = record.value(QLatin1String("id"));
    QString workRecord = tr("none");
    for (const QJsonValue &posted : d->workRecords.entries()) {
        if (posted[QLatin1String("device")] == id)
            workRecord = compact(posted.toObject());
    }
    return tr("cloud: %1 registered as device %2 (model %3), %n task reports, work record %4", nullptr,
              int(channelMessages(code).size()))
        .arg(code, QString::number(id.toInt()), QString::number(record.value(QLatin1String("device_model")).toInt()), workRecord);
}
