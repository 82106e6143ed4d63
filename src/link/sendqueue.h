#ifndef KVSENDQUEUE_H
#define KVSENDQUEUE_H

#include "streamedframe.h"

#include <QByteArray>
#include <QMutex>
#include <QString>
#include <QTimer>

#include <array>
#include <deque>
#include <functional>
#include <memory>

// The frames of one device object on their way to the transport, in the order they were sent.
//
// A frame goes to the transport whole, at once when nothing is ahead of it. A plot frame is
// streamed: its length is counted over the text a slice per turn of the event loop, then its
// bytes are encoded into a few reused buffers and handed over as the transport drains (a buffer
// is free again once the transport has let go of it). Frames sent meanwhile (status reads, the
// heartbeat, a stop) wait here and follow the plot frame, whole; nothing goes inside it. The
// caller's mutex is held around every write to a transport.
class KVSendQueue
{
public:
    // Hands bytes to the transport a frame was sent through: a whole frame, or a piece of a
    // streamed one.
    using Write = std::function<void(const QByteArray &bytes, bool wholeFrame)>;

    explicit KVSendQueue(QMutex *mutex);

    void send(const QByteArray &frame, Write write);
    // `label` names the frame in log lines.
    void stream(std::unique_ptr<KVStreamedFrame> frame, const QString &label, Write write);
    // The transport took bytes: call from its bytesWritten signal.
    void drained() { pump(); }
    // The link is down: a plot frame in flight is given up and the frames waiting are dropped.
    void abandon();

    // Characters of plot text encoded into one piece, and counted in one turn of the event loop.
    static constexpr qsizetype PieceCharacters = 256 * 1024;
    static constexpr qsizetype CountCharacters = 2 << 20;
    // Frames that may wait behind a plot frame; more are dropped with a log line.
    static constexpr std::size_t MaxWaiting = 4096;

private:
    struct Item
    {
        QByteArray frame;
        std::unique_ptr<KVStreamedFrame> streamed;
        QString label;
        Write write;
    };

    void enqueue(Item item);
    void pump();
    bool advance(Item &item);
    QByteArray *freeBuffer();
    bool deliver(const Write &write, const QByteArray &bytes, bool wholeFrame);

    QMutex *m_mutex;
    std::deque<Item> m_items;
    std::array<QByteArray, 3> m_buffers;
    QTimer m_counting; // the next slice of the count, on the next turn of the event loop
    bool m_pumping = false;
    bool m_countingTurn = false;
    quint64 m_generation = 0; // counts abandon()s
};

#endif // KVSENDQUEUE_H
