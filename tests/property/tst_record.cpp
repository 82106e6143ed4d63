// The property record's value semantics, lookup, copying, and the ownership rules of the device
// object that holds records under keys.
#include "kvcommoninterface.h"
#include "attach.h"
#include "kvdeviceproperty.h"

#include <QDateTime>
#include <QJsonObject>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using Sequence = QList<int>;

class tst_Record : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void setValueNotifiesRealChangesOnly_data();
    void setValueNotifiesRealChangesOnly();
    void metaPropertyWritesThroughSetValue();
    void initAcceptsAnythingAndIsSilent();
    void memberLookup();
    void copyKeepsValueAndCodesButNotParametersOrChildren();

    void destructionDeletesRecordsOnly();
    void replacedRecordIsDeletedWhenUnreferenced();
    void replacedGroupMemberStaysValidUntilDestruction();
    void baseInterfaceDefaults();
    void baseLinkRecords();
    void setPltPrefersTheModelsPlotRecord_data();
    void setPltPrefersTheModelsPlotRecord();
    void buildDate_data();
    void buildDate();

private:
    KVDeviceProperty *attach(const char *key, const QVariant &value);
    KVCommonInterface *device = nullptr;
};

void tst_Record::init()
{
    device = new KVCommonInterface;
}

void tst_Record::cleanup()
{
    delete device;
    device = nullptr;
}

KVDeviceProperty *tst_Record::attach(const char *key, const QVariant &value)
{
    auto *record = new KVDeviceProperty;
    record->init(value, QString::fromLatin1(key), QString(), 0, 0, 0, KVDeviceInterface::UnCMD);
    device->setProperty(key, QVariant::fromValue(static_cast<QObject *>(record)));
    return record;
}

void tst_Record::setValueNotifiesRealChangesOnly_data()
{
    QTest::addColumn<Sequence>("writes");
    QTest::addColumn<Sequence>("signalsAfterEach");
    QTest::addColumn<int>("finalValue");

    // Starting from init(5).
    QTest::newRow("same as initial") << Sequence{5} << Sequence{0} << 5;
    QTest::newRow("one change") << Sequence{6} << Sequence{1} << 6;
    QTest::newRow("back to last value is silent") << Sequence{6, 5} << Sequence{1, 1} << 5;
    QTest::newRow("repeat after silent return") << Sequence{6, 5, 5} << Sequence{1, 1, 1} << 5;
    QTest::newRow("away again after silent return") << Sequence{6, 5, 6} << Sequence{1, 1, 2} << 6;
    QTest::newRow("two changes") << Sequence{6, 7} << Sequence{1, 2} << 7;
    QTest::newRow("to older value after two") << Sequence{6, 7, 5} << Sequence{1, 2, 3} << 5;
    QTest::newRow("to last after two is silent") << Sequence{6, 7, 6} << Sequence{1, 2, 2} << 6;
}

void tst_Record::setValueNotifiesRealChangesOnly()
{
    QFETCH(Sequence, writes);
    QFETCH(Sequence, signalsAfterEach);
    QFETCH(int, finalValue);

    KVDeviceProperty record;
    record.init(5, QStringLiteral("x"), QString(), 0, 0, 0, KVDeviceInterface::CCMD);
    QSignalSpy changed(&record, &KVDeviceProperty::valueChanged);
    for (int i = 0; i < writes.size(); ++i) {
        record.setValue(writes.at(i));
        QCOMPARE(changed.count(), signalsAfterEach.at(i));
    }
    QCOMPARE(record.value(), QVariant(finalValue));
}

void tst_Record::metaPropertyWritesThroughSetValue()
{
    KVDeviceProperty record;
    record.init(1, QString(), QString(), 0, 0, 0, KVDeviceInterface::UnCMD);
    QSignalSpy changed(&record, &KVDeviceProperty::valueChanged);
    QVERIFY(record.setProperty("value", 2));
    QVERIFY(record.setProperty("value", 2));
    QCOMPARE(record.property("value"), QVariant(2));
    QCOMPARE(changed.count(), 1);
}

void tst_Record::initAcceptsAnythingAndIsSilent()
{
    KVDeviceProperty record;
    QSignalSpy changed(&record, &KVDeviceProperty::valueChanged);
    QVERIFY(record.init(QVariant(), QString(), QString(), 0, 0, 0, KVDeviceInterface::UnCMD));
    QVERIFY(record.init(QStringLiteral("v"), QStringLiteral("l"), QStringLiteral("u"), 7, 8, 9,
                        KVDeviceInterface::CCMD, {QStringLiteral("a")}));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(record.value(), QVariant(QStringLiteral("v")));
    QCOMPARE(record.uint(), QStringLiteral("u"));
    QCOMPARE(record.param(), QList<QString>{QStringLiteral("a")});
    QCOMPARE(record.get_cmd_int(), 7);
    QCOMPARE(record.set_cmd_int(), 8);
    QCOMPARE(record.cmd_len(), 9);
}

void tst_Record::memberLookup()
{
    KVDeviceProperty group;
    KVDeviceProperty member;
    group.setProperty("WIDGET", QJsonObject{{QStringLiteral("widget"), QStringLiteral("QGroupBox")}});
    group.setProperty("TEXT", QStringLiteral("not a record"));
    group.setProperty("M", QVariant::fromValue(static_cast<QObject *>(&member)));
    QCOMPARE(group.property_ptr("M"), &member);
    QCOMPARE(group.property_ptr("WIDGET"), nullptr);
    QCOMPARE(group.property_ptr("TEXT"), nullptr);
    QCOMPARE(group.property_ptr("MISSING"), nullptr);
    group.setProperty("M", QVariant());
}

void tst_Record::copyKeepsValueAndCodesButNotParametersOrChildren()
{
    KVDeviceProperty original;
    original.init(3u, QStringLiteral("speed"), QStringLiteral("mm/s"), 7, 6, 1,
                  KVDeviceInterface::CCMD, {QStringLiteral("0")});
    original.setValue(4u);
    original.setProperty("WIDGET", QJsonObject());

    const QVariant held = QVariant::fromValue(original);
    QCOMPARE(held.metaType(), QMetaType::fromName("KVDeviceProperty"));
    const KVDeviceProperty copy = held.value<KVDeviceProperty>();
    QCOMPARE(copy.value(), QVariant(4u));
    QCOMPARE(copy.label(), QStringLiteral("speed"));
    QCOMPARE(copy.uint(), QStringLiteral("mm/s"));
    QCOMPARE(copy.get_cmd_int(), 7);
    QCOMPARE(copy.set_cmd_int(), 6);
    QCOMPARE(copy.cmd_len(), 1);
    QCOMPARE(copy.cmd_type(), KVDeviceInterface::CCMD);
    QVERIFY(copy.param().isEmpty());
    QVERIFY(copy.dynamicPropertyNames().isEmpty());
    QVERIFY(!copy.parent());
}

void tst_Record::destructionDeletesRecordsOnly()
{
    QPointer<KVDeviceProperty> a = attach("A", 1);
    QPointer<KVDeviceProperty> b = attach("B", 2);
    device->setProperty("SAME_AS_A", QVariant::fromValue(static_cast<QObject *>(a.data())));
    device->setProperty("NOTE", QStringLiteral("text"));
    device->setProperty("WHEN", QDateTime::currentDateTime());
    QObject bystander;
    device->setProperty("OTHER_OBJECT", QVariant::fromValue(&bystander));

    delete device;
    device = nullptr;
    QVERIFY(a.isNull());
    QVERIFY(b.isNull());
}

void tst_Record::replacedRecordIsDeletedWhenUnreferenced()
{
    device->setUSBPath(QStringLiteral("/dev/ttyUSB0"));
    QPointer<KVDeviceProperty> first = device->property_ptr("USB");
    QVERIFY(first);
    device->setUSBPath(QStringLiteral("/dev/ttyUSB1"));
    QVERIFY(first.isNull());
    QCOMPARE(device->property_ptr("USB")->value().toString(), QStringLiteral("/dev/ttyUSB1"));
}

void tst_Record::replacedGroupMemberStaysValidUntilDestruction()
{
    // A group builder run again rebinds the member's key first; the old group still holds it.
    KVDeviceProperty *member = attach("M", 1);
    KVDeviceProperty *group = attach("G", QStringList{QStringLiteral("M")});
    KVAttach::toGroup(group, "M", member);
    QPointer<KVDeviceProperty> oldMember = member;
    QPointer<KVDeviceProperty> oldGroup = group;

    auto *newMember = new KVDeviceProperty;
    KVAttach::toDevice(device, "M", newMember);
    QVERIFY(oldMember);
    QCOMPARE(group->property_ptr("M"), oldMember.data());

    // Once the group is replaced too, nothing refers to the old group: it goes at once.
    auto *newGroup = new KVDeviceProperty;
    KVAttach::toGroup(newGroup, "M", newMember);
    KVAttach::toDevice(device, "G", newGroup);
    QVERIFY(oldGroup.isNull());
    QVERIFY(oldMember); // kept by the device

    delete device;
    device = nullptr;
    QVERIFY(oldMember.isNull());
}

void tst_Record::baseInterfaceDefaults()
{
    KVDeviceInterface base;
    QCOMPARE(base.initInstance(), nullptr);
    QCOMPARE(base.connectDevice(), false);
    QCOMPARE(base.icon(), 0);
    QCOMPARE(base.property_ptr("STATUS"), nullptr);
    QVERIFY(base.userProperty().isEmpty());
    QVERIFY(base.sysProperty().isEmpty());
    base.setPlt(QStringLiteral("IN;")); // nothing to store it in; must not crash
}

void tst_Record::baseLinkRecords()
{
    KVDeviceInterface base;
    base.setUSBPath(QStringLiteral("/dev/usb/lp0"));
    base.setIPAddress(QStringLiteral("10.0.0.9"));
    KVDeviceProperty *usb = KVDeviceProperty::fromHolder(&base, "USB");
    KVDeviceProperty *tcp = KVDeviceProperty::fromHolder(&base, "TCP");
    QVERIFY(usb && tcp);
    QCOMPARE(usb->label(), QStringLiteral("/dev/usb/lp0"));
    QCOMPARE(usb->value().toString(), QStringLiteral("USB"));
    QCOMPARE(tcp->label(), QStringLiteral("10.0.0.9"));
    QCOMPARE(tcp->value().toString(), QStringLiteral("TCP"));
    QCOMPARE(usb->cmd_type(), KVDeviceInterface::UnCMD);
}

void tst_Record::setPltPrefersTheModelsPlotRecord_data()
{
    QTest::addColumn<bool>("hasPplt");
    QTest::addColumn<bool>("hasPlt");
    QTest::newRow("both") << true << true;
    QTest::newRow("model only") << true << false;
    QTest::newRow("common only") << false << true;
    QTest::newRow("neither") << false << false;
}

void tst_Record::setPltPrefersTheModelsPlotRecord()
{
    QFETCH(bool, hasPplt);
    QFETCH(bool, hasPlt);
    KVDeviceProperty *pplt = hasPplt ? attach("TASK_PPLT", QString()) : nullptr;
    KVDeviceProperty *plt = hasPlt ? attach("TASK_PLT", QString()) : nullptr;
    const QString text = QStringLiteral("IN;PU0,0;PD400,0;");
    device->setPlt(text);
    if (pplt)
        QCOMPARE(pplt->value().toString(), text);
    if (plt)
        QCOMPARE(plt->value().toString(), pplt ? QString() : text);
}

void tst_Record::buildDate_data()
{
    QTest::addColumn<QString>("compiler");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two-digit day") << QStringLiteral("Dec 18 2024") << QStringLiteral("2024 - 12 - 18");
    QTest::newRow("space-padded day") << QStringLiteral("Dec  8 2024") << QStringLiteral("2024 - 12 - 08");
    QTest::newRow("january") << QStringLiteral("Jan 31 2026") << QStringLiteral("2026 - 01 - 31");
}

void tst_Record::buildDate()
{
    QFETCH(QString, compiler);
    QFETCH(QString, expected);
    QCOMPARE(KVDeviceInterface::formatBuildDate(compiler), expected);
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{4} - \\d\\d - \\d\\d$"))
                .match(KVDeviceInterface::buildDate()).hasMatch());
}

QTEST_GUILESS_MAIN(tst_Record)
#include "tst_record.moc"
