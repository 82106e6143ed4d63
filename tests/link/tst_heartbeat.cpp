// Heartbeat and link supervision against the simulated "261" plotter. Silence is simulated by
// ageing "LAST_TIME", not by waiting thirty seconds.

#include "linksupport.h"
#include "simulator.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

const QString timeoutText = QStringLiteral("HEARTBEAT TIMEOUT 30S.");

bool isHeartbeat(const QList<QVariant> &signal)
{
    return signal.at(0).toByteArray().contains(";CCMD;1010;");
}

} // namespace

class TestHeartbeat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    // Happy paths.
    void answeredHeartbeatsKeepTheLinkUp();
    void replyChangesThePeriodAtTheNextStart();
    void modelCatalogueHasNoHeartbeat();

    // Supervision.
    void ageDecidesTimeout_data();
    void ageDecidesTimeout();
    void periodIsBounded_data();
    void periodIsBounded();

    // Rainy paths.
    void silentDeviceTimesOut();
    void switchedOnWhileDisconnected();

private:
    void connectToSimulator();
    int timeouts() const;

    std::unique_ptr<KvSimulator> simulator;
    std::unique_ptr<ProbeDevice> device;
    std::unique_ptr<QSignalSpy> messages;
    std::unique_ptr<QSignalSpy> received;
};

void TestHeartbeat::init()
{
    simulator = std::make_unique<KvSimulator>(261);
    QVERIFY(simulator->listenTcp(0));
    received = std::make_unique<QSignalSpy>(simulator.get(), &KvSimulator::frameReceived);
    device = std::make_unique<ProbeDevice>();
    device->dispatch = true;
    device->init261(device.get());
    device->property_ptr("TCP_PORT")->setValue(int(simulator->tcpPort()));
    device->property_ptr("HEARTBEAT")->setValue(1); // one second keeps the tests short
    messages = std::make_unique<QSignalSpy>(device.get(), &KVDeviceInterface::message);
}

void TestHeartbeat::cleanup()
{
    messages.reset();
    device.reset();
    received.reset();
    simulator.reset();
}

void TestHeartbeat::connectToSimulator()
{
    device->setIPAddress(QStringLiteral("127.0.0.1"));
    QVERIFY(device->connectDevice());
    QTRY_COMPARE(device->status(), 2);
}

int TestHeartbeat::timeouts() const
{
    int count = 0;
    for (const QList<QVariant> &signal : std::as_const(*messages))
        count += signal.at(1).toString() == timeoutText;
    return count;
}

void TestHeartbeat::answeredHeartbeatsKeepTheLinkUp()
{
    connectToSimulator();
    QVERIFY(device->timer().isActive());
    QCOMPARE(device->timer().interval(), 1000);
    const QDateTime connected = QDateTime::currentDateTime();
    device->property_ptr("LAST_TIME")->setValue(connected.addSecs(-25));

    QTRY_COMPARE_WITH_TIMEOUT(received->size(), 2, 5000);
    QVERIFY(isHeartbeat(received->at(0)) && isHeartbeat(received->at(1)));
    QTRY_VERIFY(device->property_ptr("LAST_TIME")->value().toDateTime() >= connected);
    QCOMPARE(timeouts(), 0);
    QCOMPARE(device->status(), 2);
}

void TestHeartbeat::replyChangesThePeriodAtTheNextStart()
{
    simulator->device()->parameters().setValue(QStringLiteral("HEARTBEAT"), { QStringLiteral("3") });
    connectToSimulator();
    QTRY_COMPARE_WITH_TIMEOUT(device->property_ptr("HEARTBEAT")->value().toInt(), 3, 5000);
    QCOMPARE(device->timer().interval(), 1000);
    device->heartbeat_switch(true);
    QCOMPARE(device->timer().interval(), 3000);
    device->heartbeat_switch(false);
    QVERIFY(!device->timer().isActive());
}

void TestHeartbeat::modelCatalogueHasNoHeartbeat()
{
    KvSimulator model(583);
    QVERIFY(model.listenTcp(0));
    ProbeDevice modelDevice;
    modelDevice.init583(&modelDevice);
    modelDevice.property_ptr("TCP_PORT")->setValue(int(model.tcpPort()));
    modelDevice.setIPAddress(QStringLiteral("127.0.0.1"));
    QVERIFY(modelDevice.connectDevice());
    QTRY_COMPARE(modelDevice.status(), 2);
    QVERIFY(!modelDevice.timer().isActive());
    modelDevice.heartbeat_switch(true);
    QVERIFY(!modelDevice.timer().isActive());
}

void TestHeartbeat::ageDecidesTimeout_data()
{
    QTest::addColumn<int>("age");
    QTest::addColumn<bool>("timeout");
    QTest::newRow("just heard") << 0 << false;
    QTest::newRow("exactly 30 s") << 30 << false;
    QTest::newRow("31 s") << 31 << true;
    QTest::newRow("an hour") << 3600 << true;
    QTest::newRow("clock set back") << -100 << false;
}

void TestHeartbeat::ageDecidesTimeout()
{
    QFETCH(int, age);
    QFETCH(bool, timeout);
    device->property_ptr("STATUS")->setValue(2);
    device->property_ptr("CONNECT_MODE")->setValue(QStringLiteral("TCP"));
    device->property_ptr("LAST_TIME")->setValue(QDateTime::currentDateTime().addSecs(-age));
    if (!timeout) // the heartbeat goes out, but there is no connection
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no open TCP connection")));
    device->slot_device_timer();
    QCOMPARE(timeouts(), timeout ? 1 : 0);
    QCOMPARE(device->status(), timeout ? 0 : 2);
}

void TestHeartbeat::periodIsBounded_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("interval");
    QTest::newRow("zero would fire back to back") << 0 << 1000;
    QTest::newRow("catalogue default") << 2 << 2000;
    QTest::newRow("the supervision window") << 30 << 30000;
    QTest::newRow("beyond the window") << 100 << 30000;
}

void TestHeartbeat::periodIsBounded()
{
    QFETCH(int, seconds);
    QFETCH(int, interval);
    device->property_ptr("HEARTBEAT")->setValue(seconds);
    if (interval != seconds * 1000)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("outside 1 to 30 s")));
    device->heartbeat_switch(true);
    QCOMPARE(device->timer().interval(), interval);
}

void TestHeartbeat::silentDeviceTimesOut()
{
    simulator->faults().silentAfter = 0;
    connectToSimulator();
    device->property_ptr("LAST_TIME")->setValue(QDateTime::currentDateTime().addSecs(-31));
    QTRY_COMPARE_WITH_TIMEOUT(timeouts(), 1, 3000);
    QCOMPARE(device->status(), 0);
    const qsizetype heartbeatsBefore = received->size();
    QTRY_COMPARE_WITH_TIMEOUT(timeouts(), 2, 3000); // reported on every tick ...
    QCOMPARE(received->size(), heartbeatsBefore);   // ... and no heartbeat leaves in between
    QVERIFY(device->timer().isActive());
    QVERIFY(device->connectDevice()); // the host may connect again
}

void TestHeartbeat::switchedOnWhileDisconnected()
{
    device->heartbeat_switch(true);
    QVERIFY(device->timer().isActive());
    device->property_ptr("LAST_TIME")->setValue(QDateTime::currentDateTime().addSecs(-60));
    QTRY_COMPARE_WITH_TIMEOUT(timeouts(), 1, 3000);
    QCOMPARE(received->size(), 0);
}

QTEST_GUILESS_MAIN(TestHeartbeat)
#include "tst_heartbeat.moc"
