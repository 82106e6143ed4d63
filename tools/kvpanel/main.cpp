// kvpanel: a settings panel for plotters driven by the KV-RV520MAXCam device plug-in.
#include "connectionbar.h"
#include "exitcodes.h"
#include "interrupt.h"
#include "panelwindow.h"
#include "pluginhost.h"
#include "toollanguage.h"
#include "tooloptions.h"

#include "kvdeviceinterface.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include <cstdio>
#include <cstring>

namespace {
// The texts of this file, in the catalogues' context "kvpanel".
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(kvpanel)
};

struct Options
{
    QString pluginPath;
    bool simulate = false;
    double timeScale = 1.0;
    int family = 583;
};

// Qt takes "-plugin NAME" (also spelled "--plugin") as its own option and would load the device
// plug-in as a generic one: the option is taken out of the arguments before Qt sees them.
QString takePluginOption(int &argc, char **argv)
{
    QString path;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const bool plugin = std::strcmp(argv[i], "--plugin") == 0 || std::strcmp(argv[i], "-plugin") == 0;
        if (plugin && i + 1 < argc)
            path = QString::fromLocal8Bit(argv[++i]);
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    argv[argc] = nullptr;
    return path;
}

bool parseOptions(const QApplication &app, Options *options, QString *error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(Texts::tr("Settings panel for the KV-RV520MAXCam plug-in. Its texts and the labels follow "
                                               "the system language (LC_ALL=ja_JP.UTF-8 for Japanese) or --lang."));
    parser.addHelpOption();
    parser.addOptions({
        { QStringLiteral("plugin"), Texts::tr("The plug-in library to load."), QStringLiteral("PATH") },
        { QStringLiteral("simulate"), Texts::tr("Start the simulator in this process and connect to it.") },
        { QStringLiteral("time-scale"), Texts::tr("Simulator cutting time factor (1 = real time)."), QStringLiteral("FACTOR"), QStringLiteral("1") },
        { QStringLiteral("family"), Texts::tr("Command dialect: 583 (the model, default) or 261."), QStringLiteral("FAMILY"), QStringLiteral("583") },
        { QStringLiteral("lang"), Texts::tr("Language of the texts and labels: en_US, ja_JP or zh_CN."), QStringLiteral("LOCALE") },
    });
    if (!parser.parse(app.arguments())) {
        *error = parser.errorText();
        return false;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    options->simulate = parser.isSet(QStringLiteral("simulate"));
    return ToolOptions::readFamily(parser.value(QStringLiteral("family")), &options->family, error)
           && ToolOptions::readTimeScale(parser.value(QStringLiteral("time-scale")), &options->timeScale, error)
           && (!parser.isSet(QStringLiteral("lang")) || ToolLanguage::readLanguage(parser.value(QStringLiteral("lang")), error));
}

// A person at a screen sees the box; a terminal or a script reads the line.
int failStart(const QString &text, int exitCode)
{
    std::fprintf(stderr, "kvpanel: %s\n", qPrintable(text));
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
        QMessageBox::critical(nullptr, QStringLiteral("kvpanel"), text);
    return exitCode;
}
} // namespace

int main(int argc, char *argv[])
{
    ToolLanguage::applyBeforeStartup(argc, argv);
    Options options;
    options.pluginPath = takePluginOption(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kvpanel"));
    ToolLanguage::install();

    QString error;
    if (!parseOptions(app, &options, &error)) {
        std::fprintf(stderr, "kvpanel: %s\n", qPrintable(error));
        return ExitUsage;
    }
    PluginHost host;
    if (!host.load(options.pluginPath))
        return failStart(host.errorString(), ExitPlugin);
    KVDeviceInterface *device = host.createDevice(options.family);
    if (!device)
        return failStart(Texts::tr("the plug-in made no device object"), ExitPlugin);
    PanelWindow window(device, options.family);
    window.setSimulatorTimeScale(options.timeScale);
    window.resize(960, 680);
    window.show();
    Interrupt interrupt;
    QObject::connect(&interrupt, &Interrupt::requested, &window, &PanelWindow::shutDown);
    QObject::connect(&window, &PanelWindow::closeRequested, &app, [](int code) { QApplication::exit(code); });
    if (options.simulate) {
        window.connectionBar()->setKind(ConnectionBar::Simulator);
        window.connectDevice();
    }
    return app.exec();
}
