#include "devicelink.h"

#include "eventwait.h"
#include "linkprobe.h"
#include "kvdeviceproperty.h"

#include <QUrl>

bool LinkTarget::parseTcp(const QString &text, LinkTarget *target)
{
    target->kind = Tcp;
    // Let QUrl split host and port; it understands bracketed IPv6 addresses.
    const QUrl url(QStringLiteral("tcp://") + text);
    if (!url.isValid() || url.host().isEmpty())
        return false;
    target->address = url.host();
    target->port = url.port(9100);
    return target->port > 0 && target->port <= 65535;
}

QString LinkTarget::describe() const
{
    if (kind == Usb)
        return QStringLiteral("USB %1").arg(address);
    return QStringLiteral("TCP %1:%2").arg(address).arg(port);
}

DeviceLink::DeviceLink(KVDeviceInterface *device, QObject *parent)
    : QObject(parent), m_device(device)
{
    connect(device, &KVDeviceInterface::message, this, &DeviceLink::onMessage);
}

// The device takes USB when it knows a USB path at all, so the other kind's address goes.
void DeviceLink::aim(const LinkTarget &target)
{
    m_target = target;
    const bool usb = target.kind == LinkTarget::Usb;
    const char *other = usb ? "TCP" : "USB";
    if (KVDeviceProperty *record = m_device->property_ptr(other)) {
        m_device->setProperty(other, QVariant());
        delete record;
    }
    if (usb) {
        m_device->setUSBPath(target.address);
        return;
    }
    m_device->setIPAddress(target.address);
    if (KVDeviceProperty *port = m_device->property_ptr("TCP_PORT"))
        port->setValue(target.port);
}

// The device reports only "connected" or "disconnected"; where the link does not come up, a
// connection of this host's own says why. Qt gives up a TCP connection attempt after 30 s: while
// the host stays silent and time is left, the device tries again.
bool DeviceLink::open(const LinkTarget &target, int timeoutMs, QString *error)
{
    aim(target);
    const QDeadlineTimer deadline(timeoutMs);
    const QString noAnswer = tr("no answer from %1 within %2 s").arg(target.describe()).arg(timeoutMs / 1000.0);
    for (;;) {
        m_refused = false;
        if (!m_device->connectDevice()) {
            *error = tr("the device would not start connecting to %1").arg(target.describe());
            return false;
        }
        EventWait wait(int(deadline.remainingTime()));
        wait.wakeOn(this, &DeviceLink::statusChanged);
        if (!wait.until([this] { return m_up || m_refused; })) {
            *error = noAnswer;
            return false;
        }
        if (m_up)
            return true;
        if (target.kind != LinkTarget::Tcp) {
            *error = tr("cannot reach %1: %2").arg(target.describe(), m_lastStatus);
            return false;
        }
        QString reason;
        if (!LinkProbe::tryAgain(target, deadline, &reason)) {
            *error = reason.isEmpty() ? noAnswer : tr("cannot reach %1: %2").arg(target.describe(), reason);
            return false;
        }
    }
}

// The cloud channel's reports, DevStatus messages too, leave "STATUS" as it is.
void DeviceLink::onMessage(KVDeviceInterface::KVDeviceMessage type, const QString &text)
{
    if (type != KVDeviceInterface::DevStatus)
        return;
    const KVDeviceProperty *status = m_device->property_ptr("STATUS");
    const bool connected = status && isUpState(status->value().toInt());
    if (connected && m_up)
        return;
    m_lastStatus = text;
    if (connected) {
        m_up = true;
    } else if (m_up) {
        m_up = false;
        Q_EMIT lost(text);
    } else {
        m_refused = true;
    }
    Q_EMIT statusChanged();
}
