// What a registered device reports to the local cloud service: the task report on its channel,
// byte for byte, after every task change and on request, and the work record of a stopped job.
#include "attach.h"
#include "cloudsupport.h"

#include <QDateTime>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class tst_Reports : public CloudTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void taskReportBytes_data();
    void taskReportBytes();
    void taskChangesAreReported();
    void workRecordOfAFinishedJob_data();
    void workRecordOfAFinishedJob();

    void noWorkRecord_data();
    void noWorkRecord();
    void nothingLeavesADeviceWithoutCloud();

private:
    // The next task report the service receives after asking for one with `text`.
    QString askForReport(const QString &text);
    void prepareJob(CloudDevice *job, int copies, int finished, const QJsonObject &workFile, bool started = true);
};

void tst_Reports::init()
{
    QVERIFY(startCloud());
    QVERIFY(registerAndConnect(device.get(), client.get()));
    QTRY_COMPARE(pendingReplies(*client), 0);
}

void tst_Reports::cleanup()
{
    stopCloud();
}

QString tst_Reports::askForReport(const QString &text)
{
    QSignalSpy reported(service.get(), &KvCloudService::channelMessageReceived);
    service->sendText(DeviceCode, text);
    return reported.wait() ? reported.first().at(1).toString() : QString();
}

void tst_Reports::prepareJob(CloudDevice *job, int copies, int finished, const QJsonObject &workFile, bool started)
{
    QJsonObject task = job->property_ptr("TASK")->value().toJsonObject();
    task.insert(QStringLiteral("TaskCopies"), copies);
    task.insert(QStringLiteral("Finished"), finished);
    job->set("TASK", task);
    job->set("TASK_FILE_INFO", workFile);
    if (!started)
        return;
    auto *startTime = new KVDeviceProperty;
    startTime->init(QDateTime::currentDateTime().addSecs(-90), QString(), QString(), 0, 0, 0, KVDeviceInterface::UnCMD);
    KVAttach::toDevice(job, "TASK_START_TIME", startTime);
}

void tst_Reports::taskReportBytes_data()
{
    QTest::addColumn<QJsonObject>("task");
    QTest::addColumn<QVariant>("preview"); // invalid: the device has no preview record
    QTest::addColumn<QString>("report");

    const QJsonObject idle{{"Finished", 0}, {"Status", 0}, {"TaskCopies", 0}, {"Percent", 100}};
    QTest::newRow("no preview record") << idle << QVariant()
        << R"({"actions":["Runtime"],"message":{"Runtime":{"Finished":0,"Percent":100,"Status":0,"TaskCopies":0}},"sender":"Device"})";
    QTest::newRow("empty preview") << idle << QVariant(QByteArray())
        << R"({"actions":["Runtime"],"message":{"Runtime":{"FilePreview":null,"Finished":0,"Percent":100,"Status":0,"TaskCopies":0}},"sender":"Device"})";
    QTest::newRow("preview bytes") << idle << QVariant(QByteArray("\x89PNG\r\n\x1a\n\0", 9))
        << R"({"actions":["Runtime"],"message":{"Runtime":{"FilePreview":"iVBORw0KGgoA","Finished":0,"Percent":100,"Status":0,"TaskCopies":0}},"sender":"Device"})";
    QTest::newRow("running job") << QJsonObject{{"Status", 1}, {"FileName", "标签.plt"}, {"TaskCopies", 2}, {"Finished", 1}, {"Percent", 57}}
        << QVariant()
        << R"({"actions":["Runtime"],"message":{"Runtime":{"FileName":"标签.plt","Finished":1,"Percent":57,"Status":1,"TaskCopies":2}},"sender":"Device"})";
    QTest::newRow("keys of the host") << QJsonObject{{"b", QJsonObject{{"z", 1}, {"a", 2}}}, {"Z", 0}, {"a", 1}}
        << QVariant(QByteArray("p"))
        << R"({"actions":["Runtime"],"message":{"Runtime":{"FilePreview":"cA==","Z":0,"a":1,"b":{"a":2,"z":1}}},"sender":"Device"})";
}

void tst_Reports::taskReportBytes()
{
    QFETCH(QJsonObject, task);
    QFETCH(QVariant, preview);
    QFETCH(QString, report);

    device->set("TASK", task);
    if (preview.isValid()) {
        device->set("FILE_PREVIEW", preview);
    } else {
        delete device->property_ptr("FILE_PREVIEW");
        device->setProperty("FILE_PREVIEW", QVariant());
    }
    QCOMPARE(askForReport(QStringLiteral("Runtime?")), report);
    // The preview goes only into what is sent.
    QCOMPARE(device->property_ptr("TASK")->value().toJsonObject(), task);
}

void tst_Reports::taskChangesAreReported()
{
    QSignalSpy reported(service.get(), &KvCloudService::channelMessageReceived);
    device->startTask();                                    // start (no plotter: frames are dropped)
    device->decode_task(QStringLiteral("66,1,labels.plt,2,0,57.9,0,0,0")); // progress of copy 1
    device->decode_task();                                  // copy 1 done
    device->decode_task();                                  // copy 2 done: the job is over
    device->stopTask();                                     // resets the record, reports nothing
    service->sendText(DeviceCode, QStringLiteral("after stop"));
    QTRY_COMPARE(reported.size(), 5);

    const QString head = QStringLiteral(R"({"actions":["Runtime"],"message":{"Runtime":{)");
    const QString tail = QStringLiteral(R"(}},"sender":"Device"})");
    const QStringList runtimes{
        R"("FilePreview":null,"Finished":0,"Percent":100,"Status":0,"TaskCopies":0)",
        R"("FileName":"labels.plt","FilePreview":null,"Finished":0,"Percent":57,"Status":1,"TaskCopies":2)",
        R"("FileName":"labels.plt","FilePreview":null,"Finished":1,"Percent":57,"Status":1,"TaskCopies":2)",
        R"("FileName":"labels.plt","FilePreview":null,"Finished":2,"Percent":100,"Status":0,"TaskCopies":2)",
        R"("FileName":"","FilePreview":null,"Finished":0,"Percent":100,"Status":0,"TaskCopies":0)",
    };
    for (int i = 0; i < runtimes.size(); ++i)
        QCOMPARE(reported.at(i).at(1).toString(), head + runtimes.at(i) + tail);
}

void tst_Reports::workRecordOfAFinishedJob_data()
{
    QTest::addColumn<QJsonObject>("workFile");
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("finished");
    QTest::addColumn<int>("taskMode");
    QTest::addColumn<uint>("workMode");
    QTest::addColumn<QString>("fields"); // the record without "end_time" and "task_time"

    QTest::newRow("page 300 x 200") << QJsonObject{{"heigth", 300}, {"width", 200}, {"path_length", 922}} << 2 << 2 << 0 << 0u
        << R"({"device":1,"finish_copies":2,"page_area":60000,"page_size":"300x200","path_length":922,"task_copies":2,"task_model":0,"work_model":0})";
    QTest::newRow("no page size, job cut short") << QJsonObject{{"path_length", 5}} << 3 << 1 << 1 << 2u
        << R"({"device":1,"finish_copies":1,"page_area":0,"page_size":"0x0","path_length":5,"task_copies":3,"task_model":1,"work_model":2})";
}

void tst_Reports::workRecordOfAFinishedJob()
{
    QFETCH(QJsonObject, workFile);
    QFETCH(int, copies);
    QFETCH(int, finished);
    QFETCH(int, taskMode);
    QFETCH(uint, workMode);
    QFETCH(QString, fields);

    prepareJob(device.get(), copies, finished, workFile);
    device->set("TASK_MODE", taskMode);
    device->set("WORK_MODE", workMode);
    QSignalSpy posted(service.get(), &KvCloudService::workRecordReceived);
    device->stopTask();
    QVERIFY(posted.wait());

    QJsonObject record = posted.first().first().toJsonObject();
    const QString endTime = record.take(QStringLiteral("end_time")).toString();
    const int taskTime = record.take(QStringLiteral("task_time")).toInt();
    QCOMPARE(compact(record), fields);
    QVERIFY2(taskTime == 90 || taskTime == 91, QByteArray::number(taskTime));
    // UTC, with the milliseconds written twice: three digits, then without leading zeros.
    const QString format = QStringLiteral("yyyy-MM-dd hh:mm:ss.zzzz");
    QDateTime end = QDateTime::fromString(endTime.left(23), QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    end.setTimeSpec(Qt::UTC);
    QVERIFY2(end.isValid() && qAbs(end.secsTo(QDateTime::currentDateTimeUtc())) < 5, qPrintable(endTime));
    QCOMPARE(endTime, end.toString(format));

    // The task is idle again, and a second stop has nothing to post.
    QCOMPARE(compact(device->property_ptr("TASK")->value().toJsonObject()),
             QStringLiteral(R"({"FileName":"","Finished":0,"Percent":100,"Status":0,"TaskCopies":0})"));
    QVERIFY(!device->property_ptr("TASK_START_TIME")->value().toDateTime().isValid());
    QTRY_COMPARE(pendingReplies(*client), 0);
    device->stopTask();
    QCOMPARE(pendingReplies(*client), 0);
}

void tst_Reports::noWorkRecord_data()
{
    QTest::addColumn<QString>("why");
    QTest::newRow("not registered") << "not registered";
    QTest::newRow("id -1") << "id -1";
    QTest::newRow("no copies") << "no copies";
    QTest::newRow("nothing finished") << "nothing finished";
    QTest::newRow("no path length") << "no path length";
    QTest::newRow("never started") << "never started";
}

void tst_Reports::noWorkRecord()
{
    QFETCH(QString, why);
    const QJsonObject workFile{{"heigth", 300}, {"width", 200}, {"path_length", why == "no path length" ? 0 : 922}};
    prepareJob(device.get(), why == "no copies" ? 0 : 2, why == "nothing finished" ? 0 : 1, workFile, why != "never started");
    if (why == "not registered")
        device->cloudRecord().remove(QStringLiteral("id"));
    if (why == "id -1")
        device->cloudRecord().insert(QStringLiteral("id"), -1);
    device->stopTask();
    QCOMPARE(pendingReplies(*client), 0); // no request was made
    QVERIFY(service->workRecords().isEmpty());
}

void tst_Reports::nothingLeavesADeviceWithoutCloud()
{
    // Never handed a client: no channel to report on, no id to post with, and no crash.
    CloudDevice alone;
    prepareJob(&alone, 2, 2, {{"path_length", 922}});
    alone.startTask();
    alone.decode_task(QStringLiteral("66,1,labels.plt,2,2,100,0,0,0"));
    alone.stopTask();
    QVERIFY(alone.cloudRecord().isEmpty());
    QCOMPARE(alone.property_ptr("TASK")->value().toJsonObject().value("TaskCopies").toInt(), 0);
}

QTEST_MAIN(tst_Reports)
#include "tst_reports.moc"
