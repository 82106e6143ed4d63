#ifndef PIVENACLOUD_H
#define PIVENACLOUD_H

#include "kvdeviceinterface.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>

#include <functional>

QT_BEGIN_NAMESPACE
class QNetworkReply;
QT_END_NAMESPACE

// Client of the maker's cloud service: JSON requests over HTTP(S) and the base address of the
// WebSocket service. A client made with the default constructor takes its addresses from the
// environment variables KV_CLOUD_URL and KV_CLOUD_WS. The client lives in one thread and is
// used from there.
class KVDEVICE_EXPORT PivenaCloud : public QObject
{
    Q_OBJECT
public:
    using Callback = std::function<void(QNetworkReply *, bool)>;

    explicit PivenaCloud(QObject *parent = nullptr);
    PivenaCloud(const QString &url, const QString &ws, QObject *parent = nullptr);
    ~PivenaCloud() override;

    // Not const: hosts link against exactly these forms.
    QString url();
    QString ws();
    void setUrl(const QString &url);
    void setWs(const QString &ws);
    // Longest wait for an answer in ms (default 5000); 0 or less waits as long as the network does.
    int timeout() const;
    void setTimeout(int milliseconds);

    // Sends `body` as JSON with `method` to url() joined with `path`. Calls `callback` (which may
    // be empty) exactly once, later, with the reply and whether the request went through: an
    // HTTP answer with a success status. A request that fails, or gets no answer within
    // timeout(), is reported with false and no HTTP status. The reply is deleted after the
    // callback returns. A client destroyed with requests in flight drops them without calling
    // their callbacks.
    void customRequest(const QString &path, QByteArray method, QJsonObject body,
                       Callback callback);

private:
    class Private;
    Private *d = nullptr;
};

#endif // PIVENACLOUD_H
