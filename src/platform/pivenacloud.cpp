#include "pivenacloud.h"

#include "kvlogging.h"

#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

class PivenaCloud::Private
{
public:
    QString url;
    QString ws;
    int timeout = 5000;
    QNetworkAccessManager *manager = nullptr;

    // The service's resources lie below the base address, whether or not it ends with "/".
    QUrl address(const QString &path) const
    {
        QUrl base(url);
        if (!base.path().endsWith(QLatin1Char('/')))
            base.setPath(base.path() + QLatin1Char('/'));
        return base.resolved(QUrl(path));
    }
};

PivenaCloud::PivenaCloud(QObject *parent)
    : PivenaCloud(qEnvironmentVariable("KV_CLOUD_URL"), qEnvironmentVariable("KV_CLOUD_WS"), parent)
{
}

PivenaCloud::PivenaCloud(const QString &url, const QString &ws, QObject *parent)
    : QObject(parent), d(new Private)
{
    d->url = url;
    d->ws = ws;
    d->manager = new QNetworkAccessManager(this);
}

PivenaCloud::~PivenaCloud()
{
    // Requests still in flight go with the manager; none of them may call back into a client
    // that is going away.
    const auto replies = d->manager->findChildren<QNetworkReply *>();
    for (QNetworkReply *reply : replies)
        reply->disconnect(this);
    delete d;
}

QString PivenaCloud::url() { return d->url; }
QString PivenaCloud::ws() { return d->ws; }
void PivenaCloud::setUrl(const QString &url) { d->url = url; }
void PivenaCloud::setWs(const QString &ws) { d->ws = ws; }
int PivenaCloud::timeout() const { return d->timeout; }
void PivenaCloud::setTimeout(int milliseconds) { d->timeout = milliseconds; }

void PivenaCloud::customRequest(const QString &path, QByteArray method, QJsonObject body,
                                Callback callback)
{
    QNetworkRequest request(d->address(path));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    const QByteArray json = QJsonDocument(body).toJson(QJsonDocument::Compact);
    qCDebug(lcKvDevice) << "PivenaCloud::customRequest" << method << request.url().toString() << json;
    // A custom request carries the body whatever the verb, "GET" included.
    QNetworkReply *reply = d->manager->sendCustomRequest(request, method, json);

    if (d->timeout > 0) {
        auto *deadline = new QTimer(reply);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, reply, [reply, method, path] {
            qCDebug(lcKvDevice) << "PivenaCloud::customRequest" << method << path << "no answer in time";
            reply->abort();
        });
        deadline->start(d->timeout);
    }
    connect(reply, &QNetworkReply::finished, this, [reply, callback = std::move(callback)] {
        const bool ok = reply->error() == QNetworkReply::NoError;
        qCDebug(lcKvDevice) << "PivenaCloud::customRequest" << reply->url().toString()
                            << reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() << ok;
        // Whatever the callback does, the reply is released once, after it.
        reply->deleteLater();
        if (callback)
            callback(reply, ok);
    });
}
