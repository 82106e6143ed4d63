#ifndef KVCLOUDCONNECTION_H
#define KVCLOUDCONNECTION_H

#include "httprequest.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class KvCloudConnection;
class KvHoldingLimit;
class KvIdleWatch;
class QTcpSocket;

// One request to the service. The answer may be given at once, later, or never; an answer
// for a client that has hung up in the meantime goes nowhere.
class KvCloudExchange
{
public:
    QByteArray method;   // "GET", "PUT", ...
    QString route;       // the path without its slashes at either end: "device", "device_model"
    QByteArray body;
    int refusedWith = 0; // the connection refused the request with this status (its body unread)
    QString refusal;     // and this reason

    void answer(int status, const QJsonObject &json) const;
    void answer(int status, const QByteArray &contentType, const QByteArray &body) const;

private:
    friend class KvCloudConnection;
    QPointer<KvCloudConnection> m_connection;
    bool m_closeAfter = false;
};

// One HTTP client of the service: its requests are read while it takes its answers, each one
// handed to the service, and the answers written back in the order they are given. A request
// beyond the reader's bounds, or one whose body the service cannot hold now (503), is handed
// over refused, and the connection ends once it is answered. A client that sends nothing for
// the idle timeout while no answer is due is closed.
class KvCloudConnection : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<void(const KvCloudExchange &)>;

    KvCloudConnection(QTcpSocket *socket, KvHoldingLimit *holdings, Handler handler, int idleTimeoutMs,
                      QObject *parent = nullptr);
    ~KvCloudConnection() override;

    void answer(int status, const QByteArray &contentType, const QByteArray &body, bool closeAfter);

Q_SIGNALS:
    void closed();

private:
    void readRequests();
    bool takeStep();
    void handOver(KvCloudExchange exchange);
    void closeIfDone();

    QTcpSocket *m_socket;
    KvHoldingLimit *m_holdings;
    Handler m_handler;
    KvHttpRequestReader m_reader;
    KvIdleWatch *m_idle;
    int m_awaiting = 0;         // requests handed over and not answered yet
    bool m_lastRequest = false; // the client asked to close after this one
    bool m_closeWhenDone = false;
};

#endif // KVCLOUDCONNECTION_H
