#ifndef KVDEVICEINTERFACE_H
#define KVDEVICEINTERFACE_H

#include <QList>
#include <QObject>
#include <QString>
#include <QByteArray>

#if defined(KVRV520MAXCAM_LIBRARY)
#  define KVDEVICE_EXPORT Q_DECL_EXPORT
#else
#  define KVDEVICE_EXPORT Q_DECL_IMPORT
#endif

class KVDeviceProperty;
class PivenaCloud;

// The device API a host programs against. A device's whole parameter set lives in dynamic
// properties of the device object: each upper-case key holds a KVDeviceProperty* record, which
// the device object owns and deletes when it is destroyed.
class KVDEVICE_EXPORT KVDeviceInterface : public QObject
{
    Q_OBJECT
public:
    enum KVDeviceStatus { DisConnected = 0, Idle = 1, Working = 2, Pause = 3, Warning = 4, Error = 5 };
    Q_ENUM(KVDeviceStatus)

    enum KVDeviceMessage { DevStatus = 0, DevTasK = 1, Qrcode = 2 };
    Q_ENUM(KVDeviceMessage)

    enum KVDeviceCMDType { UnCMD = 0, CCMD = 1, CMD = 2, NUM = 3, PLT = 4, PPLT = 5, QRPLT = 6 };
    Q_ENUM(KVDeviceCMDType)

    explicit KVDeviceInterface(QObject *parent = nullptr);
    ~KVDeviceInterface() override;

    // Build date of the plug-in as "yyyy - MM - dd".
    static QString buildDate();
    // The same conversion for any date in the compiler's "Mmm dd yyyy" form.
    static QString formatBuildDate(const QString &compilerDate);

Q_SIGNALS:
    void message(KVDeviceInterface::KVDeviceMessage type, QString text);

public Q_SLOTS:
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

#define KVDeviceInterface_iid "Orsa.pivena.kvdeviceinterface"
Q_DECLARE_INTERFACE(KVDeviceInterface, KVDeviceInterface_iid)

#endif // KVDEVICEINTERFACE_H
