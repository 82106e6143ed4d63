#ifndef KVCOMMONINTERFACE_H
#define KVCOMMONINTERFACE_H

#include "kvdeviceinterface.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QJsonObject>
#include <QMutex>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QTranslator>

#include <functional>
#include <memory>

QT_BEGIN_NAMESPACE
class QTcpSocket;
class QWebSocket;
QT_END_NAMESPACE

class UsbOperate;
class PivenaCloud;
class KVSendQueue;

// The common device implementation: link, frame path, reply dispatch, task control, cloud
// link and the catalogue builders of both command dialects ("261" and "583").
class KVDEVICE_EXPORT KVCommonInterface : public KVDeviceInterface
{
    Q_OBJECT
    Q_INTERFACES(KVDeviceInterface)
public:
    explicit KVCommonInterface(QObject *parent = nullptr);
    ~KVCommonInterface() override;

    void systemLanguage();
    QString currentLanguage() const { return language; }

    // KVDeviceInterface
    KVDeviceInterface *initInstance() override;
    void setUSBPath(QString path) override;
    void setIPAddress(QString address) override;
    bool connectDevice() override;
    KVDeviceProperty *property_ptr(const char *key) override;
    QList<QString> userProperty() override;
    void sendCMD(QByteArray frame) override;
    void setPivenaCloud(PivenaCloud *cloud, QString code) override;
    void startTask() override;
    void stopTask() override;
    void move(int first, int second) override;

    // Catalogue builders, dialect "583" (the model) and "261".
    void init583(KVDeviceInterface *device);
    void info_583(KVDeviceInterface *device);
    void init261(KVDeviceInterface *device);
    void info_261(KVDeviceInterface *device);
    // Optional groups.
    void camera_offset_261(KVDeviceInterface *device);
    void camera_offset_583(KVDeviceInterface *device);
    void feed_261(KVDeviceInterface *device);
    void scale_261(KVDeviceInterface *device);
    void scale_583(KVDeviceInterface *device);
    void sp1_261(KVDeviceInterface *device);
    void sp2_261(KVDeviceInterface *device);
    void tool_space_261(KVDeviceInterface *device);
    void work_area_261(KVDeviceInterface *device);
    void work_area_583(KVDeviceInterface *device);
    void move_261(KVDeviceInterface *device);

    // Link.
    void connect_usb(QString path);
    void connect_tcp(QString address);
    void decode_buffer();
    void send_cmd(QByteArray frame);
    void heartbeat_switch(bool on);

    // Reply dispatch.
    void decode_cmd(QString item, QString &head, int &code, QString &value);
    void decode_task(QString report);

    // Cloud link.
    void cloud_device_model_get(QJsonObject body);
    void cloud_device_get(QJsonObject body);
    void cloud_device_new(QJsonObject body);
    void cloud_device_update(QJsonObject body);
    void cloud_device_workrecord(QJsonObject body);
    void connect_websocket();
    void device_task_to_cloud();
    void device_task_record_to_cloud();
    void device_info_to_cloud();

public Q_SLOTS:
    virtual void decode_cmd(QString frame);

    void slot_usb_write(QByteArray data);
    void slot_usb_read(QByteArray data);
    void slot_usb_status(int s);
    void slot_tcp_socket_read();
    void slot_tcp_socket_state(QAbstractSocket::SocketState s);
    void slot_device_timer();
    void slot_websocket_connected();
    void slot_websocket_disconnected();
    void slot_websocket_error(QAbstractSocket::SocketError error);
    void slot_websocket_text_received(const QString &message);

protected:
    // Drops the reply matching index whenever a dynamic property is set or cleared.
    bool event(QEvent *event) override;

    // Installs KV-RV520MAXCam_<language>.qm from the host's translations folder (shared with
    // the other device objects of the same language) for as long as this object lives.
    void installTranslation();

    UsbOperate *usb_operate = nullptr;
    QTcpSocket *tcp_socket = nullptr;
    QByteArray receive_buffer;
    QTimer device_timer;
    // The host owns the client and may drop it before the device: a guarded pointer.
    QPointer<PivenaCloud> cloud;
    QWebSocket *web_socket = nullptr;
    QString last_task_frame;
    QString last_channel_text;
    QMutex send_mutex;
    std::shared_ptr<QTranslator> translator; // shared by the devices of one language
    QJsonObject cloud_device;
    QString language;

    // Repeats the device query after a request that got no answer (single shot, 10 s unless
    // KV_CLOUD_RETRY_MS says otherwise); stops with the device object.
    QTimer cloud_retry_timer;

private:
    // Sends one request through `cloud`; `handler` gets the HTTP status (0 without an answer),
    // the success flag and the reply's JSON object, and runs only while this device object
    // exists and no newer setPivenaCloud has started over.
    using CloudReply = std::function<void(int status, bool ok, const QJsonObject &answer)>;
    void cloud_request(const char *path, const char *method, const QJsonObject &body, CloudReply handler = {});
    void setup_cloud_retry();
    quint64 cloud_registration = 0;

    // Receive path: how many bytes of receive_buffer are known to hold no 0x03, and whether
    // frames are being cut right now (bytes that arrive while a frame is handled wait for the
    // running cut instead of starting a second one).
    qsizetype receive_searched = 0;
    bool receive_cutting = false;
    // Shared by both receive slots: refreshes "LAST_TIME", appends and cuts.
    void receive(const char *operation, const QByteArray &data);

    // Reply matching: (command type, code) -> the first record in attachment order that reads or
    // writes that code; rebuilt on the first reply after the dynamic properties changed.
    QHash<quint64, KVDeviceProperty *> reply_targets;
    bool reply_targets_valid = false;
    KVDeviceProperty *reply_target(KVDeviceCMDType type, int code);

public:
    // Sends the write frame of a plot record (PLT, PPLT or QR_PLT) the way send_cmd sends a frame,
    // but encoded from the record's text while the transport takes it: the frame is never built
    // whole, and frames sent meanwhile follow it. Any other record goes through sendCMD.
    void send_plot(KVDeviceProperty *record);

private:
    // Frames on their way to the transport (outgoing() creates it with the first one).
    std::unique_ptr<KVSendQueue> send_queue;
    KVSendQueue &outgoing();
    // Where a frame of `bytes` bytes goes now (the gate of send_cmd and the transport that
    // reported last), or an empty function when it is dropped.
    std::function<void(const QByteArray &, bool)> send_route(const char *operation, qsizetype bytes);

    // Receive path: "LAST_TIME" as last stamped, and when (see stamp_reception).
    QDateTime last_stamp;
    QElapsedTimer stamp_clock;
    void stamp_reception(KVDeviceProperty *last);
};

#endif // KVCOMMONINTERFACE_H
