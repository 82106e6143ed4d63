#ifndef KVHOST_JOGCOMMAND_H
#define KVHOST_JOGCOMMAND_H

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QTextStream>

class DeviceLink;
class KVDeviceInterface;
class KVDeviceProperty;
struct HostOptions;

// Moves the head by whole steps. The model moves 80 plotter units (2 mm) a step, all steps in one
// command; the 261 dialect moves one step of 100 units (2.5 mm) a command, so a jog there is one
// command a step. A jog stays within the work area where the device tells it (WORKAREA_X and
// WORKAREA_Y), and within MaxTravelMm on each axis where it does not.
class JogCommand
{
    Q_DECLARE_TR_FUNCTIONS(JogCommand)

public:
    static constexpr double MaxTravelMm = 1000;

    JogCommand(const HostOptions &options, KVDeviceInterface *device, QTextStream &out, QTextStream &err);

    int check();
    int run(DeviceLink *link);

private:
    struct Limits
    {
        qint64 first = 0; // steps
        qint64 second = 0;
        QString source;
    };

    bool parse();
    bool oneCommandPerStep() const;
    double stepMm() const;
    Limits statedLimits() const;
    int workAreaLimits(DeviceLink *link, Limits *limits);
    bool withinLimits(const Limits &limits);
    int sendSteps(DeviceLink *link);
    int sendMove(DeviceLink *link, const QList<KVDeviceProperty *> &moved, int first, int second);

    const HostOptions &m_options;
    KVDeviceInterface *m_device;
    QTextStream &m_out;
    QTextStream &m_err;
    qint64 m_first = 0;
    qint64 m_second = 0;
};

#endif // KVHOST_JOGCOMMAND_H
