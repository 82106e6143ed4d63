// The device's command channel to the local cloud service over a real WebSocket: its address,
// one channel however often the device registers, answers to new texts only, and a device the
// host deletes from inside the channel's own disconnect. (Errors and drops reaching the host, and
// a device deleted with its channel open: tests/faults.)
#include "cloudsupport.h"

#include <QWebSocketServer>

class tst_Channel : public CloudTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { stopCloud(); }

    void channelAddress();
    void registeringAgainKeepsOneChannel();
    void newTextsAreAnswered_data();
    void newTextsAreAnswered();
    void deviceDeletedOnTheDisconnectMessage();

private:
    void openChannel();

    QStringList states;
};

void tst_Channel::init()
{
    QVERIFY(startCloud());
    states.clear();
    connect(device.get(), &KVDeviceInterface::message, this, [this](KVDeviceInterface::KVDeviceMessage type, const QString &text) {
        if (type == KVDeviceInterface::DevStatus)
            states.append(text);
    });
}

void tst_Channel::openChannel()
{
    QSignalSpy opened(service.get(), &KvCloudService::channelOpened);
    device->setPivenaCloud(client.get(), DeviceCode);
    QVERIFY(opened.wait());
    QCOMPARE(opened.first().first().toString(), DeviceCode);
    QTRY_VERIFY(states.contains(QStringLiteral("WEB SOCKET CONNECTED.")));
}

// The service's base address, the device code and "/Device/", joined as they are.
void tst_Channel::channelAddress()
{
    QWebSocketServer probe(QStringLiteral("probe"), QWebSocketServer::NonSecureMode);
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    QSignalSpy connected(&probe, &QWebSocketServer::newConnection);
    client->setWs(QStringLiteral("ws://127.0.0.1:%1/cloud").arg(probe.serverPort()));
    device->setPivenaCloud(client.get(), DeviceCode);
    QVERIFY(connected.wait());
    std::unique_ptr<QWebSocket> channel(probe.nextPendingConnection());
    QCOMPARE(channel->requestUrl().path(), QStringLiteral("/cloudSIM0a1z0001/Device/"));
}

void tst_Channel::registeringAgainKeepsOneChannel()
{
    openChannel();
    states.clear();
    openChannel();
    QCOMPARE(service->openChannels(), QStringList{DeviceCode});
    QCOMPARE(states.count(QStringLiteral("WEB SOCKET CONNECTED.")), 1);
}

void tst_Channel::newTextsAreAnswered_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("answers");
    QTest::newRow("A A B A") << QStringList{"A", "A", "B", "A"} << 3;
    QTest::newRow("A A A") << QStringList{"A", "A", "A"} << 1;
    QTest::newRow("B B A A B") << QStringList{"B", "B", "A", "A", "B"} << 3;
}

void tst_Channel::newTextsAreAnswered()
{
    QFETCH(QStringList, texts);
    QFETCH(int, answers);
    openChannel();
    for (const QString &text : std::as_const(texts))
        QVERIFY(service->sendText(DeviceCode, text));
    // A last, different request after a change of the task: its answer comes after all others.
    QJsonObject task = device->taskRecord();
    task.insert(QStringLiteral("Percent"), 42);
    device->set("TASK", task);
    QVERIFY(service->sendText(DeviceCode, QStringLiteral("last")));
    QTRY_VERIFY(service->channelMessages(DeviceCode).value(answers).contains(QLatin1String("\"Percent\":42")));
    QCOMPARE(service->channelMessages(DeviceCode).size(), answers + 1);
}

void tst_Channel::deviceDeletedOnTheDisconnectMessage()
{
    openChannel();
    connect(device.get(), &KVDeviceInterface::message, this, [this](KVDeviceInterface::KVDeviceMessage, const QString &text) {
        if (text == QLatin1String("WEB SOCKET DISCONNECTED."))
            device.reset(); // from inside the socket's own signal
    });
    service->closeChannels();
    QTRY_VERIFY(!device);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the released socket goes
}

QTEST_MAIN(tst_Channel)
#include "tst_channel.moc"
