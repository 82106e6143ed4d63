#include "sendqueue.h"

#include "kvlogging.h"

#include <QMutexLocker>
#include <QScopedValueRollback>

KVSendQueue::KVSendQueue(QMutex *mutex)
    : m_mutex(mutex)
{
    m_counting.setSingleShot(true);
    m_counting.setInterval(0);
    QObject::connect(&m_counting, &QTimer::timeout, &m_counting, [this] {
        m_countingTurn = true;
        pump();
        m_countingTurn = false;
    });
}

void KVSendQueue::send(const QByteArray &frame, Write write)
{
    enqueue(Item{ frame, nullptr, QString(), std::move(write) });
}

void KVSendQueue::stream(std::unique_ptr<KVStreamedFrame> frame, const QString &label, Write write)
{
    enqueue(Item{ QByteArray(), std::move(frame), label, std::move(write) });
}

void KVSendQueue::enqueue(Item item)
{
    if (m_items.size() >= MaxWaiting) {
        qCWarning(lcKvDevice) << "KVSendQueue::send" << m_items.size()
                              << "frames already wait behind a plot frame; frame dropped";
        return;
    }
    m_items.push_back(std::move(item));
    pump();
}

void KVSendQueue::abandon()
{
    if (m_items.empty())
        return;
    const Item &head = m_items.front();
    if (head.streamed)
        qCWarning(lcKvDevice) << "KVSendQueue::abandon" << "link lost: plot frame" << head.label << "given up after"
                              << head.streamed->bytesProduced() << "bytes";
    if (m_items.size() > 1)
        qCWarning(lcKvDevice) << "KVSendQueue::abandon" << "link lost:" << m_items.size() - 1
                              << "frames waiting behind a plot frame dropped";
    m_items.clear();
    ++m_generation;
    m_counting.stop();
    // The transport may still hold the pieces it was given; the next plot gets buffers of its own.
    m_buffers = {};
}

void KVSendQueue::pump()
{
    if (m_pumping)
        return; // a transport that reports progress inside a write: the running pump goes on
    const QScopedValueRollback<bool> running(m_pumping, true);
    while (!m_items.empty()) {
        Item &item = m_items.front();
        const bool done = item.streamed ? advance(item) : deliver(item.write, item.frame, true);
        if (!done)
            return;
        m_items.pop_front();
    }
}

// Moves the plot frame at the head on as far as it goes now; true once all of it is written, or
// once it turns out that no frame can carry it.
bool KVSendQueue::advance(Item &item)
{
    KVStreamedFrame &frame = *item.streamed;
    // A text longer than a slice is counted on the turns that follow, the first one included:
    // what was sent before the plot goes out meanwhile, and startTask returns at once.
    if (m_countingTurn || frame.characters() <= CountCharacters)
        frame.measure(CountCharacters);
    if (!frame.measured()) {
        m_counting.start();
        return false;
    }
    if (frame.delimiterAt() >= 0) {
        qCWarning(lcKvDevice) << "KVSendQueue::stream" << item.label
                              << "frame not built: its body holds the frame delimiter"
                              << QByteArray(1, frame.delimiter()).toHex() << "at byte" << frame.delimiterAt();
        return true;
    }
    while (QByteArray *buffer = freeBuffer()) {
        frame.next(*buffer, PieceCharacters);
        if (!deliver(item.write, *buffer, false))
            return false;
        if (frame.atEnd())
            return true;
    }
    return false; // every buffer is with the transport: drained() goes on
}

// A buffer that the transport has let go of, or none.
QByteArray *KVSendQueue::freeBuffer()
{
    for (QByteArray &buffer : m_buffers) {
        if (buffer.isNull() || buffer.isDetached())
            return &buffer;
    }
    return nullptr;
}

// Hands bytes to the transport under the caller's mutex; false when the link went down during the
// write (the transport reported it at once) and the queue was abandoned.
bool KVSendQueue::deliver(const Write &write, const QByteArray &bytes, bool wholeFrame)
{
    // Copies: abandon() may drop the item and the buffers while the write runs.
    const Write target = write;
    const QByteArray piece = bytes;
    const quint64 generation = m_generation;
    {
        const QMutexLocker lock(m_mutex);
        target(piece, wholeFrame);
    }
    return generation == m_generation;
}
