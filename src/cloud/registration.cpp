#include "kvcommoninterface.h"

void KVCommonInterface::setPivenaCloud(PivenaCloud *, QString) {}
void KVCommonInterface::cloud_device_model_get(QJsonObject) {}
void KVCommonInterface::cloud_device_get(QJsonObject) {}
void KVCommonInterface::cloud_device_new(QJsonObject) {}
void KVCommonInterface::cloud_device_update(QJsonObject) {}
