// The maker's cloud client: the three calls the device object makes on it. The host creates it
// with the client's own declarations, which also fix its size.
#ifndef HOST_PIVENACLOUD_H
#define HOST_PIVENACLOUD_H

#include <QJsonObject>
#include <QObject>

#include <functional>

class QNetworkReply;

class Q_DECL_IMPORT PivenaCloud : public QObject
{
    Q_OBJECT
public:
    QString url();
    QString ws();
    void customRequest(const QString &path, QByteArray method, QJsonObject body,
                       std::function<void(QNetworkReply *, bool)> callback);
};

#endif
