#include "kvrv520maxcam.h"

void KVCommonInterface::decode_task(QString) {}
void KVRV520MAXCam::decode_task() {}
