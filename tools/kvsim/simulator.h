#ifndef KVSIMULATOR_H
#define KVSIMULATOR_H

#include "holdinglimit.h"
#include "simdevice.h"
#include "simsession.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class KvListener;
class KvSimPty;
class QTcpSocket;

// The plotter simulator: one plotter (KvSimDevice) reachable over TCP on 127.0.0.1, with any
// number of clients at once, and over a pseudo-terminal that stands in for its USB port. Every
// line goes through the same fault switches.
//
// Within its means: all connections together hold at most 64 MiB of frames not yet ended, 8 MiB
// each, and one connection at a time up to 256 MiB (a large plot); a connection that would hold
// more loses what it holds, and a TCP client is disconnected. A TCP client whose answers pile up unread (beyond 1 MiB) is not read from
// until it takes them, and dropped when its plotter notices pile up beyond 8 MiB. TCP clients
// that send nothing for the idle timeout are closed, unless the plotter is cutting.
class KvSimulator : public QObject
{
    Q_OBJECT
public:
    explicit KvSimulator(int family = 583, QObject *parent = nullptr);
    ~KvSimulator() override;

    KvSimDevice *device() { return &m_device; }
    KvSimFaults &faults() { return m_faults; }

    // Listens on 127.0.0.1:`port`; port 0 picks a free one (see tcpPort()).
    bool listenTcp(quint16 port, QString *error = nullptr);
    quint16 tcpPort() const;

    // Opens a pseudo-terminal; its slave path is what a client opens (see ptyPath()).
    bool openPty(QString *error = nullptr);
    QString ptyPath() const;

    // 0 (the default) keeps idle connections open.
    void setIdleTimeout(int ms) { m_idleTimeoutMs = ms; }

    int connectionCount() const { return int(m_sessions.size()); }
    // Drops every connection: TCP clients are disconnected, the pseudo-terminal is hung up and
    // a new one opened in its place (ptyPathChanged).
    void dropConnections();

Q_SIGNALS:
    void connectionOpened();
    void connectionClosed();
    void frameReceived(QByteArray frame);
    void frameSent(QByteArray frame);
    void ptyPathChanged(QString path);

private:
    void addSession(KvSimSession *session);
    void acceptClient(QTcpSocket *socket);
    void replacePty();

    KvSimDevice m_device;
    KvSimFaults m_faults;
    KvHoldingLimit m_holdings;
    int m_idleTimeoutMs = 0;
    KvListener *m_listener = nullptr;
    KvSimPty *m_pty = nullptr;
    QList<QPointer<KvSimSession>> m_sessions;
};

#endif // KVSIMULATOR_H
