#include "hostcommands.h"

#include "cutjob.h"
#include "devicelink.h"
#include "eventwait.h"
#include "exitcodes.h"
#include "hostoptions.h"
#include "interrupt.h"
#include "jobstate.h"
#include "jogcommand.h"
#include "recordaccess.h"
#include "recordtable.h"
#include "valuecheck.h"

#include "kvdeviceproperty.h"

#include <QDateTime>
#include <QJsonDocument>

HostCommands::HostCommands(const HostOptions &options, KVDeviceInterface *device, QTextStream &out, QTextStream &err)
    : m_options(options), m_device(device), m_out(out), m_err(err), m_plotCommands(options, device, out, err)
{
}

KVDeviceProperty *HostCommands::record(const QString &key) const
{
    return m_device->property_ptr(key.toUpper().toLatin1().constData());
}

int HostCommands::check()
{
    const QString &command = m_options.command;
    if (command == QLatin1String("get"))
        return checkGet();
    if (command == QLatin1String("set"))
        return checkSet();
    if (command == QLatin1String("jog"))
        return JogCommand(m_options, m_device, m_out, m_err).check();
    if (m_options.isPlotCommand())
        return m_plotCommands.check();
    if (command == QLatin1String("cut")) {
        QString error;
        if (!m_plot.read(m_options.commandArguments.first(), {m_options.labels, m_options.raw}, &error)) {
            m_err << "kvhost: " << error << '\n';
            return ExitPlotFile;
        }
    }
    return ExitOk;
}

int HostCommands::run(DeviceLink *link, Interrupt *interrupt)
{
    m_link = link;
    m_interrupt = interrupt;
    const QString &command = m_options.command;
    if (m_options.isPlotCommand())
        return m_plotCommands.run(link);
    if (command == QLatin1String("info"))
        return info();
    if (command == QLatin1String("get"))
        return get();
    if (command == QLatin1String("set"))
        return set();
    if (command == QLatin1String("cut"))
        return cut();
    if (command == QLatin1String("jog"))
        return JogCommand(m_options, m_device, m_out, m_err).run(link);
    return watch();
}

// Keys that are not there, or cannot be read, are told at once; the others are read.
int HostCommands::checkGet()
{
    for (const QString &key : m_options.commandArguments) {
        if (!record(key)) {
            m_err << "kvhost: " << tr("no record '%1' on this device (see 'kvhost list')").arg(key) << '\n';
            m_worst = worseExit(m_worst, ExitUnknownKey);
            continue;
        }
        const RecordAccess::Way way = RecordAccess::read(m_device, key.toUpper());
        if (!RecordAccess::isUsable(way)) {
            m_err << "kvhost: " << tr("%1 cannot be read: %2").arg(key.toUpper(), way.reason) << '\n';
            m_worst = worseExit(m_worst, ExitNotReachable);
            continue;
        }
        m_keys << key.toUpper();
    }
    return m_keys.isEmpty() ? m_worst : ExitOk;
}

int HostCommands::checkSet()
{
    const QString key = m_options.commandArguments.at(0).toUpper();
    KVDeviceProperty *found = record(key);
    if (!found) {
        m_err << "kvhost: " << tr("no record '%1' on this device (see 'kvhost list')").arg(key) << '\n';
        return ExitUnknownKey;
    }
    const RecordAccess::Way way = RecordAccess::write(m_device, key);
    if (!RecordAccess::isUsable(way)) {
        m_err << "kvhost: " << tr("%1 cannot be written: %2").arg(key, way.reason) << '\n';
        return ExitNotReachable;
    }
    QString error;
    if (!RecordIO::assign(found, m_options.commandArguments.at(1), &error)) {
        m_err << "kvhost: " << key << ": " << error << '\n';
        return ExitUsage;
    }
    return ExitOk;
}

// The machine information is printed whole or not at all.
QStringList HostCommands::machineInfoKeys(KVDeviceInterface *device)
{
    QStringList keys = device->sysProperty();
    if (keys.isEmpty())
        keys = {QStringLiteral("DEVICE_INFO"), QStringLiteral("DEVICE_UNIQUE_ID")}; // the 261 dialect's group
    else
        keys.prepend(QStringLiteral("DEVICE_MODEL"));
    return keys;
}

int HostCommands::info()
{
    QStringList answered;
    if (!readRecords(machineInfoKeys(m_device), &answered)) {
        m_err << "kvhost: " << tr("the machine information is incomplete; nothing is printed") << '\n';
        return m_worst;
    }
    printRecords(answered);
    return ExitOk;
}

int HostCommands::get()
{
    QStringList answered;
    readRecords(m_keys, &answered);
    printRecords(answered);
    return m_worst;
}

bool HostCommands::readRecords(const QStringList &keys, QStringList *answered)
{
    RecordIO io(m_device, m_link, m_options.timeoutMs);
    for (const QString &key : keys) {
        KVDeviceProperty *found = record(key);
        if (!found)
            continue;
        const RecordIO::Outcome outcome = readRecord(io, key, found);
        if (outcome == RecordIO::Answered) {
            *answered << key;
            continue;
        }
        m_worst = worseExit(m_worst, failure(outcome, key, io.lastResult()));
        if (outcome == RecordIO::LinkLost)
            break;
    }
    return answered->size() == keys.size();
}

RecordIO::Outcome HostCommands::readRecord(RecordIO &io, const QString &key, KVDeviceProperty *found)
{
    const RecordAccess::Way way = RecordAccess::read(m_device, key);
    switch (way.reach) {
    case RecordAccess::Reach::Device:
        return io.read(found);
    case RecordAccess::Reach::Group:
        return io.read(way.via);
    case RecordAccess::Reach::Members:
        for (KVDeviceProperty *member : RecordAccess::members(found)) {
            if (member->get_cmd_bytes().isEmpty())
                continue;
            if (const RecordIO::Outcome outcome = io.read(member); outcome != RecordIO::Answered)
                return outcome;
        }
        return RecordIO::Answered;
    case RecordAccess::Reach::Local:
        return RecordIO::Answered;
    default:
        return RecordIO::NoCommand;
    }
}

void HostCommands::printRecords(const QStringList &keys)
{
    QJsonObject json;
    for (const QString &key : keys) {
        const KVDeviceProperty *found = record(key);
        const QString value = RecordIO::display(found);
        if (m_options.json) {
            json.insert(key, value);
            continue;
        }
        m_out << found->label() << " (" << key << "): " << value;
        if (!found->uint().isEmpty())
            m_out << ' ' << found->uint();
        m_out << '\n';
    }
    if (m_options.json)
        m_out << QJsonDocument(json).toJson(QJsonDocument::Compact) << '\n';
}

int HostCommands::set()
{
    const QString key = m_options.commandArguments.at(0).toUpper();
    KVDeviceProperty *found = record(key);
    if (RecordAccess::write(m_device, key).reach == RecordAccess::Reach::TaskControl) {
        if (const int applies = taskControlApplies(found, key); applies != ExitOk)
            return applies;
    }
    RecordIO io(m_device, m_link, m_options.timeoutMs);
    const RecordIO::Outcome outcome = io.write(found);
    if (outcome != RecordIO::Answered)
        return failure(outcome, key, io.lastResult());
    // Show what the device holds now, when it can be read back.
    const RecordAccess::Way readBack = RecordAccess::read(m_device, key);
    QStringList answered{key};
    if (RecordAccess::isUsable(readBack) && readBack.reach != RecordAccess::Reach::Local) {
        answered.clear();
        readRecords({key}, &answered);
    }
    printRecords(answered);
    return m_worst;
}

// The plotter answers a pause without a cutting job, or a resume without a paused one, with a
// refusal the host never hears of: such a write is not sent.
int HostCommands::taskControlApplies(KVDeviceProperty *found, const QString &key)
{
    const JobState::State state = JobState::ask(m_device, m_link, m_options.timeoutMs);
    if (state == JobState::NoAnswer || state == JobState::LinkLost)
        return failure(state == JobState::NoAnswer ? RecordIO::TimedOut : RecordIO::LinkLost, key);
    const int value = found->value().toInt();
    const bool pauses = value == 0 && state != JobState::Cutting;
    const bool resumes = value == 1 && state != JobState::Paused;
    if (!pauses && !resumes)
        return ExitOk;
    const QString refusal = state == JobState::Cutting ? tr("%1 does not apply: the plotter is cutting a job")
                            : state == JobState::Paused ? tr("%1 does not apply: the plotter is holding a paused job")
                                                        : tr("%1 does not apply: the plotter is idle");
    m_err << "kvhost: " << refusal.arg(key) << '\n';
    return ExitRefused;
}

int HostCommands::failure(RecordIO::Outcome outcome, const QString &key, int result)
{
    switch (outcome) {
    case RecordIO::Refused: {
        const KVDeviceProperty *found = record(key);
        const std::optional<ValueCheck::Range> range = ValueCheck::rangeOf(found);
        const QString value = RecordIO::display(found);
        if (range)
            m_err << "kvhost: " << tr("the device refused %1 = %2 (result %3); it takes values from %4 to %5%6")
                                       .arg(key, value).arg(result).arg(ValueCheck::number(range->low), ValueCheck::number(range->high),
                                                                        ValueCheck::unitSuffix(found)) << '\n';
        else
            m_err << "kvhost: " << tr("the device refused %1 = %2 (result %3)").arg(key, value).arg(result) << '\n';
        return ExitRefused;
    }
    case RecordIO::LinkLost:
        m_err << "kvhost: " << tr("connection lost: %1").arg(m_link->lastStatus()) << '\n';
        return ExitConnectionLost;
    case RecordIO::NoCommand:
        m_err << "kvhost: " << tr("%1 has no command to read or write it with").arg(key) << '\n';
        return ExitNotReachable;
    default:
        m_err << "kvhost: " << tr("no answer for %1 within %2 s").arg(key).arg(m_options.timeoutMs / 1000.0) << '\n';
        return ExitTimeout;
    }
}

int HostCommands::cut()
{
    CutJob::Settings settings;
    settings.copies = m_options.copies;
    settings.qrCode = m_options.qrCode;
    settings.answerTimeoutMs = m_options.timeoutMs;
    settings.quietMs = m_options.timeoutMs;
    settings.json = m_options.json;
    CutJob job(m_device, m_link, m_interrupt, m_out, m_err);
    return job.run(m_plot, settings);
}

int HostCommands::watch()
{
    QObject::connect(m_device, &KVDeviceInterface::message, m_device,
                     [&](KVDeviceInterface::KVDeviceMessage type, const QString &text) {
                         if (m_options.json) {
                             const QJsonObject line{{QStringLiteral("time"), QDateTime::currentDateTime().toString(Qt::ISODateWithMs)},
                                                    {QStringLiteral("kind"), RecordTable::messageKindName(type)},
                                                    {QStringLiteral("text"), text}};
                             m_out << QJsonDocument(line).toJson(QJsonDocument::Compact) << '\n';
                         } else {
                             m_out << QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")) << ' '
                                   << RecordTable::messageKindText(type)
                                   << ' ' << text << '\n';
                         }
                         m_out.flush();
                     });
    EventWait wait(-1);
    wait.wakeOn(m_interrupt, &Interrupt::requested);
    wait.wakeOn(m_link, &DeviceLink::lost);
    wait.until([&] { return m_interrupt->happened() || !m_link->isUp(); });
    if (!m_link->isUp()) {
        m_err << "kvhost: " << tr("connection lost: %1").arg(m_link->lastStatus()) << '\n';
        return ExitConnectionLost;
    }
    return ExitInterrupted;
}
