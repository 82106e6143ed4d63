#ifndef KVCLOUDHTTP_H
#define KVCLOUDHTTP_H

#include "cloudconnection.h"

#include <QObject>
#include <QString>

class KvHoldingLimit;
class KvListener;
class QTcpSocket;

// The service's HTTP side: a listener on 127.0.0.1 and a connection for every client, each
// request handed to one handler together with a guarded way to answer it. (Qt's HTTP server of
// this version keeps every body whole, twice, however large, and has no bound to set; the
// service reads its requests itself.)
class KvCloudHttp : public QObject
{
public:
    using Handler = KvCloudConnection::Handler;

    KvCloudHttp(Handler handler, KvHoldingLimit *holdings, QObject *parent = nullptr);

    bool listen(quint16 port, QString *error = nullptr);
    quint16 port() const;
    // 0 (the default) keeps idle connections open.
    void setIdleTimeout(int ms) { m_idleTimeoutMs = ms; }

private:
    void accept(QTcpSocket *socket);

    Handler m_handler;
    KvHoldingLimit *m_holdings;
    KvListener *m_listener;
    int m_idleTimeoutMs = 0;
};

#endif // KVCLOUDHTTP_H
