// kvcloud: a local stand-in for the maker's cloud service, on 127.0.0.1.
#include "cloudservice.h"
#include "interrupt.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLoggingCategory>

#include <cstdio>

namespace {
struct Options
{
    quint16 httpPort = 0;
    quint16 wsPort = 0;
    int idleSeconds = 120;
    KvCloudFault fault;
};

bool readNumber(const QCommandLineParser &parser, const char *name, int high, int *out)
{
    const QString option = QString::fromLatin1(name);
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    if (!ok || value < 0 || value > high) {
        std::fprintf(stderr, "kvcloud: --%s takes a whole number from 0 to %d\n", name, high);
        return false;
    }
    *out = value;
    return true;
}

bool parseOptions(const QCoreApplication &app, Options *options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A local cloud service for the plotter plug-in: device registry, work records and device "
        "channels, with switches for failures. GET /_records shows what it received."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("port"), QStringLiteral("HTTP port on 127.0.0.1 (default 0: a free one, printed)."), QStringLiteral("port")},
        {QStringLiteral("ws-port"), QStringLiteral("WebSocket port on 127.0.0.1 (default 0: a free one, printed)."), QStringLiteral("port")},
        {QStringLiteral("fail"), QStringLiteral("Answer every request with this HTTP status (for example 500)."), QStringLiteral("status")},
        {QStringLiteral("delay"), QStringLiteral("Answer every request this many ms later."), QStringLiteral("ms")},
        {QStringLiteral("swallow"), QStringLiteral("Answer no request at all: the clients wait until they give up.")},
        {QStringLiteral("idle-timeout"), QStringLiteral("Close a connection that sends nothing for this many seconds while no answer is due to it (default 120; 0 never)."), QStringLiteral("seconds")},
        {{QStringLiteral("v"), QStringLiteral("verbose")}, QStringLiteral("Log every request, answer and channel message.")},
    });
    if (!parser.parse(app.arguments())) {
        std::fprintf(stderr, "kvcloud: %s\n", qPrintable(parser.errorText()));
        return false;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    int httpPort = 0;
    int wsPort = 0;
    if (!readNumber(parser, "port", 65535, &httpPort) || !readNumber(parser, "ws-port", 65535, &wsPort)
        || !readNumber(parser, "fail", 599, &options->fault.status)
        || !readNumber(parser, "delay", 3600000, &options->fault.delayMs)
        || !readNumber(parser, "idle-timeout", 1 << 20, &options->idleSeconds))
        return false;
    if (options->fault.status != 0 && options->fault.status < 100) {
        std::fprintf(stderr, "kvcloud: --fail takes an HTTP status from 100 to 599\n");
        return false;
    }
    options->httpPort = quint16(httpPort);
    options->wsPort = quint16(wsPort);
    options->fault.swallow = parser.isSet(QStringLiteral("swallow"));
    if (parser.isSet(QStringLiteral("v")))
        QLoggingCategory::setFilterRules(QStringLiteral("kvcloud.debug=true"));
    return true;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kvcloud"));
    Options options;
    if (!parseOptions(app, &options))
        return 2;

    KvCloudService service;
    service.setFault(options.fault);
    service.setIdleTimeout(options.idleSeconds * 1000);
    QString error;
    if (!service.listen(options.httpPort, options.wsPort, &error)) {
        std::fprintf(stderr, "kvcloud: cannot listen: %s\n", qPrintable(error));
        return 1;
    }
    std::fprintf(stdout, "kvcloud: HTTP %s WebSocket %s\n", qPrintable(service.url()), qPrintable(service.ws()));
    std::fflush(stdout);

    Interrupt interrupt;
    QObject::connect(&interrupt, &Interrupt::requested, &app, &QCoreApplication::quit);
    return app.exec();
}
