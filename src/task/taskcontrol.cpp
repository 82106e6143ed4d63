#include "kvcommoninterface.h"

void KVCommonInterface::startTask() {}
void KVCommonInterface::stopTask() {}
void KVCommonInterface::move(int, int) {}
