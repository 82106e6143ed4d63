#ifndef KVDEVICEPROPERTY_H
#define KVDEVICEPROPERTY_H

#include "kvdeviceinterface.h"

#include <QDebug>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QVariant>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

// One device parameter: its value and everything needed to move it between host and device
// (label, unit, read and write command codes, length, command type, fixed parameters).
// A record is attached to its holder (the device object, and a group record for its members)
// as a dynamic property named by its key. Optional dynamic properties of the record itself:
// "WIDGET" (QJsonObject editor description), "UI_CTRL" (the built editor) and, on a group,
// one entry per member key.
class KVDEVICE_EXPORT KVDeviceProperty : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QVariant value READ value WRITE setValue NOTIFY valueChanged)
public:
    explicit KVDeviceProperty(QObject *parent = nullptr);
    // A copy holds the value, last value, codes, length, label, unit and type; no parameters,
    // no parent and no dynamic properties.
    KVDeviceProperty(const KVDeviceProperty &other);
    ~KVDeviceProperty() override;

    bool init(QVariant value, QString label, QString unit, int get, int set, int len,
              KVDeviceInterface::KVDeviceCMDType type, QList<QString> param = {});

    const QVariant &value() const;
    void setValue(const QVariant &v);

    // Hosts link against these non-const accessors; the const twins serve code that holds a
    // const record.
    QString label();
    QString uint();
    QList<QString> param();
    int cmd_len();
    KVDeviceInterface::KVDeviceCMDType cmd_type();
    int get_cmd_int();
    int set_cmd_int();
    QString label() const;
    QString uint() const;
    QList<QString> param() const;
    int cmd_len() const;
    KVDeviceInterface::KVDeviceCMDType cmd_type() const;
    int get_cmd_int() const;
    int set_cmd_int() const;

    // Announces the device's answer to a read or write of this record: retStatus(0) when it was
    // accepted (after the reply's value was decoded), the device's result code when refused.
    void ret_Status(int ret);

    // Member lookup on a group record; null when `name` holds no record.
    KVDeviceProperty *property_ptr(const char *name) const;

    // Frames (see frames.cpp for the layout).
    QByteArray pack(QString payload, QString word) const;
    QByteArray get_cmd_bytes() const;
    QByteArray set_cmd_bytes() const;

    // Reply decoding: assigns the value directly, without change notification.
    void set_decode(QList<QString> values);
    void set_decode(QString text);

    // Editing widgets built from the "WIDGET" description.
    void create_ui_ctrl(QWidget *parent, QString name, bool show_unit);
    void to_ui_ctrl();
    void from_ui_ctrl();

    // The record held in `holder`'s dynamic property `name`, or null.
    static KVDeviceProperty *fromHolder(const QObject *holder, const char *name);

Q_SIGNALS:
    void valueChanged();
    void retStatus(int ret);

private:
    QVariant m_value;
    QVariant m_last_value;
    int m_get_cmd = 0;
    int m_set_cmd = 0;
    int m_cmd_len = 0;
    QString m_label;
    QString m_unit;
    KVDeviceInterface::KVDeviceCMDType m_cmd_type = KVDeviceInterface::UnCMD;
    QList<QString> m_param;
};

KVDEVICE_EXPORT QDebug operator<<(QDebug debug, const KVDeviceProperty &record);

Q_DECLARE_METATYPE(KVDeviceProperty)


#endif // KVDEVICEPROPERTY_H
