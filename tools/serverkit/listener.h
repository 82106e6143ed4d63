#ifndef KVLISTENER_H
#define KVLISTENER_H

#include <QObject>
#include <QString>
#include <QTimer>

class QLoggingCategory;
class QSocketNotifier;
class QTcpSocket;

// A listening TCP socket on 127.0.0.1 that keeps its composure when the process runs out of
// descriptors. QTcpServer retries a failing accept every time the event loop wakes, and the
// waiting connection wakes it again at once: the server spins. Here a failed accept pauses
// accepting (the connections wait in the kernel's backlog), says so in one log line, and tries
// again on a timer until descriptors are free.
class KvListener : public QObject
{
    Q_OBJECT
public:
    using LogCategory = const QLoggingCategory &(*)();

    explicit KvListener(LogCategory log, QObject *parent = nullptr);
    ~KvListener() override;

    // Listens on 127.0.0.1:`port`; port 0 picks a free one (see port()).
    bool listen(quint16 port, QString *error = nullptr);
    quint16 port() const { return m_port; }
    void close();

Q_SIGNALS:
    // A new connection; the receiver owns the socket.
    void accepted(QTcpSocket *socket);

private:
    void acceptPending();
    void pauseAccepting(int error);

    LogCategory m_log;
    int m_descriptor = -1;
    quint16 m_port = 0;
    QSocketNotifier *m_notifier = nullptr;
    QTimer m_retry;
    bool m_paused = false;
};

#endif // KVLISTENER_H
