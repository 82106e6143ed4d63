#ifndef KVHOST_RECORDREQUESTS_H
#define KVHOST_RECORDREQUESTS_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSet>

#include <functional>

class KVDeviceInterface;
class KVDeviceProperty;

// Sends the read or write frame of a record and reports the device's answer without blocking:
// the record announces the answer with retStatus(result), 0 when accepted, the device's
// result code when refused. A request the device does not answer within the timeout is reported
// with NoAnswer.
class RecordRequests : public QObject
{
    Q_OBJECT
public:
    static constexpr int NoAnswer = -1;
    using Done = std::function<void(int result)>;

    explicit RecordRequests(KVDeviceInterface *device, QObject *parent = nullptr);

    void setTimeout(int ms) { m_timeoutMs = ms; }
    int timeout() const { return m_timeoutMs; }

    // False (and nothing sent) when the record has no such command.
    bool read(KVDeviceProperty *record, Done done);
    bool write(KVDeviceProperty *record, Done done);

    int pendingCount() const { return int(m_pending.size()); }

private:
    struct Pending
    {
        quint64 id;
        KVDeviceProperty *record;
        Done done;
    };

    bool send(KVDeviceProperty *record, const QByteArray &frame, Done done);
    void watch(KVDeviceProperty *record);
    void answer(KVDeviceProperty *record, int result);
    void expire(quint64 id);
    void finishFirst(const std::function<bool(const Pending &)> &matches, int result);

    KVDeviceInterface *m_device;
    int m_timeoutMs = 5000;
    quint64 m_nextId = 1;
    QList<Pending> m_pending;
    QSet<KVDeviceProperty *> m_watched;
};

#endif // KVHOST_RECORDREQUESTS_H
