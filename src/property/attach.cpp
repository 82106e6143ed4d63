#include "attach.h"

#include "kvdeviceproperty.h"

#include <QSet>

namespace KVAttach {

static QVariant recordVariant(KVDeviceProperty *record)
{
    return QVariant::fromValue(static_cast<QObject *>(record));
}

static bool holdsRecord(const QObject *holder, const KVDeviceProperty *record)
{
    const QList<QByteArray> names = holder->dynamicPropertyNames();
    for (const QByteArray &name : names) {
        if (KVDeviceProperty::fromHolder(holder, name.constData()) == record)
            return true;
    }
    return false;
}

// True when a key of `device` or a group attached to it still refers to `record`.
static bool isReferenced(const QObject *device, const KVDeviceProperty *record)
{
    const QList<QByteArray> names = device->dynamicPropertyNames();
    for (const QByteArray &name : names) {
        KVDeviceProperty *held = KVDeviceProperty::fromHolder(device, name.constData());
        if (!held)
            continue;
        if (held == record || holdsRecord(held, record))
            return true;
    }
    return false;
}

void toDevice(QObject *device, const char *key, KVDeviceProperty *record)
{
    KVDeviceProperty *previous = KVDeviceProperty::fromHolder(device, key);
    device->setProperty(key, recordVariant(record));
    if (!previous || previous == record)
        return;
    if (isReferenced(device, previous))
        previous->setParent(device);
    else
        delete previous;
}

void toGroup(KVDeviceProperty *group, const char *key, KVDeviceProperty *member)
{
    group->setProperty(key, recordVariant(member));
}

void releaseAll(QObject *holder)
{
    // Collect first: the same record may be held under several keys.
    QSet<KVDeviceProperty *> records;
    const QList<QByteArray> names = holder->dynamicPropertyNames();
    for (const QByteArray &name : names) {
        KVDeviceProperty *record = KVDeviceProperty::fromHolder(holder, name.constData());
        if (record && record->parent() != holder)
            records.insert(record);
        holder->setProperty(name.constData(), QVariant());
    }
    qDeleteAll(records);
}

} // namespace KVAttach
