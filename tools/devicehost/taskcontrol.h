#ifndef KVHOST_TASKCONTROL_H
#define KVHOST_TASKCONTROL_H

#include <functional>

class KVDeviceInterface;
class QObject;

// The model's plotter answers a pause, a resume or a stop, and a read of its task control
// (code 27), with the state of its job; the plug-in confirms the answer to the record whose
// value is that state: TASK_PAUSE, TASK_RESUME or TASK_STOP. The 261 dialect's answers are never
// matched, so nothing is confirmed there.
namespace TaskControl {

enum State { Paused = 0, Cutting = 1, Idle = 2 };

// `confirmed` hears every confirmation for as long as `context` lives.
void watch(KVDeviceInterface *device, QObject *context, const std::function<void(State)> &confirmed);

} // namespace TaskControl

#endif // KVHOST_TASKCONTROL_H
