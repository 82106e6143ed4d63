#include "kvrv520maxcam.h"

void KVRV520MAXCam::decode_cmd(QString frame) { KVCommonInterface::decode_cmd(frame); }
