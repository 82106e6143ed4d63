// The device's command channel to the local cloud service over a real WebSocket: its address,
// the state messages for the host, answers to new texts only, and a device that goes away.
#include "cloudsupport.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QWebSocketServer>

#include <memory>

class tst_Channel : public CloudTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void channelAddress_data();
    void channelAddress();
    void channelStateReachesTheHost();
    void newTextsAreAnswered_data();
    void newTextsAreAnswered();
    void registeringAgainConnectsOnce();

    void unreachableChannelReportsAnError();
    void deviceDeletedWithAnOpenChannel();
    void deviceDeletedByTheHostWhenTheChannelDrops();

private:
    void openChannel();

    QStringList states;
};

void tst_Channel::init()
{
    QVERIFY(startCloud());
    states.clear();
    connect(device.get(), &KVDeviceInterface::message, this,
            [this](KVDeviceInterface::KVDeviceMessage type, const QString &text) {
                if (type == KVDeviceInterface::DevStatus)
                    states.append(text);
            });
}

void tst_Channel::cleanup()
{
    stopCloud();
}

void tst_Channel::openChannel()
{
    QSignalSpy opened(service.get(), &KvCloudService::channelOpened);
    device->setPivenaCloud(client.get(), DeviceCode);
    QVERIFY(opened.wait());
    QCOMPARE(opened.first().first().toString(), DeviceCode);
    QTRY_VERIFY(states.contains(QStringLiteral("WEB SOCKET CONNECTED.")));
}

void tst_Channel::channelAddress_data()
{
    QTest::addColumn<QString>("basePath");
    QTest::addColumn<QString>("channelPath");

    QTest::newRow("base ends with /") << "/" << "/SIM0a1z0001/Device/";
    QTest::newRow("base with a folder") << "/cloud/" << "/cloud/SIM0a1z0001/Device/";
    QTest::newRow("joined as given") << "/cloud" << "/cloudSIM0a1z0001/Device/";
}

void tst_Channel::channelAddress()
{
    QFETCH(QString, basePath);
    QFETCH(QString, channelPath);

    QWebSocketServer probe(QStringLiteral("probe"), QWebSocketServer::NonSecureMode);
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    QSignalSpy connected(&probe, &QWebSocketServer::newConnection);
    client->setWs(QStringLiteral("ws://127.0.0.1:%1%2").arg(probe.serverPort()).arg(basePath));
    device->setPivenaCloud(client.get(), DeviceCode);
    QVERIFY(connected.wait());
    std::unique_ptr<QWebSocket> channel(probe.nextPendingConnection());
    QCOMPARE(channel->requestUrl().path(), channelPath);
}

void tst_Channel::channelStateReachesTheHost()
{
    openChannel();
    service->closeChannels();
    QTRY_VERIFY(states.contains(QStringLiteral("WEB SOCKET DISCONNECTED.")));
    QCOMPARE(states, (QStringList{QStringLiteral("WEB SOCKET CONNECTED."), QStringLiteral("WEB SOCKET DISCONNECTED.")}));
}

void tst_Channel::newTextsAreAnswered_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("answers");

    QTest::newRow("A A B A") << QStringList{"A", "A", "B", "A"} << 3;
    QTest::newRow("A B A") << QStringList{"A", "B", "A"} << 3;
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
    QJsonObject task = device->property_ptr("TASK")->value().toJsonObject();
    task.insert(QStringLiteral("Percent"), 42);
    device->set("TASK", task);
    QVERIFY(service->sendText(DeviceCode, QStringLiteral("last")));
    QTRY_VERIFY(service->channelMessages(DeviceCode).value(answers).contains(QLatin1String("\"Percent\":42")));
    QCOMPARE(service->channelMessages(DeviceCode).size(), answers + 1);
}

void tst_Channel::registeringAgainConnectsOnce()
{
    openChannel();
    states.clear();
    QSignalSpy opened(service.get(), &KvCloudService::channelOpened);
    device->setPivenaCloud(client.get(), DeviceCode);
    QVERIFY(opened.wait());
    QTRY_VERIFY(states.contains(QStringLiteral("WEB SOCKET CONNECTED.")));
    QCOMPARE(states.count(QStringLiteral("WEB SOCKET CONNECTED.")), 1);
    QCOMPARE(service->openChannels(), QStringList{DeviceCode});
}

void tst_Channel::unreachableChannelReportsAnError()
{
    client->setWs(QStringLiteral("ws://127.0.0.1:%1/").arg(closedPort()));
    device->setPivenaCloud(client.get(), DeviceCode);
    QTRY_VERIFY(states.contains(QStringLiteral("WEB SOCKET ERROR.")));
    QVERIFY(!states.contains(QStringLiteral("WEB SOCKET CONNECTED.")));
}

void tst_Channel::deviceDeletedWithAnOpenChannel()
{
    openChannel();
    QSignalSpy closed(service.get(), &KvCloudService::channelClosed);
    device.reset();
    QVERIFY(closed.wait());
    QVERIFY(service->openChannels().isEmpty());
}

void tst_Channel::deviceDeletedByTheHostWhenTheChannelDrops()
{
    openChannel();
    bool deleted = false;
    connect(device.get(), &KVDeviceInterface::message, this,
            [this, &deleted](KVDeviceInterface::KVDeviceMessage, const QString &text) {
                if (text == QLatin1String("WEB SOCKET DISCONNECTED.")) {
                    device.reset(); // from inside the socket's own signal
                    deleted = true;
                }
            });
    service->closeChannels();
    QTRY_VERIFY(deleted);
    QTest::qWait(50); // the released socket goes with the next turn of the event loop
}

QTEST_MAIN(tst_Channel)
#include "tst_channel.moc"
