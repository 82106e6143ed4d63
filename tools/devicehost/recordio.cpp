#include "recordio.h"

#include "devicelink.h"
#include "eventwait.h"
#include "recordaccess.h"
#include "recordrequests.h"
#include "recordtable.h"
#include "valuecheck.h"

#include "kvdeviceproperty.h"

#include <QStringList>

#include <cmath>
#include <optional>

RecordIO::RecordIO(KVDeviceInterface *device, DeviceLink *link, int timeoutMs)
    : m_device(device), m_link(link), m_timeoutMs(timeoutMs)
{
}

RecordIO::Outcome RecordIO::read(KVDeviceProperty *record)
{
    return exchange(record, false);
}

RecordIO::Outcome RecordIO::write(KVDeviceProperty *record)
{
    return exchange(record, true);
}

RecordIO::Outcome RecordIO::exchange(KVDeviceProperty *record, bool write)
{
    RecordRequests requests(m_device);
    requests.setTimeout(m_timeoutMs);
    std::optional<int> answer;
    const auto done = [&answer](int result) { answer = result; };
    if (!(write ? requests.write(record, done) : requests.read(record, done)))
        return NoCommand;
    EventWait wait(m_timeoutMs);
    wait.wakeOn(record, &KVDeviceProperty::retStatus);
    wait.wakeOn(m_link, &DeviceLink::lost);
    const bool settled = wait.until([&] { return answer || !m_link->isUp(); });
    if (!answer || *answer == RecordRequests::NoAnswer)
        return settled && !answer ? LinkLost : TimedOut;
    m_result = *answer;
    return m_result == 0 ? Answered : Refused;
}

// The user's text as a value of the record's type. A whole-number record whose range goes
// below zero takes a signed number: the device keeps it in two's complement.
static QVariant converted(const KVDeviceProperty *record, const QString &text, QString *error)
{
    bool ok = true;
    QVariant value;
    const std::optional<ValueCheck::Range> range = ValueCheck::rangeOf(record);
    switch (record->value().metaType().id()) {
    case QMetaType::UInt:
        value = range && range->low < 0 ? QVariant(text.toInt(&ok)) : QVariant(text.toUInt(&ok));
        break;
    case QMetaType::Int:
        value = text.toInt(&ok);
        break;
    case QMetaType::LongLong:
        value = text.toLongLong(&ok);
        break;
    case QMetaType::Double:
        value = text.toDouble(&ok);
        ok = ok && std::isfinite(value.toDouble());
        break;
    default:
        return text;
    }
    if (!ok) {
        *error = record->value().metaType().id() == QMetaType::Double ? RecordIO::tr("'%1' is not a number").arg(text)
                 : range && range->low >= 0 ? RecordIO::tr("'%1' is not a whole number of 0 or more").arg(text)
                                           : RecordIO::tr("'%1' is not a whole number").arg(text);
        return {};
    }
    return value;
}

bool RecordIO::assign(KVDeviceProperty *record, const QString &text, QString *error)
{
    const bool commandGroup = record->value().metaType().id() == QMetaType::QStringList;
    if (!commandGroup) {
        const QVariant value = converted(record, text, error);
        if (!value.isValid() || !ValueCheck::inRange(record, value, error))
            return false;
        const QVariant before = record->value();
        record->setValue(value);
        if (ValueCheck::fitsFrame(record, error))
            return true;
        record->setValue(before);
        return false;
    }
    const QStringList members = record->value().toStringList();
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != members.size()) {
        *error = tr("give %n values separated by commas (%1)", nullptr, int(members.size())).arg(members.join(QLatin1String(", ")));
        return false;
    }
    for (int i = 0; i < members.size(); ++i) {
        KVDeviceProperty *member = record->property_ptr(members.at(i).toLatin1().constData());
        if (member && !assign(member, parts.at(i).trimmed(), error))
            return false;
    }
    return ValueCheck::fitsFrame(record, error);
}

QString RecordIO::display(const KVDeviceProperty *record)
{
    QList<const KVDeviceProperty *> parts;
    if (record->value().metaType().id() == QMetaType::QStringList) {
        for (const QString &key : record->value().toStringList()) {
            if (const KVDeviceProperty *member = record->property_ptr(key.toLatin1().constData()))
                parts << member;
        }
    } else {
        for (const KVDeviceProperty *member : RecordAccess::members(record))
            parts << member;
    }
    if (parts.isEmpty())
        return RecordTable::valueText(record->value());
    QStringList shown;
    for (const KVDeviceProperty *member : parts)
        shown << QStringLiteral("%1=%2").arg(member->label(), RecordTable::valueText(member->value()));
    return shown.join(QLatin1String(", "));
}
