// The connection manager: where the device is, connecting over TCP and USB, and what the host
// sees of the link ("STATUS", "CONNECT_MODE", DevStatus messages, the heartbeat timer).

#include "linksupport.h"
#include "simpty.h"
#include "usboperate.h"

#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class TestLinkState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    // Records and dispatch of reports.
    void addressRecords_data();
    void addressRecords();
    void replacedAddressRecordIsDeleted();
    void usbStatusReports_data();
    void usbStatusReports();
    void tcpStateReports_data();
    void tcpStateReports();
    void connectDeviceChoosesTransport_data();
    void connectDeviceChoosesTransport();

    // Happy paths over real lines.
    void tcpConnects();
    void tcpReconnectsOnTheSameSocket();
    void tcpPortUsesItsLow16Bits();
    void usbConnectsAndReconnects();

    // Rainy paths.
    void tcpRefused();
    void tcpServerLoss();
    void tcpReconnectAfterLinkDeclaredLost();
    void usbMissingDevice();
    void usbHangUp();

private:
    struct Report
    {
        QString text;
        int statusAtMessage;
    };
    void waitForMessages(int count);
    QStringList texts() const;

    std::unique_ptr<ProbeDevice> device;
    QList<Report> reports;
};

void TestLinkState::init()
{
    device = std::make_unique<ProbeDevice>();
    device->addLinkRecords();
    reports.clear();
    connect(device.get(), &KVDeviceInterface::message, this,
            [this](KVDeviceInterface::KVDeviceMessage type, const QString &text) {
                QCOMPARE(type, KVDeviceInterface::DevStatus);
                reports.append({ text, device->status() });
            });
}

void TestLinkState::cleanup()
{
    device.reset();
}

void TestLinkState::waitForMessages(int count)
{
    QTRY_COMPARE(reports.size(), count);
}

QStringList TestLinkState::texts() const
{
    QStringList list;
    for (const Report &report : reports)
        list.append(report.text);
    return list;
}

void TestLinkState::addressRecords_data()
{
    QTest::addColumn<bool>("usb");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("label");
    QTest::newRow("USB") << true << QStringLiteral("/dev/ttyACM0") << QStringLiteral("USB 地址");
    QTest::newRow("TCP") << false << QStringLiteral("192.0.2.7") << QStringLiteral("IP 地址");
}

void TestLinkState::addressRecords()
{
    QFETCH(bool, usb);
    QFETCH(QString, address);
    QFETCH(QString, label);
    usb ? device->setUSBPath(address) : device->setIPAddress(address);
    const KVDeviceProperty *record = device->property_ptr(usb ? "USB" : "TCP");
    QVERIFY(record);
    QCOMPARE(record->value(), QVariant(address));
    QCOMPARE(record->label(), label); // no translation installed: the source text
    QCOMPARE(record->cmd_type(), KVDeviceInterface::UnCMD);
    QVERIFY(!device->property_ptr(usb ? "TCP" : "USB"));
}

void TestLinkState::replacedAddressRecordIsDeleted()
{
    device->setIPAddress(QStringLiteral("192.0.2.1"));
    QPointer<KVDeviceProperty> first = device->property_ptr("TCP");
    device->setIPAddress(QStringLiteral("192.0.2.2"));
    QVERIFY(first.isNull());
    QCOMPARE(device->property_ptr("TCP")->value(), QVariant(QStringLiteral("192.0.2.2")));
}

void TestLinkState::usbStatusReports_data()
{
    QTest::addColumn<int>("report");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("timerRuns");
    QTest::newRow("connected") << 1 << 2 << QStringLiteral("USB CONNECTED.") << true;
    QTest::newRow("error") << 2 << 4 << QStringLiteral("USB ERROR.") << false;
    QTest::newRow("disconnected") << 0 << 0 << QStringLiteral("USB DISCONNECTED.") << false;
    QTest::newRow("unknown report") << 7 << 3 << QString() << true;
}

// The status a transport reports becomes "STATUS" before the host hears of it; the heartbeat
// runs only while the link is up. "CONNECT_MODE" follows every report.
void TestLinkState::usbStatusReports()
{
    QFETCH(int, report);
    QFETCH(int, status);
    QFETCH(QString, message);
    QFETCH(bool, timerRuns);
    device->property_ptr("STATUS")->setValue(3);
    device->add("HEARTBEAT", 2, 1010, 1010, 1, KVDeviceInterface::CCMD);
    device->heartbeat_switch(true);

    device->slot_usb_status(report);
    QCOMPARE(device->mode(), QStringLiteral("USB"));
    QCOMPARE(device->status(), status);
    QCOMPARE(texts(), message.isEmpty() ? QStringList() : QStringList { message });
    if (!reports.isEmpty())
        QCOMPARE(reports.first().statusAtMessage, status);
    QCOMPARE(device->timer().isActive(), timerRuns);
    if (timerRuns)
        QCOMPARE(device->timer().interval(), 2000);
}

void TestLinkState::tcpStateReports_data()
{
    QTest::addColumn<QAbstractSocket::SocketState>("state");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("connected") << QAbstractSocket::ConnectedState << 2 << QStringLiteral("TCP CONNECTED.");
    QTest::newRow("unconnected") << QAbstractSocket::UnconnectedState << 0 << QStringLiteral("TCP DISCONNECTED.");
    QTest::newRow("host lookup") << QAbstractSocket::HostLookupState << 3 << QString();
    QTest::newRow("connecting") << QAbstractSocket::ConnectingState << 3 << QString();
    QTest::newRow("closing") << QAbstractSocket::ClosingState << 3 << QString();
}

void TestLinkState::tcpStateReports()
{
    QFETCH(QAbstractSocket::SocketState, state);
    QFETCH(int, status);
    QFETCH(QString, message);
    device->property_ptr("STATUS")->setValue(3);
    device->slot_tcp_socket_state(state);
    QCOMPARE(device->mode(), QStringLiteral("TCP"));
    QCOMPARE(device->status(), status);
    QCOMPARE(texts(), message.isEmpty() ? QStringList() : QStringList { message });
    QVERIFY(!device->timer().isActive()); // no "HEARTBEAT": never started
}

void TestLinkState::connectDeviceChoosesTransport_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("usb");
    QTest::addColumn<bool>("tcp");
    QTest::addColumn<bool>("started");
    QTest::addColumn<QString>("mode");
    QTest::newRow("USB wins over TCP") << 0 << true << true << true << QStringLiteral("USB");
    QTest::newRow("TCP alone") << 0 << false << true << true << QStringLiteral("TCP");
    QTest::newRow("nowhere to connect") << 0 << false << false << false << QString();
    QTest::newRow("already up") << 2 << true << false << false << QString();
    QTest::newRow("after an error") << 4 << true << false << false << QString();
    QTest::newRow("idle is not disconnected") << 1 << false << true << false << QString();
}

void TestLinkState::connectDeviceChoosesTransport()
{
    QFETCH(int, status);
    QFETCH(bool, usb);
    QFETCH(bool, tcp);
    QFETCH(bool, started);
    QFETCH(QString, mode);
    KvSimPty pty;
    QVERIFY(pty.open());
    PeerServer server;
    device->property_ptr("TCP_PORT")->setValue(int(server.serverPort()));
    device->property_ptr("STATUS")->setValue(status);
    if (usb)
        device->setUSBPath(pty.slavePath());
    if (tcp)
        device->setIPAddress(QStringLiteral("127.0.0.1"));

    QCOMPARE(device->connectDevice(), started);
    if (!started) {
        QVERIFY(!device->usb() && !device->socket());
        return;
    }
    QTRY_COMPARE(device->status(), 2);
    QCOMPARE(device->mode(), mode);
    QCOMPARE(device->usb() != nullptr, mode == QLatin1String("USB"));
    QCOMPARE(device->socket() != nullptr, mode == QLatin1String("TCP"));
}

void TestLinkState::tcpConnects()
{
    PeerServer server;
    device->property_ptr("TCP_PORT")->setValue(int(server.serverPort()));
    device->setIPAddress(QStringLiteral("127.0.0.1"));
    QVERIFY(device->connectDevice());
    QCOMPARE(device->status(), 0); // an attempt under way is not a link
    waitForMessages(1);
    QCOMPARE(texts(), QStringList { QStringLiteral("TCP CONNECTED.") });
    QCOMPARE(reports.first().statusAtMessage, 2);
    QCOMPARE(device->mode(), QStringLiteral("TCP"));
    QVERIFY(!device->connectDevice()); // up: refused
}

void TestLinkState::tcpReconnectsOnTheSameSocket()
{
    PeerServer server;
    device->property_ptr("TCP_PORT")->setValue(int(server.serverPort()));
    device->setIPAddress(QStringLiteral("127.0.0.1"));
    QVERIFY(device->connectDevice());
    waitForMessages(1);
    QTcpSocket *socket = device->socket();
    QTRY_VERIFY(server.client);
    server.client->close();
    waitForMessages(2);
    QVERIFY(device->connectDevice());
    waitForMessages(3);
    QCOMPARE(texts(), (QStringList { QStringLiteral("TCP CONNECTED."), QStringLiteral("TCP DISCONNECTED."),
                                     QStringLiteral("TCP CONNECTED.") }));
    QCOMPARE(device->socket(), socket);
}

void TestLinkState::tcpPortUsesItsLow16Bits()
{
    PeerServer server;
    device->property_ptr("TCP_PORT")->setValue(int(server.serverPort()) + 65536);
    device->setIPAddress(QStringLiteral("127.0.0.1"));
    QVERIFY(device->connectDevice());
    waitForMessages(1);
    QCOMPARE(texts(), QStringList { QStringLiteral("TCP CONNECTED.") });
}

void TestLinkState::usbConnectsAndReconnects()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("transport signal not connected")));
    KvSimPty pty;
    QVERIFY(pty.open());
    device->setUSBPath(pty.slavePath());
    QVERIFY(device->connectDevice());
    waitForMessages(1);
    QCOMPARE(reports.first().statusAtMessage, 2);
    QCOMPARE(device->mode(), QStringLiteral("USB"));
    UsbOperate *transport = device->usb();

    device->property_ptr("STATUS")->setValue(0); // as a heartbeat timeout leaves it
    KvSimPty second;
    QVERIFY(second.open());
    device->setUSBPath(second.slavePath());
    QVERIFY(device->connectDevice());
    waitForMessages(3);
    QCOMPARE(texts(), (QStringList { QStringLiteral("USB CONNECTED."), QStringLiteral("USB DISCONNECTED."),
                                     QStringLiteral("USB CONNECTED.") }));
    QCOMPARE(device->usb(), transport);
    QCOMPARE(device->status(), 2);
}

void TestLinkState::tcpRefused()
{
    device->property_ptr("TCP_PORT")->setValue(int(closedPort()));
    device->setIPAddress(QStringLiteral("127.0.0.1"));
    QVERIFY(device->connectDevice());
    waitForMessages(1);
    QCOMPARE(texts(), QStringList { QStringLiteral("TCP DISCONNECTED.") });
    QCOMPARE(device->status(), 0);
    QVERIFY(device->connectDevice()); // disconnected: may try again
}

void TestLinkState::tcpServerLoss()
{
    auto server = std::make_unique<PeerServer>();
    device->property_ptr("TCP_PORT")->setValue(int(server->serverPort()));
    device->setIPAddress(QStringLiteral("127.0.0.1"));
    QVERIFY(device->connectDevice());
    waitForMessages(1);
    QTRY_VERIFY(server->client);
    server.reset(); // the device's end goes away
    waitForMessages(2);
    QCOMPARE(texts().last(), QStringLiteral("TCP DISCONNECTED."));
    QCOMPARE(reports.last().statusAtMessage, 0);
}

// The heartbeat declares a link lost without closing its socket; connecting again must not be
// swallowed by a socket that is still connected.
void TestLinkState::tcpReconnectAfterLinkDeclaredLost()
{
    PeerServer server;
    QSignalSpy accepted(&server, &QTcpServer::newConnection);
    device->property_ptr("TCP_PORT")->setValue(int(server.serverPort()));
    device->setIPAddress(QStringLiteral("127.0.0.1"));
    QVERIFY(device->connectDevice());
    waitForMessages(1);
    device->property_ptr("STATUS")->setValue(0);

    QVERIFY(device->connectDevice());
    waitForMessages(3);
    QCOMPARE(texts(), (QStringList { QStringLiteral("TCP CONNECTED."), QStringLiteral("TCP DISCONNECTED."),
                                     QStringLiteral("TCP CONNECTED.") }));
    QTRY_COMPARE(accepted.size(), 2);
    QCOMPARE(device->status(), 2);
}

void TestLinkState::usbMissingDevice()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("does not exist")));
    device->setUSBPath(QStringLiteral("/dev/kv-no-such-plotter"));
    QVERIFY(device->connectDevice());
    waitForMessages(1);
    QCOMPARE(texts(), QStringList { QStringLiteral("USB ERROR.") });
    QCOMPARE(device->status(), 4);
    QVERIFY(!device->connectDevice()); // a warning holds until the link is reported down
}

void TestLinkState::usbHangUp()
{
    KvSimPty pty;
    QVERIFY(pty.open());
    device->setUSBPath(pty.slavePath());
    QVERIFY(device->connectDevice());
    waitForMessages(1);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("went away")));
    pty.hangUp();
    waitForMessages(2);
    QCOMPARE(texts().last(), QStringLiteral("USB DISCONNECTED."));
    QCOMPARE(device->status(), 0);
}

QTEST_GUILESS_MAIN(TestLinkState)
#include "tst_linkstate.moc"
