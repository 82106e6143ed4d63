#include "cloudhttp.h"

#include "cloudlog.h"
#include "listener.h"

#include <QTcpSocket>

KvCloudHttp::KvCloudHttp(Handler handler, KvHoldingLimit *holdings, QObject *parent)
    : QObject(parent), m_handler(std::move(handler)), m_holdings(holdings), m_listener(new KvListener(lcKvCloud, this))
{
    connect(m_listener, &KvListener::accepted, this, &KvCloudHttp::accept);
}

bool KvCloudHttp::listen(quint16 port, QString *error)
{
    return m_listener->listen(port, error);
}

quint16 KvCloudHttp::port() const
{
    return m_listener->port();
}

void KvCloudHttp::accept(QTcpSocket *socket)
{
    auto *connection = new KvCloudConnection(socket, m_holdings, m_handler, m_idleTimeoutMs, this);
    connect(connection, &KvCloudConnection::closed, connection, &QObject::deleteLater);
}
