#include "jobstate.h"

#include "devicelink.h"
#include "eventwait.h"
#include "taskcontrol.h"

#include "kvdeviceinterface.h"
#include "kvdeviceproperty.h"

namespace JobState {

State ask(KVDeviceInterface *device, DeviceLink *link, int timeoutMs)
{
    const KVDeviceProperty *stop = device->property_ptr("TASK_STOP");
    if (!device->inherits("KVRV520MAXCam") || !stop || stop->get_cmd_bytes().isEmpty())
        return Unknown;
    State state = NoAnswer;
    QObject receiver;
    TaskControl::watch(device, &receiver, [&state](TaskControl::State confirmed) {
        state = confirmed == TaskControl::Idle ? Idle : confirmed == TaskControl::Paused ? Paused : Cutting;
    });
    EventWait wait(timeoutMs);
    wait.wakeOn(device, &KVDeviceInterface::message);
    wait.wakeOn(link, &DeviceLink::lost);
    device->sendCMD(stop->get_cmd_bytes());
    wait.until([&] { return state != NoAnswer || !link->isUp(); });
    return state == NoAnswer && !link->isUp() ? LinkLost : state;
}

} // namespace JobState
