#include "kvdeviceproperty.h"

#include "kvlogging.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <utility>

/*
 * A record's editor is described by its "WIDGET" JSON object:
 *   "widget"  kind: QTabWidget, QSpinBox, QDoubleSpinBox, QComboBox, QLineEdit, QLabel, QGroupBox
 *   "min", "max"  spin box range in displayed units (QSpinBox 0..1000, QDoubleSpinBox 0..0 when absent)
 *   "factor"  displayed = stored × factor, stored = displayed ÷ factor (1 when absent)
 *   "option"  combo box items separated by ';'
 * A QTabWidget record adds a tab page to the first tab widget under the parent; a QGroupBox record
 * is one row whose members sit side by side in it. The control (the page, the row's container)
 * is kept in the record's "UI_CTRL" for to_ui_ctrl and from_ui_ctrl.
 */

namespace {

constexpr char WidgetKey[] = "WIDGET";
constexpr char ControlKey[] = "UI_CTRL";

constexpr int RowHeight = 28;
constexpr int RowSpacing = 5;
constexpr int LabelStretch = 1;
constexpr int ControlStretch = 3;
constexpr int UnitStretch = 1;
constexpr int SpinBoxDecimals = 3;
constexpr int PageMarginLeft = 30;
constexpr int PageMarginTop = 10;
constexpr int PageMarginRight = 10;
constexpr int PageMarginBottom = 30;
constexpr int PageSpacing = 12;
// Groups nest members; a catalogue that made a group its own (indirect) member must not recurse
// without end.
constexpr int MaxNesting = 8;

enum class Kind { None, Tab, SpinBox, DoubleSpinBox, ComboBox, LineEdit, Label, Group };

Kind kindOf(const QJsonObject &description)
{
    static const std::pair<QLatin1String, Kind> kinds[] = {
        { QLatin1String("QTabWidget"), Kind::Tab },
        { QLatin1String("QSpinBox"), Kind::SpinBox },
        { QLatin1String("QDoubleSpinBox"), Kind::DoubleSpinBox },
        { QLatin1String("QComboBox"), Kind::ComboBox },
        { QLatin1String("QLineEdit"), Kind::LineEdit },
        { QLatin1String("QLabel"), Kind::Label },
        { QLatin1String("QGroupBox"), Kind::Group },
    };
    const QString name = description.value(QLatin1String("widget")).toString();
    for (const auto &[text, kind] : kinds) {
        if (name == text)
            return kind;
    }
    return Kind::None;
}

bool hasDescription(const KVDeviceProperty *record)
{
    return record->property(WidgetKey).isValid();
}

QJsonObject descriptionOf(const KVDeviceProperty *record)
{
    return record->property(WidgetKey).toJsonObject();
}

QObject *controlOf(const KVDeviceProperty *record)
{
    return record->property(ControlKey).value<QObject *>();
}

// The host owns the widgets and may delete them at any time: the record then forgets its control
// instead of keeping a dangling pointer for the next to_ui_ctrl.
void keepControl(KVDeviceProperty *record, QObject *control)
{
    record->setProperty(ControlKey, QVariant::fromValue(control));
    QObject::connect(control, &QObject::destroyed, record, [record, control] {
        if (controlOf(record) == control)
            record->setProperty(ControlKey, QVariant());
    });
}

// Runs `visit` on every member of `group` (its dynamic properties that hold records, in the
// order they were set), with the member's key.
void forEachMember(const KVDeviceProperty *group, const char *operation,
                   const std::function<void(KVDeviceProperty *, const QByteArray &)> &visit)
{
    static int nesting = 0;
    if (nesting >= MaxNesting) {
        qCWarning(lcKvDevice) << operation << group->label() << "members nested deeper than" << MaxNesting
                              << "levels (a group holding itself?); not followed";
        return;
    }
    ++nesting;
    const QList<QByteArray> names = group->dynamicPropertyNames();
    for (const QByteArray &name : names) {
        KVDeviceProperty *member = KVDeviceProperty::fromHolder(group, name.constData());
        if (member && member != group)
            visit(member, name);
    }
    --nesting;
}

// A factor of 0 (or one that is not a finite number) cannot scale a value both ways: the value
// is shown and taken back unscaled.
double factorOf(const KVDeviceProperty *record, const QJsonObject &description, const char *operation)
{
    const double factor = description.value(QLatin1String("factor")).toDouble(1.0);
    if (factor == 0.0 || !std::isfinite(factor)) {
        qCWarning(lcKvDevice) << operation << record->label() << "factor" << factor
                              << "cannot scale a value; the value is used unscaled";
        return 1.0;
    }
    return factor;
}

// Products and quotients with factors such as 0.005, 0.0001 or 19/6 carry binary noise in their
// last digits (3 × 0.0001 = 0.00030000000000000003, 0.3 ÷ 0.1 = 2.9999999999999996). Fifteen
// significant digits are what a double holds exactly; the rest is dropped before showing,
// storing or truncating a scaled number.
double significant(double number)
{
    if (!std::isfinite(number))
        return number;
    return QString::number(number, 'g', 15).toDouble();
}

// Truncation toward zero into the int range (a scaled number may exceed it, or be NaN).
int truncatedInt(double number)
{
    if (std::isnan(number))
        return 0;
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    return int(std::trunc(std::clamp(significant(number), lowest, highest)));
}

QString numberText(double number)
{
    return QString::number(significant(number), 'g', QLocale::FloatingPointShortest);
}

int intBound(const QJsonObject &description, const char *key, int fallback)
{
    return truncatedInt(description.value(QLatin1String(key)).toDouble(fallback));
}

double doubleBound(const QJsonObject &description, const char *key)
{
    return description.value(QLatin1String(key)).toDouble(0.0);
}

QWidget *makeSpinBox(const QJsonObject &description)
{
    auto *spin = new QSpinBox;
    spin->setRange(intBound(description, "min", 0), intBound(description, "max", 1000));
    spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
    spin->setAlignment(Qt::AlignCenter);
    return spin;
}

QWidget *makeDoubleSpinBox(const QJsonObject &description)
{
    auto *spin = new QDoubleSpinBox;
    // Decimals first: the range is rounded to them.
    spin->setDecimals(SpinBoxDecimals);
    spin->setRange(doubleBound(description, "min"), doubleBound(description, "max"));
    spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
    spin->setAlignment(Qt::AlignCenter);
    return spin;
}

QWidget *makeComboBox(const QJsonObject &description)
{
    auto *combo = new QComboBox;
    combo->setView(new QListView(combo));
    const QString options = description.value(QLatin1String("option")).toString();
    if (!options.isEmpty())
        combo->addItems(options.split(QLatin1Char(';')));
    return combo;
}

QWidget *makeLineEdit()
{
    auto *edit = new QLineEdit;
    edit->setAlignment(Qt::AlignCenter);
    return edit;
}

QWidget *makeLabel()
{
    auto *label = new QLabel;
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// The container of a group row: the members' own rows side by side, without units.
QWidget *makeGroupContainer(KVDeviceProperty *group)
{
    auto *container = new QWidget;
    new QHBoxLayout(container);
    forEachMember(group, "KVDeviceProperty::create_ui_ctrl", [container](KVDeviceProperty *member, const QByteArray &key) {
        member->create_ui_ctrl(container, QString::fromLatin1(key), false);
    });
    return container;
}

QWidget *makeControl(KVDeviceProperty *record, Kind kind, const QJsonObject &description)
{
    switch (kind) {
    case Kind::SpinBox: return makeSpinBox(description);
    case Kind::DoubleSpinBox: return makeDoubleSpinBox(description);
    case Kind::ComboBox: return makeComboBox(description);
    case Kind::LineEdit: return makeLineEdit();
    case Kind::Label: return makeLabel();
    case Kind::Group: return makeGroupContainer(record);
    case Kind::Tab:
    case Kind::None: break;
    }
    return nullptr;
}

// The tab widget a tab record adds its page to: the parent itself, the first one among its
// descendants, or a new one in the parent's layout (null when the parent has none).
QTabWidget *tabWidgetFor(const KVDeviceProperty *record, QWidget *parent)
{
    if (auto *tabs = qobject_cast<QTabWidget *>(parent))
        return tabs;
    if (auto *tabs = parent->findChild<QTabWidget *>())
        return tabs;
    if (!parent->layout()) {
        qCWarning(lcKvDevice) << "KVDeviceProperty::create_ui_ctrl" << record->label()
                              << "parent has no layout to take a tab widget; nothing built";
        return nullptr;
    }
    auto *tabs = new QTabWidget;
    parent->layout()->addWidget(tabs);
    return tabs;
}

void addTabPage(KVDeviceProperty *record, QWidget *parent)
{
    QTabWidget *tabs = tabWidgetFor(record, parent);
    if (!tabs)
        return;
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(PageMarginLeft, PageMarginTop, PageMarginRight, PageMarginBottom);
    layout->setSpacing(PageSpacing);
    forEachMember(record, "KVDeviceProperty::create_ui_ctrl", [page](KVDeviceProperty *member, const QByteArray &key) {
        member->create_ui_ctrl(page, QString::fromLatin1(key), true);
    });
    keepControl(record, page);
    tabs->addTab(page, record->label());
}

void addRow(KVDeviceProperty *record, Kind kind, const QJsonObject &description, QLayout *parentLayout,
            const QString &name, bool showUnit)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setSpacing(RowSpacing);

    auto *label = new QLabel(record->label());
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumHeight(RowHeight);
    layout->addWidget(label, LabelStretch);

    if (QWidget *control = makeControl(record, kind, description)) {
        control->setObjectName(name);
        if (kind != Kind::Group)
            control->setMinimumHeight(RowHeight);
        layout->addWidget(control, ControlStretch);
        keepControl(record, control);
    }
    if (showUnit)
        layout->addWidget(new QLabel(record->uint()), UnitStretch);
    parentLayout->addWidget(row);
}

// How a kind of control shows a stored value and gives an edited one back. Unscaled kinds get
// the factor 1; `take` gives nothing when the control holds no value to store.
struct Binding
{
    void (*show)(const QVariant &stored, QObject *control, double factor);
    std::optional<QVariant> (*take)(const KVDeviceProperty *record, QObject *control, double factor);
    bool scaled;
};

const Binding spinBoxBinding{
    [](const QVariant &stored, QObject *control, double factor) {
        if (auto *spin = qobject_cast<QSpinBox *>(control))
            spin->setValue(truncatedInt(stored.toInt() * factor));
    },
    [](const KVDeviceProperty *, QObject *control, double factor) -> std::optional<QVariant> {
        if (auto *spin = qobject_cast<QSpinBox *>(control))
            return QVariant(truncatedInt(spin->value() / factor));
        return std::nullopt;
    },
    true,
};

const Binding doubleSpinBoxBinding{
    [](const QVariant &stored, QObject *control, double factor) {
        if (auto *spin = qobject_cast<QDoubleSpinBox *>(control))
            spin->setValue(significant(stored.toDouble() * factor));
    },
    [](const KVDeviceProperty *, QObject *control, double factor) -> std::optional<QVariant> {
        if (auto *spin = qobject_cast<QDoubleSpinBox *>(control))
            return QVariant(significant(spin->value() / factor));
        return std::nullopt;
    },
    true,
};

// Unscaled, the text is the value's own string form; scaled, it is a number.
const Binding lineEditBinding{
    [](const QVariant &stored, QObject *control, double factor) {
        if (auto *edit = qobject_cast<QLineEdit *>(control))
            edit->setText(factor == 1.0 ? stored.toString() : numberText(stored.toDouble() * factor));
    },
    [](const KVDeviceProperty *record, QObject *control, double factor) -> std::optional<QVariant> {
        auto *edit = qobject_cast<QLineEdit *>(control);
        if (!edit)
            return std::nullopt;
        if (factor == 1.0)
            return QVariant(edit->text());
        // A scaled field must hold a number: anything else would be stored as "0".
        bool isNumber = false;
        const double shown = edit->text().toDouble(&isNumber);
        if (isNumber)
            return QVariant(numberText(shown / factor));
        qCWarning(lcKvDevice) << "KVDeviceProperty::from_ui_ctrl" << record->label() << "text" << edit->text()
                              << "is not a number; value kept" << record->value();
        return std::nullopt;
    },
    true,
};

const Binding labelBinding{
    [](const QVariant &stored, QObject *control, double) {
        if (auto *label = qobject_cast<QLabel *>(control))
            label->setText(stored.toString());
    },
    [](const KVDeviceProperty *, QObject *control, double) -> std::optional<QVariant> {
        if (auto *label = qobject_cast<QLabel *>(control))
            return QVariant(label->text());
        return std::nullopt;
    },
    false,
};

const Binding comboBoxBinding{
    [](const QVariant &stored, QObject *control, double factor) {
        if (auto *combo = qobject_cast<QComboBox *>(control))
            combo->setCurrentIndex(truncatedInt(stored.toInt() * factor));
    },
    [](const KVDeviceProperty *, QObject *control, double factor) -> std::optional<QVariant> {
        if (auto *combo = qobject_cast<QComboBox *>(control))
            return QVariant(truncatedInt(combo->currentIndex() / factor));
        return std::nullopt;
    },
    true,
};

const Binding *bindingOf(Kind kind)
{
    switch (kind) {
    case Kind::SpinBox: return &spinBoxBinding;
    case Kind::DoubleSpinBox: return &doubleSpinBoxBinding;
    case Kind::LineEdit: return &lineEditBinding;
    case Kind::Label: return &labelBinding;
    case Kind::ComboBox: return &comboBoxBinding;
    case Kind::Group:
    case Kind::Tab:
    case Kind::None: break;
    }
    return nullptr;
}

enum class Direction { ToControl, FromControl };

// Copies the value into the built control or back (a group or tab: each member's), and does
// nothing for a record without its control or its description. Values come back through
// setValue, so only a real change is notified.
void transfer(KVDeviceProperty *record, Direction direction)
{
    const char *operation = direction == Direction::ToControl ? "KVDeviceProperty::to_ui_ctrl"
                                                              : "KVDeviceProperty::from_ui_ctrl";
    QObject *control = controlOf(record);
    if (!control || !hasDescription(record))
        return;
    const QJsonObject description = descriptionOf(record);
    const Kind kind = kindOf(description);
    if (kind == Kind::Group || kind == Kind::Tab) {
        forEachMember(record, operation, [direction](KVDeviceProperty *member, const QByteArray &) {
            transfer(member, direction);
        });
        return;
    }
    const Binding *binding = bindingOf(kind);
    if (!binding)
        return;
    const double factor = binding->scaled ? factorOf(record, description, operation) : 1.0;
    if (direction == Direction::ToControl) {
        binding->show(record->value(), control, factor);
        return;
    }
    if (const std::optional<QVariant> value = binding->take(record, control, factor))
        record->setValue(*value);
}

} // namespace

void KVDeviceProperty::create_ui_ctrl(QWidget *parent, QString name, bool show_unit)
{
    if (!hasDescription(this))
        return;
    if (!parent) {
        qCWarning(lcKvDevice) << "KVDeviceProperty::create_ui_ctrl" << m_label << "no parent widget; nothing built";
        return;
    }
    const QJsonObject description = descriptionOf(this);
    const Kind kind = kindOf(description);
    if (kind == Kind::Tab) {
        addTabPage(this, parent);
        return;
    }
    QLayout *layout = parent->layout();
    if (!layout) {
        qCWarning(lcKvDevice) << "KVDeviceProperty::create_ui_ctrl" << m_label
                              << "parent has no layout to take the row; nothing built";
        return;
    }
    addRow(this, kind, description, layout, name, show_unit);
}

void KVDeviceProperty::to_ui_ctrl()
{
    transfer(this, Direction::ToControl);
}

void KVDeviceProperty::from_ui_ctrl()
{
    transfer(this, Direction::FromControl);
}
