// kvhost: a command-line host for the KV-RV520MAXCam device plug-in.
#include "devicelink.h"
#include "eventwait.h"
#include "exitcodes.h"
#include "hostcommands.h"
#include "hostoptions.h"
#include "interrupt.h"
#include "plotfile.h"
#include "pluginhost.h"
#include "recordio.h"
#include "recordtable.h"

#include "cloudservice.h"
#include "kvdeviceinterface.h"
#include "kvdeviceproperty.h"
#include "pivenacloud.h"
#include "simulator.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QTextStream>

#include <memory>

namespace {
// Starts the simulator on a free loopback port and points the target at it.
bool startSimulator(KvSimulator &simulator, const HostOptions &options, LinkTarget *target, QString *error)
{
    simulator.device()->setTimeScale(options.timeScale);
    if (!simulator.listenTcp(0, error))
        return false;
    target->kind = LinkTarget::Tcp;
    target->address = QStringLiteral("127.0.0.1");
    target->port = simulator.tcpPort();
    return true;
}

// --cloud: the device's cloud client, and with --simulate the service it talks to.
struct HostCloud
{
    std::unique_ptr<KvCloudService> local;
    std::unique_ptr<PivenaCloud> client;
    QString code;
};

bool cloudReady(KVDeviceInterface *device, bool channelUp)
{
    const KVDeviceProperty *record = device->property_ptr("DEVICE_CLOUD");
    return channelUp && record && record->value().toJsonObject().contains(QLatin1String("id"));
}

// The cloud record carries the machine information; the simulated plotter registers under a
// code of its own, a real one under its machine number.
QString readMachineInfo(const HostOptions &options, KVDeviceInterface *device, DeviceLink *link)
{
    RecordIO io(device, link, options.timeoutMs);
    for (const char *key : {"PCB_ID", "FIRMWARE", "DEVICE_ID"}) {
        if (KVDeviceProperty *record = device->property_ptr(key))
            io.read(record);
    }
    const KVDeviceProperty *machine = device->property_ptr("DEVICE_ID");
    return options.simulate ? QStringLiteral("SIM0a1z0001") : machine ? machine->value().toString() : QString();
}

// A job's work record needs the path length of its plot.
void describeWorkFile(const HostOptions &options, KVDeviceInterface *device)
{
    PlotFile plot;
    QString unreadable; // the cut itself reports it
    KVDeviceProperty *workFile = device->property_ptr("TASK_FILE_INFO");
    if (options.command == QLatin1String("cut") && workFile && plot.read(options.commandArguments.first(), &unreadable))
        workFile->setValue(QJsonObject{{QStringLiteral("path_length"), qRound(plot.pathLengthMm)}});
}

// Hands the device its client and waits for its cloud id and its channel.
bool registerDevice(KVDeviceInterface *device, PivenaCloud *client, const QString &code, int timeoutMs)
{
    QObject watcher;
    bool channelUp = false;
    QObject::connect(device, &KVDeviceInterface::message, &watcher, [&](KVDeviceInterface::KVDeviceMessage, const QString &text) {
        channelUp = channelUp || text == QLatin1String("WEB SOCKET CONNECTED.");
    });
    EventWait wait(timeoutMs);
    wait.wakeOn(device, &KVDeviceInterface::message);
    if (const KVDeviceProperty *record = device->property_ptr("DEVICE_CLOUD"))
        wait.wakeOn(record, &KVDeviceProperty::valueChanged);
    device->setPivenaCloud(client, code);
    return wait.until([&] { return cloudReady(device, channelUp); });
}

bool startCloud(const HostOptions &options, KVDeviceInterface *device, DeviceLink *link, HostCloud *cloud, QString *error)
{
    if (options.simulate) {
        cloud->local = std::make_unique<KvCloudService>();
        if (!cloud->local->listen(0, 0, error))
            return false;
        cloud->client = std::make_unique<PivenaCloud>(cloud->local->url(), cloud->local->ws());
    } else {
        cloud->client = std::make_unique<PivenaCloud>(); // KV_CLOUD_URL, KV_CLOUD_WS
    }
    cloud->code = readMachineInfo(options, device, link);
    if (cloud->code.isEmpty()) {
        *error = QStringLiteral("the device tells no machine number (DEVICE_ID) to register with");
        return false;
    }
    describeWorkFile(options, device);
    if (!registerDevice(device, cloud->client.get(), cloud->code, options.timeoutMs)) {
        *error = QStringLiteral("the cloud service did not register %1 and open its channel in time").arg(cloud->code);
        return false;
    }
    return true;
}

// After a job: what the in-process service received, once the work record is in.
void reportCloud(const HostCloud &cloud, const HostOptions &options, QTextStream &stream)
{
    EventWait wait(options.timeoutMs);
    wait.wakeOn(cloud.local.get(), &KvCloudService::workRecordReceived);
    wait.until([&] { return !cloud.local->workRecords().isEmpty(); });
    stream << cloud.local->summary(cloud.code) << '\n';
}
} // namespace

int main(int argc, char *argv[])
{
    // The plug-in picks its language from the system locale, which Qt reads at start-up.
    HostOptions::applyLanguageBeforeStartup(argc, argv);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kvhost"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    HostOptions options;
    if (!options.parse(app.arguments())) {
        err << "kvhost: " << options.errorText() << '\n';
        return ExitUsage;
    }

    PluginHost host;
    if (!host.load(options.pluginPath)) {
        err << "kvhost: " << host.errorString() << '\n';
        return ExitPlugin;
    }
    std::unique_ptr<KVDeviceInterface> device(host.createDevice(options.family));
    if (!device) {
        err << "kvhost: the plug-in made no device object for family " << options.family << '\n';
        return ExitPlugin;
    }

    if (!options.needsDevice()) {
        if (options.json)
            out << QJsonDocument(RecordTable::catalogueJson(device.get())).toJson(QJsonDocument::Indented);
        else
            RecordTable::printCatalogue(out, device.get());
        return ExitOk;
    }

    KvSimulator simulator(options.family);
    LinkTarget target = options.target;
    QString error;
    if (options.simulate && !startSimulator(simulator, options, &target, &error)) {
        err << "kvhost: cannot start the simulator: " << error << '\n';
        return ExitUnreachable;
    }
    Interrupt interrupt;
    DeviceLink link(device.get());
    if (!link.open(target, options.timeoutMs, &error)) {
        err << "kvhost: " << error << '\n';
        return ExitUnreachable;
    }
    if (!options.json && options.command != QLatin1String("watch"))
        err << "connected: " << target.describe() << (options.simulate ? " (simulator)" : "") << '\n';
    err.flush();
    HostCloud cloud;
    if (options.cloud && !startCloud(options, device.get(), &link, &cloud, &error)) {
        err << "kvhost: " << error << '\n';
        return ExitUnreachable;
    }
    HostCommands commands(options, device.get(), &link, &interrupt, out, err);
    const int outcome = commands.run();
    if (cloud.local && options.command == QLatin1String("cut") && outcome == ExitOk)
        reportCloud(cloud, options, options.json ? err : out);
    return outcome;
}
