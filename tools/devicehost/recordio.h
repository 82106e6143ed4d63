#ifndef KVHOST_RECORDIO_H
#define KVHOST_RECORDIO_H

#include <QCoreApplication>
#include <QString>

class DeviceLink;
class KVDeviceInterface;
class KVDeviceProperty;

// Reads and writes records over the device's link and waits for the device's answer (see
// RecordRequests), or for the link to drop.
class RecordIO
{
    Q_DECLARE_TR_FUNCTIONS(RecordIO)

public:
    enum Outcome { Answered, Refused, TimedOut, LinkLost, NoCommand };

    RecordIO(KVDeviceInterface *device, DeviceLink *link, int timeoutMs);

    Outcome read(KVDeviceProperty *record);
    Outcome write(KVDeviceProperty *record);
    int lastResult() const { return m_result; }

    // Sets the record's value from the user's text, converted to the type the record holds and
    // checked against its range and the frame it travels in; a command group takes its members'
    // values separated by commas. False with `error` set (the record keeps its value).
    static bool assign(KVDeviceProperty *record, const QString &text, QString *error);
    // The record's value for people: a group shows its members as "x=1.5, y=2".
    static QString display(const KVDeviceProperty *record);

private:
    Outcome exchange(KVDeviceProperty *record, bool write);

    KVDeviceInterface *m_device;
    DeviceLink *m_link;
    int m_timeoutMs;
    int m_result = 0;
};

#endif // KVHOST_RECORDIO_H
