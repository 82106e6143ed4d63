// The property record's value semantics, lookup, copying, and the ownership rules of the device
// object that holds records under keys.
#include "testdevice.h"

#include <QJsonObject>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using Sequence = QList<int>;

class tst_Record : public QObject
{
    Q_OBJECT
private slots:
    void init() { device = std::make_unique<ProbeDevice>(); }
    void cleanup() { device.reset(); }

    void setValueNotifiesRealChangesOnly_data();
    void setValueNotifiesRealChangesOnly();
    void memberLookup();
    void copyKeepsValueAndCodesButNotParametersOrChildren();
    void destructionDeletesEachRecordOnce();
    void replacedRecordsGoWhenNothingRefersToThem();
    void setPltPrefersTheModelsPlotRecord();
    void buildDateReadsBothDayForms();

private:
    std::unique_ptr<ProbeDevice> device;
};

void tst_Record::setValueNotifiesRealChangesOnly_data()
{
    QTest::addColumn<Sequence>("writes");
    QTest::addColumn<Sequence>("signalsAfterEach");

    // Starting from init(5); the last write is the final value.
    QTest::newRow("same as initial") << Sequence{5} << Sequence{0};
    QTest::newRow("back to last value is silent, then stays") << Sequence{6, 5, 5} << Sequence{1, 1, 1};
    QTest::newRow("away again after silent return") << Sequence{6, 5, 6} << Sequence{1, 1, 2};
    QTest::newRow("to older value after two") << Sequence{6, 7, 5} << Sequence{1, 2, 3};
    QTest::newRow("to last after two is silent") << Sequence{6, 7, 6} << Sequence{1, 2, 2};
}

// Written through the meta-property "value", whose writer is setValue; init itself is silent.
void tst_Record::setValueNotifiesRealChangesOnly()
{
    QFETCH(Sequence, writes);
    QFETCH(Sequence, signalsAfterEach);
    KVDeviceProperty record;
    QSignalSpy changed(&record, &KVDeviceProperty::valueChanged);
    QVERIFY(record.init(5, QString(), QString(), 0, 0, 0, KVDeviceInterface::UnCMD));
    for (int i = 0; i < writes.size(); ++i) {
        QVERIFY(record.setProperty("value", writes.at(i)));
        QCOMPARE(changed.count(), signalsAfterEach.at(i));
    }
    QCOMPARE(record.value(), QVariant(writes.last()));
}

void tst_Record::memberLookup()
{
    KVDeviceProperty group;
    KVDeviceProperty member;
    group.setProperty("WIDGET", QJsonObject{{QStringLiteral("widget"), QStringLiteral("QGroupBox")}});
    group.setProperty("TEXT", QStringLiteral("not a record"));
    KVAttach::toGroup(&group, "M", &member);
    QCOMPARE(group.property_ptr("M"), &member);
    QVERIFY(!group.property_ptr("WIDGET") && !group.property_ptr("TEXT") && !group.property_ptr("MISSING"));
    QVERIFY(!KVDeviceProperty::fromHolder(nullptr, "M"));
}

void tst_Record::copyKeepsValueAndCodesButNotParametersOrChildren()
{
    KVDeviceProperty original;
    original.init(3u, QStringLiteral("speed"), QStringLiteral("mm/s"), 7, 6, 1, KVDeviceInterface::CCMD,
                  {QStringLiteral("0")});
    original.setValue(4u);
    original.setProperty("WIDGET", QJsonObject());

    const QVariant held = QVariant::fromValue(original);
    KVDeviceProperty copy = held.value<KVDeviceProperty>();
    QCOMPARE(copy.value(), QVariant(4u));
    QCOMPARE(std::make_tuple(copy.label(), copy.uint(), copy.get_cmd_int(), copy.set_cmd_int(), copy.cmd_len(), copy.cmd_type()),
             std::make_tuple(QStringLiteral("speed"), QStringLiteral("mm/s"), 7, 6, 1, KVDeviceInterface::CCMD));
    QVERIFY(copy.param().isEmpty() && copy.dynamicPropertyNames().isEmpty() && !copy.parent());
    QSignalSpy changed(&copy, &KVDeviceProperty::valueChanged);
    copy.setValue(3u); // the copied last value: stored without a notification
    QCOMPARE(changed.count(), 0);
}

// Records held under several keys are deleted once; values of other kinds are only cleared.
void tst_Record::destructionDeletesEachRecordOnce()
{
    QPointer<KVDeviceProperty> a = device->add("A", 1);
    QPointer<KVDeviceProperty> b = device->add("B", 2);
    device->setProperty("SAME_AS_A", QVariant::fromValue(static_cast<QObject *>(a.data())));
    device->setProperty("NOTE", QStringLiteral("text"));
    QObject bystander;
    device->setProperty("OTHER_OBJECT", QVariant::fromValue(&bystander));

    device.reset();
    QVERIFY(a.isNull() && b.isNull());
}

void tst_Record::replacedRecordsGoWhenNothingRefersToThem()
{
    device->setUSBPath(QStringLiteral("/dev/ttyUSB0"));
    QPointer<KVDeviceProperty> firstUsb = device->property_ptr("USB");
    device->setUSBPath(QStringLiteral("/dev/ttyUSB1"));
    QVERIFY(firstUsb.isNull());

    // A record held under two keys stays while the other key holds it.
    QPointer<KVDeviceProperty> shared = device->add("A", 1);
    KVAttach::toDevice(device.get(), "B", shared);
    KVAttach::toDevice(device.get(), "A", new KVDeviceProperty);
    QVERIFY(shared);
    QCOMPARE(device->property_ptr("B"), shared.data());

    // A group builder run again rebinds the member's key first; the old group still holds it.
    QPointer<KVDeviceProperty> oldMember = device->add("M", 1);
    QPointer<KVDeviceProperty> oldGroup = device->add("G", QStringList{QStringLiteral("M")});
    KVAttach::toGroup(oldGroup, "M", oldMember);
    auto *newMember = new KVDeviceProperty;
    KVAttach::toDevice(device.get(), "M", newMember);
    QVERIFY(oldMember);
    QCOMPARE(oldGroup->property_ptr("M"), oldMember.data());

    // Once the group is replaced too, nothing refers to the old group: it goes at once.
    auto *newGroup = new KVDeviceProperty;
    KVAttach::toGroup(newGroup, "M", newMember);
    KVAttach::toDevice(device.get(), "G", newGroup);
    QVERIFY(oldGroup.isNull());
    QVERIFY(oldMember); // kept by the device until it goes
    device.reset();
    QVERIFY(oldMember.isNull());
}

// With neither record nothing happens; with both the model's takes the text, whichever came first.
void tst_Record::setPltPrefersTheModelsPlotRecord()
{
    device->setPlt(QStringLiteral("IN;"));
    KVDeviceProperty *plt = device->add("TASK_PLT", QString());
    KVDeviceProperty *pplt = device->add("TASK_PPLT", QString());
    device->setPlt(QStringLiteral("IN;PD400,0;"));
    QCOMPARE(pplt->value().toString() + u'|' + plt->value().toString(), QStringLiteral("IN;PD400,0;|"));
}

void tst_Record::buildDateReadsBothDayForms()
{
    QCOMPARE(KVDeviceInterface::formatBuildDate(QStringLiteral("Dec 18 2024")), QStringLiteral("2024 - 12 - 18"));
    QCOMPARE(KVDeviceInterface::formatBuildDate(QStringLiteral("Jan  8 2026")), QStringLiteral("2026 - 01 - 08"));
}

QTEST_GUILESS_MAIN(tst_Record)
#include "tst_record.moc"
