// The device interface as the plug-in's documentation describes it to host developers, written
// without the plug-in's own headers. The library supplies every definition (meta-objects
// included), so this header is compiled but never run through moc.
#ifndef HOST_KVDEVICEINTERFACE_H
#define HOST_KVDEVICEINTERFACE_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class KVDeviceProperty;
class PivenaCloud;

class Q_DECL_IMPORT KVDeviceInterface : public QObject
{
    Q_OBJECT
public:
    enum KVDeviceStatus { DisConnected, Idle, Working, Pause, Warning, Error };
    Q_ENUM(KVDeviceStatus)
    enum KVDeviceMessage { DevStatus, DevTasK, Qrcode };
    Q_ENUM(KVDeviceMessage)
    enum KVDeviceCMDType { UnCMD, CCMD, CMD, NUM, PLT, PPLT, QRPLT };
    Q_ENUM(KVDeviceCMDType)

    explicit KVDeviceInterface(QObject *parent = nullptr);
    ~KVDeviceInterface();
    static QString buildDate();

signals:
    void message(KVDeviceMessage type, QString text);

public slots:
    virtual KVDeviceInterface *initInstance();
    virtual void setUSBPath(QString path);
    virtual void setIPAddress(QString address);
    virtual bool connectDevice();
    virtual KVDeviceProperty *property_ptr(const char *key);
    virtual QList<QString> userProperty();
    virtual QList<QString> sysProperty();
    virtual void sendCMD(QByteArray frame);
    virtual void setPivenaCloud(PivenaCloud *cloud, QString code);
    virtual void startTask();
    virtual void stopTask();
    virtual void move(int first, int second);
    virtual int icon();
    virtual void setPlt(QString plt);
};

Q_DECLARE_INTERFACE(KVDeviceInterface, "Orsa.pivena.kvdeviceinterface")

#endif
