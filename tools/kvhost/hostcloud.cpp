#include "hostcloud.h"

#include "devicelink.h"
#include "eventwait.h"
#include "hostoptions.h"
#include "recordio.h"

#include "cloudservice.h"
#include "kvdeviceinterface.h"
#include "kvdeviceproperty.h"
#include "pivenacloud.h"

#include <QImage>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QUrl>

namespace {
// The client gives up on a request after --timeout; waits here allow it that long and a little.
constexpr int ClientGrace = 1000;
constexpr int HttpNotFound = 404;
} // namespace

HostCloud::HostCloud(const HostOptions &options, KVDeviceInterface *device)
    : m_options(options), m_device(device)
{
    connect(device, &KVDeviceInterface::message, this, [this](KVDeviceInterface::KVDeviceMessage type, const QString &text) {
        if (type != KVDeviceInterface::DevStatus)
            return;
        m_channelUp = m_channelUp || text == QLatin1String("WEB SOCKET CONNECTED.");
        m_channelFailed = m_channelFailed || (!m_channelUp && text == QLatin1String("WEB SOCKET ERROR."));
    });
}

HostCloud::~HostCloud() = default;

bool HostCloud::start(DeviceLink *link, QString *error)
{
    if (m_options.simulate) {
        m_local = std::make_unique<KvCloudService>();
        if (!m_local->listen(0, 0, error))
            return false;
        m_client = std::make_unique<PivenaCloud>(m_local->url(), m_local->ws());
    } else {
        m_client = std::make_unique<PivenaCloud>(); // KV_CLOUD_URL, KV_CLOUD_WS
    }
    m_client->setTimeout(m_options.timeoutMs);
    // The client's requests go through its network manager, whose answers tell what happened.
    m_network = m_client->findChild<QNetworkAccessManager *>();
    if (m_network)
        connect(m_network, &QNetworkAccessManager::finished, this, &HostCloud::onFinished);
    m_code = readMachineInfo(link);
    if (m_code.isEmpty()) {
        *error = tr("the device tells no machine number (DEVICE_ID) to register with");
        return false;
    }
    if (!registerDevice(error))
        return false;
    m_failed.clear();
    return true;
}

// The cloud record carries the machine information; the simulated plotter registers under a
// code of its own, a real one under its machine number.
QString HostCloud::readMachineInfo(DeviceLink *link)
{
    RecordIO io(m_device, link, m_options.timeoutMs);
    for (const char *key : {"PCB_ID", "FIRMWARE", "DEVICE_ID"}) {
        if (KVDeviceProperty *record = m_device->property_ptr(key))
            io.read(record);
    }
    const KVDeviceProperty *machine = m_device->property_ptr("DEVICE_ID");
    return m_options.simulate ? QStringLiteral("SIM0a1z0001") : machine ? machine->value().toString() : QString();
}

// Hands the device its client and waits for its cloud id and its channel, or the first failure.
bool HostCloud::registerDevice(QString *error)
{
    EventWait wait(m_options.timeoutMs + ClientGrace);
    wait.wakeOn(m_device, &KVDeviceInterface::message);
    if (m_network)
        wait.wakeOn(m_network, &QNetworkAccessManager::finished);
    const KVDeviceProperty *record = m_device->property_ptr("DEVICE_CLOUD");
    if (record)
        wait.wakeOn(record, &KVDeviceProperty::valueChanged);
    m_device->setPivenaCloud(m_client.get(), m_code);
    const auto registered = [&] {
        return m_channelUp && record && record->value().toJsonObject().contains(QLatin1String("id"));
    };
    if (wait.until([&] { return registered() || !m_failed.isEmpty() || m_channelFailed; }) && registered())
        return true;
    if (!m_failed.isEmpty())
        *error = failureText(m_failed.first());
    else if (m_channelFailed)
        *error = tr("the channel of the cloud service at %1 could not be opened").arg(m_client->ws());
    else if (!pending().isEmpty())
        *error = tr("the cloud service at %1 did not answer %2 within %3 s")
                     .arg(m_client->url(), pending().first()).arg(m_options.timeoutMs / 1000.0);
    else
        *error = tr("the cloud service did not register %1 and open its channel within %2 s")
                     .arg(m_code).arg(m_options.timeoutMs / 1000.0);
    return false;
}

bool HostCloud::finish(QString *error)
{
    EventWait wait(m_options.timeoutMs + ClientGrace);
    if (m_network)
        wait.wakeOn(m_network, &QNetworkAccessManager::finished);
    const bool settled = wait.until([this] { return pending().isEmpty(); });
    if (!m_failed.isEmpty()) {
        *error = tr("not all the device sent reached the cloud: %1").arg(failureText(m_failed.first()));
        return false;
    }
    if (!settled) {
        *error = tr("not all the device sent reached the cloud: the service at %1 did not answer %2 within %3 s")
                     .arg(m_client->url(), pending().join(QLatin1String(", "))).arg(m_options.timeoutMs / 1000.0);
        return false;
    }
    return true;
}

void HostCloud::printReceived(QTextStream &stream)
{
    if (!m_local)
        return;
    stream << m_local->summary(m_code) << '\n';
    const QByteArray png = m_local->preview(m_code);
    const QImage picture = QImage::fromData(png, "PNG");
    if (png.isEmpty())
        stream << tr("cloud: no preview of the plot reached the service") << '\n';
    else if (picture.isNull())
        stream << tr("cloud: the preview the service received (%1 bytes) is not a PNG picture").arg(png.size()) << '\n';
    else
        stream << tr("cloud: latest preview of %1: PNG of %2 x %3 px, %4 bytes (kvcloud serves it as /_preview/%1)")
                      .arg(m_code).arg(picture.width()).arg(picture.height()).arg(png.size()) << '\n';
}

// A device the service does not know yet is looked up first (404) and then added.
void HostCloud::onFinished(QNetworkReply *reply)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString request = requestName(reply);
    const bool unknownDevice = status == HttpNotFound && request == QLatin1String("GET device");
    if ((status >= 200 && status < 300) || unknownDevice)
        return;
    m_failed.append({request, status, reply->error() == QNetworkReply::OperationCanceledError ? QString() : reply->errorString()});
}

QString HostCloud::requestName(QNetworkReply *reply) const
{
    const QByteArray verb = reply->request().attribute(QNetworkRequest::CustomVerbAttribute).toByteArray();
    QString base = QUrl(m_client->url()).path();
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    QString path = reply->url().path();
    if (path.startsWith(base))
        path.remove(0, base.size());
    return QStringLiteral("%1 %2").arg(QString::fromLatin1(verb), path);
}

QStringList HostCloud::pending() const
{
    QStringList names;
    if (!m_network)
        return names;
    const QList<QNetworkReply *> replies = m_network->findChildren<QNetworkReply *>();
    for (QNetworkReply *reply : replies) {
        if (!reply->isFinished())
            names << requestName(reply);
    }
    return names;
}

QString HostCloud::failureText(const Exchange &exchange) const
{
    if (exchange.status != 0)
        return tr("the cloud service at %1 answered %2 with HTTP %3")
            .arg(m_client->url(), exchange.request).arg(exchange.status);
    if (exchange.error.isEmpty())
        return tr("the cloud service at %1 did not answer %2 within %3 s")
            .arg(m_client->url(), exchange.request).arg(m_options.timeoutMs / 1000.0);
    return tr("the cloud service at %1 could not be reached for %2: %3")
        .arg(m_client->url(), exchange.request, exchange.error);
}
