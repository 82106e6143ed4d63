// What a host pays for the plug-in: making device objects, translating its own texts while many
// devices are alive, and handing a large plot job to a plotter over the network.
#include "benchreport.h"

#include "kvdeviceproperty.h"
#include "kvrv520maxcam.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <vector>

namespace {

using Devices = std::vector<std::unique_ptr<KVDeviceInterface>>;

size_t heapInUse()
{
    return mallinfo2().uordblks;
}

void makingDevices(KVRV520MAXCam &root)
{
    constexpr int Count = 100;
    Devices devices;
    devices.emplace_back(root.initInstance()); // warm-up: translator, meta-types, first allocations
    const size_t heapBefore = heapInUse();
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < Count; ++i)
        devices.emplace_back(root.initInstance());
    const double msEach = clock.nsecsElapsed() / 1e6 / Count;
    const double kbEach = double(heapInUse() - heapBefore) / Count / 1024.0;
    std::printf("initInstance: %.3f ms and %.1f KB of heap per device over %d devices\n", msEach, kbEach, Count);
    reportFigure("initInstance time per device", formatted("%.3f ms", msEach), "< 2 ms", msEach < 2.0);
    reportFigure("initInstance memory per device", formatted("%.1f KB", kbEach), "< 200 KB", kbEach < 200.0);
}

// A host's own untranslated text, looked up through every translator installed in the application.
double translateNs()
{
    constexpr int Lookups = 200000;
    QElapsedTimer clock;
    clock.start();
    int length = 0;
    for (int i = 0; i < Lookups; ++i)
        length += QCoreApplication::translate("HostWindow", "Connect to the plotter").size();
    const double ns = double(clock.nsecsElapsed()) / Lookups;
    return length > 0 ? ns : 0;
}

void translatingWithManyDevices(KVRV520MAXCam &root)
{
    Devices devices;
    devices.emplace_back(root.initInstance());
    const double withOne = translateNs();
    for (int i = 1; i < 100; ++i)
        devices.emplace_back(root.initInstance());
    const double withHundred = translateNs();
    std::printf("host tr() lookup: %.1f ns with 1 device, %.1f ns with 100 devices\n", withOne, withHundred);
    reportFigure("host tr() with 100 devices / with 1", formatted("%.2f", withHundred / withOne), "<= 1.5",
                 withHundred / withOne <= 1.5);
}

// A plotter stand-in that takes every byte and keeps none, noting when the bytes first went past
// a mark.
class Sink : public QObject
{
public:
    Sink()
    {
        server.listen(QHostAddress::LocalHost);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *peer = server.nextPendingConnection();
            // A plotter reads a little at a time; so does this one, in the host's thread, so
            // that its reading does not count as a gap of the host's event loop.
            peer->setReadBufferSize(256 * 1024);
            connect(peer, &QTcpSocket::readyRead, this, [this, peer] {
                if (received == 0)
                    firstNs = clock.nsecsElapsed();
                received += peer->readAll().size();
                if (received > mark && passedMarkNs < 0)
                    passedMarkNs = clock.nsecsElapsed();
            });
        });
    }
    void expect(qint64 bytes, qint64 markBytes)
    {
        received = 0;
        mark = markBytes;
        passedMarkNs = -1;
        firstNs = -1;
        wanted = bytes;
        clock.start();
    }
    void waitForAll()
    {
        while (received < wanted)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QTcpServer server;
    QElapsedTimer clock;
    qint64 received = 0;
    qint64 wanted = 0;
    qint64 mark = 0;
    qint64 passedMarkNs = -1;
    qint64 firstNs = -1;
};

// The largest gap between two ticks of a 1 ms timer: how long the event loop was kept from them.
class LoopWatch : public QObject
{
public:
    LoopWatch()
    {
        tick.setTimerType(Qt::PreciseTimer);
        connect(&tick, &QTimer::timeout, this, [this] {
            worstNs = std::max(worstNs, clock.nsecsElapsed() - lastNs);
            lastNs = clock.nsecsElapsed();
        });
    }
    void start()
    {
        worstNs = 0;
        lastNs = 0;
        clock.start();
        tick.start(1);
    }
    double stopMs()
    {
        tick.stop();
        worstNs = std::max(worstNs, clock.nsecsElapsed() - lastNs);
        return worstNs / 1e6;
    }
    QTimer tick;
    QElapsedTimer clock;
    qint64 lastNs = 0;
    qint64 worstNs = 0;
};

QString plotText(qsizetype bytes)
{
    QString text;
    text.reserve(bytes);
    text += QStringLiteral("IN;SP1;");
    for (int i = 0; text.size() < bytes - 32; ++i)
        text += QStringLiteral("PD%1,%2;").arg(i % 40000).arg((i * 7) % 40000);
    return text;
}

void resetPeakResident()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

struct Upload
{
    double seconds = 0;
    double firstByteMs = 0; // the job's first frame
    double firstPlotByteMs = 0;
    double worstGapMs = 0;
    double growth = 0; // peak resident bytes above those just before the start
};

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// A job started on a device linked to `sink`, up to the plot frame's last byte at the sink.
Upload pluginUpload(KVDeviceInterface *device, Sink &sink, qint64 jobBytes, qint64 markFrameBytes)
{
    Upload run;
    LoopWatch loop;
    resetPeakResident();
    const long long idle = residentBytes();
    loop.start();
    sink.expect(jobBytes, markFrameBytes);
    device->startTask();
    sink.waitForAll();
    run.firstByteMs = sink.firstNs / 1e6;
    run.seconds = sink.clock.nsecsElapsed() / 1e9;
    run.worstGapMs = loop.stopMs();
    run.growth = double(peakResidentBytes() - idle);
    run.firstPlotByteMs = sink.passedMarkNs / 1e6;
    return run;
}

double rawUpload(const QByteArray &frame)
{
    Sink sink;
    QTcpSocket raw;
    raw.connectToHost(QHostAddress::LocalHost, sink.server.serverPort());
    raw.waitForConnected(5000);
    sink.expect(frame.size(), 0);
    raw.write(frame);
    sink.waitForAll();
    return sink.clock.nsecsElapsed() / 1e9;
}

void uploadingAPlot(KVRV520MAXCam &root)
{
    constexpr qsizetype PlotBytes = 50 * 1024 * 1024;
    constexpr int Rounds = 3;
    Sink sink;
    std::unique_ptr<KVDeviceInterface> device(root.initInstance());
    device->setIPAddress(QStringLiteral("127.0.0.1"));
    device->property_ptr("TCP_PORT")->setValue(int(sink.server.serverPort()));
    QSignalSpy linked(device.get(), &KVDeviceInterface::message);
    device->connectDevice();
    linked.wait(5000);

    // The host holds the plot text; what the upload adds comes on top of that. The raw write
    // sends the frame the plug-in sends, built beforehand.
    device->setPlt(plotText(PlotBytes));
    const QByteArray frame = device->property_ptr("TASK_PPLT")->set_cmd_bytes();
    const qint64 mark = device->property_ptr("SET_MARK")->set_cmd_bytes().size();
    const qint64 jobBytes = mark + frame.size() + device->property_ptr("DEVICE_STATUS")->get_cmd_bytes().size();

    QList<Upload> uploads;
    QList<double> plugin, raw, firstByte, firstPlotByte, gap;
    for (int round = 0; round < Rounds; ++round) {
        uploads.append(pluginUpload(device.get(), sink, jobBytes, mark));
        raw.append(rawUpload(frame));
        plugin.append(uploads.last().seconds);
        firstByte.append(uploads.last().firstByteMs);
        firstPlotByte.append(uploads.last().firstPlotByteMs);
        gap.append(uploads.last().worstGapMs);
    }
    // Memory of the first job, which also allocates the device's send buffers.
    const double growth = uploads.first().growth / frame.size();
    const double pluginSeconds = median(plugin);
    const double rawSeconds = median(raw);
    const double worstGap = *std::max_element(gap.cbegin(), gap.cend());
    std::printf("50 MB plot upload (median of %d, side by side): plug-in %.3f s (%.0f MB/s), raw socket write "
                "%.3f s (%.0f MB/s); first byte %.1f ms, first plot byte %.1f ms after startTask; largest "
                "event-loop gap %.1f ms; memory growth %.1f MB (%.2f x plot)\n",
                Rounds, pluginSeconds, frame.size() / pluginSeconds / 1e6, rawSeconds, frame.size() / rawSeconds / 1e6,
                median(firstByte), median(firstPlotByte), worstGap, uploads.first().growth / 1e6, growth);
    reportFigure("50 MB upload: raw time / plug-in time", formatted("%.2f", rawSeconds / pluginSeconds), ">= 0.8",
                 rawSeconds / pluginSeconds >= 0.8);
    reportFigure("50 MB upload: largest event-loop gap", formatted("%.1f ms", worstGap), "<= 20 ms", worstGap <= 20);
    reportFigure("50 MB upload: first byte after startTask", formatted("%.1f ms", median(firstByte)), "<= 20 ms",
                 median(firstByte) <= 20);
    reportFigure("50 MB upload: first plot byte after startTask", formatted("%.1f ms", median(firstPlotByte)),
                 "<= 20 ms", median(firstPlotByte) <= 20);
    reportFigure("50 MB upload: memory growth / plot size", formatted("%.2f", growth), "<= 0.25", growth <= 0.25);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    KVRV520MAXCam root;
    makingDevices(root);
    translatingWithManyDevices(root);
    uploadingAPlot(root);
    return 0;
}
