#include "kvrv520maxcam.h"

#include "entry.h"
#include "protocolnames.h"

using KVCatalogue::widget;

// The task record a device starts with: no job, nothing cut, complete.
static QJsonObject idleTaskRecord()
{
    return { { KVTaskKey::Finished, 0 }, { KVTaskKey::Status, 0 },
             { KVTaskKey::TaskCopies, 0 }, { KVTaskKey::Percent, 100 } };
}

void KVRV520MAXCam::add_model_records(KVDeviceInterface *device)
{
    // Speed and pressure commands carry the fixed parameter "0" after their code.
    const QList<QString> fixedZero{ QStringLiteral("0") };
    // key, label, unit, value, get, set, length, type, widget, params
    KVCatalogue::add(device, { "TASK", tr("当前任务"), {}, idleTaskRecord(), 0, 0, 0, UnCMD });
    KVCatalogue::addCameraOffset583(device, { tr("x"), tr("y"), tr("摄像头偏移") }, 18, 17);
    KVCatalogue::add(device, {
        { "SPEED", tr("速度"), QStringLiteral("(mm/s)"), 0u, 7, 6, 1, CCMD,
          widget("QSpinBox", { { "max", 800 }, { "min", 10 } }), fixedZero },
        { "PRESSURE", tr("压力"), QStringLiteral("(gf)"), 0u, 9, 8, 1, CCMD,
          widget("QSpinBox", { { "max", 500 }, { "min", 0 } }), fixedZero },
    });
}

void KVRV520MAXCam::add_model_identity(KVDeviceInterface *device)
{
    const QJsonObject label = widget("QLabel");
    KVCatalogue::add(device, {
        { "DEVICE_MODEL", tr("型号"), {}, QStringLiteral("KV-RV520MAXCam"), 0, 0, 0, UnCMD, label },
        { "DEVICE_MODEL_NAME", tr("名称"), {}, QStringLiteral("520经济款单张机"), 0, 0, 0, UnCMD, label },
        { "MOVE", tr("移动"), {}, QString(), 0, 65, 1, CCMD },
        { "TASK_REPEAT", tr("重复上次"), {}, 1, 0, 30, 1, CCMD },
        { "SET_WIFI", tr("设置WIFI"), {}, 1, 0, 0, 1, CCMD },
        { "SET_MARK", tr("设置标记点类型"), {}, 1, 0, 1000, 1, CCMD },
    });
}
