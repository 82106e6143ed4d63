#include "kvcommoninterface.h"

void KVCommonInterface::slot_usb_read(QByteArray) {}
void KVCommonInterface::slot_tcp_socket_read() {}
void KVCommonInterface::slot_usb_write(QByteArray) {}
void KVCommonInterface::decode_buffer() {}
void KVCommonInterface::sendCMD(QByteArray) {}
void KVCommonInterface::send_cmd(QByteArray) {}
