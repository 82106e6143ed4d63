// kvpanel: a settings panel for plotters driven by the KV-RV520MAXCam device plug-in.
#include "connectionbar.h"
#include "exitcodes.h"
#include "panelwindow.h"
#include "pluginhost.h"

#include "kvdeviceinterface.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kvpanel"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Settings panel for the KV-RV520MAXCam plug-in. The labels follow "
                                                    "the system language (LC_ALL=ja_JP.UTF-8 for Japanese)."));
    parser.addHelpOption();
    parser.addOptions({
        { QStringLiteral("plugin"), QStringLiteral("The plug-in library to load."), QStringLiteral("path") },
        { QStringLiteral("simulate"), QStringLiteral("Start the simulator in this process and connect to it.") },
        { QStringLiteral("time-scale"), QStringLiteral("Simulator cutting time factor (1 = real time)."),
          QStringLiteral("factor"), QStringLiteral("1") },
    });
    parser.process(app);

    PluginHost host;
    if (!host.load(parser.value(QStringLiteral("plugin")))) {
        QMessageBox::critical(nullptr, QStringLiteral("kvpanel"), host.errorString());
        return ExitPlugin;
    }
    KVDeviceInterface *device = host.createDevice(583);
    if (!device) {
        QMessageBox::critical(nullptr, QStringLiteral("kvpanel"), QStringLiteral("the plug-in made no device object"));
        return ExitPlugin;
    }
    PanelWindow window(device);
    window.setSimulatorTimeScale(parser.value(QStringLiteral("time-scale")).toDouble());
    window.resize(960, 680);
    window.show();
    if (parser.isSet(QStringLiteral("simulate"))) {
        window.connectionBar()->setKind(ConnectionBar::Simulator);
        window.connectDevice();
    }
    return app.exec();
}
