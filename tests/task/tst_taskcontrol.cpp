// What starting, stopping and jogging send, frame by frame, on both command dialects.
#include "testdevice.h"

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

// What a call leaves in "TASK_START_TIME".
enum StartTime { Absent, Stamped, Cleared };

QJsonObject taskRecord(int status, const QString &file, int copies, int finished, int percent)
{
    return {{QStringLiteral("Status"), status}, {QStringLiteral("FileName"), file},
            {QStringLiteral("TaskCopies"), copies}, {QStringLiteral("Finished"), finished},
            {QStringLiteral("Percent"), percent}, {QStringLiteral("Extra"), true}};
}
} // namespace

class tst_TaskControl : public QObject
{
    Q_OBJECT
private slots:
    void sends_data();
    void sends();
};

void tst_TaskControl::sends_data()
{
    QTest::addColumn<int>("family");
    // "start <task mode> [catalogue record taken away first]", "stop" or "move <first> <second>"
    QTest::addColumn<QString>("call");
    QTest::addColumn<Frames>("expected");
    QTest::addColumn<int>("taskMessages");
    QTest::addColumn<int>("startTime");

    // The plot text itself goes out through the streamed plot path, not through sendCMD.
    const QByteArray mark = frame("17;CCMD;1000,1;");
    const QByteArray qrRead = frame("13;CCMD;11;");
    QTest::newRow("model plot file") << 583 << "start 0" << Frames{mark, frame("12;CCMD;4;")} << 1 << int(Stamped);
    QTest::newRow("model qr code") << 583 << "start 1" << Frames{mark, qrRead} << 1 << int(Stamped);
    QTest::newRow("model mode 2 is a qr code job") << 583 << "start 2" << Frames{mark, qrRead} << 1 << int(Stamped);
    QTest::newRow("model plot without status record") << 583 << "start 0 DEVICE_STATUS" << Frames{mark} << 0 << int(Absent);
    QTest::newRow("261 plot file") << 261 << "start 0" << Frames{frame("15;CMD;NUM:1;")} << 0 << int(Stamped);
    QTest::newRow("261 qr code") << 261 << "start 1" << Frames{frame("15;CCMD;54,1;")} << 0 << int(Stamped);
    QTest::newRow("261 unknown mode") << 261 << "start 3" << Frames{} << 0 << int(Stamped);
    QTest::newRow("model stop") << 583 << "stop" << Frames{} << 0 << int(Cleared);
    QTest::newRow("261 stop without task record") << 261 << "stop" << Frames{} << 0 << int(Cleared);
    QTest::newRow("model jog") << 583 << "move 1 -2" << Frames{frame("26;CCMD;65,0,0,-80,-160;")} << 0 << int(Absent);
    QTest::newRow("model still") << 583 << "move 0 0" << Frames{frame("21;CCMD;65,0,0,0,0;")} << 0 << int(Absent);
    QTest::newRow("261 y back, x forward") << 261 << "move -5 7"
                                           << Frames{frame("19;CMD;SET83:100;"), frame("21;CMD;SET82:32868;")} << 0 << int(Absent);
    QTest::newRow("261 still") << 261 << "move 0 0"
                               << Frames{frame("17;CMD;SET83:0;"), frame("17;CMD;SET82:0;")} << 0 << int(Absent);
}

void tst_TaskControl::sends()
{
    QFETCH(int, family);
    QFETCH(QString, call);
    QFETCH(int, startTime);
    RecordingModel model;
    RecordingCommon common;
    KVCommonInterface &device = family == 583 ? static_cast<KVCommonInterface &>(model) : common;
    QList<QByteArray> &sent = family == 583 ? model.sent : common.sent;

    const QStringList words = call.split(u' ');
    if (words.size() == 3 && words[0] == QLatin1String("start"))
        KVAttach::toDevice(&device, words[2].toLatin1().constData(), nullptr);
    if (words[0] == QLatin1String("start")) // the 261 dialect's task mode has no command; a host sets it
        device.property_ptr("TASK_MODE")->setValue(words[1].toInt());
    device.setPlt(QStringLiteral("IN;"));
    KVDeviceProperty *task = device.property_ptr("TASK");
    if (words[0] == QLatin1String("stop")) {
        device.startTask();
        sent.clear();
        if (task)
            task->setValue(taskRecord(3, QStringLiteral("a.plt"), 4, 2, 40));
    }
    QSignalSpy messages(&device, &KVDeviceInterface::message);
    const QDateTime before = QDateTime::currentDateTime();

    if (words[0] == QLatin1String("start"))
        device.startTask();
    else if (words[0] == QLatin1String("stop"))
        device.stopTask();
    else
        device.move(words[1].toInt(), words[2].toInt());

    QTEST(sent, "expected");
    QTEST(int(messages.count()), "taskMessages");
    for (const QList<QVariant> &message : messages)
        QCOMPARE(message, (QList<QVariant>{QVariant::fromValue(KVDeviceInterface::DevTasK), QString()}));
    KVDeviceProperty *started = device.property_ptr("TASK_START_TIME");
    QCOMPARE(started != nullptr, startTime != Absent);
    if (startTime == Stamped)
        QVERIFY(started->value().toDateTime() >= before);
    if (startTime == Cleared)
        QVERIFY(started->value().toDateTime().isNull());
    if (task && words[0] == QLatin1String("stop"))
        QCOMPARE(task->value().toJsonObject(), taskRecord(0, QString(), 0, 0, 100));
}

QTEST_GUILESS_MAIN(tst_TaskControl)
#include "tst_taskcontrol.moc"
