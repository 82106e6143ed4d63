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

// A plotter stand-in that takes every byte and keeps none.
class Sink : public QObject
{
public:
    Sink()
    {
        server.listen(QHostAddress::LocalHost);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *peer = server.nextPendingConnection();
            connect(peer, &QTcpSocket::readyRead, this, [this, peer] { received += peer->readAll().size(); });
        });
    }
    bool waitFor(qint64 bytes)
    {
        while (received < bytes) {
            if (!QCoreApplication::instance())
                return false;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return true;
    }
    QTcpServer server;
    qint64 received = 0;
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

void uploadingAPlot(KVRV520MAXCam &root)
{
    constexpr qsizetype PlotBytes = 50 * 1024 * 1024;
    const QString text = plotText(PlotBytes);
    const qint64 plotBytes = text.toLocal8Bit().size();

    Sink sink;
    std::unique_ptr<KVDeviceInterface> device(root.initInstance());
    device->setIPAddress(QStringLiteral("127.0.0.1"));
    device->property_ptr("TCP_PORT")->setValue(int(sink.server.serverPort()));
    QSignalSpy linked(device.get(), &KVDeviceInterface::message);
    device->connectDevice();
    linked.wait(5000);
    const qint64 startFrames = device->property_ptr("SET_MARK")->set_cmd_bytes().size()
                               + device->property_ptr("DEVICE_STATUS")->get_cmd_bytes().size();

    // The host holds the plot text; what the upload adds comes on top of that.
    device->setPlt(text);
    const qint64 frameBytes = device->property_ptr("TASK_PPLT")->set_cmd_bytes().size();
    resetPeakResident();
    const long long idle = residentBytes();
    QElapsedTimer clock;
    clock.start();
    device->startTask();
    sink.waitFor(startFrames + frameBytes);
    const double pluginSeconds = clock.nsecsElapsed() / 1e9;
    const double peakAbove = double(peakResidentBytes() - idle);

    // The same bytes, already framed, written straight to a socket.
    const QByteArray frame = device->property_ptr("TASK_PPLT")->set_cmd_bytes();
    Sink rawSink;
    QTcpSocket raw;
    raw.connectToHost(QHostAddress::LocalHost, rawSink.server.serverPort());
    raw.waitForConnected(5000);
    clock.restart();
    raw.write(frame);
    rawSink.waitFor(frame.size());
    const double rawSeconds = clock.nsecsElapsed() / 1e9;

    std::printf("50 MB plot upload: plug-in %.3f s (%.0f MB/s), raw socket write %.3f s (%.0f MB/s), "
                "peak memory %.1f MB above idle (%.2f x plot)\n",
                pluginSeconds, plotBytes / pluginSeconds / 1e6, rawSeconds, frame.size() / rawSeconds / 1e6,
                peakAbove / 1e6, peakAbove / plotBytes);
    reportFigure("50 MB upload: raw time / plug-in time", formatted("%.2f", rawSeconds / pluginSeconds), ">= 0.8",
                 rawSeconds / pluginSeconds >= 0.8);
    reportFigure("50 MB upload: peak memory / plot size", formatted("%.2f", peakAbove / plotBytes), "<= 3",
                 peakAbove / plotBytes <= 3.0);
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
