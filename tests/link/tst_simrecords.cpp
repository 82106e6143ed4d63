// Device objects with their real catalogues against the simulated plotter: every coded record of
// both families read, written and read back through the plotter (over TCP, and over a
// pseudo-terminal for one record of each family), refused writes, and whole jobs.

#include "testdevice.h"
#include "simulator.h"

#include <QEventLoop>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

using Builder = void (KVCommonInterface::*)(KVDeviceInterface *);

// How a host makes the device: "583" the model, "583 groups" the model with the optional groups
// of its dialect, "261" the other family with all of its optional groups.
const QMap<QString, QList<Builder>> Setups = {
    { "583", {} },
    { "583 groups", { &KVCommonInterface::camera_offset_583, &KVCommonInterface::scale_583,
                      &KVCommonInterface::work_area_583 } },
    { "261", { &KVCommonInterface::info_261, &KVCommonInterface::camera_offset_261, &KVCommonInterface::feed_261,
               &KVCommonInterface::scale_261, &KVCommonInterface::sp1_261, &KVCommonInterface::sp2_261,
               &KVCommonInterface::tool_space_261, &KVCommonInterface::work_area_261,
               &KVCommonInterface::move_261 } },
};

std::unique_ptr<HostDevice> makeHost(const QString &setup)
{
    auto host = std::make_unique<HostDevice>(setup.left(3).toInt());
    auto *device = qobject_cast<KVCommonInterface *>(host->device.get());
    for (const Builder builder : Setups.value(setup))
        (device->*builder)(device);
    return host;
}

bool coded(const KVDeviceProperty *record)
{
    const auto type = record->cmd_type();
    const bool plot = type == KVDeviceInterface::PLT || type == KVDeviceInterface::PPLT || type == KVDeviceInterface::QRPLT;
    return !plot && !(record->get_cmd_bytes().isEmpty() && record->set_cmd_bytes().isEmpty());
}

// The plotter's entry for the record: the one of its name, with its read code where there are two.
const KvSimParameter *entryOf(KvSimParameters &table, const QByteArray &key, const KVDeviceProperty *record)
{
    const KvSimParameter *found = nullptr;
    for (const QList<KvSimParameter> *list : { &table.commands(), &table.registers() }) {
        for (const KvSimParameter &entry : *list) {
            if (entry.name == QLatin1String(key) && (!found || entry.get == record->get_cmd_int()))
                found = &entry;
        }
    }
    return found;
}

// The records a reply fills: a group's members, else the record itself.
QList<KVDeviceProperty *> targetsOf(KVDeviceProperty *record)
{
    QList<KVDeviceProperty *> targets;
    for (const QString &key : record->value().toStringList()) {
        if (KVDeviceProperty *member = record->property_ptr(key.toLatin1().constData()))
            targets.append(member);
    }
    return targets.isEmpty() ? QList<KVDeviceProperty *>{ record } : targets;
}

// Sets what the host shows of the record: one field to each member of a group, else all fields
// to the record as the text a multi-field write carries; in the record's own type where it has
// the value, no fields for an empty value.
void setShown(KVDeviceProperty *record, const QStringList &fields)
{
    const QList<KVDeviceProperty *> targets = targetsOf(record);
    for (int i = 0; i < targets.size(); ++i) {
        const QString text = targets.size() == 1 ? fields.join(u',') : fields.value(i);
        const QMetaType type = targets.at(i)->value().metaType();
        QVariant value = text;
        if (text.isNull())
            value = QVariant(type);
        else if (!value.convert(type) || value.toString() != text)
            value = text;
        targets.at(i)->setValue(value);
    }
}

// Sends `frame` and returns what the host then shows of the record (or the text of the QR-code
// message its reply raises).
QStringList shownAfter(HostDevice &host, KVDeviceProperty *record, const QByteArray &frame)
{
    const qsizetype before = host.messages->size();
    QSignalSpy answered(record, &KVDeviceProperty::retStatus);
    QEventLoop loop;
    QObject::connect(record, &KVDeviceProperty::retStatus, &loop, &QEventLoop::quit);
    QObject::connect(host.device.get(), &KVDeviceInterface::message, &loop, &QEventLoop::quit);
    QTimer::singleShot(3000, &loop, &QEventLoop::quit);
    host.device->sendCMD(frame);
    loop.exec();
    if (answered.isEmpty() && host.messages->size() == before)
        return { QStringLiteral("<no answer>") };
    if (answered.isEmpty())
        return { host.messages->last().at(1).toString() };
    if (answered.first().first().toInt() != 0)
        return { QStringLiteral("<refused>") };
    QStringList values;
    for (const KVDeviceProperty *target : targetsOf(record))
        values.append(target->value().toString());
    return values;
}

// What the host should show of the plotter's fields: a register pair as its signed number.
QStringList asShown(const KvSimParameter &entry, const QStringList &fields)
{
    return entry.wide ? QStringList{ QString::number(KvSimParameters::wideValue(fields)) } : fields;
}

// A value the plotter accepts other than the one it holds: the other end of its range (the low
// end for a register pair, which is negative), a number one up, or a longer text.
QStringList otherValue(const KvSimParameter &entry, const QStringList &fields)
{
    if (entry.wide)
        return { QString::number(entry.min) };
    QStringList other;
    for (const QString &field : fields) {
        bool number = false;
        const double value = field.toDouble(&number);
        if (entry.ranged)
            other.append(QString::number(value == entry.max ? entry.min : entry.max));
        else
            other.append(number ? QString::number(value + 1) : field + QStringLiteral("-2"));
    }
    return other;
}

} // namespace

class TestSimRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyCodedRecordRoundTrips_data();
    void everyCodedRecordRoundTrips();
    void refusedWrites_data();
    void refusedWrites();
    void jobRunsAllCopies_data();
    void jobRunsAllCopies();
};

void TestSimRecords::everyCodedRecordRoundTrips_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<bool>("overPty");
    const std::unique_ptr<HostDevice> model = makeHost(QStringLiteral("583"));
    for (const QString &setup : Setups.keys()) {
        const std::unique_ptr<HostDevice> host = makeHost(setup);
        bool ptyRowAdded = setup == QLatin1String("583 groups");
        for (const QByteArray &key : host->device->dynamicPropertyNames()) {
            const KVDeviceProperty *record = host->record(key.constData());
            const KVDeviceProperty *inModel = model->record(key.constData());
            const bool fromGroup = !inModel || inModel->get_cmd_bytes() != record->get_cmd_bytes();
            if (!coded(record) || (setup == QLatin1String("583 groups") && !fromGroup))
                continue;
            QTest::addRow("%s %s", qPrintable(setup), key.constData()) << setup << key << false;
            const bool number = record->value().typeId() == QMetaType::Int || record->value().typeId() == QMetaType::UInt;
            if (!ptyRowAdded && number && !record->get_cmd_bytes().isEmpty() && !record->set_cmd_bytes().isEmpty()) {
                QTest::addRow("%s %s over pty", qPrintable(setup), key.constData()) << setup << key << true;
                ptyRowAdded = true;
            }
        }
    }
}

// A read shows what the plotter holds; a write of another value changes what it holds and a
// read brings that value back. Records the plotter keeps no value for (task control, QR-code
// and status requests) get an answer to their code.
void TestSimRecords::everyCodedRecordRoundTrips()
{
    QFETCH(QString, setup);
    QFETCH(QByteArray, key);
    QFETCH(bool, overPty);
    KvSimulator simulator(setup.left(3).toInt());
    simulator.device()->setTimeScale(0);
    QVERIFY(simulator.listenTcp(0));
    const std::unique_ptr<HostDevice> host = makeHost(setup);
    if (overPty) {
        QVERIFY(simulator.openPty());
        QVERIFY(host->connectUsb(simulator.ptyPath()));
    } else {
        QVERIFY(host->connectTcp(simulator.tcpPort()));
    }
    KVDeviceProperty *record = host->record(key.constData());
    KvSimParameters &table = simulator.device()->parameters();
    const KvSimParameter *entry = entryOf(table, key, record);
    if (!entry) {
        QSignalSpy answers(&simulator, &KvSimulator::frameSent);
        for (const QByteArray &frame : { record->get_cmd_bytes(), record->set_cmd_bytes() }) {
            if (frame.isEmpty())
                continue;
            answers.clear();
            host->device->sendCMD(frame);
            QVERIFY(answers.wait());
            const QString answer = QString::fromUtf8(answers.first().first().toByteArray());
            const QRegularExpressionMatch unknown = QRegularExpression(";CCMD;(\\d+),2;").match(answer);
            QVERIFY2(!unknown.hasMatch(), qPrintable(answer));
        }
        return;
    }
    // Replies with the task-control codes 27 and 125 are never matched to a record, whatever their
    // type: the 261 family's work mode (register 27) is written, not read back.
    const bool answered = record->get_cmd_int() != 27 && record->get_cmd_int() != 125;
    const bool readable = answered && !record->get_cmd_bytes().isEmpty();
    if (readable) {
        setShown(record, {});
        QCOMPARE(shownAfter(*host, record, record->get_cmd_bytes()), asShown(*entry, table.value(entry->name)));
    }
    if (record->set_cmd_bytes().isEmpty())
        return;
    const QStringList other = otherValue(*entry, table.value(entry->name));
    setShown(record, other);
    if (answered)
        QVERIFY(shownAfter(*host, record, record->set_cmd_bytes()) != QStringList{ QStringLiteral("<no answer>") });
    else
        host->device->sendCMD(record->set_cmd_bytes());
    QTRY_COMPARE(asShown(*entry, table.value(entry->name)), other);
    if (readable) {
        setShown(record, {});
        QCOMPARE(shownAfter(*host, record, record->get_cmd_bytes()), other);
    }
}

void TestSimRecords::refusedWrites_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<QString>("hostAfter");

    // CCMD refusals are dropped by the host, which keeps what it wrote; a CMD refusal carries the
    // plotter's value, which the host takes back. The plotter keeps its value, and the next read
    // brings it to the host.
    QTest::newRow("583 speed below range") << "583" << QByteArray("SPEED") << QVariant(5u) << QStringList{ "300" } << "5";
    QTest::newRow("583 work mode beyond options") << "583" << QByteArray("WORK_MODE") << QVariant(7u) << QStringList{ "1" }
                                                  << "7";
    QTest::newRow("261 SP1 speed below range") << "261" << QByteArray("SP1_SPEED") << QVariant(5u) << QStringList{ "300" }
                                               << "300";
    QTest::newRow("261 camera offset beyond range") << "261" << QByteArray("CAMERA_OFFSET_X") << QVariant(1000000)
                                                    << QStringList{ "2500", "0", "0" } << "2500";
}

void TestSimRecords::refusedWrites()
{
    QFETCH(QString, setup);
    QFETCH(QByteArray, key);
    QFETCH(QVariant, value);
    QFETCH(QStringList, kept);
    QFETCH(QString, hostAfter);
    KvSimulator simulator(setup.toInt());
    QVERIFY(simulator.listenTcp(0));
    const std::unique_ptr<HostDevice> host = makeHost(setup);
    QVERIFY(host->connectTcp(simulator.tcpPort()));
    KVDeviceProperty *record = host->record(key.constData());
    record->setValue(value);
    QVERIFY(host->exchange(key.constData(), true) >= 0);
    QCOMPARE(record->value().toString(), hostAfter);
    QCOMPARE(simulator.device()->parameters().value(QString::fromLatin1(key)), kept);
    QCOMPARE(host->exchange(key.constData()), 0);
    QCOMPARE(record->value().toString(), kept.size() > 1 ? QString::number(KvSimParameters::wideValue(kept)) : kept.first());
}

void TestSimRecords::jobRunsAllCopies_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<bool>("overPty");
    QTest::addColumn<QByteArray>("repeatRequest");
    QTest::newRow("583 over TCP") << 583 << false << QByteArray(";CCMD;30,1;");
    QTest::newRow("261 over pty") << 261 << true << QByteArray();
}

// The host asks for each further copy (the model with a repeat request) until all are cut, and
// its task record ends with every copy finished.
void TestSimRecords::jobRunsAllCopies()
{
    QFETCH(int, family);
    QFETCH(bool, overPty);
    QFETCH(QByteArray, repeatRequest);
    KvSimulator simulator(family);
    simulator.device()->setTimeScale(0);
    QVERIFY(simulator.listenTcp(0));
    HostDevice host(family);
    if (overPty) {
        QVERIFY(simulator.openPty());
        QVERIFY(host.connectUsb(simulator.ptyPath()));
    } else {
        QVERIFY(host.connectTcp(simulator.tcpPort()));
    }
    QSignalSpy received(&simulator, &KvSimulator::frameReceived);
    host.record("TASK_COPIES")->setValue(3);
    if (family == 583)
        QCOMPARE(host.exchange("TASK_COPIES", true), 0);
    host.device->setPlt(QStringLiteral("IN;PU0,0;PD4000,0;"));
    host.device->startTask();
    QTRY_COMPARE(simulator.device()->copiesFinished(), 3);
    QTRY_VERIFY(host.record("TASK")); // the 261 family makes it with the first progress report
    const auto task = [&host](const char *field) { return host.task().value(QLatin1String(field)).toVariant(); };
    QTRY_VERIFY(task("Finished") == 3 && task("Status") == 0);
    QCOMPARE(task("TaskCopies"), QVariant(3));
    QCOMPARE(task("Percent"), QVariant(100));
    QCOMPARE(task("FileName"), QVariant(QStringLiteral("job1.plt")));
    int repeats = 0;
    for (const QList<QVariant> &frame : std::as_const(received))
        repeats += !repeatRequest.isEmpty() && frame.at(0).toByteArray().contains(repeatRequest);
    QCOMPARE(repeats, repeatRequest.isEmpty() ? 0 : 2);
}

QTEST_MAIN(TestSimRecords)
#include "tst_simrecords.moc"
