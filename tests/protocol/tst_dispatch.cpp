// Received frames routed by the model's and the common dispatcher: task notices, QR texts,
// replies into records and the answer each record announces (retStatus), malformed frames,
// progress reports with repeat suppression, and the copy counter with the frames the device
// sends for the next copy.
#include "testdevice.h"
#include "attach.h"
#include "kvcommoninterface.h"
#include "kvdeviceproperty.h"
#include "kvrv520maxcam.h"

#include <QJsonObject>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QTest>

#include <limits>
#include <memory>

using Type = KVDeviceInterface::KVDeviceCMDType;
using Message = QPair<int, QString>;
using Messages = QList<Message>;
using Values = QMap<QByteArray, QVariant>;
using Answers = QList<QPair<QByteArray, int>>;

namespace {

// Every retStatus the records of a device announce, with the record's key, in order.
class AnswerLog : public QObject
{
public:
    explicit AnswerLog(const QObject *device)
    {
        for (const QByteArray &name : device->dynamicPropertyNames()) {
            if (KVDeviceProperty *record = KVDeviceProperty::fromHolder(device, name.constData()))
                connect(record, &KVDeviceProperty::retStatus, this, [this, name](int ret) { answers.append({ name, ret }); });
        }
    }
    Answers answers;
};

QByteArray framed(const QByteArray &text)
{
    return '\x02' + text + '\x03';
}

// The frame whose body is `body` (type word, ";", payload), with its length, as the device sends it.
QByteArray frame(const QString &body)
{
    const qsizetype word = body.indexOf(u';');
    return KVDeviceProperty().pack(body.mid(word + 1), body.left(word));
}

void receive(KVCommonInterface *device, const QString &body)
{
    device->decode_cmd(QString::fromUtf8(frame(body)));
}

Values recordValues(const QObject *device)
{
    Values values;
    for (const QByteArray &name : device->dynamicPropertyNames()) {
        if (const KVDeviceProperty *record = KVDeviceProperty::fromHolder(device, name.constData()))
            values.insert(name, record->value());
    }
    return values;
}

Messages messagesOf(const QSignalSpy &spy)
{
    Messages messages;
    for (const QList<QVariant> &arguments : spy)
        messages.append({ arguments.at(0).toInt(), arguments.at(1).toString() });
    return messages;
}

KVDeviceProperty *attachRecord(QObject *device, const char *key, const QVariant &value, Type type, int get,
                               int set, int len = 1)
{
    auto *record = new KVDeviceProperty;
    record->init(value, QString::fromLatin1(key), QString(), get, set, len, type);
    KVAttach::toDevice(device, key, record);
    return record;
}

void addFrame(const char *name, const char *catalogue, const QByteArray &bytes, const Values &changes = {},
              const Answers &answers = {}, const Messages &messages = {})
{
    QTest::newRow(name) << QString::fromLatin1(catalogue) << bytes << changes << answers << messages;
}

} // namespace

class tst_Dispatch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void framesReachHostAndRecords_data();
    void framesReachHostAndRecords();
    void firstRecordWithTypeAndCodeTakesTheReply();
    void itemParser_data();
    void itemParser();
    void progressReport_data();
    void progressReport();
    void progressRepeatsAreDropped_data();
    void progressRepeatsAreDropped();
    void copyCounter_data();
    void copyCounter();

private:
    KVCommonInterface *newDevice(const QString &catalogue) const;

    QScopedPointer<KVRV520MAXCam> root;
};

void tst_Dispatch::initTestCase()
{
    root.reset(new KVRV520MAXCam);
}

KVCommonInterface *tst_Dispatch::newDevice(const QString &catalogue) const
{
    if (catalogue == QLatin1String("261"))
        return static_cast<KVCommonInterface *>(KVCommonInterface().initInstance());
    if (catalogue == QLatin1String("bare"))
        return new KVCommonInterface;
    return static_cast<KVCommonInterface *>(root->initInstance());
}

void tst_Dispatch::framesReachHostAndRecords_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Values>("changes");
    QTest::addColumn<Answers>("answers");
    QTest::addColumn<Messages>("messages");

    const int task = KVDeviceInterface::DevTasK;
    const int qr = KVDeviceInterface::Qrcode;
    // Task notices of the model's firmware and QR texts.
    addFrame("pause, no state field", "model", frame("CCMD;27,0;"), {}, { { "TASK_PAUSE", 0 } }, { { task, "PAUSE" } });
    addFrame("pause", "model", frame("CCMD;27,0,0;"), {}, { { "TASK_PAUSE", 0 } }, { { task, "PAUSE" } });
    addFrame("resume", "model", frame("CCMD;27,0,1;"), {}, { { "TASK_RESUME", 0 } }, { { task, "RESUME" } });
    addFrame("stop", "model", frame("CCMD;27,0,2;"), {}, { { "TASK_STOP", 0 } }, { { task, "STOP" } });
    addFrame("unknown state", "model", frame("CCMD;27,0,3;"), {}, {}, { { task, "" } });
    addFrame("stopped at the machine, any result", "model", frame("CCMD;1001,5;"), {}, {}, { { task, "STOP" } });
    addFrame("refused task control is no notice", "model", frame("CCMD;27,1,0;"));
    addFrame("copy end on a fresh device", "model", frame("CCMD;4,0;"), {}, {}, { { task, "" } });
    addFrame("refused copy end answers the status read", "model", frame("CCMD;4,1;"), {}, { { "DEVICE_STATUS", 1 } });
    addFrame("QR file", "model", frame("CCMD;55,0,job.plt;"), {}, {}, { { qr, "job.plt" } });
    addFrame("QR code read", "model", frame("CCMD;11,0,QR-7;"), {}, {}, { { qr, "QR-7" } });
    addFrame("QR text is the last field", "model", frame("CCMD;55,0,a,b;"), {}, {}, { { qr, "b" } });

    // Replies into records; the record answered hears 0 (accepted) or the refusal.
    addFrame("speed read", "model", frame("CCMD;7,0,0,300;"), { { "SPEED", 300u } }, { { "SPEED", 0 } });
    addFrame("speed write echoed", "model", frame("CCMD;6,0,0,250;"), { { "SPEED", 250u } }, { { "SPEED", 0 } });
    addFrame("copies, code 30", "model", frame("CCMD;30,0,3;"), { { "TASK_COPIES", 3 } }, { { "TASK_COPIES", 0 } });
    addFrame("firmware", "model", frame("CCMD;51,0,V2.1.0;"), { { "FIRMWARE", "V2.1.0" } }, { { "FIRMWARE", 0 } });
    addFrame("work mode", "model", frame("CCMD;64,0,2;"), { { "WORK_MODE", 2u } }, { { "WORK_MODE", 0 } });
    addFrame("camera offset group", "model", frame("CCMD;18,0,1.5,-2;"),
             { { "CAMERA_OFFSET_X", 1.5 }, { "CAMERA_OFFSET_Y", -2.0 } }, { { "CAMERA_OFFSET", 0 } });
    addFrame("result not a number: accepted", "model", frame("CCMD;7,ok,0,300;"), { { "SPEED", 300u } }, { { "SPEED", 0 } });
    addFrame("acknowledgement without values", "model", frame("CCMD;32,0;"), {}, { { "TASK_MODE", 0 } });
    addFrame("refused write keeps the value", "model", frame("CCMD;6,1,0,900;"), {}, { { "SPEED", 1 } });
    addFrame("refused, negative result", "model", frame("CCMD;7,-1,0,300;"), {}, { { "SPEED", -1 } });
    addFrame("heartbeat", "261", frame("CCMD;1010,0,5;"), { { "HEARTBEAT", 5 } }, { { "HEARTBEAT", 0 } });
    addFrame("refused heartbeat", "261", frame("CCMD;1010,3;"), {}, { { "HEARTBEAT", 3 } });
    addFrame("register reply", "261", frame("CMD;R26:300;"), { { "PU_SPEED", 300u } }, { { "PU_SPEED", 0 } });
    addFrame("item without colon", "261", frame("CMD;26;"), { { "PU_SPEED", 26u } }, { { "PU_SPEED", 0 } });
    addFrame("first item's code decides", "261", frame("CMD;R87:1;R26:300;"), { { "FLAG_POINT", 1 + (300 << 16) } }, { { "FLAG_POINT", 0 } });

    // Replies whose values do not fit the record: answered, value kept.
    addFrame("parameter reply ending in 0", "model", framed("16;CCMD;7,0,0,0;"), {}, { { "SPEED", 0 } });
    addFrame("value without parameter", "model", framed("16;CCMD;7,0,300;"), {}, { { "SPEED", 0 } });
    addFrame("extra value", "model", framed("20;CCMD;7,0,0,300,1;"), {}, { { "SPEED", 0 } });
    addFrame("value not a number", "model", framed("16;CCMD;64,0,ab;"), {}, { { "WORK_MODE", 0 } });
    addFrame("register pair above 16 bits", "261", framed("23;CMD;R87:70000;88:1;"), {}, { { "FLAG_POINT", 0 } });

    // Malformed frames, and codes that name no record: nothing at all.
    addFrame("empty", "model", QByteArray());
    addFrame("two fields", "model", framed("9;CCMD"));
    addFrame("unknown type word", "model", framed("18;XYZ;7,0,0,300;"));
    addFrame("empty body", "model", framed("8;CCMD;;"));
    addFrame("code not a number", "model", framed("20;CCMD;abc,0,0,300;"));
    addFrame("code 0 names no record", "model", framed("13;CCMD;0,0,5;"));
    addFrame("no result field", "model", framed("10;CCMD;7;"));
    addFrame("group reply not UTF-8", "model", framed("19;CCMD;18,0,1\xc3,2;"));
    addFrame("task control code", "model", framed("17;CCMD;125,0,1;"));
    addFrame("register reply, no items", "261", framed("9;CMD;;"));
    addFrame("register reply, no field", "261", framed("8;CMD;"));
    addFrame("register task control code", "261", framed("15;CMD;R125:1;"));
    addFrame("register work mode, code 27", "261", framed("14;CMD;R27:2;"));
    addFrame("register code 0", "261", framed("12;CMD;X:5;"));
}

void tst_Dispatch::framesReachHostAndRecords()
{
    QFETCH(QString, catalogue);
    QFETCH(QByteArray, bytes);
    QFETCH(Values, changes);
    QFETCH(Answers, answers);
    QFETCH(Messages, messages);

    QScopedPointer<KVCommonInterface> target(newDevice(catalogue));
    Values expected = recordValues(target.data());
    expected.insert(changes);
    AnswerLog log(target.data());
    QSignalSpy spy(target.data(), &KVDeviceInterface::message);
    target->decode_cmd(QString::fromUtf8(bytes));
    QCOMPARE(recordValues(target.data()), expected);
    QCOMPARE(log.answers, answers);
    QCOMPARE(messagesOf(spy), messages);

    // The device still takes replies afterwards.
    const bool family261 = catalogue == QLatin1String("261");
    receive(target.data(), family261 ? QStringLiteral("CCMD;1010,0,9;") : QStringLiteral("CCMD;51,0,V9;"));
    QCOMPARE(target->property_ptr(family261 ? "HEARTBEAT" : "FIRMWARE")->value().toString(),
             family261 ? QStringLiteral("9") : QStringLiteral("V9"));
}

// Matching follows the records the device holds now, in the order they were attached; the
// host's own dynamic properties on the device are passed over.
void tst_Dispatch::firstRecordWithTypeAndCodeTakesTheReply()
{
    QScopedPointer<KVCommonInterface> bare(newDevice(QStringLiteral("bare")));
    KVDeviceProperty *otherType = attachRecord(bare.data(), "OTHER_TYPE", 0, Type::CMD, 5, 5);
    bare->setProperty("HOST_NOTE", QStringLiteral("note"));
    bare->setProperty("HOST_OBJECT", QVariant::fromValue(static_cast<QObject *>(root.data())));
    KVDeviceProperty *first = attachRecord(bare.data(), "FIRST", 0, Type::CCMD, 0, 5);
    KVDeviceProperty *second = attachRecord(bare.data(), "SECOND", 0, Type::CCMD, 5, 0);

    receive(bare.data(), QStringLiteral("CCMD;5,0,1;"));
    QCOMPARE(first->value(), QVariant(1));
    QCOMPARE(second->value(), QVariant(0));
    QCOMPARE(otherType->value(), QVariant(0));

    bare->setProperty("FIRST", QVariant());
    delete first;
    receive(bare.data(), QStringLiteral("CCMD;5,0,2;"));
    QCOMPARE(second->value(), QVariant(2));

    KVDeviceProperty *replacement = attachRecord(bare.data(), "SECOND", 0, Type::CCMD, 5, 5);
    attachRecord(bare.data(), "LATER", 0, Type::CCMD, 5, 5);
    receive(bare.data(), QStringLiteral("CCMD;5,0,3;"));
    QCOMPARE(replacement->value(), QVariant(3));
    QCOMPARE(bare->property_ptr("LATER")->value(), QVariant(0));
}

void tst_Dispatch::itemParser_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("head");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("value");

    QTest::newRow("no tag") << "12:1" << "" << 12 << "1";
    QTest::newRow("no colon") << "R26" << "R" << 26 << "R26";
    QTest::newRow("tag only") << "ABC" << "ABC" << 0 << "ABC";
    QTest::newRow("last colon counts") << "R1:2:3" << "R" << 0 << "3";
    QTest::newRow("lower case is no tag") << "r5:7" << "" << 0 << "7";
    QTest::newRow("negative code") << "R-5:3" << "R" << -5 << "3";
    QTest::newRow("empty") << "" << "" << 0 << "";
    QTest::newRow("value keeps its text") << "R7:名称" << "R" << 7 << "名称";
    QTest::newRow("code overflow reads 0") << "R99999999999:1" << "R" << 0 << "1";
}

void tst_Dispatch::itemParser()
{
    QFETCH(QString, item);
    QFETCH(QString, head);
    QFETCH(int, code);
    QFETCH(QString, value);

    QString parsedHead;
    QString parsedValue;
    int parsedCode = -1;
    KVCommonInterface().decode_cmd(item, parsedHead, parsedCode, parsedValue);
    QCOMPARE(parsedHead, head);
    QCOMPARE(parsedCode, code);
    QCOMPARE(parsedValue, value);
}

void tst_Dispatch::progressReport_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("report");
    QTest::addColumn<QJsonObject>("task"); // empty: the report is ignored

    const auto task = [](int status, const char *file, int copies, int finished, int percent) {
        return QJsonObject{ { "Status", status }, { "FileName", file }, { "TaskCopies", copies },
                            { "Finished", finished }, { "Percent", percent } };
    };
    const QString full = QStringLiteral("66,1,job.plt,3,1,57.9,0,0,0");
    QTest::newRow("percent truncated") << "model" << full << task(1, "job.plt", 3, 1, 57);
    QTest::newRow("empty fields read 0") << "model" << "66,,,,,,,," << task(0, "", 0, 0, 0);
    QTest::newRow("negative percent") << "model" << "66,2,a.plt,1,0,-12.7,0,0,0" << task(2, "a.plt", 1, 0, -12);
    QTest::newRow("huge percent held in range") << "model" << "66,2,a.plt,1,0,1e300,0,0,0"
                                                << task(2, "a.plt", 1, 0, std::numeric_limits<int>::max());
    QTest::newRow("file name in Chinese, extra fields") << "model" << "66,1,切割.plt,2,1,50,0,0,0,9"
                                                        << task(1, "切割.plt", 2, 1, 50);
    QTest::newRow("eight fields") << "model" << full.chopped(2) << QJsonObject();
    QTest::newRow("record created") << "261" << full << task(1, "job.plt", 3, 1, 57);
    QTest::newRow("record created, eight fields") << "261" << full.chopped(2) << QJsonObject();
}

// The report's values replace those of the task record; a key the record had besides them stays.
// A device without a task record gets one, empty until a whole report arrives.
void tst_Dispatch::progressReport()
{
    QFETCH(QString, catalogue);
    QFETCH(QString, report);
    QFETCH(QJsonObject, task);

    QScopedPointer<KVCommonInterface> target(newDevice(catalogue));
    KVDeviceProperty *existing = target->property_ptr("TASK");
    QJsonObject before;
    std::unique_ptr<QSignalSpy> changed;
    if (existing) {
        before = existing->value().toJsonObject();
        before.insert(QStringLiteral("Extra"), QStringLiteral("kept"));
        existing->setValue(before);
        changed = std::make_unique<QSignalSpy>(existing, &KVDeviceProperty::valueChanged);
    }
    AnswerLog log(target.data());
    QSignalSpy spy(target.data(), &KVDeviceInterface::message);
    receive(target.data(), QStringLiteral("CCMD;") + report + u';');

    const KVDeviceProperty *record = target->property_ptr("TASK");
    QVERIFY(record);
    if (!existing) {
        QCOMPARE(record->label(), KVCommonInterface::tr("当前任务"));
        QCOMPARE(record->cmd_type(), Type::UnCMD);
    }
    QJsonObject expected = task.isEmpty() ? before : task;
    if (before.contains(QStringLiteral("Extra")))
        expected.insert(QStringLiteral("Extra"), QStringLiteral("kept"));
    QCOMPARE(record->value().toJsonObject(), expected);
    if (changed)
        QCOMPARE(changed->count(), task.isEmpty() ? 0 : 1);
    const Messages told{ { KVDeviceInterface::DevTasK, report } };
    QCOMPARE(messagesOf(spy), task.isEmpty() ? Messages() : told);
    QVERIFY(log.answers.isEmpty());
}

void tst_Dispatch::progressRepeatsAreDropped_data()
{
    QTest::addColumn<QStringList>("reports");
    QTest::addColumn<int>("messages");

    const QString a = QStringLiteral("66,1,a.plt,1,0,10,0,0,0");
    const QString b = QStringLiteral("66,1,a.plt,1,0,20,0,0,0");
    QTest::newRow("twice in a row") << QStringList{ a, a } << 1;
    QTest::newRow("another between") << QStringList{ a, b, a } << 3;
    QTest::newRow("runs") << QStringList{ a, a, b, b, b, a } << 3;
}

void tst_Dispatch::progressRepeatsAreDropped()
{
    QFETCH(QStringList, reports);
    QFETCH(int, messages);

    QScopedPointer<KVCommonInterface> model(newDevice(QStringLiteral("model")));
    QSignalSpy spy(model.data(), &KVDeviceInterface::message);
    for (const QString &report : reports)
        receive(model.data(), QStringLiteral("CCMD;") + report + u';');
    QCOMPARE(spy.count(), messages);
    QCOMPARE(spy.last().at(1).toString(), reports.last());
}

void tst_Dispatch::copyCounter_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("finished");
    QTest::addColumn<int>("copies");
    QTest::addColumn<QByteArray>("missing");    // a record the device lacks
    QTest::addColumn<QList<int>>("counts");     // "Finished" after each copy-end notice; -1: no record
    QTest::addColumn<QList<QByteArray>>("sent");

    using Counts = QList<int>;
    using Frames = QList<QByteArray>;
    const QByteArray repeat = framed("15;CCMD;30,1;");
    const QByteArray readQr = framed("13;CCMD;11;");
    QTest::newRow("plot job, three copies") << 0 << 0 << 3 << QByteArray() << Counts{ 1, 2, 3 } << Frames{ repeat, repeat };
    QTest::newRow("QR job, three copies") << 1 << 0 << 3 << QByteArray() << Counts{ 1, 2, 3 } << Frames{ readQr, readQr };
    QTest::newRow("single copy") << 0 << 0 << 1 << QByteArray() << Counts{ 1 } << Frames{};
    QTest::newRow("notice after the last copy") << 0 << 2 << 2 << QByteArray() << Counts{ 2 } << Frames{};
    QTest::newRow("nothing requested") << 0 << 0 << 0 << QByteArray() << Counts{ 0, 0 } << Frames{};
    QTest::newRow("no task mode") << 0 << 0 << 3 << QByteArray("TASK_MODE") << Counts{ 1 } << Frames{};
    QTest::newRow("plot job without repeat") << 0 << 0 << 3 << QByteArray("TASK_REPEAT") << Counts{ 1 } << Frames{};
    QTest::newRow("QR job without code read") << 1 << 0 << 3 << QByteArray("GET_QRCODE") << Counts{ 1 } << Frames{};
    QTest::newRow("no task record") << 0 << 0 << 3 << QByteArray("TASK") << Counts{ -1 } << Frames{};
}

// Each copy-end notice counts a copy and asks for the next one while copies remain; without the
// records to ask with, the count is kept and the host hears nothing.
void tst_Dispatch::copyCounter()
{
    QFETCH(int, mode);
    QFETCH(int, finished);
    QFETCH(int, copies);
    QFETCH(QByteArray, missing);
    QFETCH(QList<int>, counts);
    QFETCH(QList<QByteArray>, sent);

    Recording<KVRV520MAXCam> model;
    model.init583(&model);
    const QJsonObject task{ { "Finished", finished }, { "Status", 2 }, { "TaskCopies", copies }, { "Percent", 40 } };
    attachRecord(&model, "TASK", task, Type::UnCMD, 0, 0, 0);
    attachRecord(&model, "TASK_REPEAT", 1, Type::CCMD, 0, 30);
    model.property_ptr("TASK_MODE")->setValue(mode);
    if (!missing.isEmpty()) {
        KVDeviceProperty *removed = model.property_ptr(missing.constData());
        model.setProperty(missing.constData(), QVariant());
        delete removed;
    }
    QSignalSpy spy(&model, &KVDeviceInterface::message);

    for (const int count : counts) {
        receive(&model, QStringLiteral("CCMD;4,0;"));
        const KVDeviceProperty *record = model.property_ptr("TASK");
        QCOMPARE(record == nullptr, count < 0);
        if (!record)
            continue;
        const QJsonObject now = record->value().toJsonObject();
        QCOMPARE(now.value(QStringLiteral("Finished")).toInt(), count);
        const bool done = count >= copies;
        QCOMPARE(now.value(QStringLiteral("Percent")).toInt(), done ? 100 : 40);
        QCOMPARE(now.value(QStringLiteral("Status")).toInt(), done ? 0 : 2);
    }
    QCOMPARE(model.sent, sent);
    const qsizetype notified = missing.isEmpty() ? counts.size() : 0;
    QCOMPARE(messagesOf(spy), Messages(notified, { KVDeviceInterface::DevTasK, QString() }));
}

QTEST_GUILESS_MAIN(tst_Dispatch)
#include "tst_dispatch.moc"
