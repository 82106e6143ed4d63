// Frames a record builds, byte for byte: every command type, the self-counting length, the word
// list of register writes, group writes, plot frames, refused delimiters, and the debug dump.
#include "attach.h"
#include "kvcommoninterface.h"
#include "kvdeviceproperty.h"

#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

#include <cmath>

using Type = KVDeviceInterface::KVDeviceCMDType;

namespace {

QByteArray framed(const QByteArray &text)
{
    return '\x02' + text + '\x03';
}

// The length field of a frame: the digits between STX and the first ";".
qsizetype lengthField(const QByteArray &frame)
{
    return frame.mid(1, frame.indexOf(';') - 1).toLongLong();
}

} // namespace

class tst_Frames : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void recordFrames_data();
    void recordFrames();
    void workedFramesInHex_data();
    void workedFramesInHex();
    void noFrameForMissingCommand_data();
    void noFrameForMissingCommand();
    void lengthCountsItsOwnDigits_data();
    void lengthCountsItsOwnDigits();
    void lengthIsTheFrameSizeAcrossCarries();
    void groupWriteCarriesMemberValuesInKeyOrder_data();
    void groupWriteCarriesMemberValuesInKeyOrder();
    void registerWordsSaturate_data();
    void registerWordsSaturate();
    void largePlotFrameIsExact();

    void delimiterInPayloadBuildsNoFrame_data();
    void delimiterInPayloadBuildsNoFrame();
    void writeBeyondSixRegistersBuildsNoFrame();

    void debugDump_data();
    void debugDump();
    void variantPrintsThroughDump();

private:
    KVDeviceProperty *record = nullptr;
};

void tst_Frames::init()
{
    record = new KVDeviceProperty;
}

void tst_Frames::cleanup()
{
    delete record;
    record = nullptr;
}

void tst_Frames::recordFrames_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("get");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("len");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QStringList>("params");
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<QByteArray>("write");

    const QStringList none;
    QTest::newRow("CCMD 1010, value 2") << int(Type::CCMD) << 1010 << 1010 << 1 << QVariant(2) << none
                                        << framed("15;CCMD;1010;") << framed("17;CCMD;1010,2;");
    QTest::newRow("CCMD with parameters") << int(Type::CCMD) << 41 << 40 << 1 << QVariant(7) << QStringList{ "A", "B" }
                                          << framed("17;CCMD;41,A,B;") << framed("19;CCMD;40,A,B,7;");
    QTest::newRow("CCMD read only") << int(Type::CCMD) << 51 << 0 << 1 << QVariant(QString()) << none
                                    << framed("13;CCMD;51;") << QByteArray();
    QTest::newRow("CCMD write only, length 0") << int(Type::CCMD) << 0 << 30 << 0 << QVariant(1) << none
                                               << QByteArray() << framed("15;CCMD;30,1;");
    QTest::newRow("CCMD string") << int(Type::CCMD) << 45 << 44 << 1 << QVariant(QStringLiteral("AB12")) << none
                                 << framed("13;CCMD;45;") << framed("18;CCMD;44,AB12;");
    QTest::newRow("CCMD double") << int(Type::CCMD) << 61 << 20 << 1 << QVariant(0.005) << none
                                 << framed("13;CCMD;61;") << framed("19;CCMD;20,0.005;");
    QTest::newRow("CCMD huge double") << int(Type::CCMD) << 0 << 20 << 1 << QVariant(1e20) << none
                                      << QByteArray() << framed("19;CCMD;20,1e+20;");
    QTest::newRow("CCMD bool") << int(Type::CCMD) << 0 << 20 << 1 << QVariant(true) << none
                               << QByteArray() << framed("18;CCMD;20,true;");
    QTest::newRow("CCMD invalid value") << int(Type::CCMD) << 11 << 11 << 1 << QVariant() << none
                                        << framed("13;CCMD;11;") << framed("14;CCMD;11,;");
    QTest::newRow("CMD length 1") << int(Type::CMD) << 134 << 134 << 1 << QVariant(5) << none
                                  << framed("16;CMD;GET134;") << framed("18;CMD;SET134:5;");
    QTest::newRow("CMD length 1 negative") << int(Type::CMD) << 131 << 131 << 1 << QVariant(-45) << none
                                           << framed("16;CMD;GET131;") << framed("20;CMD;SET131:-45;");
    QTest::newRow("CMD length 1 double") << int(Type::CMD) << 24 << 24 << 1 << QVariant(1.5) << none
                                         << framed("15;CMD;GET24;") << framed("19;CMD;SET24:1.5;");
    QTest::newRow("CMD length 3") << int(Type::CMD) << 11 << 11 << 3 << QVariant(70000) << none
                                  << framed("21;CMD;GET11;12;13;") << framed("30;CMD;SET11:4464;12:1;13:0;");
    QTest::newRow("CMD length 2 negative") << int(Type::CMD) << 11 << 11 << 2 << QVariant(-20) << none
                                           << framed("18;CMD;GET11;12;") << framed("30;CMD;SET11:65516;12:65535;");
    QTest::newRow("CMD length 6") << int(Type::CMD) << 1 << 1 << 6 << QVariant(65537u) << none
                                  << framed("24;CMD;GET1;2;3;4;5;6;") << framed("36;CMD;SET1:1;2:1;3:0;4:0;5:0;6:0;");
    QTest::newRow("CMD length 0") << int(Type::CMD) << 11 << 11 << 0 << QVariant(5) << none
                                  << QByteArray() << framed("12;CMD;SET");
    QTest::newRow("NUM") << int(Type::NUM) << 1 << 1 << 1 << QVariant(3) << none
                         << QByteArray() << framed("15;CMD;NUM:3;");
    QTest::newRow("PLT") << int(Type::PLT) << 1 << 1 << 1 << QVariant(QStringLiteral("IN;")) << none
                         << QByteArray() << framed("12;PLT;IN;");
    QTest::newRow("PPLT") << int(Type::PPLT) << 0 << 1 << 1 << QVariant(QStringLiteral("IN;PU0,0;")) << none
                          << QByteArray() << framed("19;PPLT;IN;PU0,0;");
    QTest::newRow("QR_PLT") << int(Type::QRPLT) << 1 << 1 << 1 << QVariant(QStringLiteral("IN;")) << none
                            << QByteArray() << framed("15;QR_PLT;IN;");
    QTest::newRow("PLT non-ASCII counts bytes") << int(Type::PLT) << 1 << 1 << 1 << QVariant(QStringLiteral("LB刀;"))
                                                << none << QByteArray() << framed("15;PLT;LB\xe5\x88\x80;");
    QTest::newRow("PLT other control bytes pass") << int(Type::PLT) << 1 << 1 << 1
                                                  << QVariant(QStringLiteral("\x01\x04\x1b;")) << none
                                                  << QByteArray() << framed("13;PLT;\x01\x04\x1b;");
}

void tst_Frames::recordFrames()
{
    QFETCH(int, type);
    QFETCH(int, get);
    QFETCH(int, set);
    QFETCH(int, len);
    QFETCH(QVariant, value);
    QFETCH(QStringList, params);
    QFETCH(QByteArray, read);
    QFETCH(QByteArray, write);

    record->init(value, QStringLiteral("label"), QString(), get, set, len, Type(type), params);
    QCOMPARE(record->get_cmd_bytes(), read);
    QCOMPARE(record->set_cmd_bytes(), write);
    if (!write.isEmpty())
        QCOMPARE(lengthField(write), write.size());
}

void tst_Frames::workedFramesInHex_data()
{
    QTest::addColumn<QString>("payload");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QByteArray>("hex");

    QTest::newRow("CCMD read") << "1010;" << "CCMD" << QByteArray("02 31 35 3B 43 43 4D 44 3B 31 30 31 30 3B 03");
    QTest::newRow("CCMD write") << "1010,2;" << "CCMD" << QByteArray("02 31 37 3B 43 43 4D 44 3B 31 30 31 30 2C 32 3B 03");
    QTest::newRow("CMD read") << "GET134;" << "CMD" << QByteArray("02 31 36 3B 43 4D 44 3B 47 45 54 31 33 34 3B 03");
}

void tst_Frames::workedFramesInHex()
{
    QFETCH(QString, payload);
    QFETCH(QString, word);
    QFETCH(QByteArray, hex);

    QCOMPARE(record->pack(payload, word).toHex(' ').toUpper(), hex);
}

void tst_Frames::noFrameForMissingCommand_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("get");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("len");

    QTest::newRow("UnCMD with codes") << int(Type::UnCMD) << 5 << 5 << 1;
    QTest::newRow("CCMD without codes") << int(Type::CCMD) << 0 << 0 << 1;
    QTest::newRow("NUM has no read") << int(Type::NUM) << 1 << 0 << 1;
    QTest::newRow("PLT without set code") << int(Type::PLT) << 1 << 0 << 1;
    QTest::newRow("QR_PLT without set code") << int(Type::QRPLT) << 1 << 0 << 1;
}

void tst_Frames::noFrameForMissingCommand()
{
    QFETCH(int, type);
    QFETCH(int, get);
    QFETCH(int, set);
    QFETCH(int, len);

    record->init(QStringLiteral("IN;"), QString(), QString(), get, set, len, Type(type));
    QVERIFY(record->get_cmd_bytes().isEmpty());
    QVERIFY(record->set_cmd_bytes().isEmpty());
}

void tst_Frames::lengthCountsItsOwnDigits_data()
{
    QTest::addColumn<int>("bodyBytes");
    QTest::addColumn<qsizetype>("length");

    // Body = "PLT;" plus the payload.
    QTest::newRow("5 bytes") << 5 << qsizetype(9);
    QTest::newRow("6 bytes") << 6 << qsizetype(11);
    QTest::newRow("94 bytes") << 94 << qsizetype(99);
    QTest::newRow("95 bytes") << 95 << qsizetype(101);
    QTest::newRow("96 bytes") << 96 << qsizetype(102);
    QTest::newRow("993 bytes") << 993 << qsizetype(999);
    QTest::newRow("994 bytes") << 994 << qsizetype(1001);
    QTest::newRow("99991 bytes") << 99991 << qsizetype(99999);
    QTest::newRow("99992 bytes") << 99992 << qsizetype(100001);
}

void tst_Frames::lengthCountsItsOwnDigits()
{
    QFETCH(int, bodyBytes);
    QFETCH(qsizetype, length);

    const QByteArray frame = record->pack(QString(bodyBytes - 4, u'x'), QStringLiteral("PLT"));
    QCOMPARE(lengthField(frame), length);
    QCOMPARE(frame.size(), length);
}

void tst_Frames::lengthIsTheFrameSizeAcrossCarries()
{
    for (qsizetype power = 10; power <= 1000000; power *= 10) {
        for (qsizetype size = power - 12; size <= power + 2; ++size) {
            const QByteArray frame = record->pack(QString(size, u'x'), QStringLiteral("PLT"));
            QCOMPARE(lengthField(frame), frame.size());
            QVERIFY(frame.startsWith('\x02') && frame.endsWith('\x03'));
        }
    }
}

void tst_Frames::groupWriteCarriesMemberValuesInKeyOrder_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QByteArray>("write");

    // Members: K1 = 100, K2 = -20, K3 = 1.5
    QTest::newRow("two members") << QStringList{ "K1", "K2" } << framed("21;CCMD;17,100,-20;");
    QTest::newRow("key order, not attachment order") << QStringList{ "K3", "K1" } << framed("21;CCMD;17,1.5,100;");
    QTest::newRow("key without member skipped") << QStringList{ "K1", "NONE", "K2" } << framed("21;CCMD;17,100,-20;");
    QTest::newRow("no member at all") << QStringList{ "NONE", "ALSO" } << framed("13;CCMD;17;");
}

void tst_Frames::groupWriteCarriesMemberValuesInKeyOrder()
{
    QFETCH(QStringList, keys);
    QFETCH(QByteArray, write);

    KVCommonInterface device;
    const QList<std::pair<const char *, QVariant>> members{ { "K1", 100 }, { "K2", -20 }, { "K3", 1.5 } };
    for (const auto &[key, value] : members) {
        auto *member = new KVDeviceProperty;
        member->init(value, QString(), QString(), 0, 0, 0, Type::UnCMD);
        KVAttach::toDevice(&device, key, member);
        KVAttach::toGroup(record, key, member);
    }
    record->init(keys, QStringLiteral("group"), QString(), 18, 17, 1, Type::CCMD);
    QCOMPARE(record->set_cmd_bytes(), write);
}

void tst_Frames::registerWordsSaturate_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QByteArray>("write");

    QTest::newRow("double rounds half away from zero") << QVariant(2.5) << framed("22;CMD;SET11:3;12:0;");
    QTest::newRow("negative double") << QVariant(-2.5) << framed("30;CMD;SET11:65533;12:65535;");
    QTest::newRow("largest unsigned") << QVariant(4294967295u) << framed("30;CMD;SET11:65535;12:65535;");
    QTest::newRow("above 32 bits saturates") << QVariant(qlonglong(1) << 40) << framed("30;CMD;SET11:65535;12:65535;");
    QTest::newRow("huge unsigned saturates") << QVariant(~qulonglong(0)) << framed("30;CMD;SET11:65535;12:65535;");
    QTest::newRow("huge double saturates") << QVariant(1e300) << framed("30;CMD;SET11:65535;12:65535;");
    QTest::newRow("below int32 saturates") << QVariant(-1e300) << framed("26;CMD;SET11:0;12:32768;");
    QTest::newRow("infinity saturates") << QVariant(INFINITY) << framed("30;CMD;SET11:65535;12:65535;");
    QTest::newRow("NaN is 0") << QVariant(NAN) << framed("22;CMD;SET11:0;12:0;");
    QTest::newRow("numeric text") << QVariant(QStringLiteral("-20")) << framed("30;CMD;SET11:65516;12:65535;");
}

void tst_Frames::registerWordsSaturate()
{
    QFETCH(QVariant, value);
    QFETCH(QByteArray, write);

    record->init(value, QString(), QString(), 11, 11, 2, Type::CMD);
    QCOMPARE(record->set_cmd_bytes(), write);
}

void tst_Frames::largePlotFrameIsExact()
{
    QString plot;
    for (int i = 0; i < 100000; ++i)
        plot += QStringLiteral("PU%1,%2;PD刀;").arg(i).arg(i * 2);
    record->init(plot, QString(), QString(), 0, 1, 1, Type::PPLT);

    const QByteArray body = "PPLT;" + plot.toLocal8Bit();
    const QByteArray frame = record->set_cmd_bytes();
    const QByteArray header = '\x02' + QByteArray::number(frame.size()) + ';';
    QCOMPARE(frame.size(), header.size() + body.size() + 1);
    QVERIFY(frame.startsWith(header));
    QVERIFY(frame.endsWith('\x03'));
    QVERIFY(frame.mid(header.size(), body.size()) == body);
}

void tst_Frames::delimiterInPayloadBuildsNoFrame_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QStringList>("params");
    QTest::addColumn<bool>("readToo");

    const QString stx(1, QChar(2));
    const QString etx(1, QChar(3));
    QTest::newRow("STX in plot text") << int(Type::PLT) << QVariant(QStringLiteral("IN;") + stx + QStringLiteral("PU;"))
                                      << QStringList() << false;
    QTest::newRow("ETX ending a plot text") << int(Type::PPLT) << QVariant(QStringLiteral("IN;") + etx)
                                            << QStringList() << false;
    QTest::newRow("ETX in QR plot") << int(Type::QRPLT) << QVariant(etx) << QStringList() << false;
    QTest::newRow("STX in string value") << int(Type::CCMD) << QVariant(QStringLiteral("AB") + stx) << QStringList() << false;
    QTest::newRow("ETX in register value") << int(Type::CMD) << QVariant(etx) << QStringList() << false;
    QTest::newRow("STX in NUM value") << int(Type::NUM) << QVariant(stx) << QStringList() << false;
    QTest::newRow("ETX in parameter") << int(Type::CCMD) << QVariant(1) << QStringList{ QStringLiteral("A") + etx } << true;
}

void tst_Frames::delimiterInPayloadBuildsNoFrame()
{
    QFETCH(int, type);
    QFETCH(QVariant, value);
    QFETCH(QStringList, params);
    QFETCH(bool, readToo);

    record->init(value, QStringLiteral("label"), QString(), 7, 6, 1, Type(type), params);
    const QRegularExpression why(QStringLiteral("^KVDeviceProperty::pack .*frame delimiter"));
    QTest::ignoreMessage(QtWarningMsg, why);
    QVERIFY(record->set_cmd_bytes().isEmpty());
    if (readToo) {
        QTest::ignoreMessage(QtWarningMsg, why);
        QVERIFY(record->get_cmd_bytes().isEmpty());
    }
}

void tst_Frames::writeBeyondSixRegistersBuildsNoFrame()
{
    record->init(5, QStringLiteral("label"), QString(), 1, 1, 7, Type::CMD);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^KVDeviceProperty::set_cmd_bytes .*6")));
    QVERIFY(record->set_cmd_bytes().isEmpty());
    QCOMPARE(record->get_cmd_bytes(), framed("26;CMD;GET1;2;3;4;5;6;7;"));
}

void tst_Frames::debugDump_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("withWidget");
    QTest::addColumn<QString>("dump");

    QTest::newRow("no command, no children")
        << int(Type::UnCMD) << QVariant(5) << false
        << QStringLiteral("\n label :  \"速度\" \n value :  QVariant(int, 5) get :  7 set :  6 len :  1  type :  "
                          "KVDeviceInterface::UnCMD \n set cmd :  \"\" \n get cmd :  \"\" \n child :  QList() \n ");
    QTest::newRow("command with widget")
        << int(Type::CCMD) << QVariant(300u) << true
        << QStringLiteral("\n label :  \"速度\" \n value :  QVariant(uint, 300) get :  7 set :  6 len :  1  type :  "
                          "KVDeviceInterface::CCMD \n set cmd :  \"\\x02\"\"18;CCMD;6,0,300;\\x03\" \n"
                          " get cmd :  \"\\x02\"\"14;CCMD;7,0;\\x03\" \n child :  QList(\"WIDGET\") "
                          "widget :  \"{\\\"max\\\":800,\\\"widget\\\":\\\"QSpinBox\\\"}\" \n ");
}

void tst_Frames::debugDump()
{
    QFETCH(int, type);
    QFETCH(QVariant, value);
    QFETCH(bool, withWidget);
    QFETCH(QString, dump);

    record->init(value, QStringLiteral("速度"), QString(), 7, 6, 1, Type(type),
                 type == Type::CCMD ? QStringList{ "0" } : QStringList());
    if (withWidget)
        record->setProperty("WIDGET", QJsonObject{ { "widget", "QSpinBox" }, { "max", 800 } });
    QString text;
    QDebug(&text) << *record;
    QCOMPARE(text, dump);
}

void tst_Frames::variantPrintsThroughDump()
{
    record->init(5, QStringLiteral("heartbeat"), QString(), 1010, 1010, 1, Type::CCMD);
    const QVariant held = QVariant::fromValue(KVDeviceProperty(*record));
    QString direct;
    QDebug(&direct) << *record;
    QString viaVariant;
    QDebug(&viaVariant) << held;
    QVERIFY2(viaVariant.contains(direct.trimmed()), qPrintable(viaVariant));
    QVERIFY(viaVariant.contains(QStringLiteral("15;CCMD;1010;")));
}

QTEST_GUILESS_MAIN(tst_Frames)
#include "tst_frames.moc"
