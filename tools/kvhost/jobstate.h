#ifndef KVHOST_JOBSTATE_H
#define KVHOST_JOBSTATE_H

class DeviceLink;
class KVDeviceInterface;

// What the plotter is doing, as it answers a read of its task control (see TaskControl); the
// 261 dialect's answer is never matched, so there the state is unknown.
namespace JobState {

enum State { Unknown, Idle, Cutting, Paused, NoAnswer, LinkLost };

State ask(KVDeviceInterface *device, DeviceLink *link, int timeoutMs);

} // namespace JobState

#endif // KVHOST_JOBSTATE_H
