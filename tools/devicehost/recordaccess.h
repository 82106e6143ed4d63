#ifndef KVHOST_RECORDACCESS_H
#define KVHOST_RECORDACCESS_H

#include <QList>
#include <QString>

class KVDeviceInterface;
class KVDeviceProperty;

// Whether a record can be read from or written to the device, and if not, why.
//
// A host learns of the device's answer only through the record the plug-in matches the answer
// to. The plug-in's dispatch decides that: the model's firmware takes some codes as task notices
// first (4 copy end, 1001 stop, 27 job state), progress reports (66) and QR-code reads (11, 55)
// become messages, answers with the task-control codes 27 and 125 are never matched, and any
// other answer goes to the first record, in the order the records were attached, with the
// answer's command type and that code as its read or write code. This works the same out for a
// record before anything is sent.
namespace RecordAccess {

enum class Reach {
    Device,      // the device's answer reaches this record
    Local,       // read: the value is the host's own (a record without commands)
    Members,     // read: a container group; each member is read with its own command
    Group,       // read: a member of a command group; the group is read
    TaskControl, // write: the device confirms with a job-state notice, and only when it takes it
    NoCommand,   // there is no such command
    Unmatched,   // the device answers, but not to this record
};

struct Way
{
    Reach reach = Reach::NoCommand;
    QString reason;                  // NoCommand, Unmatched: why, to follow "cannot be read: "
    KVDeviceProperty *via = nullptr; // Group: the command group
};

Way read(const KVDeviceInterface *device, const QString &key);
Way write(const KVDeviceInterface *device, const QString &key);
// Where the answer to the record's own read or write frame goes; NoCommand without one.
Way ownRead(const KVDeviceInterface *device, const KVDeviceProperty *record);
Way ownWrite(const KVDeviceInterface *device, const KVDeviceProperty *record);
bool isUsable(const Way &way);

// One word for the catalogue: yes, host, members, group, notice, - or unmatched; in the JSON
// catalogue as it is, in the table in the user's language (wordText), which the legend explains.
QString word(const Way &way);
QString wordText(const Way &way);
QString legend();

// The records attached to a group record, in attachment order.
QList<KVDeviceProperty *> members(const KVDeviceProperty *group);

} // namespace RecordAccess

#endif // KVHOST_RECORDACCESS_H
