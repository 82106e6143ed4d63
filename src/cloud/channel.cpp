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
        connect(web_socket, &QWebSocket::connected, this, &KVCommonInterface::slot_websocket_connected);
        connect(web_socket, &QWebSocket::disconnected, this, &KVCommonInterface::slot_websocket_disconnected);
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
        connect(web_socket, &QWebSocket::errorOccurred, this, &KVCommonInterface::slot_websocket_error);
#else
        connect(web_socket, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), this,
                &KVCommonInterface::slot_websocket_error);
#endif
        connect(web_socket, &QWebSocket::textMessageReceived, this, &KVCommonInterface::slot_websocket_text_received);
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
