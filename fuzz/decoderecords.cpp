#include "decoderecords.h"

#include "attach.h"
#include "kvdeviceproperty.h"

#include <QStringList>
#include <QVariant>

using Type = KVDeviceInterface::KVDeviceCMDType;

namespace KvFuzz {

namespace {

struct Stored
{
    const char *name;
    QVariant value;
};

QList<Stored> scalarValues()
{
    return { { "INT", 7 }, { "UINT", 7u }, { "DOUBLE", 1.5 }, { "STRING", QStringLiteral("text") },
             { "BOOL", true }, { "NONE", QVariant() } };
}

} // namespace

DecodeRecords::DecodeRecords()
{
    int code = 100;
    const auto attach = [this, &code](const QByteArray &key, const QVariant &value, Type type, const QStringList &params) {
        auto *record = new KVDeviceProperty;
        record->init(value, QString::fromLatin1(key), QString(), code, code + 1, type == Type::CMD ? 2 : 1, type, params);
        code += 2;
        KVAttach::toDevice(&m_holder, key.constData(), record);
        m_records.append(record);
        return record;
    };

    // Members first, as the catalogues attach them; "M_MISSING" is listed by the groups but has
    // no record.
    QStringList memberKeys;
    for (const Stored &stored : scalarValues()) {
        const QByteArray key = QByteArray("M_") + stored.name;
        attach(key, stored.value, Type::UnCMD, {});
        memberKeys << QString::fromLatin1(key);
    }
    memberKeys.insert(2, QStringLiteral("M_MISSING"));

    QList<Stored> stored = scalarValues();
    stored.append({ "GROUP", memberKeys });
    const QList<QStringList> paramLists{ {}, { QStringLiteral("A"), QStringLiteral("B") } };
    for (const Type type : { Type::CCMD, Type::CMD }) {
        for (const QStringList &params : paramLists) {
            for (const Stored &entry : stored) {
                const QByteArray key = QByteArray(type == Type::CMD ? "CMD_" : "CCMD_") + entry.name
                                       + (params.isEmpty() ? "" : "_PARAMS");
                KVDeviceProperty *record = attach(key, entry.value, type, params);
                if (entry.value.metaType().id() != QMetaType::QStringList)
                    continue;
                for (const QString &member : memberKeys) {
                    const QByteArray memberKey = member.toLatin1();
                    if (KVDeviceProperty *found = KVDeviceProperty::fromHolder(&m_holder, memberKey.constData()))
                        KVAttach::toGroup(record, memberKey.constData(), found);
                }
            }
        }
    }
}

DecodeRecords::~DecodeRecords()
{
    KVAttach::releaseAll(&m_holder);
}

QList<QString> valueList(const QByteArray &line)
{
    if (line.isEmpty())
        return {};
    return QString::fromUtf8(line).split(QLatin1Char(','));
}

QByteArray DecodeRecords::inputLine(int index, const QList<QString> &values) const
{
    // The line break cannot pick a record: the same record one round further on.
    const int selector = index == '\n' ? index + int(m_records.size()) : index;
    return char(selector) + values.join(QLatin1Char(',')).toUtf8() + '\n';
}

} // namespace KvFuzz
