#include "kvcommoninterface.h"

#include "attach.h"
#include "kvdeviceproperty.h"
#include "kvlogging.h"
#include "sendqueue.h"
#include "usboperate.h"

#include <QNetworkInterface>
#include <QNetworkProxy>
#include <QTcpSocket>

namespace {

// The record "USB" or "TCP": where the device is.
KVDeviceProperty *addressRecord(const QString &address, const QString &label)
{
    auto *record = new KVDeviceProperty;
    record->init(address, label, QString(), 0, 0, 0, KVDeviceInterface::UnCMD);
    return record;
}

void setConnectMode(KVCommonInterface *device, const QString &mode)
{
    if (KVDeviceProperty *record = device->property_ptr("CONNECT_MODE"))
        record->setValue(mode);
}

// The USB transport is bound by signature: its signals are found by name at run time, so the
// plug-in never depends on where the transport's signal functions sit. A binding that fails
// leaves the link deaf or mute, and says so.
void connectBySignature(UsbOperate *transport, const char *signal, KVCommonInterface *device, const char *slot)
{
    if (!QObject::connect(transport, signal, device, slot))
        qCWarning(lcKvDevice) << "KVCommonInterface::connect_usb" << "transport signal not connected:" << signal + 1
                              << "to" << slot + 1;
}

// A transport reported that the link is up or down: "STATUS" first, then the host's message,
// then the heartbeat timer, which runs only while the link is up.
void reportLink(KVCommonInterface *device, KVDeviceInterface::KVDeviceStatus status,
                const QString &text, bool up)
{
    KVDeviceProperty *record = device->property_ptr("STATUS");
    if (!record)
        return;
    record->setValue(int(status));
    Q_EMIT device->message(KVDeviceInterface::DevStatus, text);
    device->heartbeat_switch(up);
}

} // namespace

void KVCommonInterface::setUSBPath(QString path)
{
    KVAttach::toDevice(this, "USB", addressRecord(path, tr("USB 地址")));
}

void KVCommonInterface::setIPAddress(QString address)
{
    KVAttach::toDevice(this, "TCP", addressRecord(address, tr("IP 地址")));
}

bool KVCommonInterface::connectDevice()
{
    const KVDeviceProperty *status = property_ptr("STATUS");
    if (status && status->value().toInt() != DisConnected)
        return false;
    if (const KVDeviceProperty *usb = property_ptr("USB")) {
        connect_usb(usb->value().toString());
        return true;
    }
    if (const KVDeviceProperty *tcp = property_ptr("TCP")) {
        connect_tcp(tcp->value().toString());
        return true;
    }
    return false;
}

void KVCommonInterface::connect_usb(QString path)
{
    if (!usb_operate) {
        usb_operate = new UsbOperate;
        connectBySignature(usb_operate, SIGNAL(writeData(QByteArray)), this, SLOT(slot_usb_write(QByteArray)));
        connectBySignature(usb_operate, SIGNAL(readData(QByteArray)), this, SLOT(slot_usb_read(QByteArray)));
        connectBySignature(usb_operate, SIGNAL(statusChanged(int)), this, SLOT(slot_usb_status(int)));
        connect(usb_operate, &UsbOperate::bytesWritten, this, [this] { outgoing().drained(); });
    }
    qCDebug(lcKvDevice) << "KVCommonInterface::connect_usb" << path;
    usb_operate->usbConnect(path, UsbOperate::AutoDetect, false);
}

void KVCommonInterface::connect_tcp(QString address)
{
    qCDebug(lcKvDevice) << "KVCommonInterface::connect_tcp";
    if (!tcp_socket) {
        qCDebug(lcKvDevice) << "KVCommonInterface::connect_tcp" << QNetworkInterface::allAddresses();
        tcp_socket = new QTcpSocket(this);
        qCDebug(lcKvDevice) << "KVCommonInterface::connect_tcp" << tcp_socket->localAddress();
        tcp_socket->setReadBufferSize(10240);
        tcp_socket->setSocketOption(QAbstractSocket::KeepAliveOption, true);
        connect(tcp_socket, &QTcpSocket::readyRead, this, &KVCommonInterface::slot_tcp_socket_read);
        connect(tcp_socket, &QTcpSocket::stateChanged, this, &KVCommonInterface::slot_tcp_socket_state);
        connect(tcp_socket, &QTcpSocket::bytesWritten, this, [this] { outgoing().drained(); });
    }
    const KVDeviceProperty *port = property_ptr("TCP_PORT");
    if (!port)
        return;
    // A link declared lost by the heartbeat may still have its socket open, and a socket that is
    // not unconnected ignores connectToHost: start the new connection from a closed socket.
    if (tcp_socket->state() != QAbstractSocket::UnconnectedState) {
        qCDebug(lcKvDevice) << "KVCommonInterface::connect_tcp" << "closing the previous connection"
                            << tcp_socket->state();
        tcp_socket->abort();
    }
    const quint16 portNumber = quint16(port->value().toInt());
    qCDebug(lcKvDevice) << "KVCommonInterface::connect_tcp" << address << portNumber;
    tcp_socket->connectToHost(address, portNumber, QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
    qCDebug(lcKvDevice) << "KVCommonInterface::connect_tcp" << "OK" << tcp_socket->localAddress()
                        << tcp_socket->proxy().type();
}

void KVCommonInterface::slot_usb_status(int s)
{
    setConnectMode(this, QStringLiteral("USB"));
    switch (s) {
    case UsbOperate::Connected:
        reportLink(this, Working, QStringLiteral("USB CONNECTED."), true);
        break;
    case UsbOperate::Failed:
        outgoing().abandon();
        reportLink(this, Warning, QStringLiteral("USB ERROR."), false);
        break;
    case UsbOperate::Disconnected:
        outgoing().abandon();
        reportLink(this, DisConnected, QStringLiteral("USB DISCONNECTED."), false);
        break;
    default:
        break;
    }
}

void KVCommonInterface::slot_tcp_socket_state(QAbstractSocket::SocketState s)
{
    qCDebug(lcKvDevice) << "KVCommonInterface::slot_tcp_socket_state" << s;
    setConnectMode(this, QStringLiteral("TCP"));
    switch (s) {
    case QAbstractSocket::ConnectedState:
        reportLink(this, Working, QStringLiteral("TCP CONNECTED."), true);
        break;
    case QAbstractSocket::UnconnectedState:
        outgoing().abandon();
        reportLink(this, DisConnected, QStringLiteral("TCP DISCONNECTED."), false);
        break;
    default:
        break;
    }
}
