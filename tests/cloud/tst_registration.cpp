// A device handed a cloud client registers itself at the local cloud service over real HTTP:
// query, creation or update, replies in either order, the retry of an unanswered query, and a
// device or client that goes away in the middle.
#include "cloudsupport.h"

namespace {
const QJsonObject MachineRecord{
    {QStringLiteral("code"), DeviceCode},     {QStringLiteral("pcb"), QStringLiteral("PCB583-0001")},
    {QStringLiteral("version"), QStringLiteral("V2.3.1")}, {QStringLiteral("device_id"), QStringLiteral("KV520-000001")},
    {QStringLiteral("online"), true},
};
// Faults of the service: {status, delay in ms, swallowed}.
const KvCloudFault Slow{0, 150, false};
const KvCloudFault Failing{500, 0, false};
const KvCloudFault Unanswered{0, 0, true};

QJsonObject with(QJsonObject record, const QJsonObject &more)
{
    for (auto field = more.begin(); field != more.end(); ++field)
        record.insert(field.key(), field.value());
    return record;
}
} // namespace

class tst_Registration : public CloudTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { stopCloud(); }

    void modelCode_data();
    void modelCode();
    void registration_data();
    void registration();
    void unansweredQueryIsRetried();
    void repliesToAnEarlierRegistrationAreDropped();
    void goneMidway_data();
    void goneMidway();

private:
    void registerDevice(const QString &code = DeviceCode) { device->setPivenaCloud(client.get(), code); }
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
    // The two are sent back to back, and arrive in any order.
    QTRY_VERIFY(bodiesOf(*service, "PATCH", "device_model").size() == 1 && bodiesOf(*service, "GET", "device").size() == 1);
    QCOMPARE(compact(bodiesOf(*service, "PATCH", "device_model").first()), compact({{QStringLiteral("code"), model}}));
    QCOMPARE(compact(bodiesOf(*service, "GET", "device").value(0)), compact({{QStringLiteral("code"), code}}));
}

// A new device is created with the whole record, a known one updated; the update carries the
// model's id only when that reply came first. A failed answer leaves the record as it was and is
// not retried. The service knows another device before: the ids are the service's.
void tst_Registration::registration_data()
{
    QTest::addColumn<bool>("known");
    QTest::addColumn<KvCloudFault>("fault");
    QTest::addColumn<QString>("faulty"); // method and route
    QTest::addColumn<QJsonObject>("ids");
    QTest::addColumn<QStringList>("sent"); // creations and updates (their start)

    const QJsonObject both{{QStringLiteral("id"), 2}, {QStringLiteral("device_model"), 1}};
    const QString created = "POST " + compact(MachineRecord);
    QTest::newRow("new device") << false << Slow << "PATCH device_model" << both << QStringList{created};
    QTest::newRow("known, model reply first") << true << Slow << "GET device" << both << QStringList{"PUT " + compact(with(MachineRecord, both))};
    QTest::newRow("known, device reply first") << true << Slow << "PATCH device_model" << both << QStringList{"PUT " + compact(with(MachineRecord, {{QStringLiteral("id"), 2}}))};
    QTest::newRow("query fails") << false << Failing << "GET device" << QJsonObject{{QStringLiteral("device_model"), 1}} << QStringList();
    QTest::newRow("creation fails") << false << Failing << "POST device_model" << QJsonObject{{QStringLiteral("device_model"), 1}} << QStringList{"POST {"};
    QTest::newRow("model query fails") << false << Failing << "PATCH device_model" << QJsonObject{{QStringLiteral("id"), 2}} << QStringList{created};
}

void tst_Registration::registration()
{
    QFETCH(bool, known);
    QFETCH(KvCloudFault, fault);
    QFETCH(QString, faulty);
    QFETCH(QJsonObject, ids);
    QFETCH(QStringList, sent);

    service->addDevice({{QStringLiteral("code"), QStringLiteral("SIM0other01")}});
    if (known)
        service->addDevice({{QStringLiteral("code"), DeviceCode}});
    service->setFault(fault, faulty.section(' ', 0, 0).toLatin1(), faulty.section(' ', 1));
    registerDevice();
    QCOMPARE(compact(device->mirrored()), compact(MachineRecord));
    QTRY_COMPARE(bodiesOf(*service, "GET", "device").size(), 1);
    settle();

    QCOMPARE(compact(device->mirrored()), compact(with(MachineRecord, ids)));
    QCOMPARE(device->cloudRecord(), with(MachineRecord, ids));
    QStringList creationsAndUpdates;
    for (const QJsonObject &body : bodiesOf(*service, "POST", "device_model"))
        creationsAndUpdates << "POST " + compact(body);
    for (const QJsonObject &body : bodiesOf(*service, "PUT", "device"))
        creationsAndUpdates << "PUT " + compact(body);
    QCOMPARE(creationsAndUpdates.size(), sent.size());
    for (int i = 0; i < sent.size(); ++i)
        QVERIFY2(creationsAndUpdates.at(i).startsWith(sent.at(i)), qPrintable(creationsAndUpdates.at(i)));
    // Only a missing answer is asked again.
    QCOMPARE(bodiesOf(*service, "GET", "device").size(), 1);
    QVERIFY(!device->retryTimer().isActive());
}

// Every KV_CLOUD_RETRY_MS (10 s when not set) the device asks again, until an answer comes.
void tst_Registration::unansweredQueryIsRetried()
{
    QCOMPARE(device->retryTimer().interval(), 10000);
    qputenv("KV_CLOUD_RETRY_MS", "50");
    device = std::make_unique<CloudDevice>();
    qunsetenv("KV_CLOUD_RETRY_MS");
    QCOMPARE(device->retryTimer().interval(), 50);
    client->setTimeout(200);
    service->setFault(Unanswered, "GET", QStringLiteral("device"));
    registerDevice();
    QTRY_COMPARE_WITH_TIMEOUT(bodiesOf(*service, "GET", "device").size(), 2, 5000);

    service->clearFaults();
    QTRY_VERIFY_WITH_TIMEOUT(device->registered(), 5000);
    QCOMPARE(bodiesOf(*service, "POST", "device_model").size(), 1);
    for (const QJsonObject &query : bodiesOf(*service, "GET", "device"))
        QCOMPARE(compact(query), compact({{QStringLiteral("code"), DeviceCode}}));
    settle();
    QVERIFY(!device->retryTimer().isActive());
}

void tst_Registration::repliesToAnEarlierRegistrationAreDropped()
{
    const int first = service->addDevice({{QStringLiteral("code"), QStringLiteral("SIM0a1z0009")}});
    service->setFault(Slow, "GET", QStringLiteral("device"));
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

// The host drops the device or its client while replies are under way or a retry is waited for,
// or the device from its record's change once it knows its id: no reply reaches a device that
// is gone, and nothing more is asked in its name.
void tst_Registration::goneMidway_data()
{
    QTest::addColumn<QString>("gone");
    QTest::addColumn<QString>("moment");
    QTest::addColumn<int>("requests"); // what the service receives in all
    QTest::newRow("device, replies under way") << "device" << "replies" << 2; // the query (404) and the model query
    QTest::newRow("client, replies under way") << "client" << "replies" << 2;
    QTest::newRow("device, its record changing") << "device" << "record" << 3; // and the update
    QTest::newRow("device, retry waited for") << "device" << "retry" << 2;     // the query once
    QTest::newRow("client, retry waited for") << "client" << "retry" << 2;
}

void tst_Registration::goneMidway()
{
    QFETCH(QString, gone);
    QFETCH(QString, moment);
    QFETCH(int, requests);
    const auto drop = [this, gone] { gone == QLatin1String("client") ? client.reset() : device.reset(); };
    if (moment == QLatin1String("replies")) {
        service->setFault(Slow);
        connect(service.get(), &KvCloudService::requestReceived, this, [this, drop] {
            if (service->requests().size() == 2)
                drop();
        });
    } else if (moment == QLatin1String("record")) {
        service->addDevice({{QStringLiteral("code"), DeviceCode}});
        connect(device->property_ptr("DEVICE_CLOUD"), &KVDeviceProperty::valueChanged, this, [this, drop] {
            if (device->registered())
                drop();
        });
    } else {
        device->retryTimer().setInterval(200);
        client->setTimeout(100);
        service->setFault(Unanswered, "GET", QStringLiteral("device"));
        QTimer::singleShot(200, this, drop);
    }
    registerDevice();
    QTRY_VERIFY(!device || !client);
    QTest::qWait(300); // replies and retries fall due with nobody to take them
    QCOMPARE(service->requests().size(), requests);
    if (device)
        QVERIFY(!device->registered());
    if (client)
        QCOMPARE(pendingReplies(*client), 0);
    if (!device)
        return;
    // The host hands a new client: registration starts over and completes.
    service->clearFaults();
    client = std::make_unique<PivenaCloud>(service->url(), service->ws());
    registerDevice();
    QTRY_VERIFY(device->registered());
}

QTEST_MAIN(tst_Registration)
#include "tst_registration.moc"
