#include "recordaccess.h"

#include "recordtable.h"

#include "kvdeviceinterface.h"
#include "kvdeviceproperty.h"
#include "protocolnames.h"

#include <QCoreApplication>

namespace RecordAccess {

namespace {
// The texts of this file, in the catalogues' context "RecordAccess".
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(RecordAccess)
};

using Type = KVDeviceInterface::KVDeviceCMDType;


bool modelDispatchesFirst(const KVDeviceInterface *device)
{
    return device->inherits("KVRV520MAXCam");
}

// The record the plug-in hands an answer of this type and code to.
const KVDeviceProperty *answerTarget(const KVDeviceInterface *device, Type type, int code)
{
    for (const QString &key : RecordTable::keys(device)) {
        const KVDeviceProperty *record = KVDeviceProperty::fromHolder(device, key.toLatin1().constData());
        if (record->cmd_type() == type && (record->get_cmd_int() == code || record->set_cmd_int() == code))
            return record;
    }
    return nullptr;
}

QString keyOf(const KVDeviceInterface *device, const KVDeviceProperty *record)
{
    for (const QString &key : RecordTable::keys(device)) {
        if (KVDeviceProperty::fromHolder(device, key.toLatin1().constData()) == record)
            return key;
    }
    return QString();
}

Way unmatched(const QString &reason)
{
    return {Reach::Unmatched, reason, nullptr};
}

// Where the answer to a frame of `record` with `code` goes.
Way answerWay(const KVDeviceInterface *device, const KVDeviceProperty *record, int code, bool writing)
{
    const Type type = record->cmd_type();
    if (type == KVDeviceInterface::PLT || type == KVDeviceInterface::PPLT || type == KVDeviceInterface::QRPLT)
        return unmatched(Texts::tr("it carries a plot, which the plotter answers with the progress of a job (use the cut command)"));
    if (type == KVDeviceInterface::NUM)
        return unmatched(Texts::tr("the device's answer to it carries no code to match it by"));
    const bool ccmd = type == KVDeviceInterface::CCMD;
    if (ccmd && modelDispatchesFirst(device)) {
        if (code == KVReplyCode::CopyDone || code == KVReplyCode::StoppedAtMachine)
            return unmatched(Texts::tr("its answer (code %1) is taken as a task notice of the plotter").arg(code));
        if (code == KVReplyCode::TaskState && writing)
            return {Reach::TaskControl, QString(), nullptr};
        if (code == KVReplyCode::TaskState)
            return unmatched(Texts::tr("its answer (code 27) comes as a job-state notice (PAUSE, RESUME or STOP)"));
    }
    if (ccmd && code == KVReplyCode::TaskProgress)
        return unmatched(Texts::tr("its answer (code 66) is taken as a progress report"));
    if (ccmd && (code == KVReplyCode::QrCodeRead || code == KVReplyCode::QrCodeFile))
        return unmatched(Texts::tr("its answer (code %1) comes as a QR-code message").arg(code));
    if (code == KVReplyCode::TaskState || code == KVReplyCode::TaskControl)
        return unmatched(Texts::tr("answers with code %1 are never matched to a record").arg(code));
    const KVDeviceProperty *target = answerTarget(device, type, code);
    if (target != record)
        return unmatched(Texts::tr("its answer (code %1) goes to %2, which shares the code and comes first")
                             .arg(code).arg(keyOf(device, target)));
    return {Reach::Device, QString(), nullptr};
}

// The command group `key` is a member of, if any.
KVDeviceProperty *commandGroupOf(const KVDeviceInterface *device, const QString &key)
{
    const KVDeviceProperty *member = KVDeviceProperty::fromHolder(device, key.toLatin1().constData());
    for (const QString &name : RecordTable::keys(device)) {
        KVDeviceProperty *group = KVDeviceProperty::fromHolder(device, name.toLatin1().constData());
        if (group != member && group->value().toStringList().contains(key)
            && group->property_ptr(key.toLatin1().constData()) == member)
            return group;
    }
    return nullptr;
}

} // namespace

Way ownRead(const KVDeviceInterface *device, const KVDeviceProperty *record)
{
    if (record->get_cmd_bytes().isEmpty())
        return {Reach::NoCommand, Texts::tr("it has no read command"), nullptr};
    return answerWay(device, record, record->get_cmd_int(), false);
}

Way ownWrite(const KVDeviceInterface *device, const KVDeviceProperty *record)
{
    if (record->set_cmd_bytes().isEmpty())
        return {Reach::NoCommand, Texts::tr("it has no write command"), nullptr};
    return answerWay(device, record, record->set_cmd_int(), true);
}

Way read(const KVDeviceInterface *device, const QString &key)
{
    const KVDeviceProperty *record = KVDeviceProperty::fromHolder(device, key.toLatin1().constData());
    if (!record)
        return {};
    if (!record->get_cmd_bytes().isEmpty())
        return ownRead(device, record);
    if (KVDeviceProperty *group = commandGroupOf(device, key); group && !group->get_cmd_bytes().isEmpty()) {
        Way way = ownRead(device, group);
        if (way.reach == Reach::Device)
            way = {Reach::Group, QString(), group};
        return way;
    }
    if (!members(record).isEmpty())
        return {Reach::Members, QString(), nullptr};
    if (record->cmd_type() == KVDeviceInterface::UnCMD)
        return {Reach::Local, QString(), nullptr};
    return ownRead(device, record);
}

Way write(const KVDeviceInterface *device, const QString &key)
{
    const KVDeviceProperty *record = KVDeviceProperty::fromHolder(device, key.toLatin1().constData());
    if (!record)
        return {};
    if (!record->set_cmd_bytes().isEmpty())
        return ownWrite(device, record);
    if (const KVDeviceProperty *group = commandGroupOf(device, key))
        return {Reach::NoCommand, Texts::tr("it is written with %1, which takes all its values at once").arg(keyOf(device, group)), nullptr};
    QStringList memberKeys;
    for (const KVDeviceProperty *member : members(record))
        memberKeys << keyOf(device, member);
    if (!memberKeys.isEmpty())
        return {Reach::NoCommand, Texts::tr("its members are written each on its own: %1").arg(memberKeys.join(QLatin1String(", "))), nullptr};
    return ownWrite(device, record);
}

bool isUsable(const Way &way)
{
    return way.reach != Reach::NoCommand && way.reach != Reach::Unmatched;
}

// The catalogue's word for each way, in the order of Reach.
static const char *const words[] = {
    QT_TRANSLATE_NOOP("RecordAccess", "yes"),     QT_TRANSLATE_NOOP("RecordAccess", "host"),
    QT_TRANSLATE_NOOP("RecordAccess", "members"), QT_TRANSLATE_NOOP("RecordAccess", "group"),
    QT_TRANSLATE_NOOP("RecordAccess", "notice"),  "-",
    QT_TRANSLATE_NOOP("RecordAccess", "unmatched"),
};

QString word(const Way &way)
{
    return QLatin1String(words[int(way.reach)]);
}

QString wordText(const Way &way)
{
    return Texts::tr(words[int(way.reach)]);
}

QString legend()
{
    return Texts::tr(
        "READ, WRITE: yes: the device answers the record; host: a value of the host; members, group:\n"
        "through the group's members or through the group; notice: confirmed by a job-state notice;\n"
        "unmatched: the device's answer cannot be matched to the record (kvhost get or set says why).");
}

QList<KVDeviceProperty *> members(const KVDeviceProperty *group)
{
    QList<KVDeviceProperty *> found;
    const QList<QByteArray> names = group->dynamicPropertyNames();
    for (const QByteArray &name : names) {
        KVDeviceProperty *member = KVDeviceProperty::fromHolder(group, name.constData());
        if (member && member != group)
            found << member;
    }
    return found;
}

} // namespace RecordAccess
