#ifndef KVHOST_VALUECHECK_H
#define KVHOST_VALUECHECK_H

#include <QString>
#include <QVariant>

#include <optional>

class KVDeviceProperty;

// What a record can take, checked before anything is sent: the range its editor description
// gives ("WIDGET": "min" and "max" in shown units, shown = stored × "factor"; a combo box's
// options), and a frame the device's answer can come back in.
namespace ValueCheck {

struct Range
{
    double low = 0;
    double high = 0;
};

// In stored units; none when the description names no range.
std::optional<Range> rangeOf(const KVDeviceProperty *record);
// A bound or a value as the user gives it: "12.5", "800".
QString number(double value);
// The record's unit after a space (" (mm/s)"), or empty.
QString unitSuffix(const KVDeviceProperty *record);

// False with `error` set when `value` (of the record's type) is outside the record's range.
bool inRange(const KVDeviceProperty *record, const QVariant &value, QString *error);
// False with `error` set when the record's write frame, with the value it holds now, cannot
// travel: bytes that end or split a frame, or an answer longer than a receiver keeps.
bool fitsFrame(const KVDeviceProperty *record, QString *error);

} // namespace ValueCheck

#endif // KVHOST_VALUECHECK_H
