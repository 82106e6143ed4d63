#ifndef KVRV520MAXCAM_H
#define KVRV520MAXCAM_H

#include "kvcommoninterface.h"

// The KV-RV520MAXCam camera cutting plotter ("583" dialect). The plug-in's root object is one
// of these; it is a factory whose initInstance() returns a new, fully populated device object.
class KVDEVICE_EXPORT KVRV520MAXCam : public KVCommonInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QGenericPluginFactoryInterface" FILE "kvrv520maxcam.json")
    Q_INTERFACES(KVDeviceInterface)
public:
    explicit KVRV520MAXCam(QObject *parent = nullptr);
    ~KVRV520MAXCam() override;

    KVDeviceInterface *initInstance() override;
    QList<QString> userProperty() override;
    QList<QString> sysProperty() override;
    void startTask() override;
    void move(int first, int second) override;
    int icon() override;

    using KVCommonInterface::decode_cmd;
    using KVCommonInterface::decode_task;

    // Copy-end notice of the firmware: counts the copy and requests the next one.
    void decode_task();

public Q_SLOTS:
    void decode_cmd(QString frame) override;

protected:
    // Gives `device` the model's whole catalogue, as initInstance does for its new objects;
    // lets a derived class (a test double, a variant of the model) build the same device.
    void populate(KVDeviceInterface *device);

private:
    // The model's own records (task, camera offset group, speed, pressure, model, jog, ...).
    void add_model_records(KVDeviceInterface *device);
    void add_model_identity(KVDeviceInterface *device);
};

#endif // KVRV520MAXCAM_H
