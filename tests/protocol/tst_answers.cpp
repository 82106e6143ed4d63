// Every reply tells the record it answers, through retStatus, whether the device took the
// command: hosts wait on it to know that a read arrived or a write was refused.
#include "kvdeviceproperty.h"
#include "kvrv520maxcam.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

using Results = QList<int>;

class tst_Answers : public QObject
{
    Q_OBJECT
private slots:
    void replyAnnouncesItsRecord_data();
    void replyAnnouncesItsRecord();
};

void tst_Answers::replyAnnouncesItsRecord_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("payload");
    QTest::addColumn<QString>("key");
    QTest::addColumn<Results>("results");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("read reply") << 583 << "CCMD" << "7,0,0,300;" << "SPEED" << Results{0} << QVariant(300u);
    QTest::newRow("write echo") << 583 << "CCMD" << "6,0,0,450;" << "SPEED" << Results{0} << QVariant(450u);
    QTest::newRow("bare acknowledgement") << 583 << "CCMD" << "32,0;" << "TASK_MODE" << Results{0} << QVariant(0);
    QTest::newRow("refused write keeps the value") << 583 << "CCMD" << "6,1,0,900;" << "SPEED" << Results{1}
                                                   << QVariant(0u);
    QTest::newRow("pause confirmed") << 583 << "CCMD" << "27,0,0;" << "TASK_PAUSE" << Results{0} << QVariant(0);
    QTest::newRow("stop confirmed") << 583 << "CCMD" << "27,0,2;" << "TASK_STOP" << Results{0} << QVariant(2);
    QTest::newRow("resume is not the stop") << 583 << "CCMD" << "27,0,1;" << "TASK_STOP" << Results{} << QVariant(2);
    QTest::newRow("progress report answers nobody") << 583 << "CCMD" << "66,2,a.plt,1,0,50,0,0,0;" << "DEVICE_STATUS"
                                                    << Results{} << QVariant(QString());
    QTest::newRow("261 register read") << 261 << "CMD" << "GET26:300;" << "PU_SPEED" << Results{0} << QVariant(300u);
    QTest::newRow("261 heartbeat") << 261 << "CCMD" << "1010,0,2;" << "HEARTBEAT" << Results{0} << QVariant(2);
    QTest::newRow("261 refused heartbeat") << 261 << "CCMD" << "1010,3;" << "HEARTBEAT" << Results{3} << QVariant(2);
}

void tst_Answers::replyAnnouncesItsRecord()
{
    QFETCH(int, family);
    QFETCH(QString, word);
    QFETCH(QString, payload);
    QFETCH(QString, key);
    QFETCH(Results, results);
    QFETCH(QVariant, value);

    KVRV520MAXCam root;
    std::unique_ptr<KVDeviceInterface> device(family == 583 ? root.initInstance()
                                                            : root.KVCommonInterface::initInstance());
    KVDeviceProperty *record = device->property_ptr(key.toLatin1().constData());
    QVERIFY(record);
    QSignalSpy answers(record, &KVDeviceProperty::retStatus);

    const QByteArray frame = KVDeviceProperty().pack(payload, word);
    auto *common = static_cast<KVCommonInterface *>(device.get());
    common->decode_cmd(QString::fromUtf8(frame));

    Results seen;
    for (const QList<QVariant> &answer : answers)
        seen << answer.at(0).toInt();
    QCOMPARE(seen, results);
    QCOMPARE(record->value(), value);
}

QTEST_GUILESS_MAIN(tst_Answers)
#include "tst_answers.moc"
