// The device object against a misbehaving plotter and line: what the host sees, and that nothing
// is lost — the task record, finished copies and values stay consistent, the device object keeps
// working, and a later reconnect works.
#include "simulator.h"
#include "testdevice.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QTcpSocket>

namespace {
const char *const ReadKeys[] = {"SPEED", "PRESSURE", "FIRMWARE", "DEVICE_ID", "PCB_ID", "PCB_VERSION",
                                "WORK_MODE", "TASK_MODE", "TASK_COPIES", "CAMERA_OFFSET"};

QVariant shown(KVDeviceProperty *record)
{
    const QVariant value = record->value();
    if (value.typeId() != QMetaType::QStringList)
        return value;
    QStringList members;
    for (const QString &member : value.toStringList())
        members << record->property_ptr(member.toLatin1().constData())->value().toString();
    return members;
}

// What every readable record holds after a read on a clean line.
const QMap<QByteArray, QVariant> &cleanValues()
{
    static QMap<QByteArray, QVariant> values;
    if (!values.isEmpty())
        return values;
    KvSimulator simulator(583);
    HostDevice host(583);
    if (!simulator.listenTcp(0) || !host.connectTcp(simulator.tcpPort()))
        return values;
    for (const char *key : ReadKeys) {
        host.exchange(key);
        values.insert(key, shown(host.record(key)));
    }
    return values;
}

// A plot of about `bytes` characters, made of whole commands.
QString plotOf(qsizetype bytes)
{
    QString piece;
    for (int i = 0; piece.size() < qMin<qsizetype>(bytes, 64 * 1024); ++i)
        piece += QStringLiteral("PD%1,%2;").arg(i % 4000).arg(i % 3000);
    return QStringLiteral("IN;") + piece.repeated((bytes + piece.size() - 1) / piece.size());
}
} // namespace

class tst_LinkFaults : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void readsSurviveALineThatMisbehaves_data();
    void readsSurviveALineThatMisbehaves();
    void silentDeviceTimesOutAndReconnects();
    void stopDuringUploadFollowsThePlot();
    void linkDroppedMidJobThenReconnected_data();
    void linkDroppedMidJobThenReconnected();
    void lineLostAndReconnected_data();
    void lineLostAndReconnected();
    void unusualPlots_data();
    void unusualPlots();

private:
    std::unique_ptr<KvSimulator> simulator;
};

void tst_LinkFaults::init()
{
    simulator = std::make_unique<KvSimulator>(583);
    simulator->device()->setTimeScale(0.01);
    QVERIFY(simulator->listenTcp(0));
}

void tst_LinkFaults::cleanup()
{
    simulator.reset();
}

void tst_LinkFaults::readsSurviveALineThatMisbehaves_data()
{
    QTest::addColumn<int>("noiseBytes");
    QTest::addColumn<int>("chunkBytes");
    QTest::addColumn<int>("dropEvery");
    QTest::newRow("noise between frames") << 7 << 0 << 0;
    QTest::newRow("noise in one-byte chunks") << 5 << 1 << 0;
    QTest::newRow("three-byte chunks") << 0 << 3 << 0;
    QTest::newRow("every third reply dropped") << 0 << 0 << 3;
}

// Every read shows what it shows on a clean line; a dropped reply costs only its own request.
void tst_LinkFaults::readsSurviveALineThatMisbehaves()
{
    QFETCH(int, noiseBytes);
    QFETCH(int, chunkBytes);
    QFETCH(int, dropEvery);
    const QMap<QByteArray, QVariant> expected = cleanValues();
    QCOMPARE(expected.size(), int(std::size(ReadKeys)));

    simulator->faults().noiseBytes = noiseBytes;
    simulator->faults().chunkBytes = chunkBytes;
    simulator->faults().chunkPauseMs = 0;
    simulator->faults().dropEvery = dropEvery;
    HostDevice host(583);
    QVERIFY(host.connectTcp(simulator->tcpPort()));
    int dropped = 0;
    for (const char *key : ReadKeys) {
        int result = host.exchange(key, false, dropEvery ? 200 : 2000);
        if (result != 0 && dropEvery) {
            ++dropped;
            result = host.exchange(key);
        }
        QCOMPARE(result, 0);
        QCOMPARE(shown(host.record(key)), expected.value(key));
    }
    QCOMPARE(dropped > 0, dropEvery > 0);
    QCOMPARE(host.status(), 2);
}

void tst_LinkFaults::silentDeviceTimesOutAndReconnects()
{
    KvSimulator plotter(261);
    QVERIFY(plotter.listenTcp(0));
    plotter.faults().silentAfter = 0;
    HostDevice host(261);
    QVERIFY(host.connectTcp(plotter.tcpPort()));
    QCOMPARE(host.exchange("PU_SPEED", false, 300), -1);

    // Nothing heard for more than 30 s: the next heartbeat tick declares the link lost.
    host.record("LAST_TIME")->setValue(QDateTime::currentDateTime().addSecs(-31));
    QVERIFY(QMetaObject::invokeMethod(host.device.get(), "slot_device_timer"));
    QCOMPARE(host.status(), 0);
    QVERIFY(host.sawMessage(QStringLiteral("HEARTBEAT TIMEOUT 30S.")));

    plotter.faults().silentAfter = -1;
    QVERIFY(host.device->connectDevice());
    QVERIFY(host.waitForStatus(2));
    QCOMPARE(host.exchange("PU_SPEED"), 0);
    QCOMPARE(host.exchange("HEARTBEAT"), 0);
}

// A stop sent while a large plot goes out reaches the plotter whole, right after the frames sent
// before it, and stops the job the plot frame started.
void tst_LinkFaults::stopDuringUploadFollowsThePlot()
{
    simulator->device()->setTimeScale(1);
    HostDevice host(583);
    QVERIFY(host.connectTcp(simulator->tcpPort()));
    QSignalSpy frames(simulator.get(), &KvSimulator::frameReceived);
    QSignalSpy ended(simulator->device(), &KvSimDevice::jobEnded);
    QSignalSpy written(host.device->findChild<QTcpSocket *>(), &QIODevice::bytesWritten);
    host.device->setPlt(plotOf(20 * 1000 * 1000));
    host.device->startTask();
    QTRY_VERIFY(written.count() >= 3); // the plot frame is on its way
    const QList<QByteArray> sent{host.record("SET_MARK")->set_cmd_bytes(), host.record("TASK_PPLT")->set_cmd_bytes(),
                                 host.record("DEVICE_STATUS")->get_cmd_bytes(), host.record("TASK_STOP")->set_cmd_bytes()};
    host.device->sendCMD(sent.last());
    QVERIFY(ended.wait(60000));
    QCOMPARE(ended.first().first().toBool(), false);
    QCOMPARE(frames.count(), sent.size());
    for (int i = 0; i < sent.size(); ++i)
        QVERIFY2(frames.at(i).first().toByteArray() == sent.at(i), qPrintable(QString::number(i)));
}

void tst_LinkFaults::linkDroppedMidJobThenReconnected_data()
{
    QTest::addColumn<qsizetype>("plotBytes");
    QTest::addColumn<bool>("duringUpload");
    QTest::addColumn<int>("jobsStarted");
    QTest::addColumn<int>("copiesReported");
    QTest::newRow("while cutting") << qsizetype(2000) << false << 1 << 2;
    QTest::newRow("while the plot goes out") << qsizetype(50 * 1000 * 1000) << true << 0 << 0;
}

void tst_LinkFaults::linkDroppedMidJobThenReconnected()
{
    QFETCH(qsizetype, plotBytes);
    QFETCH(bool, duringUpload);
    QFETCH(int, jobsStarted);
    QFETCH(int, copiesReported);
    simulator->device()->setTimeScale(0.2);
    simulator->faults().dropMidJob = !duringUpload;
    HostDevice host(583);
    QVERIFY(host.connectTcp(simulator->tcpPort()));
    host.record("TASK_COPIES")->setValue(2);
    QCOMPARE(host.exchange("TASK_COPIES", true), 0);
    QSignalSpy started(simulator->device(), &KvSimDevice::jobStarted);
    auto *socket = host.device->findChild<QTcpSocket *>();
    QSignalSpy written(socket, &QIODevice::bytesWritten);
    host.device->setPlt(plotOf(plotBytes));
    host.device->startTask();
    if (duringUpload) {
        QTRY_VERIFY(written.count() >= 3); // the plot frame is on its way
        simulator->dropConnections();
    }

    QVERIFY(host.waitForStatus(0, 10000));
    QVERIFY(host.sawMessage(QStringLiteral("TCP DISCONNECTED.")));
    QCOMPARE(started.count(), jobsStarted);
    QCOMPARE(host.task().value(QLatin1String("Finished")).toInt(), 0);
    QCOMPARE(host.task().value(QLatin1String("TaskCopies")).toInt(), copiesReported);

    // The host stops what it could not finish and cuts again on a new connection, where nothing
    // of the old job goes before the first read.
    host.device->stopTask();
    simulator->faults().dropMidJob = false;
    QVERIFY(host.device->connectDevice());
    QVERIFY(host.waitForStatus(2));
    written.clear();
    QCOMPARE(host.exchange("FIRMWARE"), 0);
    QCOMPARE(written.count(), 1);
    QCOMPARE(written.first().first().toLongLong(), host.record("FIRMWARE")->get_cmd_bytes().size());
    host.device->setPlt(plotOf(2000));
    host.device->startTask();
    QTRY_VERIFY_WITH_TIMEOUT(host.task().value(QLatin1String("Finished")).toInt() == 2
                                 && host.task().value(QLatin1String("Status")).toInt() == 0, 20000);
}

void tst_LinkFaults::lineLostAndReconnected_data()
{
    QTest::addColumn<bool>("usb");
    QTest::newRow("simulator killed and restarted on its port") << false;
    QTest::newRow("pseudo-terminal unplugged, back on a new path") << true;
}

// Frames sent while the line is down are dropped; the next connect works.
void tst_LinkFaults::lineLostAndReconnected()
{
    QFETCH(bool, usb);
    HostDevice host(583);
    const quint16 port = simulator->tcpPort();
    QVERIFY(!usb || simulator->openPty());
    QVERIFY(usb ? host.connectUsb(simulator->ptyPath()) : host.connectTcp(port));
    QCOMPARE(host.exchange("PCB_ID"), 0);
    QSignalSpy replugged(simulator.get(), &KvSimulator::ptyPathChanged);
    usb ? simulator->dropConnections() : simulator.reset();
    QVERIFY(host.waitForStatus(0));
    QVERIFY(host.sawMessage(usb ? QStringLiteral("USB DISCONNECTED.") : QStringLiteral("TCP DISCONNECTED.")));
    QCOMPARE(host.exchange("FIRMWARE", false, 200), -1);

    if (usb) {
        QVERIFY(replugged.count() == 1 || replugged.wait());
    } else {
        simulator = std::make_unique<KvSimulator>(583);
        QVERIFY(simulator->listenTcp(port));
    }
    QVERIFY(usb ? host.connectUsb(simulator->ptyPath()) : host.connectTcp(port));
    QCOMPARE(host.exchange("PCB_ID"), 0);
    QCOMPARE(host.record("PCB_ID")->value().toString(), QStringLiteral("PCB583-0001"));
}

void tst_LinkFaults::unusualPlots_data()
{
    QTest::addColumn<QString>("plot");
    QTest::addColumn<bool>("cuts");
    QString binary;
    auto *random = QRandomGenerator::global();
    for (int i = 0; i < 4096; ++i)
        binary += QChar(char16_t(0x04 + random->bounded(0xFFF0))); // never 0x02 or 0x03
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("binary") << binary << true;
    QTest::newRow("frame bytes") << QStringLiteral("IN;PU0,0;\x02PD10,10;\x03") << false;
    QTest::newRow("large (20 MB)") << plotOf(20 * 1000 * 1000) << true;
}

void tst_LinkFaults::unusualPlots()
{
    QFETCH(QString, plot);
    QFETCH(bool, cuts);
    simulator->device()->setTimeScale(0);
    HostDevice host(583);
    QVERIFY(host.connectTcp(simulator->tcpPort()));
    QSignalSpy ended(simulator->device(), &KvSimDevice::jobEnded);
    host.device->setPlt(plot);
    host.device->startTask();
    if (cuts) {
        QVERIFY(ended.wait(60000));
        QTRY_COMPARE(host.task().value(QLatin1String("Status")).toInt(), 0);
        QCOMPARE(host.task().value(QLatin1String("Finished")).toInt(), 1);
    } else {
        // No frame can carry it: nothing reaches the plotter, and the device goes on working.
        QVERIFY(!ended.wait(300));
        QCOMPARE(simulator->device()->jobState(), KvSimDevice::JobState::Idle);
    }
    QCOMPARE(host.exchange("FIRMWARE"), 0);
    QCOMPARE(host.status(), 2);
}

QTEST_GUILESS_MAIN(tst_LinkFaults)
#include "tst_linkfaults.moc"
