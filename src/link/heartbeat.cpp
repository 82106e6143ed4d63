#include "kvcommoninterface.h"

void KVCommonInterface::heartbeat_switch(bool) {}
void KVCommonInterface::slot_device_timer() {}
