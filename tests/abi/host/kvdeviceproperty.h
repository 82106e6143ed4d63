// A device parameter record, field for field as documented: hosts may create records themselves,
// so the fields below fix the object's size and layout.
#ifndef HOST_KVDEVICEPROPERTY_H
#define HOST_KVDEVICEPROPERTY_H

#include "kvdeviceinterface.h"

#include <QDebug>
#include <QMetaType>
#include <QVariant>

class QWidget;

class Q_DECL_IMPORT KVDeviceProperty : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QVariant value READ value WRITE setValue NOTIFY valueChanged)
public:
    explicit KVDeviceProperty(QObject *parent = nullptr);
    KVDeviceProperty(const KVDeviceProperty &other);
    ~KVDeviceProperty();

    bool init(QVariant value, QString label, QString unit, int get, int set, int len,
              KVDeviceInterface::KVDeviceCMDType type, QList<QString> param);
    const QVariant &value() const;
    void setValue(const QVariant &v);
    QString label();
    QString uint();
    QList<QString> param();
    int cmd_len();
    KVDeviceInterface::KVDeviceCMDType cmd_type();
    int get_cmd_int();
    int set_cmd_int();
    void ret_Status(int ret);
    KVDeviceProperty *property_ptr(const char *name) const;

    QByteArray pack(QString payload, QString word) const;
    QByteArray get_cmd_bytes() const;
    QByteArray set_cmd_bytes() const;

    void set_decode(QList<QString> values);
    void set_decode(QString text);

    void create_ui_ctrl(QWidget *parent, QString name, bool show_unit);
    void to_ui_ctrl();
    void from_ui_ctrl();

signals:
    void valueChanged();
    void retStatus(int ret);

private:
    QVariant m_value;
    QVariant m_last_value;
    int m_get_cmd;
    int m_set_cmd;
    int m_cmd_len;
    QString m_label;
    QString m_unit;
    KVDeviceInterface::KVDeviceCMDType m_cmd_type;
    QList<QString> m_param;
};

Q_DECL_IMPORT QDebug operator<<(QDebug debug, const KVDeviceProperty &record);
Q_DECLARE_METATYPE(KVDeviceProperty)

#endif
