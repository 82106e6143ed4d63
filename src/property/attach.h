#ifndef KVATTACH_H
#define KVATTACH_H

#include "kvdeviceinterface.h"

#include <QObject>

class KVDeviceProperty;

// Records are attached to a holder as dynamic properties named by their key; the device object
// owns the records attached to it.
namespace KVAttach {

// Attaches `record` to the device object `device` under `key`. A record that the key held before
// is deleted when nothing else on the device refers to it (no other key, no group); otherwise the
// device keeps it as a child and deletes it when it is destroyed, so a group never holds a
// dangling member.
KVDEVICE_EXPORT void toDevice(QObject *device, const char *key, KVDeviceProperty *record);

// Makes `member` (already attached to the device) a member of `group` under `key`.
KVDEVICE_EXPORT void toGroup(KVDeviceProperty *group, const char *key, KVDeviceProperty *member);

// Deletes every record held in `holder`'s dynamic properties (each once) and clears every
// dynamic property, whatever it holds.
KVDEVICE_EXPORT void releaseAll(QObject *holder);

} // namespace KVAttach

#endif // KVATTACH_H
