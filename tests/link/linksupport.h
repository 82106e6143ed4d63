#ifndef LINKSUPPORT_H
#define LINKSUPPORT_H

#include "framestream.h"
#include "testdevice.h"

inline QByteArray frame(const char *body)
{
    return KVFrameStream::pack(QByteArray(body));
}

#endif // LINKSUPPORT_H
