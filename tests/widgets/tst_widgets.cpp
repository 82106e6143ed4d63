// The editing widgets a record builds from its "WIDGET" description, and the conversions between
// the stored value and what the widget shows.
#include "attach.h"
#include "kvdeviceproperty.h"
#include "kvrv520maxcam.h"
#include "widgetprobe.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using Json = QJsonObject;
using namespace WidgetProbe;

class tst_Widgets : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void eachKindBuildsItsRow_data();
    void eachKindBuildsItsRow();
    void rangeDefaults_data();
    void rangeDefaults();
    void comboItems_data();
    void comboItems();
    void conversions_data();
    void conversions();
    void takingBackNotifiesRealChangesOnly_data();
    void takingBackNotifiesRealChangesOnly();

    void tabRecordsShareOneTabWidget();
    void tabWidgetIsFoundAmongDescendants_data();
    void tabWidgetIsFoundAmongDescendants();
    void groupRowShowsMembersSideBySide_data();
    void groupRowShowsMembersSideBySide();
    void modelCatalogueBuildsItsEditors();

    void noDescriptionMeansNoWidget();
    void parentWithoutLayoutBuildsNothing_data();
    void parentWithoutLayoutBuildsNothing();
    void deletedWidgetIsForgotten();
    void rebuildingRefersToTheNewestWidget();
    void scaledTextThatIsNoNumberKeepsTheValue();
    void groupHoldingItselfDoesNotRecurseForever();

private:
    KVDeviceProperty *record(const QString &label, const QString &unit, const QVariant &value, const Json &widget);
    KVDeviceProperty *group(const QString &label, const QString &unit, const Json &widget,
                            const QList<std::pair<const char *, KVDeviceProperty *>> &members, bool widgetFirst);
    QWidget *row(int index) const { return parent->layout()->itemAt(index)->widget(); }

    std::unique_ptr<QWidget> parent;
    std::vector<std::unique_ptr<KVDeviceProperty>> records;
};

namespace {

QObject *control(const KVDeviceProperty *record)
{
    return record->property("UI_CTRL").value<QObject *>();
}

QStringList itemsOf(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

QList<QWidget *> rowsIn(const QWidget *holder)
{
    QList<QWidget *> rows;
    for (int i = 0; i < holder->layout()->count(); ++i)
        rows << holder->layout()->itemAt(i)->widget();
    return rows;
}

Json spinBox(Json fields = {})
{
    fields.insert(QStringLiteral("widget"), QStringLiteral("QSpinBox"));
    return fields;
}

Json doubleSpinBox(Json fields = {})
{
    fields.insert(QStringLiteral("widget"), QStringLiteral("QDoubleSpinBox"));
    return fields;
}

Json kind(const char *name, Json fields = {})
{
    fields.insert(QStringLiteral("widget"), QString::fromLatin1(name));
    return fields;
}

const QRegularExpression factorWarning(QStringLiteral("^KVDeviceProperty::(to|from)_ui_ctrl .*factor 0 "));

} // namespace

void tst_Widgets::init()
{
    parent = std::make_unique<QWidget>();
    new QVBoxLayout(parent.get());
}

void tst_Widgets::cleanup()
{
    parent.reset();
    records.clear();
}

KVDeviceProperty *tst_Widgets::record(const QString &label, const QString &unit, const QVariant &value,
                                      const Json &widget)
{
    auto *made = new KVDeviceProperty;
    made->init(value, label, unit, 0, 0, 0, KVDeviceInterface::UnCMD);
    if (!widget.isEmpty())
        made->setProperty("WIDGET", widget);
    records.emplace_back(made);
    return made;
}

KVDeviceProperty *tst_Widgets::group(const QString &label, const QString &unit, const Json &widget,
                                     const QList<std::pair<const char *, KVDeviceProperty *>> &members,
                                     bool widgetFirst)
{
    KVDeviceProperty *made = record(label, unit, QVariant(), {});
    if (widgetFirst)
        made->setProperty("WIDGET", widget);
    for (const auto &[key, member] : members)
        KVAttach::toGroup(made, key, member);
    if (!widgetFirst)
        made->setProperty("WIDGET", widget);
    return made;
}

void tst_Widgets::eachKindBuildsItsRow_data()
{
    QTest::addColumn<Json>("widget");
    QTest::addColumn<QByteArray>("controlClass");
    QTest::addColumn<int>("controlMinimumHeight");

    QTest::newRow("spin box") << spinBox() << QByteArray("QSpinBox") << 28;
    QTest::newRow("double spin box") << doubleSpinBox() << QByteArray("QDoubleSpinBox") << 28;
    QTest::newRow("combo box") << kind("QComboBox") << QByteArray("QComboBox") << 28;
    QTest::newRow("line edit") << kind("QLineEdit") << QByteArray("QLineEdit") << 28;
    QTest::newRow("label") << kind("QLabel") << QByteArray("QLabel") << 28;
    QTest::newRow("group container") << kind("QGroupBox") << QByteArray("QWidget") << 0;
    QTest::newRow("unknown kind") << kind("QSlider") << QByteArray() << 0;
    QTest::newRow("no kind") << Json{ { "max", 5 } } << QByteArray() << 0;
}

void tst_Widgets::eachKindBuildsItsRow()
{
    QFETCH(Json, widget);
    QFETCH(QByteArray, controlClass);
    QFETCH(int, controlMinimumHeight);
    KVDeviceProperty *speed = record(QStringLiteral("Speed"), QStringLiteral("(mm/s)"), 0u, widget);

    speed->create_ui_ctrl(parent.get(), QStringLiteral("SPEED"), true);

    QCOMPARE(parent->layout()->count(), 1);
    auto *rowLayout = qobject_cast<QHBoxLayout *>(row(0)->layout());
    QVERIFY(rowLayout);
    QCOMPARE(rowLayout->spacing(), 5);
    auto *label = qobject_cast<QLabel *>(rowLayout->itemAt(0)->widget());
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("Speed"));
    QCOMPARE(label->alignment(), Qt::AlignCenter);
    QCOMPARE(label->minimumHeight(), 28);
    QCOMPARE(rowLayout->stretch(0), 1);

    const int unitIndex = controlClass.isEmpty() ? 1 : 2;
    QCOMPARE(rowLayout->count(), unitIndex + 1);
    auto *unit = qobject_cast<QLabel *>(rowLayout->itemAt(unitIndex)->widget());
    QVERIFY(unit);
    QCOMPARE(unit->text(), QStringLiteral("(mm/s)"));
    QCOMPARE(rowLayout->stretch(unitIndex), 1);

    if (controlClass.isEmpty()) {
        QVERIFY(!speed->property("UI_CTRL").isValid());
        return;
    }
    QWidget *built = rowLayout->itemAt(1)->widget();
    QCOMPARE(control(speed), built);
    QCOMPARE(QByteArray(built->metaObject()->className()), controlClass);
    QCOMPARE(built->objectName(), QStringLiteral("SPEED"));
    QCOMPARE(built->minimumHeight(), controlMinimumHeight);
    QCOMPARE(rowLayout->stretch(1), 3);
}

void tst_Widgets::rangeDefaults_data()
{
    QTest::addColumn<Json>("widget");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");

    QTest::newRow("spin box without range") << spinBox() << 0.0 << 1000.0;
    QTest::newRow("spin box 10 to 800") << spinBox({ { "min", 10 }, { "max", 800 } }) << 10.0 << 800.0;
    QTest::newRow("spin box with a double maximum") << spinBox({ { "min", 0 }, { "max", 10000.0 } }) << 0.0 << 10000.0;
    QTest::newRow("spin box -360 to 360") << spinBox({ { "min", -360 }, { "max", 360 } }) << -360.0 << 360.0;
    QTest::newRow("spin box beyond int") << spinBox({ { "max", 1e12 } }) << 0.0 << 2147483647.0;
    QTest::newRow("double spin box without range") << doubleSpinBox() << 0.0 << 0.0;
    QTest::newRow("double spin box -1000 to 1000")
        << doubleSpinBox({ { "min", -1000.0 }, { "max", 1000.0 } }) << -1000.0 << 1000.0;
    QTest::newRow("double spin box 0 to 200") << doubleSpinBox({ { "min", 0 }, { "max", 200 } }) << 0.0 << 200.0;
}

void tst_Widgets::rangeDefaults()
{
    QFETCH(Json, widget);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    KVDeviceProperty *value = record(QStringLiteral("v"), {}, 0u, widget);
    value->create_ui_ctrl(parent.get(), QStringLiteral("V"), false);

    QObject *built = control(value);
    if (auto *spin = qobject_cast<QSpinBox *>(built)) {
        QCOMPARE(double(spin->minimum()), minimum);
        QCOMPARE(double(spin->maximum()), maximum);
    } else {
        auto *doubleSpin = qobject_cast<QDoubleSpinBox *>(built);
        QVERIFY(doubleSpin);
        QCOMPARE(doubleSpin->minimum(), minimum);
        QCOMPARE(doubleSpin->maximum(), maximum);
    }
}

void tst_Widgets::comboItems_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("three items") << QStringLiteral("Low;Mid;High") << QStringList{ "Low", "Mid", "High" };
    QTest::newRow("empty item kept") << QStringLiteral("A;;B") << QStringList{ "A", "", "B" };
    QTest::newRow("leading blanks kept") << QStringLiteral("   fast;   fine") << QStringList{ "   fast", "   fine" };
    QTest::newRow("no option") << QString() << QStringList();
}

void tst_Widgets::comboItems()
{
    QFETCH(QString, option);
    QFETCH(QStringList, items);
    Json widget = kind("QComboBox");
    if (!option.isNull())
        widget.insert(QStringLiteral("option"), option);
    KVDeviceProperty *mode = record(QStringLiteral("Mode"), {}, 0u, widget);
    mode->create_ui_ctrl(parent.get(), QStringLiteral("MODE"), false);

    QCOMPARE(itemsOf(qobject_cast<QComboBox *>(control(mode))), items);
}

void tst_Widgets::conversions_data()
{
    QTest::addColumn<Json>("widget");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QVariant>("edited");
    QTest::addColumn<QVariant>("back");
    QTest::addColumn<bool>("factorZero");

    const Json offset = doubleSpinBox({ { "factor", 0.005 }, { "min", -1000 }, { "max", 1000 } });
    QTest::newRow("double spin box, factor 0.005") << offset << QVariant(70000u) << "350.000" << QVariant(12.5) << QVariant(2500.0) << false;
    QTest::newRow("double spin box, negative, quotient noise") << offset << QVariant(-20) << "-0.100" << QVariant(-0.015) << QVariant(-3.0) << false;
    QTest::newRow("spin box, no factor") << spinBox() << QVariant(30) << "30" << QVariant(45) << QVariant(45) << false;
    QTest::newRow("spin box, unsigned value comes back as int") << spinBox() << QVariant(30u) << "30" << QVariant(300) << QVariant(300) << false;
    QTest::newRow("spin box, factor 19/6") << spinBox({ { "max", 1900 }, { "factor", 3.1666666666666665 } })
                                           << QVariant(600u) << "1900" << QVariant(950) << QVariant(300) << false;
    QTest::newRow("spin box, truncated toward zero") << spinBox({ { "min", -100 }, { "factor", 0.5 } })
                                                     << QVariant(-3) << "-1" << QVariant(-3) << QVariant(-6) << false;
    QTest::newRow("spin box, product noise") << spinBox({ { "factor", 0.7 } }) << QVariant(90) << "63" << QVariant(70) << QVariant(100) << false;
    QTest::newRow("spin box, quotient noise") << spinBox({ { "factor", 1.1 } }) << QVariant(30) << "33" << QVariant(33) << QVariant(30) << false;
    QTest::newRow("combo box") << kind("QComboBox", { { "option", "Low;Mid;High" } }) << QVariant(2) << "High"
                               << QVariant(0) << QVariant(0) << false;
    QTest::newRow("line edit, no factor") << kind("QLineEdit") << QVariant(QStringLiteral("AB12")) << "AB12"
                                          << QVariant(QStringLiteral("CD34")) << QVariant(QStringLiteral("CD34")) << false;
    QTest::newRow("line edit, number without factor becomes text")
        << kind("QLineEdit") << QVariant(520u) << "520" << QVariant(QStringLiteral("521")) << QVariant(QStringLiteral("521")) << false;
    QTest::newRow("line edit, factor 10") << kind("QLineEdit", { { "factor", 10 } }) << QVariant(1.5) << "15"
                                          << QVariant(QStringLiteral("25")) << QVariant(QStringLiteral("2.5")) << false;
    QTest::newRow("line edit, factor 0.5") << kind("QLineEdit", { { "factor", 0.5 } }) << QVariant(1040u) << "520"
                                           << QVariant(QStringLiteral("380.5")) << QVariant(QStringLiteral("761")) << false;
    QTest::newRow("line edit, factor 0.0001") << kind("QLineEdit", { { "factor", 0.0001 } }) << QVariant(3u) << "3e-04"
                                              << QVariant(QStringLiteral("1.5")) << QVariant(QStringLiteral("15000")) << false;
    QTest::newRow("label") << kind("QLabel") << QVariant(QStringLiteral("V2.3.1")) << "V2.3.1"
                           << QVariant(QStringLiteral("V3")) << QVariant(QStringLiteral("V3")) << false;
    // A factor of 0 cannot scale: the value is shown and taken back unscaled, with a warning.
    QTest::newRow("factor 0, spin box") << spinBox({ { "factor", 0 } }) << QVariant(30) << "30" << QVariant(40) << QVariant(40) << true;
    QTest::newRow("factor 0, double spin box") << doubleSpinBox({ { "factor", 0 }, { "max", 100 } }) << QVariant(2.5) << "2.500"
                                               << QVariant(7.25) << QVariant(7.25) << true;
    QTest::newRow("factor 0, line edit") << kind("QLineEdit", { { "factor", 0 } }) << QVariant(QStringLiteral("7")) << "7"
                                         << QVariant(QStringLiteral("8")) << QVariant(QStringLiteral("8")) << true;
    QTest::newRow("factor 0, combo box") << kind("QComboBox", { { "factor", 0 }, { "option", "A;B;C" } }) << QVariant(1) << "B"
                                         << QVariant(2) << QVariant(2) << true;
}

void tst_Widgets::conversions()
{
    QFETCH(Json, widget);
    QFETCH(QVariant, stored);
    QFETCH(QString, shown);
    QFETCH(QVariant, edited);
    QFETCH(QVariant, back);
    QFETCH(bool, factorZero);
    KVDeviceProperty *value = record(QStringLiteral("value"), {}, stored, widget);
    value->create_ui_ctrl(parent.get(), QStringLiteral("VALUE"), true);

    if (factorZero)
        QTest::ignoreMessage(QtWarningMsg, factorWarning);
    value->to_ui_ctrl();
    QCOMPARE(shownText(control(value)), shown);
    QCOMPARE(value->value(), stored); // showing changes nothing

    edit(control(value), edited);
    if (factorZero)
        QTest::ignoreMessage(QtWarningMsg, factorWarning);
    value->from_ui_ctrl();
    QCOMPARE(value->value(), back);
    QCOMPARE(value->value().metaType(), back.metaType());
}

void tst_Widgets::takingBackNotifiesRealChangesOnly_data()
{
    QTest::addColumn<QList<int>>("edits");
    QTest::addColumn<QList<int>>("notifications");

    // Starts at 30 (also its last notified value).
    QTest::newRow("a change notifies once") << QList<int>{ 45 } << QList<int>{ 1 };
    QTest::newRow("the same value is silent") << QList<int>{ 30 } << QList<int>{ 0 };
    QTest::newRow("taken back twice") << QList<int>{ 45, 45 } << QList<int>{ 1, 1 };
    QTest::newRow("back to the last value is silent") << QList<int>{ 45, 30 } << QList<int>{ 1, 1 };
    QTest::newRow("then away again") << QList<int>{ 45, 30, 50 } << QList<int>{ 1, 1, 2 };
}

void tst_Widgets::takingBackNotifiesRealChangesOnly()
{
    QFETCH(QList<int>, edits);
    QFETCH(QList<int>, notifications);
    KVDeviceProperty *speed = record(QStringLiteral("Speed"), {}, 30, spinBox());
    speed->create_ui_ctrl(parent.get(), QStringLiteral("SPEED"), false);
    QSignalSpy changed(speed, &KVDeviceProperty::valueChanged);

    for (int i = 0; i < edits.size(); ++i) {
        edit(control(speed), edits.at(i));
        speed->from_ui_ctrl();
        QCOMPARE(speed->value().toInt(), edits.at(i));
        QCOMPARE(changed.count(), notifications.at(i));
    }
}

void tst_Widgets::tabRecordsShareOneTabWidget()
{
    KVDeviceProperty *speed1 = record(QStringLiteral("Speed"), QStringLiteral("(mm/s)"), 100u, spinBox({ { "max", 700 } }));
    KVDeviceProperty *tool1 = record(QStringLiteral("Tool"), {}, 1u, kind("QComboBox", { { "option", "drag;tangential" } }));
    KVDeviceProperty *speed2 = record(QStringLiteral("Speed"), QStringLiteral("(mm/s)"), 200u, spinBox({ { "max", 700 } }));
    KVDeviceProperty *sp1 = group(QStringLiteral("SP1"), {}, kind("QTabWidget"),
                                  { { "SP1_TOOL", tool1 }, { "SP1_SPEED", speed1 } }, false);
    KVDeviceProperty *sp2 = group(QStringLiteral("SP2"), {}, kind("QTabWidget"), { { "SP2_SPEED", speed2 } }, true);

    sp1->create_ui_ctrl(parent.get(), QStringLiteral("SP1"), true);
    sp2->create_ui_ctrl(parent.get(), QStringLiteral("SP2"), true);

    QCOMPARE(parent->findChildren<QTabWidget *>().size(), 1);
    auto *tabs = parent->findChild<QTabWidget *>();
    QCOMPARE(parent->layout()->count(), 1); // the tab widget, and no row of the tab records
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QStringLiteral("SP1"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("SP2"));
    QCOMPARE(control(sp1), tabs->widget(0));
    QCOMPARE(control(sp2), tabs->widget(1));

    auto *page = qobject_cast<QVBoxLayout *>(tabs->widget(0)->layout());
    QVERIFY(page);
    QCOMPARE(page->contentsMargins(), QMargins(30, 10, 10, 30));
    QCOMPARE(page->spacing(), 12);
    const QList<QWidget *> rows = rowsIn(tabs->widget(0));
    QCOMPARE(rows.size(), 2);
    QVERIFY(rows.at(0)->findChild<QComboBox *>(QStringLiteral("SP1_TOOL")));
    QVERIFY(rows.at(1)->findChild<QSpinBox *>(QStringLiteral("SP1_SPEED")));
    QVERIFY(labelTexts(rows.at(1)).contains(QStringLiteral("(mm/s)"))); // members of a tab show units

    sp1->to_ui_ctrl();
    sp2->to_ui_ctrl();
    QCOMPARE(shownText(control(speed1)), QStringLiteral("100"));
    QCOMPARE(shownText(control(tool1)), QStringLiteral("tangential"));
    QCOMPARE(shownText(control(speed2)), QStringLiteral("200"));

    edit(control(speed2), 650);
    sp2->from_ui_ctrl();
    QCOMPARE(speed2->value(), QVariant(650));
    QCOMPARE(speed1->value(), QVariant(100u));
}

void tst_Widgets::tabWidgetIsFoundAmongDescendants_data()
{
    QTest::addColumn<bool>("parentIsTheTabWidget");
    QTest::newRow("nested inside the parent") << false;
    QTest::newRow("the parent itself") << true;
}

void tst_Widgets::tabWidgetIsFoundAmongDescendants()
{
    QFETCH(bool, parentIsTheTabWidget);
    auto *inner = new QWidget;
    parent->layout()->addWidget(inner);
    auto *innerLayout = new QVBoxLayout(inner);
    auto *existing = new QTabWidget;
    existing->addTab(new QWidget, QStringLiteral("Job"));
    innerLayout->addWidget(existing);
    KVDeviceProperty *feed = group(QStringLiteral("Feed"), {}, kind("QTabWidget"),
                                   { { "FEED_SPEED", record(QStringLiteral("Speed"), {}, 0u, spinBox()) } }, true);

    feed->create_ui_ctrl(parentIsTheTabWidget ? static_cast<QWidget *>(existing) : parent.get(), QStringLiteral("FEED"), true);

    QCOMPARE(parent->findChildren<QTabWidget *>().size(), 1);
    QCOMPARE(existing->count(), 2);
    QCOMPARE(existing->tabText(1), QStringLiteral("Feed"));
    QVERIFY(existing->widget(1)->findChild<QSpinBox *>(QStringLiteral("FEED_SPEED")));
}

void tst_Widgets::groupRowShowsMembersSideBySide_data()
{
    QTest::addColumn<bool>("widgetFirst");
    QTest::newRow("description after the members") << false;
    QTest::newRow("description before the members") << true;
}

void tst_Widgets::groupRowShowsMembersSideBySide()
{
    QFETCH(bool, widgetFirst);
    const Json offset = doubleSpinBox({ { "min", -1000.0 }, { "max", 1000.0 } });
    KVDeviceProperty *x = record(QStringLiteral("x"), QStringLiteral("mm"), 12.5, offset);
    KVDeviceProperty *y = record(QStringLiteral("y"), QStringLiteral("mm"), -3.25, offset);
    KVDeviceProperty *camera = group(QStringLiteral("Camera offset"), QStringLiteral("(mm x mm)"), kind("QGroupBox"),
                                     { { "CAMERA_OFFSET_X", x }, { "CAMERA_OFFSET_Y", y } }, widgetFirst);

    camera->create_ui_ctrl(parent.get(), QStringLiteral("CAMERA_OFFSET"), true);

    QCOMPARE(parent->layout()->count(), 1);
    const QStringList labels = labelTexts(row(0));
    QCOMPARE(labels.count(QStringLiteral("Camera offset")), 1);
    QCOMPARE(labels.count(QStringLiteral("(mm x mm)")), 1);
    QCOMPARE(labels.count(QStringLiteral("mm")), 0); // members show no unit of their own

    auto *container = qobject_cast<QWidget *>(control(camera));
    QVERIFY(container);
    QCOMPARE(container->objectName(), QStringLiteral("CAMERA_OFFSET"));
    QVERIFY(qobject_cast<QHBoxLayout *>(container->layout()));
    const QList<QWidget *> memberRows = rowsIn(container);
    QCOMPARE(memberRows.size(), 2);
    for (QWidget *memberRow : memberRows)
        QCOMPARE(memberRow->layout()->count(), 2); // label and control, no unit
    QCOMPARE(control(x), memberRows.at(0)->findChild<QDoubleSpinBox *>(QStringLiteral("CAMERA_OFFSET_X")));
    QCOMPARE(control(y), memberRows.at(1)->findChild<QDoubleSpinBox *>(QStringLiteral("CAMERA_OFFSET_Y")));

    camera->to_ui_ctrl();
    QCOMPARE(shownText(control(x)), QStringLiteral("12.500"));
    QCOMPARE(shownText(control(y)), QStringLiteral("-3.250"));
    edit(control(y), 7.75);
    camera->from_ui_ctrl();
    QCOMPARE(x->value(), QVariant(12.5));
    QCOMPARE(y->value(), QVariant(7.75));
}

void tst_Widgets::modelCatalogueBuildsItsEditors()
{
    KVRV520MAXCam factory;
    std::unique_ptr<KVDeviceInterface> device(factory.initInstance());
    for (const QString &key : device->userProperty()) {
        if (KVDeviceProperty *setting = device->property_ptr(key.toLatin1().constData()))
            setting->create_ui_ctrl(parent.get(), key, true);
    }

    auto *speed = parent->findChild<QSpinBox *>(QStringLiteral("SPEED"));
    QVERIFY(speed);
    QCOMPARE(speed->minimum(), 10);
    QCOMPARE(speed->maximum(), 800);
    auto *pressure = parent->findChild<QSpinBox *>(QStringLiteral("PRESSURE"));
    QVERIFY(pressure);
    QCOMPARE(pressure->maximum(), 500);
    auto *mode = parent->findChild<QComboBox *>(QStringLiteral("WORK_MODE"));
    QVERIFY(mode);
    QCOMPARE(mode->count(), 3);
    for (const QString &item : itemsOf(mode))
        QVERIFY2(item.startsWith(QStringLiteral("   ")), qPrintable(item));
    auto *offsetX = parent->findChild<QDoubleSpinBox *>(QStringLiteral("CAMERA_OFFSET_X"));
    QVERIFY(offsetX);
    QCOMPARE(offsetX->minimum(), -1000.0);
    QCOMPARE(offsetX->parentWidget()->parentWidget()->objectName(), QStringLiteral("CAMERA_OFFSET"));
    // "SCALE" has no record on the model; the other four make one row each.
    QCOMPARE(parent->layout()->count(), 4);

    device->property_ptr("CAMERA_OFFSET_X")->setValue(1.5);
    device->property_ptr("CAMERA_OFFSET")->to_ui_ctrl();
    QCOMPARE(offsetX->value(), 1.5);
}

void tst_Widgets::noDescriptionMeansNoWidget()
{
    KVDeviceProperty *plain = record(QStringLiteral("Status"), {}, 7, {});
    plain->create_ui_ctrl(parent.get(), QStringLiteral("STATUS"), true);
    QCOMPARE(parent->layout()->count(), 0);
    QVERIFY(!plain->property("UI_CTRL").isValid());
    plain->to_ui_ctrl();
    plain->from_ui_ctrl();
    QCOMPARE(plain->value(), QVariant(7));

    // A control without its description is left alone both ways.
    KVDeviceProperty *speed = record(QStringLiteral("Speed"), {}, 30, spinBox());
    speed->create_ui_ctrl(parent.get(), QStringLiteral("SPEED"), false);
    speed->setProperty("WIDGET", QVariant());
    edit(control(speed), 44);
    speed->from_ui_ctrl();
    QCOMPARE(speed->value(), QVariant(30));
    speed->setValue(55);
    speed->to_ui_ctrl();
    QCOMPARE(shownText(control(speed)), QStringLiteral("44"));
}

void tst_Widgets::parentWithoutLayoutBuildsNothing_data()
{
    QTest::addColumn<Json>("widget");
    QTest::addColumn<bool>("nullParent");

    QTest::newRow("spin box") << spinBox() << false;
    QTest::newRow("group") << kind("QGroupBox") << false;
    QTest::newRow("tab without a tab widget around") << kind("QTabWidget") << false;
    QTest::newRow("no parent at all") << spinBox() << true;
}

void tst_Widgets::parentWithoutLayoutBuildsNothing()
{
    QFETCH(Json, widget);
    QFETCH(bool, nullParent);
    QWidget bare;
    KVDeviceProperty *member = record(QStringLiteral("x"), {}, 0.0, doubleSpinBox());
    KVDeviceProperty *built = group(QStringLiteral("Offset"), {}, widget, { { "X", member } }, false);

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^KVDeviceProperty::create_ui_ctrl .*nothing built")));
    built->create_ui_ctrl(nullParent ? nullptr : &bare, QStringLiteral("OFFSET"), true);

    QVERIFY(bare.children().isEmpty());
    QVERIFY(!built->property("UI_CTRL").isValid());
    QVERIFY(!member->property("UI_CTRL").isValid());
}

void tst_Widgets::deletedWidgetIsForgotten()
{
    KVDeviceProperty *speed = record(QStringLiteral("Speed"), {}, 30, spinBox());
    speed->create_ui_ctrl(parent.get(), QStringLiteral("SPEED"), false);
    QVERIFY(control(speed));

    parent.reset();

    QVERIFY(!speed->property("UI_CTRL").isValid());
    speed->to_ui_ctrl();
    speed->from_ui_ctrl();
    QCOMPARE(speed->value(), QVariant(30));
}

void tst_Widgets::rebuildingRefersToTheNewestWidget()
{
    KVDeviceProperty *speed = record(QStringLiteral("Speed"), {}, 30, spinBox());
    auto first = std::make_unique<QWidget>();
    new QVBoxLayout(first.get());
    speed->create_ui_ctrl(first.get(), QStringLiteral("SPEED"), false);
    speed->create_ui_ctrl(parent.get(), QStringLiteral("SPEED"), false);
    QPointer<QObject> newest = control(speed);
    QCOMPARE(newest->parent()->parent(), parent.get());

    first.reset(); // the older widget goes; the record keeps the newest
    QCOMPARE(control(speed), newest.data());
    speed->to_ui_ctrl();
    QCOMPARE(shownText(newest), QStringLiteral("30"));
}

void tst_Widgets::scaledTextThatIsNoNumberKeepsTheValue()
{
    KVDeviceProperty *scale = record(QStringLiteral("x"), {}, 10000u, kind("QLineEdit", { { "factor", 0.0001 } }));
    scale->create_ui_ctrl(parent.get(), QStringLiteral("SCALE_X"), false);
    scale->to_ui_ctrl();
    QCOMPARE(shownText(control(scale)), QStringLiteral("1"));
    QSignalSpy changed(scale, &KVDeviceProperty::valueChanged);

    edit(control(scale), QStringLiteral("1,5x"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^KVDeviceProperty::from_ui_ctrl .*not a number")));
    scale->from_ui_ctrl();

    QCOMPARE(scale->value(), QVariant(10000u));
    QCOMPARE(changed.count(), 0);
}

void tst_Widgets::groupHoldingItselfDoesNotRecurseForever()
{
    KVDeviceProperty *inner = record(QStringLiteral("inner"), {}, QVariant(), kind("QGroupBox"));
    KVDeviceProperty *outer = group(QStringLiteral("outer"), {}, kind("QGroupBox"), { { "INNER", inner } }, true);
    KVAttach::toGroup(inner, "OUTER", outer);
    KVAttach::toGroup(outer, "SELF", outer);

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^KVDeviceProperty::create_ui_ctrl .*nested deeper")));
    outer->create_ui_ctrl(parent.get(), QStringLiteral("OUTER"), true);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^KVDeviceProperty::to_ui_ctrl .*nested deeper")));
    outer->to_ui_ctrl();

    QCOMPARE(parent->layout()->count(), 1);
}

QTEST_MAIN(tst_Widgets)
#include "tst_widgets.moc"
