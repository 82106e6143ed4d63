// The editing widgets a record builds from its "WIDGET" description, and the conversions between
// the stored value and what the widget shows.
#include "attach.h"
#include "kvdeviceproperty.h"
#include "widgetprobe.h"

#include <QHBoxLayout>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

#include <cmath>
#include <memory>

using Json = QJsonObject;
using Members = QList<std::pair<const char *, KVDeviceProperty *>>;
using namespace WidgetProbe;

class tst_Widgets : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { parent.reset(); records.clear(); }

    void conversions_data();
    void conversions();
    void tabRecordsShareOneTabWidget_data();
    void tabRecordsShareOneTabWidget();
    void groupRowShowsMembersSideBySide();
    void recordsThatBuildNoControl_data();
    void recordsThatBuildNoControl();
    void destroyedWidgetIsForgotten();
    void groupHoldingItselfDoesNotRecurseForever();
    void comboBoxWithoutOptionsHasNoItems();

private:
    KVDeviceProperty *record(const QVariant &value, const Json &widget, const QString &label = QStringLiteral("x"),
                             const QString &unit = {});
    KVDeviceProperty *group(const QString &label, const QString &unit, const Json &widget, const Members &members,
                            bool widgetFirst);

    std::unique_ptr<QWidget> parent;
    std::vector<std::unique_ptr<KVDeviceProperty>> records;
};

namespace {

QObject *control(const KVDeviceProperty *record)
{
    return record->property("UI_CTRL").value<QObject *>();
}

Json kind(const char *name, Json fields = {})
{
    fields.insert(QStringLiteral("widget"), QString::fromLatin1(name));
    return fields;
}

void expectWarning(const char *operation, const QString &warning)
{
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^KVDeviceProperty::%1 .*%2").arg(operation, warning)));
}

// A stored value shown by a widget, the edit made to it and the value taken back, with the
// warnings expected on the way (empty: none).
struct Conversion { Json widget; QVariant stored; QString shown; QVariant edited, back; QString showWarning, takeWarning; };

} // namespace

Q_DECLARE_METATYPE(Conversion)

void tst_Widgets::init()
{
    parent = std::make_unique<QWidget>();
    new QVBoxLayout(parent.get());
}

KVDeviceProperty *tst_Widgets::record(const QVariant &value, const Json &widget, const QString &label, const QString &unit)
{
    auto *made = new KVDeviceProperty;
    made->init(value, label, unit, 0, 0, 0, KVDeviceInterface::UnCMD);
    if (!widget.isEmpty())
        made->setProperty("WIDGET", widget);
    records.emplace_back(made);
    return made;
}

// The description set before or after the members: either way it is not taken for a member.
KVDeviceProperty *tst_Widgets::group(const QString &label, const QString &unit, const Json &widget, const Members &members,
                                     bool widgetFirst)
{
    KVDeviceProperty *made = record(QVariant(), widgetFirst ? widget : Json(), label, unit);
    for (const auto &[key, member] : members)
        KVAttach::toGroup(made, key, member);
    if (!widgetFirst && !widget.isEmpty())
        made->setProperty("WIDGET", widget);
    return made;
}

void tst_Widgets::conversions_data()
{
    QTest::addColumn<Conversion>("conversion");

    const auto row = [](const char *name, const Json &widget, const QVariant &stored, const char *shown,
                        const QVariant &edited, const QVariant &back, const QString &showWarning = {},
                        const QString &takeWarning = {}) {
        QTest::newRow(name) << Conversion{ widget, stored, QString::fromUtf8(shown), edited, back, showWarning, takeWarning };
    };
    const auto text = [](const char *s) { return QVariant(QString::fromUtf8(s)); };
    const Json offset = kind("QDoubleSpinBox", { { "factor", 0.005 }, { "min", -1000 }, { "max", 1000 } });
    row("double spin box, factor 0.005", offset, 70000u, "350.000", 12.5, 2500.0);
    row("double spin box, negative, quotient noise", offset, -20, "-0.100", -0.015, -3.0);
    row("double spin box without range holds 0", kind("QDoubleSpinBox"), 2.5, "0.000", 7.0, 0.0);
    row("spin box, unsigned value comes back as int", kind("QSpinBox"), 30u, "30", 300, 300);
    row("spin box without range: 0 to 1000", kind("QSpinBox"), 5000, "1000", -5, 0);
    row("spin box -360 to 360", kind("QSpinBox", { { "min", -360 }, { "max", 360 } }), -400, "-360", 500, 360);
    row("spin box maximum beyond int", kind("QSpinBox", { { "max", 1e12 } }), 2000000000, "2000000000", 2147483647, 2147483647);
    row("spin box, factor 19/6", kind("QSpinBox", { { "max", 1900 }, { "factor", 3.1666666666666665 } }), 600u, "1900", 950, 300);
    row("spin box, truncated toward zero", kind("QSpinBox", { { "min", -100 }, { "factor", 0.5 } }), -3, "-1", -3, -6);
    row("spin box, product noise", kind("QSpinBox", { { "factor", 0.7 } }), 90, "63", 70, 100);
    row("spin box, quotient noise", kind("QSpinBox", { { "factor", 1.1 } }), 30, "33", 33, 30);
    row("combo box, empty item kept", kind("QComboBox", { { "option", "A;;B" } }), 2, "B", 1, 1);
    row("combo box, leading blanks kept", kind("QComboBox", { { "option", "   fast;   fine" } }), 1, "   fine", 0, 0);
    row("line edit, no factor", kind("QLineEdit"), text("AB12"), "AB12", text("CD34"), text("CD34"));
    row("line edit, number without factor becomes text", kind("QLineEdit"), 520u, "520", text("521"), text("521"));
    row("line edit, factor 10", kind("QLineEdit", { { "factor", 10 } }), 1.5, "15", text("25"), text("2.5"));
    row("line edit, factor 0.0001", kind("QLineEdit", { { "factor", 0.0001 } }), 3u, "3e-04", text("1.5"), text("15000"));
    row("line edit, no number keeps the value", kind("QLineEdit", { { "factor", 0.0001 } }), 10000u, "1", text("1,5x"),
        10000u, {}, QStringLiteral("not a number"));
    row("label", kind("QLabel"), text("V2.3.1"), "V2.3.1", text("V3"), text("V3"));
    // A factor of 0 or one that is no finite number cannot scale: the value goes unscaled, with a warning.
    const QString unscaled = QStringLiteral("factor .* cannot scale");
    row("factor 0, spin box", kind("QSpinBox", { { "factor", 0 } }), 30, "30", 40, 40, unscaled, unscaled);
    row("factor 0, line edit", kind("QLineEdit", { { "factor", 0 } }), text("7"), "7", text("8"), text("8"), unscaled, unscaled);
    row("factor 0, combo box", kind("QComboBox", { { "factor", 0 }, { "option", "A;B;C" } }), 1, "B", 2, 2, unscaled, unscaled);
    row("factor NaN, double spin box", kind("QDoubleSpinBox", { { "factor", std::nan("") }, { "max", 100 } }), 2.5,
        "2.500", 7.25, 7.25, unscaled, unscaled);
}

void tst_Widgets::conversions()
{
    QFETCH(Conversion, conversion);
    const auto &[widget, stored, shown, edited, back, showWarning, takeWarning] = conversion;
    KVDeviceProperty *value = record(stored, widget, QStringLiteral("Speed"), QStringLiteral("(mm/s)"));
    value->create_ui_ctrl(parent.get(), QStringLiteral("SPEED"), true);
    QSignalSpy changed(value, &KVDeviceProperty::valueChanged);
    const QStringList labels = labelTexts(parent.get());
    QVERIFY(labels.contains(QStringLiteral("Speed")) && labels.contains(QStringLiteral("(mm/s)")));
    QCOMPARE(QString::fromLatin1(control(value)->metaObject()->className()), widget.value(QLatin1String("widget")).toString());
    QCOMPARE(control(value)->objectName(), QStringLiteral("SPEED"));

    expectWarning("to_ui_ctrl", showWarning);
    value->to_ui_ctrl();
    QCOMPARE(shownText(control(value)), shown);
    QCOMPARE(value->value(), stored); // showing changes nothing

    edit(control(value), edited);
    expectWarning("from_ui_ctrl", takeWarning);
    value->from_ui_ctrl();
    QCOMPARE(value->value(), back);
    QCOMPARE(value->value().metaType(), back.metaType());
    QCOMPARE(changed.count(), back == stored ? 0 : 1); // taken back through setValue
}

void tst_Widgets::tabRecordsShareOneTabWidget_data()
{
    QTest::addColumn<int>("existing"); // 0: none, 1: one among the parent's descendants, 2: the parent itself
    QTest::newRow("a new tab widget") << 0;
    QTest::newRow("one among the descendants") << 1;
    QTest::newRow("the parent itself") << 2;
}

void tst_Widgets::tabRecordsShareOneTabWidget()
{
    QFETCH(int, existing);
    QWidget *into = parent.get();
    if (existing > 0) {
        auto *inner = new QWidget;
        parent->layout()->addWidget(inner);
        auto *tabs = new QTabWidget;
        (new QVBoxLayout(inner))->addWidget(tabs);
        tabs->addTab(new QWidget, QStringLiteral("Job"));
        if (existing == 2)
            into = tabs;
    }
    const Json speedBox = kind("QSpinBox", { { "max", 700 } });
    KVDeviceProperty *tool1 = record(1u, kind("QComboBox", { { "option", "drag;tangential" } }));
    KVDeviceProperty *speed1 = record(100u, speedBox, QStringLiteral("Speed"), QStringLiteral("(mm/s)"));
    KVDeviceProperty *speed2 = record(200u, speedBox);
    KVDeviceProperty *sp1 = group(QStringLiteral("SP1"), {}, kind("QTabWidget"), { { "SP1_TOOL", tool1 }, { "SP1_SPEED", speed1 } }, false);
    KVDeviceProperty *sp2 = group(QStringLiteral("SP2"), {}, kind("QTabWidget"), { { "SP2_SPEED", speed2 } }, true);

    sp1->create_ui_ctrl(into, QStringLiteral("SP1"), true);
    sp2->create_ui_ctrl(into, QStringLiteral("SP2"), true);

    QCOMPARE(parent->findChildren<QTabWidget *>().size(), 1);
    auto *tabs = parent->findChild<QTabWidget *>();
    QCOMPARE(parent->layout()->count(), 1); // the tab widget (or what holds it), no rows of the tab records
    QCOMPARE(tabs->count(), existing > 0 ? 3 : 2);
    QCOMPARE(tabs->tabText(tabs->count() - 2) + u'|' + tabs->tabText(tabs->count() - 1), QStringLiteral("SP1|SP2"));
    QWidget *page1 = tabs->widget(tabs->count() - 2);
    QCOMPARE(control(sp1), page1);
    QCOMPARE(control(sp2), tabs->widget(tabs->count() - 1));
    // Members in the order they were attached, each with its unit.
    QCOMPARE(control(tool1), page1->layout()->itemAt(0)->widget()->findChild<QWidget *>(QStringLiteral("SP1_TOOL")));
    QCOMPARE(control(speed1), page1->layout()->itemAt(1)->widget()->findChild<QWidget *>(QStringLiteral("SP1_SPEED")));
    QVERIFY(labelTexts(page1).contains(QStringLiteral("(mm/s)")));

    sp1->to_ui_ctrl();
    QCOMPARE(shownText(control(tool1)), QStringLiteral("tangential"));
    edit(control(speed2), 650);
    sp2->from_ui_ctrl();
    QCOMPARE(speed2->value(), QVariant(650));
    QCOMPARE(speed1->value(), QVariant(100u));
}

void tst_Widgets::groupRowShowsMembersSideBySide()
{
    const Json offset = kind("QDoubleSpinBox", { { "min", -1000.0 }, { "max", 1000.0 } });
    KVDeviceProperty *x = record(12.5, offset, QStringLiteral("x"), QStringLiteral("mm"));
    KVDeviceProperty *y = record(-3.25, offset, QStringLiteral("y"), QStringLiteral("mm"));
    KVDeviceProperty *camera = group(QStringLiteral("Camera offset"), QStringLiteral("(mm x mm)"), kind("QGroupBox"),
                                     { { "CAMERA_OFFSET_X", x }, { "CAMERA_OFFSET_Y", y } }, false);

    camera->create_ui_ctrl(parent.get(), QStringLiteral("CAMERA_OFFSET"), true);

    QCOMPARE(parent->layout()->count(), 1);
    QStringList labels = labelTexts(parent.get());
    labels.sort();
    QCOMPARE(labels, (QStringList{ "(mm x mm)", "Camera offset", "x", "y" })); // members show no unit
    auto *container = qobject_cast<QWidget *>(control(camera));
    QCOMPARE(container->objectName(), QStringLiteral("CAMERA_OFFSET"));
    QVERIFY(qobject_cast<QHBoxLayout *>(container->layout()));
    QCOMPARE(control(x), container->layout()->itemAt(0)->widget()->findChild<QWidget *>(QStringLiteral("CAMERA_OFFSET_X")));
    QCOMPARE(control(y), container->layout()->itemAt(1)->widget()->findChild<QWidget *>(QStringLiteral("CAMERA_OFFSET_Y")));

    camera->to_ui_ctrl();
    QCOMPARE(shownText(control(x)), QStringLiteral("12.500"));
    QCOMPARE(shownText(control(y)), QStringLiteral("-3.250"));
    edit(control(y), 7.75);
    camera->from_ui_ctrl();
    QCOMPARE(x->value(), QVariant(12.5));
    QCOMPARE(y->value(), QVariant(7.75));
}

void tst_Widgets::recordsThatBuildNoControl_data()
{
    QTest::addColumn<Json>("widget"); // empty: no description
    QTest::addColumn<int>("into");    // 0: a parent with a layout, 1: one without, 2: no parent
    QTest::addColumn<int>("rows");    // rows of the label and the unit only

    QTest::newRow("no description") << Json() << 0 << 0;
    QTest::newRow("unknown kind") << kind("QSlider") << 0 << 1;
    QTest::newRow("no kind") << Json{ { "max", 5 } } << 0 << 1;
    QTest::newRow("spin box, parent without a layout") << kind("QSpinBox") << 1 << 0;
    QTest::newRow("group, parent without a layout") << kind("QGroupBox") << 1 << 0;
    QTest::newRow("tab without a tab widget around") << kind("QTabWidget") << 1 << 0;
    QTest::newRow("no parent at all") << kind("QSpinBox") << 2 << 0;
}

void tst_Widgets::recordsThatBuildNoControl()
{
    QFETCH(Json, widget);
    QFETCH(int, into);
    QFETCH(int, rows);
    QWidget bare;
    KVDeviceProperty *member = record(0.0, kind("QDoubleSpinBox"));
    KVDeviceProperty *built = group(QStringLiteral("Speed"), QStringLiteral("(mm/s)"), widget, { { "X", member } }, false);

    if (into > 0)
        expectWarning("create_ui_ctrl", QStringLiteral("nothing built"));
    built->create_ui_ctrl(into == 0 ? parent.get() : into == 1 ? &bare : nullptr, QStringLiteral("SPEED"), true);

    QVERIFY(bare.children().isEmpty());
    QVERIFY(!built->property("UI_CTRL").isValid());
    QVERIFY(!member->property("UI_CTRL").isValid());
    QCOMPARE(parent->layout()->count(), rows);
    QCOMPARE(labelTexts(parent.get()), (rows ? QStringList{ "Speed", "(mm/s)" } : QStringList()));
}

// Built twice, the record refers to the newest widget; it forgets a widget that is destroyed.
void tst_Widgets::destroyedWidgetIsForgotten()
{
    KVDeviceProperty *speed = record(30, kind("QSpinBox"));
    auto older = std::make_unique<QWidget>();
    new QVBoxLayout(older.get());
    speed->create_ui_ctrl(older.get(), QStringLiteral("SPEED"), false);
    speed->create_ui_ctrl(parent.get(), QStringLiteral("SPEED"), false);
    QObject *newest = control(speed);
    QCOMPARE(newest->parent()->parent(), parent.get());

    older.reset();
    QCOMPARE(control(speed), newest);
    speed->to_ui_ctrl();
    QCOMPARE(shownText(newest), QStringLiteral("30"));

    parent.reset();
    QVERIFY(!speed->property("UI_CTRL").isValid());
    speed->to_ui_ctrl();
    speed->from_ui_ctrl();
    QCOMPARE(speed->value(), QVariant(30));
}

void tst_Widgets::groupHoldingItselfDoesNotRecurseForever()
{
    KVDeviceProperty *inner = record(QVariant(), kind("QGroupBox"));
    KVDeviceProperty *outer = group(QStringLiteral("outer"), {}, kind("QGroupBox"), { { "INNER", inner } }, true);
    KVAttach::toGroup(inner, "OUTER", outer);
    KVAttach::toGroup(outer, "SELF", outer);

    expectWarning("create_ui_ctrl", QStringLiteral("nested deeper"));
    outer->create_ui_ctrl(parent.get(), QStringLiteral("OUTER"), true);
    expectWarning("to_ui_ctrl", QStringLiteral("nested deeper"));
    outer->to_ui_ctrl();

    QCOMPARE(parent->layout()->count(), 1);
}

// Not one blank item: a combo box whose description names no option is empty.
void tst_Widgets::comboBoxWithoutOptionsHasNoItems()
{
    KVDeviceProperty *mode = record(0, kind("QComboBox"));
    mode->create_ui_ctrl(parent.get(), QStringLiteral("MODE"), false);
    QCOMPARE(qobject_cast<QComboBox *>(control(mode))->count(), 0);
}

QTEST_MAIN(tst_Widgets)
#include "tst_widgets.moc"
