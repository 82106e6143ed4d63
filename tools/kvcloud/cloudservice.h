#ifndef KVCLOUDSERVICE_H
#define KVCLOUDSERVICE_H

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

// How the service answers a request, instead of answering at once and as asked.
struct KvCloudFault
{
    int status = 0;       // answer with this HTTP status and do nothing (0: serve normally)
    int delayMs = 0;      // answer this much later
    bool swallow = false; // never answer: the client waits until it gives up

    bool isNone() const { return status == 0 && delayMs == 0 && !swallow; }
};

// A stand-in for the maker's cloud service on 127.0.0.1: the device registry ("device",
// "device_model"), the work records ("device_work_records"), the WebSocket channels of the
// devices ("/<code>/Device/") and what it received, for a person (GET /_records) or a test.
//
// Routes, bodies JSON:
//   GET   device               {"code": text}     200 the device record with "id", 404 unknown
//   PUT   device               a device record    200 the stored record, 404 unknown
//   PATCH device_model         {"code": number}   200 {"id": the model's id, "code": ...}
//   POST  device_model         a device record    200 {"id": the new (or known) device's id}
//   POST  device_work_records  a work record      200 {"id": the record's number}
//   GET   _records                                what was received (see records())
//   GET   _preview/<code>                         the latest preview of the device's plot
//                                                 (image/png), from its task reports; 404 none
//   POST  _send                {"code", "text"}   sends a text to the device's channel
//   POST  _close                                  closes every channel
//   POST  _fault               {"method", "route", "status", "delay", "swallow"}: see setFault
//                              (status 0 or 100 to 599, delay 0 to 3600000 ms; 400 otherwise)
// Ids count from 1 and are kept for the service's lifetime.
//
// Within its means: a request body may have 1 MiB (413 beyond, answered as soon as the head is
// read; the body is read past unkept), a channel message 8 MiB (the channel is closed with 1009
// beyond); all connections together hold at most 64 MiB of bodies and unfinished messages (503,
// or 1009 on a channel, beyond); each list of what was received keeps its newest 10,000 entries
// within 8 MiB, the device registry 16 MiB (507 beyond). A client whose answers pile up unread
// is not read from until it takes them. Connections that send nothing for the idle timeout are
// closed, unless an answer is due to them; a channel is pinged before.
class KvCloudService : public QObject
{
    Q_OBJECT
public:
    explicit KvCloudService(QObject *parent = nullptr);
    ~KvCloudService() override;

    // HTTP and WebSocket on 127.0.0.1; port 0 picks a free one.
    bool listen(quint16 httpPort = 0, quint16 wsPort = 0, QString *error = nullptr);
    // 0 (the default) keeps idle connections open.
    void setIdleTimeout(int ms);
    quint16 httpPort() const;
    quint16 wsPort() const;
    QString url() const; // "http://127.0.0.1:<port>/"
    QString ws() const;  // "ws://127.0.0.1:<port>/"

    // Applies `fault` to the requests of `method` on `route`; an empty method or route stands for
    // any. The most specific switch wins; setting a fault that isNone() removes the switch.
    void setFault(const KvCloudFault &fault, const QByteArray &method = {}, const QString &route = {});
    void clearFaults();

    // A device the service knows before any request; returns its id.
    int addDevice(QJsonObject record);
    QJsonObject device(const QString &code) const; // empty when unknown

    // Sends a text to the channel of the device `code`; false when it has none open.
    bool sendText(const QString &code, const QString &text);
    void closeChannels();
    QStringList openChannels() const;

    // What was received: "requests" ({"method", "route", "body", "status"}; "status" null for a
    // swallowed request, "body" null for one refused unread), "devices", "work_records",
    // "channel_messages" ({"code", "text"}).
    QJsonObject records() const;
    QJsonArray requests() const;
    QJsonArray workRecords() const;
    QStringList channelMessages(const QString &code) const;
    // The PNG of the latest "FilePreview" in the task reports of the device `code`; empty: none.
    QByteArray preview(const QString &code) const;
    // One line about a device: its ids, its task reports and its last work record.
    QString summary(const QString &code) const;

Q_SIGNALS:
    void requestReceived(const QString &method, const QString &route);
    void workRecordReceived(const QJsonObject &record);
    void channelOpened(const QString &code);
    void channelClosed(const QString &code);
    void channelMessageReceived(const QString &code, const QString &text);

private:
    class Private;
    std::unique_ptr<Private> d;
};

#endif // KVCLOUDSERVICE_H
