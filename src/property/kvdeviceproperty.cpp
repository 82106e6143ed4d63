#include "kvdeviceproperty.h"

#include <utility>

KVDeviceProperty::KVDeviceProperty(QObject *parent)
    : QObject(parent)
{
}

KVDeviceProperty::KVDeviceProperty(const KVDeviceProperty &other)
    : QObject(nullptr),
      m_value(other.m_value),
      m_last_value(other.m_last_value),
      m_get_cmd(other.m_get_cmd),
      m_set_cmd(other.m_set_cmd),
      m_cmd_len(other.m_cmd_len),
      m_label(other.m_label),
      m_unit(other.m_unit),
      m_cmd_type(other.m_cmd_type)
{
}

KVDeviceProperty::~KVDeviceProperty() = default;

bool KVDeviceProperty::init(QVariant value, QString label, QString unit, int get, int set, int len,
                            KVDeviceInterface::KVDeviceCMDType type, QList<QString> param)
{
    m_last_value = value;
    m_value = m_last_value;
    m_get_cmd = get;
    m_set_cmd = set;
    m_cmd_len = len;
    m_cmd_type = type;
    m_label = label;
    m_unit = unit;
    m_param = param;
    return true;
}

const QVariant &KVDeviceProperty::value() const
{
    return m_value;
}

// Returning to the last notified value is silent: an edit that is undone before anyone was told
// about it is no change.
void KVDeviceProperty::setValue(const QVariant &v)
{
    if (v == m_last_value) {
        m_value = v;
        return;
    }
    if (v == m_value)
        return;
    m_last_value = m_value;
    m_value = v;
    Q_EMIT valueChanged();
}

QString KVDeviceProperty::label() const { return m_label; }
QString KVDeviceProperty::uint() const { return m_unit; }
QList<QString> KVDeviceProperty::param() const { return m_param; }
int KVDeviceProperty::cmd_len() const { return m_cmd_len; }
KVDeviceInterface::KVDeviceCMDType KVDeviceProperty::cmd_type() const { return m_cmd_type; }
int KVDeviceProperty::get_cmd_int() const { return m_get_cmd; }
int KVDeviceProperty::set_cmd_int() const { return m_set_cmd; }

QString KVDeviceProperty::label() { return std::as_const(*this).label(); }
QString KVDeviceProperty::uint() { return std::as_const(*this).uint(); }
QList<QString> KVDeviceProperty::param() { return std::as_const(*this).param(); }
int KVDeviceProperty::cmd_len() { return std::as_const(*this).cmd_len(); }
KVDeviceInterface::KVDeviceCMDType KVDeviceProperty::cmd_type() { return std::as_const(*this).cmd_type(); }
int KVDeviceProperty::get_cmd_int() { return std::as_const(*this).get_cmd_int(); }
int KVDeviceProperty::set_cmd_int() { return std::as_const(*this).set_cmd_int(); }

void KVDeviceProperty::ret_Status(int ret)
{
    Q_EMIT retStatus(ret);
}

KVDeviceProperty *KVDeviceProperty::property_ptr(const char *name) const
{
    return fromHolder(this, name);
}

KVDeviceProperty *KVDeviceProperty::fromHolder(const QObject *holder, const char *name)
{
    if (!holder || !name)
        return nullptr;
    const QVariant held = holder->property(name);
    if (held.isNull())
        return nullptr;
    return qobject_cast<KVDeviceProperty *>(held.value<QObject *>());
}
