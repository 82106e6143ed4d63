#include "entry.h"

#include "attach.h"
#include "kvcommoninterface.h"
#include "kvdeviceproperty.h"

#include <QStringList>

namespace KVCatalogue {

static KVDeviceProperty *makeRecord(const Entry &entry)
{
    auto *record = new KVDeviceProperty;
    record->init(entry.value, entry.label, entry.unit, entry.get, entry.set, entry.len,
                 entry.type, entry.params);
    return record;
}

KVDeviceProperty *add(KVDeviceInterface *device, const Entry &entry)
{
    if (!device)
        return nullptr;
    KVDeviceProperty *record = makeRecord(entry);
    if (!entry.widget.isEmpty())
        record->setProperty(WidgetProperty, entry.widget);
    KVAttach::toDevice(device, entry.key, record);
    return record;
}

void add(KVDeviceInterface *device, std::initializer_list<Entry> entries)
{
    for (const Entry &entry : entries)
        add(device, entry);
}

Entry containerGroup(const char *key, const QString &label, const QString &unit,
                     const QJsonObject &widget)
{
    return { key, label, unit, QVariant(), 0, 0, 0, KVDeviceInterface::UnCMD, widget };
}

KVDeviceProperty *addGroup(KVDeviceInterface *device, const Entry &group,
                           std::initializer_list<const char *> attachmentOrder)
{
    if (!device)
        return nullptr;
    KVDeviceProperty *record = makeRecord(group);
    for (const char *name : attachmentOrder) {
        if (qstrcmp(name, WidgetProperty) == 0)
            record->setProperty(WidgetProperty, group.widget);
        else
            KVAttach::toGroup(record, name, KVDeviceProperty::fromHolder(device, name));
    }
    KVAttach::toDevice(device, group.key, record);
    return record;
}

QJsonObject widget(const char *kind,
                   std::initializer_list<std::pair<const char *, QJsonValue>> fields)
{
    QJsonObject description{ { QStringLiteral("widget"), QLatin1String(kind) } };
    for (const auto &field : fields)
        description.insert(QLatin1String(field.first), field.second);
    return description;
}

QJsonObject comboBox(std::initializer_list<QString> options)
{
    const QStringList texts(options);
    return widget("QComboBox", { { "option", texts.join(QLatin1Char(';')) } });
}

QVariant memberKeys(std::initializer_list<const char *> keys)
{
    QStringList list;
    for (const char *key : keys)
        list.append(QLatin1String(key));
    return list;
}

void addCameraOffset583(KVDeviceInterface *device, const OffsetLabels &labels, int get, int set)
{
    const QJsonObject axis = widget("QDoubleSpinBox", { { "max", 1000.0 }, { "min", -1000.0 } });
    add(device, {
        { "CAMERA_OFFSET_X", labels.x, {}, 0.0, 0, 0, 0, KVDeviceInterface::UnCMD, axis },
        { "CAMERA_OFFSET_Y", labels.y, {}, 0.0, 0, 0, 0, KVDeviceInterface::UnCMD, axis },
    });
    addGroup(device,
        { "CAMERA_OFFSET", labels.group, QStringLiteral("(mm x mm)"),
          memberKeys({ "CAMERA_OFFSET_X", "CAMERA_OFFSET_Y" }), get, set, 1,
          KVDeviceInterface::CCMD, widget("QGroupBox") },
        { "CAMERA_OFFSET_X", "CAMERA_OFFSET_Y", WidgetProperty });
}

QJsonObject workModeWidget()
{
    return comboBox({ KVCommonInterface::tr("   速度优先"), KVCommonInterface::tr("   平衡"),
                      KVCommonInterface::tr("   精度优先") });
}

} // namespace KVCatalogue
