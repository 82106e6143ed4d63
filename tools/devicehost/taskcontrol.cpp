#include "taskcontrol.h"

#include "kvdeviceinterface.h"
#include "kvdeviceproperty.h"

namespace TaskControl {

void watch(KVDeviceInterface *device, QObject *context, const std::function<void(State)> &confirmed)
{
    for (const char *key : {"TASK_PAUSE", "TASK_RESUME", "TASK_STOP"}) {
        const KVDeviceProperty *record = device->property_ptr(key);
        if (!record)
            continue;
        QObject::connect(record, &KVDeviceProperty::retStatus, context, [record, confirmed](int result) {
            if (result == 0)
                confirmed(State(record->value().toInt()));
        });
    }
}

} // namespace TaskControl
