#include "kvrv520maxcam.h"

void KVRV520MAXCam::startTask() {}
void KVRV520MAXCam::move(int, int) {}
