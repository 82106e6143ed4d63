#include "kvcommoninterface.h"

void KVCommonInterface::init261(KVDeviceInterface *) {}
void KVCommonInterface::info_261(KVDeviceInterface *) {}
