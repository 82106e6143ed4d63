#ifndef KVSIMSESSION_H
#define KVSIMSESSION_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>

class KvHoldingLimit;
class KvSimDevice;

// Switches that make the plotter's line misbehave, read afresh for every frame.
struct KvSimFaults
{
    int chunkBytes = 0;      // > 0: every frame leaves in pieces of this many bytes ...
    int chunkPauseMs = 2;    // ... with this pause between them, so they arrive as separate reads
    int noiseBytes = 0;      // bytes of line noise (never 0x02 or 0x03) in front of every frame
    int dropEvery = 0;       // > 0: every Nth reply to a request is not sent
    int silentAfter = -1;    // >= 0: a connection sends nothing after this many frames
    bool dropMidJob = false; // the connections drop when the first copy of a job is half cut
};

// One connection to the plotter: frames in, replies and notices out, through the faults. The
// line itself is two functions: one that writes bytes, one that drops the connection. What the
// session holds of a frame not yet ended counts against the limit all connections share.
class KvSimSession : public QObject
{
    Q_OBJECT
public:
    using Writer = std::function<void(const QByteArray &)>;
    using Dropper = std::function<void()>;

    KvSimSession(KvSimDevice *device, const KvSimFaults *faults, KvHoldingLimit *holdings, Writer write,
                 Dropper drop, QObject *parent = nullptr);
    ~KvSimSession() override;

    // Bytes that arrived on the line.
    void receiveBytes(const QByteArray &bytes);
    // Sends a frame (a reply or a notice) as the faults allow.
    void send(const QByteArray &frame);
    void drop();

    int framesSent() const { return m_framesSent; }
    // Bytes of frames that wait for their turn on the line (the chunk fault paces them).
    qsizetype queuedBytes() const { return m_queuedBytes; }

Q_SIGNALS:
    void frameReceived(QByteArray frame);
    void frameSent(QByteArray frame);
    void closed();
    // More arrived without a frame end than the session may hold; what it held is dropped.
    void overflowed();

private:
    void writeNextPiece();
    void holdPending();
    QByteArray noise(int count);

    KvSimDevice *m_device;
    const KvSimFaults *m_faults;
    KvHoldingLimit *m_holdings;
    Writer m_write;
    Dropper m_drop;
    QByteArray m_pending;
    qsizetype m_searched = 0;
    int m_replies = 0;
    int m_framesSent = 0;
    quint32 m_noiseSeed = 0x2545F491;
    QList<QByteArray> m_pieces;
    qsizetype m_queuedBytes = 0;
    QTimer m_pacer;
};

#endif // KVSIMSESSION_H
