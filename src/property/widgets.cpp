#include "kvdeviceproperty.h"

void KVDeviceProperty::create_ui_ctrl(QWidget *, QString, bool) {}
void KVDeviceProperty::to_ui_ctrl() {}
void KVDeviceProperty::from_ui_ctrl() {}
