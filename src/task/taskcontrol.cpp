#include "kvcommoninterface.h"

#include "jobrecords.h"
#include "kvdeviceproperty.h"
#include "kvlogging.h"
#include "protocolnames.h"

#include <QDateTime>
#include <QJsonObject>

namespace {
enum TaskMode { PlotJob = 0, QrCodeJob = 1 };

// Jog command values of the 261 dialect: one step forward, none, one step back.
constexpr int JogForward = 0x8064;
constexpr int JogBack = 0x64;

int jogValue(int direction)
{
    return direction > 0 ? JogForward : direction < 0 ? JogBack : 0;
}
} // namespace

void KVCommonInterface::startTask()
{
    const int mode = KVJob::intValue(this, "TASK_MODE");
    qCDebug(lcKvDevice) << "KVCommonInterface::startTask" << mode;
    if (mode == PlotJob) {
        KVDeviceProperty *copies = property_ptr("TASK_COPIES");
        if (!copies)
            return;
        qCDebug(lcKvDevice) << "KVCommonInterface::startTask" << copies->set_cmd_bytes();
        sendCMD(copies->set_cmd_bytes());
        KVDeviceProperty *plot = property_ptr("TASK_PLT");
        if (!plot)
            return;
        send_plot(plot);
    } else if (mode == QrCodeJob) {
        if (!KVJob::sendWrite(this, "QRCODE_COPIES"))
            return;
    }
    KVJob::stampStartTime(this);
}

void KVCommonInterface::stopTask()
{
    // Report first, while the task record and the start time still describe the job.
    device_task_record_to_cloud();
    if (KVDeviceProperty *started = property_ptr("TASK_START_TIME"))
        started->setValue(QDateTime());
    if (KVDeviceProperty *task = property_ptr("TASK")) {
        QJsonObject record = task->value().toJsonObject();
        record.insert(KVTaskKey::Status, 0);
        record.insert(KVTaskKey::FileName, QString());
        record.insert(KVTaskKey::TaskCopies, 0);
        record.insert(KVTaskKey::Finished, 0);
        record.insert(KVTaskKey::Percent, 100);
        task->setValue(record);
    }
}

void KVCommonInterface::move(int first, int second)
{
    const struct { const char *key; int direction; } axes[] = {{"MOVE_Y", first}, {"MOVE_X", second}};
    for (const auto &axis : axes) {
        if (KVDeviceProperty *record = property_ptr(axis.key)) {
            record->setValue(jogValue(axis.direction));
            sendCMD(record->set_cmd_bytes());
        }
    }
}
