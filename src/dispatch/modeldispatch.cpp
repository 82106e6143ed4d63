#include "kvrv520maxcam.h"

#include "kvdeviceproperty.h"
#include "kvlogging.h"
#include "replyframe.h"

namespace {

// Task state notice (code 27): 0 paused, 1 resumed, 2 stopped.
QString taskStateText(int state)
{
    switch (state) {
    case 0: return QStringLiteral("PAUSE");
    case 1: return QStringLiteral("RESUME");
    case 2: return QStringLiteral("STOP");
    default: return QString();
    }
}

// Pause, resume and stop share code 27 and differ by value: the record holding the value the
// device confirmed hears of the answer.
void acknowledgeTaskControl(KVRV520MAXCam *device, int state)
{
    for (const char *key : {"TASK_PAUSE", "TASK_RESUME", "TASK_STOP"}) {
        KVDeviceProperty *record = device->property_ptr(key);
        if (record && record->value().toInt() == state) {
            record->ret_Status(0);
            return;
        }
    }
}

} // namespace

// The firmware's task notices come as CCMD replies: 4 a copy is done, 1001 the task was stopped
// at the machine, 27 a pause, resume or stop took effect. Everything else is an ordinary reply.
void KVRV520MAXCam::decode_cmd(QString frame)
{
    const KVReply::Frame reply = KVReply::split(frame, "KVRV520MAXCam::decode_cmd");
    if (!reply.usable)
        return;
    if (reply.type != CCMD) {
        KVCommonInterface::decode_cmd(frame);
        return;
    }
    const QList<QStringView> &body = reply.commaFields;
    if (body.size() < 2) {
        qCWarning(lcKvDevice) << "KVRV520MAXCam::decode_cmd" << "frame dropped: no result field" << frame;
        return;
    }
    const int code = KVReply::number(body.at(0));
    const int result = KVReply::number(body.at(1));
    const int state = body.size() > 2 ? KVReply::number(body.at(2)) : 0;
    if (code == 4 && result == 0) {
        decode_task();
    } else if (code == 1001) {
        Q_EMIT message(DevTasK, QStringLiteral("STOP"));
    } else if (code == 27 && result == 0) {
        Q_EMIT message(DevTasK, taskStateText(state));
        acknowledgeTaskControl(this, state);
    } else {
        KVCommonInterface::decode_cmd(frame);
    }
}
