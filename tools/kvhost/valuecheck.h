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
// "from 10 to 800 (mm/s)", or empty when the record has no range.
QString rangeText(const KVDeviceProperty *record);

// False with `error` set when `value` (of the record's type) is outside the record's range.
bool inRange(const KVDeviceProperty *record, const QVariant &value, QString *error);
// False with `error` set when the record's write frame, with the value it holds now, cannot
// travel: bytes that end or split a frame, or an answer longer than a receiver keeps.
bool fitsFrame(const KVDeviceProperty *record, QString *error);

} // namespace ValueCheck

#endif // KVHOST_VALUECHECK_H
