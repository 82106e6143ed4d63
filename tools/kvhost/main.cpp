// kvhost: a command-line host for the KV-RV520MAXCam device plug-in.
#include "exitcodes.h"
#include "hostoptions.h"
#include "pluginhost.h"
#include "recordtable.h"

#include "kvdeviceinterface.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QTextStream>

#include <memory>

int main(int argc, char *argv[])
{
    // The plug-in picks its language from the system locale, which Qt reads at start-up.
    HostOptions::applyLanguageBeforeStartup(argc, argv);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kvhost"));

    HostOptions options;
    QTextStream err(stderr);
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

    QTextStream out(stdout);
    if (options.json)
        out << QJsonDocument(RecordTable::catalogueJson(device.get())).toJson(QJsonDocument::Indented);
    else
        RecordTable::printCatalogue(out, device.get());
    return ExitOk;
}
