#include "kvdeviceproperty.h"

#include "kvlogging.h"

#include <optional>

namespace {

// One 16-bit register word of a multi-register reply.
std::optional<quint32> registerWord(const QString &text)
{
    bool ok = false;
    const ushort word = text.toUShort(&ok);
    return ok ? std::optional<quint32>(word) : std::nullopt;
}

} // namespace

void KVDeviceProperty::set_decode(QList<QString> values)
{
    if (values.size() <= 1) {
        if (!values.isEmpty())
            set_decode(values.first());
        return;
    }

    if (m_cmd_type == KVDeviceInterface::CMD) {
        const std::optional<quint32> low = registerWord(values.at(0));
        const std::optional<quint32> high = registerWord(values.at(1));
        if (!low || !high) {
            qCWarning(lcKvDevice) << "KVDeviceProperty::set_decode" << m_label
                                  << "register reply is not two 16-bit words, value kept:" << values;
            return;
        }
        m_value = QVariant(qint32(*low | *high << 16));
        return;
    }
    if (m_cmd_type != KVDeviceInterface::CCMD)
        return;

    // A group's value is its member keys in field order; reply fields go to them one by one.
    const QStringList keys = m_value.toStringList();
    if (!keys.isEmpty()) {
        for (qsizetype i = 0; i < keys.size() && i < values.size(); ++i) {
            if (KVDeviceProperty *member = property_ptr(keys.at(i).toLatin1().constData()))
                member->set_decode(QList<QString>{ values.at(i) });
        }
        return;
    }

    // A plain record's reply repeats its fixed parameters before the value.
    const qsizetype count = m_param.size();
    if (values.size() <= count)
        return;
    for (qsizetype i = 0; i < count; ++i) {
        if (values.at(i) != m_param.at(i))
            return;
    }
    set_decode(values.at(count));
}

// Converts by the type the value holds now. A number that does not parse keeps the old value:
// a garbled reply must not overwrite a good setting with 0.
void KVDeviceProperty::set_decode(QString text)
{
    qCDebug(lcKvDevice) << "KVDeviceProperty::set_decode" << m_label << text;
    bool ok = true;
    switch (m_value.typeId()) {
    case QMetaType::QString:
        m_value = text;
        return;
    case QMetaType::UInt:
        if (const unsigned int number = text.toUInt(&ok); ok)
            m_value = number;
        break;
    case QMetaType::Int:
        if (const int number = text.toInt(&ok); ok)
            m_value = number;
        break;
    case QMetaType::Double:
        if (const double number = text.toDouble(&ok); ok)
            m_value = number;
        break;
    default:
        return;
    }
    if (!ok)
        qCWarning(lcKvDevice) << "KVDeviceProperty::set_decode" << m_label
                              << "reply is not a number, value kept:" << text;
}
