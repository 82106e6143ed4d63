#ifndef KVJOBRECORDS_H
#define KVJOBRECORDS_H

#include "kvdeviceinterface.h"

// Small steps that starting, stepping and stopping a job share.
namespace KVJob {

// Sends the write frame of the record `key`; false when the device has no such record.
bool sendWrite(KVDeviceInterface *device, const char *key);
// Sends the read frame of the record `key`; false when the device has no such record.
bool sendRead(KVDeviceInterface *device, const char *key);
// Value of the record `key` as an int, 0 when the record is missing.
int intValue(KVDeviceInterface *device, const char *key);
// Sets "TASK_START_TIME" to now, creating the record when the device has none.
void stampStartTime(KVDeviceInterface *device);

} // namespace KVJob

#endif // KVJOBRECORDS_H
