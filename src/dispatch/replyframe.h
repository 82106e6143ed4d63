#ifndef KVREPLYFRAME_H
#define KVREPLYFRAME_H

#include "kvdeviceinterface.h"

#include <QList>
#include <QStringView>

// A received frame cut into its pieces, shared by the model's dispatcher and the common one.
// The views point into the frame text, which must outlive them.
namespace KVReply {

struct Frame
{
    // The frame split on ";": 0 start byte and length, 1 type word, 2 .. n-2 body, n-1 what
    // follows the last ";" (normally the end byte), never read as data.
    QList<QStringView> fields;
    // "CMD" -> CMD, "CCMD" -> CCMD, anything else -> UnCMD.
    KVDeviceInterface::KVDeviceCMDType type = KVDeviceInterface::UnCMD;
    // For a CCMD frame, field 2 split on ",": reply code, result field, values.
    QList<QStringView> commaFields;
    // False for a frame that must be dropped as a whole: fewer than three fields, or bytes that
    // were not UTF-8 (the receive path turned them into replacement characters).
    bool usable = false;
};

// Splits `frame`; `operation` names the caller in the log line written for an unusable frame.
Frame split(QStringView frame, const char *operation);

// A decimal integer; 0 for text that is not one.
int number(QStringView text);

QList<QString> toStrings(const QList<QStringView> &views);

} // namespace KVReply

#endif // KVREPLYFRAME_H
