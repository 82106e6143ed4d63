#include "pivenacloud.h"

class PivenaCloud::Private
{
public:
    QString url;
    QString ws;
    int timeout = 5000;
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
}

PivenaCloud::~PivenaCloud()
{
    delete d;
}

QString PivenaCloud::url() const { return d->url; }
QString PivenaCloud::ws() const { return d->ws; }
void PivenaCloud::setUrl(const QString &url) { d->url = url; }
void PivenaCloud::setWs(const QString &ws) { d->ws = ws; }
int PivenaCloud::timeout() const { return d->timeout; }
void PivenaCloud::setTimeout(int milliseconds) { d->timeout = milliseconds; }

void PivenaCloud::customRequest(const QString &, QByteArray, QJsonObject, Callback)
{
}
