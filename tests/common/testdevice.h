#ifndef TESTDEVICE_H
#define TESTDEVICE_H

// The device doubles and loopback helpers the tests share.

#include "attach.h"
#include "framestream.h"
#include "kvcommoninterface.h"
#include "kvdeviceproperty.h"
#include "kvrv520maxcam.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QJsonObject>
#include <QSignalSpy>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QVariant>
#include <QWebSocket>

#include <memory>

// A port on 127.0.0.1 that nothing listens on.
inline quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort(); // closed again when the server goes
}

// A device object that keeps the frames it is asked to send instead of writing them to a link.
template <class Device>
class Recording : public Device
{
public:
    void sendCMD(QByteArray frame) override
    {
        if (!frame.isEmpty())
            sent.append(frame);
    }
    QList<QByteArray> sent;
};

// The model with its whole catalogue, recording what it sends.
class RecordingModel : public Recording<KVRV520MAXCam>
{
public:
    RecordingModel() { populate(this); }
};

// The common class with the 261 catalogue and its jog records, recording what it sends.
class RecordingCommon : public Recording<KVCommonInterface>
{
public:
    RecordingCommon()
    {
        init261(this);
        move_261(this);
    }
};

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

// A model device whose cloud members a test can see and set.
class CloudDevice : public KVRV520MAXCam
{
public:
    CloudDevice() { populate(this); }

    QTimer &retryTimer() { return cloud_retry_timer; }
    QJsonObject &cloudRecord() { return cloud_device; }
    QJsonObject mirrored() { return property_ptr("DEVICE_CLOUD")->value().toJsonObject(); }
    bool registered() { return mirrored().contains(QLatin1String("id")); }
    bool channelUp() const { return web_socket && web_socket->state() == QAbstractSocket::ConnectedState; }
    void set(const char *key, const QVariant &value) { property_ptr(key)->setValue(value); }
    QJsonObject taskRecord() { return property_ptr("TASK")->value().toJsonObject(); }
};

// A device object as a host holds one (made by the plug-in's root object), and the ways the tests
// talk to it over a real link.
struct HostDevice
{
    explicit HostDevice(int family)
    {
        device.reset(family == 583 ? root.initInstance() : root.KVCommonInterface::initInstance());
        messages = std::make_unique<QSignalSpy>(device.get(), &KVDeviceInterface::message);
    }

    KVDeviceProperty *record(const char *key) { return device->property_ptr(key); }
    int status() { return record("STATUS")->value().toInt(); }

    // Connects over TCP and waits for the link report; true when the link is up.
    bool connectTcp(quint16 port)
    {
        device->setIPAddress(QStringLiteral("127.0.0.1"));
        record("TCP_PORT")->setValue(int(port));
        return device->connectDevice() && waitForStatus(2);
    }
    bool connectUsb(const QString &path)
    {
        device->setUSBPath(path);
        return device->connectDevice() && waitForStatus(2);
    }
    bool waitForStatus(int wanted, int timeoutMs = 5000)
    {
        return QTest::qWaitFor([&] { return status() == wanted; }, timeoutMs);
    }

    // Sends the read (or write) frame of `key` and waits for the device's answer; the answer's
    // result (0 accepted), or -1 when none came in time.
    int exchange(const char *key, bool write = false, int timeoutMs = 2000)
    {
        KVDeviceProperty *target = record(key);
        QSignalSpy answered(target, &KVDeviceProperty::retStatus);
        device->sendCMD(write ? target->set_cmd_bytes() : target->get_cmd_bytes());
        if (!answered.wait(timeoutMs))
            return -1;
        return answered.first().first().toInt();
    }

    QJsonObject task() { return record("TASK")->value().toJsonObject(); }
    bool sawMessage(const QString &text) const
    {
        for (const QList<QVariant> &message : *messages) {
            if (message.at(1).toString() == text)
                return true;
        }
        return false;
    }

    KVRV520MAXCam root;
    std::unique_ptr<KVDeviceInterface> device;
    std::unique_ptr<QSignalSpy> messages;
};

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

#endif // TESTDEVICE_H
