// Replies decoded into records: conversion by the stored type, register pairs, parameters, group
// distribution, garbled replies, and write-then-echo round trips for every record of both
// catalogues and for hand-made records of every readable or writable type.
#include "attach.h"
#include "kvcommoninterface.h"
#include "kvdeviceproperty.h"
#include "kvrv520maxcam.h"

#include <QJsonObject>
#include <QRegularExpression>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <functional>

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

// Hand-made records of every type that a reply can reach.
KVDeviceInterface *handMadeDevice()
{
    auto *device = new KVCommonInterface;
    attachRecord(device, "CCMD_INT", 0, Type::CCMD, 101, 102, 1);
    attachRecord(device, "CCMD_UINT", 0u, Type::CCMD, 103, 104, 1);
    attachRecord(device, "CCMD_DOUBLE", 0.0, Type::CCMD, 105, 106, 1);
    attachRecord(device, "CCMD_STRING", QString(), Type::CCMD, 107, 108, 1);
    attachRecord(device, "CCMD_PARAMS", 0, Type::CCMD, 109, 110, 1, { "A", "B" });
    attachRecord(device, "CCMD_READ_ONLY", QString(), Type::CCMD, 111, 0, 1);
    attachRecord(device, "CMD1_INT", 0, Type::CMD, 201, 201, 1);
    attachRecord(device, "CMD1_UINT", 0u, Type::CMD, 211, 211, 1);
    attachRecord(device, "CMD1_DOUBLE", 0.0, Type::CMD, 221, 221, 1);
    attachRecord(device, "CMD2_INT", 0, Type::CMD, 231, 231, 2);
    attachRecord(device, "CMD3_UINT", 0u, Type::CMD, 241, 241, 3);
    attachRecord(device, "CMD6_DOUBLE", 0.0, Type::CMD, 251, 251, 6);
    const QStringList members{ "M_DOUBLE", "M_INT", "M_STRING" };
    attachRecord(device, "M_DOUBLE", 0.0, Type::UnCMD, 0, 0, 0);
    attachRecord(device, "M_INT", 0, Type::UnCMD, 0, 0, 0);
    attachRecord(device, "M_STRING", QString(), Type::UnCMD, 0, 0, 0);
    KVDeviceProperty *group = attachRecord(device, "GROUP", members, Type::CCMD, 301, 302, 1);
    for (const QString &key : members)
        KVAttach::toGroup(group, key.toLatin1().constData(), device->property_ptr(key.toLatin1().constData()));
    return device;
}

using Builder = void (KVCommonInterface::*)(KVDeviceInterface *);

// A device of the common class with the records of the given builders.
KVDeviceInterface *builtWith(std::initializer_list<Builder> builders)
{
    auto *device = new KVCommonInterface;
    for (const Builder builder : builders)
        (device->*builder)(device);
    return device;
}

struct Catalogue
{
    const char *name;
    std::function<KVDeviceInterface *()> build;
};

const QList<Catalogue> &catalogues()
{
    static const QList<Catalogue> all{
        { "model", [] { return KVRV520MAXCam().initInstance(); } },
        { "261", [] { return KVCommonInterface().initInstance(); } },
        { "261 groups", [] {
             return builtWith({ &KVCommonInterface::info_261, &KVCommonInterface::camera_offset_261,
                                &KVCommonInterface::feed_261, &KVCommonInterface::scale_261,
                                &KVCommonInterface::sp1_261, &KVCommonInterface::sp2_261,
                                &KVCommonInterface::tool_space_261, &KVCommonInterface::work_area_261,
                                &KVCommonInterface::move_261 });
         } },
        { "583 groups", [] {
             return builtWith({ &KVCommonInterface::camera_offset_583, &KVCommonInterface::scale_583,
                                &KVCommonInterface::work_area_583 });
         } },
        { "hand-made", handMadeDevice },
    };
    return all;
}

// Replies that acknowledge task control (27, 125) or carry QR texts and progress (CCMD 11, 55,
// 66) are never decoded into a record.
bool carriesNotices(const KVDeviceProperty &record)
{
    for (const int code : { record.get_cmd_int(), record.set_cmd_int() }) {
        if (code == 27 || code == 125)
            return true;
        if (record.cmd_type() == Type::CCMD && (code == 11 || code == 55 || code == 66))
            return true;
    }
    return false;
}

bool repliesReach(const KVDeviceProperty &record)
{
    const bool replyType = record.cmd_type() == Type::CCMD || record.cmd_type() == Type::CMD;
    const bool framed = !record.set_cmd_bytes().isEmpty() || !record.get_cmd_bytes().isEmpty();
    return replyType && framed && !carriesNotices(record);
}

// The records a reply to `record` fills: its members for a group, else itself.
QList<KVDeviceProperty *> targetsOf(KVDeviceProperty *record)
{
    QList<KVDeviceProperty *> targets;
    for (const QString &key : record->value().toStringList()) {
        if (KVDeviceProperty *member = record->property_ptr(key.toLatin1().constData()))
            targets.append(member);
    }
    return targets.isEmpty() ? QList<KVDeviceProperty *>{ record } : targets;
}

QVariant sampleFor(const QVariant &current)
{
    switch (current.typeId()) {
    case QMetaType::Int: return -1234;
    case QMetaType::UInt: return 70000u;
    case QMetaType::Double: return -2.5;
    case QMetaType::QString: return QStringLiteral("固件V2");
    default: return current;
    }
}

// A multi-register value comes back as a signed int; doubles were rounded on the way out.
QVariant expectedAfterRoundTrip(const KVDeviceProperty &record, const QVariant &sample)
{
    if (record.cmd_type() == Type::CMD && record.cmd_len() >= 2)
        return QVariant(int(std::round(sample.toDouble())));
    return sample;
}

QString frameText(const QString &body, const QString &word)
{
    return QString::fromUtf8(KVDeviceProperty().pack(body, word));
}

// The device's answer to a write: the same fields, with the result field 0 after a CCMD code.
QString echoOfWrite(const QByteArray &write)
{
    const QStringList fields = QString::fromUtf8(write).split(u';');
    QString body = fields.mid(2, fields.size() - 3).join(u';') + u';';
    if (fields.at(1) == QLatin1String("CCMD")) {
        const qsizetype comma = body.indexOf(u',');
        body = comma < 0 ? body.chopped(1) + QStringLiteral(",0;") : body.insert(comma, QStringLiteral(",0"));
    }
    return frameText(body, fields.at(1));
}

// The device's answer to a CCMD read: code, result 0, the parameters, then the values.
QString answerToRead(const KVDeviceProperty &record, const QStringList &values)
{
    const QStringList fields = QStringList{ QString::number(record.get_cmd_int()), QStringLiteral("0") }
                               + record.param() + values;
    return frameText(fields.join(u',') + u';', QStringLiteral("CCMD"));
}

} // namespace

class tst_Decode : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void workedDecodes_data();
    void workedDecodes();
    void groupDistribution_data();
    void groupDistribution();
    void roundTrip_data();
    void roundTrip();

    void garbledReplyKeepsValue_data();
    void garbledReplyKeepsValue();

private:
    KVCommonInterface *device = nullptr;
};

void tst_Decode::init()
{
    device = new KVCommonInterface;
}

void tst_Decode::cleanup()
{
    delete device;
    device = nullptr;
}

void tst_Decode::workedDecodes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("params");
    QTest::addColumn<QVariant>("initial");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QVariant>("expected");

    const QStringList none;
    QTest::newRow("CCMD int") << int(Type::CCMD) << none << QVariant(2) << QStringList{ "5" } << QVariant(5);
    QTest::newRow("CCMD negative int") << int(Type::CCMD) << none << QVariant(2) << QStringList{ "-5" } << QVariant(-5);
    QTest::newRow("CCMD uint") << int(Type::CCMD) << none << QVariant(0u) << QStringList{ "300" } << QVariant(300u);
    QTest::newRow("CCMD string") << int(Type::CCMD) << none << QVariant(QString()) << QStringList{ "AB12" }
                                 << QVariant(QStringLiteral("AB12"));
    QTest::newRow("CMD three registers") << int(Type::CMD) << none << QVariant(0u) << QStringList{ "4464", "1", "0" }
                                         << QVariant(70000);
    QTest::newRow("CMD negative pair") << int(Type::CMD) << none << QVariant(0) << QStringList{ "65516", "65535" }
                                       << QVariant(-20);
    QTest::newRow("CMD pair turns uint into int") << int(Type::CMD) << none << QVariant(9u) << QStringList{ "5", "0" }
                                                  << QVariant(5);
    QTest::newRow("CMD double") << int(Type::CMD) << none << QVariant(0.0) << QStringList{ "1.25" } << QVariant(1.25);
    QTest::newRow("parameter matches") << int(Type::CCMD) << QStringList{ "A" } << QVariant(0) << QStringList{ "A", "9" }
                                       << QVariant(9);
    QTest::newRow("two parameters match") << int(Type::CCMD) << QStringList{ "A", "B" } << QVariant(0)
                                          << QStringList{ "A", "B", "7" } << QVariant(7);
    QTest::newRow("parameter differs") << int(Type::CCMD) << QStringList{ "A" } << QVariant(0) << QStringList{ "B", "9" }
                                       << QVariant(0);
    QTest::newRow("parameter case differs") << int(Type::CCMD) << QStringList{ "A", "b" } << QVariant(0)
                                            << QStringList{ "A", "B", "7" } << QVariant(0);
    QTest::newRow("nothing after the parameters") << int(Type::CCMD) << QStringList{ "A", "B" } << QVariant(0)
                                                  << QStringList{ "A", "B" } << QVariant(0);
    QTest::newRow("no parameters takes entry 0") << int(Type::CCMD) << none << QVariant(0) << QStringList{ "4", "8" }
                                                 << QVariant(4);
    QTest::newRow("string takes the group route") << int(Type::CCMD) << none << QVariant(QStringLiteral("old"))
                                                  << QStringList{ "x", "y" } << QVariant(QStringLiteral("old"));
    QTest::newRow("bool unchanged") << int(Type::CCMD) << none << QVariant(false) << QStringList{ "1" } << QVariant(false);
    QTest::newRow("JSON unchanged") << int(Type::CCMD) << none << QVariant(QJsonObject{ { "a", 1 } })
                                    << QStringList{ "5" } << QVariant(QJsonObject{ { "a", 1 } });
    QTest::newRow("empty list") << int(Type::CCMD) << none << QVariant(3) << QStringList() << QVariant(3);
    QTest::newRow("plot record ignores lists") << int(Type::PLT) << none << QVariant(QStringLiteral("IN;"))
                                               << QStringList{ "a", "b" } << QVariant(QStringLiteral("IN;"));
}

void tst_Decode::workedDecodes()
{
    QFETCH(int, type);
    QFETCH(QStringList, params);
    QFETCH(QVariant, initial);
    QFETCH(QStringList, values);
    QFETCH(QVariant, expected);

    KVDeviceProperty record;
    record.init(initial, QStringLiteral("label"), QString(), 7, 6, 3, Type(type), params);
    QSignalSpy changed(&record, &KVDeviceProperty::valueChanged);
    record.set_decode(values);
    QCOMPARE(record.value(), expected);
    QCOMPARE(record.value().typeId(), expected.typeId());
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

    KVDeviceProperty *group = attachRecord(device, "GROUP", keys, Type::CCMD, 18, 17, 1);
    const QList<KVDeviceProperty *> members{ attachRecord(device, "K1", QString(), Type::UnCMD, 0, 0, 0),
                                             attachRecord(device, "K2", 0, Type::UnCMD, 0, 0, 0),
                                             attachRecord(device, "K3", 0.0, Type::UnCMD, 0, 0, 0) };
    for (KVDeviceProperty *member : members)
        KVAttach::toGroup(group, member->label().toLatin1().constData(), member);

    group->set_decode(values);
    for (int i = 0; i < members.size(); ++i)
        QCOMPARE(members.at(i)->value(), expected.at(i));
    QCOMPARE(group->value(), QVariant(keys));
}

void tst_Decode::roundTrip_data()
{
    QTest::addColumn<int>("catalogue");
    QTest::addColumn<QByteArray>("key");

    for (int i = 0; i < catalogues().size(); ++i) {
        QScopedPointer<KVDeviceInterface> source(catalogues().at(i).build());
        for (const QByteArray &key : source->dynamicPropertyNames()) {
            const KVDeviceProperty *record = source->property_ptr(key.constData());
            if (record && repliesReach(*record))
                QTest::addRow("%s %s", catalogues().at(i).name, key.constData()) << i << key;
        }
    }
}

// Writes a sample value (or, for a read-only record, lets the device answer a read with it),
// clears the record and feeds the device's reply through dispatch. A device holding only this
// record (and a group's members) makes sure no other record with the same code takes the reply.
void tst_Decode::roundTrip()
{
    QFETCH(int, catalogue);
    QFETCH(QByteArray, key);

    QScopedPointer<KVDeviceInterface> source(catalogues().at(catalogue).build());
    const KVDeviceProperty *original = source->property_ptr(key.constData());
    KVDeviceProperty *record = attachRecord(device, key.constData(), original->value(), original->cmd_type(),
                                            original->get_cmd_int(), original->set_cmd_int(),
                                            original->cmd_len(), original->param());
    for (const QString &memberKey : original->value().toStringList()) {
        const QByteArray name = memberKey.toLatin1();
        if (const KVDeviceProperty *member = original->property_ptr(name.constData()))
            KVAttach::toGroup(record, name.constData(),
                              attachRecord(device, name.constData(), member->value(), Type::UnCMD, 0, 0, 0));
    }

    const QList<KVDeviceProperty *> targets = targetsOf(record);
    QVariantList samples;
    QStringList sampleTexts;
    for (KVDeviceProperty *target : targets) {
        samples.append(sampleFor(target->value()));
        sampleTexts.append(samples.last().toString());
        target->setValue(samples.last());
    }
    const QByteArray write = record->set_cmd_bytes();
    const QString reply = write.isEmpty() ? answerToRead(*record, sampleTexts) : echoOfWrite(write);
    for (KVDeviceProperty *target : targets)
        target->setValue(QVariant(QMetaType(target->value().typeId())));

    device->decode_cmd(reply);
    for (int i = 0; i < targets.size(); ++i) {
        const QVariant expected = expectedAfterRoundTrip(*record, samples.at(i));
        QCOMPARE(targets.at(i)->value(), expected);
        QCOMPARE(targets.at(i)->value().typeId(), expected.typeId());
    }
}

void tst_Decode::garbledReplyKeepsValue_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariant>("initial");
    QTest::addColumn<QStringList>("values");

    QTest::newRow("int, letters") << int(Type::CCMD) << QVariant(42) << QStringList{ "abc" };
    QTest::newRow("int, empty") << int(Type::CCMD) << QVariant(42) << QStringList{ "" };
    QTest::newRow("int, overflow") << int(Type::CCMD) << QVariant(42) << QStringList{ "99999999999" };
    QTest::newRow("uint, negative") << int(Type::CCMD) << QVariant(42u) << QStringList{ "-1" };
    QTest::newRow("double, letters") << int(Type::CCMD) << QVariant(4.5) << QStringList{ "x1" };
    QTest::newRow("register above 16 bits") << int(Type::CMD) << QVariant(42) << QStringList{ "1", "70000" };
    QTest::newRow("register not a number") << int(Type::CMD) << QVariant(42) << QStringList{ "a", "1" };
    QTest::newRow("negative register") << int(Type::CMD) << QVariant(42) << QStringList{ "-1", "0" };
}

void tst_Decode::garbledReplyKeepsValue()
{
    QFETCH(int, type);
    QFETCH(QVariant, initial);
    QFETCH(QStringList, values);

    KVDeviceProperty record;
    record.init(initial, QStringLiteral("label"), QString(), 7, 6, 2, Type(type));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^KVDeviceProperty::set_decode .*value kept")));
    record.set_decode(values);
    QCOMPARE(record.value(), initial);
}

QTEST_GUILESS_MAIN(tst_Decode)
#include "tst_decode.moc"
