#ifndef KVHOST_DEVICELINK_H
#define KVHOST_DEVICELINK_H

#include "kvdeviceinterface.h"

#include <QObject>
#include <QString>

// Where the device is: a TCP address and port or a USB device file.
struct LinkTarget
{
    enum Kind { None, Tcp, Usb };
    Kind kind = None;
    QString address; // host name or IP address, or the USB device path
    int port = 9100;

    // "HOST", "HOST:PORT", "[IPv6]:PORT"; false for a bad port.
    static bool parseTcp(const QString &text, LinkTarget *target);
    QString describe() const;
};

// Opens the link of a device object and watches it: the device sets its "STATUS" record, then
// reports the link with a DevStatus message, and this turns them into "up" and "lost".
class DeviceLink : public QObject
{
    Q_OBJECT
public:
    explicit DeviceLink(KVDeviceInterface *device, QObject *parent = nullptr);

    // Hands the device its address (and forgets an address of the other kind).
    void aim(const LinkTarget &target);
    // Hands the device its address, connects and waits for the link report.
    bool open(const LinkTarget &target, int timeoutMs, QString *error);
    // Connects again to where open() went, after the link was lost.
    bool reopen(int timeoutMs, QString *error) { return open(m_target, timeoutMs, error); }
    bool isUp() const { return m_up; }
    // The link states ("STATUS") a transport sets when it connects.
    static bool isUpState(int status) { return status >= KVDeviceInterface::Idle && status <= KVDeviceInterface::Pause; }
    QString lastStatus() const { return m_lastStatus; }

Q_SIGNALS:
    void statusChanged();
    void lost(QString reason);

private:
    void onMessage(KVDeviceInterface::KVDeviceMessage type, const QString &text);

    KVDeviceInterface *m_device;
    LinkTarget m_target;
    bool m_up = false;
    bool m_refused = false;
    QString m_lastStatus;
};

#endif // KVHOST_DEVICELINK_H
