// The whole loop: a device object of the plug-in cuts a job on the simulated plotter while it is
// registered at the local cloud service, which receives its task reports and its work record;
// the same through kvhost --simulate --cloud, and through kvhost with kvsim and kvcloud running
// on their own.
#include "cloudsupport.h"
#include "previewcanvas.h"
#include "simulator.h"

#include <QDir>
#include <QImage>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {
// Starts a tool that announces where it listens on its first line, and returns that line.
QString startTool(QProcess &tool, const char *variable, const QStringList &arguments)
{
    tool.start(qEnvironmentVariable(variable), arguments);
    if (!tool.waitForStarted() || !tool.waitForReadyRead(10000))
        return {};
    return QString::fromUtf8(tool.readLine());
}

QJsonObject receivedBy(const QString &url, const QByteArray &method = "GET", const QString &route = "_records",
                       const QJsonObject &body = {})
{
    QNetworkAccessManager network;
    QNetworkRequest request(QUrl(url + route));
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
    QNetworkReply *reply = network.sendCustomRequest(request, method, QJsonDocument(body).toJson());
    QSignalSpy done(reply, &QNetworkReply::finished);
    done.wait(5000);
    reply->deleteLater();
    return QJsonDocument::fromJson(reply->readAll()).object();
}
} // namespace

class tst_CloudJob : public QObject
{
    Q_OBJECT
private slots:
    void deviceCutsAndReportsToTheCloud();
    void kvhostShowsWhatTheCloudReceived();
    void kvhostCloudNeedsAnAddress();
    void kvhostWithAServiceOfItsOwn_data();
    void kvhostWithAServiceOfItsOwn();
};

void tst_CloudJob::deviceCutsAndReportsToTheCloud()
{
    KvSimulator simulator(583);
    simulator.device()->setTimeScale(0.02);
    QVERIFY(simulator.listenTcp(0));
    KvCloudService service;
    QVERIFY(service.listen());
    PivenaCloud client(service.url(), service.ws());

    KVRV520MAXCam root;
    std::unique_ptr<KVDeviceInterface> device(root.initInstance());
    device->property_ptr("TCP_PORT")->setValue(int(simulator.tcpPort()));
    device->setIPAddress(QStringLiteral("127.0.0.1"));
    QVERIFY(device->connectDevice());
    QTRY_COMPARE(device->property_ptr("STATUS")->value().toInt(), 2);

    device->setPivenaCloud(&client, DeviceCode);
    QTRY_VERIFY(device->property_ptr("DEVICE_CLOUD")->value().toJsonObject().contains("id"));
    QTRY_COMPARE(service.openChannels(), QStringList{DeviceCode});
    QCOMPARE(bodiesOf(service, "POST", "device_model").size(), 1);

    KVDeviceProperty *copies = device->property_ptr("TASK_COPIES");
    copies->setValue(2);
    device->sendCMD(copies->set_cmd_bytes());
    QTRY_COMPARE(simulator.device()->parameters().value("TASK_COPIES"), QStringList{"2"});
    device->property_ptr("TASK_FILE_INFO")->setValue(QJsonObject{{"path_length", 100}, {"width", 100}, {"heigth", 10}});
    device->setPlt(QStringLiteral("IN;PU0,0;PD4000,0;"));
    QSignalSpy posted(&service, &KvCloudService::workRecordReceived);
    device->startTask();
    QTRY_COMPARE_WITH_TIMEOUT(device->property_ptr("TASK")->value().toJsonObject().value("Finished").toInt(), 2, 20000);
    QTRY_COMPARE(device->property_ptr("TASK")->value().toJsonObject().value("Status").toInt(), 0);
    device->stopTask();
    QVERIFY(posted.wait());

    QJsonObject record = posted.first().first().toJsonObject();
    record.remove("end_time");
    record.remove("task_time");
    QCOMPARE(compact(record), QString(R"({"device":1,"finish_copies":2,"page_area":1000,"page_size":"10x100",)"
                                      R"("path_length":100,"task_copies":2,"task_model":0,"work_model":0})"));
    // A report for the start, for the progress and for each finished copy; the last one says so.
    const QStringList reports = service.channelMessages(DeviceCode);
    QVERIFY2(reports.size() >= 4, qPrintable(reports.join('\n')));
    QVERIFY(reports.first().contains(R"("Finished":0,"Percent":100,"Status":0,"TaskCopies":0)"));
    QVERIFY2(reports.last().contains(R"("Finished":2,"Percent":100,"Status":0,"TaskCopies":2)"), qPrintable(reports.last()));
}

void tst_CloudJob::kvhostShowsWhatTheCloudReceived()
{
    QProcess kvhost;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "en_US.UTF-8");
    kvhost.setProcessEnvironment(environment);
    kvhost.start(qEnvironmentVariable("KVHOST"),
                 {"--simulate", "--cloud", "cut", QDir(qEnvironmentVariable("KV_EXAMPLES")).filePath("labels.plt"),
                  "--copies", "2", "--time-scale", "0.02"});
    QVERIFY(kvhost.waitForFinished(60000));
    const QString out = QString::fromUtf8(kvhost.readAllStandardOutput());
    QVERIFY2(kvhost.exitCode() == 0, qPrintable(out + QString::fromUtf8(kvhost.readAllStandardError())));
    QVERIFY2(out.contains("done: 2 of 2 copies"), qPrintable(out));
    const QString cloud = out.section('\n', -3, -3);
    QVERIFY2(cloud.startsWith("cloud: SIM0a1z0001 registered as device 1 (model 1), "), qPrintable(cloud));
    // The example is 100 mm x 45 mm with 568.5 mm of cuts; the preview shows it from the origin.
    QVERIFY2(cloud.contains(R"("device":1,)") && cloud.contains(R"("finish_copies":2,)")
                 && cloud.contains(R"("page_area":4500,"page_size":"45x100","path_length":569,)"),
             qPrintable(cloud));
    QVERIFY2(out.section('\n', -2, -2).startsWith("cloud: latest preview of SIM0a1z0001: PNG of 256 x 121 px, "), qPrintable(out));
}

void tst_CloudJob::kvhostCloudNeedsAnAddress()
{
    QProcess kvhost;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("KV_CLOUD_URL");
    environment.remove("KV_CLOUD_WS");
    kvhost.setProcessEnvironment(environment);
    kvhost.start(qEnvironmentVariable("KVHOST"), {"--tcp", "127.0.0.1:9", "--cloud", "info"});
    QVERIFY(kvhost.waitForFinished(30000));
    QCOMPARE(kvhost.exitCode(), 2);
    QCOMPARE(kvhost.readAllStandardError(),
             QByteArray("kvhost: --cloud needs KV_CLOUD_URL and KV_CLOUD_WS in the environment, or --simulate\n"));
}

// kvhost waits for what it sent before it ends, and says what the service answered when it
// failed (exit 11).
void tst_CloudJob::kvhostWithAServiceOfItsOwn_data()
{
    QTest::addColumn<QStringList>("serviceOptions");
    QTest::addColumn<QString>("failingRoute");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("work record delivered") << QStringList() << "" << "cut" << 0 << "";
    QTest::newRow("work record refused") << QStringList() << "device_work_records" << "cut" << 11
                                         << "answered POST device_work_records with HTTP 500";
    QTest::newRow("service fails") << QStringList{"--fail", "500"} << "" << "info" << 11 << "with HTTP 500";
    QTest::newRow("service swallows") << QStringList{"--swallow"} << "" << "info" << 11 << "did not answer";
}

void tst_CloudJob::kvhostWithAServiceOfItsOwn()
{
    QFETCH(QStringList, serviceOptions);
    QFETCH(QString, failingRoute);
    QFETCH(QString, command);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QProcess plotter;
    QProcess cloud;
    const QString plotterLine = startTool(plotter, "KVSIM", {"--port", "0", "--time-scale", "0.02"});
    const QRegularExpressionMatch service = QRegularExpression("HTTP (\\S+) WebSocket (\\S+)")
                                                .match(startTool(cloud, "KVCLOUD", QStringList{"--port", "0", "--ws-port", "0"} + serviceOptions));
    QVERIFY2(service.hasMatch() && plotterLine.contains(':'), qPrintable(plotterLine));
    if (!failingRoute.isEmpty())
        receivedBy(service.captured(1), "POST", "_fault", {{"method", "POST"}, {"route", failingRoute}, {"status", 500}});

    QProcess kvhost;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("KV_CLOUD_URL", service.captured(1));
    environment.insert("KV_CLOUD_WS", service.captured(2));
    kvhost.setProcessEnvironment(environment);
    QStringList arguments{"--tcp", "127.0.0.1:" + plotterLine.section(':', -1).trimmed(), "--timeout", "1", "--cloud", command};
    const QString plot = QDir(qEnvironmentVariable("KV_EXAMPLES")).filePath("rectangle.plt");
    if (command == "cut")
        arguments << plot << "--copies" << "2";
    kvhost.start(qEnvironmentVariable("KVHOST"), arguments);
    QVERIFY(kvhost.waitForFinished(30000));
    const QString err = QString::fromUtf8(kvhost.readAllStandardError());
    QVERIFY2(err.contains(message), qPrintable(err));
    QCOMPARE(kvhost.exitCode(), exitCode);
    if (exitCode != 0)
        return;
    const QJsonObject received = receivedBy(service.captured(1));
    QCOMPARE(received["work_records"].toArray().size(), 1);
    QCOMPARE(received["work_records"][0]["finish_copies"].toInt(), 2);
    // 60 mm x 40 mm, 200 mm of cuts, and the preview as the hosts draw it.
    QCOMPARE(received["work_records"][0]["page_size"].toString(), "40x60");
    QCOMPARE(received["work_records"][0]["page_area"].toInt(), 2400);
    QCOMPARE(received["work_records"][0]["path_length"].toInt(), 200);
    QNetworkAccessManager network;
    QNetworkReply *preview = network.get(QNetworkRequest(QUrl(service.captured(1) + "_preview/KV520-000001")));
    QSignalSpy done(preview, &QNetworkReply::finished);
    QVERIFY(done.wait(5000));
    QCOMPARE(preview->header(QNetworkRequest::ContentTypeHeader).toString(), "image/png");
    QImage expected;
    KvPlot::readPlotPicture(plot, {}, KvPlot::CloudPreviewSide, &expected);
    QCOMPARE(preview->readAll(), KvPlot::cloudPreviewPng(expected));
    delete preview;
    QVERIFY(received["channel_messages"].toArray().last()["text"].toString().contains(R"("Finished":2,"Percent":100,"Status":0)"));
}

QTEST_MAIN(tst_CloudJob)
#include "tst_cloudjob.moc"
