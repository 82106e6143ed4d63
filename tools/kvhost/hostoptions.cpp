#include "hostoptions.h"

#include <QCommandLineParser>

#include <cstring>

void HostOptions::applyLanguageBeforeStartup(int argc, char *argv[])
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--lang") == 0) {
            const QByteArray locale = QByteArray(argv[i + 1]) + ".UTF-8";
            qputenv("LC_ALL", locale);
            qputenv("LANG", locale);
        }
    }
}

bool HostOptions::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Command-line host for the KV-RV520MAXCam plug-in."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("plugin"), QStringLiteral("Path of the plug-in library."), QStringLiteral("path")},
        {QStringLiteral("family"), QStringLiteral("Command dialect: 583 (the model, default) or 261."),
         QStringLiteral("family"), QStringLiteral("583")},
        {QStringLiteral("lang"), QStringLiteral("Language of labels: en_US, ja_JP or zh_CN."), QStringLiteral("locale")},
        {QStringLiteral("json"), QStringLiteral("Print results as JSON.")},
    });
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("list (default): print the catalogue."));
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        parser.showHelp(0);
    }
    pluginPath = parser.value(QStringLiteral("plugin"));
    bool ok = false;
    family = parser.value(QStringLiteral("family")).toInt(&ok);
    if (!ok || (family != 583 && family != 261)) {
        error = QStringLiteral("--family takes 583 or 261");
        return false;
    }
    json = parser.isSet(QStringLiteral("json"));
    const QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty()) {
        command = positional.first();
        commandArguments = positional.mid(1);
    }
    if (command != QLatin1String("list")) {
        error = QStringLiteral("unknown command '%1'").arg(command);
        return false;
    }
    return true;
}
