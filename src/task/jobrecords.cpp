#include "jobrecords.h"

#include "attach.h"
#include "kvdeviceproperty.h"

#include <QDateTime>

namespace KVJob {

bool sendWrite(KVDeviceInterface *device, const char *key)
{
    KVDeviceProperty *record = device->property_ptr(key);
    if (!record)
        return false;
    device->sendCMD(record->set_cmd_bytes());
    return true;
}

bool sendRead(KVDeviceInterface *device, const char *key)
{
    KVDeviceProperty *record = device->property_ptr(key);
    if (!record)
        return false;
    device->sendCMD(record->get_cmd_bytes());
    return true;
}

int intValue(KVDeviceInterface *device, const char *key)
{
    KVDeviceProperty *record = device->property_ptr(key);
    return record ? record->value().toInt() : 0;
}

void stampStartTime(KVDeviceInterface *device)
{
    KVDeviceProperty *record = device->property_ptr("TASK_START_TIME");
    if (!record) {
        record = new KVDeviceProperty;
        record->init(QDateTime::currentDateTime(), QString(), QString(), 0, 0, 0, KVDeviceInterface::UnCMD);
        KVAttach::toDevice(device, "TASK_START_TIME", record);
    }
    record->setValue(QDateTime::currentDateTime());
}

} // namespace KVJob
