#include "simulator.h"

#include "idlewatch.h"
#include "listener.h"
#include "simlog.h"
#include "simpty.h"

#include <QTcpSocket>

Q_LOGGING_CATEGORY(lcKvSim, "kvsim", QtWarningMsg)

namespace {
constexpr qsizetype MiB = 1024 * 1024;
// What a TCP client's socket buffers of its requests; the rest waits on the line.
constexpr qsizetype ReadChunk = MiB;
// Answers waiting for a client beyond this: its requests are not read until it takes them.
constexpr qsizetype UnsentAnswersBound = MiB;
// Beyond this the client takes nothing at all, not even the plotter's notices: it is dropped.
constexpr qsizetype UnsentBound = 8 * MiB;
} // namespace

KvSimulator::KvSimulator(int family, QObject *parent)
    : QObject(parent),
      m_device(family),
      m_holdings(64 * MiB, 8 * MiB, 256 * MiB)
{
    connect(&m_device, &KvSimDevice::halfway, this, [this] {
        if (m_faults.dropMidJob) {
            qCDebug(lcKvSim) << "fault: connections dropped in the middle of the job";
            dropConnections();
        }
    });
}

KvSimulator::~KvSimulator()
{
    // Closed sessions wait for their deletion as children; every session releases what it holds
    // into the limit, which goes with the simulator.
    qDeleteAll(findChildren<KvSimSession *>(Qt::FindDirectChildrenOnly));
}

bool KvSimulator::listenTcp(quint16 port, QString *error)
{
    if (!m_listener) {
        m_listener = new KvListener(lcKvSim, this);
        connect(m_listener, &KvListener::accepted, this, &KvSimulator::acceptClient);
    }
    return m_listener->listen(port, error);
}

quint16 KvSimulator::tcpPort() const
{
    return m_listener ? m_listener->port() : 0;
}

bool KvSimulator::openPty(QString *error)
{
    auto *pty = new KvSimPty(this);
    if (!pty->open(error)) {
        delete pty;
        return false;
    }
    m_pty = pty;
    // The session outlives its line for a moment (it goes later, once the line is gone), and
    // the plotter's notices or paced pieces may still reach it in that moment.
    const QPointer<KvSimPty> line(pty);
    auto *session = new KvSimSession(
        &m_device, &m_faults, &m_holdings, [line](const QByteArray &bytes) { if (line) line->write(bytes); },
        [this, line] { if (line && line == m_pty) replacePty(); }, this);
    connect(pty, &KvSimPty::received, session, &KvSimSession::receiveBytes);
    // A hung-up line is closed for good: the session ends with it.
    connect(pty, &QObject::destroyed, session, &KvSimSession::closed);
    addSession(session);
    return true;
}

QString KvSimulator::ptyPath() const
{
    return m_pty ? m_pty->slavePath() : QString();
}

void KvSimulator::acceptClient(QTcpSocket *socket)
{
    const QString client = QStringLiteral("client %1").arg(socket->peerPort());
    qCDebug(lcKvSim).noquote() << client << "connected";
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    socket->setReadBufferSize(ReadChunk);
    auto *session = new KvSimSession(
        &m_device, &m_faults, &m_holdings,
        [socket, client](const QByteArray &bytes) {
            if (socket->bytesToWrite() + bytes.size() <= UnsentBound) {
                socket->write(bytes);
                return;
            }
            qCWarning(lcKvSim).noquote() << tr("%1 takes none of its answers; dropped").arg(client);
            socket->abort();
        },
        [socket] { socket->abort(); }, this);
    socket->setParent(session);
    auto *idle = new KvIdleWatch([this] { return m_device.jobState() != KvSimDevice::JobState::Idle; },
                                 [socket, client] {
                                     qCDebug(lcKvSim).noquote() << client << "idle; closed";
                                     socket->abort();
                                 },
                                 session);
    idle->setTimeout(m_idleTimeoutMs);
    // Requests are read while the client takes its answers; otherwise they wait on the line.
    const auto readRequests = [session, socket, idle] {
        if (socket->bytesAvailable() == 0 || socket->bytesToWrite() + session->queuedBytes() > UnsentAnswersBound)
            return;
        idle->touch();
        session->receiveBytes(socket->readAll());
    };
    connect(socket, &QTcpSocket::readyRead, session, readRequests);
    connect(socket, &QTcpSocket::bytesWritten, session, readRequests);
    connect(session, &KvSimSession::overflowed, socket, &QTcpSocket::abort);
    connect(socket, &QTcpSocket::disconnected, session, &KvSimSession::closed);
    addSession(session);
}

void KvSimulator::addSession(KvSimSession *session)
{
    m_sessions.append(session);
    connect(session, &KvSimSession::frameReceived, this, &KvSimulator::frameReceived);
    connect(session, &KvSimSession::frameSent, this, &KvSimulator::frameSent);
    connect(session, &KvSimSession::closed, this, [this, session] {
        m_sessions.removeAll(session);
        session->deleteLater();
        Q_EMIT connectionClosed();
    });
    Q_EMIT connectionOpened();
}

void KvSimulator::dropConnections()
{
    const QList<QPointer<KvSimSession>> sessions = m_sessions;
    for (const QPointer<KvSimSession> &session : sessions) {
        if (session)
            session->drop();
    }
}

// A pseudo-terminal that was hung up is closed for good: a new one takes its place.
void KvSimulator::replacePty()
{
    m_pty->hangUp();
    m_pty->deleteLater();
    m_pty = nullptr;
    QString error;
    if (openPty(&error))
        Q_EMIT ptyPathChanged(ptyPath());
    else
        qCWarning(lcKvSim).noquote() << tr("no new pseudo-terminal: %1").arg(error);
}
