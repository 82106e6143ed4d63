#include "kvcommoninterface.h"

#include "kvdeviceproperty.h"
#include "kvlogging.h"
#include "protocolnames.h"
#include "replyframe.h"

#include <QEvent>

namespace {

// Reply codes that acknowledge task control and are never decoded into a record.
bool isTaskControlCode(int code)
{
    return code == KVReplyCode::TaskState || code == KVReplyCode::TaskControl;
}

struct Reply
{
    KVDeviceInterface::KVDeviceCMDType type;
    int code;
    QList<QString> values;
};

// Items "<TAG><code>:<value>" of fields 2 .. n-2; the first item's code is the reply's.
Reply registerReply(KVCommonInterface *device, const KVReply::Frame &frame)
{
    Reply reply{ KVDeviceInterface::CMD, 0, {} };
    const qsizetype lastItem = frame.fields.size() - 2;
    for (qsizetype i = 2; i <= lastItem; ++i) {
        QString head;
        QString value;
        int code = 0;
        device->decode_cmd(frame.fields.at(i).toString(), head, code, value);
        if (i == 2)
            reply.code = code;
        reply.values.append(value);
    }
    return reply;
}

quint64 replyKey(KVDeviceInterface::KVDeviceCMDType type, int code)
{
    return quint64(quint32(type)) << 32 | quint32(code);
}

// A record with fixed parameters takes only the reply that echoes them followed by a value other
// than "0".
void decodeInto(KVDeviceProperty *target, const Reply &reply)
{
    if (!target) {
        qCDebug(lcKvDevice) << "KVCommonInterface::decode_cmd" << "no record for code" << reply.code;
        return;
    }
    const qsizetype parameters = target->param().size();
    if (parameters > 0
        && (reply.values.size() != parameters + 1 || reply.values.last() == QLatin1String("0"))) {
        qCDebug(lcKvDevice) << "KVCommonInterface::decode_cmd" << "reply dropped for" << target->label()
                            << reply.values;
        return;
    }
    target->set_decode(reply.values);
}

} // namespace

void KVCommonInterface::decode_cmd(QString frame)
{
    // The record the reply answers learns of the answer through retStatus (0: accepted), also
    // when the reply carries no value, so a host can wait for the device's word on a write.
    const auto deliver = [this](const Reply &reply) {
        if (isTaskControlCode(reply.code))
            return;
        KVDeviceProperty *target = reply_target(reply.type, reply.code);
        if (!reply.values.isEmpty())
            decodeInto(target, reply);
        if (target)
            target->ret_Status(KVReplyCode::Accepted);
    };
    const KVReply::Frame reply = KVReply::split(frame, "KVCommonInterface::decode_cmd");
    if (!reply.usable)
        return;
    if (reply.type == CMD) {
        deliver(registerReply(this, reply));
        return;
    }
    if (reply.type != CCMD) {
        qCWarning(lcKvDevice) << "KVCommonInterface::decode_cmd" << "frame dropped: unknown type word"
                              << reply.fields.at(1);
        return;
    }

    const QList<QStringView> &body = reply.commaFields;
    bool numeric = false;
    const int code = body.first().toInt(&numeric);
    if (!numeric) {
        qCWarning(lcKvDevice) << "KVCommonInterface::decode_cmd" << "frame dropped: reply code is not a number"
                              << frame;
        return;
    }
    switch (code) {
    case KVReplyCode::CopiesSet:
        qCDebug(lcKvDevice) << "KVCommonInterface::decode_cmd" << frame;
        break;
    case KVReplyCode::TaskProgress:
        if (frame == last_task_frame)
            return;
        last_task_frame = frame;
        decode_task(reply.fields.at(2).toString());
        return;
    case KVReplyCode::QrCodeFile:
    case KVReplyCode::QrCodeRead: {
        const QString qrText = body.last().toString();
        qCDebug(lcKvDevice) << "KVCommonInterface::decode_cmd" << body << qrText;
        Q_EMIT message(Qrcode, qrText);
        return;
    }
    default:
        break;
    }
    if (body.size() < 2) {
        qCDebug(lcKvDevice) << "KVCommonInterface::decode_cmd" << "reply without result" << frame;
        return;
    }
    if (const int result = KVReply::number(body.at(1)); result != KVReplyCode::Accepted) {
        qCDebug(lcKvDevice) << "KVCommonInterface::decode_cmd" << "reply refused" << frame;
        KVDeviceProperty *target = isTaskControlCode(code) ? nullptr : reply_target(CCMD, code);
        if (target)
            target->ret_Status(result);
        return;
    }
    deliver(Reply{ CCMD, code, KVReply::toStrings(body.mid(2)) });
}

bool KVCommonInterface::event(QEvent *event)
{
    if (event->type() == QEvent::DynamicPropertyChange)
        reply_targets_valid = false;
    return KVDeviceInterface::event(event);
}

// The first record in attachment order with this command type and with the code as its read or
// write code. Names that hold no record (a host may keep its own dynamic properties on the
// device) are passed over. Code 0 means "no command" and belongs to no record.
KVDeviceProperty *KVCommonInterface::reply_target(KVDeviceCMDType type, int code)
{
    if (!reply_targets_valid) {
        reply_targets.clear();
        const QList<QByteArray> names = dynamicPropertyNames();
        for (const QByteArray &name : names) {
            KVDeviceProperty *record = property_ptr(name.constData());
            if (!record)
                continue;
            for (const int recordCode : { record->get_cmd_int(), record->set_cmd_int() }) {
                const quint64 key = replyKey(record->cmd_type(), recordCode);
                if (recordCode != KVReplyCode::NoCommand && !reply_targets.contains(key))
                    reply_targets.insert(key, record);
            }
        }
        reply_targets_valid = true;
    }
    return reply_targets.value(replyKey(type, code));
}

// "<TAG><code>:<value>": the tag is the leading run of A-Z, the value what follows the last ":"
// (the whole item when there is none), the code the number between them.
void KVCommonInterface::decode_cmd(QString item, QString &head, int &code, QString &value)
{
    const qsizetype colon = item.lastIndexOf(u':');
    value = colon < 0 ? item : item.mid(colon + 1);
    qsizetype headEnd = 0;
    while (headEnd < item.size() && item.at(headEnd) >= u'A' && item.at(headEnd) <= u'Z')
        ++headEnd;
    head = item.left(headEnd);
    const qsizetype codeEnd = colon < 0 ? item.size() : colon;
    code = KVReply::number(QStringView(item).mid(headEnd, codeEnd - headEnd));
}
