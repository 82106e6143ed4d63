#ifndef KVCLOUDHTTP_H
#define KVCLOUDHTTP_H

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QJsonObject>
#include <QPointer>
#include <QString>

#include <functional>

class QTcpSocket;

// One request to the service. The answer may be given at once, later, or never; an answer
// for a client that has hung up in the meantime goes nowhere.
class KvCloudExchange
{
public:
    QByteArray method; // "GET", "PUT", ...
    QString route;     // the path without its slashes at either end: "device", "device_model"
    QByteArray body;

    void answer(int status, const QJsonObject &json) const;

private:
    friend class KvCloudHttp;
    QPointer<QTcpSocket> m_socket;
    bool m_closeAfter = false;
};

// The service's HTTP side: Qt's HTTP/1.1 parser and connections, every request handed to one
// handler together with a guarded way to answer it. (QHttpServer's responders write to a
// connection that may be gone by the time a delayed answer is due, so the service answers on
// the connection itself.)
class KvCloudHttp : public QAbstractHttpServer
{
public:
    using Handler = std::function<void(const KvCloudExchange &)>;
    explicit KvCloudHttp(Handler handler, QObject *parent = nullptr);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    Handler m_handler;
};

#endif // KVCLOUDHTTP_H
