#ifndef KVFRAMESTREAM_H
#define KVFRAMESTREAM_H

// Cutting frames out of a byte stream, shared by the device object's receive path and the
// plotter simulator, which read the same line from opposite ends.
//
// On the line a frame is
//
//     0x02 | N in decimal digits | ';' | type word | ';' | payload | 0x03
//
// where N counts every byte of the frame. The reader trusts only the two delimiters: every 0x03
// closes a candidate, and the candidate's frame starts at its last 0x02. Bytes in front of that
// 0x02 (line noise, the head of a frame whose tail was lost) are dropped, and a candidate
// without any 0x02 is dropped whole. N is not checked.
//
// Header only: the plug-in exports nothing beyond its device interface, and the simulator does
// not link the plug-in.

#include <QByteArray>
#include <QtGlobal>

#include <algorithm>
#include <cstring>

namespace KVFrameStream {

constexpr char Stx = 0x02;
constexpr char Etx = 0x03;

// What a receiver keeps at most while no complete frame has arrived.
constexpr qsizetype DefaultPendingLimit = 64 * 1024;

// Position of the last 0x02 in bytes[from, to), or -1. (Qt's search, not a loop of our own: in
// the fuzz builds it runs uninstrumented, at the speed a host sees.)
inline qsizetype lastStx(const QByteArray &bytes, qsizetype from, qsizetype to)
{
    const qsizetype found = QByteArrayView(bytes.constData() + from, to - from).lastIndexOf(Stx);
    return found < 0 ? -1 : from + found;
}

// Offset of the first 0x02 or 0x03 in `size` bytes, or -1: a frame body holding either cannot
// be sent.
inline qsizetype firstDelimiter(const char *bytes, qsizetype size)
{
    const void *stx = std::memchr(bytes, Stx, size_t(size));
    const void *etx = std::memchr(bytes, Etx, stx ? size_t(static_cast<const char *>(stx) - bytes) : size_t(size));
    const void *first = etx ? etx : stx;
    return first ? static_cast<const char *>(first) - bytes : -1;
}

// Receive state of one stream is a pair: `bytes` not yet consumed and `searched`, how many of
// them are known to hold no 0x03, so that a long frame arriving in small pieces is searched
// once, not once per piece.

// Cuts every complete frame out of `bytes`, in stream order. `onFrame(QByteArray frame)` gets
// each frame from its 0x02 through its 0x03 and returns whether to go on: false means the owner
// of `bytes` is gone, and cut() returns false at once without touching them again.
// `onDropped(QByteArray candidate)` gets each candidate that holds no 0x02. A frame handler may
// append to `bytes` (bytes that arrive while a frame is being handled) and the loop picks them
// up, but must not call cut() on the same stream again. The consumed bytes are removed once at
// the end, so the work is linear in the bytes received, however many frames one piece holds.
template<typename FrameHandler, typename DropHandler>
bool cut(QByteArray &bytes, qsizetype &searched, FrameHandler &&onFrame, DropHandler &&onDropped)
{
    qsizetype start = 0;
    qsizetype etx;
    while ((etx = bytes.indexOf(Etx, std::max(start, searched))) >= 0) {
        const qsizetype stx = lastStx(bytes, start, etx);
        const qsizetype candidateStart = start;
        start = etx + 1;
        searched = start;
        if (stx < 0)
            onDropped(bytes.mid(candidateStart, etx - candidateStart + 1));
        else if (!onFrame(bytes.mid(stx, etx - stx + 1)))
            return false;
    }
    bytes.remove(0, start);
    searched = bytes.size();
    return true;
}

enum class Overflow {
    None,      // within the limit, nothing changed
    KeptTail,  // the bytes before the last 0x02 were dropped
    DroppedAll // no 0x02, or the frame it starts is already longer than the limit
};

// Bounds what waits for a 0x03. Call after cut(), when `bytes` holds no complete frame. Past
// the limit only the start of the newest frame is worth keeping, and only while it is shorter
// than the limit itself.
inline Overflow bound(QByteArray &bytes, qsizetype &searched, qsizetype limit = DefaultPendingLimit)
{
    const qsizetype size = bytes.size();
    if (size <= limit)
        return Overflow::None;
    const qsizetype stx = lastStx(bytes, 0, size);
    if (stx >= 0 && size - stx < limit) {
        bytes.remove(0, stx);
        searched = bytes.size();
        return Overflow::KeptTail;
    }
    bytes.clear();
    searched = 0;
    return Overflow::DroppedAll;
}

// The total length N of a frame whose body (type word, ';', payload) has `bodySize` bytes.
// N counts its own digits, so one more digit may be needed once the digits are added
// (a body of 94 bytes gives 99, one of 95 bytes gives 101).
inline qsizetype frameLength(qsizetype bodySize)
{
    const qsizetype withoutDigits = bodySize + 3;
    qsizetype length = withoutDigits + 1;
    while (length != withoutDigits + QByteArray::number(length).size())
        length = withoutDigits + QByteArray::number(length).size();
    return length;
}

// Wraps a body (type word, ';', payload) into a frame.
inline QByteArray pack(const QByteArray &body)
{
    QByteArray frame;
    frame.reserve(body.size() + 12);
    frame.append(Stx).append(QByteArray::number(frameLength(body.size()))).append(';');
    frame.append(body).append(Etx);
    return frame;
}

} // namespace KVFrameStream

#endif // KVFRAMESTREAM_H
