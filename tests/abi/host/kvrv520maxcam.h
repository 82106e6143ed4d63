// The model class: the plug-in's root object and the class of every device object it makes.
#ifndef HOST_KVRV520MAXCAM_H
#define HOST_KVRV520MAXCAM_H

#include "kvcommoninterface.h"

class Q_DECL_IMPORT KVRV520MAXCam : public KVCommonInterface
{
    Q_OBJECT
public:
    explicit KVRV520MAXCam(QObject *parent = nullptr);
    ~KVRV520MAXCam();

    KVDeviceInterface *initInstance() override;
    QList<QString> userProperty() override;
    QList<QString> sysProperty() override;
    void startTask() override;
    void move(int first, int second) override;
    int icon() override;
    void decode_task();

public slots:
    void decode_cmd(QString frame) override;
};

#endif
