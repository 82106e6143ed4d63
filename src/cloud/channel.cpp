#include "kvcommoninterface.h"

#include "kvdeviceproperty.h"
#include "kvlogging.h"
#include "pivenacloud.h"

#include <QUrl>
#include <QWebSocket>

void KVCommonInterface::connect_websocket()
{
    if (!web_socket) {
        // Connected once, for the life of the socket: a second channel run must not answer
        // every message twice.
        web_socket = new QWebSocket(QString(), QWebSocketProtocol::Version13);
        connect(web_socket, SIGNAL(connected()), this, SLOT(slot_websocket_connected()));
        connect(web_socket, SIGNAL(disconnected()), this, SLOT(slot_websocket_disconnected()));
        connect(web_socket, SIGNAL(error(QAbstractSocket::SocketError)), this,
                SLOT(slot_websocket_error(QAbstractSocket::SocketError)));
        connect(web_socket, SIGNAL(textMessageReceived(QString)), this,
                SLOT(slot_websocket_text_received(QString)));
    }
    KVDeviceProperty *record = property_ptr("DEVICE_CLOUD");
    if (!record)
        return;
    if (web_socket->state() != QAbstractSocket::UnconnectedState)
        web_socket->abort();
    if (!cloud)
        return; // the host took the client away: no channel either
    const QJsonObject cloudDevice = record->value().toJsonObject();
    cloud->url();
    const QString address = cloud->ws() + cloudDevice.value(QLatin1String("code")).toString() + QLatin1String("/Device/");
    qCDebug(lcKvDevice) << "KVCommonInterface::connect_websocket" << address;
    web_socket->open(QUrl(address));
}

void KVCommonInterface::slot_websocket_connected()
{
    Q_EMIT message(DevStatus, QStringLiteral("WEB SOCKET CONNECTED."));
}

void KVCommonInterface::slot_websocket_disconnected()
{
    Q_EMIT message(DevStatus, QStringLiteral("WEB SOCKET DISCONNECTED."));
}

void KVCommonInterface::slot_websocket_error(QAbstractSocket::SocketError error)
{
    qCDebug(lcKvDevice) << "KVCommonInterface::slot_websocket_error" << error
                        << (web_socket ? web_socket->errorString() : QString());
    Q_EMIT message(DevStatus, QStringLiteral("WEB SOCKET ERROR."));
}

void KVCommonInterface::slot_websocket_text_received(const QString &message)
{
    qCDebug(lcKvDevice) << "KVCommonInterface::slot_websocket_text_received" << message;
    if (message == last_channel_text)
        return;
    last_channel_text = message;
    device_task_to_cloud();
}
