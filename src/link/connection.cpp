#include "kvcommoninterface.h"

void KVCommonInterface::setUSBPath(QString) {}
void KVCommonInterface::setIPAddress(QString) {}
bool KVCommonInterface::connectDevice() { return false; }
void KVCommonInterface::connect_usb(QString) {}
void KVCommonInterface::connect_tcp(QString) {}
void KVCommonInterface::slot_usb_status(int) {}
void KVCommonInterface::slot_tcp_socket_state(QAbstractSocket::SocketState) {}
