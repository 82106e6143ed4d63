#ifndef CLOUDSUPPORT_H
#define CLOUDSUPPORT_H

#include "cloudservice.h"
#include "pivenacloud.h"
#include "testdevice.h"

#include <QJsonDocument>
#include <QNetworkReply>

#include <memory>

inline const QString DeviceCode = QStringLiteral("SIM0a1z0001");

// Registers the device and waits for its cloud id and its channel.
inline bool registerAndConnect(CloudDevice *device, PivenaCloud *client, const QString &code = DeviceCode)
{
    device->setPivenaCloud(client, code);
    return QTest::qWaitFor([device] { return device->registered() && device->channelUp(); }, 5000);
}

inline QString compact(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

// The bodies of the requests of one method and route that the service received, oldest first.
inline QList<QJsonObject> bodiesOf(const KvCloudService &service, const char *method, const char *route)
{
    QList<QJsonObject> bodies;
    for (const QJsonValue &request : service.requests()) {
        if (request[QLatin1String("method")].toString() == QLatin1String(method)
            && request[QLatin1String("route")].toString() == QLatin1String(route))
            bodies.append(request[QLatin1String("body")].toObject());
    }
    return bodies;
}

// Requests of the client whose callbacks have not run yet (a reply goes right after its callback).
inline int pendingReplies(const PivenaCloud &client)
{
    return int(client.findChildren<QNetworkReply *>().size());
}

// The fixture of the cloud tests: a fresh service on free ports, a client pointed at it and a
// model device, made in init() and dropped in cleanup() (device first).
class CloudTest : public QObject
{
protected:
    bool startCloud()
    {
        service = std::make_unique<KvCloudService>();
        if (!service->listen())
            return false;
        client = std::make_unique<PivenaCloud>(service->url(), service->ws());
        device = std::make_unique<CloudDevice>();
        return true;
    }

    void stopCloud()
    {
        device.reset();
        client.reset();
        service.reset();
    }

    std::unique_ptr<KvCloudService> service;
    std::unique_ptr<PivenaCloud> client;
    std::unique_ptr<CloudDevice> device;
};

#endif // CLOUDSUPPORT_H
