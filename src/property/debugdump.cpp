#include "kvdeviceproperty.h"

QDebug operator<<(QDebug debug, const KVDeviceProperty &) { return debug; }
