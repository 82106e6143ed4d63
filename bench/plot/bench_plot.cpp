// The plot library on a 200 MB plot: reading it with its figures alone (the reader's own memory),
// then reading it and writing its device plot into the QString the plug-in takes, in MB/s.
#include "benchreport.h"
#include "syntheticplot.h"

#include "deviceplotwriter.h"
#include "plotreader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

namespace {

constexpr qint64 PlotBytes = 200LL * 1000 * 1000;
constexpr double MB = 1e6;

// A stipple plot: a dot cut at each of many scattered points, as halftone and stipple art
// generators write it.
bool writeStipplePlot(const QString &path)
{
    return writeSyntheticPlot(path, PlotBytes, [](QByteArray &plot, int x, int y) {
        plot.append("PU").append(QByteArray::number(x)).append(',').append(QByteArray::number(y))
            .append(";PD").append(QByteArray::number(x + 4)).append(',').append(QByteArray::number(y)).append(";\n");
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("stipple.plt"));
    if (!folder.isValid() || !writeStipplePlot(path)) {
        std::printf("cannot write the benchmark plot in %s\n", qPrintable(folder.path()));
        return 1;
    }
    const double fileMb = QFile(path).size() / MB;

    const long long before = peakResidentBytes();
    QElapsedTimer clock;
    clock.start();
    const KvPlot::ReadResult figuresOnly = KvPlot::readPlotFile(path, { KvPlot::LabelMode::Skip });
    const double figuresSeconds = clock.nsecsElapsed() / 1e9;
    const double readerMb = (peakResidentBytes() - before) / MB;

    QString devicePlot;
    devicePlot.reserve(qsizetype(QFile(path).size())); // what a host does: one allocation, touched once
    clock.restart();
    KvPlot::ReadResult withDevicePlot;
    {
        KvPlot::DevicePlotWriter writer(&devicePlot);
        withDevicePlot = KvPlot::readPlotFile(path, { KvPlot::LabelMode::Skip }, &writer);
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    // What reading adds to the process: the QString (two bytes a character) and the reader.
    const double peakRatio = (peakResidentBytes() - before) / MB / fileMb;

    std::printf("plot of %.0f MB: %.0f m cut, %.0f m travel\n", fileMb, figuresOnly.figures.cutLengthMm() / 1000,
                figuresOnly.figures.travelMm() / 1000);
    std::printf("reading with figures only: %.2f s, %.0f MB/s, reader's memory %.1f MB\n", figuresSeconds,
                fileMb / figuresSeconds, readerMb);
    std::printf("reading and writing the device plot (%.0f MB of text in a QString): %.2f s, %.0f MB/s, memory added %.2f x the file\n",
                devicePlot.size() / MB, seconds, fileMb / seconds, peakRatio);
    if (!withDevicePlot.ok() || withDevicePlot.figures.travel != figuresOnly.figures.travel)
        std::printf("the two readings disagree\n");
    reportFigure("plot read + device plot, 200 MB", formatted("%.0f MB/s", fileMb / seconds), ">= 50 MB/s", fileMb / seconds >= 50);
    reportFigure("plot reader memory (figures only)", formatted("%.1f MB", readerMb), "<= 16 MB", readerMb <= 16);
    reportFigure("plot read + device plot QString, memory / file", formatted("%.2f x", peakRatio), "<= 2.0 x", peakRatio <= 2.0);
    return 0;
}
