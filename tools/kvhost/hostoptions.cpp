#include "hostoptions.h"

#include "exitcodes.h"
#include "toollanguage.h"
#include "tooloptions.h"

#include <QCommandLineParser>
#include <QHash>

namespace {
// Command name → least and most arguments (-1: any number).
const QHash<QString, QPair<int, int>> &commandArity()
{
    static const QHash<QString, QPair<int, int>> arity{
        {QStringLiteral("list"), {0, 0}}, {QStringLiteral("info"), {0, 0}}, {QStringLiteral("get"), {1, -1}},
        {QStringLiteral("set"), {2, 2}},  {QStringLiteral("cut"), {1, 1}},  {QStringLiteral("jog"), {2, 2}},
        {QStringLiteral("watch"), {0, 0}}, {QStringLiteral("inspect"), {1, 1}}, {QStringLiteral("convert"), {1, 1}},
        {QStringLiteral("preview"), {1, 1}}, {QStringLiteral("ports"), {0, -1}},
    };
    return arity;
}

// The commands and what each does, for --help.
const struct { const char *syntax; const char *description; } commands[] = {
    {"list", QT_TRANSLATE_NOOP("HostOptions", "the device's records (no connection needed)")},
    {"info", QT_TRANSLATE_NOOP("HostOptions", "read and print the machine information")},
    {"get KEY...", QT_TRANSLATE_NOOP("HostOptions", "read records from the device")},
    {"set KEY VALUE", QT_TRANSLATE_NOOP("HostOptions", "write a record and print the device's answer")},
    {"cut FILE", QT_TRANSLATE_NOOP("HostOptions", "cut a plot file (--copies N, --qr for a QR-code job, --raw)")},
    {"inspect FILE", QT_TRANSLATE_NOOP("HostOptions", "a plot file's figures and the time its cut takes (no plotter needed)")},
    {"convert FILE -o OUT.plt", QT_TRANSLATE_NOOP("HostOptions", "write the plot the device is sent")},
    {"preview FILE -o OUT.png", QT_TRANSLATE_NOOP("HostOptions", "draw the plot into a picture (--size N)")},
    {"jog X Y", QT_TRANSLATE_NOOP("HostOptions", "move the head by X and Y steps")},
    {"watch", QT_TRANSLATE_NOOP("HostOptions", "print every message of the device until Ctrl-C")},
    {"ports [PATH...]", QT_TRANSLATE_NOOP("HostOptions", "the serial ports and USB printers (or the named device files), whether\n"
                                                         "this user may open them, and why not; --probe reads each one's machine\n"
                                                         "information")},
};

// The commands' names at the start of their lines, where the shell completion finds them.
QString commandHelp()
{
    constexpr int DescriptionColumn = 20;
    const QString indent(DescriptionColumn, QLatin1Char(' '));
    QString text = HostOptions::tr("Commands:") + QLatin1Char('\n');
    for (const auto &command : commands) {
        const QString syntax = QLatin1String("  ") + QLatin1String(command.syntax);
        QString description = HostOptions::tr(command.description);
        description.replace(QLatin1Char('\n'), QLatin1Char('\n') + indent);
        text += syntax.size() < DescriptionColumn ? syntax.leftJustified(DescriptionColumn) : syntax + QLatin1String("  ");
        text += description + QLatin1Char('\n');
    }
    return text + HostOptions::tr("A device is reached with --tcp HOST[:PORT], --usb PATH or --simulate.") + QLatin1Char('\n');
}

// "jog -1 2" and "set CAMERA_OFFSET -3" take negative numbers, which the parser would read as
// options: they travel past it behind a marker that no option starts with.
const QChar NumberMarker = QChar(0x1F);

bool isNegativeNumber(const QString &argument)
{
    return argument.size() > 1 && argument.at(0) == QLatin1Char('-')
           && (argument.at(1).isDigit() || argument.at(1) == QLatin1Char('.'));
}

QStringList protectNegativeNumbers(QStringList arguments)
{
    for (QString &argument : arguments) {
        if (isNegativeNumber(argument))
            argument.prepend(NumberMarker);
    }
    return arguments;
}

QStringList restoreNegativeNumbers(QStringList arguments)
{
    for (QString &argument : arguments) {
        if (argument.startsWith(NumberMarker))
            argument.remove(0, 1);
    }
    return arguments;
}
} // namespace

bool HostOptions::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(tr("Command-line host for the KV-RV520MAXCam plug-in.") + QLatin1Char('\n')
                                     + commandHelp() + exitCodeHelp());
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("tcp"), tr("Reach the device over TCP (port 9100 by default)."), QStringLiteral("HOST[:PORT]")},
        {QStringLiteral("usb"), tr("Reach the device through a USB device file."), QStringLiteral("PATH")},
        {QStringLiteral("simulate"), tr("Start the device simulator in this process and use it.")},
        {QStringLiteral("time-scale"), tr("With --simulate: cutting time factor (1 = real time)."), QStringLiteral("FACTOR"), QStringLiteral("1")},
        {QStringLiteral("cloud"), tr("Register the device with the cloud service: with --simulate a local one in this process, otherwise the one at $KV_CLOUD_URL and $KV_CLOUD_WS.")},
        {QStringLiteral("family"), tr("Command dialect: 583 (the model, default) or 261."), QStringLiteral("FAMILY"), QStringLiteral("583")},
        {QStringLiteral("copies"), tr("Copies to cut."), QStringLiteral("N"), QStringLiteral("1")},
        {QStringLiteral("qr"), tr("Cut a QR-code job.")},
        {QStringLiteral("labels"), tr("Labels of a plot: cut as the outline of their text, or left out."), QStringLiteral("outline|skip"), QStringLiteral("outline")},
        {QStringLiteral("raw"), tr("Cut: send the file's own text instead of the plot drawn from it.")},
        {QStringLiteral("speed"), tr("Inspect: the cutting speed to time the cut at, instead of the device's SPEED."), QStringLiteral("mm/s")},
        {{QStringLiteral("o"), QStringLiteral("output")}, tr("Convert, preview: the file to write."), QStringLiteral("PATH")},
        {QStringLiteral("size"), tr("Preview: the picture's longer side in pixels."), QStringLiteral("PIXELS"), QStringLiteral("800")},
        {QStringLiteral("timeout"), tr("Seconds to wait for the connection and for each answer of the device or the cloud service."), QStringLiteral("SECONDS"), QStringLiteral("5")},
        {QStringLiteral("plugin"), tr("Path of the plug-in library."), QStringLiteral("PATH")},
        {QStringLiteral("lang"), tr("Language of the texts and labels: en_US, ja_JP or zh_CN."), QStringLiteral("LOCALE")},
        {QStringLiteral("json"), tr("Print results as JSON (its texts in English).")},
        {QStringLiteral("probe"), tr("With ports: read the machine information of each port that may be opened, waiting at most 1 s for each answer.")},
    });
    parser.addPositionalArgument(QStringLiteral("command"), tr("list, info, get, set, cut, jog, watch, inspect, convert, preview or ports."));
    if (!parser.parse(protectNegativeNumbers(arguments))) {
        error = parser.errorText();
        return false;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);

    pluginPath = parser.value(QStringLiteral("plugin"));
    json = parser.isSet(QStringLiteral("json"));
    qrCode = parser.isSet(QStringLiteral("qr"));
    simulate = parser.isSet(QStringLiteral("simulate"));
    cloud = parser.isSet(QStringLiteral("cloud"));
    probe = parser.isSet(QStringLiteral("probe"));
    if (!ToolOptions::readFamily(parser.value(QStringLiteral("family")), &family, &error)
        || !ToolOptions::readTimeScale(parser.value(QStringLiteral("time-scale")), &timeScale, &error)
        || (parser.isSet(QStringLiteral("lang")) && !ToolLanguage::readLanguage(parser.value(QStringLiteral("lang")), &error)))
        return false;
    bool ok = false;
    copies = parser.value(QStringLiteral("copies")).toInt(&ok);
    if (!ok || copies < 1 || copies > 9999) {
        error = tr("--copies takes a number from 1 to 9999");
        return false;
    }
    const double seconds = parser.value(QStringLiteral("timeout")).toDouble(&ok);
    if (!ok || seconds <= 0 || seconds > 3600) {
        error = tr("--timeout takes seconds, more than 0 and at most 3600");
        return false;
    }
    timeoutMs = int(seconds * 1000);
    if (!readPlotOptions(parser))
        return false;
    const int links = int(parser.isSet(QStringLiteral("tcp"))) + int(parser.isSet(QStringLiteral("usb"))) + int(simulate);
    if (links > 1) {
        error = tr("give only one of --tcp, --usb and --simulate");
        return false;
    }
    if (parser.isSet(QStringLiteral("tcp")) && !LinkTarget::parseTcp(parser.value(QStringLiteral("tcp")), &target)) {
        error = tr("--tcp takes HOST or HOST:PORT");
        return false;
    }
    if (parser.isSet(QStringLiteral("usb"))) {
        target.kind = LinkTarget::Usb;
        target.address = parser.value(QStringLiteral("usb"));
    }

    const QStringList positional = restoreNegativeNumbers(parser.positionalArguments());
    if (positional.isEmpty()) {
        error = tr("no command given") + QLatin1Char('\n') + parser.helpText();
        return false;
    }
    command = positional.first();
    commandArguments = positional.mid(1);
    return checkCommand();
}

bool HostOptions::readPlotOptions(const QCommandLineParser &parser)
{
    const QString labelMode = parser.value(QStringLiteral("labels"));
    if (labelMode != QLatin1String("outline") && labelMode != QLatin1String("skip")) {
        error = tr("--labels takes outline or skip, not '%1'").arg(labelMode);
        return false;
    }
    labels = labelMode == QLatin1String("skip") ? KvPlot::LabelMode::Skip : KvPlot::LabelMode::Outline;
    raw = parser.isSet(QStringLiteral("raw"));
    output = parser.value(QStringLiteral("output"));
    bool ok = true;
    if (parser.isSet(QStringLiteral("speed")))
        speedMmPerS = parser.value(QStringLiteral("speed")).toDouble(&ok);
    if (!ok || speedMmPerS < 0 || speedMmPerS > 10000 || (parser.isSet(QStringLiteral("speed")) && speedMmPerS == 0)) {
        error = tr("--speed takes mm/s, more than 0 and at most 10000");
        return false;
    }
    previewSize = parser.value(QStringLiteral("size")).toInt(&ok);
    if (!ok || previewSize < 16 || previewSize > 8192) {
        error = tr("--size takes pixels from 16 to 8192");
        return false;
    }
    return true;
}

bool HostOptions::isPlotCommand() const
{
    return command == QLatin1String("inspect") || command == QLatin1String("convert") || command == QLatin1String("preview");
}

bool HostOptions::needsDevice() const
{
    if (command == QLatin1String("inspect"))
        return speedMmPerS == 0 && (simulate || target.kind != LinkTarget::None);
    return command != QLatin1String("list") && command != QLatin1String("ports") && !isPlotCommand();
}

bool HostOptions::checkCommand()
{
    const auto found = commandArity().constFind(command);
    if (found == commandArity().constEnd()) {
        error = tr("unknown command '%1' (see --help)").arg(command);
        return false;
    }
    const int count = commandArguments.size();
    if (count < found->first || (found->second >= 0 && count > found->second)) {
        error = tr("wrong number of arguments for '%1' (see --help)").arg(command);
        return false;
    }
    if (cloud && !simulate && (qEnvironmentVariableIsEmpty("KV_CLOUD_URL") || qEnvironmentVariableIsEmpty("KV_CLOUD_WS"))) {
        error = tr("--cloud needs KV_CLOUD_URL and KV_CLOUD_WS in the environment, or --simulate");
        return false;
    }
    if ((command == QLatin1String("convert") || command == QLatin1String("preview")) && output.isEmpty()) {
        error = tr("'%1' needs the file to write: -o PATH").arg(command);
        return false;
    }
    if (needsDevice() && target.kind == LinkTarget::None && !simulate) {
        error = tr("'%1' needs a device: --tcp HOST[:PORT], --usb PATH or --simulate").arg(command);
        return false;
    }
    return true;
}
