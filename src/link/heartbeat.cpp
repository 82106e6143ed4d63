#include "kvcommoninterface.h"

#include "kvdeviceproperty.h"
#include "kvlogging.h"

#include <QDateTime>

namespace {

// Silence longer than this declares the link lost.
constexpr int SupervisionSeconds = 30;

// The period comes from the device ("HEARTBEAT" is refreshed by its replies). 0 would make the
// timer fire back to back and flood the device; a period above the supervision window would
// declare a healthy link lost between two polls.
int heartbeatPeriodMs(uint seconds)
{
    const uint bounded = qBound(1u, seconds, uint(SupervisionSeconds));
    if (bounded != seconds)
        qCWarning(lcKvDevice) << "KVCommonInterface::heartbeat_switch" << "period" << seconds
                              << "s is outside 1 to" << SupervisionSeconds << "s, using" << bounded << "s";
    return int(bounded) * 1000;
}

} // namespace

void KVCommonInterface::heartbeat_switch(bool on)
{
    const KVDeviceProperty *heartbeat = property_ptr("HEARTBEAT");
    if (!heartbeat)
        return;
    if (device_timer.isActive())
        device_timer.stop();
    if (on)
        device_timer.start(heartbeatPeriodMs(heartbeat->value().toUInt()));
}

void KVCommonInterface::slot_device_timer()
{
    if (const KVDeviceProperty *last = property_ptr("LAST_TIME")) {
        const int age = int(last->value().toDateTime().secsTo(QDateTime::currentDateTime()));
        if (age > SupervisionSeconds) {
            qCDebug(lcKvDevice) << "KVCommonInterface::slot_device_timer" << "nothing received for" << age << "s";
            if (KVDeviceProperty *status = property_ptr("STATUS"))
                status->setValue(int(DisConnected));
            Q_EMIT message(DevStatus, QStringLiteral("HEARTBEAT TIMEOUT 30S."));
        }
    }
    if (const KVDeviceProperty *heartbeat = property_ptr("HEARTBEAT"))
        send_cmd(heartbeat->get_cmd_bytes());
}
