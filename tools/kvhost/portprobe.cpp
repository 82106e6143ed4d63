#include "portprobe.h"

#include "devicelink.h"
#include "hostcommands.h"
#include "pluginhost.h"
#include "recordio.h"

#include "kvdeviceinterface.h"
#include "kvdeviceproperty.h"

#include <memory>

PortProbe::PortProbe(const PluginHost &host, int family, int timeoutMs)
    : m_host(host), m_family(family), m_timeoutMs(timeoutMs)
{
}

PortProbe::Result PortProbe::read(const QString &path) const
{
    Result result;
    std::unique_ptr<KVDeviceInterface> device(m_host.createDevice(m_family));
    DeviceLink link(device.get());
    LinkTarget target;
    target.kind = LinkTarget::Usb;
    target.address = path;
    if (!link.open(target, m_timeoutMs, &result.problem))
        return result;
    RecordIO io(device.get(), &link, m_timeoutMs);
    const QStringList keys = HostCommands::machineInfoKeys(device.get());
    for (const QString &key : keys) {
        KVDeviceProperty *record = device->property_ptr(key.toLatin1().constData());
        if (!record)
            continue;
        const RecordIO::Outcome outcome = io.read(record);
        if (outcome == RecordIO::TimedOut || outcome == RecordIO::LinkLost) {
            result.problem = tr("no answer to the request for %1 within %2 s: not this plotter, or not switched on?")
                                 .arg(key).arg(m_timeoutMs / 1000.0);
            return result;
        }
        result.records << Record{key, record->label(), RecordIO::display(record), record->uint()};
    }
    result.answered = true;
    return result;
}
