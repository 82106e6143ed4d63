// The connection manager: where the device is, connecting over TCP and USB, and what the host
// sees of the link ("STATUS", "CONNECT_MODE", DevStatus messages, the heartbeat timer).

#include "testdevice.h"
#include "simpty.h"
#include "usboperate.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {
// What happens to the line after the first connect.
enum class Event { Nothing, PeerCloses, DeclaredLost, HangUp };
} // namespace
Q_DECLARE_METATYPE(Event)

class TestLinkState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void addressRecords_data();
    void addressRecords();
    void transportReports_data();
    void transportReports();
    void connectDeviceChoosesTransport_data();
    void connectDeviceChoosesTransport();
    void linkEvents_data();
    void linkEvents();

private:
    std::unique_ptr<ProbeDevice> device;
    QStringList texts;
    QList<int> statusAtMessage;
};

void TestLinkState::init()
{
    device = std::make_unique<ProbeDevice>();
    device->addLinkRecords();
    texts.clear();
    statusAtMessage.clear();
    connect(device.get(), &KVDeviceInterface::message, this,
            [this](KVDeviceInterface::KVDeviceMessage type, const QString &text) {
                QCOMPARE(type, KVDeviceInterface::DevStatus);
                texts.append(text);
                statusAtMessage.append(device->status());
            });
}

void TestLinkState::cleanup()
{
    device.reset();
}

void TestLinkState::addressRecords_data()
{
    QTest::addColumn<bool>("usb");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("label");
    QTest::newRow("USB") << true << QStringLiteral("/dev/ttyACM0") << QStringLiteral("USB 地址");
    QTest::newRow("TCP") << false << QStringLiteral("192.0.2.7") << QStringLiteral("IP 地址");
}

// Setting an address again replaces the record and deletes the one it replaces.
void TestLinkState::addressRecords()
{
    QFETCH(bool, usb);
    QFETCH(QString, address);
    QFETCH(QString, label);
    const auto setAddress = [&](const QString &to) { usb ? device->setUSBPath(to) : device->setIPAddress(to); };
    setAddress(QStringLiteral("first"));
    const QPointer<KVDeviceProperty> first = device->property_ptr(usb ? "USB" : "TCP");
    setAddress(address);
    QVERIFY(first.isNull());
    const KVDeviceProperty *record = device->property_ptr(usb ? "USB" : "TCP");
    QCOMPARE(record->value(), QVariant(address));
    QCOMPARE(record->label(), label); // no translation installed: the source text
    QCOMPARE(record->cmd_type(), KVDeviceInterface::UnCMD);
    QVERIFY(!device->property_ptr(usb ? "TCP" : "USB"));
}

void TestLinkState::transportReports_data()
{
    QTest::addColumn<bool>("usb");
    QTest::addColumn<int>("report");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("timerRuns");
    QTest::newRow("USB connected") << true << 1 << 2 << QStringLiteral("USB CONNECTED.") << true;
    QTest::newRow("USB error") << true << 2 << 4 << QStringLiteral("USB ERROR.") << false;
    QTest::newRow("USB disconnected") << true << 0 << 0 << QStringLiteral("USB DISCONNECTED.") << false;
    QTest::newRow("USB unknown report") << true << 7 << 3 << QString() << true;
    // No "HEARTBEAT" record (as in the model's catalogue): the heartbeat never runs.
    QTest::newRow("TCP connected") << false << int(QAbstractSocket::ConnectedState) << 2 << QStringLiteral("TCP CONNECTED.")
                                   << false;
    QTest::newRow("TCP unconnected") << false << int(QAbstractSocket::UnconnectedState) << 0
                                     << QStringLiteral("TCP DISCONNECTED.") << false;
    for (const auto state : { QAbstractSocket::HostLookupState, QAbstractSocket::ConnectingState, QAbstractSocket::ClosingState })
        QTest::addRow("TCP state %d", int(state)) << false << int(state) << 3 << QString() << false;
}

// The status a transport reports becomes "STATUS" before the host hears of it; the heartbeat
// runs only while the link is up, and only on a device with a "HEARTBEAT" record. "CONNECT_MODE"
// follows every report.
void TestLinkState::transportReports()
{
    QFETCH(bool, usb);
    QFETCH(int, report);
    QFETCH(int, status);
    QFETCH(QString, message);
    QFETCH(bool, timerRuns);
    device->property_ptr("STATUS")->setValue(3);
    if (usb) {
        device->add("HEARTBEAT", 2, 1010, 1010, 1, KVDeviceInterface::CCMD);
        device->heartbeat_switch(true);
    }
    usb ? device->slot_usb_status(report) : device->slot_tcp_socket_state(QAbstractSocket::SocketState(report));
    QCOMPARE(device->mode(), QLatin1String(usb ? "USB" : "TCP"));
    QCOMPARE(device->status(), status);
    QCOMPARE(texts, message.isEmpty() ? QStringList() : QStringList{ message });
    QCOMPARE(statusAtMessage, message.isEmpty() ? QList<int>() : QList<int>{ status });
    QCOMPARE(device->timer().isActive(), timerRuns);
    if (timerRuns)
        QCOMPARE(device->timer().interval(), 2000);
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

void TestLinkState::linkEvents_data()
{
    QTest::addColumn<bool>("usb");
    QTest::addColumn<QString>("address");
    QTest::addColumn<Event>("event");
    QTest::addColumn<QStringList>("messages");
    const QString tcpUp = QStringLiteral("TCP CONNECTED.");
    const QString tcpDown = QStringLiteral("TCP DISCONNECTED.");
    const QString usbUp = QStringLiteral("USB CONNECTED.");
    const QString usbDown = QStringLiteral("USB DISCONNECTED.");
    QTest::newRow("TCP refused") << false << "closed port" << Event::Nothing << QStringList{ tcpDown };
    QTest::newRow("TCP peer closes, reconnect") << false << QString() << Event::PeerCloses
                                                << QStringList{ tcpUp, tcpDown, tcpUp };
    // The heartbeat declares a link lost without closing its socket; connecting again must not
    // be swallowed by a socket that is still connected.
    QTest::newRow("TCP declared lost, reconnect") << false << QString() << Event::DeclaredLost
                                                  << QStringList{ tcpUp, tcpDown, tcpUp };
    QTest::newRow("USB missing device") << true << "/dev/kv-no-such-plotter" << Event::Nothing
                                        << QStringList{ QStringLiteral("USB ERROR.") };
    QTest::newRow("USB declared lost, reconnect elsewhere") << true << QString() << Event::DeclaredLost
                                                            << QStringList{ usbUp, usbDown, usbUp };
    QTest::newRow("USB hang-up") << true << QString() << Event::HangUp << QStringList{ usbUp, usbDown };
}

// Over real lines: the messages in order, "STATUS" already set when each arrives, one transport
// object for the device's life, and connectDevice refused while the link is up or in error.
void TestLinkState::linkEvents()
{
    // The transport's signals reach the device by signature; a failed connection only warns.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("transport signal not connected")));
    QFETCH(bool, usb);
    QFETCH(QString, address);
    QFETCH(Event, event);
    QFETCH(QStringList, messages);
    KvSimPty pty;
    KvSimPty second;
    QVERIFY(pty.open() && second.open());
    PeerServer server;
    QSignalSpy accepted(&server, &QTcpServer::newConnection);
    // Only the low 16 bits of the port count.
    device->property_ptr("TCP_PORT")->setValue(int(address.isEmpty() ? server.serverPort() : closedPort()) + 65536);
    if (address.startsWith(u'/'))
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("does not exist")));
    usb ? device->setUSBPath(address.isEmpty() ? pty.slavePath() : address) : device->setIPAddress(QStringLiteral("127.0.0.1"));
    QVERIFY(device->connectDevice());
    QCOMPARE(device->status(), 0); // an attempt under way is not a link
    QTRY_COMPARE(texts.size(), 1);
    QTcpSocket *const socket = device->socket();
    UsbOperate *const transport = device->usb();

    if (event == Event::PeerCloses) {
        QTRY_VERIFY(server.client);
        server.client->close();
        QTRY_COMPARE(texts.size(), 2);
        QVERIFY(device->connectDevice());
    } else if (event == Event::DeclaredLost) {
        device->property_ptr("STATUS")->setValue(0); // as a heartbeat timeout leaves it
        if (usb)
            device->setUSBPath(second.slavePath());
        QVERIFY(device->connectDevice());
    } else if (event == Event::HangUp) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("went away")));
        pty.hangUp();
    }
    QTRY_COMPARE(texts, messages);
    QList<int> statuses;
    for (const QString &text : messages)
        statuses.append(text.endsWith(QLatin1String(" CONNECTED.")) ? 2 : text.endsWith(QLatin1String("ERROR.")) ? 4 : 0);
    QCOMPARE(statusAtMessage, statuses);
    QCOMPARE(device->status(), statuses.last());
    QCOMPARE(device->mode(), QLatin1String(usb ? "USB" : "TCP"));
    QCOMPARE(device->socket(), socket);
    QCOMPARE(device->usb(), transport);
    if (!usb)
        QTRY_COMPARE(int(accepted.size()), int(messages.count(QStringLiteral("TCP CONNECTED."))));
    QCOMPARE(device->connectDevice(), statuses.last() == 0);
}

QTEST_GUILESS_MAIN(TestLinkState)
#include "tst_linkstate.moc"
