#include "simulator.h"

#include "simlog.h"
#include "simpty.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

Q_LOGGING_CATEGORY(lcKvSim, "kvsim", QtWarningMsg)

KvSimulator::KvSimulator(int family, QObject *parent)
    : QObject(parent),
      m_device(family)
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
    for (const QPointer<KvSimSession> &session : std::as_const(m_sessions))
        delete session.data();
}

bool KvSimulator::listenTcp(quint16 port, QString *error)
{
    if (!m_server) {
        m_server = new QTcpServer(this);
        connect(m_server, &QTcpServer::newConnection, this, &KvSimulator::acceptClients);
    }
    if (m_server->listen(QHostAddress::LocalHost, port))
        return true;
    if (error)
        *error = m_server->errorString();
    return false;
}

quint16 KvSimulator::tcpPort() const
{
    return m_server ? m_server->serverPort() : 0;
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
        &m_device, &m_faults, [line](const QByteArray &bytes) { if (line) line->write(bytes); },
        [line] { if (line) line->hangUp(); }, this);
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

void KvSimulator::acceptClients()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        qCDebug(lcKvSim) << "client" << socket->peerAddress().toString() << socket->peerPort() << "connected";
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        auto *session = new KvSimSession(
            &m_device, &m_faults, [socket](const QByteArray &bytes) { socket->write(bytes); },
            [socket] { socket->abort(); }, this);
        socket->setParent(session);
        connect(socket, &QTcpSocket::readyRead, session, [session, socket] { session->receiveBytes(socket->readAll()); });
        connect(socket, &QTcpSocket::disconnected, session, &KvSimSession::closed);
        addSession(session);
    }
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
    const bool hadPty = m_pty != nullptr;
    const QList<QPointer<KvSimSession>> sessions = m_sessions;
    for (const QPointer<KvSimSession> &session : sessions) {
        if (session)
            session->drop();
    }
    if (!hadPty)
        return;
    m_pty->deleteLater();
    m_pty = nullptr;
    QString error;
    if (openPty(&error))
        Q_EMIT ptyPathChanged(ptyPath());
    else
        qCWarning(lcKvSim) << "no new pseudo-terminal:" << error;
}
