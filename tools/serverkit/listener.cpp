#include "listener.h"

#include <QLoggingCategory>
#include <QSocketNotifier>
#include <QTcpSocket>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int Backlog = 128;
constexpr int RetryMs = 250;

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool outOfResources(int error)
{
    return error == EMFILE || error == ENFILE || error == ENOBUFS || error == ENOMEM;
}
} // namespace

KvListener::KvListener(LogCategory log, QObject *parent)
    : QObject(parent), m_log(log)
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(RetryMs);
    connect(&m_retry, &QTimer::timeout, this, [this] {
        if (m_notifier)
            m_notifier->setEnabled(true);
        acceptPending();
    });
}

KvListener::~KvListener()
{
    close();
}

bool KvListener::listen(quint16 port, QString *error)
{
    close();
    m_descriptor = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int on = 1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_descriptor < 0 || ::setsockopt(m_descriptor, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0
        || ::bind(m_descriptor, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
        || ::listen(m_descriptor, Backlog) != 0
        || ::getsockname(m_descriptor, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        if (error)
            *error = systemError(errno);
        close();
        return false;
    }
    m_port = ntohs(address.sin_port);
    m_notifier = new QSocketNotifier(m_descriptor, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &KvListener::acceptPending);
    return true;
}

void KvListener::close()
{
    m_retry.stop();
    if (m_notifier) {
        m_notifier->setEnabled(false);
        m_notifier->deleteLater(); // close() may be called from a connection it just announced
    }
    m_notifier = nullptr;
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
    m_port = 0;
}

void KvListener::acceptPending()
{
    while (m_descriptor >= 0) {
        const int connection = ::accept4(m_descriptor, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (connection < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (outOfResources(errno))
                pauseAccepting(errno);
            return; // EAGAIN: nothing more waits
        }
        if (m_paused) {
            qCInfo(m_log) << "accepting connections again on port" << m_port;
            m_paused = false;
        }
        auto *socket = new QTcpSocket;
        socket->setSocketDescriptor(connection);
        Q_EMIT accepted(socket);
    }
}

void KvListener::pauseAccepting(int error)
{
    if (!m_paused) {
        qCWarning(m_log).noquote() << tr("cannot accept connections on port %1 (%2); trying again every %3 ms")
                                          .arg(m_port).arg(systemError(error)).arg(RetryMs);
        m_paused = true;
    }
    m_notifier->setEnabled(false);
    m_retry.start();
}
