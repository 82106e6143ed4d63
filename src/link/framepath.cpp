#include "kvcommoninterface.h"

#include "framestream.h"
#include "kvdeviceproperty.h"
#include "kvlogging.h"
#include "sendqueue.h"
#include "usboperate.h"

#include <QDateTime>
#include <QPointer>
#include <QTcpSocket>

namespace {

// The type word of a plot record's write frame, or null when its write frame is no plot frame.
const char *plotWord(const KVDeviceProperty &record)
{
    if (record.set_cmd_int() == 0)
        return nullptr;
    switch (record.cmd_type()) {
    case KVDeviceInterface::PLT: return "PLT";
    case KVDeviceInterface::PPLT: return "PPLT";
    case KVDeviceInterface::QRPLT: return "QR_PLT";
    default: return nullptr;
    }
}

} // namespace

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
        stamp_reception(last);
    receive_buffer.append(data);
    // The chunk, not the whole buffer: a long frame in small pieces must not cost its whole
    // length in log output per piece.
    qCDebug(lcKvDevice) << operation << data.size() << "bytes," << receive_buffer.size() << "waiting";
    qCDebug(lcKvFrames) << operation << data.toHex(' ');
    decode_buffer();
}

// The local date-time costs a system call (the time zone file is looked at each time), and the
// record holds milliseconds: within the millisecond of the last stamp the stamp stands, unless
// someone else has set the record since.
void KVCommonInterface::stamp_reception(KVDeviceProperty *last)
{
    if (stamp_clock.isValid() && stamp_clock.elapsed() < 1 && last->value().toDateTime() == last_stamp)
        return;
    last_stamp = QDateTime::currentDateTime();
    stamp_clock.start();
    last->setValue(last_stamp);
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
    if (frame.isEmpty())
        return;
    std::function<void(const QByteArray &, bool)> write = send_route("KVCommonInterface::send_cmd", frame.size());
    if (!write)
        return;
    qCDebug(lcKvFrames) << "KVCommonInterface::send_cmd" << property_ptr("CONNECT_MODE")->value().toString()
                        << frame.toHex(' ');
    outgoing().send(frame, std::move(write));
}

void KVCommonInterface::send_plot(KVDeviceProperty *record)
{
    const char *word = record ? plotWord(*record) : nullptr;
    if (!word) {
        if (record)
            sendCMD(record->set_cmd_bytes());
        return;
    }
    const QString text = record->value().toString(); // shares the record's text
    std::function<void(const QByteArray &, bool)> write = send_route("KVCommonInterface::send_plot", text.size());
    if (!write)
        return;
    qCDebug(lcKvDevice) << "KVCommonInterface::send_plot" << word << text.size() << "characters";
    outgoing().stream(std::make_unique<KVStreamedFrame>(QLatin1String(word), text), record->label(),
                       std::move(write));
}

KVSendQueue &KVCommonInterface::outgoing()
{
    if (!send_queue)
        send_queue = std::make_unique<KVSendQueue>(&send_mutex);
    return *send_queue;
}

std::function<void(const QByteArray &, bool)> KVCommonInterface::send_route(const char *operation, qsizetype bytes)
{
    const KVDeviceProperty *mode = property_ptr("CONNECT_MODE");
    const KVDeviceProperty *status = property_ptr("STATUS");
    if (!mode || !status)
        return {};
    const int state = status->value().toInt();
    if (state == DisConnected || state == Warning || state == Error)
        return {};

    // "CONNECT_MODE" and "STATUS" are ordinary records that a host may set itself, so the
    // transport they name need not exist or be open.
    if (mode->value().toString() == QLatin1String("TCP")) {
        if (!tcp_socket || tcp_socket->state() != QAbstractSocket::ConnectedState) {
            qCWarning(lcKvDevice) << operation << "no open TCP connection, frame dropped" << bytes << "bytes";
            return {};
        }
        return [socket = QPointer<QTcpSocket>(tcp_socket)](const QByteArray &data, bool) {
            if (socket && socket->state() == QAbstractSocket::ConnectedState)
                socket->write(data);
        };
    }
    if (!usb_operate || !usb_operate->isOpen()) {
        qCWarning(lcKvDevice) << operation << "no open USB device, frame dropped" << bytes << "bytes";
        return {};
    }
    // A whole frame goes as the text the USB transport takes; the pieces of a plot frame go as
    // the bytes they are, so that the transport holds the buffers they were encoded into.
    return [usb = QPointer<UsbOperate>(usb_operate)](const QByteArray &data, bool wholeFrame) {
        if (!usb)
            return;
        if (wholeFrame)
            usb->send(QString::fromUtf8(data));
        else
            usb->write(data);
    };
}
