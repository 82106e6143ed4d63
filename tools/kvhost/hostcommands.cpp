#include "hostcommands.h"

#include "cutjob.h"
#include "devicelink.h"
#include "eventwait.h"
#include "exitcodes.h"
#include "hostoptions.h"
#include "interrupt.h"
#include "plotfile.h"
#include "recordio.h"
#include "recordtable.h"

#include "kvcommoninterface.h"
#include "kvdeviceproperty.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QMetaEnum>

HostCommands::HostCommands(const HostOptions &options, KVDeviceInterface *device, DeviceLink *link,
                           Interrupt *interrupt, QTextStream &out, QTextStream &err)
    : m_options(options), m_device(device), m_link(link), m_interrupt(interrupt), m_out(out), m_err(err)
{
}

int HostCommands::run()
{
    const QString &command = m_options.command;
    const QStringList &args = m_options.commandArguments;
    if (command == QLatin1String("info"))
        return info();
    if (command == QLatin1String("get"))
        return get(args);
    if (command == QLatin1String("set"))
        return set(args.at(0), args.at(1));
    if (command == QLatin1String("cut"))
        return cut(args.at(0));
    if (command == QLatin1String("jog"))
        return jog(args.at(0), args.at(1));
    return watch();
}

KVDeviceProperty *HostCommands::record(const QString &key)
{
    return m_device->property_ptr(key.toUpper().toLatin1().constData());
}

int HostCommands::info()
{
    QStringList keys = m_device->sysProperty();
    if (keys.isEmpty()) {
        // The 261 dialect reads its machine information as one group.
        auto *common = qobject_cast<KVCommonInterface *>(m_device);
        if (common && !m_device->property_ptr("DEVICE_INFO"))
            common->info_261(m_device);
        keys = {QStringLiteral("DEVICE_INFO"), QStringLiteral("DEVICE_UNIQUE_ID")};
    } else {
        keys.prepend(QStringLiteral("DEVICE_MODEL"));
    }
    return readAndPrint(keys);
}

int HostCommands::get(const QStringList &keys)
{
    for (const QString &key : keys) {
        if (!record(key)) {
            m_err << "kvhost: no record '" << key << "' on this device (see 'kvhost list')\n";
            return ExitUnknownKey;
        }
    }
    return readAndPrint(keys);
}

int HostCommands::readAndPrint(const QStringList &keys)
{
    RecordIO io(m_device, m_link, m_options.timeoutMs);
    QJsonObject json;
    for (const QString &key : keys) {
        KVDeviceProperty *found = record(key);
        if (!found)
            continue;
        const RecordIO::Outcome outcome = io.read(found);
        if (outcome != RecordIO::Answered && outcome != RecordIO::NoCommand)
            return failure(outcome, key);
        printRecord(key, found, &json);
    }
    if (m_options.json)
        m_out << QJsonDocument(json).toJson(QJsonDocument::Compact) << '\n';
    return ExitOk;
}

void HostCommands::printRecord(const QString &key, const KVDeviceProperty *found, QJsonObject *json)
{
    const QString value = RecordIO::display(found);
    if (m_options.json) {
        json->insert(key.toUpper(), value);
        return;
    }
    m_out << found->label() << " (" << key.toUpper() << "): " << value;
    if (!found->uint().isEmpty())
        m_out << ' ' << found->uint();
    m_out << '\n';
}

int HostCommands::set(const QString &key, const QString &value)
{
    KVDeviceProperty *found = record(key);
    if (!found) {
        m_err << "kvhost: no record '" << key << "' on this device (see 'kvhost list')\n";
        return ExitUnknownKey;
    }
    QString error;
    if (!RecordIO::assign(found, value, &error)) {
        m_err << "kvhost: " << key << ": " << error << '\n';
        return ExitUsage;
    }
    RecordIO io(m_device, m_link, m_options.timeoutMs);
    const RecordIO::Outcome outcome = io.write(found);
    if (outcome == RecordIO::NoCommand) {
        m_err << "kvhost: " << key << " cannot be written to the device\n";
        return ExitRefused;
    }
    if (outcome != RecordIO::Answered)
        return failure(outcome, key);
    // Show what the device holds now, when it can be read back.
    return readAndPrint({key});
}

int HostCommands::failure(int outcome, const QString &key)
{
    switch (outcome) {
    case RecordIO::Refused:
        m_err << "kvhost: the device refused " << key << '\n';
        return ExitRefused;
    case RecordIO::LinkLost:
        m_err << "kvhost: connection lost: " << m_link->lastStatus() << '\n';
        return ExitConnectionLost;
    default:
        m_err << "kvhost: no answer for " << key << " within " << m_options.timeoutMs / 1000.0 << " s\n";
        return ExitTimeout;
    }
}

int HostCommands::cut(const QString &path)
{
    PlotFile plot;
    QString error;
    if (!plot.read(path, &error)) {
        m_err << "kvhost: " << error << '\n';
        return ExitPlotFile;
    }
    CutJob::Settings settings;
    settings.copies = m_options.copies;
    settings.qrCode = m_options.qrCode;
    settings.answerTimeoutMs = m_options.timeoutMs;
    settings.silenceTimeoutMs = qMax(30000, m_options.timeoutMs);
    settings.json = m_options.json;
    CutJob job(m_device, m_link, m_interrupt, m_out, m_err);
    return job.run(plot, settings);
}

int HostCommands::jog(const QString &x, const QString &y)
{
    bool okX = false;
    bool okY = false;
    const int stepsX = x.toInt(&okX);
    const int stepsY = y.toInt(&okY);
    if (!okX || !okY) {
        m_err << "kvhost: jog takes two whole numbers of steps\n";
        return ExitUsage;
    }
    auto *common = qobject_cast<KVCommonInterface *>(m_device);
    if (common && !m_device->property_ptr("MOVE") && !m_device->property_ptr("MOVE_X"))
        common->move_261(m_device);
    // The device answers each jog command; wait for every record the jog writes.
    QList<KVDeviceProperty *> moved;
    for (const char *key : {"MOVE", "MOVE_Y", "MOVE_X"}) {
        if (KVDeviceProperty *found = m_device->property_ptr(key))
            moved << found;
    }
    int answers = 0;
    int refusals = 0;
    for (KVDeviceProperty *found : moved) {
        QObject::connect(found, &KVDeviceProperty::retStatus, found, [&](int result) {
            ++answers;
            refusals += result != 0;
        });
    }
    EventWait wait(m_options.timeoutMs);
    for (KVDeviceProperty *found : moved)
        wait.wakeOn(found, &KVDeviceProperty::retStatus);
    wait.wakeOn(m_link, &DeviceLink::lost);
    m_device->move(stepsX, stepsY);
    const bool answered = wait.until([&] { return answers >= moved.size() || !m_link->isUp(); });
    for (KVDeviceProperty *found : moved)
        QObject::disconnect(found, &KVDeviceProperty::retStatus, found, nullptr);
    if (!m_link->isUp())
        return failure(RecordIO::LinkLost, QStringLiteral("MOVE"));
    if (!answered)
        return failure(RecordIO::TimedOut, QStringLiteral("MOVE"));
    if (refusals > 0)
        return failure(RecordIO::Refused, QStringLiteral("MOVE"));
    m_out << "moved " << stepsX << ", " << stepsY << '\n';
    return ExitOk;
}

int HostCommands::watch()
{
    const QMetaEnum kinds = QMetaEnum::fromType<KVDeviceInterface::KVDeviceMessage>();
    QObject::connect(m_device, &KVDeviceInterface::message, m_device,
                     [&](KVDeviceInterface::KVDeviceMessage type, const QString &text) {
                         const QString kind = QString::fromLatin1(kinds.valueToKey(type));
                         if (m_options.json) {
                             const QJsonObject line{{QStringLiteral("time"), QDateTime::currentDateTime().toString(Qt::ISODateWithMs)},
                                                    {QStringLiteral("kind"), kind},
                                                    {QStringLiteral("text"), text}};
                             m_out << QJsonDocument(line).toJson(QJsonDocument::Compact) << '\n';
                         } else {
                             m_out << QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")) << ' ' << kind
                                   << ' ' << text << '\n';
                         }
                         m_out.flush();
                     });
    EventWait wait(-1);
    wait.wakeOn(m_interrupt, &Interrupt::requested);
    wait.wakeOn(m_link, &DeviceLink::lost);
    wait.until([&] { return m_interrupt->happened() || !m_link->isUp(); });
    if (!m_link->isUp()) {
        m_err << "kvhost: connection lost: " << m_link->lastStatus() << '\n';
        return ExitConnectionLost;
    }
    return ExitOk;
}
