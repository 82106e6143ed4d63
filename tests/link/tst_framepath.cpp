// The frame path: cutting received bytes into frames, bounding what waits for a frame end, and
// the gated send through the transport that reported last.

#include "kvrv520maxcam.h"
#include "linksupport.h"
#include "simpty.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using Chunks = QList<QByteArray>;

namespace {

const QByteArray speedReply = frame("CCMD;7,0,0,300;");
const QByteArray firmwareReply = frame("CCMD;51,0,V2.3.1;");

QStringList texts(const Chunks &frames)
{
    QStringList list;
    for (const QByteArray &bytes : frames)
        list.append(QString::fromUtf8(bytes));
    return list;
}

// A device whose every dispatched frame is told to the host, who may delete it right there.
class AnnouncingDevice : public ProbeDevice
{
public:
    void decode_cmd(QString frame) override
    {
        ProbeDevice::decode_cmd(frame);
        Q_EMIT message(DevTasK, frame);
    }
};

} // namespace

class TestFramePath : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    // Receiving.
    void cutsFrames_data();
    void cutsFrames();
    void manyFramesInOneChunk();
    void frameSplitInsideACharacter();
    void everyChunkRefreshesLastTime();
    void tcpChunksReachTheCutter();

    // Bounding what waits.
    void boundsWaitingBytes_data();
    void boundsWaitingBytes();
    void validTrafficIsNotBounded();

    // Sending.
    void sendIsGated_data();
    void sendIsGated();
    void sendOverUsbArrivesUnchanged();
    void emptyFrameIsNotSent();
    void jobFramesOnTheWire_data();
    void jobFramesOnTheWire();

    // Rainy paths.
    void sendThroughMissingTransport_data();
    void sendThroughMissingTransport();
    void deviceDeletedWhileDispatching();

private:
    void connectTcp(PeerServer &server, KVDeviceInterface *target = nullptr);

    std::unique_ptr<ProbeDevice> device;
};

void TestFramePath::init()
{
    device = std::make_unique<ProbeDevice>();
    device->addLinkRecords();
}

void TestFramePath::cleanup()
{
    device.reset();
}

void TestFramePath::connectTcp(PeerServer &server, KVDeviceInterface *target)
{
    target = target ? target : device.get();
    target->property_ptr("TCP_PORT")->setValue(int(server.serverPort()));
    target->setIPAddress(QStringLiteral("127.0.0.1"));
    QVERIFY(target->connectDevice());
    QTRY_COMPARE(target->property_ptr("STATUS")->value().toInt(), 2);
    QTRY_VERIFY(server.client);
}

void TestFramePath::cutsFrames_data()
{
    QTest::addColumn<Chunks>("chunks");
    QTest::addColumn<Chunks>("frames");
    QTest::addColumn<QByteArray>("waiting");

    const QByteArray s = speedReply;
    const QByteArray f = firmwareReply;
    QTest::newRow("one frame") << Chunks { s } << Chunks { s } << QByteArray();
    QTest::newRow("two frames in one chunk") << Chunks { s + f } << Chunks { s, f } << QByteArray();
    QTest::newRow("split over three chunks") << Chunks { s.left(3), s.mid(3, 6), s.mid(9) } << Chunks { s } << QByteArray();
    QTest::newRow("end byte in its own chunk") << Chunks { s.chopped(1), s.right(1) } << Chunks { s } << QByteArray();
    QTest::newRow("noise before a frame") << Chunks { "AB" + s } << Chunks { s } << QByteArray();
    QTest::newRow("noise between frames") << Chunks { s + "\r\n#" + f } << Chunks { s, f } << QByteArray();
    QTest::newRow("lost tail") << Chunks { QByteArray("\x02" "20;CCMD;7,0") + f } << Chunks { f } << QByteArray();
    QTest::newRow("lost tail over chunks") << Chunks { "\x02" "20;CC", "MD;7" + f.left(4), f.mid(4) } << Chunks { f }
                                           << QByteArray();
    QTest::newRow("no start byte") << Chunks { "abc\x03" + s } << Chunks { s } << QByteArray();
    QTest::newRow("end byte alone") << Chunks { "\x03" } << Chunks {} << QByteArray();
    QTest::newRow("frame waits for its end") << Chunks { s + f.chopped(1) } << Chunks { s } << f.chopped(1);
    QTest::newRow("trailing noise waits") << Chunks { s + "tail" } << Chunks { s } << QByteArray("tail");
}

void TestFramePath::cutsFrames()
{
    QFETCH(Chunks, chunks);
    QFETCH(Chunks, frames);
    QFETCH(QByteArray, waiting);
    for (const QByteArray &chunk : chunks)
        device->slot_usb_read(chunk);
    QCOMPARE(device->frames, texts(frames));
    QCOMPARE(device->pending(), waiting);
}

void TestFramePath::manyFramesInOneChunk()
{
    QByteArray chunk;
    Chunks frames;
    for (int i = 0; i < 5000; ++i) {
        frames.append(frame(QByteArray("CCMD;45,0,ID" + QByteArray::number(i) + ';').constData()));
        chunk += frames.last();
    }
    device->slot_usb_read(chunk + "\x02" "partial");
    QCOMPARE(device->frames, texts(frames));
    QCOMPARE(device->pending(), QByteArray("\x02" "partial"));
}

void TestFramePath::frameSplitInsideACharacter()
{
    const QByteArray reply = KVFrameStream::pack(QStringLiteral("CCMD;55,0,二维码;").toUtf8());
    const qsizetype middleOfCharacter = reply.indexOf(QStringLiteral("维").toUtf8()) + 1;
    device->slot_usb_read(reply.left(middleOfCharacter));
    device->slot_usb_read(reply.mid(middleOfCharacter));
    QCOMPARE(device->frames, QStringList { QString::fromUtf8(reply) });
}

void TestFramePath::everyChunkRefreshesLastTime()
{
    KVDeviceProperty *last = device->property_ptr("LAST_TIME");
    const QDateTime old = QDateTime::currentDateTime().addSecs(-100);
    last->setValue(old);
    device->slot_usb_read("\x02" "no end yet");
    QVERIFY(last->value().toDateTime() > old.addSecs(99));
    QVERIFY(device->frames.isEmpty());
}

void TestFramePath::tcpChunksReachTheCutter()
{
    PeerServer server;
    connectTcp(server);
    server.client->write(speedReply.left(5));
    server.client->flush();
    QTRY_COMPARE(device->pending(), speedReply.left(5));
    server.client->write(speedReply.mid(5) + firmwareReply);
    QTRY_COMPARE(device->frames, texts({ speedReply, firmwareReply }));
}

void TestFramePath::boundsWaitingBytes_data()
{
    QTest::addColumn<Chunks>("chunks");
    QTest::addColumn<QByteArray>("waiting");
    QTest::addColumn<Chunks>("frames");
    QTest::addColumn<QString>("logged");

    const QByteArray noise(70 * 1024, 'x');
    QTest::newRow("endless stream without delimiters") << Chunks { noise } << QByteArray() << Chunks {}
                                                       << QStringLiteral("dropped them all");
    QTest::newRow("endless stream in small chunks") << Chunks(70, QByteArray(1024, 'x')) << QByteArray(5 * 1024, 'x')
                                                    << Chunks {} << QStringLiteral("dropped them all");
    QTest::newRow("noise, then a frame start") << Chunks { noise + "\x02" "20;CC" } << QByteArray("\x02" "20;CC")
                                               << Chunks {} << QStringLiteral("kept the last 6 bytes");
    QTest::newRow("frame start longer than the limit") << Chunks { "\x02" + noise } << QByteArray() << Chunks {}
                                                       << QStringLiteral("dropped them all");
    QTest::newRow("kept frame start completes") << Chunks { noise + "\x02" "20;CC", "MD;7,0,0,300;\x03" } << QByteArray()
                                                << Chunks { speedReply } << QStringLiteral("kept the last");
    QTest::newRow("frames after the overflow") << Chunks { noise, speedReply } << QByteArray() << Chunks { speedReply }
                                               << QStringLiteral("dropped them all");
}

void TestFramePath::boundsWaitingBytes()
{
    QFETCH(Chunks, chunks);
    QFETCH(QByteArray, waiting);
    QFETCH(Chunks, frames);
    QFETCH(QString, logged);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(logged)));
    for (const QByteArray &chunk : chunks)
        device->slot_usb_read(chunk);
    QCOMPARE(device->pending(), waiting);
    QCOMPARE(device->frames, texts(frames));
}

// A chunk far beyond the limit is no overflow when it is made of frames, and a frame waiting for
// its end just under the limit is kept whole.
void TestFramePath::validTrafficIsNotBounded()
{
    QByteArray chunk;
    while (chunk.size() < 1024 * 1024)
        chunk += speedReply;
    const QByteArray longFrameHead = "\x02" + QByteArray(KVFrameStream::DefaultPendingLimit - 2, 'y');
    device->slot_usb_read(chunk + longFrameHead);
    QCOMPARE(device->frames.size(), chunk.size() / speedReply.size());
    QCOMPARE(device->pending(), longFrameHead);
    device->slot_usb_read("\x03");
    QCOMPARE(device->frames.last(), QString::fromUtf8(longFrameHead + "\x03"));
}

void TestFramePath::sendIsGated_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("sent");
    QTest::newRow("working") << 2 << true;
    QTest::newRow("idle") << 1 << true;
    QTest::newRow("paused") << 3 << true;
    QTest::newRow("disconnected") << 0 << false;
    QTest::newRow("warning") << 4 << false;
    QTest::newRow("error") << 5 << false;
}

void TestFramePath::sendIsGated()
{
    QFETCH(int, status);
    QFETCH(bool, sent);
    PeerServer server;
    connectTcp(server);
    device->property_ptr("STATUS")->setValue(status);
    device->sendCMD(speedReply);
    device->property_ptr("STATUS")->setValue(2);
    device->sendCMD(firmwareReply); // a marker that always passes
    QTRY_VERIFY(server.received.endsWith(firmwareReply));
    QCOMPARE(server.received, sent ? speedReply + firmwareReply : firmwareReply);
}

void TestFramePath::sendOverUsbArrivesUnchanged()
{
    KvSimPty pty;
    QVERIFY(pty.open());
    QByteArray atDevice;
    connect(&pty, &KvSimPty::received, this, [&atDevice](const QByteArray &bytes) { atDevice += bytes; });
    device->setUSBPath(pty.slavePath());
    QVERIFY(device->connectDevice());
    QTRY_COMPARE(device->status(), 2);
    const QByteArray plot = KVFrameStream::pack(QStringLiteral("PPLT;IN;PU0,0;PD40,40;名称;").toUtf8());
    device->sendCMD(plot);
    QTRY_COMPARE(atDevice, plot);
}

void TestFramePath::emptyFrameIsNotSent()
{
    PeerServer server;
    connectTcp(server);
    device->sendCMD(QByteArray());
    device->sendCMD(speedReply);
    QTRY_COMPARE(server.received, speedReply);
}

void TestFramePath::jobFramesOnTheWire_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<bool>("usb");
    QTest::addColumn<QString>("plot");
    // Multi-byte characters, a surrogate pair and lone halves, with a period of 7 so that the
    // pieces and count slices of the upload end on each of them.
    const QString mixed = u'a' + QString::fromUcs4(U"\U0001F600") + u'中' + QChar(0xDC00) + QChar(0xD800) + u'b';
    QString ascii = QStringLiteral("IN;");
    while (ascii.size() < 20 * 1024 * 1024)
        ascii += QStringLiteral("PD%1,%2;").arg(ascii.size() % 4000).arg(ascii.size() % 3000);
    QTest::newRow("small plot") << 583 << false << QStringLiteral("IN;PU0,0;PD40,40;名称;");
    QTest::newRow("small plot, 261") << 261 << false << QStringLiteral("IN;PU0,0;PD40,40;");
    QTest::newRow("empty plot") << 583 << false << QString();
    QTest::newRow("3 MB of other characters") << 583 << false << mixed.repeated(450 * 1000);
    QTest::newRow("3 MB of other characters, USB") << 583 << true << mixed.repeated(450 * 1000);
    QTest::newRow("20 MB of ASCII, 261") << 261 << false << ascii;
}

// A job's frames go out exactly as they always have, the plot frame byte for byte what pack()
// builds; a frame sent while the plot goes out follows it, whole.
void TestFramePath::jobFramesOnTheWire()
{
    QFETCH(int, family);
    QFETCH(bool, usb);
    QFETCH(QString, plot);
    KVRV520MAXCam root;
    std::unique_ptr<KVDeviceInterface> job(family == 583 ? root.initInstance() : root.KVCommonInterface::initInstance());
    PeerServer server;
    KvSimPty pty;
    if (usb) {
        QVERIFY(pty.open());
        connect(&pty, &KvSimPty::received, this, [&server](const QByteArray &bytes) { server.received += bytes; });
        job->setUSBPath(pty.slavePath());
        QVERIFY(job->connectDevice());
        QTRY_COMPARE(job->property_ptr("STATUS")->value().toInt(), 2);
    } else {
        connectTcp(server, job.get());
    }
    job->setPlt(plot);
    const auto write = [&job](const char *key) { return job->property_ptr(key)->set_cmd_bytes(); };
    const QByteArray next = write("TASK_STOP");
    const QByteArray expected = family == 583
        ? write("SET_MARK") + write("TASK_PPLT") + job->property_ptr("DEVICE_STATUS")->get_cmd_bytes() + next
        : write("TASK_COPIES") + write("TASK_PLT") + next;
    job->startTask();
    job->sendCMD(next);
    QTRY_COMPARE_WITH_TIMEOUT(server.received.size(), expected.size(), 30000);
    QVERIFY(server.received == expected);
}

void TestFramePath::sendThroughMissingTransport_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("logged");
    QTest::newRow("TCP never created") << QStringLiteral("TCP") << QStringLiteral("no open TCP connection");
    QTest::newRow("USB never created") << QStringLiteral("USB") << QStringLiteral("no open USB device");
    QTest::newRow("no mode yet") << QString() << QStringLiteral("no open USB device");
}

// "STATUS" and "CONNECT_MODE" are records a host can set: they may name a transport that was
// never created.
void TestFramePath::sendThroughMissingTransport()
{
    QFETCH(QString, mode);
    QFETCH(QString, logged);
    device->property_ptr("STATUS")->setValue(2);
    device->property_ptr("CONNECT_MODE")->setValue(mode);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(logged));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(logged));
    device->sendCMD(speedReply);
    device->send_cmd(speedReply); // the heartbeat's way in
}

void TestFramePath::deviceDeletedWhileDispatching()
{
    auto *announcing = new AnnouncingDevice;
    QPointer<AnnouncingDevice> alive(announcing);
    int messages = 0;
    connect(announcing, &KVDeviceInterface::message, this, [&messages, announcing] {
        ++messages;
        delete announcing; // the host drops the device on its first report
    });
    announcing->slot_usb_read(speedReply + firmwareReply);
    QVERIFY(alive.isNull());
    QCOMPARE(messages, 1);
}

QTEST_GUILESS_MAIN(TestFramePath)
#include "tst_framepath.moc"
