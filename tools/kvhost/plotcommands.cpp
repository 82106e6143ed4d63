#include "plotcommands.h"

#include "deviceplotwriter.h"
#include "exitcodes.h"
#include "hostoptions.h"
#include "plotreader.h"
#include "previewcanvas.h"
#include "recordio.h"

#include "kvdeviceinterface.h"
#include "kvdeviceproperty.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

#include <cmath>

namespace {
// Millimetres to the plotter's own resolution (1/40 mm) and no further.
double rounded(double mm)
{
    return std::round(mm * 1000) / 1000;
}

QString durationText(double seconds)
{
    if (seconds < 60)
        return PlotCommands::tr("%1 s").arg(seconds, 0, 'f', 1);
    const qint64 whole = qRound64(seconds);
    if (whole < 3600)
        return PlotCommands::tr("%1 min %2 s").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
    return PlotCommands::tr("%1 h %2 min").arg(whole / 3600).arg(whole / 60 % 60, 2, 10, QLatin1Char('0'));
}
} // namespace

PlotCommands::PlotCommands(const HostOptions &options, KVDeviceInterface *device, QTextStream &out, QTextStream &err)
    : m_options(options), m_device(device), m_out(out), m_err(err), m_path(options.commandArguments.value(0))
{
}

int PlotCommands::check()
{
    if (m_options.command != QLatin1String("inspect"))
        return ExitOk;
    const KvPlot::ReadResult result = KvPlot::readPlotFile(m_path, {m_options.labels});
    if (!result.ok())
        return refused(result.error.text());
    m_figures = result.figures;
    return ExitOk;
}

int PlotCommands::run(DeviceLink *link)
{
    if (m_options.command == QLatin1String("inspect"))
        return inspect(link);
    return m_options.command == QLatin1String("convert") ? convert() : preview();
}

int PlotCommands::refused(const QString &reason)
{
    m_err << "kvhost: " << reason << '\n';
    return ExitPlotFile;
}

QJsonObject PlotCommands::figuresJson(const KvPlot::Figures &figures, KvPlot::LabelMode labels)
{
    const QRectF bounds = figures.boundsMm();
    QJsonArray pens;
    for (const int pen : figures.pens)
        pens.append(pen);
    return QJsonObject{
        {QStringLiteral("cut_length_mm"), rounded(figures.cutLengthMm())},
        {QStringLiteral("travel_mm"), rounded(figures.travelMm())},
        {QStringLiteral("bounds_mm"), figures.cutsAnything() ? QJsonArray{rounded(bounds.left()), rounded(bounds.top()),
                                                                          rounded(bounds.right()), rounded(bounds.bottom())}
                                                             : QJsonArray()},
        {QStringLiteral("width_mm"), rounded(bounds.width())},
        {QStringLiteral("height_mm"), rounded(bounds.height())},
        {QStringLiteral("label_count"), figures.labelCount},
        {QStringLiteral("labels"), labels == KvPlot::LabelMode::Skip ? QStringLiteral("skip") : QStringLiteral("outline")},
        {QStringLiteral("pens"), pens},
        {QStringLiteral("skipped_instructions"), figures.skippedInstructions},
        {QStringLiteral("warnings"), QJsonArray::fromStringList(figures.warnings)},
    };
}

void PlotCommands::print(const QJsonObject &json)
{
    m_out << QJsonDocument(json).toJson(QJsonDocument::Compact) << '\n';
}

void PlotCommands::printFigures(const KvPlot::Figures &figures)
{
    const QRectF bounds = figures.boundsMm();
    m_out << tr("cut length %1 mm, travel %2 mm").arg(figures.cutLengthMm(), 0, 'f', 1).arg(figures.travelMm(), 0, 'f', 1) << '\n';
    if (figures.cutsAnything())
        m_out << tr("size %1 x %2 mm, from (%3, %4) to (%5, %6) mm")
                     .arg(bounds.width(), 0, 'f', 1).arg(bounds.height(), 0, 'f', 1)
                     .arg(bounds.left(), 0, 'f', 1).arg(bounds.top(), 0, 'f', 1)
                     .arg(bounds.right(), 0, 'f', 1).arg(bounds.bottom(), 0, 'f', 1) << '\n';
    m_out << (m_options.labels == KvPlot::LabelMode::Skip ? tr("labels: %1, left out (--labels skip)")
                                                          : tr("labels: %1, cut as the outline of their text"))
                 .arg(figures.labelCount) << '\n';
    QStringList pens;
    for (const int pen : figures.pens)
        pens << QString::number(pen);
    m_out << (pens.isEmpty() ? tr("pens: none") : tr("pens: %1").arg(pens.join(QLatin1String(", ")))) << '\n';
    m_out << tr("instructions skipped: %1").arg(figures.skippedInstructions) << '\n';
    for (const QString &warning : figures.warnings)
        m_out << tr("warning: %1").arg(warning) << '\n';
}

// The cut takes the head over the whole travel at the cutting speed.
int PlotCommands::inspect(DeviceLink *link)
{
    double speed = m_options.speedMmPerS;
    const int read = speed > 0 ? ExitOk : readSpeed(link, &speed);
    const double seconds = m_figures.travelMm() / speed;
    if (m_options.json) {
        QJsonObject json = figuresJson(m_figures, m_options.labels);
        json.insert(QStringLiteral("file"), m_path);
        json.insert(QStringLiteral("speed_mm_s"), speed > 0 ? QJsonValue(speed) : QJsonValue());
        json.insert(QStringLiteral("cut_seconds"), speed > 0 ? QJsonValue(std::round(seconds * 10) / 10) : QJsonValue());
        print(json);
        return read;
    }
    m_out << QStringLiteral("%1\n").arg(m_path);
    printFigures(m_figures);
    if (speed <= 0)
        m_out << tr("cut time: not known; give --speed, or a device to read its SPEED from") << '\n';
    else
        m_out << (m_options.speedMmPerS > 0 ? tr("cut time: %1 at %2 mm/s (--speed)") : tr("cut time: %1 at %2 mm/s (the device's SPEED)"))
                     .arg(durationText(seconds)).arg(speed) << '\n';
    return read;
}

int PlotCommands::readSpeed(DeviceLink *link, double *speed)
{
    KVDeviceProperty *record = m_device->property_ptr("SPEED");
    if (!link || !record)
        return ExitOk;
    RecordIO io(m_device, link, m_options.timeoutMs);
    switch (io.read(record)) {
    case RecordIO::Answered:
        *speed = record->value().toDouble();
        return ExitOk;
    case RecordIO::LinkLost:
        m_err << "kvhost: " << tr("connection lost while reading SPEED: %1").arg(link->lastStatus()) << '\n';
        return ExitConnectionLost;
    default:
        m_err << "kvhost: " << tr("no answer for SPEED within %1 s").arg(m_options.timeoutMs / 1000.0) << '\n';
        return ExitTimeout;
    }
}

int PlotCommands::convert()
{
    QSaveFile file(m_options.output);
    if (!file.open(QIODevice::WriteOnly))
        return refused(tr("cannot write %1: %2").arg(m_options.output, file.errorString()));
    KvPlot::ReadResult result;
    {
        KvPlot::DevicePlotWriter writer(&file);
        result = KvPlot::readPlotFile(m_path, {m_options.labels}, &writer);
    }
    if (!result.ok()) {
        file.cancelWriting();
        return refused(result.error.text());
    }
    const qint64 bytes = file.pos();
    if (!file.commit())
        return refused(tr("cannot write %1: %2").arg(m_options.output, file.errorString()));
    if (m_options.json) {
        QJsonObject json = figuresJson(result.figures, m_options.labels);
        json.insert(QStringLiteral("output"), m_options.output);
        json.insert(QStringLiteral("bytes"), bytes);
        print(json);
        return ExitOk;
    }
    m_out << tr("wrote %1: the device plot of %2, %3 bytes").arg(m_options.output, m_path).arg(bytes) << '\n';
    printFigures(result.figures);
    return ExitOk;
}

int PlotCommands::preview()
{
    QImage picture;
    const KvPlot::ReadResult result = KvPlot::readPlotPicture(m_path, {m_options.labels}, m_options.previewSize, &picture);
    if (!result.ok())
        return refused(result.error.text());
    QSaveFile file(m_options.output);
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit())
        return refused(tr("cannot write %1: %2").arg(m_options.output, file.errorString()));
    if (m_options.json) {
        QJsonObject json = figuresJson(result.figures, m_options.labels);
        json.insert(QStringLiteral("output"), m_options.output);
        json.insert(QStringLiteral("width_px"), picture.width());
        json.insert(QStringLiteral("height_px"), picture.height());
        print(json);
        return ExitOk;
    }
    m_out << tr("wrote %1: a picture of %2, %3 x %4 px").arg(m_options.output, m_path).arg(picture.width()).arg(picture.height()) << '\n';
    printFigures(result.figures);
    return ExitOk;
}
