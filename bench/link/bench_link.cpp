// bench_link: the receive path's throughput and its cost per frame as chunks grow, and the round
// trip of one record read to the simulated plotter over TCP loopback.

#include "benchreport.h"

#include "framestream.h"
#include "kvcommoninterface.h"
#include "kvdeviceproperty.h"
#include "simulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <algorithm>
#include <cstdio>

namespace {

// A "583" device object that counts the frames it dispatches, after dispatching them.
class CountingDevice : public KVCommonInterface
{
public:
    using KVCommonInterface::decode_cmd;
    qint64 frames = 0;
    void decode_cmd(QString frame) override
    {
        ++frames;
        KVCommonInterface::decode_cmd(frame);
    }
};

// Matched by "FIRMWARE", one of the last records of the catalogue walk.
const QByteArray firmwareReply = KVFrameStream::pack("CCMD;51,0,V2.3.1;");

void buildCatalogue(CountingDevice &device)
{
    device.init583(&device);
    device.info_583(&device);
}

// Nanoseconds per frame for chunks of `framesPerChunk` frames, over about `totalFrames`.
double nanosecondsPerFrame(CountingDevice &device, int framesPerChunk, int totalFrames)
{
    QByteArray chunk;
    chunk.reserve(firmwareReply.size() * framesPerChunk);
    for (int i = 0; i < framesPerChunk; ++i)
        chunk += firmwareReply;
    const int rounds = std::max(1, totalFrames / framesPerChunk);
    device.frames = 0;
    QElapsedTimer timer;
    timer.start();
    for (int round = 0; round < rounds; ++round)
        device.slot_usb_read(chunk);
    const qint64 elapsed = timer.nsecsElapsed();
    if (device.frames != qint64(rounds) * framesPerChunk)
        std::fprintf(stderr, "bench_link: %lld frames dispatched, %lld expected\n", device.frames,
                     qint64(rounds) * framesPerChunk);
    return double(elapsed) / double(device.frames);
}

// Nanoseconds per byte of one frame of `frameBytes` bytes arriving in 16-byte pieces.
double nanosecondsPerByteInPieces(CountingDevice &device, int frameBytes)
{
    const QByteArray frame = KVFrameStream::pack("CCMD;51,0," + QByteArray(frameBytes - 20, 'v') + ';');
    QElapsedTimer timer;
    timer.start();
    for (qsizetype offset = 0; offset < frame.size(); offset += 16)
        device.slot_usb_read(frame.mid(offset, 16));
    return double(timer.nsecsElapsed()) / double(frame.size());
}

void receivePath()
{
    CountingDevice device;
    buildCatalogue(device);
    std::printf("receive path (slot_usb_read -> decode_buffer -> dispatch of a FIRMWARE reply):\n");
    nanosecondsPerFrame(device, 1000, 100000); // warm-up
    double perFrameAt1k = 0;
    double perFrameAt100k = 0;
    for (const int perChunk : { 1000, 10000, 100000 }) {
        const double ns = nanosecondsPerFrame(device, perChunk, 1000000);
        std::printf("  %6d frames/chunk: %10.0f frames/s, %7.1f ns/frame\n", perChunk, 1e9 / ns, ns);
        if (perChunk == 1000)
            perFrameAt1k = ns;
        if (perChunk == 100000)
            perFrameAt100k = ns;
    }
    std::printf("  cost per frame at 100k over 1k: %.2f (target <= 1.5)\n", perFrameAt100k / perFrameAt1k);
    reportFigure("receive path at 100k frames/chunk", formatted("%.0f frames/s", 1e9 / perFrameAt100k), "", true);
    reportFigure("receive cost per frame, 100k over 1k", formatted("%.2f", perFrameAt100k / perFrameAt1k), "<= 1.5",
                 perFrameAt100k / perFrameAt1k <= 1.5);

    const double small = nanosecondsPerByteInPieces(device, 4 * 1024);
    const double large = nanosecondsPerByteInPieces(device, 60 * 1024);
    std::printf("  one frame in 16-byte pieces: 4 KiB %.1f ns/byte, 60 KiB %.1f ns/byte (ratio %.2f)\n", small,
                large, large / small);
}

void roundTrip()
{
    KvSimulator simulator(583);
    if (!simulator.listenTcp(0)) {
        std::fprintf(stderr, "bench_link: no TCP port\n");
        return;
    }
    CountingDevice device;
    buildCatalogue(device);
    device.property_ptr("TCP_PORT")->setValue(int(simulator.tcpPort()));
    device.setIPAddress(QStringLiteral("127.0.0.1"));
    device.connectDevice();
    while (device.property_ptr("STATUS")->value().toInt() != 2)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    const QByteArray read = device.property_ptr("FIRMWARE")->get_cmd_bytes();
    QList<qint64> samples;
    QElapsedTimer timer;
    for (int i = 0; i < 1000; ++i) {
        const qint64 before = device.frames;
        timer.start();
        device.sendCMD(read);
        while (device.frames == before)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        samples.append(timer.nsecsElapsed());
    }
    std::sort(samples.begin(), samples.end());
    std::printf("round trip of a FIRMWARE read over TCP loopback to kvsim (1000 reads, one thread):\n");
    std::printf("  median %.1f us, p99 %.1f us, max %.1f us\n", samples[499] / 1e3, samples[989] / 1e3,
                samples.last() / 1e3);
    reportFigure("read round trip over TCP, median", formatted("%.1f us", samples[499] / 1e3), "", true);
    reportFigure("read round trip over TCP, p99", formatted("%.1f us", samples[989] / 1e3), "", true);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    receivePath();
    roundTrip();
    return 0;
}
