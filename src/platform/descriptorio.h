#ifndef KVDESCRIPTORIO_H
#define KVDESCRIPTORIO_H

// Reading and writing a non-blocking file descriptor as far as it goes, shared by the USB
// transport (character devices) and the simulator's pseudo-terminal. Header only: the plug-in
// exports nothing beyond its device interface.

#include <QByteArray>
#include <QSocketNotifier>

#include <cerrno>
#include <unistd.h>

namespace KVDescriptorIO {

enum class ReadEnd {
    Drained,   // nothing more for now
    Limit,     // `limit` bytes read; more may wait
    EndOfData, // the other end is gone (read returned 0)
    Failed     // read failed; `error` holds errno
};

// Appends what `fd` has to `out`, up to `limit` bytes.
inline ReadEnd readAvailable(int fd, QByteArray &out, qsizetype limit, int *error = nullptr)
{
    char chunk[16384];
    while (out.size() < limit) {
        const ssize_t count = ::read(fd, chunk, sizeof chunk);
        if (count > 0) {
            out.append(chunk, count);
            continue;
        }
        if (count == 0)
            return ReadEnd::EndOfData;
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return ReadEnd::Drained;
        if (error)
            *error = errno;
        return ReadEnd::Failed;
    }
    return ReadEnd::Limit;
}

enum class WriteEnd {
    Done,  // everything is written
    Full,  // the descriptor takes no more for now; the rest from `offset` on waits
    Failed // write failed; `error` holds errno (0 when it took nothing without saying why)
};

// Writes `bytes` from `offset` on as far as `fd` takes them, moving `offset` along.
inline WriteEnd writeAvailable(int fd, const QByteArray &bytes, qsizetype &offset, int *error = nullptr)
{
    while (offset < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.constData() + offset, size_t(bytes.size() - offset));
        if (count > 0) {
            offset += count;
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return WriteEnd::Full;
        if (error)
            *error = count < 0 ? errno : 0;
        return WriteEnd::Failed;
    }
    return WriteEnd::Done;
}

// The two notifiers of a descriptor: reading always on, writing on while bytes wait.
class Watch
{
public:
    template<typename ReadHandler, typename WriteHandler>
    void start(int fd, QObject *context, ReadHandler onReadable, WriteHandler onWritable)
    {
        m_read = new QSocketNotifier(fd, QSocketNotifier::Read, context);
        QObject::connect(m_read, &QSocketNotifier::activated, context, onReadable);
        m_write = new QSocketNotifier(fd, QSocketNotifier::Write, context);
        m_write->setEnabled(false);
        QObject::connect(m_write, &QSocketNotifier::activated, context, onWritable);
    }

    void setWriting(bool on)
    {
        if (m_write)
            m_write->setEnabled(on);
    }

    // Switches both off now and deletes them later: stopping may happen inside one of their
    // own signals.
    void stop()
    {
        for (QSocketNotifier *notifier : { m_read, m_write }) {
            if (notifier) {
                notifier->setEnabled(false);
                notifier->deleteLater();
            }
        }
        m_read = nullptr;
        m_write = nullptr;
    }

private:
    QSocketNotifier *m_read = nullptr;
    QSocketNotifier *m_write = nullptr;
};

} // namespace KVDescriptorIO

#endif // KVDESCRIPTORIO_H
