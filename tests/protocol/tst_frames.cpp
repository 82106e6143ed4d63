// Frames a record builds, byte for byte: every command type, the self-counting length, the word
// list of register writes, group writes, plot frames, refused delimiters, and the debug dump.
#include "attach.h"
#include "kvcommoninterface.h"
#include "kvdeviceproperty.h"

#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cmath>

using Type = KVDeviceInterface::KVDeviceCMDType;

namespace {

QByteArray framed(const QByteArray &text)
{
    return '\x02' + text + '\x03';
}

void addFrames(const char *name, Type type, int get, int set, int len, const QVariant &value, const QByteArray &read,
               const QByteArray &write, const QStringList &params = {})
{
    QTest::newRow(name) << int(type) << get << set << len << value << params << read << write;
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

    const Type ccmd = Type::CCMD;
    const Type cmd = Type::CMD;
    const QByteArray no;
    addFrames("CCMD 1010, value 2", ccmd, 1010, 1010, 1, 2, framed("15;CCMD;1010;"), framed("17;CCMD;1010,2;"));
    addFrames("CCMD with parameters", ccmd, 41, 40, 1, 7, framed("17;CCMD;41,A,B;"), framed("19;CCMD;40,A,B,7;"), { "A", "B" });
    addFrames("CCMD read only", ccmd, 51, 0, 1, QString(), framed("13;CCMD;51;"), no);
    addFrames("CCMD write only, length 0", ccmd, 0, 30, 0, 1, no, framed("15;CCMD;30,1;"));
    addFrames("CCMD string", ccmd, 45, 44, 1, "AB12", framed("13;CCMD;45;"), framed("18;CCMD;44,AB12;"));
    addFrames("CCMD double", ccmd, 61, 20, 1, 0.005, framed("13;CCMD;61;"), framed("19;CCMD;20,0.005;"));
    addFrames("CCMD huge double", ccmd, 0, 20, 1, 1e20, no, framed("19;CCMD;20,1e+20;"));
    addFrames("CCMD bool", ccmd, 0, 20, 1, true, no, framed("18;CCMD;20,true;"));
    addFrames("CCMD invalid value", ccmd, 11, 11, 1, QVariant(), framed("13;CCMD;11;"), framed("14;CCMD;11,;"));
    addFrames("CMD length 1", cmd, 134, 134, 1, 5, framed("16;CMD;GET134;"), framed("18;CMD;SET134:5;"));
    addFrames("CMD length 1 negative", cmd, 131, 131, 1, -45, framed("16;CMD;GET131;"), framed("20;CMD;SET131:-45;"));
    addFrames("CMD length 1 double", cmd, 24, 24, 1, 1.5, framed("15;CMD;GET24;"), framed("19;CMD;SET24:1.5;"));
    addFrames("CMD length 3", cmd, 11, 11, 3, 70000, framed("21;CMD;GET11;12;13;"), framed("30;CMD;SET11:4464;12:1;13:0;"));
    addFrames("CMD length 2 negative", cmd, 11, 11, 2, -20, framed("18;CMD;GET11;12;"), framed("30;CMD;SET11:65516;12:65535;"));
    addFrames("CMD length 6", cmd, 1, 1, 6, 65537u, framed("24;CMD;GET1;2;3;4;5;6;"), framed("36;CMD;SET1:1;2:1;3:0;4:0;5:0;6:0;"));
    addFrames("CMD length 0", cmd, 11, 11, 0, 5, no, framed("12;CMD;SET"));
    addFrames("NUM", Type::NUM, 1, 1, 1, 3, no, framed("15;CMD;NUM:3;"));
    addFrames("PLT", Type::PLT, 1, 1, 1, "IN;", no, framed("12;PLT;IN;"));
    addFrames("PPLT", Type::PPLT, 0, 1, 1, "IN;PU0,0;", no, framed("19;PPLT;IN;PU0,0;"));
    addFrames("QR_PLT", Type::QRPLT, 1, 1, 1, "IN;", no, framed("15;QR_PLT;IN;"));
    addFrames("PLT non-ASCII counts bytes", Type::PLT, 1, 1, 1, "LB刀;", no, framed("15;PLT;LB\xe5\x88\x80;"));
    addFrames("UnCMD has no frames", Type::UnCMD, 5, 5, 1, 1, no, no);
    addFrames("CCMD without codes", ccmd, 0, 0, 1, 1, no, no);
    addFrames("PLT without set code", Type::PLT, 1, 0, 1, "IN;", no, no);
    addFrames("QR_PLT without set code", Type::QRPLT, 1, 0, 1, "IN;", no, no);
    addFrames("PLT other control bytes pass", Type::PLT, 1, 1, 1, "\x01\x04\x1b;", no, framed("13;PLT;\x01\x04\x1b;"));
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
}

// The length field counts the whole frame, its own digits included: 99 is followed by 101 (a
// frame of 100 bytes would need a three-digit field), and so at every power of ten.
void tst_Frames::lengthIsTheFrameSizeAcrossCarries()
{
    for (qsizetype power = 10; power <= 1000000; power *= 10) {
        for (qsizetype size = std::max<qsizetype>(0, power - 12); size <= power + 2; ++size) {
            const QByteArray payload(size, 'x');
            const QByteArray frame = record->pack(QString::fromLatin1(payload), QStringLiteral("PLT"));
            QCOMPARE(frame, '\x02' + QByteArray::number(frame.size()) + ";PLT;" + payload + '\x03');
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
    // A record held in a QVariant prints through the same dump (a copy, which keeps neither the
    // parameters nor the widget).
    QString viaVariant;
    QDebug(&viaVariant) << QVariant::fromValue(*record);
    QVERIFY2(withWidget || viaVariant.contains(dump.trimmed()), qPrintable(viaVariant));
}

QTEST_GUILESS_MAIN(tst_Frames)
#include "tst_frames.moc"
