#ifndef WIDGETPROBE_H
#define WIDGETPROBE_H

// What the editing widgets of records show, and edits made the way a user makes them; shared by
// the widget and panel tests.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStringList>
#include <QVariant>

namespace WidgetProbe {

// The text the control shows.
inline QString shownText(QObject *control)
{
    if (auto *spin = qobject_cast<QAbstractSpinBox *>(control))
        return spin->text();
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->currentText();
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        return edit->text();
    if (auto *label = qobject_cast<QLabel *>(control))
        return label->text();
    return QStringLiteral("<no control>");
}

// The value the control holds: a number for spin boxes, the index for a combo box, else the text.
inline QVariant shownValue(QObject *control)
{
    if (auto *spin = qobject_cast<QSpinBox *>(control))
        return spin->value();
    if (auto *doubleSpin = qobject_cast<QDoubleSpinBox *>(control))
        return doubleSpin->value();
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->currentIndex();
    return shownText(control);
}

inline void edit(QObject *control, const QVariant &input)
{
    if (auto *spin = qobject_cast<QSpinBox *>(control))
        spin->setValue(input.toInt());
    else if (auto *doubleSpin = qobject_cast<QDoubleSpinBox *>(control))
        doubleSpin->setValue(input.toDouble());
    else if (auto *combo = qobject_cast<QComboBox *>(control))
        combo->setCurrentIndex(input.toInt());
    else if (auto *line = qobject_cast<QLineEdit *>(control))
        line->setText(input.toString());
    else if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(input.toString());
}

inline QStringList labelTexts(const QWidget *widget)
{
    QStringList texts;
    for (const QLabel *label : widget->findChildren<QLabel *>())
        texts << label->text();
    return texts;
}

} // namespace WidgetProbe

#endif // WIDGETPROBE_H
