// Received frames routed by the model's and the common dispatcher: task notices, QR texts,
// progress reports with repeat suppression, ordinary replies into records, malformed frames,
// and the copy counter with the frames the device sends for the next copy.
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

using Type = KVDeviceInterface::KVDeviceCMDType;
using Message = QPair<int, QString>;
using Messages = QList<Message>;
using Values = QMap<QByteArray, QVariant>;

namespace {

// The received frame whose body is `body` (type word, ";", payload), as the receive path hands it on.
QString frame(const QString &body)
{
    const qsizetype word = body.indexOf(u';');
    return QString::fromUtf8(KVDeviceProperty().pack(body.mid(word + 1), body.left(word)));
}

QByteArray framed(const QByteArray &text)
{
    return '\x02' + text + '\x03';
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

QJsonObject taskRecord(int finished, int copies)
{
    return { { "Finished", finished }, { "Status", 2 }, { "TaskCopies", copies }, { "Percent", 40 } };
}

} // namespace

class tst_Dispatch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void taskNoticesAndQrTexts_data();
    void taskNoticesAndQrTexts();
    void repliesReachTheirRecord_data();
    void repliesReachTheirRecord();
    void firstRecordWithTypeAndCodeTakesTheReply();
    void itemParser_data();
    void itemParser();
    void progressReport_data();
    void progressReport();
    void progressRepeatsAreDropped_data();
    void progressRepeatsAreDropped();
    void progressCreatesMissingTaskRecord_data();
    void progressCreatesMissingTaskRecord();
    void copyCounter_data();
    void copyCounter();

    void malformedFramesChangeNothing_data();
    void malformedFramesChangeNothing();
    void hostPropertiesDoNotBlockReplies_data();
    void hostPropertiesDoNotBlockReplies();
    void copyStepWithoutItsRecords_data();
    void copyStepWithoutItsRecords();

private:
    KVCommonInterface *newDevice(const QString &catalogue) const;

    QScopedPointer<KVRV520MAXCam> root;
    KVCommonInterface *device = nullptr;
};

void tst_Dispatch::initTestCase()
{
    root.reset(new KVRV520MAXCam);
}

void tst_Dispatch::init()
{
    device = newDevice(QStringLiteral("model"));
}

void tst_Dispatch::cleanup()
{
    delete device;
    device = nullptr;
}

KVCommonInterface *tst_Dispatch::newDevice(const QString &catalogue) const
{
    if (catalogue == QLatin1String("261"))
        return static_cast<KVCommonInterface *>(KVCommonInterface().initInstance());
    if (catalogue == QLatin1String("bare"))
        return new KVCommonInterface;
    return static_cast<KVCommonInterface *>(root->initInstance());
}

void tst_Dispatch::taskNoticesAndQrTexts_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<Messages>("messages");

    const int task = KVDeviceInterface::DevTasK;
    const int qr = KVDeviceInterface::Qrcode;
    QTest::newRow("pause, no state field") << "CCMD;27,0;" << Messages{ { task, "PAUSE" } };
    QTest::newRow("pause") << "CCMD;27,0,0;" << Messages{ { task, "PAUSE" } };
    QTest::newRow("resume") << "CCMD;27,0,1;" << Messages{ { task, "RESUME" } };
    QTest::newRow("stop") << "CCMD;27,0,2;" << Messages{ { task, "STOP" } };
    QTest::newRow("unknown state") << "CCMD;27,0,3;" << Messages{ { task, "" } };
    QTest::newRow("stopped at the machine, any result") << "CCMD;1001,5;" << Messages{ { task, "STOP" } };
    QTest::newRow("refused task control is no notice") << "CCMD;27,1,0;" << Messages{};
    QTest::newRow("copy end on a fresh device") << "CCMD;4,0;" << Messages{ { task, "" } };
    QTest::newRow("refused copy end") << "CCMD;4,1;" << Messages{};
    QTest::newRow("QR file") << "CCMD;55,0,job.plt;" << Messages{ { qr, "job.plt" } };
    QTest::newRow("QR code read") << "CCMD;11,0,QR-7;" << Messages{ { qr, "QR-7" } };
    QTest::newRow("QR text is the last field") << "CCMD;55,0,a,b;" << Messages{ { qr, "b" } };
    QTest::newRow("QR text in Chinese") << "CCMD;55,0,切割.plt;" << Messages{ { qr, "切割.plt" } };
}

void tst_Dispatch::taskNoticesAndQrTexts()
{
    QFETCH(QString, body);
    QFETCH(Messages, messages);

    QSignalSpy spy(device, &KVDeviceInterface::message);
    device->decode_cmd(frame(body));
    QCOMPARE(messagesOf(spy), messages);
}

void tst_Dispatch::repliesReachTheirRecord_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("body");
    QTest::addColumn<Values>("changes");

    QTest::newRow("speed read") << "model" << "CCMD;7,0,0,300;" << Values{ { "SPEED", 300u } };
    QTest::newRow("speed write acknowledged") << "model" << "CCMD;6,0,0,250;" << Values{ { "SPEED", 250u } };
    QTest::newRow("pressure") << "model" << "CCMD;9,0,0,120;" << Values{ { "PRESSURE", 120u } };
    QTest::newRow("copies, code 30, first record only") << "model" << "CCMD;30,0,3;" << Values{ { "TASK_COPIES", 3 } };
    QTest::newRow("firmware") << "model" << "CCMD;51,0,V2.1.0;" << Values{ { "FIRMWARE", "V2.1.0" } };
    QTest::newRow("work mode") << "model" << "CCMD;64,0,2;" << Values{ { "WORK_MODE", 2u } };
    QTest::newRow("camera offset group") << "model" << "CCMD;18,0,1.5,-2;"
                                         << Values{ { "CAMERA_OFFSET_X", 1.5 }, { "CAMERA_OFFSET_Y", -2.0 } };
    QTest::newRow("result field not a number counts as accepted") << "model" << "CCMD;7,ok,0,300;"
                                                                  << Values{ { "SPEED", 300u } };
    QTest::newRow("heartbeat") << "261" << "CCMD;1010,0,5;" << Values{ { "HEARTBEAT", 5 } };
    QTest::newRow("register reply") << "261" << "CMD;R26:300;" << Values{ { "PU_SPEED", 300u } };
    QTest::newRow("item without colon") << "261" << "CMD;26;" << Values{ { "PU_SPEED", 26u } };
    QTest::newRow("first item's code decides") << "261" << "CMD;R87:1;R26:300;"
                                               << Values{ { "FLAG_POINT", 1 + (300 << 16) } };
}

void tst_Dispatch::repliesReachTheirRecord()
{
    QFETCH(QString, catalogue);
    QFETCH(QString, body);
    QFETCH(Values, changes);

    QScopedPointer<KVCommonInterface> target(newDevice(catalogue));
    Values expected = recordValues(target.data());
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        expected.insert(it.key(), it.value());
    QSignalSpy spy(target.data(), &KVDeviceInterface::message);
    target->decode_cmd(frame(body));
    QCOMPARE(recordValues(target.data()), expected);
    QCOMPARE(spy.count(), 0);
}

void tst_Dispatch::firstRecordWithTypeAndCodeTakesTheReply()
{
    QScopedPointer<KVCommonInterface> bare(newDevice(QStringLiteral("bare")));
    KVDeviceProperty *otherType = attachRecord(bare.data(), "OTHER_TYPE", 0, Type::CMD, 5, 5);
    KVDeviceProperty *first = attachRecord(bare.data(), "FIRST", 0, Type::CCMD, 0, 5);
    KVDeviceProperty *second = attachRecord(bare.data(), "SECOND", 0, Type::CCMD, 5, 0);

    bare->decode_cmd(frame(QStringLiteral("CCMD;5,0,1;")));
    QCOMPARE(first->value(), QVariant(1));
    QCOMPARE(second->value(), QVariant(0));
    QCOMPARE(otherType->value(), QVariant(0));

    // Matching follows the records the device holds now.
    bare->setProperty("FIRST", QVariant());
    delete first;
    bare->decode_cmd(frame(QStringLiteral("CCMD;5,0,2;")));
    QCOMPARE(second->value(), QVariant(2));

    KVDeviceProperty *replacement = attachRecord(bare.data(), "SECOND", 0, Type::CCMD, 5, 5);
    attachRecord(bare.data(), "LATER", 0, Type::CCMD, 5, 5);
    bare->decode_cmd(frame(QStringLiteral("CCMD;5,0,3;")));
    QCOMPARE(replacement->value(), QVariant(3));
    QCOMPARE(bare->property_ptr("LATER")->value(), QVariant(0));
}

void tst_Dispatch::itemParser_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("head");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("value");

    QTest::newRow("tag, code, value") << "GET134:5" << "GET" << 134 << "5";
    QTest::newRow("write item") << "SET11:4464" << "SET" << 11 << "4464";
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
    device->decode_cmd(item, parsedHead, parsedCode, parsedValue);
    QCOMPARE(parsedHead, head);
    QCOMPARE(parsedCode, code);
    QCOMPARE(parsedValue, value);
}

void tst_Dispatch::progressReport_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<QJsonObject>("task");

    QTest::newRow("percent truncated") << "66,1,job.plt,3,1,57.9,0,0,0"
                                       << QJsonObject{ { "Status", 1 }, { "FileName", "job.plt" }, { "TaskCopies", 3 },
                                                       { "Finished", 1 }, { "Percent", 57 } };
    QTest::newRow("empty fields read 0") << "66,,,,,,,,"
                                         << QJsonObject{ { "Status", 0 }, { "FileName", "" }, { "TaskCopies", 0 },
                                                         { "Finished", 0 }, { "Percent", 0 } };
    QTest::newRow("negative percent") << "66,2,a.plt,1,0,-12.7,0,0,0"
                                      << QJsonObject{ { "Status", 2 }, { "FileName", "a.plt" }, { "TaskCopies", 1 },
                                                      { "Finished", 0 }, { "Percent", -12 } };
    QTest::newRow("huge percent held in range") << "66,2,a.plt,1,0,1e300,0,0,0"
                                                << QJsonObject{ { "Status", 2 }, { "FileName", "a.plt" },
                                                                { "TaskCopies", 1 }, { "Finished", 0 },
                                                                { "Percent", std::numeric_limits<int>::max() } };
    QTest::newRow("file name in Chinese, extra fields") << "66,1,切割.plt,2,1,50,0,0,0,9"
                                                        << QJsonObject{ { "Status", 1 }, { "FileName", "切割.plt" },
                                                                        { "TaskCopies", 2 }, { "Finished", 1 },
                                                                        { "Percent", 50 } };
}

void tst_Dispatch::progressReport()
{
    QFETCH(QString, report);
    QFETCH(QJsonObject, task);

    KVDeviceProperty *record = device->property_ptr("TASK");
    QJsonObject start = record->value().toJsonObject();
    start.insert(QStringLiteral("Extra"), QStringLiteral("kept"));
    record->setValue(start);
    QSignalSpy changed(record, &KVDeviceProperty::valueChanged);
    QSignalSpy spy(device, &KVDeviceInterface::message);

    device->decode_cmd(frame(QStringLiteral("CCMD;") + report + u';'));
    task.insert(QStringLiteral("Extra"), QStringLiteral("kept"));
    QCOMPARE(record->value().toJsonObject(), task);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(messagesOf(spy), (Messages{ { KVDeviceInterface::DevTasK, report } }));
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

    QSignalSpy spy(device, &KVDeviceInterface::message);
    for (const QString &report : reports)
        device->decode_cmd(frame(QStringLiteral("CCMD;") + report + u';'));
    QCOMPARE(spy.count(), messages);
    QCOMPARE(spy.last().at(1).toString(), reports.last());
}

void tst_Dispatch::progressCreatesMissingTaskRecord_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<QJsonObject>("task");
    QTest::addColumn<int>("messages");

    QTest::newRow("full report") << "66,1,job.plt,3,1,57.9,0,0,0"
                                 << QJsonObject{ { "Status", 1 }, { "FileName", "job.plt" }, { "TaskCopies", 3 },
                                                 { "Finished", 1 }, { "Percent", 57 } }
                                 << 1;
    QTest::newRow("eight fields") << "66,1,job.plt,3,1,57.9,0,0" << QJsonObject() << 0;
}

void tst_Dispatch::progressCreatesMissingTaskRecord()
{
    QFETCH(QString, report);
    QFETCH(QJsonObject, task);
    QFETCH(int, messages);

    QScopedPointer<KVCommonInterface> family261(newDevice(QStringLiteral("261")));
    QVERIFY(!family261->property_ptr("TASK"));
    QSignalSpy spy(family261.data(), &KVDeviceInterface::message);
    family261->decode_cmd(frame(QStringLiteral("CCMD;") + report + u';'));

    const KVDeviceProperty *record = family261->property_ptr("TASK");
    QVERIFY(record);
    QCOMPARE(record->label(), KVCommonInterface::tr("当前任务"));
    QCOMPARE(record->cmd_type(), Type::UnCMD);
    QCOMPARE(record->value().toJsonObject(), task);
    QCOMPARE(spy.count(), messages);
}

void tst_Dispatch::copyCounter_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("finished");
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("notices");
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<QList<QByteArray>>("sent");

    const QByteArray repeat = framed("15;CCMD;30,1;");
    const QByteArray readQr = framed("13;CCMD;11;");
    QTest::newRow("plot job, three copies") << 0 << 0 << 3 << 3 << QList<int>{ 1, 2, 3 }
                                            << QList<QByteArray>{ repeat, repeat };
    QTest::newRow("QR job, three copies") << 1 << 0 << 3 << 3 << QList<int>{ 1, 2, 3 }
                                          << QList<QByteArray>{ readQr, readQr };
    QTest::newRow("single copy") << 0 << 0 << 1 << 1 << QList<int>{ 1 } << QList<QByteArray>{};
    QTest::newRow("notice after the last copy") << 0 << 2 << 2 << 1 << QList<int>{ 2 } << QList<QByteArray>{};
    QTest::newRow("nothing requested") << 0 << 0 << 0 << 2 << QList<int>{ 0, 0 } << QList<QByteArray>{};
}

void tst_Dispatch::copyCounter()
{
    QFETCH(int, mode);
    QFETCH(int, finished);
    QFETCH(int, copies);
    QFETCH(int, notices);
    QFETCH(QList<int>, counts);
    QFETCH(QList<QByteArray>, sent);

    Recording<KVRV520MAXCam> model;
    model.init583(&model);
    attachRecord(&model, "TASK", taskRecord(finished, copies), Type::UnCMD, 0, 0, 0);
    attachRecord(&model, "TASK_REPEAT", 1, Type::CCMD, 0, 30);
    model.property_ptr("TASK_MODE")->setValue(mode);
    QSignalSpy spy(&model, &KVDeviceInterface::message);

    for (int i = 0; i < notices; ++i) {
        model.decode_cmd(frame(QStringLiteral("CCMD;4,0;")));
        const QJsonObject task = model.property_ptr("TASK")->value().toJsonObject();
        QCOMPARE(task.value(QStringLiteral("Finished")).toInt(), counts.at(i));
        const bool done = counts.at(i) >= copies;
        QCOMPARE(task.value(QStringLiteral("Percent")).toInt(), done ? 100 : 40);
        QCOMPARE(task.value(QStringLiteral("Status")).toInt(), done ? 0 : 2);
    }
    QCOMPARE(model.sent, sent);
    QCOMPARE(messagesOf(spy), Messages(notices, { KVDeviceInterface::DevTasK, QString() }));
}

void tst_Dispatch::malformedFramesChangeNothing_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty") << "model" << QByteArray();
    QTest::newRow("delimiters only") << "model" << framed("");
    QTest::newRow("two fields") << "model" << framed("9;CCMD");
    QTest::newRow("unknown type word") << "model" << framed("18;XYZ;7,0,0,300;");
    QTest::newRow("empty body") << "model" << framed("8;CCMD;;");
    QTest::newRow("code not a number") << "model" << framed("20;CCMD;abc,0,0,300;");
    QTest::newRow("empty code") << "model" << framed("17;CCMD;,0,0,300;");
    QTest::newRow("code 0 names no record") << "model" << framed("13;CCMD;0,0,5;");
    QTest::newRow("refused") << "model" << framed("18;CCMD;7,1,0,300;");
    QTest::newRow("refused negative") << "model" << framed("19;CCMD;7,-1,0,300;");
    QTest::newRow("no result field") << "model" << framed("10;CCMD;7;");
    QTest::newRow("no values") << "model" << framed("12;CCMD;7,0;");
    QTest::newRow("parameter reply ending in 0") << "model" << framed("16;CCMD;7,0,0,0;");
    QTest::newRow("parameter differs") << "model" << framed("18;CCMD;7,0,1,300;");
    QTest::newRow("value without parameter") << "model" << framed("16;CCMD;7,0,300;");
    QTest::newRow("extra value") << "model" << framed("20;CCMD;7,0,0,300,1;");
    QTest::newRow("value not a number") << "model" << framed("16;CCMD;64,0,ab;");
    QTest::newRow("empty value") << "model" << framed("14;CCMD;64,0,;");
    QTest::newRow("bytes not UTF-8") << "model" << framed("17;CCMD;51,0,\xff\xfe;");
    QTest::newRow("group reply not UTF-8") << "model" << framed("19;CCMD;18,0,1\xc3,2;");
    QTest::newRow("task control code") << "model" << framed("17;CCMD;125,0,1;");
    QTest::newRow("register reply, no items") << "261" << framed("9;CMD;;");
    QTest::newRow("register reply, no field") << "261" << framed("8;CMD;");
    QTest::newRow("register task control code") << "261" << framed("15;CMD;R125:1;");
    QTest::newRow("register work mode, code 27") << "261" << framed("14;CMD;R27:2;");
    QTest::newRow("register code 0") << "261" << framed("12;CMD;X:5;");
    QTest::newRow("register value not a number") << "261" << framed("16;CMD;R26:abc;");
    QTest::newRow("register value not UTF-8") << "261" << framed("14;CMD;R26:\xff;");
    QTest::newRow("register pair above 16 bits") << "261" << framed("23;CMD;R87:70000;88:1;");
}

void tst_Dispatch::malformedFramesChangeNothing()
{
    QFETCH(QString, catalogue);
    QFETCH(QByteArray, bytes);

    QScopedPointer<KVCommonInterface> target(newDevice(catalogue));
    const Values before = recordValues(target.data());
    QSignalSpy spy(target.data(), &KVDeviceInterface::message);
    target->decode_cmd(QString::fromUtf8(bytes));
    QCOMPARE(recordValues(target.data()), before);
    QCOMPARE(spy.count(), 0);
    // The device still works afterwards.
    target->decode_cmd(frame(catalogue == QLatin1String("261") ? QStringLiteral("CCMD;1010,0,9;")
                                                                 : QStringLiteral("CCMD;51,0,V9;")));
    QCOMPARE(target->property_ptr(catalogue == QLatin1String("261") ? "HEARTBEAT" : "FIRMWARE")->value().toString(),
             catalogue == QLatin1String("261") ? QStringLiteral("9") : QStringLiteral("V9"));
}

void tst_Dispatch::hostPropertiesDoNotBlockReplies_data()
{
    QTest::addColumn<QVariant>("hostValue");

    QTest::newRow("text") << QVariant(QStringLiteral("note"));
    QTest::newRow("number") << QVariant(3);
    QTest::newRow("JSON") << QVariant(QJsonObject{ { "a", 1 } });
    QTest::newRow("object that is no record") << QVariant::fromValue(static_cast<QObject *>(root.data()));
}

void tst_Dispatch::hostPropertiesDoNotBlockReplies()
{
    QFETCH(QVariant, hostValue);

    QScopedPointer<KVCommonInterface> bare(newDevice(QStringLiteral("bare")));
    KVDeviceProperty *before = attachRecord(bare.data(), "BEFORE", 0, Type::CCMD, 5, 5);
    bare->setProperty("HOST_NOTE", hostValue);
    KVDeviceProperty *after = attachRecord(bare.data(), "AFTER", 0, Type::CCMD, 6, 6);

    bare->decode_cmd(frame(QStringLiteral("CCMD;5,0,1;")));
    bare->decode_cmd(frame(QStringLiteral("CCMD;6,0,2;")));
    QCOMPARE(before->value(), QVariant(1));
    QCOMPARE(after->value(), QVariant(2));
}

void tst_Dispatch::copyStepWithoutItsRecords_data()
{
    QTest::addColumn<QByteArray>("missing");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("finished");

    QTest::newRow("no task mode") << QByteArray("TASK_MODE") << 0 << 1;
    QTest::newRow("plot job without repeat") << QByteArray("TASK_REPEAT") << 0 << 1;
    QTest::newRow("QR job without code read") << QByteArray("GET_QRCODE") << 1 << 1;
    QTest::newRow("no task record") << QByteArray("TASK") << 0 << -1;
}

void tst_Dispatch::copyStepWithoutItsRecords()
{
    QFETCH(QByteArray, missing);
    QFETCH(int, mode);
    QFETCH(int, finished);

    Recording<KVRV520MAXCam> model;
    model.init583(&model);
    attachRecord(&model, "TASK", taskRecord(0, 3), Type::UnCMD, 0, 0, 0);
    attachRecord(&model, "TASK_REPEAT", 1, Type::CCMD, 0, 30);
    model.property_ptr("TASK_MODE")->setValue(mode);
    KVDeviceProperty *removed = model.property_ptr(missing.constData());
    model.setProperty(missing.constData(), QVariant());
    delete removed;
    QSignalSpy spy(&model, &KVDeviceInterface::message);

    model.decode_cmd(frame(QStringLiteral("CCMD;4,0;")));
    if (finished >= 0)
        QCOMPARE(model.property_ptr("TASK")->value().toJsonObject().value(QStringLiteral("Finished")).toInt(), finished);
    QVERIFY(model.sent.isEmpty());
    QCOMPARE(spy.count(), 0);
}

QTEST_GUILESS_MAIN(tst_Dispatch)
#include "tst_dispatch.moc"
