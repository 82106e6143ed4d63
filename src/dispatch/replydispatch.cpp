#include "kvcommoninterface.h"

void KVCommonInterface::decode_cmd(QString) {}
void KVCommonInterface::decode_cmd(QString, QString &, int &, QString &) {}
