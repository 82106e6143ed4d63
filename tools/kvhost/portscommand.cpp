#include "portscommand.h"

#include "exitcodes.h"
#include "hostoptions.h"
#include "portaccess.h"
#include "pluginhost.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <optional>

namespace {
// A probe asks a device that may not be the plotter at all: it waits briefly for each answer.
constexpr int ProbeTimeoutMs = 1000;

QString indented(QString text, const QString &indent)
{
    return text.replace(QLatin1Char('\n'), QLatin1Char('\n') + indent);
}

void printField(QTextStream &out, const QString &sentence, const QString &value)
{
    if (!value.isEmpty())
        out << "  " << sentence.arg(value) << '\n';
}

QString kindText(const PortInfo &port)
{
    switch (port.kind) {
    case PortInfo::Serial:
        return PortsCommand::tr("serial port");
    case PortInfo::UsbPrinter:
        return PortsCommand::tr("USB printer-class device");
    default:
        return PortsCommand::tr("device file");
    }
}
} // namespace

PortsCommand::PortsCommand(const HostOptions &options, QTextStream &out, QTextStream &err)
    : m_options(options), m_out(out), m_err(err)
{
}

QList<PortInfo> PortsCommand::candidates() const
{
    if (m_options.commandArguments.isEmpty())
        return Ports::available();
    QList<PortInfo> named;
    for (const QString &path : m_options.commandArguments)
        named << Ports::identify(path);
    return named;
}

int PortsCommand::run()
{
    PluginHost host;
    if (m_options.probe && !host.load(m_options.pluginPath)) {
        m_err << "kvhost: " << host.errorString() << '\n';
        return ExitPlugin;
    }
    const PortProbe probe(host, m_options.family, qMin(m_options.timeoutMs, ProbeTimeoutMs));
    const QList<PortInfo> ports = candidates();
    QJsonArray list;
    for (const PortInfo &port : ports) {
        const PortAccess access = PortAccess::check(port);
        std::optional<PortProbe::Result> probed;
        if (m_options.probe && access.mayOpen())
            probed = probe.read(port.path);
        if (m_options.json)
            list << json(port, access, probed ? &*probed : nullptr);
        else
            print(port, access, probed ? &*probed : nullptr);
    }
    if (m_options.json)
        m_out << QJsonDocument(QJsonObject{{QStringLiteral("ports"), list}}).toJson(QJsonDocument::Indented);
    else if (ports.isEmpty())
        m_out << tr("No serial port and no USB printer-class device found. Is the plotter plugged in and switched on?") << '\n';
    return ExitOk;
}

void PortsCommand::print(const PortInfo &port, const PortAccess &access, const PortProbe::Result *probe)
{
    m_out << port.path << '\n';
    printField(m_out, tr("Kind: %1"), kindText(port));
    printField(m_out, tr("Description: %1"), port.description);
    printField(m_out, tr("Maker: %1"), port.manufacturer);
    printField(m_out, tr("USB vendor and product: %1"), port.usbId());
    printField(m_out, tr("Serial number: %1"), port.serialNumber);
    if (access.mayOpen()) {
        m_out << "  " << tr("Access: this user may open it.") << '\n';
    } else {
        printField(m_out, tr("Problem: %1"), indented(access.reason(), QStringLiteral("    ")));
        printField(m_out, tr("Remedy: %1"), indented(access.remedy(), QStringLiteral("    ")));
    }
    if (!probe)
        return;
    if (!probe->answered) {
        printField(m_out, tr("Probe: %1"), probe->problem);
        return;
    }
    m_out << "  " << tr("Machine information:") << '\n';
    for (const PortProbe::Record &record : probe->records)
        m_out << "    " << QStringLiteral("%1 (%2): %3 %4").arg(record.label, record.key, record.value, record.unit).trimmed() << '\n';
}

QJsonObject PortsCommand::json(const PortInfo &port, const PortAccess &access, const PortProbe::Result *probe) const
{
    QJsonObject object{{QStringLiteral("path"), port.path},
                       {QStringLiteral("kind"), port.kindName()},
                       {QStringLiteral("description"), port.description},
                       {QStringLiteral("manufacturer"), port.manufacturer},
                       {QStringLiteral("usb_id"), port.usbId()},
                       {QStringLiteral("serial_number"), port.serialNumber},
                       {QStringLiteral("access"), access.toJson()}};
    if (probe && probe->answered) {
        QJsonObject info;
        for (const PortProbe::Record &record : probe->records)
            info.insert(record.key, record.value);
        object.insert(QStringLiteral("info"), info);
    } else if (probe) {
        object.insert(QStringLiteral("probe_error"), probe->problem);
    }
    return object;
}
