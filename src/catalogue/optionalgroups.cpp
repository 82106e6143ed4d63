#include "kvcommoninterface.h"

void KVCommonInterface::camera_offset_261(KVDeviceInterface *) {}
void KVCommonInterface::camera_offset_583(KVDeviceInterface *) {}
void KVCommonInterface::feed_261(KVDeviceInterface *) {}
void KVCommonInterface::scale_261(KVDeviceInterface *) {}
void KVCommonInterface::scale_583(KVDeviceInterface *) {}
void KVCommonInterface::sp1_261(KVDeviceInterface *) {}
void KVCommonInterface::sp2_261(KVDeviceInterface *) {}
void KVCommonInterface::tool_space_261(KVDeviceInterface *) {}
void KVCommonInterface::work_area_261(KVDeviceInterface *) {}
void KVCommonInterface::work_area_583(KVDeviceInterface *) {}
void KVCommonInterface::move_261(KVDeviceInterface *) {}
