#include "jobstate.h"

#include "devicelink.h"
#include "eventwait.h"

#include "kvdeviceinterface.h"
#include "kvdeviceproperty.h"

namespace JobState {

State ask(KVDeviceInterface *device, DeviceLink *link, int timeoutMs)
{
    const KVDeviceProperty *stop = device->property_ptr("TASK_STOP");
    if (!device->inherits("KVRV520MAXCam") || !stop || stop->get_cmd_bytes().isEmpty())
        return Unknown;
    State state = NoAnswer;
    // The answer confirms the control whose value is the plotter's state.
    QObject receiver;
    EventWait wait(timeoutMs);
    const struct { const char *key; State state; } controls[] = {
        {"TASK_STOP", Idle}, {"TASK_RESUME", Cutting}, {"TASK_PAUSE", Paused}};
    for (const auto &control : controls) {
        const KVDeviceProperty *record = device->property_ptr(control.key);
        if (!record)
            continue;
        QObject::connect(record, &KVDeviceProperty::retStatus, &receiver, [&state, control](int result) {
            if (result == 0)
                state = control.state;
        });
        wait.wakeOn(record, &KVDeviceProperty::retStatus);
    }
    wait.wakeOn(link, &DeviceLink::lost);
    device->sendCMD(stop->get_cmd_bytes());
    wait.until([&] { return state != NoAnswer || !link->isUp(); });
    return state == NoAnswer && !link->isUp() ? LinkLost : state;
}

} // namespace JobState
