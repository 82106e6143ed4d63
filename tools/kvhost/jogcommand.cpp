#include "jogcommand.h"

#include "devicelink.h"
#include "eventwait.h"
#include "exitcodes.h"
#include "hostoptions.h"
#include "recordaccess.h"
#include "recordio.h"

#include "kvdeviceproperty.h"

#include <QJsonObject>

#include <cmath>

namespace {
constexpr double PlotterUnitMm = 0.025; // 1/40 mm
constexpr int ModelStepUnits = 80;
constexpr int CommonStepUnits = 100;

int sign(qint64 steps)
{
    return steps > 0 ? 1 : steps < 0 ? -1 : 0;
}

qint64 stepsWithin(double mm, double stepMm)
{
    return qint64(std::floor(mm / stepMm + 1e-9));
}
} // namespace

JogCommand::JogCommand(const HostOptions &options, KVDeviceInterface *device, QTextStream &out, QTextStream &err)
    : m_options(options), m_device(device), m_out(out), m_err(err)
{
}

bool JogCommand::parse()
{
    bool okFirst = false;
    bool okSecond = false;
    m_first = m_options.commandArguments.at(0).toLongLong(&okFirst);
    m_second = m_options.commandArguments.at(1).toLongLong(&okSecond);
    if (okFirst && okSecond)
        return true;
    m_err << "kvhost: " << tr("jog takes two whole numbers of steps") << '\n';
    return false;
}

bool JogCommand::oneCommandPerStep() const
{
    return !m_device->property_ptr("MOVE") && m_device->property_ptr("MOVE_X");
}

double JogCommand::stepMm() const
{
    return (oneCommandPerStep() ? CommonStepUnits : ModelStepUnits) * PlotterUnitMm;
}

JogCommand::Limits JogCommand::statedLimits() const
{
    const qint64 steps = stepsWithin(MaxTravelMm, stepMm());
    return {steps, steps, tr("the longest travel kvhost sends to a plotter that does not tell its work area")};
}

int JogCommand::check()
{
    if (!parse())
        return ExitUsage;
    return withinLimits(statedLimits()) ? ExitOk : ExitUsage;
}

bool JogCommand::withinLimits(const Limits &limits)
{
    if (std::abs(m_first) <= limits.first && std::abs(m_second) <= limits.second)
        return true;
    m_err << "kvhost: "
          << tr("a jog moves at most %1 steps (%2 mm) on the first axis and %3 steps (%4 mm) on the second: %5")
                 .arg(limits.first).arg(limits.first * stepMm()).arg(limits.second).arg(limits.second * stepMm()).arg(limits.source)
          << '\n';
    return false;
}

// The work area in mm, where the device has the records to tell it. The model's first jog axis
// is its X axis; the 261 dialect's first argument drives its Y axis.
int JogCommand::workAreaLimits(DeviceLink *link, Limits *limits)
{
    const char *firstAxis = oneCommandPerStep() ? "WORKAREA_Y" : "WORKAREA_X";
    const char *secondAxis = oneCommandPerStep() ? "WORKAREA_X" : "WORKAREA_Y";
    RecordIO io(m_device, link, m_options.timeoutMs);
    double extentMm[2] = {0, 0};
    int axis = 0;
    for (const char *key : {firstAxis, secondAxis}) {
        KVDeviceProperty *record = m_device->property_ptr(key);
        const RecordAccess::Way way = RecordAccess::read(m_device, QLatin1String(key));
        if (!record || (way.reach != RecordAccess::Reach::Device && way.reach != RecordAccess::Reach::Group))
            return ExitOk;
        const RecordIO::Outcome outcome = io.read(way.via ? way.via : record);
        if (outcome == RecordIO::LinkLost)
            return ExitConnectionLost;
        if (outcome != RecordIO::Answered)
            return ExitOk;
        const double factor = record->property("WIDGET").toJsonObject().value(QLatin1String("factor")).toDouble(1.0);
        extentMm[axis++] = record->value().toDouble() * factor;
    }
    if (extentMm[0] <= 0 || extentMm[1] <= 0)
        return ExitOk;
    *limits = {stepsWithin(extentMm[0], stepMm()), stepsWithin(extentMm[1], stepMm()),
               tr("the plotter's work area, %1 mm by %2 mm").arg(extentMm[0]).arg(extentMm[1])};
    return ExitOk;
}

int JogCommand::run(DeviceLink *link)
{
    if (!parse())
        return ExitUsage;
    Limits limits = statedLimits();
    if (const int read = workAreaLimits(link, &limits); read != ExitOk) {
        m_err << "kvhost: " << tr("connection lost: %1").arg(link->lastStatus()) << '\n';
        return read;
    }
    if (!withinLimits(limits))
        return ExitUsage;
    const int outcome = sendSteps(link);
    if (outcome == ExitOk)
        m_out << tr("moved %1, %2").arg(m_first).arg(m_second) << '\n';
    return outcome;
}

int JogCommand::sendSteps(DeviceLink *link)
{
    QList<KVDeviceProperty *> moved;
    for (const char *key : {"MOVE", "MOVE_Y", "MOVE_X"}) {
        if (KVDeviceProperty *found = m_device->property_ptr(key))
            moved << found;
    }
    if (moved.isEmpty()) {
        m_err << "kvhost: " << tr("this device has no jog command") << '\n';
        return ExitNotReachable;
    }
    if (!oneCommandPerStep())
        return sendMove(link, moved, int(m_first), int(m_second));
    const qint64 commands = std::max(std::abs(m_first), std::abs(m_second));
    for (qint64 i = 0; i < commands; ++i) {
        const int outcome = sendMove(link, moved, i < std::abs(m_first) ? sign(m_first) : 0,
                                     i < std::abs(m_second) ? sign(m_second) : 0);
        if (outcome != ExitOk)
            return outcome;
    }
    return ExitOk;
}

// The device answers every record the jog writes.
int JogCommand::sendMove(DeviceLink *link, const QList<KVDeviceProperty *> &moved, int first, int second)
{
    int answers = 0;
    int refusals = 0;
    QObject receiver;
    EventWait wait(m_options.timeoutMs);
    for (KVDeviceProperty *found : moved) {
        QObject::connect(found, &KVDeviceProperty::retStatus, &receiver, [&](int result) {
            ++answers;
            refusals += result != 0;
        });
        wait.wakeOn(found, &KVDeviceProperty::retStatus);
    }
    wait.wakeOn(link, &DeviceLink::lost);
    m_device->move(first, second);
    const bool answered = wait.until([&] { return answers >= moved.size() || !link->isUp(); });
    if (!link->isUp()) {
        m_err << "kvhost: " << tr("connection lost: %1").arg(link->lastStatus()) << '\n';
        return ExitConnectionLost;
    }
    if (!answered) {
        m_err << "kvhost: " << tr("no answer for the jog within %1 s").arg(m_options.timeoutMs / 1000.0) << '\n';
        return ExitTimeout;
    }
    if (refusals > 0) {
        m_err << "kvhost: " << tr("the device refused the jog") << '\n';
        return ExitRefused;
    }
    return ExitOk;
}
