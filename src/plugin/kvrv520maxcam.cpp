#include "kvrv520maxcam.h"

KVRV520MAXCam::KVRV520MAXCam(QObject *parent)
    : KVCommonInterface(parent)
{
    installTranslation();
}

KVRV520MAXCam::~KVRV520MAXCam() = default;

KVDeviceInterface *KVRV520MAXCam::initInstance()
{
    auto *device = new KVRV520MAXCam;
    populate(device);
    return device;
}

void KVRV520MAXCam::populate(KVDeviceInterface *device)
{
    init583(device);
    add_model_records(device);
    info_583(device);
    add_model_identity(device);
}

QList<QString> KVRV520MAXCam::userProperty()
{
    return { QStringLiteral("WORK_MODE"), QStringLiteral("PRESSURE"), QStringLiteral("SPEED"),
             QStringLiteral("CAMERA_OFFSET"), QStringLiteral("SCALE") };
}

QList<QString> KVRV520MAXCam::sysProperty()
{
    return { QStringLiteral("DEVICE_MODEL_NAME"), QStringLiteral("FIRMWARE"),
             QStringLiteral("DEVICE_ID"), QStringLiteral("PCB_ID"), QStringLiteral("PCB_VERSION") };
}

int KVRV520MAXCam::icon()
{
    return 0xE626;
}
