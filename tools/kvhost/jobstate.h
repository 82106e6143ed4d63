#ifndef KVHOST_JOBSTATE_H
#define KVHOST_JOBSTATE_H

class DeviceLink;
class KVDeviceInterface;

// What the plotter is doing, as it tells it. The model's firmware answers a read of its task
// control (code 27) with its state, which the plug-in confirms to the record of that control:
// TASK_PAUSE, TASK_RESUME (a job is under way) or TASK_STOP (none is). The 261 dialect answers in a form the plug-in never matches, so there the state is
// unknown.
namespace JobState {

enum State { Unknown, Idle, Cutting, Paused, NoAnswer, LinkLost };

State ask(KVDeviceInterface *device, DeviceLink *link, int timeoutMs);

} // namespace JobState

#endif // KVHOST_JOBSTATE_H
