// Replies decoded into records: conversion by the stored type, register pairs, parameters, group
// distribution, and garbled replies that keep the value.
#include "attach.h"
#include "kvcommoninterface.h"
#include "kvdeviceproperty.h"

#include <QJsonObject>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using Type = KVDeviceInterface::KVDeviceCMDType;

namespace {

KVDeviceProperty *attachRecord(KVDeviceInterface *device, const char *key, const QVariant &value, Type type,
                               int get, int set, int len, const QStringList &params = {})
{
    auto *record = new KVDeviceProperty;
    record->init(value, QString::fromLatin1(key), QString(), get, set, len, type, params);
    KVAttach::toDevice(device, key, record);
    return record;
}

// `expected`: the value after decoding `values`; invalid when the value is kept and the reply
// logged as garbled.
void addDecode(const char *name, Type type, const QVariant &initial, const QStringList &values,
               const QVariant &expected, const QStringList &params = {})
{
    QTest::newRow(name) << int(type) << params << initial << values << expected;
}

} // namespace

class tst_Decode : public QObject
{
    Q_OBJECT
private slots:
    void decodes_data();
    void decodes();
    void groupDistribution_data();
    void groupDistribution();
};

void tst_Decode::decodes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("params");
    QTest::addColumn<QVariant>("initial");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QVariant>("expected");

    const Type ccmd = Type::CCMD;
    const Type cmd = Type::CMD;
    addDecode("CCMD int", ccmd, 2, { "5" }, 5);
    addDecode("CCMD negative int", ccmd, 2, { "-5" }, -5);
    addDecode("CCMD uint", ccmd, 0u, { "300" }, 300u);
    addDecode("CCMD string", ccmd, QString(), { "AB12" }, QStringLiteral("AB12"));
    addDecode("CMD three registers", cmd, 0u, { "4464", "1", "0" }, 70000);
    addDecode("CMD negative pair", cmd, 0, { "65516", "65535" }, -20);
    addDecode("CMD pair turns uint into int", cmd, 9u, { "5", "0" }, 5);
    addDecode("CMD double", cmd, 0.0, { "1.25" }, 1.25);
    addDecode("parameter matches", ccmd, 0, { "A", "9" }, 9, { "A" });
    addDecode("two parameters match", ccmd, 0, { "A", "B", "7" }, 7, { "A", "B" });
    addDecode("parameter differs", ccmd, 0, { "B", "9" }, 0, { "A" });
    addDecode("parameter case differs", ccmd, 0, { "A", "B", "7" }, 0, { "A", "b" });
    addDecode("nothing after the parameters", ccmd, 0, { "A", "B" }, 0, { "A", "B" });
    addDecode("no parameters takes entry 0", ccmd, 0, { "4", "8" }, 4);
    addDecode("string takes the group route", ccmd, QStringLiteral("old"), { "x", "y" }, QStringLiteral("old"));
    addDecode("bool unchanged", ccmd, false, { "1" }, false);
    addDecode("JSON unchanged", ccmd, QJsonObject{ { "a", 1 } }, { "5" }, QJsonObject{ { "a", 1 } });
    addDecode("empty list", ccmd, 3, {}, 3);
    addDecode("plot record ignores lists", Type::PLT, QStringLiteral("IN;"), { "a", "b" }, QStringLiteral("IN;"));
    // Garbled replies: the value stays and the reply is logged.
    addDecode("int, letters", ccmd, 42, { "abc" }, {});
    addDecode("int, empty", ccmd, 42, { "" }, {});
    addDecode("int, overflow", ccmd, 42, { "99999999999" }, {});
    addDecode("uint, negative", ccmd, 42u, { "-1" }, {});
    addDecode("double, letters", ccmd, 4.5, { "x1" }, {});
    addDecode("register above 16 bits", cmd, 42, { "1", "70000" }, {});
    addDecode("register not a number", cmd, 42, { "a", "1" }, {});
    addDecode("negative register", cmd, 42, { "-1", "0" }, {});
}

void tst_Decode::decodes()
{
    QFETCH(int, type);
    QFETCH(QStringList, params);
    QFETCH(QVariant, initial);
    QFETCH(QStringList, values);
    QFETCH(QVariant, expected);

    KVDeviceProperty record;
    record.init(initial, QStringLiteral("label"), QString(), 7, 6, 3, Type(type), params);
    QSignalSpy changed(&record, &KVDeviceProperty::valueChanged);
    if (!expected.isValid())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^KVDeviceProperty::set_decode .*value kept")));
    record.set_decode(values);
    const QVariant after = expected.isValid() ? expected : initial;
    QCOMPARE(record.value(), after);
    QCOMPARE(record.value().typeId(), after.typeId());
    QCOMPARE(changed.count(), 0);
}

void tst_Decode::groupDistribution_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QVariantList>("expected"); // K1 string, K2 int, K3 double

    const QStringList all{ "K1", "K2", "K3" };
    QTest::newRow("one each") << all << QStringList{ "a", "7", "2.5" } << QVariantList{ "a", 7, 2.5 };
    QTest::newRow("each by its own type") << all << QStringList{ "a", "7", "x" } << QVariantList{ "a", 7, 0.0 };
    QTest::newRow("shorter list fills the leading members") << all << QStringList{ "a", "7" } << QVariantList{ "a", 7, 0.0 };
    QTest::newRow("longer list ignores the rest") << all << QStringList{ "a", "7", "2.5", "9" }
                                                  << QVariantList{ "a", 7, 2.5 };
    QTest::newRow("key without member consumes its entry") << QStringList{ "K1", "NONE", "K3" }
                                                           << QStringList{ "a", "7", "2.5" } << QVariantList{ "a", 0, 2.5 };
    QTest::newRow("field order follows the key list") << QStringList{ "K3", "K2", "K1" } << QStringList{ "2.5", "7", "a" }
                                                      << QVariantList{ "a", 7, 2.5 };
}

void tst_Decode::groupDistribution()
{
    QFETCH(QStringList, keys);
    QFETCH(QStringList, values);
    QFETCH(QVariantList, expected);

    KVCommonInterface device;
    KVDeviceProperty *group = attachRecord(&device, "GROUP", keys, Type::CCMD, 18, 17, 1);
    const QList<KVDeviceProperty *> members{ attachRecord(&device, "K1", QString(), Type::UnCMD, 0, 0, 0),
                                             attachRecord(&device, "K2", 0, Type::UnCMD, 0, 0, 0),
                                             attachRecord(&device, "K3", 0.0, Type::UnCMD, 0, 0, 0) };
    for (KVDeviceProperty *member : members)
        KVAttach::toGroup(group, member->label().toLatin1().constData(), member);

    group->set_decode(values);
    for (int i = 0; i < members.size(); ++i)
        QCOMPARE(members.at(i)->value(), expected.at(i));
    QCOMPARE(group->value(), QVariant(keys));
}

QTEST_GUILESS_MAIN(tst_Decode)
#include "tst_decode.moc"
