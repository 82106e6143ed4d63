#include "kvcommoninterface.h"

#include "framestream.h"
#include "kvdeviceproperty.h"
#include "kvlogging.h"
#include "usboperate.h"

#include <QDateTime>
#include <QMutexLocker>
#include <QPointer>
#include <QTcpSocket>

void KVCommonInterface::slot_usb_read(QByteArray data)
{
    receive("KVCommonInterface::slot_usb_read", data);
}

void KVCommonInterface::slot_tcp_socket_read()
{
    if (tcp_socket)
        receive("KVCommonInterface::slot_tcp_socket_read", tcp_socket->readAll());
}

void KVCommonInterface::slot_usb_write(QByteArray) {}

void KVCommonInterface::receive(const char *operation, const QByteArray &data)
{
    if (KVDeviceProperty *last = property_ptr("LAST_TIME"))
        last->setValue(QDateTime::currentDateTime());
    receive_buffer.append(data);
    // The chunk, not the whole buffer: a long frame in small pieces must not cost its whole
    // length in log output per piece.
    qCDebug(lcKvDevice) << operation << data.size() << "bytes," << receive_buffer.size() << "waiting";
    qCDebug(lcKvFrames) << operation << data.toHex(' ');
    decode_buffer();
}

void KVCommonInterface::decode_buffer()
{
    // A frame handler that lets the event loop run may deliver more bytes: they are appended
    // and the cut that is already running reaches them.
    if (receive_cutting)
        return;
    receive_cutting = true;
    const QPointer<KVCommonInterface> alive(this);
    const bool completed = KVFrameStream::cut(
        receive_buffer, receive_searched,
        [this, &alive](const QByteArray &frame) {
            qCDebug(lcKvFrames) << "KVCommonInterface::decode_buffer" << frame.toHex(' ');
            decode_cmd(QString::fromUtf8(frame));
            return !alive.isNull();
        },
        [](const QByteArray &candidate) {
            qCDebug(lcKvDevice) << "KVCommonInterface::decode_buffer" << "no 0x02 before 0x03, dropped"
                                << candidate.size() << "bytes";
        });
    if (!completed)
        return; // the device object was deleted by a frame's handler
    receive_cutting = false;

    const qsizetype waiting = receive_buffer.size();
    switch (KVFrameStream::bound(receive_buffer, receive_searched)) {
    case KVFrameStream::Overflow::None:
        break;
    case KVFrameStream::Overflow::KeptTail:
        qCWarning(lcKvDevice) << "KVCommonInterface::decode_buffer" << waiting
                              << "bytes received without a frame end; kept the last"
                              << receive_buffer.size() << "bytes from the newest 0x02";
        break;
    case KVFrameStream::Overflow::DroppedAll:
        qCWarning(lcKvDevice) << "KVCommonInterface::decode_buffer" << waiting
                              << "bytes received without a frame end; dropped them all";
        break;
    }
}

void KVCommonInterface::sendCMD(QByteArray frame)
{
    if (frame.isEmpty())
        return;
    send_cmd(frame);
}

void KVCommonInterface::send_cmd(QByteArray frame)
{
    const KVDeviceProperty *mode = property_ptr("CONNECT_MODE");
    const KVDeviceProperty *status = property_ptr("STATUS");
    if (!mode || !status || frame.isEmpty())
        return;
    const int state = status->value().toInt();
    if (state == DisConnected || state == Warning || state == Error)
        return;

    QMutexLocker lock(&send_mutex);
    // "CONNECT_MODE" and "STATUS" are ordinary records that a host may set itself, so the
    // transport they name need not exist or be open.
    if (mode->value().toString() == QLatin1String("TCP")) {
        if (!tcp_socket || tcp_socket->state() != QAbstractSocket::ConnectedState) {
            qCWarning(lcKvDevice) << "KVCommonInterface::send_cmd" << "no open TCP connection, frame dropped"
                                  << frame.size() << "bytes";
            return;
        }
        qCDebug(lcKvFrames) << "KVCommonInterface::send_cmd" << "TCP" << frame.toHex(' ');
        tcp_socket->write(frame);
        return;
    }
    if (!usb_operate || !usb_operate->isOpen()) {
        qCWarning(lcKvDevice) << "KVCommonInterface::send_cmd" << "no open USB device, frame dropped"
                              << frame.size() << "bytes";
        return;
    }
    qCDebug(lcKvFrames) << "KVCommonInterface::send_cmd" << "USB" << frame.toHex(' ');
    usb_operate->send(QString::fromUtf8(frame));
}
