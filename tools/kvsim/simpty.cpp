#include "simpty.h"

#include "descriptorio.h"
#include "simlog.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// What waits for a client that does not read; beyond it the oldest bytes are of no use.
constexpr qsizetype MaxUnwritten = 16 * 1024 * 1024;
// What one wake-up reads of the client's requests; the rest waits for the next.
constexpr qsizetype ReadChunk = 1024 * 1024;

bool makeRaw(int descriptor)
{
    struct termios settings;
    if (::tcgetattr(descriptor, &settings) != 0)
        return false;
    ::cfmakeraw(&settings);
    return ::tcsetattr(descriptor, TCSANOW, &settings) == 0;
}

QString lastError(const char *step)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(step), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

KvSimPty::KvSimPty(QObject *parent)
    : QObject(parent)
{
}

KvSimPty::~KvSimPty()
{
    hangUp();
}

bool KvSimPty::open(QString *error)
{
    hangUp();
    auto failWith = [&](const char *step) {
        if (error)
            *error = lastError(step);
        hangUp();
        return false;
    };
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0)
        return failWith("posix_openpt");
    if (::grantpt(m_master) != 0)
        return failWith("grantpt");
    if (::unlockpt(m_master) != 0)
        return failWith("unlockpt");
    const char *name = ::ptsname(m_master);
    if (!name)
        return failWith("ptsname");
    m_slavePath = QString::fromLocal8Bit(name);
    m_slaveKeeper = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slaveKeeper < 0)
        return failWith("open slave");
    if (!makeRaw(m_slaveKeeper))
        return failWith("raw mode");
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);

    m_watch.start(m_master, this, [this] { readMaster(); }, [this] { writeMaster(); });
    return true;
}

void KvSimPty::write(const QByteArray &bytes)
{
    if (m_master < 0)
        return;
    if (m_unwritten.size() - m_written + bytes.size() > MaxUnwritten) {
        qCWarning(lcKvSim).noquote() << tr("pty %1: the client reads nothing; %2 bytes dropped").arg(m_slavePath).arg(bytes.size());
        return;
    }
    m_unwritten.append(bytes);
    writeMaster();
}

void KvSimPty::hangUp()
{
    m_watch.stop();
    if (m_slaveKeeper >= 0)
        ::close(m_slaveKeeper);
    if (m_master >= 0) {
        ::close(m_master);
        qCDebug(lcKvSim) << "pty" << m_slavePath << "hung up";
    }
    m_slaveKeeper = -1;
    m_master = -1;
    m_unwritten.clear();
    m_written = 0;
}

void KvSimPty::readMaster()
{
    QByteArray bytes;
    // A hang-up cannot be seen here while the keeper holds the slave open; the line only
    // drains.
    KVDescriptorIO::readAvailable(m_master, bytes, ReadChunk);
    if (!bytes.isEmpty())
        Q_EMIT received(bytes);
}

void KvSimPty::writeMaster()
{
    if (KVDescriptorIO::writeAvailable(m_master, m_unwritten, m_written) == KVDescriptorIO::WriteEnd::Full) {
        m_watch.setWriting(true); // the line is full: the rest goes when the client reads
        return;
    }
    m_unwritten.clear();
    m_written = 0;
    m_watch.setWriting(false);
}
