// What starting, stopping and jogging send, frame by frame, on both command dialects.
#include "kvdeviceproperty.h"
#include "testdevice.h"
#include "kvrv520maxcam.h"

#include <QDateTime>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

using Frames = QList<QByteArray>;

namespace {
QByteArray frame(const char *text)
{
    return '\x02' + QByteArray(text) + '\x03';
}

void setValue(KVDeviceInterface *device, const char *key, const QVariant &value)
{
    KVDeviceProperty *record = device->property_ptr(key);
    QVERIFY2(record, key);
    record->setValue(value);
}
} // namespace

class tst_TaskControl : public QObject
{
    Q_OBJECT
private slots:
    void modelStart_data();
    void modelStart();
    void modelPlotStartWithoutStatusRecordStopsEarly();
    void commonStart_data();
    void commonStart();
    void stopResetsTheJob();
    void jog_data();
    void jog();
};

void tst_TaskControl::modelStart_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<Frames>("expected");
    const QByteArray mark = frame("17;CCMD;1000,1;");
    QTest::newRow("plot file") << 0 << Frames{mark, frame("12;CCMD;4;")};
    QTest::newRow("qr code") << 1 << Frames{mark, frame("13;CCMD;11;")};
    QTest::newRow("any other mode is a qr code job") << 2 << Frames{mark, frame("13;CCMD;11;")};
}

void tst_TaskControl::modelStart()
{
    QFETCH(int, mode);
    QFETCH(Frames, expected);
    RecordingModel device;
    setValue(&device, "TASK_MODE", mode);
    device.setPlt(QStringLiteral("IN;"));
    QSignalSpy messages(&device, &KVDeviceInterface::message);

    const QDateTime before = QDateTime::currentDateTime();
    device.startTask();

    QCOMPARE(device.sent, expected);
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.at(0).at(0).value<KVDeviceInterface::KVDeviceMessage>(), KVDeviceInterface::DevTasK);
    QCOMPARE(messages.at(0).at(1).toString(), QString());
    KVDeviceProperty *started = device.property_ptr("TASK_START_TIME");
    QVERIFY(started);
    QVERIFY(started->value().toDateTime() >= before);
}

void tst_TaskControl::modelPlotStartWithoutStatusRecordStopsEarly()
{
    RecordingModel device;
    delete device.property_ptr("DEVICE_STATUS");
    device.setProperty("DEVICE_STATUS", QVariant());
    QSignalSpy messages(&device, &KVDeviceInterface::message);
    device.startTask();
    QCOMPARE(device.sent, Frames{frame("17;CCMD;1000,1;")});
    QCOMPARE(messages.count(), 0);
    QVERIFY(!device.property_ptr("TASK_START_TIME"));
}

void tst_TaskControl::commonStart_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<Frames>("expected");
    QTest::newRow("plot file") << 0 << Frames{frame("15;CMD;NUM:1;")};
    QTest::newRow("qr code") << 1 << Frames{frame("15;CCMD;54,1;")};
    QTest::newRow("unknown mode sends nothing") << 3 << Frames{};
}

void tst_TaskControl::commonStart()
{
    QFETCH(int, mode);
    QFETCH(Frames, expected);
    RecordingCommon device;
    // The 261 dialect's task mode has no command; a host sets it directly.
    setValue(&device, "TASK_MODE", mode);
    device.setPlt(QStringLiteral("IN;"));
    QSignalSpy messages(&device, &KVDeviceInterface::message);
    device.startTask();
    QCOMPARE(device.sent, expected);
    QCOMPARE(messages.count(), 0);
    QVERIFY(device.property_ptr("TASK_START_TIME"));
}

void tst_TaskControl::stopResetsTheJob()
{
    RecordingModel device;
    device.startTask();
    device.sent.clear();
    KVDeviceProperty *task = device.property_ptr("TASK");
    task->setValue(QJsonObject{{QStringLiteral("Status"), 3}, {QStringLiteral("FileName"), QStringLiteral("a.plt")},
                               {QStringLiteral("TaskCopies"), 4}, {QStringLiteral("Finished"), 2},
                               {QStringLiteral("Percent"), 40}, {QStringLiteral("Extra"), true}});
    QSignalSpy messages(&device, &KVDeviceInterface::message);

    device.stopTask();

    const QJsonObject expected{{QStringLiteral("Status"), 0}, {QStringLiteral("FileName"), QString()},
                               {QStringLiteral("TaskCopies"), 0}, {QStringLiteral("Finished"), 0},
                               {QStringLiteral("Percent"), 100}, {QStringLiteral("Extra"), true}};
    QCOMPARE(task->value().toJsonObject(), expected);
    QVERIFY(device.property_ptr("TASK_START_TIME")->value().toDateTime().isNull());
    QVERIFY(device.sent.isEmpty());
    QCOMPARE(messages.count(), 0);
}

void tst_TaskControl::jog_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<Frames>("expected");
    QTest::newRow("model") << 583 << 1 << -2 << Frames{frame("26;CCMD;65,0,0,-80,-160;")};
    QTest::newRow("model still") << 583 << 0 << 0 << Frames{frame("21;CCMD;65,0,0,0,0;")};
    QTest::newRow("261 y back, x forward") << 261 << -5 << 7
                                           << Frames{frame("19;CMD;SET83:100;"), frame("21;CMD;SET82:32868;")};
    QTest::newRow("261 still") << 261 << 0 << 0 << Frames{frame("17;CMD;SET83:0;"), frame("17;CMD;SET82:0;")};
}

void tst_TaskControl::jog()
{
    QFETCH(int, family);
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(Frames, expected);
    if (family == 583) {
        RecordingModel device;
        device.move(first, second);
        QCOMPARE(device.sent, expected);
    } else {
        RecordingCommon device;
        device.move(first, second);
        QCOMPARE(device.sent, expected);
    }
}

QTEST_GUILESS_MAIN(tst_TaskControl)
#include "tst_taskcontrol.moc"
