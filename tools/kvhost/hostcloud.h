#ifndef KVHOST_HOSTCLOUD_H
#define KVHOST_HOSTCLOUD_H

#include <QList>
#include <QObject>
#include <QString>
#include <QTextStream>

#include <memory>

class DeviceLink;
class KVDeviceInterface;
class KvCloudService;
class PivenaCloud;
class QNetworkAccessManager;
class QNetworkReply;
struct HostOptions;

// --cloud: the cloud client the device registers with, and with --simulate the service it talks
// to in this process. It follows every request the device makes through the client, so that a
// failure can say what the service answered, and a run waits for what is still on its way
// before it ends.
class HostCloud : public QObject
{
    Q_OBJECT
public:
    HostCloud(const HostOptions &options, KVDeviceInterface *device);
    ~HostCloud() override;

    // Registers the device and waits for its channel; false with `error` set.
    bool start(DeviceLink *link, QString *error);
    // After the command: waits (within --timeout) for the answers to every request still under
    // way. False with `error` set when one was refused or not answered in time.
    bool finish(QString *error);
    // With --simulate: what the service in this process received.
    void printReceived(QTextStream &stream);

private:
    struct Exchange
    {
        QString request; // "POST device_work_records"
        int status = 0;  // HTTP status; 0 when there was no answer
        QString error;   // the network's word when there was no answer
    };

    QString readMachineInfo(DeviceLink *link);
    bool registerDevice(QString *error);
    void onFinished(QNetworkReply *reply);
    QString requestName(QNetworkReply *reply) const;
    QStringList pending() const;
    QString failureText(const Exchange &exchange) const;

    const HostOptions &m_options;
    KVDeviceInterface *m_device;
    std::unique_ptr<KvCloudService> m_local;
    std::unique_ptr<PivenaCloud> m_client;
    QNetworkAccessManager *m_network = nullptr;
    QString m_code;
    QList<Exchange> m_failed;
    bool m_channelUp = false;
    bool m_channelFailed = false;
};

#endif // KVHOST_HOSTCLOUD_H
