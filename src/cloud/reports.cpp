#include "kvcommoninterface.h"

void KVCommonInterface::device_task_to_cloud() {}
void KVCommonInterface::device_task_record_to_cloud() {}
void KVCommonInterface::cloud_device_workrecord(QJsonObject) {}
void KVCommonInterface::device_info_to_cloud() {}
