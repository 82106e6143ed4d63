// The frame path: cutting received bytes into frames, bounding what waits for a frame end, and
// the gated send through the transport that reported last.

#include "testdevice.h"
#include "simpty.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using Chunks = QList<QByteArray>;

namespace {

const QByteArray speedReply = KVFrameStream::pack("CCMD;7,0,0,300;");
const QByteArray firmwareReply = KVFrameStream::pack("CCMD;51,0,V2.3.1;");

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
    void tcpChunksReachTheCutter();

    // Sending.
    void sendIsGated_data();
    void sendIsGated();
    void jobFramesOnTheWire_data();
    void jobFramesOnTheWire();

    // Rainy paths.
    void sendThroughMissingTransport_data();
    void sendThroughMissingTransport();
    void deviceDeletedWhileDispatching();

private:
    void connectTcp(PeerServer &server);

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

void TestFramePath::connectTcp(PeerServer &server)
{
    device->property_ptr("TCP_PORT")->setValue(int(server.serverPort()));
    device->setIPAddress(QStringLiteral("127.0.0.1"));
    QVERIFY(device->connectDevice());
    QTRY_COMPARE(device->status(), 2);
    QTRY_VERIFY(server.client);
}

void TestFramePath::cutsFrames_data()
{
    QTest::addColumn<Chunks>("chunks");
    QTest::addColumn<Chunks>("frames");
    QTest::addColumn<QByteArray>("waiting");
    QTest::addColumn<QString>("logged"); // the overflow's log line, if any

    const QByteArray s = speedReply;
    const QByteArray f = firmwareReply;
    const auto row = [](const char *name, const Chunks &chunks, const Chunks &frames, const QByteArray &waiting = {},
                        const QString &logged = {}) { QTest::newRow(name) << chunks << frames << waiting << logged; };
    row("one frame", { s }, { s });
    row("two frames in one chunk", { s + f }, { s, f });
    row("split over three chunks", { s.left(3), s.mid(3, 6), s.mid(9) }, { s });
    row("end byte in its own chunk", { s.chopped(1), s.right(1) }, { s });
    row("noise before a frame", { "AB" + s }, { s });
    row("noise between frames", { s + "\r\n#" + f }, { s, f });
    row("lost tail", { QByteArray("\x02" "20;CCMD;7,0") + f }, { f });
    row("lost tail over chunks", { "\x02" "20;CC", "MD;7" + f.left(4), f.mid(4) }, { f });
    row("no start byte", { "abc\x03" + s }, { s });
    row("end byte alone", { "\x03" }, {});
    row("frame waits for its end", { s + f.chopped(1) }, { s }, f.chopped(1));
    row("trailing noise waits", { s + "tail" }, { s }, "tail");
    const QByteArray qr = KVFrameStream::pack(QStringLiteral("CCMD;55,0,二维码;").toUtf8());
    const qsizetype middleOfCharacter = qr.indexOf(QStringLiteral("维").toUtf8()) + 1;
    row("split inside a character", { qr.left(middleOfCharacter), qr.mid(middleOfCharacter) }, { qr });
    Chunks many;
    for (int i = 0; i < 5000; ++i)
        many.append(KVFrameStream::pack("CCMD;45,0,ID" + QByteArray::number(i) + ';'));
    row("5000 frames in one chunk", { many.join() + "\x02" "partial" }, many, "\x02" "partial");

    // What waits for a frame end is bounded; frames never count against the bound, and a frame
    // head just under it is kept whole.
    const QByteArray noise(70 * 1024, 'x');
    row("endless stream without delimiters", { noise }, {}, {}, "dropped them all");
    row("endless stream in small chunks", Chunks(70, QByteArray(1024, 'x')), {}, QByteArray(5 * 1024, 'x'),
        "dropped them all");
    row("noise, then a frame start", { noise + "\x02" "20;CC" }, {}, "\x02" "20;CC", "kept the last 6 bytes");
    row("frame start longer than the limit", { "\x02" + noise }, {}, {}, "dropped them all");
    row("kept frame start completes", { noise + "\x02" "20;CC", "MD;7,0,0,300;\x03" }, { s }, {}, "kept the last");
    row("frames after the overflow", { noise, s }, { s }, {}, "dropped them all");
    const Chunks megabyte(1024 * 1024 / s.size(), s);
    const QByteArray longFrame = "\x02" + QByteArray(KVFrameStream::DefaultPendingLimit - 2, 'y') + "\x03";
    row("1 MiB of frames, then a frame head under the limit", { megabyte.join() + longFrame.chopped(1) }, megabyte,
        longFrame.chopped(1));
    row("a frame just under the limit", { longFrame.chopped(1), "\x03" }, { longFrame });
}

// Every chunk, whole frame or not, counts as a sign of life ("LAST_TIME").
void TestFramePath::cutsFrames()
{
    QFETCH(Chunks, chunks);
    QFETCH(Chunks, frames);
    QFETCH(QByteArray, waiting);
    QFETCH(QString, logged);
    if (logged.isEmpty())
        QTest::failOnWarning(QRegularExpression(QStringLiteral("dropped them all|kept the last")));
    else
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(logged)));
    KVDeviceProperty *last = device->property_ptr("LAST_TIME");
    for (const QByteArray &chunk : chunks) {
        last->setValue(QDateTime::currentDateTime().addSecs(-100));
        device->slot_usb_read(chunk);
        QVERIFY(last->value().toDateTime().secsTo(QDateTime::currentDateTime()) < 10);
    }
    QCOMPARE(device->frames, texts(frames));
    QCOMPARE(device->pending(), waiting);
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
    device->sendCMD(QByteArray()); // never sent, in any state
    device->sendCMD(speedReply);
    device->property_ptr("STATUS")->setValue(2);
    device->sendCMD(firmwareReply); // a marker that always passes
    QTRY_VERIFY(server.received.endsWith(firmwareReply));
    QCOMPARE(server.received, sent ? speedReply + firmwareReply : firmwareReply);
}

void TestFramePath::jobFramesOnTheWire_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<bool>("usb");
    QTest::addColumn<QString>("plot");
    // Multi-byte characters, a surrogate pair and lone halves, with a period of 7 so that the
    // pieces and count slices of the upload end on each of them.
    const QString mixed = u'a' + QString::fromUcs4(U"\U0001F600") + u'中' + QChar(0xDC00) + QChar(0xD800) + u'b';
    QString piece;
    for (int i = 0; piece.size() < 64 * 1024; ++i)
        piece += QStringLiteral("PD%1,%2;").arg(i % 4000).arg(i % 3000);
    QTest::newRow("small plot") << 583 << false << QStringLiteral("IN;PU0,0;PD40,40;名称;");
    QTest::newRow("small plot, 261") << 261 << false << QStringLiteral("IN;PU0,0;PD40,40;");
    QTest::newRow("empty plot") << 583 << false << QString();
    QTest::newRow("3 MB of other characters") << 583 << false << mixed.repeated(450 * 1000);
    QTest::newRow("3 MB of other characters, USB") << 583 << true << mixed.repeated(450 * 1000);
    QTest::newRow("20 MB of ASCII, 261") << 261 << false << QStringLiteral("IN;") + piece.repeated(320);
    // A plot that holds a frame delimiter never goes out, whichever way its text is scanned.
    QTest::newRow("end byte deep in ASCII") << 583 << false << piece.left(4096) + u'\x03' + piece.left(4096);
    QTest::newRow("start byte amid other characters") << 261 << false << mixed.repeated(100) + u'\x02' + mixed;
}

// A job's frames go out exactly as they always have, the plot frame byte for byte what pack()
// builds; a frame sent while the plot goes out follows it, whole.
void TestFramePath::jobFramesOnTheWire()
{
    QFETCH(int, family);
    QFETCH(bool, usb);
    QFETCH(QString, plot);
    HostDevice host(family);
    KVDeviceInterface *job = host.device.get();
    PeerServer server;
    KvSimPty pty;
    connect(&pty, &KvSimPty::received, this, [&server](const QByteArray &bytes) { server.received += bytes; });
    QVERIFY(pty.open());
    QVERIFY(usb ? host.connectUsb(pty.slavePath()) : host.connectTcp(server.serverPort()));
    job->setPlt(plot);
    const auto write = [job](const char *key) { return job->property_ptr(key)->set_cmd_bytes(); };
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
