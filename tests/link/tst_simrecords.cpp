// Device objects with their real catalogues read, write and cut through the simulated plotter,
// over TCP and over a pseudo-terminal, in both dialects.

#include "kvrv520maxcam.h"
#include "linksupport.h"
#include "simulator.h"

#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

Q_DECLARE_METATYPE(QList<QStringList>)

namespace {

using Builder = void (KVCommonInterface::*)(KVDeviceInterface *);

// The optional groups added to each family's device, so that their records are read too.
const QMap<QString, Builder> builders = {
    { QStringLiteral("scale_583"), &KVCommonInterface::scale_583 },
    { QStringLiteral("work_area_583"), &KVCommonInterface::work_area_583 },
    { QStringLiteral("camera_offset_583"), &KVCommonInterface::camera_offset_583 },
    { QStringLiteral("info_261"), &KVCommonInterface::info_261 },
    { QStringLiteral("camera_offset_261"), &KVCommonInterface::camera_offset_261 },
    { QStringLiteral("feed_261"), &KVCommonInterface::feed_261 },
    { QStringLiteral("scale_261"), &KVCommonInterface::scale_261 },
    { QStringLiteral("sp1_261"), &KVCommonInterface::sp1_261 },
    { QStringLiteral("sp2_261"), &KVCommonInterface::sp2_261 },
    { QStringLiteral("tool_space_261"), &KVCommonInterface::tool_space_261 },
    { QStringLiteral("work_area_261"), &KVCommonInterface::work_area_261 },
    { QStringLiteral("move_261"), &KVCommonInterface::move_261 },
};

const QStringList groups583 = { QStringLiteral("scale_583"), QStringLiteral("work_area_583") };
const QStringList groups261 = { QStringLiteral("info_261"), QStringLiteral("camera_offset_261"),
                                QStringLiteral("feed_261"), QStringLiteral("scale_261"), QStringLiteral("sp1_261"),
                                QStringLiteral("sp2_261"), QStringLiteral("tool_space_261"),
                                QStringLiteral("work_area_261"), QStringLiteral("move_261") };

// What the host sees: record values by key, or the text of a message ("<Qrcode>", "<DevTasK>").
using Seen = QVariantMap;

QString qrKey() { return QStringLiteral("<Qrcode>"); }
QString taskKey() { return QStringLiteral("<DevTasK>"); }

} // namespace

class TestSimRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void readsRecords_data();
    void readsRecords();
    void writesRecords_data();
    void writesRecords();
    void modelJobRunsAllCopies();
    void commonJobRunsAllCopies();

    void refusedWrites_data();
    void refusedWrites();

private:
    void makeDevice(int family, const QStringList &groups, bool overPty);
    QString seen(const QString &key) const;

    std::unique_ptr<KvSimulator> simulator;
    std::unique_ptr<KVRV520MAXCam> root;
    std::unique_ptr<KVCommonInterface> factory;
    std::unique_ptr<KVCommonInterface> device;
    QMap<int, QString> lastMessage;
};

void TestSimRecords::init()
{
    root = std::make_unique<KVRV520MAXCam>();
    factory = std::make_unique<KVCommonInterface>();
    lastMessage.clear();
}

void TestSimRecords::cleanup()
{
    device.reset();
    simulator.reset();
    factory.reset();
    root.reset();
}

void TestSimRecords::makeDevice(int family, const QStringList &groups, bool overPty)
{
    simulator = std::make_unique<KvSimulator>(family);
    simulator->device()->setTimeScale(0);
    QVERIFY(simulator->listenTcp(0));
    KVDeviceInterface *made = family == 583 ? root->initInstance() : factory->initInstance();
    device.reset(qobject_cast<KVCommonInterface *>(made));
    QVERIFY(device);
    for (const QString &group : groups)
        (device.get()->*builders.value(group))(device.get());
    connect(device.get(), &KVDeviceInterface::message, this,
            [this](KVDeviceInterface::KVDeviceMessage type, const QString &text) { lastMessage[type] = text; });

    device->property_ptr("TCP_PORT")->setValue(int(simulator->tcpPort()));
    if (overPty) {
        QVERIFY(simulator->openPty());
        device->setUSBPath(simulator->ptyPath());
    } else {
        device->setIPAddress(QStringLiteral("127.0.0.1"));
    }
    QVERIFY(device->connectDevice());
    QTRY_COMPARE(device->property_ptr("STATUS")->value().toInt(), 2);
}

QString TestSimRecords::seen(const QString &key) const
{
    if (key == qrKey())
        return lastMessage.value(KVDeviceInterface::Qrcode);
    if (key == taskKey())
        return lastMessage.value(KVDeviceInterface::DevTasK);
    const KVDeviceProperty *record = device->property_ptr(key.toLatin1().constData());
    return record ? record->value().toString() : QStringLiteral("<no record>");
}

void TestSimRecords::readsRecords_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<bool>("overPty");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<Seen>("expected");

    struct Row
    {
        int family;
        const char *key;
        const char *parameter;
        QStringList fields;
        Seen expected;
        QStringList groups = {};
    };
    const auto s = [](const char *text) { return QString::fromUtf8(text); };
    const QList<Row> rows = {
        { 583, "SPEED", "SPEED", { s("450") }, { { s("SPEED"), s("450") } } },
        { 583, "PRESSURE", "PRESSURE", { s("77") }, { { s("PRESSURE"), s("77") } } },
        { 583, "WORK_MODE", "WORK_MODE", { s("2") }, { { s("WORK_MODE"), s("2") } } },
        { 583, "CAMERA_OFFSET", "CAMERA_OFFSET", { s("1.5"), s("-2") },
          { { s("CAMERA_OFFSET_X"), s("1.5") }, { s("CAMERA_OFFSET_Y"), s("-2") } } },
        { 583, "FIRMWARE", "FIRMWARE", { s("V9.9") }, { { s("FIRMWARE"), s("V9.9") } } },
        { 583, "DEVICE_ID", "DEVICE_ID", { s("ID-42") }, { { s("DEVICE_ID"), s("ID-42") } } },
        { 583, "PCB_ID", "PCB_ID", { s("P-7") }, { { s("PCB_ID"), s("P-7") } } },
        { 583, "PCB_VERSION", "PCB_VERSION", { s("R3") }, { { s("PCB_VERSION"), s("R3") } } },
        { 583, "TASK_COPIES", "TASK_COPIES", { s("5") }, { { s("TASK_COPIES"), s("5") } } },
        { 583, "TASK_MODE", "TASK_MODE", { s("1") }, { { s("TASK_MODE"), s("1") } } },
        { 583, "SCALE_X", "SCALE_X", { s("1.25") }, { { s("SCALE_X"), s("1.25") } }, groups583 },
        { 583, "SCALE_Y", "SCALE_Y", { s("0.5") }, { { s("SCALE_Y"), s("0.5") } }, groups583 },
        { 583, "WORKAREA", "WORKAREA", { s("600"), s("400") },
          { { s("WORKAREA_X"), s("600") }, { s("WORKAREA_Y"), s("400") } }, groups583 },
        { 583, "CAMERA_OFFSET", "CAMERA_OFFSET", { s("-7.5"), s("3") },
          { { s("CAMERA_OFFSET_X"), s("-7.5") }, { s("CAMERA_OFFSET_Y"), s("3") } }, { s("camera_offset_583") } },
        { 583, "QRCODE_FILE", "QRCODE_FILE", { s("二维码.plt") }, { { qrKey(), s("二维码.plt") } } },
        { 583, "GET_QRCODE", "", {}, { { qrKey(), s("QR-20240001") } } },
        { 583, "TASK_STOP", "", {}, { { taskKey(), s("STOP") } } },
        { 261, "HEARTBEAT", "HEARTBEAT", { s("5") }, { { s("HEARTBEAT"), s("5") } } },
        { 261, "QRCODE_COPIES", "QRCODE_COPIES", { s("4") }, { { s("QRCODE_COPIES"), s("4") } } },
        { 261, "QRCODE_FILE", "QRCODE_FILE", { s("q.plt") }, { { qrKey(), s("q.plt") } } },
        { 261, "PU_SPEED", "PU_SPEED", { s("500") }, { { s("PU_SPEED"), s("500") } } },
        { 261, "FLAG_POINT", "FLAG_POINT", { s("0") }, { { s("FLAG_POINT"), s("0") } } },
        { 261, "BACK_FLAG_POINT", "BACK_FLAG_POINT", { s("0") }, { { s("BACK_FLAG_POINT"), s("0") } } },
        { 261, "DEVICE_INFO", "DEVICE_ID", { s("D-1") },
          { { s("DEVICE_MODEL"), s("KV-TRX3104MAXCam") }, { s("DEVICE_ID"), s("D-1") }, { s("PCB_ID"), s("PCB261-0001") },
            { s("PCB_VERSION"), s("V3.0") }, { s("FIRMWARE"), s("V4.1.0-sim") }, { s("DEVICE_CONFIG_NO"), s("CFG-261-01") } },
          groups261 },
        { 261, "DEVICE_UNIQUE_ID", "DEVICE_UNIQUE_ID", { s("U-1") }, { { s("DEVICE_UNIQUE_ID"), s("U-1") } }, groups261 },
        { 261, "CAMERA_OFFSET_X", "CAMERA_OFFSET_X", { s("65516"), s("65535"), s("0") },
          { { s("CAMERA_OFFSET_X"), s("-20") } }, groups261 },
        { 261, "CAMERA_OFFSET_Y", "CAMERA_OFFSET_Y", { s("4464"), s("1"), s("0") },
          { { s("CAMERA_OFFSET_Y"), s("70000") } }, groups261 },
        { 261, "AUTO_FEED", "AUTO_FEED", { s("1") }, { { s("AUTO_FEED"), s("1") } }, groups261 },
        { 261, "FEED_MODEL", "FEED_MODEL", { s("1") }, { { s("FEED_MODEL"), s("1") } }, groups261 },
        { 261, "FEED_LENGTH", "FEED_LENGTH", { s("150") }, { { s("FEED_LENGTH"), s("150") } }, groups261 },
        { 261, "FEED_CENTER", "FEED_CENTER", { s("270") }, { { s("FEED_CENTER"), s("270") } }, groups261 },
        { 261, "FAN_DELAY", "FAN_DELAY", { s("900") }, { { s("FAN_DELAY"), s("900") } }, groups261 },
        { 261, "FEED_SPEED", "FEED_SPEED", { s("250") }, { { s("FEED_SPEED"), s("250") } }, groups261 },
        { 261, "SCALE_X", "SCALE_X", { s("9999") }, { { s("SCALE_X"), s("9999") } }, groups261 },
        { 261, "SCALE_Y", "SCALE_Y", { s("10001") }, { { s("SCALE_Y"), s("10001") } }, groups261 },
        { 261, "SP1_TOOL", "SP1_TOOL", { s("1") }, { { s("SP1_TOOL"), s("1") } }, groups261 },
        { 261, "SP1_SPEED", "SP1_SPEED", { s("650") }, { { s("SP1_SPEED"), s("650") } }, groups261 },
        { 261, "SP1_PRESSURE", "SP1_PRESSURE", { s("300") }, { { s("SP1_PRESSURE"), s("300") } }, groups261 },
        { 261, "SP1_ANGLE", "SP1_ANGLE", { s("45") }, { { s("SP1_ANGLE"), s("45") } }, groups261 },
        { 261, "SP2_SPEED", "SP2_SPEED", { s("120") }, { { s("SP2_SPEED"), s("120") } }, groups261 },
        { 261, "SP2_PRESSURE", "SP2_PRESSURE", { s("90") }, { { s("SP2_PRESSURE"), s("90") } }, groups261 },
        { 261, "SP2_TOOL", "SP2_TOOL", { s("0") }, { { s("SP2_TOOL"), s("0") } }, groups261 },
        { 261, "SP2_ANGLE", "SP2_ANGLE", { s("30") }, { { s("SP2_ANGLE"), s("30") } }, groups261 },
        { 261, "TOOL_SPACE_X", "TOOL_SPACE_X", { s("100"), s("0"), s("0") }, { { s("TOOL_SPACE_X"), s("100") } }, groups261 },
        { 261, "TOOL_SPACE_Y", "TOOL_SPACE_Y", { s("200"), s("0"), s("0") }, { { s("TOOL_SPACE_Y"), s("200") } }, groups261 },
        { 261, "WORKAREA_X", "WORKAREA_X", { s("2000") }, { { s("WORKAREA_X"), s("2000") } }, groups261 },
        { 261, "WORKAREA_Y", "WORKAREA_Y", { s("3000") }, { { s("WORKAREA_Y"), s("3000") } }, groups261 },
        { 261, "MOVE_X", "MOVE_X", { s("100") }, { { s("MOVE_X"), s("100") } }, groups261 },
        { 261, "MOVE_Y", "MOVE_Y", { s("32868") }, { { s("MOVE_Y"), s("32868") } }, groups261 },
    };
    for (const Row &row : rows) {
        for (const bool overPty : { false, true }) {
            const QByteArray name = QByteArray::number(row.family) + ' ' + row.key + (overPty ? " over pty" : " over TCP");
            QTest::newRow(name.constData()) << row.family << row.groups << overPty << QString::fromLatin1(row.key)
                                            << QString::fromLatin1(row.parameter) << row.fields << row.expected;
        }
    }
}

void TestSimRecords::readsRecords()
{
    QFETCH(int, family);
    QFETCH(QStringList, groups);
    QFETCH(bool, overPty);
    QFETCH(QString, key);
    QFETCH(QString, parameter);
    QFETCH(QStringList, fields);
    QFETCH(Seen, expected);
    makeDevice(family, groups, overPty);
    if (!parameter.isEmpty())
        simulator->device()->parameters().setValue(parameter, fields);

    const KVDeviceProperty *record = device->property_ptr(key.toLatin1().constData());
    QVERIFY(record);
    QVERIFY(!record->get_cmd_bytes().isEmpty());
    device->sendCMD(record->get_cmd_bytes());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QTRY_COMPARE(seen(it.key()), it.value().toString());
}

void TestSimRecords::writesRecords_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<bool>("overPty");
    QTest::addColumn<QVariantMap>("values");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QStringList>("stored");

    struct Row
    {
        int family;
        QVariantMap values;
        const char *key;
        const char *parameter;
        QStringList stored;
        QStringList groups = {};
    };
    const auto s = [](const char *text) { return QString::fromUtf8(text); };
    const QList<Row> rows = {
        { 583, { { s("SPEED"), 450u } }, "SPEED", "SPEED", { s("450") } },
        { 583, { { s("PRESSURE"), 200u } }, "PRESSURE", "PRESSURE", { s("200") } },
        { 583, { { s("WORK_MODE"), 2u } }, "WORK_MODE", "WORK_MODE", { s("2") } },
        { 583, { { s("CAMERA_OFFSET_X"), 10.5 }, { s("CAMERA_OFFSET_Y"), -4.0 } }, "CAMERA_OFFSET", "CAMERA_OFFSET",
          { s("10.5"), s("-4") } },
        { 583, { { s("DEVICE_ID"), s("NEW-1") } }, "DEVICE_ID", "DEVICE_ID", { s("NEW-1") } },
        { 583, { { s("TASK_COPIES"), 3 } }, "TASK_COPIES", "TASK_COPIES", { s("3") } },
        { 583, { { s("TASK_MODE"), 1 } }, "TASK_MODE", "TASK_MODE", { s("1") } },
        { 583, { { s("SET_MARK"), 2 } }, "SET_MARK", "SET_MARK", { s("2") } },
        { 583, { { s("MOVE"), s("0,0,-80,-160") } }, "MOVE", "MOVE", { s("0"), s("0"), s("-80"), s("-160") } },
        { 583, { { s("SCALE_X"), 1.5 } }, "SCALE_X", "SCALE_X", { s("1.5") }, groups583 },
        { 583, { { s("WORKAREA_X"), 700.0 }, { s("WORKAREA_Y"), 500.0 } }, "WORKAREA", "WORKAREA",
          { s("700"), s("500") }, groups583 },
        { 261, { { s("HEARTBEAT"), 4 } }, "HEARTBEAT", "HEARTBEAT", { s("4") } },
        { 261, { { s("QRCODE_COPIES"), 2 } }, "QRCODE_COPIES", "QRCODE_COPIES", { s("2") } },
        { 261, { { s("WORK_MODE"), 2u } }, "WORK_MODE", "WORK_MODE", { s("2") } },
        { 261, { { s("PU_SPEED"), 650u } }, "PU_SPEED", "PU_SPEED", { s("650") } },
        { 261, { { s("DEVICE_ID"), s("D-9") } }, "DEVICE_ID", "DEVICE_ID", { s("D-9") }, groups261 },
        { 261, { { s("CAMERA_OFFSET_X"), 70000 } }, "CAMERA_OFFSET_X", "CAMERA_OFFSET_X",
          { s("4464"), s("1"), s("0") }, groups261 },
        { 261, { { s("CAMERA_OFFSET_Y"), -20 } }, "CAMERA_OFFSET_Y", "CAMERA_OFFSET_Y",
          { s("65516"), s("65535"), s("0") }, groups261 },
        { 261, { { s("SP1_ANGLE"), -90 } }, "SP1_ANGLE", "SP1_ANGLE", { s("-90") }, groups261 },
        { 261, { { s("AUTO_FEED"), 1u } }, "AUTO_FEED", "AUTO_FEED", { s("1") }, groups261 },
        { 261, { { s("MOVE_Y"), 32868 } }, "MOVE_Y", "MOVE_Y", { s("32868") }, groups261 },
    };
    for (const Row &row : rows) {
        for (const bool overPty : { false, true }) {
            const QByteArray name = QByteArray::number(row.family) + ' ' + row.key + (overPty ? " over pty" : " over TCP");
            QTest::newRow(name.constData()) << row.family << row.groups << overPty << row.values
                                            << QString::fromLatin1(row.key) << QString::fromLatin1(row.parameter)
                                            << row.stored;
        }
    }
}

void TestSimRecords::writesRecords()
{
    QFETCH(int, family);
    QFETCH(QStringList, groups);
    QFETCH(bool, overPty);
    QFETCH(QVariantMap, values);
    QFETCH(QString, key);
    QFETCH(QString, parameter);
    QFETCH(QStringList, stored);
    makeDevice(family, groups, overPty);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        device->property_ptr(it.key().toLatin1().constData())->setValue(it.value());

    const KVDeviceProperty *record = device->property_ptr(key.toLatin1().constData());
    QVERIFY(!record->set_cmd_bytes().isEmpty());
    QSignalSpy answered(simulator.get(), &KvSimulator::frameSent);
    device->sendCMD(record->set_cmd_bytes());
    QTRY_COMPARE(simulator->device()->parameters().value(parameter), stored);
    QTRY_COMPARE(answered.size(), 1);
    for (auto it = values.cbegin(); it != values.cend(); ++it) // the echo leaves the value as written
        QCOMPARE(device->property_ptr(it.key().toLatin1().constData())->value().toString(), it.value().toString());
}

void TestSimRecords::refusedWrites_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<QString>("hostAfter");

    // CCMD refusals are dropped by the host, which keeps what it wrote; a CMD refusal carries the
    // plotter's value, which the host takes back.
    QTest::newRow("583 speed below range") << 583 << QStringLiteral("SPEED") << QVariant(5u)
                                           << QStringList { QStringLiteral("300") } << QStringLiteral("5");
    QTest::newRow("583 work mode beyond options") << 583 << QStringLiteral("WORK_MODE") << QVariant(7u)
                                                  << QStringList { QStringLiteral("1") } << QStringLiteral("7");
    QTest::newRow("261 SP1 speed below range") << 261 << QStringLiteral("SP1_SPEED") << QVariant(5u)
                                               << QStringList { QStringLiteral("300") } << QStringLiteral("300");
    QTest::newRow("261 camera offset beyond range") << 261 << QStringLiteral("CAMERA_OFFSET_X") << QVariant(1000000)
                                                    << QStringList { QStringLiteral("2500"), QStringLiteral("0"), QStringLiteral("0") }
                                                    << QStringLiteral("2500");
    QTest::newRow("261 auto feed beyond options") << 261 << QStringLiteral("AUTO_FEED") << QVariant(3u)
                                                  << QStringList { QStringLiteral("0") } << QStringLiteral("0");
}

void TestSimRecords::refusedWrites()
{
    QFETCH(int, family);
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(QStringList, kept);
    QFETCH(QString, hostAfter);
    makeDevice(family, family == 261 ? groups261 : QStringList(), false);
    KVDeviceProperty *record = device->property_ptr(key.toLatin1().constData());
    record->setValue(value);
    QSignalSpy answered(simulator.get(), &KvSimulator::frameSent);
    device->sendCMD(record->set_cmd_bytes());
    QTRY_COMPARE(answered.size(), 1);
    QCoreApplication::processEvents();
    QTRY_COMPARE(record->value().toString(), hostAfter);
    QCOMPARE(simulator->device()->parameters().value(key), kept);
}

void TestSimRecords::modelJobRunsAllCopies()
{
    makeDevice(583, {}, false);
    QSignalSpy received(simulator.get(), &KvSimulator::frameReceived);
    KVDeviceProperty *copies = device->property_ptr("TASK_COPIES");
    copies->setValue(3);
    device->sendCMD(copies->set_cmd_bytes());
    QTRY_COMPARE(simulator->device()->parameters().value(QStringLiteral("TASK_COPIES")), QStringList { QStringLiteral("3") });

    device->setPlt(QStringLiteral("IN;PU0,0;PD4000,0;"));
    device->startTask();
    QTRY_COMPARE(simulator->device()->copiesFinished(), 3);
    QTRY_COMPARE(simulator->device()->jobState(), KvSimDevice::JobState::Idle);
    // The plotter is idle once it has sent its last notices; the host has them a moment later.
    const auto task = [this] { return device->property_ptr("TASK")->value().toJsonObject(); };
    QTRY_VERIFY(task().value(QStringLiteral("Finished")).toInt() == 3 && task().value(QStringLiteral("Status")).toInt() == 0);
    QCOMPARE(task().value(QStringLiteral("TaskCopies")).toInt(), 3);
    QCOMPARE(task().value(QStringLiteral("Percent")).toInt(), 100);
    int repeats = 0;
    for (const QList<QVariant> &signal : std::as_const(received))
        repeats += signal.at(0).toByteArray().contains(";CCMD;30,1;");
    QCOMPARE(repeats, 2);
}

void TestSimRecords::commonJobRunsAllCopies()
{
    makeDevice(261, {}, true);
    device->property_ptr("TASK_COPIES")->setValue(2);
    device->setPlt(QStringLiteral("IN;PU0,0;PD400,0;"));
    device->startTask();
    QTRY_COMPARE(simulator->device()->copiesFinished(), 2);
    QTRY_VERIFY(device->property_ptr("TASK"));
    QTRY_COMPARE(device->property_ptr("TASK")->value().toJsonObject().value(QStringLiteral("Status")).toInt(), 0);
    const QJsonObject task = device->property_ptr("TASK")->value().toJsonObject();
    QCOMPARE(task.value(QStringLiteral("Finished")).toInt(), 2);
    QCOMPARE(task.value(QStringLiteral("TaskCopies")).toInt(), 2);
    QCOMPARE(task.value(QStringLiteral("Percent")).toInt(), 100);
    QCOMPARE(task.value(QStringLiteral("FileName")).toString(), QStringLiteral("job1.plt"));
}

QTEST_MAIN(TestSimRecords)
#include "tst_simrecords.moc"
