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

// The device reports only "connected" or "disconnected"; where the link does not come up, a
// connection of this host's own says why. Qt gives up a TCP connection attempt after 30 s: while
// the host stays silent and time is left, the device tries again.
bool DeviceLink::open(const LinkTarget &target, int timeoutMs, QString *error)
{
    m_target = target;
    if (target.kind == LinkTarget::Usb) {
        m_device->setUSBPath(target.address);
    } else {
        m_device->setIPAddress(target.address);
        if (KVDeviceProperty *port = m_device->property_ptr("TCP_PORT"))
            port->setValue(target.port);
    }
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

void DeviceLink::onMessage(KVDeviceInterface::KVDeviceMessage type, const QString &text)
{
    if (type != KVDeviceInterface::DevStatus || text.startsWith(QLatin1String("WEB SOCKET")))
        return;
    m_lastStatus = text;
    const bool connected = text.endsWith(QLatin1String(" CONNECTED.")) && !text.contains(QLatin1String("DIS"));
    if (connected) {
        m_up = true;
    } else if (m_up) {
        m_up = false;
        m_lost = true;
        Q_EMIT lost(text);
    } else {
        m_refused = true;
    }
    Q_EMIT statusChanged();
}
