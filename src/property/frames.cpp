#include "kvdeviceproperty.h"

QByteArray KVDeviceProperty::pack(QString, QString) const { return {}; }
QByteArray KVDeviceProperty::get_cmd_bytes() const { return {}; }
QByteArray KVDeviceProperty::set_cmd_bytes() const { return {}; }
