#ifndef LINKSUPPORT_H
#define LINKSUPPORT_H

#include "attach.h"
#include "framestream.h"
#include "kvcommoninterface.h"
#include "kvdeviceproperty.h"

#include <QDateTime>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QVariant>

// A device object of the common class that keeps every frame the receive path cuts instead of
// dispatching it (unless told to dispatch), and shows its transports.
class ProbeDevice : public KVCommonInterface
{
public:
    using KVCommonInterface::decode_cmd;

    QStringList frames;
    bool dispatch = false;

    void decode_cmd(QString frame) override
    {
        frames.append(frame);
        if (dispatch)
            KVCommonInterface::decode_cmd(frame);
    }

    QTcpSocket *socket() const { return tcp_socket; }
    UsbOperate *usb() const { return usb_operate; }
    QTimer &timer() { return device_timer; }
    const QByteArray &pending() const { return receive_buffer; }

    KVDeviceProperty *add(const char *key, const QVariant &value, int get = 0, int set = 0, int len = 0,
                          KVDeviceCMDType type = UnCMD)
    {
        auto *record = new KVDeviceProperty;
        record->init(value, QString(), QString(), get, set, len, type);
        KVAttach::toDevice(this, key, record);
        return record;
    }

    // What the link needs of a catalogue: "STATUS", "CONNECT_MODE", "TCP_PORT", "LAST_TIME".
    void addLinkRecords(int port = 9100)
    {
        add("STATUS", 0);
        add("CONNECT_MODE", QString());
        add("TCP_PORT", port);
        add("LAST_TIME", QDateTime::currentDateTime());
    }

    int status() { return property_ptr("STATUS")->value().toInt(); }
    QString mode() { return property_ptr("CONNECT_MODE")->value().toString(); }
};

inline QByteArray frame(const char *body)
{
    return KVFrameStream::pack(QByteArray(body));
}

// A TCP peer on 127.0.0.1 that collects what its one client sends.
class PeerServer : public QTcpServer
{
public:
    QTcpSocket *client = nullptr;
    QByteArray received;

    PeerServer()
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            client = nextPendingConnection();
            connect(client, &QTcpSocket::readyRead, this, [this] { received += client->readAll(); });
        });
    }
};

#endif // LINKSUPPORT_H
