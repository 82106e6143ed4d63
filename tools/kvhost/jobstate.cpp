#include "jobstate.h"

#include "devicelink.h"
#include "eventwait.h"

#include "kvdeviceinterface.h"
#include "kvdeviceproperty.h"

namespace JobState {

State ask(KVDeviceInterface *device, DeviceLink *link, int timeoutMs)
{
    const KVDeviceProperty *control = device->property_ptr("TASK_STOP");
    if (!device->inherits("KVRV520MAXCam") || !control || control->get_cmd_bytes().isEmpty())
        return Unknown;
    State state = NoAnswer;
    QObject receiver;
    QObject::connect(device, &KVDeviceInterface::message, &receiver,
                     [&state](KVDeviceInterface::KVDeviceMessage type, const QString &text) {
                         if (type != KVDeviceInterface::DevTasK)
                             return;
                         if (text == QLatin1String("STOP"))
                             state = Idle;
                         else if (text == QLatin1String("RESUME"))
                             state = Cutting;
                         else if (text == QLatin1String("PAUSE"))
                             state = Paused;
                     });
    EventWait wait(timeoutMs);
    wait.wakeOn(device, &KVDeviceInterface::message);
    wait.wakeOn(link, &DeviceLink::lost);
    device->sendCMD(control->get_cmd_bytes());
    wait.until([&] { return state != NoAnswer || !link->isUp(); });
    return state == NoAnswer && !link->isUp() ? LinkLost : state;
}

} // namespace JobState
