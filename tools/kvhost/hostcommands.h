#ifndef KVHOST_HOSTCOMMANDS_H
#define KVHOST_HOSTCOMMANDS_H

#include <QJsonObject>
#include <QTextStream>

class DeviceLink;
class Interrupt;
class KVDeviceInterface;
class KVDeviceProperty;
struct HostOptions;

// The commands that talk to a connected device. Each returns the process exit code.
class HostCommands
{
public:
    HostCommands(const HostOptions &options, KVDeviceInterface *device, DeviceLink *link,
                 Interrupt *interrupt, QTextStream &out, QTextStream &err);

    int run();

private:
    int info();
    int get(const QStringList &keys);
    int set(const QString &key, const QString &value);
    int cut(const QString &path);
    int jog(const QString &x, const QString &y);
    int watch();

    // Reads the records; prints them. `lookupFailed` tells an unknown key from a silent device.
    int readAndPrint(const QStringList &keys);
    int failure(int outcome, const QString &key);
    KVDeviceProperty *record(const QString &key);
    void printRecord(const QString &key, const KVDeviceProperty *record, QJsonObject *json);

    const HostOptions &m_options;
    KVDeviceInterface *m_device;
    DeviceLink *m_link;
    Interrupt *m_interrupt;
    QTextStream &m_out;
    QTextStream &m_err;
};

#endif // KVHOST_HOSTCOMMANDS_H
