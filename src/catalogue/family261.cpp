#include "kvcommoninterface.h"

#include "entry.h"

#include <QDateTime>

using KVCatalogue::widget;

void KVCommonInterface::init261(KVDeviceInterface *device)
{
    // key, label, unit, value, get, set, length, type, widget
    KVCatalogue::add(device, {
        { "STATUS", tr("状态"), {}, 0, 0, 0, 0, UnCMD },
        { "TCP_PORT", tr("端口"), {}, 9100, 0, 0, 0, UnCMD },
        { "CONNECT_MODE", tr("连接方式"), {}, QString(), 0, 0, 0, UnCMD },
        { "QRCODE_COPIES", tr("份数"), tr("份"), 1, 54, 54, 1, CCMD },
        { "QRCODE_FILE", tr("二维码文件"), {}, QString(), 55, 55, 1, CCMD },
        { "TASK_COPIES", tr("份数"), tr("份"), 1, 1, 1, 1, NUM },
        { "TASK_PLT", tr("plt"), {}, QString(), 1, 1, 1, PLT },
        { "TASK_STOP", tr("停止"), {}, 2, 125, 125, 1, CMD },
        { "TASK_PAUSE", tr("暂停"), {}, 0, 125, 125, 1, CMD },
        { "TASK_RESUME", tr("继续"), {}, 1, 125, 125, 1, CMD },
        { "QR_PLT", tr("QR PLT"), {}, QString(), 1, 1, 1, QRPLT },
        { "FLAG_POINT", tr("设原点"), {}, 1, 87, 87, 1, CMD },
        { "BACK_FLAG_POINT", tr("回原点"), {}, 1, 93, 93, 1, CMD },
        { "TASK_MODE", tr("任务模式"), {}, 0, 0, 0, 0, UnCMD },
        { "LAST_TIME", QString(), {}, QDateTime::currentDateTime(), 0, 0, 0, UnCMD },
        { "HEARTBEAT", tr("心跳"), tr("秒"), 2, 1010, 1010, 1, CCMD },
        { "FILE_PREVIEW", tr("预览"), {}, QByteArray(), 0, 0, 0, UnCMD },
        { "TASK_FILE_INFO", tr("工作文件"), {}, QJsonObject(), 0, 0, 0, UnCMD },
        { "WORK_MODE", tr("切割质量"), {}, 0u, 27, 27, 1, CMD, KVCatalogue::workModeWidget() },
        { "PU_SPEED", tr("PU 速度"), {}, 0u, 26, 26, 1, CMD,
          widget("QSpinBox", { { "max", 700 }, { "min", 10 } }) },
        { "DEVICE_CLOUD", tr("数据上传"), {}, QJsonObject(), 0, 0, 0, UnCMD },
    });
}

// The machine information of this dialect is read in one exchange (command 2) whose reply
// fields fill the members of "DEVICE_INFO" in the order of its value.
void KVCommonInterface::info_261(KVDeviceInterface *device)
{
    const QJsonObject lineEdit = widget("QLineEdit");
    const QJsonObject label = widget("QLabel");
    KVCatalogue::add(device, {
        { "FIRMWARE", tr("固件版本"), {}, QString(), 0, 0, 1, CCMD, lineEdit },
        { "DEVICE_ID", tr("机器编号"), {}, QString(), 0, 44, 1, CCMD, lineEdit },
        { "PCB_ID", tr("PCB编号"), {}, QString(), 0, 46, 1, CCMD, lineEdit },
        { "PCB_VERSION", tr("PCB版本"), {}, QString(), 0, 48, 1, CCMD, lineEdit },
        { "DEVICE_CONFIG_NO", tr("配置号"), {}, QString(), 0, 0, 0, UnCMD, label },
        { "DEVICE_UNIQUE_ID", tr("Unique ID"), {}, QString(), 57, 0, 1, CCMD, label },
        { "DEVICE_MODEL", tr("型号"), {}, QStringLiteral("KV-TRX3104MAXCam"), 0, 0, 0, UnCMD, label },
    });
    const auto fields = { "DEVICE_MODEL", "DEVICE_ID", "PCB_ID", "PCB_VERSION", "FIRMWARE",
                          "DEVICE_CONFIG_NO" };
    KVCatalogue::addGroup(device,
        { "DEVICE_INFO", tr("机器信息"), {}, KVCatalogue::memberKeys(fields), 2, 0, 1, CCMD },
        fields);
}
