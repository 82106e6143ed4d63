#include "kvrv520maxcam.h"

#include "jobrecords.h"
#include "kvdeviceproperty.h"
#include "kvlogging.h"

namespace {
// Jog step of the model in device units; its X axis runs against the host's.
constexpr int JogStep = 80;
} // namespace

void KVRV520MAXCam::startTask()
{
    KVDeviceProperty *mode = property_ptr("TASK_MODE");
    if (!mode)
        return;
    KVJob::sendWrite(this, "SET_MARK");
    if (mode->value().toInt() != 0) {
        if (!KVJob::sendRead(this, "GET_QRCODE"))
            return;
    } else {
        KVDeviceProperty *plot = property_ptr("TASK_PPLT");
        if (!plot || !property_ptr("DEVICE_STATUS"))
            return;
        qCDebug(lcKvDevice) << "KVRV520MAXCam::startTask" << *plot;
        send_plot(plot);
        KVJob::sendRead(this, "DEVICE_STATUS");
    }
    KVJob::stampStartTime(this);
    Q_EMIT message(DevTasK, QString());
    device_task_to_cloud();
}

void KVRV520MAXCam::move(int first, int second)
{
    KVDeviceProperty *jog = property_ptr("MOVE");
    if (!jog)
        return;
    jog->setValue(QStringLiteral("0,0,%1,%2").arg(first * -JogStep).arg(second * JogStep));
    sendCMD(jog->set_cmd_bytes());
}
