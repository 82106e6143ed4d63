// kvsim: a camera cutting plotter on 127.0.0.1 and, with --pty, on a pseudo-terminal.

#include "simulator.h"
#include "toollanguage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The texts of this file, in the catalogues' context "kvsim".
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(kvsim)
};

int signalPipe[2] = { -1, -1 };

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// SIGINT and SIGTERM end the event loop, so the lines close in order.
void quitOnSignals(QCoreApplication *app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, app, [] { QCoreApplication::quit(); });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

// The lines that tell where the plotter listens are read by scripts: they stay as they are in
// every language.
void say(const QString &line)
{
    std::fprintf(stdout, "%s\n", qPrintable(line));
    std::fflush(stdout);
}

void warn(const QString &line)
{
    std::fprintf(stderr, "kvsim: %s\n", qPrintable(line));
}

struct Options
{
    int family = 583;
    quint16 port = 9100;
    bool pty = false;
    double timeScale = 1.0;
    int idleSeconds = 600;
    QString qrText;
    KvSimFaults faults;
};

bool readInt(const QCommandLineParser &parser, const QString &name, int low, int high, int *out)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < low || value > high) {
        warn(Texts::tr("--%1 takes a whole number from %2 to %3").arg(name).arg(low).arg(high));
        return false;
    }
    *out = value;
    return true;
}

bool parseOptions(const QCoreApplication &app, Options *options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        Texts::tr("Simulates the camera cutting plotter: its parameters, replies, jobs and line faults."));
    parser.addHelpOption();
    // The descriptions are marked for the catalogues and translated here; value names stay as
    // they are in every language, as placeholders do.
    const auto option = [&parser](const char *name, const char *help, const char *valueName = "") {
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), Texts::tr(help), QString::fromLatin1(valueName)));
    };
    option("port", QT_TRANSLATE_NOOP("kvsim", "TCP port on 127.0.0.1 (default 9100; 0 picks a free one and prints it)."),
           "PORT");
    option("pty", QT_TRANSLATE_NOOP("kvsim", "Also serve a pseudo-terminal (its path is printed) as the USB line."));
    option("family", QT_TRANSLATE_NOOP("kvsim", "Firmware dialect: 583 (default) or 261."), "FAMILY");
    option("time-scale", QT_TRANSLATE_NOOP("kvsim", "Cutting time factor: 1 is real time, 0 cuts at once (default 1)."),
           "FACTOR");
    option("qrcode", QT_TRANSLATE_NOOP("kvsim", "Text the QR-code read answers with."), "TEXT");
    option("idle-timeout", QT_TRANSLATE_NOOP("kvsim", "Close a TCP connection that sends nothing for this many seconds, "
                                                      "unless the plotter is cutting (default 600; 0 never)."),
           "SECONDS");
    option("chunk", QT_TRANSLATE_NOOP("kvsim", "Fault: send every frame in pieces of N bytes."), "N");
    option("chunk-pause", QT_TRANSLATE_NOOP("kvsim", "Pause between pieces in ms (default 2)."), "MS");
    option("noise", QT_TRANSLATE_NOOP("kvsim", "Fault: N noise bytes in front of every frame."), "N");
    option("drop-every", QT_TRANSLATE_NOOP("kvsim", "Fault: leave every Nth reply unsent."), "N");
    option("silent-after", QT_TRANSLATE_NOOP("kvsim", "Fault: send nothing after N frames on a connection."), "N");
    option("drop-mid-job", QT_TRANSLATE_NOOP("kvsim", "Fault: drop the connections when a job's first copy is half cut."));
    option("lang", QT_TRANSLATE_NOOP("kvsim", "Language of the texts: en_US, ja_JP or zh_CN."), "LOCALE");
    parser.addOption(QCommandLineOption(QStringList { QStringLiteral("v"), QStringLiteral("verbose") },
                                        Texts::tr("Log every frame received and sent.")));
    parser.process(app);

    int port = options->port;
    KvSimFaults &faults = options->faults;
    if (!readInt(parser, QStringLiteral("port"), 0, 65535, &port)
        || !readInt(parser, QStringLiteral("family"), 0, 1000, &options->family)
        || !readInt(parser, QStringLiteral("idle-timeout"), 0, 1 << 20, &options->idleSeconds)
        || !readInt(parser, QStringLiteral("chunk"), 1, 1 << 20, &faults.chunkBytes)
        || !readInt(parser, QStringLiteral("chunk-pause"), 0, 10000, &faults.chunkPauseMs)
        || !readInt(parser, QStringLiteral("noise"), 1, 1 << 20, &faults.noiseBytes)
        || !readInt(parser, QStringLiteral("drop-every"), 1, 1 << 30, &faults.dropEvery)
        || !readInt(parser, QStringLiteral("silent-after"), 0, 1 << 30, &faults.silentAfter))
        return false;
    if (options->family != 583 && options->family != 261) {
        warn(Texts::tr("--family is 583 or 261"));
        return false;
    }
    QString error;
    if (parser.isSet(QStringLiteral("lang")) && !ToolLanguage::readLanguage(parser.value(QStringLiteral("lang")), &error)) {
        warn(error);
        return false;
    }
    options->port = quint16(port);
    options->pty = parser.isSet(QStringLiteral("pty"));
    options->qrText = parser.value(QStringLiteral("qrcode"));
    faults.dropMidJob = parser.isSet(QStringLiteral("drop-mid-job"));
    if (parser.isSet(QStringLiteral("time-scale"))) {
        bool ok = false;
        options->timeScale = parser.value(QStringLiteral("time-scale")).toDouble(&ok);
        if (!ok || options->timeScale < 0) {
            warn(Texts::tr("--time-scale takes a number of 0 or more"));
            return false;
        }
    }
    if (parser.isSet(QStringLiteral("v")))
        QLoggingCategory::setFilterRules(QStringLiteral("kvsim.debug=true"));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    ToolLanguage::applyBeforeStartup(argc, argv);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kvsim"));
    ToolLanguage::install();
    Options options;
    if (!parseOptions(app, &options))
        return 2;

    KvSimulator simulator(options.family);
    simulator.faults() = options.faults;
    simulator.device()->setTimeScale(options.timeScale);
    simulator.setIdleTimeout(options.idleSeconds * 1000);
    if (!options.qrText.isEmpty())
        simulator.device()->setQrText(options.qrText);

    QString error;
    if (!simulator.listenTcp(options.port, &error)) {
        warn(Texts::tr("cannot listen on 127.0.0.1:%1: %2").arg(options.port).arg(error));
        return 1;
    }
    say(QStringLiteral("kvsim: family %1, TCP 127.0.0.1:%2").arg(options.family).arg(simulator.tcpPort()));
    if (options.pty) {
        if (!simulator.openPty(&error)) {
            warn(Texts::tr("no pseudo-terminal: %1").arg(error));
            return 1;
        }
        say(QStringLiteral("kvsim: pty %1").arg(simulator.ptyPath()));
        QObject::connect(&simulator, &KvSimulator::ptyPathChanged, &app,
                         [](const QString &path) { say(QStringLiteral("kvsim: pty %1").arg(path)); });
    }
    quitOnSignals(&app);
    const int code = app.exec();
    say(QStringLiteral("kvsim: stopped"));
    return code;
}
