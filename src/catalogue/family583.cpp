#include "kvcommoninterface.h"

void KVCommonInterface::init583(KVDeviceInterface *) {}
void KVCommonInterface::info_583(KVDeviceInterface *) {}
