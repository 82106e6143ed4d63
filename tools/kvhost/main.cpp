// kvhost: a command-line host for the KV-RV520MAXCam device plug-in.
#include "devicelink.h"
#include "errorlog.h"
#include "exitcodes.h"
#include "hostcloud.h"
#include "hostcommands.h"
#include "hostoptions.h"
#include "interrupt.h"
#include "pluginhost.h"
#include "portaccess.h"
#include "portscommand.h"
#include "recordtable.h"
#include "toollanguage.h"

#include "kvdeviceinterface.h"
#include "simulator.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <cstring>
#include <memory>

namespace {
// The texts of this file, in the catalogues' context "kvhost".
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(kvhost)
};

// Labels of a plot are cut as the outline of their text, which takes Qt's font engine: the
// commands on plot files run in a GUI application, on the offscreen platform unless one is
// chosen, so that kvhost needs no display.
std::unique_ptr<QCoreApplication> createApplication(int &argc, char **argv)
{
    bool plotCommand = false;
    bool labelsSkipped = false;
    for (int i = 1; i < argc; ++i) {
        for (const char *command : {"cut", "inspect", "convert", "preview"})
            plotCommand = plotCommand || std::strcmp(argv[i], command) == 0;
        labelsSkipped = labelsSkipped || std::strcmp(argv[i], "--labels=skip") == 0
                        || (std::strcmp(argv[i], "--labels") == 0 && i + 1 < argc && std::strcmp(argv[i + 1], "skip") == 0);
    }
    if (!plotCommand || labelsSkipped)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

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

int listCatalogue(const HostOptions &options, const KVDeviceInterface *device, QTextStream &out)
{
    if (options.json)
        out << QJsonDocument(RecordTable::catalogueJson(device)).toJson(QJsonDocument::Indented);
    else
        RecordTable::printCatalogue(out, device);
    return ExitOk;
}

int runHost(HostOptions &options, QTextStream &out, QTextStream &err)
{
    if (!options.parse(QCoreApplication::arguments())) {
        err << "kvhost: " << options.errorText() << '\n';
        return ExitUsage;
    }

    if (options.command == QLatin1String("ports"))
        return PortsCommand(options, out, err).run();

    PluginHost host;
    if (!host.load(options.pluginPath)) {
        err << "kvhost: " << host.errorString() << '\n';
        return ExitPlugin;
    }
    std::unique_ptr<KVDeviceInterface> device(host.createDevice(options.family));
    if (!device) {
        err << "kvhost: " << Texts::tr("the plug-in made no device object for family %1").arg(options.family) << '\n';
        return ExitPlugin;
    }
    if (options.command == QLatin1String("list"))
        return listCatalogue(options, device.get(), out);

    HostCommands commands(options, device.get(), out, err);
    if (const int checked = commands.check(); checked != ExitOk)
        return checked;
    if (!options.needsDevice())
        return commands.run(nullptr, nullptr);

    Interrupt interrupt;
    KvSimulator simulator(options.family);
    LinkTarget target = options.target;
    QString error;
    if (options.simulate && !startSimulator(simulator, options, &target, &error)) {
        err << "kvhost: " << Texts::tr("cannot start the simulator: %1").arg(error) << '\n';
        return ExitUnreachable;
    }
    DeviceLink link(device.get());
    if (!link.open(target, options.timeoutMs, &error)) {
        err << "kvhost: " << error << '\n';
        if (target.kind == LinkTarget::Usb && PortAccess::explainRefusal(target.address, err))
            return ExitPermission;
        return ExitUnreachable;
    }
    if (!options.json && options.command != QLatin1String("watch"))
        err << (options.simulate ? Texts::tr("connected: %1 (simulator)") : Texts::tr("connected: %1")).arg(target.describe()) << '\n';
    err.flush();
    std::unique_ptr<HostCloud> cloud;
    if (options.cloud) {
        cloud = std::make_unique<HostCloud>(options, device.get());
        if (!cloud->start(&link, &error)) {
            err << "kvhost: " << error << '\n';
            return ExitCloud;
        }
    }
    int outcome = commands.run(&link, &interrupt);
    out.flush();
    // What the device still sends to the cloud goes before the client does.
    if (cloud && !cloud->finish(&error)) {
        err << "kvhost: " << error << '\n';
        outcome = outcome == ExitOk ? ExitCloud : outcome;
    }
    if (cloud && options.simulate && options.command == QLatin1String("cut") && outcome == ExitOk)
        cloud->printReceived(options.json ? err : out);
    return outcome;
}

// With --json, a failed run says why on standard output too, for the script that reads it.
void printFailure(QTextStream &out, int exitCode, const QStringList &complaints)
{
    const QJsonObject failure{{QStringLiteral("exit_code"), exitCode},
                              {QStringLiteral("message"), complaints.value(0)},
                              {QStringLiteral("messages"), QJsonArray::fromStringList(complaints)}};
    out << QJsonDocument(failure).toJson(QJsonDocument::Compact) << '\n';
}
} // namespace

int main(int argc, char *argv[])
{
    // The plug-in picks its language from the system locale, which Qt reads at start-up.
    ToolLanguage::applyBeforeStartup(argc, argv);
    const std::unique_ptr<QCoreApplication> app = createApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kvhost"));
    // With --json kvhost's own texts stay English: scripts read its messages too.
    if (!QCoreApplication::arguments().contains(QLatin1String("--json")))
        ToolLanguage::install();

    QTextStream out(stdout);
    ErrorLog errorLog;
    QTextStream err(&errorLog);
    HostOptions options;
    const int exitCode = runHost(options, out, err);
    err.flush();
    if (exitCode != ExitOk && (options.json || QCoreApplication::arguments().contains(QLatin1String("--json"))))
        printFailure(out, exitCode, errorLog.complaints());
    return exitCode;
}
