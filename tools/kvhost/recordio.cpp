#include "recordio.h"

#include "devicelink.h"
#include "eventwait.h"
#include "recordtable.h"

#include "kvdeviceproperty.h"

#include <QStringList>

RecordIO::RecordIO(KVDeviceInterface *device, DeviceLink *link, int timeoutMs)
    : m_device(device), m_link(link), m_timeoutMs(timeoutMs)
{
}

RecordIO::Outcome RecordIO::read(KVDeviceProperty *record)
{
    return exchange(record, record->get_cmd_bytes());
}

RecordIO::Outcome RecordIO::write(KVDeviceProperty *record)
{
    return exchange(record, record->set_cmd_bytes());
}

RecordIO::Outcome RecordIO::exchange(KVDeviceProperty *record, const QByteArray &frame)
{
    if (frame.isEmpty())
        return NoCommand;
    bool answered = false;
    const QMetaObject::Connection connection =
        QObject::connect(record, &KVDeviceProperty::retStatus, record, [&](int result) {
            answered = true;
            m_result = result;
        });
    EventWait wait(m_timeoutMs);
    wait.wakeOn(record, &KVDeviceProperty::retStatus);
    wait.wakeOn(m_link, &DeviceLink::lost);
    m_device->sendCMD(frame);
    const bool done = wait.until([&] { return answered || !m_link->isUp(); });
    QObject::disconnect(connection);
    if (answered)
        return m_result == 0 ? Answered : Refused;
    return done ? LinkLost : TimedOut;
}

static QVariant converted(const QVariant &current, const QString &text, bool *ok)
{
    switch (current.metaType().id()) {
    case QMetaType::UInt:
        return text.toUInt(ok);
    case QMetaType::Int:
        return text.toInt(ok);
    case QMetaType::Double:
        return text.toDouble(ok);
    case QMetaType::LongLong:
        return text.toLongLong(ok);
    default:
        *ok = true;
        return text;
    }
}

bool RecordIO::assign(KVDeviceProperty *record, const QString &text, QString *error)
{
    const QStringList members = record->value().toStringList();
    const bool commandGroup = record->value().metaType().id() == QMetaType::QStringList;
    if (!commandGroup) {
        bool ok = false;
        const QVariant value = converted(record->value(), text, &ok);
        if (!ok) {
            *error = QStringLiteral("'%1' is not a %2").arg(text, QString::fromLatin1(record->value().typeName()));
            return false;
        }
        record->setValue(value);
        return true;
    }
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != members.size()) {
        *error = QStringLiteral("give %1 values separated by commas (%2)").arg(members.size()).arg(members.join(QLatin1String(", ")));
        return false;
    }
    for (int i = 0; i < members.size(); ++i) {
        KVDeviceProperty *member = record->property_ptr(members.at(i).toLatin1().constData());
        if (member && !assign(member, parts.at(i).trimmed(), error))
            return false;
    }
    return true;
}

QString RecordIO::display(const KVDeviceProperty *record)
{
    if (record->value().metaType().id() != QMetaType::QStringList)
        return RecordTable::valueText(record->value());
    QStringList shown;
    for (const QString &key : record->value().toStringList()) {
        if (const KVDeviceProperty *member = record->property_ptr(key.toLatin1().constData()))
            shown << QStringLiteral("%1=%2").arg(member->label(), RecordTable::valueText(member->value()));
    }
    return shown.join(QLatin1String(", "));
}
