// What a registered device reports to the local cloud service: the task report on its channel,
// byte for byte, after every task change and on request, and the work record of a stopped job.
#include "cloudsupport.h"

#include <QTimeZone>

namespace {
// A task report of the given "Runtime" fields.
QString report(const QString &runtime)
{
    return QStringLiteral(R"({"actions":["Runtime"],"message":{"Runtime":{%1}},"sender":"Device"})").arg(runtime);
}

// A job of `copies` with `finished` done, on a work file, started 90 s ago unless `started` is false.
void prepareJob(CloudDevice *job, int copies, int finished, const QJsonObject &workFile, bool started = true)
{
    QJsonObject task = job->taskRecord();
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
} // namespace

class tst_Reports : public CloudTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { stopCloud(); }

    void taskReportBytes_data();
    void taskReportBytes();
    void taskChangesAreReported();
    void workRecord_data();
    void workRecord();
};

void tst_Reports::init()
{
    QVERIFY(startCloud());
    QVERIFY(registerAndConnect(device.get(), client.get()));
    QTRY_COMPARE(pendingReplies(*client), 0);
}

void tst_Reports::taskReportBytes_data()
{
    QTest::addColumn<QJsonObject>("task");
    QTest::addColumn<QVariant>("preview"); // invalid: the device has no preview record
    QTest::addColumn<QString>("report");

    const QJsonObject idle{{"Finished", 0}, {"Status", 0}, {"TaskCopies", 0}, {"Percent", 100}};
    QTest::newRow("no preview record") << idle << QVariant() << report(R"("Finished":0,"Percent":100,"Status":0,"TaskCopies":0)");
    QTest::newRow("preview bytes") << idle << QVariant(QByteArray("\x89PNG\r\n\x1a\n\0", 9)) << report(R"("FilePreview":"iVBORw0KGgoA","Finished":0,"Percent":100,"Status":0,"TaskCopies":0)");
    QTest::newRow("keys of the host") << QJsonObject{{"b", QJsonObject{{"z", 1}, {"a", 2}}}, {"Z", 0}, {"FileName", "标签.plt"}} << QVariant(QByteArray("p")) << report(R"("FileName":"标签.plt","FilePreview":"cA==","Z":0,"b":{"a":2,"z":1})");
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
    QSignalSpy reported(service.get(), &KvCloudService::channelMessageReceived);
    service->sendText(DeviceCode, QStringLiteral("Runtime?"));
    QVERIFY(reported.wait());
    QCOMPARE(reported.first().at(1).toString(), report);
    QCOMPARE(device->taskRecord(), task); // the preview goes only into what is sent
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

    const QStringList runtimes{
        R"("FilePreview":null,"Finished":0,"Percent":100,"Status":0,"TaskCopies":0)",
        R"("FileName":"labels.plt","FilePreview":null,"Finished":0,"Percent":57,"Status":1,"TaskCopies":2)",
        R"("FileName":"labels.plt","FilePreview":null,"Finished":1,"Percent":57,"Status":1,"TaskCopies":2)",
        R"("FileName":"labels.plt","FilePreview":null,"Finished":2,"Percent":100,"Status":0,"TaskCopies":2)",
        R"("FileName":"","FilePreview":null,"Finished":0,"Percent":100,"Status":0,"TaskCopies":0)",
    };
    for (int i = 0; i < runtimes.size(); ++i)
        QCOMPARE(reported.at(i).at(1).toString(), report(runtimes.at(i)));
}

// The work record of a stopped job, or none: for a device not registered (or with the id -1), a job
// of no copies, none finished, no cut path or never started, and a device never handed a client
// (no channel to report on either, even for a job it cut).
void tst_Reports::workRecord_data()
{
    QTest::addColumn<QString>("change"); // of a registered device with a job it started
    QTest::addColumn<QJsonObject>("workFile");
    QTest::addColumn<QList<int>>("job"); // copies, finished, task mode, work mode
    QTest::addColumn<QString>("posted"); // without "end_time" and "task_time"; empty: nothing

    const QJsonObject page{{"heigth", 300}, {"width", 200}, {"path_length", 922}};
    QTest::newRow("page 300 x 200") << "" << page << QList<int>{2, 2, 0, 0} << R"({"device":1,"finish_copies":2,"page_area":60000,"page_size":"300x200","path_length":922,"task_copies":2,"task_model":0,"work_model":0})";
    QTest::newRow("no page size, job cut short") << "" << QJsonObject{{"path_length", 5}} << QList<int>{3, 1, 1, 2} << R"({"device":1,"finish_copies":1,"page_area":0,"page_size":"0x0","path_length":5,"task_copies":3,"task_model":1,"work_model":2})";
    QTest::newRow("not registered") << "not registered" << page << QList<int>{2, 1, 0, 0} << "";
    QTest::newRow("id -1") << "id -1" << page << QList<int>{2, 1, 0, 0} << "";
    QTest::newRow("no copies") << "" << page << QList<int>{0, 1, 0, 0} << "";
    QTest::newRow("nothing finished") << "" << page << QList<int>{2, 0, 0, 0} << "";
    QTest::newRow("no path length") << "" << QJsonObject{{"heigth", 300}, {"width", 200}} << QList<int>{2, 1, 0, 0} << "";
    QTest::newRow("never started") << "never started" << page << QList<int>{2, 1, 0, 0} << "";
    QTest::newRow("no client") << "no client" << page << QList<int>{2, 2, 0, 0} << "";
}

void tst_Reports::workRecord()
{
    QFETCH(QString, change);
    QFETCH(QJsonObject, workFile);
    QFETCH(QList<int>, job);
    QFETCH(QString, posted);

    CloudDevice alone;
    CloudDevice *cutter = change == "no client" ? &alone : device.get();
    prepareJob(cutter, job.at(0), job.at(1), workFile, change != "never started");
    cutter->set("TASK_MODE", job.at(2));
    cutter->set("WORK_MODE", uint(job.at(3)));
    if (change == "not registered")
        device->cloudRecord().remove(QStringLiteral("id"));
    if (change == "id -1")
        device->cloudRecord().insert(QStringLiteral("id"), -1);
    if (cutter == &alone) {
        alone.startTask();
        alone.decode_task(QStringLiteral("66,1,labels.plt,2,2,100,0,0,0"));
    }
    QSignalSpy received(service.get(), &KvCloudService::workRecordReceived);
    cutter->stopTask();
    if (!posted.isEmpty()) {
        QVERIFY(received.wait());
        QJsonObject record = received.first().first().toJsonObject();
        const QString endTime = record.take(QStringLiteral("end_time")).toString();
        const int taskTime = record.take(QStringLiteral("task_time")).toInt();
        QCOMPARE(compact(record), posted);
        QVERIFY2(taskTime == 90 || taskTime == 91, QByteArray::number(taskTime));
        // UTC, with the milliseconds written twice: three digits, then without leading zeros.
        const QDateTime local = QDateTime::fromString(endTime.left(23), QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
        const QDateTime end(local.date(), local.time(), QTimeZone::utc());
        QVERIFY2(end.isValid() && qAbs(end.secsTo(QDateTime::currentDateTimeUtc())) < 5, qPrintable(endTime));
        QCOMPARE(endTime, end.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzzz")));
        QVERIFY(!cutter->property_ptr("TASK_START_TIME")->value().toDateTime().isValid());
    }
    // The task is idle again, and a second stop has nothing to post.
    QCOMPARE(compact(cutter->taskRecord()), QStringLiteral(R"({"FileName":"","Finished":0,"Percent":100,"Status":0,"TaskCopies":0})"));
    QTRY_COMPARE(pendingReplies(*client), 0);
    cutter->stopTask();
    QCOMPARE(pendingReplies(*client), 0);
    QCOMPARE(service->workRecords().size(), posted.isEmpty() ? 0 : 1);
    QVERIFY(service->channelMessages(DeviceCode).isEmpty());
}

QTEST_MAIN(tst_Reports)
#include "tst_reports.moc"
