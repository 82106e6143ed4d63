// A device handed a cloud client registers itself at the local cloud service over real HTTP:
// query, creation or update, replies in either order, the retry of an unanswered query, and a
// device or client that goes away in the middle.
#include "cloudsupport.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {
const QJsonObject MachineRecord{
    {QStringLiteral("code"), DeviceCode},     {QStringLiteral("pcb"), QStringLiteral("PCB583-0001")},
    {QStringLiteral("version"), QStringLiteral("V2.3.1")}, {QStringLiteral("device_id"), QStringLiteral("KV520-000001")},
    {QStringLiteral("online"), true},
};

KvCloudFault delayed(int ms)
{
    KvCloudFault fault;
    fault.delayMs = ms;
    return fault;
}

KvCloudFault failing(int status)
{
    KvCloudFault fault;
    fault.status = status;
    return fault;
}

KvCloudFault swallowing()
{
    KvCloudFault fault;
    fault.swallow = true;
    return fault;
}
} // namespace

class tst_Registration : public CloudTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void modelCode_data();
    void modelCode();
    void newDeviceIsCreated();
    void knownDeviceIsUpdated();
    void repliesInEitherOrder_data();
    void repliesInEitherOrder();
    void retryPeriod_data();
    void retryPeriod();

    void failedAnswersLeaveTheRecord_data();
    void failedAnswersLeaveTheRecord();
    void unansweredQueryIsRetried();
    void deviceDeletedDuringRegistration();
    void deviceDeletedDuringRetryWait();
    void clientDeletedDuringRetryWait();
    void deviceDeletedWhenItsRecordChanges();
    void repliesToAnEarlierRegistrationAreDropped();

private:
    void registerDevice(const QString &code = DeviceCode);
    // Registration whose device query goes unanswered: the device waits to ask again.
    void startRetryWait();
    // Until every reply of the client has been handled, and what that sent has arrived.
    void settle();
};

void tst_Registration::init()
{
    QVERIFY(startCloud());
    device->set("PCB_ID", QStringLiteral("PCB583-0001"));
    device->set("FIRMWARE", QStringLiteral("V2.3.1"));
    device->set("DEVICE_ID", QStringLiteral("KV520-000001"));
}

void tst_Registration::cleanup()
{
    stopCloud();
}

void tst_Registration::registerDevice(const QString &code)
{
    device->setPivenaCloud(client.get(), code);
}

void tst_Registration::settle()
{
    for (int round = 0; round < 2; ++round) {
        QTRY_COMPARE(pendingReplies(*client), 0);
        bool answered = false;
        client->customRequest(QStringLiteral("_records"), "GET", {}, [&answered](QNetworkReply *, bool) { answered = true; });
        QTRY_VERIFY(answered);
    }
}

void tst_Registration::modelCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<qint64>("model");

    QTest::newRow("four characters") << DeviceCode << qint64(13031);
    QTest::newRow("upper case") << QStringLiteral("SIM0A1Z0001") << qint64(13031);
    QTest::newRow("shorter than 3") << QStringLiteral("ab") << qint64(0);
    QTest::newRow("exactly 3") << QStringLiteral("abc") << qint64(0);
    QTest::newRow("one character") << QStringLiteral("abcd") << qint64(13);
    QTest::newRow("letters") << QStringLiteral("abcdefghij") << qint64(625228);
    QTest::newRow("all z") << QStringLiteral("KV-zzzz") << qint64(1679615);
}

void tst_Registration::modelCode()
{
    QFETCH(QString, code);
    QFETCH(qint64, model);
    registerDevice(code);
    QTRY_COMPARE(bodiesOf(*service, "PATCH", "device_model").size(), 1);
    QCOMPARE(compact(bodiesOf(*service, "PATCH", "device_model").first()),
             compact(QJsonObject{{QStringLiteral("code"), model}}));
    QCOMPARE(compact(bodiesOf(*service, "GET", "device").value(0)), compact(QJsonObject{{QStringLiteral("code"), code}}));
}

void tst_Registration::newDeviceIsCreated()
{
    service->setFault(delayed(100), "PATCH", QStringLiteral("device_model"));
    registerDevice();
    QCOMPARE(compact(device->mirrored()), compact(MachineRecord));
    QTRY_VERIFY(device->mirrored().contains(QLatin1String("device_model")));
    QTRY_VERIFY(device->registered());
    settle();

    // 404 to the query; the creation carries the whole record, "online" included.
    QCOMPARE(requestsOf(*service, "GET", "device").first().value(QLatin1String("status")).toInt(), 404);
    const QList<QJsonObject> created = bodiesOf(*service, "POST", "device_model");
    QCOMPARE(created.size(), 1);
    QCOMPARE(compact(created.first()), compact(MachineRecord));
    QVERIFY(bodiesOf(*service, "PUT", "device").isEmpty());

    QJsonObject expected = MachineRecord;
    expected.insert(QStringLiteral("id"), 1);
    expected.insert(QStringLiteral("device_model"), 1);
    QCOMPARE(compact(device->mirrored()), compact(expected));
    QCOMPARE(device->cloudRecord(), expected);
    QCOMPARE(service->device(DeviceCode).value(QLatin1String("id")).toInt(), 1);
}

void tst_Registration::knownDeviceIsUpdated()
{
    service->addDevice({{QStringLiteral("code"), QStringLiteral("SIM0other01")}});
    const int id = service->addDevice({{QStringLiteral("code"), DeviceCode}});
    registerDevice();
    QTRY_COMPARE(bodiesOf(*service, "PUT", "device").size(), 1);
    settle();

    const QJsonObject update = bodiesOf(*service, "PUT", "device").first();
    QCOMPARE(update.value(QLatin1String("id")).toInt(), id);
    for (auto field = MachineRecord.begin(); field != MachineRecord.end(); ++field)
        QCOMPARE(update.value(field.key()), field.value());
    QVERIFY(bodiesOf(*service, "POST", "device_model").isEmpty());
    QCOMPARE(device->mirrored().value(QLatin1String("id")).toInt(), id);
    QCOMPARE(service->device(DeviceCode).value(QLatin1String("version")).toString(), QStringLiteral("V2.3.1"));
}

void tst_Registration::repliesInEitherOrder_data()
{
    QTest::addColumn<QByteArray>("laterMethod");
    QTest::addColumn<QString>("laterRoute");
    QTest::addColumn<bool>("updateCarriesModel");

    QTest::newRow("model reply first") << QByteArray("GET") << QStringLiteral("device") << true;
    QTest::newRow("device reply first") << QByteArray("PATCH") << QStringLiteral("device_model") << false;
}

void tst_Registration::repliesInEitherOrder()
{
    QFETCH(QByteArray, laterMethod);
    QFETCH(QString, laterRoute);
    QFETCH(bool, updateCarriesModel);

    service->addDevice({{QStringLiteral("code"), DeviceCode}});
    service->setFault(delayed(150), laterMethod, laterRoute);
    registerDevice();
    QTRY_COMPARE(bodiesOf(*service, "PUT", "device").size(), 1);
    QCOMPARE(bodiesOf(*service, "PUT", "device").first().contains(QLatin1String("device_model")), updateCarriesModel);
    // Either way the record ends with both ids.
    QTRY_VERIFY(device->mirrored().contains(QLatin1String("device_model")));
    QCOMPARE(device->mirrored().value(QLatin1String("id")).toInt(), 1);
}

void tst_Registration::retryPeriod_data()
{
    QTest::addColumn<QByteArray>("setting");
    QTest::addColumn<int>("period");

    QTest::newRow("not set") << QByteArray() << 10000;
    QTest::newRow("set") << QByteArray("250") << 250;
}

void tst_Registration::retryPeriod()
{
    QFETCH(QByteArray, setting);
    QFETCH(int, period);
    if (setting.isNull())
        qunsetenv("KV_CLOUD_RETRY_MS");
    else
        qputenv("KV_CLOUD_RETRY_MS", setting);
    CloudDevice fresh;
    qunsetenv("KV_CLOUD_RETRY_MS");
    QCOMPARE(fresh.retryTimer().interval(), period);
    QVERIFY(fresh.retryTimer().isSingleShot());
    QVERIFY(!fresh.retryTimer().isActive());
}

void tst_Registration::failedAnswersLeaveTheRecord_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("route");
    QTest::addColumn<bool>("registered");
    QTest::addColumn<bool>("modelKnown");
    QTest::addColumn<int>("creations");

    QTest::newRow("query fails") << QByteArray("GET") << QStringLiteral("device") << false << true << 0;
    QTest::newRow("creation fails") << QByteArray("POST") << QStringLiteral("device_model") << false << true << 1;
    QTest::newRow("model query fails") << QByteArray("PATCH") << QStringLiteral("device_model") << true << false << 1;
}

void tst_Registration::failedAnswersLeaveTheRecord()
{
    QFETCH(QByteArray, method);
    QFETCH(QString, route);
    QFETCH(bool, registered);
    QFETCH(bool, modelKnown);
    QFETCH(int, creations);

    service->setFault(failing(500), method, route);
    registerDevice();
    QTRY_VERIFY(bodiesOf(*service, method.constData(), route.toLatin1().constData()).size() == 1);
    settle();
    QCOMPARE(device->registered(), registered);
    QCOMPARE(device->mirrored().contains(QLatin1String("device_model")), modelKnown);
    QCOMPARE(bodiesOf(*service, "POST", "device_model").size(), creations);
    QVERIFY(bodiesOf(*service, "PUT", "device").isEmpty());
    // A failed query is not retried: only a missing answer is.
    QCOMPARE(bodiesOf(*service, "GET", "device").size(), 1);
    QVERIFY(!device->retryTimer().isActive());
}

void tst_Registration::unansweredQueryIsRetried()
{
    device->retryTimer().setInterval(50);
    client->setTimeout(200);
    service->setFault(swallowing(), "GET", QStringLiteral("device"));
    registerDevice();
    QTRY_COMPARE_WITH_TIMEOUT(bodiesOf(*service, "GET", "device").size(), 2, 5000);

    service->clearFaults();
    QTRY_VERIFY_WITH_TIMEOUT(device->registered(), 5000);
    QCOMPARE(bodiesOf(*service, "POST", "device_model").size(), 1);
    const QList<QJsonObject> queries = bodiesOf(*service, "GET", "device");
    for (const QJsonObject &query : queries)
        QCOMPARE(compact(query), compact(QJsonObject{{QStringLiteral("code"), DeviceCode}}));
    settle();
    QVERIFY(!device->retryTimer().isActive());
}

void tst_Registration::deviceDeletedDuringRegistration()
{
    service->setFault(delayed(100));
    QSignalSpy received(service.get(), &KvCloudService::requestReceived);
    registerDevice();
    QTRY_COMPARE(received.size(), 2);
    device.reset();
    // The 404 comes to a device that is gone: nothing may be created in its name.
    QTRY_COMPARE(pendingReplies(*client), 0);
    service->clearFaults();
    settle();
    QVERIFY(bodiesOf(*service, "POST", "device_model").isEmpty());
    QCOMPARE(service->requests().size(), 2); // the query and the model query, nothing after them
}

void tst_Registration::startRetryWait()
{
    device->retryTimer().setInterval(200);
    client->setTimeout(100);
    service->setFault(swallowing(), "GET", QStringLiteral("device"));
    registerDevice();
}

void tst_Registration::deviceDeletedDuringRetryWait()
{
    startRetryWait();
    // The host drops the device from an event of its own while the retry is waited for.
    QTimer::singleShot(200, this, [this] { device.reset(); });
    QTRY_VERIFY(!device);
    QTest::qWait(300); // past the retry the device had planned
    QCOMPARE(bodiesOf(*service, "GET", "device").size(), 1);
}

void tst_Registration::clientDeletedDuringRetryWait()
{
    startRetryWait();
    QTimer::singleShot(200, this, [this] { client.reset(); });
    QTRY_VERIFY(!client);
    QTest::qWait(300); // the retry falls due and finds no client
    QCOMPARE(bodiesOf(*service, "GET", "device").size(), 1);

    // The host hands a new client: registration starts over and completes.
    service->clearFaults();
    client = std::make_unique<PivenaCloud>(service->url(), service->ws());
    registerDevice();
    QTRY_VERIFY(device->registered());
}

void tst_Registration::deviceDeletedWhenItsRecordChanges()
{
    service->addDevice({{QStringLiteral("code"), DeviceCode}});
    connect(device->property_ptr("DEVICE_CLOUD"), &KVDeviceProperty::valueChanged, this, [this] {
        if (device->registered())
            device.reset(); // the host is done with the device once it knows its id
    });
    registerDevice();
    QTRY_VERIFY(!device);
    settle();
    QCOMPARE(bodiesOf(*service, "PUT", "device").size(), 1);
}

void tst_Registration::repliesToAnEarlierRegistrationAreDropped()
{
    const int first = service->addDevice({{QStringLiteral("code"), QStringLiteral("SIM0a1z0009")}});
    service->setFault(delayed(100), "GET", QStringLiteral("device"));
    registerDevice(QStringLiteral("SIM0a1z0009"));
    registerDevice(); // starts over with another code before the first query is answered
    QTRY_VERIFY(device->registered());
    settle();
    // The first code's 200 must not make the second record take its id, nor update it.
    QVERIFY(bodiesOf(*service, "PUT", "device").isEmpty());
    QCOMPARE(bodiesOf(*service, "POST", "device_model").size(), 1);
    QCOMPARE(device->mirrored().value(QLatin1String("code")).toString(), DeviceCode);
    QVERIFY(device->mirrored().value(QLatin1String("id")).toInt() != first);
}

QTEST_MAIN(tst_Registration)
#include "tst_registration.moc"
