// kvhost cutting a 200 MB plot on the plotter simulator, which cuts at once: the peak resident
// memory of the kvhost process against the plot file's size, and how long the job takes.
// kvhost reads the file twice and holds only the plot it sends, as the QString the plug-in takes
// (two bytes a character); what the plug-in adds while it frames and sends the plot comes on top.
#include "benchreport.h"
#include "syntheticplot.h"

#include "simulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

namespace {

constexpr qint64 PlotBytes = 200LL * 1000 * 1000;
constexpr double MB = 1e6;

// Hatching as drivers write it: a pen-up move, then a zigzag of eight points a line.
bool writeHatchPlot(const QString &path, qint64 bytes)
{
    return writeSyntheticPlot(path, bytes, [](QByteArray &plot, int x, int y) {
        plot.append("PU").append(QByteArray::number(x)).append(',').append(QByteArray::number(y)).append(";PD");
        for (int i = 0; i < 8; ++i) {
            x += 40 + i, y += (i % 2 ? -60 : 60);
            plot.append(QByteArray::number(x)).append(',').append(QByteArray::number(y)).append(i < 7 ? ',' : ';');
        }
        plot.append('\n');
    });
}

// The largest peak resident memory of the child processes that have ended, in bytes.
double childrenPeakBytes()
{
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss * 1024.0;
}

// Runs kvhost to its end while the event loop serves the simulator; its exit code, -1 when it
// did not end by itself.
int kvhost(const QStringList &arguments, double *seconds = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral(KVHOST), arguments);
    if (!process.waitForStarted())
        return -1;
    loop.exec();
    if (process.state() != QProcess::NotRunning)
        return -1;
    if (seconds)
        *seconds = clock.nsecsElapsed() / 1e9;
    const QByteArray summary = process.readAllStandardOutput().trimmed();
    const QByteArray firstLine = summary.left(summary.indexOf('\n')), lastLine = summary.mid(summary.lastIndexOf('\n') + 1);
    std::printf("kvhost %s\n", (arguments.contains(QLatin1String("cut")) ? lastLine : firstLine).constData());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QStringList cutOn(const KvSimulator &simulator, const QString &plot)
{
    return { QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(simulator.tcpPort()), QStringLiteral("--timeout"),
             QStringLiteral("60"), QStringLiteral("cut"), plot };
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    const QString small = folder.filePath(QStringLiteral("small.plt")), large = folder.filePath(QStringLiteral("hatch.plt"));
    if (!folder.isValid() || !writeHatchPlot(small, 1000) || !writeHatchPlot(large, PlotBytes)) {
        std::printf("cannot write the benchmark plots in %s\n", qPrintable(folder.path()));
        return 1;
    }
    KvSimulator simulator(583);
    simulator.device()->setTimeScale(0); // the plotter cuts at once: the host's side is measured
    QString error;
    if (!simulator.listenTcp(0, &error)) {
        std::printf("cannot start the simulator: %s\n", qPrintable(error));
        return 1;
    }
    // The plot kvhost sends, written to a file: kvhost holds it as a QString while it cuts.
    const QString devicePlot = folder.filePath(QStringLiteral("device.plt"));
    const int convertExit = kvhost({ QStringLiteral("convert"), QStringLiteral("-o"), devicePlot, large });
    const double devicePlotBytes = double(QFile(devicePlot).size());
    QFile::remove(devicePlot);
    double seconds = 0;
    const int smallExit = kvhost(cutOn(simulator, small));
    const double smallPeakBytes = childrenPeakBytes();
    const int largeExit = kvhost(cutOn(simulator, large), &seconds);
    const double peakBytes = childrenPeakBytes();
    const double fileBytes = double(QFile(large).size());
    if (convertExit != 0 || smallExit != 0 || largeExit != 0) {
        std::printf("kvhost failed: exit %d converting, %d cutting the small plot, %d the large one\n", convertExit, smallExit, largeExit);
        return 1;
    }
    const double ratio = peakBytes / fileBytes, plotText = 2 * devicePlotBytes / fileBytes;
    std::printf("kvhost cut of a %.0f MB plot on the simulator: %.1f s, peak memory %.0f MB (%.2f x the file); a small "
                "cut peaks at %.0f MB; the device plot (%.0f MB) held as a QString is %.2f x the file, the rest of the "
                "peak above a small cut (%.2f x) is the plug-in's framing and sending\n",
                fileBytes / MB, seconds, peakBytes / MB, ratio, smallPeakBytes / MB, devicePlotBytes / MB, plotText,
                (peakBytes - smallPeakBytes) / fileBytes - plotText);
    reportFigure("kvhost cut 200 MB: peak memory / file", formatted("%.2f x", ratio), "<= 2.0 x", ratio <= 2.0);
    reportFigure("kvhost cut 200 MB: its plot QString / file", formatted("%.2f x", plotText), "", true);
    reportFigure("kvhost cut 200 MB: time on the simulator", formatted("%.1f s", seconds), "", true);
    return 0;
}
