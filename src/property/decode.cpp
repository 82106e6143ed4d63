#include "kvdeviceproperty.h"

void KVDeviceProperty::set_decode(QList<QString>) {}
void KVDeviceProperty::set_decode(QString) {}
