#include "simsession.h"

#include "framestream.h"
#include "holdinglimit.h"
#include "simdevice.h"
#include "simlog.h"

KvSimSession::KvSimSession(KvSimDevice *device, const KvSimFaults *faults, KvHoldingLimit *holdings, Writer write,
                           Dropper drop, QObject *parent)
    : QObject(parent),
      m_device(device),
      m_faults(faults),
      m_holdings(holdings),
      m_write(std::move(write)),
      m_drop(std::move(drop))
{
    m_pacer.setSingleShot(true);
    connect(&m_pacer, &QTimer::timeout, this, &KvSimSession::writeNextPiece);
    connect(device, &KvSimDevice::notice, this, &KvSimSession::send);
}

KvSimSession::~KvSimSession()
{
    m_holdings->release(this);
}

void KvSimSession::receiveBytes(const QByteArray &bytes)
{
    m_pending.append(bytes);
    KVFrameStream::cut(
        m_pending, m_searched,
        [this](const QByteArray &frame) {
            qCDebug(lcKvSim).noquote() << "<-" << QString::fromUtf8(frame.mid(1, frame.size() - 2)).left(200);
            Q_EMIT frameReceived(frame);
            const QList<QByteArray> replies = m_device->handle(frame);
            for (const QByteArray &reply : replies) {
                ++m_replies;
                if (m_faults->dropEvery > 0 && m_replies % m_faults->dropEvery == 0) {
                    qCDebug(lcKvSim) << "fault: reply" << m_replies << "not sent";
                    continue;
                }
                send(reply);
            }
            return true;
        },
        [](const QByteArray &candidate) {
            qCDebug(lcKvSim) << "bytes without a frame start dropped:" << candidate.size();
        });
    holdPending();
}

// Only the bytes from the last frame start can still become a frame; those are what the session
// holds, within the limit all connections share.
void KvSimSession::holdPending()
{
    if (KVFrameStream::bound(m_pending, m_searched, m_holdings->largest()) != KVFrameStream::Overflow::None)
        qCDebug(lcKvSim) << "bytes in front of the last frame start dropped";
    if (!m_holdings->hold(this, m_pending.size())) {
        qCWarning(lcKvSim).noquote() << tr("%1 bytes without a frame end are more than the plotter "
                                           "holds now; dropped").arg(m_pending.size());
        m_pending.clear();
        m_searched = 0;
        m_holdings->release(this);
        Q_EMIT overflowed();
    }
    // A large frame's buffer is not kept once the frame is done.
    if (m_pending.capacity() > 2 * m_pending.size() + 64 * 1024)
        m_pending.squeeze();
}

void KvSimSession::send(const QByteArray &frame)
{
    if (m_faults->silentAfter >= 0 && m_framesSent >= m_faults->silentAfter) {
        qCDebug(lcKvSim) << "fault: silent, frame not sent";
        return;
    }
    ++m_framesSent;
    qCDebug(lcKvSim).noquote() << "->" << QString::fromUtf8(frame.mid(1, frame.size() - 2));
    Q_EMIT frameSent(frame);
    const QByteArray bytes = noise(m_faults->noiseBytes) + frame;
    if (m_faults->chunkBytes <= 0 && m_pieces.isEmpty()) {
        m_write(bytes);
        return;
    }
    const int size = m_faults->chunkBytes > 0 ? m_faults->chunkBytes : int(bytes.size());
    for (qsizetype offset = 0; offset < bytes.size(); offset += size)
        m_pieces.append(bytes.mid(offset, size));
    m_queuedBytes += bytes.size();
    if (!m_pacer.isActive())
        writeNextPiece();
}

void KvSimSession::writeNextPiece()
{
    if (m_pieces.isEmpty())
        return;
    const QByteArray piece = m_pieces.takeFirst();
    m_queuedBytes -= piece.size();
    m_write(piece);
    if (!m_pieces.isEmpty())
        m_pacer.start(m_faults->chunkPauseMs);
}

// Deterministic noise that never holds a frame delimiter.
QByteArray KvSimSession::noise(int count)
{
    QByteArray bytes;
    bytes.reserve(count);
    while (bytes.size() < count) {
        m_noiseSeed ^= m_noiseSeed << 13;
        m_noiseSeed ^= m_noiseSeed >> 17;
        m_noiseSeed ^= m_noiseSeed << 5;
        const char byte = char(m_noiseSeed & 0xFF);
        if (byte != KVFrameStream::Stx && byte != KVFrameStream::Etx)
            bytes.append(byte);
    }
    return bytes;
}

void KvSimSession::drop()
{
    m_drop();
}
