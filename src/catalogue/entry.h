#ifndef KVCATALOGUEENTRY_H
#define KVCATALOGUEENTRY_H

#include "kvdeviceinterface.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QVariant>

#include <initializer_list>
#include <utility>

class KVDeviceProperty;

// The catalogue builders describe each record as one row, in the order of a catalogue table's
// columns, and hand the rows to these helpers, which make and attach the records.
namespace KVCatalogue {

struct Entry
{
    const char *key;
    QString label;
    QString unit;
    QVariant value;
    int get;
    int set;
    int len;
    KVDeviceInterface::KVDeviceCMDType type;
    QJsonObject widget = {};
    QList<QString> params = {};
};

// The dynamic property that holds a record's editing-widget description. In a group's attachment
// order it marks where the group's own description goes among its members.
inline constexpr const char *WidgetProperty = "WIDGET";

// Creates the record of `entry` without parent, initialises it, gives it its "WIDGET" (when the
// entry has one) and attaches it to `device` under the entry's key. Without a device nothing is
// made and null is returned.
KVDeviceProperty *add(KVDeviceInterface *device, const Entry &entry);

// add() for each entry, in the given order.
void add(KVDeviceInterface *device, std::initializer_list<Entry> entries);

// The entry of a container group: it only gathers members that have commands of their own, so it
// has no value and no codes.
Entry containerGroup(const char *key, const QString &label, const QString &unit,
                     const QJsonObject &widget);

// Creates the group record of `group` and attaches to it, in `attachmentOrder`, the members
// (looked up on `device` by key) and, at the place of WidgetProperty, the group's "WIDGET"; then
// attaches the group to `device`.
KVDeviceProperty *addGroup(KVDeviceInterface *device, const Entry &group,
                           std::initializer_list<const char *> attachmentOrder);

// An editing-widget description: {"widget": kind} plus the given fields. Numbers are written as
// the catalogue tables give them (1000.0, 800), but QJsonValue keeps a double with an integral
// value as an integer: only fractional numbers (0.005) read back as doubles, so readers must not
// rely on the number kind.
QJsonObject widget(const char *kind,
                   std::initializer_list<std::pair<const char *, QJsonValue>> fields = {});

// A "QComboBox" description whose "option" is the option texts joined by ";".
QJsonObject comboBox(std::initializer_list<QString> options);

// The value of a command group: its member keys in the order of the command's fields.
QVariant memberKeys(std::initializer_list<const char *> keys);

// The camera-offset command group of the "583" dialect: "CAMERA_OFFSET_X" and "CAMERA_OFFSET_Y"
// hold doubles without commands of their own; "CAMERA_OFFSET" reads them with `get` and writes
// them with `set` as one two-field command.
struct OffsetLabels
{
    QString x;
    QString y;
    QString group;
};
void addCameraOffset583(KVDeviceInterface *device, const OffsetLabels &labels, int get, int set);

// The "WORK_MODE" (cut quality) combo box that both dialects share: speed first, balanced,
// precision first, from index 0.
QJsonObject workModeWidget();

} // namespace KVCatalogue

#endif // KVCATALOGUEENTRY_H
