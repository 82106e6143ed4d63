#include "kvcommoninterface.h"

void KVCommonInterface::connect_websocket() {}
void KVCommonInterface::slot_websocket_connected() {}
void KVCommonInterface::slot_websocket_disconnected() {}
void KVCommonInterface::slot_websocket_error(QAbstractSocket::SocketError) {}
void KVCommonInterface::slot_websocket_text_received(const QString &) {}
