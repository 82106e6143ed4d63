// Heartbeat and link supervision against the simulated "261" plotter. Silence is simulated by
// ageing "LAST_TIME", not by waiting thirty seconds.

#include "testdevice.h"
#include "simulator.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

const QString timeoutText = QStringLiteral("HEARTBEAT TIMEOUT 30S.");

} // namespace

class TestHeartbeat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void answeredHeartbeatsKeepTheLinkUpAcrossReconnects();
    void ageDecidesTimeout_data();
    void ageDecidesTimeout();
    void periodIsBounded_data();
    void periodIsBounded();

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
    simulator->device()->parameters().setValue(QStringLiteral("HEARTBEAT"), { QStringLiteral("1") });
    QVERIFY(simulator->listenTcp(0));
    received = std::make_unique<QSignalSpy>(simulator.get(), &KvSimulator::frameReceived);
    device = std::make_unique<ProbeDevice>();
    device->dispatch = true;
    device->init261(device.get());
    device->property_ptr("TCP_PORT")->setValue(int(simulator->tcpPort()));
    device->property_ptr("HEARTBEAT")->setValue(1); // one second (here and on the plotter) keeps the tests short
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

// The timer starts with the link, its heartbeats are answered and refresh "LAST_TIME" before 30 s
// of silence run out; it stops with the link and starts again with the next one.
void TestHeartbeat::answeredHeartbeatsKeepTheLinkUpAcrossReconnects()
{
    for (int link = 1; link <= 2; ++link) {
        connectToSimulator();
        QVERIFY(device->timer().isActive());
        QCOMPARE(device->timer().interval(), 1000);
        const QDateTime connected = QDateTime::currentDateTime();
        device->property_ptr("LAST_TIME")->setValue(connected.addSecs(-25));
        received->clear();
        QVERIFY(received->wait(3000));
        QVERIFY(received->first().first().toByteArray().contains(";CCMD;1010;"));
        QTRY_VERIFY(device->property_ptr("LAST_TIME")->value().toDateTime() >= connected);
        QCOMPARE(timeouts(), 0);
        simulator->dropConnections();
        QTRY_COMPARE(device->status(), 0);
        QVERIFY(!device->timer().isActive());
    }
}

void TestHeartbeat::ageDecidesTimeout_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("age");
    QTest::addColumn<bool>("timeout");
    QTest::newRow("just heard") << 2 << 0 << false;
    QTest::newRow("exactly 30 s") << 2 << 30 << false;
    QTest::newRow("31 s") << 2 << 31 << true;
    QTest::newRow("an hour") << 2 << 3600 << true;
    QTest::newRow("clock set back") << 2 << -100 << false;
    QTest::newRow("disconnected, a minute") << 0 << 60 << true;
}

// A tick after more than 30 s of silence reports the timeout, on every tick, and sends no
// heartbeat; the host may connect again.
void TestHeartbeat::ageDecidesTimeout()
{
    QFETCH(int, status);
    QFETCH(int, age);
    QFETCH(bool, timeout);
    device->setIPAddress(QStringLiteral("127.0.0.1"));
    device->property_ptr("STATUS")->setValue(status);
    device->property_ptr("CONNECT_MODE")->setValue(QStringLiteral("TCP"));
    device->property_ptr("LAST_TIME")->setValue(QDateTime::currentDateTime().addSecs(-age));
    const QRegularExpression heartbeatSent(QStringLiteral("no open TCP connection"));
    if (timeout)
        QTest::failOnWarning(heartbeatSent);
    for (int tick = 1; tick <= 2; ++tick) {
        if (!timeout) // the heartbeat goes out, but there is no connection
            QTest::ignoreMessage(QtWarningMsg, heartbeatSent);
        QVERIFY(QMetaObject::invokeMethod(device.get(), "slot_device_timer"));
        QCOMPARE(timeouts(), timeout ? tick : 0);
        QCOMPARE(device->status(), timeout ? 0 : status);
    }
    QCOMPARE(device->connectDevice(), timeout);
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

// A new period (set by the host or by the plotter's reply) counts from the next start.
void TestHeartbeat::periodIsBounded()
{
    QFETCH(int, seconds);
    QFETCH(int, interval);
    device->heartbeat_switch(true);
    device->property_ptr("HEARTBEAT")->setValue(seconds);
    QCOMPARE(device->timer().interval(), 1000);
    if (interval != seconds * 1000)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("outside 1 to 30 s")));
    device->heartbeat_switch(true);
    QCOMPARE(device->timer().interval(), interval);
    device->heartbeat_switch(false);
    QVERIFY(!device->timer().isActive());
}

QTEST_GUILESS_MAIN(TestHeartbeat)
#include "tst_heartbeat.moc"
