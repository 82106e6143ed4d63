#include "kvcommoninterface.h"

#include "entry.h"

#include <QDateTime>

using KVCatalogue::widget;

void KVCommonInterface::init583(KVDeviceInterface *device)
{
    // key, label, unit, value, get, set, length, type, widget
    KVCatalogue::add(device, {
        { "STATUS", tr("状态"), {}, 0, 0, 0, 0, UnCMD },
        { "DEVICE_STATUS", tr("电机状态"), {}, QString(), 4, 0, 1, CCMD },
        { "TCP_PORT", tr("端口"), {}, 9100, 0, 0, 0, UnCMD },
        { "FILE_PREVIEW", tr("预览"), {}, QByteArray(), 0, 0, 0, UnCMD },
        { "TASK_FILE_INFO", tr("工作文件"), {}, QJsonObject(), 0, 0, 0, UnCMD },
        { "GET_QRCODE", tr("获取二维码"), {}, QVariant(), 11, 0, 1, CCMD },
        { "QRCODE_FILE", tr("二维码文件"), {}, QString(), 55, 55, 1, CCMD },
        { "TASK_COPIES", tr("份数"), tr("份"), 1, 30, 30, 1, CCMD },
        { "TASK_PPLT", tr("pplt"), {}, QString(), 0, 1, 1, PPLT },
        { "TASK_STOP", tr("停止"), {}, 2, 27, 27, 1, CCMD },
        { "TASK_PAUSE", tr("暂停"), {}, 0, 27, 27, 1, CCMD },
        { "TASK_RESUME", tr("继续"), {}, 1, 27, 27, 1, CCMD },
        { "TASK_MODE", tr("任务模式"), {}, 0, 32, 32, 1, CCMD },
        { "LAST_TIME", QString(), {}, QDateTime::currentDateTime(), 0, 0, 0, UnCMD },
        { "CONNECT_MODE", tr("连接方式"), {}, QString(), 0, 0, 0, UnCMD },
        { "DEVICE_CLOUD", tr("数据上传"), {}, QJsonObject(), 0, 0, 0, UnCMD },
        { "WORK_MODE", tr("切割质量"), {}, 0u, 64, 23, 1, CCMD, KVCatalogue::workModeWidget() },
    });
}

void KVCommonInterface::info_583(KVDeviceInterface *device)
{
    const QJsonObject lineEdit = widget("QLineEdit");
    KVCatalogue::add(device, {
        { "FIRMWARE", tr("固件版本"), {}, QString(), 51, 0, 1, CCMD, lineEdit },
        { "DEVICE_ID", tr("机器编号"), {}, QString(), 45, 44, 1, CCMD, lineEdit },
        { "PCB_ID", tr("PCB编号"), {}, QString(), 47, 46, 1, CCMD, lineEdit },
        { "PCB_VERSION", tr("PCB版本"), {}, QString(), 49, 48, 1, CCMD, lineEdit },
    });
}
