// The common device class with its documented operations. Its data members are left out: a host
// neither constructs nor derives from it (the library's object carries more than they make).
#ifndef HOST_KVCOMMONINTERFACE_H
#define HOST_KVCOMMONINTERFACE_H

#include "kvdeviceinterface.h"

#include <QAbstractSocket>
#include <QJsonObject>

class Q_DECL_IMPORT KVCommonInterface : public KVDeviceInterface
{
    Q_OBJECT
public:
    explicit KVCommonInterface(QObject *parent = nullptr);
    ~KVCommonInterface();
    void systemLanguage();

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

    void init583(KVDeviceInterface *device);
    void info_583(KVDeviceInterface *device);
    void init261(KVDeviceInterface *device);
    void info_261(KVDeviceInterface *device);
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

    void connect_usb(QString path);
    void connect_tcp(QString address);
    void decode_buffer();
    void send_cmd(QByteArray frame);
    void heartbeat_switch(bool on);
    void decode_cmd(QString item, QString &head, int &code, QString &value);
    void decode_task(QString report);

    void cloud_device_model_get(QJsonObject body);
    void cloud_device_get(QJsonObject body);
    void cloud_device_new(QJsonObject body);
    void cloud_device_update(QJsonObject body);
    void cloud_device_workrecord(QJsonObject body);
    void connect_websocket();
    void device_task_to_cloud();
    void device_task_record_to_cloud();
    void device_info_to_cloud();

public slots:
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
};

#endif
