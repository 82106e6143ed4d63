#include "kvcommoninterface.h"

#include "kvdeviceproperty.h"
#include "kvlogging.h"
#include "pivenacloud.h"

#include <QJsonDocument>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {
constexpr int DefaultRetryMs = 10000;
constexpr int HttpOk = 200;
constexpr int HttpNotFound = 404;
constexpr int NoAnswer = 0;

int retryInterval()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("KV_CLOUD_RETRY_MS", &ok);
    return ok && ms > 0 ? ms : DefaultRetryMs;
}

QString textValue(KVDeviceInterface *device, const char *key)
{
    const KVDeviceProperty *record = device->property_ptr(key);
    return record ? record->value().toString() : QString();
}

// The model's number at the cloud: up to four characters from position 3 of the device code,
// read as a base-36 number.
qint64 modelCode(const QString &code)
{
    qint64 value = 0;
    for (const QChar c : code.mid(3, 4).toLower()) {
        const int digit = c.unicode() < u'a' ? c.unicode() - 48 : c.unicode() - 87;
        value = value * 36 + digit;
    }
    return value;
}

// The record is kept in the device object and shown to the host in "DEVICE_CLOUD".
void mirror(KVDeviceInterface *device, const QJsonObject &cloudDevice)
{
    if (KVDeviceProperty *record = device->property_ptr("DEVICE_CLOUD"))
        record->setValue(cloudDevice);
}

// Takes the "id" of a reply (0 when it has none) into the record under `key`.
void takeId(QJsonObject &cloudDevice, const QString &key, const QJsonObject &answer)
{
    cloudDevice.insert(key, answer.value(QLatin1String("id")).toInt());
}

QJsonObject answerObject(QNetworkReply *reply)
{
    // An aborted request has no body to read.
    if (!reply->isReadable())
        return {};
    const QByteArray body = reply->readAll();
    const QJsonDocument answer = QJsonDocument::fromJson(body);
    if (!body.isEmpty() && !answer.isObject())
        qCDebug(lcKvDevice) << "KVCommonInterface::cloud_request" << reply->url().toString()
                            << "answer is not a JSON object:" << body.left(200);
    return answer.object();
}
} // namespace

void KVCommonInterface::setup_cloud_retry()
{
    cloud_retry_timer.setSingleShot(true);
    cloud_retry_timer.setInterval(retryInterval());
    connect(&cloud_retry_timer, &QTimer::timeout, this, [this] {
        cloud_device_get({{QStringLiteral("code"), cloud_device.value(QLatin1String("code")).toString()}});
    });
}

void KVCommonInterface::cloud_request(const char *path, const char *method, const QJsonObject &body,
                                      CloudReply handler)
{
    if (!cloud)
        return;
    PivenaCloud::Callback callback;
    if (handler) {
        const QPointer<KVCommonInterface> self(this);
        const quint64 registration = cloud_registration;
        callback = [self, registration, handler = std::move(handler)](QNetworkReply *reply, bool ok) {
            if (!self || self->cloud_registration != registration)
                return;
            handler(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), ok, answerObject(reply));
        };
    }
    cloud->customRequest(QLatin1String(path), QByteArray(method), body, std::move(callback));
}

void KVCommonInterface::setPivenaCloud(PivenaCloud *client, QString code)
{
    cloud = client;
    ++cloud_registration;
    cloud_retry_timer.stop();
    cloud_device = QJsonObject{
        {QStringLiteral("code"), code},
        {QStringLiteral("pcb"), textValue(this, "PCB_ID")},
        {QStringLiteral("version"), textValue(this, "FIRMWARE")},
        {QStringLiteral("device_id"), textValue(this, "DEVICE_ID")},
        {QStringLiteral("online"), true},
    };
    mirror(this, cloud_device);
    cloud_device_model_get({{QStringLiteral("code"), modelCode(code)}});
    cloud_device_get({{QStringLiteral("code"), code}});
    connect_websocket();
}

void KVCommonInterface::cloud_device_model_get(QJsonObject body)
{
    cloud_request("device_model", "PATCH", body, [this](int status, bool ok, const QJsonObject &answer) {
        qCDebug(lcKvDevice) << "cloud_device_model_get" << "KVCommonInterface::cloud_device_model_get" << ok;
        if (status != HttpOk)
            return;
        takeId(cloud_device, QStringLiteral("device_model"), answer);
        mirror(this, cloud_device);
    });
}

void KVCommonInterface::cloud_device_get(QJsonObject body)
{
    cloud_request("device", "GET", body, [this](int status, bool, const QJsonObject &answer) {
        qCDebug(lcKvDevice) << "KVCommonInterface::cloud_device_get" << status;
        if (status == HttpOk) {
            takeId(cloud_device, QStringLiteral("id"), answer);
            // The host may drop the device when it sees the record change: that comes last.
            cloud_device_update(cloud_device);
            mirror(this, cloud_device);
        } else if (status == HttpNotFound) {
            cloud_device_new(cloud_device);
        } else if (status == NoAnswer) {
            cloud_retry_timer.start();
        }
    });
}

void KVCommonInterface::cloud_device_new(QJsonObject body)
{
    cloud_request("device_model", "POST", body, [this](int status, bool ok, const QJsonObject &answer) {
        qCDebug(lcKvDevice) << "KVCommonInterface::cloud_device_new" << status << ok;
        if (!ok || status != HttpOk)
            return;
        takeId(cloud_device, QStringLiteral("id"), answer);
        mirror(this, cloud_device);
    });
}

void KVCommonInterface::cloud_device_update(QJsonObject body)
{
    cloud_request("device", "PUT", body);
}
