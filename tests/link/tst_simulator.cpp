// The plotter simulator: its replies byte for byte, its jobs, and every fault switch with the
// frames that must still reach a device object over TCP and over a pseudo-terminal.

#include "linksupport.h"
#include "simulator.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

#include <memory>

using Bodies = QList<QByteArray>;

namespace {

QByteArray body(const QByteArray &frame)
{
    return frame.mid(frame.indexOf(';') + 1).chopped(1);
}

Bodies bodies(const QList<QByteArray> &frames)
{
    Bodies list;
    for (const QByteArray &f : frames)
        list.append(body(f));
    return list;
}

Bodies bodies(const QStringList &frames)
{
    Bodies list;
    for (const QString &f : frames)
        list.append(body(f.toUtf8()));
    return list;
}

Bodies noticeBodies(const QSignalSpy &spy)
{
    Bodies list;
    for (const QList<QVariant> &signal : spy)
        list.append(body(signal.at(0).toByteArray()));
    return list;
}

// The percent field of each progress report among the bodies.
QList<int> percents(const Bodies &list)
{
    QList<int> values;
    for (const QByteArray &b : list) {
        if (b.startsWith("CCMD;66,"))
            values.append(b.split(',').at(5).toInt());
    }
    return values;
}

const QByteArray plot100mm = "IN;PU0,0;PD4000,0;"; // 100 mm of cut

} // namespace

class TestSimulator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    // Replies, byte for byte.
    void replies_data();
    void replies();

    // Jobs.
    void plotJobCopiesOnRepeat();
    void cuttingTimeFollowsSpeedAndScale();
    void pauseResumeStop583();
    void panelStopNotice();
    void plotJob261CutsAllCopies();
    void stop261();
    void qrReadStartsNextQrCopy();
    void busyPlotterIgnoresAPlot();

    // Lines and fault switches, with the frames that must still arrive.
    void severalClientsAtOnce();
    void chunkedReplies();
    void noiseBetweenFrames();
    void dropEveryNthReply();
    void silentAfterNFrames();
    void dropMidJobOverTcp();
    void ptyLineAndDropMidJob();
    void idleClientClosedUnlessCutting();
    void plotBeyondAConnectionsShareIsCut();

private:
    void connectProbe(ProbeDevice &probe);
    Bodies handle(const QByteArray &requestBody);

    std::unique_ptr<KvSimulator> simulator;
    std::unique_ptr<ProbeDevice> probe;
};

void TestSimulator::init()
{
    simulator = std::make_unique<KvSimulator>(583);
    QVERIFY(simulator->listenTcp(0));
    simulator->device()->setTimeScale(0);
    probe = std::make_unique<ProbeDevice>();
    probe->addLinkRecords(simulator->tcpPort());
}

void TestSimulator::cleanup()
{
    probe.reset();
    simulator.reset();
}

void TestSimulator::connectProbe(ProbeDevice &device)
{
    device.setIPAddress(QStringLiteral("127.0.0.1"));
    QVERIFY(device.connectDevice());
    QTRY_COMPARE(device.status(), 2);
}

Bodies TestSimulator::handle(const QByteArray &requestBody)
{
    return bodies(simulator->device()->handle(KVFrameStream::pack(requestBody)));
}

void TestSimulator::replies_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<Bodies>("expected");

    const auto row = [](const char *name, int family, const char *request, Bodies expected) {
        QTest::newRow(name) << family << QByteArray(request) << expected;
    };
    row("583 read with a fixed field", 583, "CCMD;7,0;", { "CCMD;7,0,0,300;" });
    row("583 write with a fixed field", 583, "CCMD;6,0,120;", { "CCMD;6,0,0,120;" });
    row("583 write below range", 583, "CCMD;6,0,5;", { "CCMD;6,1,0,5;" });
    row("583 write without value", 583, "CCMD;6,0;", { "CCMD;6,3,0;" });
    row("583 group read", 583, "CCMD;18;", { "CCMD;18,0,12.5,-3.25;" });
    row("583 group write", 583, "CCMD;17,100,-20;", { "CCMD;17,0,100,-20;" });
    row("583 group write out of range", 583, "CCMD;17,100,-2000;", { "CCMD;17,1,100,-2000;" });
    row("583 combo beyond its options", 583, "CCMD;23,3;", { "CCMD;23,1,3;" });
    row("583 text read", 583, "CCMD;51;", { "CCMD;51,0,V2.3.1-sim;" });
    row("583 heartbeat", 583, "CCMD;1010;", { "CCMD;1010,0,2;" });
    row("583 QR-code read", 583, "CCMD;11;", { "CCMD;11,0,QR-20240001;" });
    row("583 status read while idle", 583, "CCMD;4;", { "CCMD;4,0,0;" });
    row("583 task control read while idle", 583, "CCMD;27;", { "CCMD;27,0,2;" });
    row("583 pause with no job", 583, "CCMD;27,0;", { "CCMD;27,1,0;" });
    row("583 stop with no job", 583, "CCMD;27,2;", { "CCMD;27,0,2;" });
    row("583 jog", 583, "CCMD;65,0,0,-80,-160;", { "CCMD;65,0,0,0,-80,-160;" });
    row("583 copies read", 583, "CCMD;30;", { "CCMD;30,0,1;" });
    row("583 unknown code", 583, "CCMD;999;", { "CCMD;999,2;" });
    row("583 code that is no number", 583, "CCMD;abc;", {});
    row("583 has no registers", 583, "CMD;GET134;", {});
    row("261 register read", 261, "CMD;GET134;", { "CMD;GET134:0;" });
    row("261 wide register read", 261, "CMD;GET11;12;13;", { "CMD;GET11:2500;12:0;13:0;" });
    row("261 wide register write", 261, "CMD;SET11:4464;12:1;13:0;", { "CMD;SET11:4464;12:1;13:0;" });
    row("261 negative wide write", 261, "CMD;SET11:65516;12:65535;", { "CMD;SET11:65516;12:65535;" });
    row("261 wide write out of range", 261, "CMD;SET11:0;12:16;13:0;", { "CMD;ERR11:2500;12:0;13:0;" });
    row("261 register write out of range", 261, "CMD;SET134:2;", { "CMD;ERR134:0;" });
    row("261 negative register write", 261, "CMD;SET131:-90;", { "CMD;SET131:-90;" });
    row("261 unknown register read", 261, "CMD;GET999;", { "CMD;GET999:0;" });
    row("261 unknown register write", 261, "CMD;SET999:1;", { "CMD;ERR999:0;" });
    row("261 copies", 261, "CMD;NUM:3;", { "CMD;NUM:3;" });
    row("261 no copies", 261, "CMD;NUM:0;", { "CMD;ERR:0;" });
    row("261 task control read", 261, "CMD;GET125;", { "CMD;GET125:2;" });
    row("261 pause with no job", 261, "CMD;SET125:0;", { "CMD;ERR125:2;" });
    row("261 machine information", 261, "CCMD;2;",
        { "CCMD;2,0,KV-TRX3104MAXCam,TRX3104-000001,PCB261-0001,V3.0,V4.1.0-sim,CFG-261-01;" });
    row("261 write-only text", 261, "CCMD;44,NEW-ID;", { "CCMD;44,0,NEW-ID;" });
    row("261 unique id", 261, "CCMD;57;", { "CCMD;57,0,0123456789ABCDEF;" });
    row("261 heartbeat", 261, "CCMD;1010;", { "CCMD;1010,0,2;" });
    row("261 lacks the model's codes", 261, "CCMD;7,0;", { "CCMD;7,2;" });
    const QByteArray fullField(255, 'x');
    const QByteArray tooLong = QByteArray("\xc3\xa9").repeated(128); // 128 characters, 256 bytes
    QTest::newRow("583 text as long as a field") << 583 << "CCMD;44," + fullField + ";" << Bodies { "CCMD;44,0," + fullField + ";" };
    QTest::newRow("583 text longer than a field") << 583 << "CCMD;44," + tooLong + ";" << Bodies { "CCMD;44,1,KV520-000001;" };
    QTest::newRow("583 number longer than a field") << 583 << "CCMD;6,0," + QByteArray(300, '0') + "300;"
                                                     << Bodies { "CCMD;6,1,0,300;" };
}

void TestSimulator::replies()
{
    QFETCH(int, family);
    QFETCH(QByteArray, request);
    QFETCH(Bodies, expected);
    simulator = std::make_unique<KvSimulator>(family);
    const QList<QByteArray> replies = simulator->device()->handle(KVFrameStream::pack(request));
    QCOMPARE(bodies(replies), expected);
    for (const QByteArray &reply : replies) {
        const qsizetype lengthEnd = reply.indexOf(';');
        QCOMPARE(reply.left(lengthEnd).mid(1).toInt(), reply.size()); // the length field is exact
    }
}

void TestSimulator::plotJobCopiesOnRepeat()
{
    KvSimDevice *device = simulator->device();
    device->parameters().setValue(QStringLiteral("TASK_COPIES"), { QStringLiteral("2") });
    QSignalSpy notices(device, &KvSimDevice::notice);
    QVERIFY(handle("PPLT;" + plot100mm).isEmpty());
    QTRY_COMPARE(device->jobState(), KvSimDevice::JobState::WaitingForRepeat);
    QTRY_VERIFY(noticeBodies(notices).contains("CCMD;4,0;"));
    QCOMPARE(percents(noticeBodies(notices)), (QList<int> { 0, 10, 20, 30, 40, 50, 60, 70, 80, 90 }));
    QCOMPARE(noticeBodies(notices).first(), QByteArray("CCMD;66,2,job1.plt,2,0,0,100.0,300,0;"));

    notices.clear();
    QCOMPARE(handle("CCMD;30,1;"), Bodies { "CCMD;30,0;" }); // the repeat request
    QTRY_COMPARE(device->jobState(), KvSimDevice::JobState::Idle);
    QTRY_COMPARE(noticeBodies(notices).last(), QByteArray("CCMD;66,0,job1.plt,2,2,100,100.0,300,0;"));
    QCOMPARE(noticeBodies(notices).count("CCMD;4,0;"), 1);
    QCOMPARE(noticeBodies(notices).first(), QByteArray("CCMD;66,2,job1.plt,2,1,0,100.0,300,0;"));
}

void TestSimulator::cuttingTimeFollowsSpeedAndScale()
{
    KvSimDevice *device = simulator->device();
    device->setTimeScale(0.1);
    device->parameters().setValue(QStringLiteral("SPEED"), { QStringLiteral("200") });
    QSignalSpy started(device, &KvSimDevice::jobStarted);
    QSignalSpy notices(device, &KvSimDevice::notice);
    handle("PPLT;" + plot100mm);
    QCOMPARE(started.size(), 1);
    QCOMPARE(started.at(0).at(2).toDouble(), 100.0);
    QTRY_VERIFY(!notices.isEmpty());
    QCOMPARE(body(notices.at(0).at(0).toByteArray()), QByteArray("CCMD;66,2,job1.plt,1,0,0,100.0,200,50;"));
}

void TestSimulator::pauseResumeStop583()
{
    KvSimDevice *device = simulator->device();
    device->setTimeScale(100); // far longer than the test
    QSignalSpy notices(device, &KvSimDevice::notice);
    handle("PPLT;" + plot100mm);
    QCOMPARE(handle("CCMD;4;"), Bodies { "CCMD;66,2,job1.plt,1,0,0,100.0,300,33333;" });
    QCOMPARE(handle("CCMD;27,0;"), Bodies { "CCMD;27,0,0;" });
    QCOMPARE(device->jobState(), KvSimDevice::JobState::Paused);
    QCOMPARE(handle("CCMD;27;"), Bodies { "CCMD;27,0,0;" });
    QCOMPARE(handle("CCMD;27,1;"), Bodies { "CCMD;27,0,1;" });
    QCOMPARE(device->jobState(), KvSimDevice::JobState::Cutting);
    QCOMPARE(handle("CCMD;27,2;"), Bodies { "CCMD;27,0,2;" });
    QCOMPARE(device->jobState(), KvSimDevice::JobState::Idle);
    QTRY_COMPARE(notices.size(), 3);
    QCOMPARE(noticeBodies(notices), (Bodies { "CCMD;66,2,job1.plt,1,0,0,100.0,300,33333;",
                                              "CCMD;66,3,job1.plt,1,0,0,100.0,300,33333;",
                                              "CCMD;66,0,job1.plt,1,0,0,100.0,300,33333;" }));
}

void TestSimulator::panelStopNotice()
{
    KvSimDevice *device = simulator->device();
    device->setTimeScale(100);
    QSignalSpy notices(device, &KvSimDevice::notice);
    handle("PPLT;" + plot100mm);
    device->stopFromPanel();
    QTRY_COMPARE(notices.size(), 3);
    QCOMPARE(noticeBodies(notices).last(), QByteArray("CCMD;1001,0;"));
    device->stopFromPanel(); // nothing to stop
    QCoreApplication::processEvents();
    QCOMPARE(notices.size(), 3);
}

void TestSimulator::plotJob261CutsAllCopies()
{
    simulator = std::make_unique<KvSimulator>(261);
    KvSimDevice *device = simulator->device();
    device->setTimeScale(0);
    QSignalSpy notices(device, &KvSimDevice::notice);
    QSignalSpy ended(device, &KvSimDevice::jobEnded);
    QCOMPARE(handle("CMD;NUM:3;"), Bodies { "CMD;NUM:3;" });
    QVERIFY(handle("PLT;" + plot100mm).isEmpty());
    QVERIFY(ended.wait());
    QCOMPARE(ended.at(0).at(0).toBool(), true);
    QTRY_COMPARE(noticeBodies(notices).last(), QByteArray("CCMD;66,0,job1.plt,3,3,100,100.0,300,0;"));
    QVERIFY(!noticeBodies(notices).contains("CCMD;4,0;"));
    QCOMPARE(percents(noticeBodies(notices)).count(0), 3); // each copy starts at 0 %
}

void TestSimulator::stop261()
{
    simulator = std::make_unique<KvSimulator>(261);
    KvSimDevice *device = simulator->device();
    device->setTimeScale(100);
    handle("PLT;" + plot100mm);
    QCOMPARE(handle("CMD;SET125:0;"), Bodies { "CMD;SET125:0;" });
    QCOMPARE(handle("CMD;GET125;"), Bodies { "CMD;GET125:0;" });
    QCOMPARE(handle("CMD;SET125:2;"), Bodies { "CMD;SET125:2;" });
    QCOMPARE(device->jobState(), KvSimDevice::JobState::Idle);
}

// In QR-code mode each copy begins with a code read; the plot for the code follows.
void TestSimulator::qrReadStartsNextQrCopy()
{
    KvSimDevice *device = simulator->device();
    device->setQrText(QStringLiteral("QR-7"));
    device->parameters().setValue(QStringLiteral("TASK_MODE"), { QStringLiteral("1") });
    device->parameters().setValue(QStringLiteral("TASK_COPIES"), { QStringLiteral("2") });
    for (const KvSimDevice::JobState next : { KvSimDevice::JobState::WaitingForRepeat, KvSimDevice::JobState::Idle }) {
        QCOMPARE(handle("CCMD;11;"), Bodies { "CCMD;11,0,QR-7;" });
        QCOMPARE(device->jobState(), KvSimDevice::JobState::WaitingForPlot);
        handle("PPLT;" + plot100mm);
        QTRY_COMPARE(device->jobState(), next);
    }
    QCOMPARE(device->copiesFinished(), 2);
}

void TestSimulator::busyPlotterIgnoresAPlot()
{
    KvSimDevice *device = simulator->device();
    device->setTimeScale(100);
    QSignalSpy started(device, &KvSimDevice::jobStarted);
    handle("PPLT;" + plot100mm);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("busy cutting")));
    handle("PPLT;PU0,0;");
    QCOMPARE(started.size(), 1);
}

void TestSimulator::severalClientsAtOnce()
{
    ProbeDevice second;
    second.addLinkRecords(simulator->tcpPort());
    connectProbe(*probe);
    connectProbe(second);
    QTRY_COMPARE(simulator->connectionCount(), 2);
    probe->sendCMD(frame("CCMD;51;"));
    second.sendCMD(frame("CCMD;45;"));
    QTRY_COMPARE(bodies(probe->frames), Bodies { "CCMD;51,0,V2.3.1-sim;" });
    QTRY_COMPARE(bodies(second.frames), Bodies { "CCMD;45,0,KV520-000001;" });
    simulator->device()->stopFromPanel(); // nothing running: no notice
    probe->sendCMD(frame("PPLT;PU0,0;"));
    QTRY_VERIFY(bodies(second.frames).contains("CCMD;4,0;")); // notices reach every client
    QTRY_VERIFY(bodies(probe->frames).contains("CCMD;4,0;"));
}

void TestSimulator::chunkedReplies()
{
    simulator->faults().chunkBytes = 4;
    simulator->faults().chunkPauseMs = 3;
    connectProbe(*probe);
    QSignalSpy refreshed(probe->property_ptr("LAST_TIME"), &KVDeviceProperty::valueChanged);
    QSignalSpy sent(simulator.get(), &KvSimulator::frameSent);
    probe->sendCMD(frame("CCMD;51;"));
    probe->sendCMD(frame("CCMD;18;"));
    QTRY_COMPARE(probe->frames.size(), 2);
    QCOMPARE(bodies(probe->frames), (Bodies { "CCMD;51,0,V2.3.1-sim;", "CCMD;18,0,12.5,-3.25;" }));
    QCOMPARE(bodies(probe->frames), bodies(QList<QByteArray> { sent.at(0).at(0).toByteArray(), sent.at(1).at(0).toByteArray() }));
    QVERIFY2(refreshed.size() > 2, "the replies arrived in one piece each");
}

void TestSimulator::noiseBetweenFrames()
{
    simulator->faults().noiseBytes = 9;
    connectProbe(*probe);
    for (const char *request : { "CCMD;51;", "CCMD;7,0;", "CCMD;1010;" })
        probe->sendCMD(frame(request));
    QTRY_COMPARE(probe->frames.size(), 3);
    QCOMPARE(bodies(probe->frames), (Bodies { "CCMD;51,0,V2.3.1-sim;", "CCMD;7,0,0,300;", "CCMD;1010,0,2;" }));
    QVERIFY(probe->pending().isEmpty() || !probe->pending().contains('\x02'));
}

void TestSimulator::dropEveryNthReply()
{
    simulator->faults().dropEvery = 3;
    connectProbe(*probe);
    QSignalSpy received(simulator.get(), &KvSimulator::frameReceived);
    for (const char *request : { "CCMD;45;", "CCMD;47;", "CCMD;49;", "CCMD;51;", "CCMD;64;", "CCMD;18;" })
        probe->sendCMD(frame(request));
    QTRY_COMPARE(received.size(), 6);
    QTRY_COMPARE(probe->frames.size(), 4);
    QCOMPARE(bodies(probe->frames), (Bodies { "CCMD;45,0,KV520-000001;", "CCMD;47,0,PCB583-0001;",
                                              "CCMD;51,0,V2.3.1-sim;", "CCMD;64,0,1;" }));
}

void TestSimulator::silentAfterNFrames()
{
    simulator->faults().silentAfter = 2;
    connectProbe(*probe);
    QSignalSpy received(simulator.get(), &KvSimulator::frameReceived);
    for (const char *request : { "CCMD;45;", "CCMD;47;", "CCMD;49;", "CCMD;51;" })
        probe->sendCMD(frame(request));
    QTRY_COMPARE(received.size(), 4); // it still listens
    QCoreApplication::processEvents();
    QCOMPARE(bodies(probe->frames), (Bodies { "CCMD;45,0,KV520-000001;", "CCMD;47,0,PCB583-0001;" }));
    QCOMPARE(probe->status(), 2);
}

void TestSimulator::dropMidJobOverTcp()
{
    simulator->faults().dropMidJob = true;
    simulator->device()->setTimeScale(1); // 100 mm at 300 mm/s: a third of a second a copy
    connectProbe(*probe);
    QSignalSpy messages(probe.get(), &KVDeviceInterface::message);
    probe->sendCMD(frame("PPLT;IN;PU0,0;PD4000,0;"));
    QVERIFY(messages.wait(3000));
    QCOMPARE(messages.at(0).at(1).toString(), QStringLiteral("TCP DISCONNECTED."));
    const QList<int> seen = percents(bodies(probe->frames));
    QVERIFY2(!seen.isEmpty() && seen.last() < 100, "progress before the drop");
    QVERIFY(!bodies(probe->frames).contains("CCMD;4,0;"));
    QCOMPARE(simulator->device()->jobState(), KvSimDevice::JobState::Cutting); // the plotter cuts on
}

void TestSimulator::ptyLineAndDropMidJob()
{
    QVERIFY(simulator->openPty());
    QSignalSpy newPath(simulator.get(), &KvSimulator::ptyPathChanged);
    simulator->faults().dropMidJob = true;
    simulator->device()->setTimeScale(3); // a second a copy, half of it before the drop
    probe->setUSBPath(simulator->ptyPath());
    QVERIFY(probe->connectDevice());
    QTRY_COMPARE(probe->status(), 2);
    probe->sendCMD(frame("CCMD;7,0;"));
    QTRY_COMPARE(bodies(probe->frames), Bodies { "CCMD;7,0,0,300;" });

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("went away")));
    probe->sendCMD(frame("PPLT;IN;PU0,0;PD4000,0;"));
    QTRY_COMPARE_WITH_TIMEOUT(probe->status(), 0, 3000);
    QCOMPARE(newPath.size(), 1);

    simulator->faults().dropMidJob = false;
    probe->setUSBPath(newPath.at(0).at(0).toString());
    QVERIFY(probe->connectDevice());
    QTRY_COMPARE(probe->status(), 2);
    probe->frames.clear();
    probe->sendCMD(frame("CCMD;27;"));
    QTRY_VERIFY(bodies(probe->frames).contains("CCMD;27,0,1;")); // still cutting
}

void TestSimulator::idleClientClosedUnlessCutting()
{
    simulator->setIdleTimeout(200);
    simulator->device()->setTimeScale(2); // two thirds of a second of cutting
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, simulator->tcpPort());
    QVERIFY(client.waitForConnected());
    QSignalSpy ended(simulator->device(), &KvSimDevice::jobEnded);
    QSignalSpy closed(&client, &QTcpSocket::disconnected);
    client.write(KVFrameStream::pack("PPLT;" + plot100mm));
    QVERIFY(ended.wait(5000));
    QCOMPARE(closed.size(), 0); // silent while the plotter cuts, yet not idle
    QVERIFY(closed.wait(2000));
}

void TestSimulator::plotBeyondAConnectionsShareIsCut()
{
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, simulator->tcpPort());
    QVERIFY(client.waitForConnected());
    QSignalSpy started(simulator->device(), &KvSimDevice::jobStarted);
    const QByteArray moves = QByteArray("PD40,0;PU0,0;").repeated(1000000); // 13 MB, 2 km of path
    client.write(KVFrameStream::pack("PPLT;" + moves));
    QVERIFY(started.wait(20000));
    QCOMPARE(started.at(0).at(2).toDouble(), 2000000.0);
    QCOMPARE(client.state(), QAbstractSocket::ConnectedState);
}

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
