#ifndef KVHOST_LINKPROBE_H
#define KVHOST_LINKPROBE_H

#include <QDeadlineTimer>
#include <QString>

struct LinkTarget;

// Why a TCP link did not come up, found with a connection of the host's own: the device object
// tells only that it is disconnected.
namespace LinkProbe {

// True when trying again may help (the address answers now, or the attempt only ran out of
// time) and the deadline leaves time for it; false with `reason` set when it will not help, or
// with `reason` empty when the time is up.
bool tryAgain(const LinkTarget &target, const QDeadlineTimer &deadline, QString *reason);

} // namespace LinkProbe

#endif // KVHOST_LINKPROBE_H
