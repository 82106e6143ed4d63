#include "hostoptions.h"

#include "exitcodes.h"
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

const char commandHelp[] =
    "Commands:\n"
    "  list              the device's records (no connection needed)\n"
    "  info              read and print the machine information\n"
    "  get KEY...        read records from the device\n"
    "  set KEY VALUE     write a record and print the device's answer\n"
    "  cut FILE          cut a plot file (--copies N, --qr for a QR-code job, --raw)\n"
    "  inspect FILE      a plot file's figures and the time its cut takes (no plotter needed)\n"
    "  convert FILE -o OUT.plt   write the plot the device is sent\n"
    "  preview FILE -o OUT.png   draw the plot into a picture (--size N)\n"
    "  jog X Y           move the head by X and Y steps\n"
    "  watch             print every message of the device until Ctrl-C\n"
    "  ports [PATH...]   the serial ports and USB printers (or the named device files), whether\n"
    "                    this user may open them, and why not; --probe reads each one's machine\n"
    "                    information\n"
    "A device is reached with --tcp HOST[:PORT], --usb PATH or --simulate.\n";
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
    parser.setApplicationDescription(QStringLiteral("Command-line host for the KV-RV520MAXCam plug-in.\n")
                                     + QLatin1String(commandHelp) + QLatin1String(exitCodeHelp()));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("tcp"), QStringLiteral("Reach the device over TCP (port 9100 by default)."), QStringLiteral("host[:port]")},
        {QStringLiteral("usb"), QStringLiteral("Reach the device through a USB device file."), QStringLiteral("path")},
        {QStringLiteral("simulate"), QStringLiteral("Start the device simulator in this process and use it.")},
        {QStringLiteral("time-scale"), QStringLiteral("With --simulate: cutting time factor (1 = real time)."), QStringLiteral("factor"), QStringLiteral("1")},
        {QStringLiteral("cloud"), QStringLiteral("Register the device with the cloud service: with --simulate a local one in this process, otherwise the one at $KV_CLOUD_URL and $KV_CLOUD_WS.")},
        {QStringLiteral("family"), QStringLiteral("Command dialect: 583 (the model, default) or 261."), QStringLiteral("family"), QStringLiteral("583")},
        {QStringLiteral("copies"), QStringLiteral("Copies to cut."), QStringLiteral("n"), QStringLiteral("1")},
        {QStringLiteral("qr"), QStringLiteral("Cut a QR-code job.")},
        {QStringLiteral("labels"), QStringLiteral("Labels of a plot: cut as the outline of their text, or left out."), QStringLiteral("outline|skip"), QStringLiteral("outline")},
        {QStringLiteral("raw"), QStringLiteral("Cut: send the file's own text instead of the plot drawn from it.")},
        {QStringLiteral("speed"), QStringLiteral("Inspect: the cutting speed to time the cut at, instead of the device's SPEED."), QStringLiteral("mm/s")},
        {{QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("Convert, preview: the file to write."), QStringLiteral("path")},
        {QStringLiteral("size"), QStringLiteral("Preview: the picture's longer side in pixels."), QStringLiteral("pixels"), QStringLiteral("800")},
        {QStringLiteral("timeout"), QStringLiteral("Seconds to wait for the connection and for each answer of the device or the cloud service."), QStringLiteral("seconds"), QStringLiteral("5")},
        {QStringLiteral("plugin"), QStringLiteral("Path of the plug-in library."), QStringLiteral("path")},
        {QStringLiteral("lang"), QStringLiteral("Language of labels: en_US, ja_JP or zh_CN."), QStringLiteral("locale")},
        {QStringLiteral("json"), QStringLiteral("Print results as JSON.")},
        {QStringLiteral("probe"), QStringLiteral("With ports: read the machine information of each port that may be opened, waiting at most 1 s for each answer.")},
    });
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("list, info, get, set, cut, jog, watch, inspect, convert, preview or ports."));
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
        || (parser.isSet(QStringLiteral("lang")) && !ToolOptions::readLanguage(parser.value(QStringLiteral("lang")), &error)))
        return false;
    bool ok = false;
    copies = parser.value(QStringLiteral("copies")).toInt(&ok);
    if (!ok || copies < 1 || copies > 9999) {
        error = QStringLiteral("--copies takes a number from 1 to 9999");
        return false;
    }
    const double seconds = parser.value(QStringLiteral("timeout")).toDouble(&ok);
    if (!ok || seconds <= 0 || seconds > 3600) {
        error = QStringLiteral("--timeout takes seconds, more than 0 and at most 3600");
        return false;
    }
    timeoutMs = int(seconds * 1000);
    if (!readPlotOptions(parser))
        return false;
    const int links = int(parser.isSet(QStringLiteral("tcp"))) + int(parser.isSet(QStringLiteral("usb"))) + int(simulate);
    if (links > 1) {
        error = QStringLiteral("give only one of --tcp, --usb and --simulate");
        return false;
    }
    if (parser.isSet(QStringLiteral("tcp")) && !LinkTarget::parseTcp(parser.value(QStringLiteral("tcp")), &target)) {
        error = QStringLiteral("--tcp takes HOST or HOST:PORT");
        return false;
    }
    if (parser.isSet(QStringLiteral("usb"))) {
        target.kind = LinkTarget::Usb;
        target.address = parser.value(QStringLiteral("usb"));
    }

    const QStringList positional = restoreNegativeNumbers(parser.positionalArguments());
    if (positional.isEmpty()) {
        error = QStringLiteral("no command given\n") + parser.helpText();
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
        error = QStringLiteral("--labels takes outline or skip, not '%1'").arg(labelMode);
        return false;
    }
    labels = labelMode == QLatin1String("skip") ? KvPlot::LabelMode::Skip : KvPlot::LabelMode::Outline;
    raw = parser.isSet(QStringLiteral("raw"));
    output = parser.value(QStringLiteral("output"));
    bool ok = true;
    if (parser.isSet(QStringLiteral("speed")))
        speedMmPerS = parser.value(QStringLiteral("speed")).toDouble(&ok);
    if (!ok || speedMmPerS < 0 || speedMmPerS > 10000 || (parser.isSet(QStringLiteral("speed")) && speedMmPerS == 0)) {
        error = QStringLiteral("--speed takes mm/s, more than 0 and at most 10000");
        return false;
    }
    previewSize = parser.value(QStringLiteral("size")).toInt(&ok);
    if (!ok || previewSize < 16 || previewSize > 8192) {
        error = QStringLiteral("--size takes pixels from 16 to 8192");
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
        error = QStringLiteral("unknown command '%1' (see --help)").arg(command);
        return false;
    }
    const int count = commandArguments.size();
    if (count < found->first || (found->second >= 0 && count > found->second)) {
        error = QStringLiteral("wrong number of arguments for '%1' (see --help)").arg(command);
        return false;
    }
    if (cloud && !simulate && (qEnvironmentVariableIsEmpty("KV_CLOUD_URL") || qEnvironmentVariableIsEmpty("KV_CLOUD_WS"))) {
        error = QStringLiteral("--cloud needs KV_CLOUD_URL and KV_CLOUD_WS in the environment, or --simulate");
        return false;
    }
    if ((command == QLatin1String("convert") || command == QLatin1String("preview")) && output.isEmpty()) {
        error = QStringLiteral("'%1' needs the file to write: -o PATH").arg(command);
        return false;
    }
    if (needsDevice() && target.kind == LinkTarget::None && !simulate) {
        error = QStringLiteral("'%1' needs a device: --tcp HOST[:PORT], --usb PATH or --simulate").arg(command);
        return false;
    }
    return true;
}
