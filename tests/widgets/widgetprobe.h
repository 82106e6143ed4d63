#ifndef WIDGETPROBE_H
#define WIDGETPROBE_H

// What the editing widgets of records show, and edits made the way a user makes them; shared by
// the widget and panel tests.
#include <QComboBox>
#include <QLabel>
#include <QStringList>
#include <QVariant>

namespace WidgetProbe {

// The text the control shows (spin boxes, line edits and labels have a "text" property).
inline QString shownText(QObject *control)
{
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->currentText();
    return control ? control->property("text").toString() : QStringLiteral("<no control>");
}

// What an edit sets: a spin box's value, a combo box's index, or the text.
inline const char *editedProperty(QObject *control)
{
    for (const char *name : { "value", "currentIndex", "text" }) {
        if (control->property(name).isValid())
            return name;
    }
    return "";
}

// The value the control holds: a number for spin boxes, the index for a combo box, else the text.
inline QVariant shownValue(QObject *control)
{
    return control->property(editedProperty(control));
}

inline void edit(QObject *control, const QVariant &input)
{
    control->setProperty(editedProperty(control), input);
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
