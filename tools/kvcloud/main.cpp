// kvcloud: a local stand-in for the maker's cloud service, on 127.0.0.1.
#include "cloudservice.h"
#include "interrupt.h"
#include "toollanguage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLoggingCategory>

#include <cstdio>

namespace {
// The texts of this file, in the catalogues' context "kvcloud".
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(kvcloud)
};

void warn(const QString &line)
{
    std::fprintf(stderr, "kvcloud: %s\n", qPrintable(line));
}

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
        warn(Texts::tr("--%1 takes a whole number from 0 to %2").arg(option).arg(high));
        return false;
    }
    *out = value;
    return true;
}

bool parseOptions(const QCoreApplication &app, Options *options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(Texts::tr("A local cloud service for the plotter plug-in: device registry, work records "
                                               "and device channels, with switches for failures. GET /_records shows what it "
                                               "received."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("port"), Texts::tr("HTTP port on 127.0.0.1 (default 0: a free one, printed)."), QStringLiteral("PORT")},
        {QStringLiteral("ws-port"), Texts::tr("WebSocket port on 127.0.0.1 (default 0: a free one, printed)."), QStringLiteral("PORT")},
        {QStringLiteral("fail"), Texts::tr("Answer every request with this HTTP status (for example 500)."), QStringLiteral("STATUS")},
        {QStringLiteral("delay"), Texts::tr("Answer every request this many ms later."), QStringLiteral("MS")},
        {QStringLiteral("swallow"), Texts::tr("Answer no request at all: the clients wait until they give up.")},
        {QStringLiteral("idle-timeout"),
         Texts::tr("Close a connection that sends nothing for this many seconds while no answer is due to it (default 120; 0 never)."),
         QStringLiteral("SECONDS")},
        {QStringLiteral("lang"), Texts::tr("Language of the texts: en_US, ja_JP or zh_CN."), QStringLiteral("LOCALE")},
        {{QStringLiteral("v"), QStringLiteral("verbose")}, Texts::tr("Log every request, answer and channel message.")},
    });
    if (!parser.parse(app.arguments())) {
        warn(parser.errorText());
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
        warn(Texts::tr("--fail takes an HTTP status from 100 to 599"));
        return false;
    }
    QString error;
    if (parser.isSet(QStringLiteral("lang")) && !ToolLanguage::readLanguage(parser.value(QStringLiteral("lang")), &error)) {
        warn(error);
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
    ToolLanguage::applyBeforeStartup(argc, argv);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kvcloud"));
    ToolLanguage::install();
    Options options;
    if (!parseOptions(app, &options))
        return 2;

    KvCloudService service;
    service.setFault(options.fault);
    service.setIdleTimeout(options.idleSeconds * 1000);
    QString error;
    if (!service.listen(options.httpPort, options.wsPort, &error)) {
        warn(Texts::tr("cannot listen: %1").arg(error));
        return 1;
    }
    // Scripts read where the service listens from this line: it is the same in every language.
    std::fprintf(stdout, "kvcloud: HTTP %s WebSocket %s\n", qPrintable(service.url()), qPrintable(service.ws()));
    std::fflush(stdout);

    Interrupt interrupt;
    QObject::connect(&interrupt, &Interrupt::requested, &app, &QCoreApplication::quit);
    return app.exec();
}
