#include "kvrv520maxcam.h"

void KVRV520MAXCam::add_model_records(KVDeviceInterface *) {}
void KVRV520MAXCam::add_model_identity(KVDeviceInterface *) {}
