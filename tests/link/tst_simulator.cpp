// What only the plotter simulator decides, and no device object sees from its side: the answers
// that refuse a request, its field limit, its job state machine and cutting time, and how it
// treats connections.

#include "framestream.h"
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
    for (const QByteArray &frame : frames)
        list.append(body(frame));
    return list;
}

Bodies noticeBodies(const QSignalSpy &spy)
{
    Bodies list;
    for (const QList<QVariant> &signal : spy)
        list.append(body(signal.at(0).toByteArray()));
    return list;
}

const QByteArray plot100mm = "IN;PU0,0;PD4000,0;"; // 100 mm of cut

} // namespace

class TestSimulator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void refusals_data();
    void refusals();
    void pauseResumeStopAndPanelStop();
    void cuttingTimeFollowsSpeed();
    void busyPlotterIgnoresAPlot();
    void idleClientClosedOnlyWhenNotCutting();
    void plotBeyondAConnectionsShareIsCut();

private:
    Bodies handle(const QByteArray &requestBody) { return bodies(simulator->device()->handle(KVFrameStream::pack(requestBody))); }
    QTcpSocket *connectClient();

    std::unique_ptr<KvSimulator> simulator;
    std::unique_ptr<QTcpSocket> client;
};

void TestSimulator::init()
{
    client.reset();
    simulator = std::make_unique<KvSimulator>(583);
    QVERIFY(simulator->listenTcp(0));
    simulator->device()->setTimeScale(100); // far longer than any test
}

QTcpSocket *TestSimulator::connectClient()
{
    client = std::make_unique<QTcpSocket>();
    client->connectToHost(QHostAddress::LocalHost, simulator->tcpPort());
    return client->waitForConnected() ? client.get() : nullptr;
}

void TestSimulator::refusals_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<Bodies>("expected");
    const QByteArray fullField(255, 'x');
    const QByteArray tooLong = QByteArray("\xc3\xa9").repeated(128); // 128 characters, 256 bytes
    const auto row = [](const char *name, int family, const QByteArray &request, const Bodies &expected) {
        QTest::newRow(name) << family << request << expected;
    };
    row("583 below range", 583, "CCMD;6,0,5;", { "CCMD;6,1,0,5;" });
    row("583 without value", 583, "CCMD;6,0;", { "CCMD;6,3,0;" });
    row("583 group out of range", 583, "CCMD;17,100,-2000;", { "CCMD;17,1,100,-2000;" });
    row("583 combo beyond its options", 583, "CCMD;23,3;", { "CCMD;23,1,3;" });
    row("583 pause with no job", 583, "CCMD;27,0;", { "CCMD;27,1,0;" });
    row("583 unknown code", 583, "CCMD;999;", { "CCMD;999,2;" });
    row("583 code that is no number", 583, "CCMD;abc;", {});
    row("583 has no registers", 583, "CMD;GET134;", {});
    row("583 text as long as a field", 583, "CCMD;44," + fullField + ";", { "CCMD;44,0," + fullField + ";" });
    row("583 text longer than a field", 583, "CCMD;44," + tooLong + ";", { "CCMD;44,1,KV520-000001;" });
    row("583 number longer than a field", 583, "CCMD;6,0," + QByteArray(300, '0') + "300;", { "CCMD;6,1,0,300;" });
    row("261 wide write out of range", 261, "CMD;SET11:0;12:16;13:0;", { "CMD;ERR11:2500;12:0;13:0;" });
    row("261 unknown register write", 261, "CMD;SET999:1;", { "CMD;ERR999:0;" });
    row("261 no copies", 261, "CMD;NUM:0;", { "CMD;ERR:0;" });
    row("261 pause with no job", 261, "CMD;SET125:0;", { "CMD;ERR125:2;" });
    row("261 lacks the model's codes", 261, "CCMD;7,0;", { "CCMD;7,2;" });
}

// Every answer has an exact length field and keeps within what a host takes in.
void TestSimulator::refusals()
{
    QFETCH(int, family);
    QFETCH(QByteArray, request);
    QFETCH(Bodies, expected);
    simulator = std::make_unique<KvSimulator>(family);
    const QList<QByteArray> replies = simulator->device()->handle(KVFrameStream::pack(request));
    QCOMPARE(bodies(replies), expected);
    for (const QByteArray &reply : replies)
        QCOMPARE(reply.left(reply.indexOf(';')).mid(1).toInt(), reply.size());
}

void TestSimulator::pauseResumeStopAndPanelStop()
{
    KvSimDevice *device = simulator->device();
    QSignalSpy notices(device, &KvSimDevice::notice);
    handle("PPLT;" + plot100mm);
    QCOMPARE(handle("CCMD;27,0;"), Bodies { "CCMD;27,0,0;" });
    QCOMPARE(device->jobState(), KvSimDevice::JobState::Paused);
    QCOMPARE(handle("CCMD;27,1;"), Bodies { "CCMD;27,0,1;" });
    QCOMPARE(device->jobState(), KvSimDevice::JobState::Cutting);
    QCOMPARE(handle("CCMD;27,2;"), Bodies { "CCMD;27,0,2;" });
    QCOMPARE(device->jobState(), KvSimDevice::JobState::Idle);
    QTRY_COMPARE(noticeBodies(notices), (Bodies { "CCMD;66,2,job1.plt,1,0,0,100.0,300,33333;",
                                                  "CCMD;66,3,job1.plt,1,0,0,100.0,300,33333;",
                                                  "CCMD;66,0,job1.plt,1,0,0,100.0,300,33333;" }));
    notices.clear();
    handle("PPLT;" + plot100mm);
    device->stopFromPanel();
    QTRY_COMPARE(notices.size(), 3);
    QCOMPARE(noticeBodies(notices).last(), QByteArray("CCMD;1001,0;"));
    device->stopFromPanel(); // nothing to stop
    QCoreApplication::processEvents();
    QCOMPARE(notices.size(), 3);
}

void TestSimulator::cuttingTimeFollowsSpeed()
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
    QCOMPARE(noticeBodies(notices).first(), QByteArray("CCMD;66,2,job1.plt,1,0,0,100.0,200,50;"));
}

void TestSimulator::busyPlotterIgnoresAPlot()
{
    QSignalSpy started(simulator->device(), &KvSimDevice::jobStarted);
    handle("PPLT;" + plot100mm);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("busy cutting")));
    handle("PPLT;PU0,0;");
    QCOMPARE(started.size(), 1);
}

void TestSimulator::idleClientClosedOnlyWhenNotCutting()
{
    simulator->setIdleTimeout(200);
    simulator->device()->setTimeScale(2); // two thirds of a second of cutting
    QTcpSocket *socket = connectClient();
    QVERIFY(socket);
    QSignalSpy ended(simulator->device(), &KvSimDevice::jobEnded);
    QSignalSpy closed(socket, &QTcpSocket::disconnected);
    socket->write(KVFrameStream::pack("PPLT;" + plot100mm));
    QVERIFY(ended.wait(5000));
    QCOMPARE(closed.size(), 0); // silent while the plotter cuts, yet not idle
    QVERIFY(closed.wait(2000));
}

void TestSimulator::plotBeyondAConnectionsShareIsCut()
{
    QTcpSocket *socket = connectClient();
    QVERIFY(socket);
    QSignalSpy started(simulator->device(), &KvSimDevice::jobStarted);
    const QByteArray moves = QByteArray("PD40,0;PU0,0;").repeated(1000000); // 13 MB, 2 km of path
    socket->write(KVFrameStream::pack("PPLT;" + moves));
    QVERIFY(started.wait(20000));
    QCOMPARE(started.at(0).at(2).toDouble(), 2000000.0);
    QCOMPARE(socket->state(), QAbstractSocket::ConnectedState);
}

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
