#include "valuecheck.h"

#include "framestream.h"
#include "kvdeviceproperty.h"

#include <QCoreApplication>
#include <QJsonObject>

#include <cmath>

namespace ValueCheck {

namespace {
// The texts of this file, in the catalogues' context "ValueCheck".
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(ValueCheck)
};

// The device's answer repeats the write with a result field, a few bytes longer.
constexpr qsizetype AnswerOverhead = 16;

QJsonObject descriptionOf(const KVDeviceProperty *record)
{
    return record->property("WIDGET").toJsonObject();
}

} // namespace

QString number(double value)
{
    return QString::number(value, 'g', 10);
}

QString unitSuffix(const KVDeviceProperty *record)
{
    return record->uint().isEmpty() ? QString() : QLatin1Char(' ') + record->uint();
}

std::optional<Range> rangeOf(const KVDeviceProperty *record)
{
    const QJsonObject description = descriptionOf(record);
    if (description.value(QLatin1String("widget")).toString() == QLatin1String("QComboBox")) {
        const qsizetype options = description.value(QLatin1String("option")).toString().split(QLatin1Char(';')).size();
        return Range{0, double(options - 1)};
    }
    if (!description.contains(QLatin1String("min")) || !description.contains(QLatin1String("max")))
        return std::nullopt;
    const double factor = description.value(QLatin1String("factor")).toDouble(1.0);
    if (factor == 0 || !std::isfinite(factor))
        return std::nullopt;
    const double low = description.value(QLatin1String("min")).toDouble() / factor;
    const double high = description.value(QLatin1String("max")).toDouble() / factor;
    return Range{std::min(low, high), std::max(low, high)};
}

bool inRange(const KVDeviceProperty *record, const QVariant &value, QString *error)
{
    const std::optional<Range> range = rangeOf(record);
    bool numeric = false;
    const double stored = value.toDouble(&numeric);
    if (!range || !numeric || (stored >= range->low - 1e-9 && stored <= range->high + 1e-9))
        return true;
    *error = Texts::tr("the value must be from %1 to %2%3, not %4")
                 .arg(number(range->low), number(range->high), unitSuffix(record), value.toString());
    return false;
}

bool fitsFrame(const KVDeviceProperty *record, QString *error)
{
    if (record->value().typeId() == QMetaType::QString) {
        const QString text = record->value().toString();
        const bool commaSplits = record->cmd_type() == KVDeviceInterface::CCMD;
        for (const QChar c : text) {
            if (c == QLatin1Char(KVFrameStream::Stx) || c == QLatin1Char(KVFrameStream::Etx) || c == QLatin1Char(';')
                || (commaSplits && c == QLatin1Char(','))) {
                *error = Texts::tr("the value cannot hold '%1': it ends or splits the fields of a frame")
                             .arg(c.unicode() < 0x20 ? QStringLiteral("0x%1").arg(c.unicode(), 2, 16, QLatin1Char('0')) : QString(c));
                return false;
            }
        }
    }
    const qsizetype frame = record->set_cmd_bytes().size();
    if (frame + AnswerOverhead > KVFrameStream::DefaultPendingLimit) {
        *error = Texts::tr("the value is too long: its frame takes %1 bytes, and the device's answer must stay under %2")
                     .arg(frame).arg(KVFrameStream::DefaultPendingLimit);
        return false;
    }
    return true;
}

} // namespace ValueCheck
