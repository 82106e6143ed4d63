#include "kvrv520maxcam.h"

#include "kvdeviceproperty.h"
#include "kvlogging.h"
#include "protocolnames.h"
#include "replyframe.h"

namespace {

QString taskStateText(int state)
{
    switch (state) {
    case KVTaskState::Paused: return QStringLiteral("PAUSE");
    case KVTaskState::Resumed: return QStringLiteral("RESUME");
    case KVTaskState::Stopped: return QStringLiteral("STOP");
    default: return QString();
    }
}

// Pause, resume and stop share one reply code and differ by value: the record holding the value
// the device confirmed hears of the answer.
void acknowledgeTaskControl(KVRV520MAXCam *device, int state)
{
    for (const char *key : {"TASK_PAUSE", "TASK_RESUME", "TASK_STOP"}) {
        KVDeviceProperty *record = device->property_ptr(key);
        if (record && record->value().toInt() == state) {
            record->ret_Status(KVReplyCode::Accepted);
            return;
        }
    }
}

} // namespace

// The firmware's task notices come as CCMD replies: a copy is done, the job was stopped at the
// machine, a pause, resume or stop took effect. Everything else is an ordinary reply.
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
    const int state = body.size() > 2 ? KVReply::number(body.at(2)) : KVTaskState::Paused;
    if (code == KVReplyCode::CopyDone && result == KVReplyCode::Accepted) {
        decode_task();
    } else if (code == KVReplyCode::StoppedAtMachine) {
        Q_EMIT message(DevTasK, QStringLiteral("STOP"));
    } else if (code == KVReplyCode::TaskState && result == KVReplyCode::Accepted) {
        Q_EMIT message(DevTasK, taskStateText(state));
        acknowledgeTaskControl(this, state);
    } else {
        KVCommonInterface::decode_cmd(frame);
    }
}
