// The device object with a cloud service that is down, failing, slow or dropping its channel, and
// deleted while a job runs or requests are under way: the job is cut to its end all the same, the
// task record and the values stay right, and the host is told what happened to the channel.
#include "cloudsupport.h"
#include "simulator.h"

#include <QSignalSpy>
#include <QTcpServer>

namespace {
enum class Trouble { None, Down, Fails500, Slow, ChannelClosedMidJob };

bool connectTcp(KVDeviceInterface *device, quint16 port)
{
    device->setIPAddress(QStringLiteral("127.0.0.1"));
    device->property_ptr("TCP_PORT")->setValue(int(port));
    return device->connectDevice()
           && QTest::qWaitFor([device] { return device->property_ptr("STATUS")->value().toInt() == 2; }, 5000);
}

QStringList statusTexts(const QSignalSpy &messages)
{
    QStringList texts;
    for (const QList<QVariant> &message : messages) {
        if (message.at(0).value<KVDeviceInterface::KVDeviceMessage>() == KVDeviceInterface::DevStatus)
            texts << message.at(1).toString();
    }
    return texts;
}
} // namespace

class tst_CloudFaults : public CloudTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void jobWithATroubledCloud_data();
    void jobWithATroubledCloud();
    void deviceDeletedWhileRequestsAreUnderWay();
    void deviceDeletedWhileAJobRunsWithTheCloud();

private:
    std::unique_ptr<KvSimulator> simulator;
};

void tst_CloudFaults::init()
{
    qputenv("KV_CLOUD_RETRY_MS", "200");
    QVERIFY(startCloud());
    simulator = std::make_unique<KvSimulator>(583);
    simulator->device()->setTimeScale(0.05);
    QVERIFY(simulator->listenTcp(0));
}

void tst_CloudFaults::cleanup()
{
    stopCloud();
    simulator.reset();
}

void tst_CloudFaults::jobWithATroubledCloud_data()
{
    QTest::addColumn<Trouble>("trouble");
    QTest::addColumn<QString>("channelNews");
    QTest::addColumn<bool>("workRecordPosted");
    QTest::newRow("healthy") << Trouble::None << "WEB SOCKET CONNECTED." << true;
    QTest::newRow("service down") << Trouble::Down << "WEB SOCKET ERROR." << false;
    QTest::newRow("answering 500") << Trouble::Fails500 << "WEB SOCKET CONNECTED." << false;
    QTest::newRow("answering slowly") << Trouble::Slow << "WEB SOCKET CONNECTED." << true;
    QTest::newRow("channel closed mid-job") << Trouble::ChannelClosedMidJob << "WEB SOCKET DISCONNECTED." << true;
}

void tst_CloudFaults::jobWithATroubledCloud()
{
    QFETCH(Trouble, trouble);
    QFETCH(QString, channelNews);
    QFETCH(bool, workRecordPosted);

    if (trouble == Trouble::Down) {
        const QString address = QStringLiteral("127.0.0.1:%1/").arg(closedPort());
        client = std::make_unique<PivenaCloud>(QStringLiteral("http://") + address, QStringLiteral("ws://") + address);
        client->setTimeout(1000);
    } else if (trouble == Trouble::Fails500) {
        service->setFault({500, 0, false});
    } else if (trouble == Trouble::Slow) {
        service->setFault({0, 800, false});
    }
    QSignalSpy messages(device.get(), &KVDeviceInterface::message);
    QVERIFY(connectTcp(device.get(), simulator->tcpPort()));
    device->setPivenaCloud(client.get(), DeviceCode);
    if (workRecordPosted)
        QTRY_VERIFY_WITH_TIMEOUT(device->registered(), 10000);

    // A job of two copies while the cloud is in trouble.
    device->set("TASK_FILE_INFO", QJsonObject{{QStringLiteral("path_length"), 922}});
    device->set("TASK_COPIES", 2);
    device->sendCMD(device->property_ptr("TASK_COPIES")->set_cmd_bytes());
    device->setPlt(QStringLiteral("IN;PU0,0;PD4000,0,4000,4000,0,4000,0,0;"));
    QSignalSpy started(simulator->device(), &KvSimDevice::jobStarted);
    device->startTask();
    QVERIFY(started.wait());
    if (trouble == Trouble::ChannelClosedMidJob) {
        QTRY_VERIFY(device->channelUp());
        service->closeChannels();
    }
    QTRY_VERIFY_WITH_TIMEOUT(device->taskRecord().value(QLatin1String("Finished")).toInt() == 2
                                 && device->taskRecord().value(QLatin1String("Status")).toInt() == 0, 20000);
    QTRY_VERIFY(statusTexts(messages).contains(channelNews));
    // An unreachable channel never says it connected; a closed one said so first.
    const QStringList texts = statusTexts(messages);
    const qsizetype connected = texts.indexOf(QStringLiteral("WEB SOCKET CONNECTED."));
    QVERIFY2(channelNews.endsWith(QLatin1String("ERROR.")) ? connected < 0 : connected >= 0 && connected <= texts.indexOf(channelNews),
             qPrintable(texts.join(u'|')));

    QSignalSpy posted(service.get(), &KvCloudService::workRecordReceived);
    device->stopTask();
    if (workRecordPosted) {
        QVERIFY(posted.wait());
        QCOMPARE(posted.first().first().toJsonObject().value(QLatin1String("finish_copies")).toInt(), 2);
    } else {
        QVERIFY(!posted.wait(300));
    }
    // The device object goes on working with its plotter.
    QSignalSpy answered(device->property_ptr("FIRMWARE"), &KVDeviceProperty::retStatus);
    device->sendCMD(device->property_ptr("FIRMWARE")->get_cmd_bytes());
    QVERIFY(answered.wait());
    QCOMPARE(device->property_ptr("STATUS")->value().toInt(), 2);
}

void tst_CloudFaults::deviceDeletedWhileRequestsAreUnderWay()
{
    service->setFault({0, 0, true}); // requests are taken and never answered
    client->setTimeout(500);
    QSignalSpy requests(service.get(), &KvCloudService::requestReceived);
    device->setPivenaCloud(client.get(), DeviceCode);
    QVERIFY(requests.wait());
    device.reset();
    // The unanswered requests end after the client's timeout, with nobody left to hear them.
    QTRY_COMPARE_WITH_TIMEOUT(pendingReplies(*client), 0, 5000);

    service->clearFaults();
    device = std::make_unique<CloudDevice>();
    QVERIFY(registerAndConnect(device.get(), client.get()));
}

void tst_CloudFaults::deviceDeletedWhileAJobRunsWithTheCloud()
{
    simulator->device()->setTimeScale(0.5);
    QVERIFY(connectTcp(device.get(), simulator->tcpPort()));
    QVERIFY(registerAndConnect(device.get(), client.get()));
    QSignalSpy started(simulator->device(), &KvSimDevice::jobStarted);
    device->setPlt(QStringLiteral("IN;PU0,0;PD40000,0,40000,40000;"));
    device->startTask();
    QVERIFY(started.wait());
    QSignalSpy closed(service.get(), &KvCloudService::channelClosed);
    device.reset(); // the host drops the device in the middle of the job
    QVERIFY(closed.count() == 1 || closed.wait());
    QTRY_COMPARE(simulator->connectionCount(), 0);
    HostDevice next(583); // the plotter takes the next device
    QVERIFY(next.connectTcp(simulator->tcpPort()));
    QCOMPARE(next.exchange("FIRMWARE"), 0);
}

QTEST_GUILESS_MAIN(tst_CloudFaults)
#include "tst_cloudfaults.moc"
