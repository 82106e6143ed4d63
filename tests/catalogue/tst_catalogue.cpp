// The property catalogues as a host gets them (the model's, the other family's and every optional
// group builder's), checked for what must hold of any record rather than value by value: one
// record per key, groups made of the device's own records, frames exactly where codes are set,
// every text translated; builders run again on a device that already has their keys.
// Runs under a zh_CN system locale, so labels keep their source texts.
#include "kvcommoninterface.h"
#include "kvdeviceproperty.h"
#include "kvrv520maxcam.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>

#include <memory>

namespace {

using Device = std::unique_ptr<KVDeviceInterface>;
using Builder = void (KVCommonInterface::*)(KVDeviceInterface *);

const QMap<QString, Builder> Builders = {
    { "init583", &KVCommonInterface::init583 }, { "info_583", &KVCommonInterface::info_583 },
    { "init261", &KVCommonInterface::init261 }, { "info_261", &KVCommonInterface::info_261 },
    { "camera_offset_261", &KVCommonInterface::camera_offset_261 },
    { "camera_offset_583", &KVCommonInterface::camera_offset_583 }, { "feed_261", &KVCommonInterface::feed_261 },
    { "scale_261", &KVCommonInterface::scale_261 }, { "scale_583", &KVCommonInterface::scale_583 },
    { "sp1_261", &KVCommonInterface::sp1_261 }, { "sp2_261", &KVCommonInterface::sp2_261 },
    { "tool_space_261", &KVCommonInterface::tool_space_261 }, { "work_area_261", &KVCommonInterface::work_area_261 },
    { "work_area_583", &KVCommonInterface::work_area_583 }, { "move_261", &KVCommonInterface::move_261 },
};

// "model" and "261" are what a host gets from initInstance; any other name is one builder run on
// an empty device of the common class.
Device catalogue(const QString &name)
{
    if (name == QLatin1String("model"))
        return Device(KVRV520MAXCam().initInstance());
    if (name == QLatin1String("261"))
        return Device(KVCommonInterface().initInstance());
    auto *device = new KVCommonInterface;
    (device->*Builders.value(name))(device);
    return Device(device);
}

QStringList catalogueNames()
{
    return QStringList{ "model", "261" } + Builders.keys();
}

QList<KVDeviceProperty *> recordsOf(KVDeviceInterface *device)
{
    QList<KVDeviceProperty *> all;
    for (const QByteArray &key : device->dynamicPropertyNames()) {
        if (KVDeviceProperty *record = device->property_ptr(key.constData()))
            all.append(record);
    }
    return all;
}

// "GROUP.MEMBER" for every member a group holds that is not the device's record of that key.
QStringList danglingMembers(KVDeviceInterface *device)
{
    QStringList dangling;
    for (const QByteArray &key : device->dynamicPropertyNames()) {
        const KVDeviceProperty *group = device->property_ptr(key.constData());
        for (const QByteArray &member : group ? group->dynamicPropertyNames() : QList<QByteArray>()) {
            const KVDeviceProperty *held = group->property_ptr(member.constData());
            if (held && held != device->property_ptr(member.constData()))
                dangling.append(QString::fromLatin1(key + '.' + member));
        }
    }
    return dangling;
}

int leadingBlanks(const QString &text)
{
    return int(text.indexOf(QRegularExpression(QStringLiteral("[^ ]|$"))));
}

} // namespace

class tst_Catalogue : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void records_data();
    void records();
    void modelKeyListsForTheHost();

    void buildersIgnoreMissingDevice();
    void rebuildLeavesNoDanglingMemberAndNoLeak_data();
    void rebuildLeavesNoDanglingMemberAndNoLeak();

    void everyTextHasTranslations_data();
    void everyTextHasTranslations();

private:
    QTranslator english;
    QTranslator japanese;
};

void tst_Catalogue::initTestCase()
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
    QVERIFY2(english.load(QStringLiteral("KV-RV520MAXCam_en_US.qm"), folder), qPrintable(folder));
    QVERIFY2(japanese.load(QStringLiteral("KV-RV520MAXCam_ja_JP.qm"), folder), qPrintable(folder));
}

void tst_Catalogue::records_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : catalogueNames())
        QTest::newRow(qPrintable(name)) << name;
}

// One record per key, each a group's member only where the group names it; a read frame exactly
// when the record has a reply type, a length and a read code, a write frame exactly when it has a
// type and a write code (registers: at most six), each frame's length field exact.
void tst_Catalogue::records()
{
    QFETCH(QString, name);
    Device device = catalogue(name);
    const QList<KVDeviceProperty *> all = recordsOf(device.get());
    QVERIFY(!all.isEmpty());
    QCOMPARE(QSet<KVDeviceProperty *>(all.begin(), all.end()).size(), all.size());
    QCOMPARE(danglingMembers(device.get()), QStringList());
    for (const QByteArray &key : device->dynamicPropertyNames()) {
        const KVDeviceProperty *record = device->property_ptr(key.constData());
        QVERIFY2(record && QRegularExpression("^[A-Z][A-Z0-9_]*$").match(QString::fromLatin1(key)).hasMatch(), key);
        for (const QString &member : record->value().toStringList()) {
            if (record->value().typeId() == QMetaType::QStringList)
                QVERIFY2(record->property_ptr(member.toLatin1().constData()), qPrintable(key + '.' + member));
        }
        const auto type = record->cmd_type();
        const bool replies = type == KVDeviceInterface::CCMD || type == KVDeviceInterface::CMD;
        const bool readable = replies && record->cmd_len() > 0 && record->get_cmd_int() != 0;
        const bool writable = type != KVDeviceInterface::UnCMD && record->set_cmd_int() != 0
                              && (type != KVDeviceInterface::CMD || record->cmd_len() <= 6);
        QCOMPARE(!record->get_cmd_bytes().isEmpty(), readable);
        QCOMPARE(!record->set_cmd_bytes().isEmpty(), writable);
        for (const QByteArray &frame : { record->get_cmd_bytes(), record->set_cmd_bytes() }) {
            if (!frame.isEmpty())
                QCOMPARE(frame.mid(1, frame.indexOf(';') - 1).toInt(), frame.size());
        }
    }
}

void tst_Catalogue::modelKeyListsForTheHost()
{
    Device device = catalogue("model");
    QCOMPARE(device->userProperty(), (QStringList{ "WORK_MODE", "PRESSURE", "SPEED", "CAMERA_OFFSET", "SCALE" }));
    const QStringList system{ "DEVICE_MODEL_NAME", "FIRMWARE", "DEVICE_ID", "PCB_ID", "PCB_VERSION" };
    QCOMPARE(device->sysProperty(), system);
    for (const QString &key : system)
        QVERIFY2(device->property_ptr(key.toLatin1().constData()), qPrintable(key));
}

// The builders are public members a host may call with any pointer it holds.
void tst_Catalogue::buildersIgnoreMissingDevice()
{
    KVCommonInterface builder;
    for (const Builder build : Builders)
        (builder.*build)(nullptr);
    QVERIFY(builder.dynamicPropertyNames().isEmpty());
    QVERIFY(builder.children().isEmpty());
}

void tst_Catalogue::rebuildLeavesNoDanglingMemberAndNoLeak_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("builders");
    const QStringList groups261{ "info_261", "camera_offset_261", "feed_261", "scale_261", "sp1_261",
                                 "sp2_261", "tool_space_261", "work_area_261", "move_261" };
    QTest::newRow("the model's own builders again") << "model" << QStringList()
                                                   << QStringList{ "init583", "info_583", "camera_offset_583" };
    QTest::newRow("every 261 group twice") << "261" << groups261 << groups261;
    QTest::newRow("261 groups, then their 583 forms") << "261"
        << QStringList{ "camera_offset_261", "scale_261", "work_area_261" }
        << QStringList{ "camera_offset_583", "scale_583", "work_area_583" };
    QTest::newRow("583 groups, then their 261 forms") << "model" << QStringList{ "scale_583", "work_area_583" }
        << QStringList{ "camera_offset_261", "scale_261", "work_area_261" };
}

// A builder run again rebinds its keys to new records. The records it replaces are deleted at
// once, except former group members, which stay valid until the device goes; no group is left
// referring to a record that is not the device's current one.
void tst_Catalogue::rebuildLeavesNoDanglingMemberAndNoLeak()
{
    QFETCH(QString, base);
    QFETCH(QStringList, before);
    QFETCH(QStringList, builders);
    Device device = catalogue(base);
    auto *common = qobject_cast<KVCommonInterface *>(device.get());
    for (const QString &builder : before)
        (common->*Builders.value(builder))(common);
    QList<QPointer<KVDeviceProperty>> everything;
    for (const QString &builder : builders) {
        struct Old { QByteArray key; QPointer<KVDeviceProperty> record; bool member; };
        QList<Old> old;
        QList<KVDeviceProperty *> members;
        for (KVDeviceProperty *group : recordsOf(common)) {
            for (const QByteArray &member : group->dynamicPropertyNames())
                members.append(group->property_ptr(member.constData()));
        }
        for (const QByteArray &key : common->dynamicPropertyNames()) {
            KVDeviceProperty *record = common->property_ptr(key.constData());
            old.append({ key, record, members.contains(record) });
            everything.append(record);
        }
        const Device fresh = catalogue(builder);
        (common->*Builders.value(builder))(common);
        QCOMPARE(danglingMembers(common), QStringList());
        for (const QByteArray &key : fresh->dynamicPropertyNames())
            QVERIFY2(common->property_ptr(key.constData()), key.constData());
        for (const Old &o : old) {
            const bool stillAttached = common->property_ptr(o.key.constData()) == o.record;
            QVERIFY2(!o.record.isNull() == (stillAttached || o.member), qPrintable(builder + ' ' + o.key));
        }
    }
    for (KVDeviceProperty *record : recordsOf(common))
        everything.append(record);
    device.reset();
    for (const QPointer<KVDeviceProperty> &record : everything)
        QVERIFY(record.isNull());
}

void tst_Catalogue::everyTextHasTranslations_data()
{
    QTest::addColumn<QString>("source");
    QSet<QString> texts;
    for (const QString &name : catalogueNames()) {
        Device device = catalogue(name);
        device->setUSBPath(QStringLiteral("/dev/null"));
        device->setIPAddress(QStringLiteral("127.0.0.1"));
        for (KVDeviceProperty *record : recordsOf(device.get())) {
            texts.insert(record->label());
            if (record->uint().contains(QRegularExpression(QStringLiteral("\\p{Han}"))))
                texts.insert(record->uint());
            const QString options = record->property("WIDGET").toJsonObject().value("option").toString();
            for (const QString &option : options.split(';'))
                texts.insert(option);
        }
    }
    KVCommonInterface device; // the link records of the interface class
    device.KVDeviceInterface::setUSBPath(QString());
    device.KVDeviceInterface::setIPAddress(QString());
    texts << device.property_ptr("USB")->value().toString() << device.property_ptr("TCP")->value().toString();
    texts.remove(QString());
    for (const QString &text : texts)
        QTest::newRow(qPrintable(text)) << text;
}

// Both languages translate every label, option and unit in Chinese characters, in the context of one
// of the device classes; an option keeps its leading blanks, which the host's combo box shows as
// an indent.
void tst_Catalogue::everyTextHasTranslations()
{
    QFETCH(QString, source);
    const QByteArray utf8 = source.toUtf8();
    for (const QTranslator *translator : { &english, &japanese }) {
        QString translated;
        for (const char *context : { "KVRV520MAXCam", "KVCommonInterface", "KVDeviceInterface" }) {
            if (translated.isEmpty())
                translated = translator->translate(context, utf8.constData());
        }
        QVERIFY2(!translated.trimmed().isEmpty(), qPrintable(translator->language()));
        QCOMPARE(leadingBlanks(translated), leadingBlanks(source));
    }
}

QTEST_GUILESS_MAIN(tst_Catalogue)
#include "tst_catalogue.moc"
