#ifndef KVHOST_HOSTCOMMANDS_H
#define KVHOST_HOSTCOMMANDS_H

#include "plotcommands.h"
#include "plotfile.h"
#include "recordio.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QStringList>
#include <QTextStream>

class DeviceLink;
class Interrupt;
class KVDeviceInterface;
class KVDeviceProperty;
struct HostOptions;

// The commands that talk to a device. Each returns the process exit code.
class HostCommands
{
    Q_DECLARE_TR_FUNCTIONS(HostCommands)

public:
    HostCommands(const HostOptions &options, KVDeviceInterface *device, QTextStream &out, QTextStream &err);

    // Before connecting: the keys, values and plot file the command needs, each said wrong at
    // once. ExitOk when there is something to do on the device.
    int check();
    // With the device's link open.
    int run(DeviceLink *link, Interrupt *interrupt);
    // The keys of the machine information.
    static QStringList machineInfoKeys(KVDeviceInterface *device);

private:
    int checkGet();
    int checkSet();
    int info();
    int get();
    int set();
    int cut();
    int watch();

    // Reads each record the way it can be read; true when every one was answered. A failure is
    // told and taken into m_worst.
    bool readRecords(const QStringList &keys, QStringList *answered);
    RecordIO::Outcome readRecord(RecordIO &io, const QString &key, KVDeviceProperty *record);
    void printRecords(const QStringList &keys);
    int failure(RecordIO::Outcome outcome, const QString &key, int result = 0);
    int taskControlApplies(KVDeviceProperty *record, const QString &key);
    KVDeviceProperty *record(const QString &key) const;

    const HostOptions &m_options;
    KVDeviceInterface *m_device;
    DeviceLink *m_link = nullptr;
    Interrupt *m_interrupt = nullptr;
    QTextStream &m_out;
    QTextStream &m_err;
    QStringList m_keys; // get: the keys left to read
    int m_worst = 0;    // get: the worst outcome so far
    PlotFile m_plot;
    PlotCommands m_plotCommands;
};

#endif // KVHOST_HOSTCOMMANDS_H
