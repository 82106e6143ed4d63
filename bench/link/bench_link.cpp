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
#include <QTcpServer>
#include <QTcpSocket>

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

struct RoundTrips
{
    QList<qint64> ns;
    double at(double fraction) const { return ns.at(qsizetype(fraction * (ns.size() - 1))) / 1e3; } // in us
};

// Times `count` round trips: `ask()` sends one request, `answered()` counts the answers so far.
template<typename Ask, typename Answered>
RoundTrips timeRoundTrips(int count, Ask &&ask, Answered &&answered)
{
    RoundTrips trips;
    QElapsedTimer timer;
    for (int i = 0; i < count; ++i) {
        const qint64 before = answered();
        timer.start();
        ask();
        while (answered() == before)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        trips.ns.append(timer.nsecsElapsed());
    }
    std::sort(trips.ns.begin(), trips.ns.end());
    return trips;
}

// The same exchange without the plug-in and the simulator: a request and an answer of the same
// sizes between two sockets on loopback, in the same thread and event loop, each side reading
// whatever arrived and answering every whole request.
RoundTrips rawPingPong(qsizetype requestBytes, qsizetype answerBytes, int count)
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, server.serverPort());
    client.waitForConnected(5000);
    server.waitForNewConnection(5000);
    QTcpSocket *peer = server.nextPendingConnection();
    const QByteArray request(requestBytes, 'q');
    const QByteArray answer(answerBytes, 'a');
    qint64 requestBytesIn = 0;
    QObject::connect(peer, &QTcpSocket::readyRead, peer, [&] {
        for (requestBytesIn += peer->readAll().size(); requestBytesIn >= requestBytes; requestBytesIn -= requestBytes)
            peer->write(answer);
    });
    qint64 answerBytesIn = 0;
    QObject::connect(&client, &QTcpSocket::readyRead, &client, [&] { answerBytesIn += client.readAll().size(); });
    return timeRoundTrips(count, [&] { client.write(request); }, [&] { return answerBytesIn / answerBytes; });
}

void roundTrip()
{
    KvSimulator simulator(583);
    if (!simulator.listenTcp(0)) {
        std::fprintf(stderr, "bench_link: no TCP port\n");
        return;
    }
    qsizetype answerBytes = 0;
    QObject::connect(&simulator, &KvSimulator::frameSent, &simulator,
                     [&answerBytes](const QByteArray &frame) { answerBytes = frame.size(); });
    CountingDevice device;
    buildCatalogue(device);
    device.property_ptr("TCP_PORT")->setValue(int(simulator.tcpPort()));
    device.setIPAddress(QStringLiteral("127.0.0.1"));
    device.connectDevice();
    while (device.property_ptr("STATUS")->value().toInt() != 2)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    constexpr int Reads = 2000;
    const QByteArray read = device.property_ptr("FIRMWARE")->get_cmd_bytes();
    const auto ask = [&] { device.sendCMD(read); };
    const auto answered = [&] { return device.frames; };
    timeRoundTrips(100, ask, answered); // warm-up
    const RoundTrips plugin = timeRoundTrips(Reads, ask, answered);
    const RoundTrips raw = rawPingPong(read.size(), answerBytes, Reads);
    std::printf("round trip of a FIRMWARE read over TCP loopback to kvsim (%d reads, one thread):\n", Reads);
    std::printf("  plug-in and kvsim: median %.1f us, p99 %.1f us, max %.1f us\n", plugin.at(0.5), plugin.at(0.99),
                plugin.at(1));
    std::printf("  raw sockets, %lld-byte request and %lld-byte answer: median %.1f us, p99 %.1f us\n",
                qint64(read.size()), qint64(answerBytes), raw.at(0.5), raw.at(0.99));
    reportFigure("read round trip over TCP, median", formatted("%.1f us", plugin.at(0.5)), "", true);
    reportFigure("read round trip over TCP, p99", formatted("%.1f us", plugin.at(0.99)), "", true);
    reportFigure("raw loopback ping-pong, median", formatted("%.1f us", raw.at(0.5)), "", true);
    reportFigure("read round trip / raw ping-pong, median", formatted("%.2f", plugin.at(0.5) / raw.at(0.5)), "<= 1.5",
                 plugin.at(0.5) / raw.at(0.5) <= 1.5);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    receivePath();
    roundTrip();
    return 0;
}
