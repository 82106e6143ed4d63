// Reply decoding (set_decode with value lists) into records of every value type and group.
// Beyond the sanitizers it holds decoding to its promises: a record keeps its value type (only a
// CMD record given two or more registers becomes a signed int, unless they are garbled), values of types that decoding
// does not convert stay as they were, a single text lands in a text record as it is, and no
// decode announces a change.
#include "decoderecords.h"
#include "fuzzsupport.h"
#include "kvdeviceproperty.h"

#include <QHash>

#include <cstddef>
#include <cstdint>

namespace {

bool converted(int typeId)
{
    return typeId == QMetaType::QString || typeId == QMetaType::UInt || typeId == QMetaType::Int
           || typeId == QMetaType::Double;
}

void checkDecode(const KvFuzz::DecodeRecords &records, KVDeviceProperty *target, const QList<QString> &values)
{
    QHash<const KVDeviceProperty *, QVariant> before;
    for (const KVDeviceProperty *record : records.all())
        before.insert(record, record->value());

    target->set_decode(values);

    for (const KVDeviceProperty *record : records.all()) {
        const QVariant &old = before.value(record);
        const QVariant &now = record->value();
        const bool registers = record == target && record->cmd_type() == KVDeviceInterface::CMD && values.size() >= 2;
        // Register words that are not 16-bit numbers leave the record as it was.
        if (registers && now.metaType().id() != QMetaType::Int && now != old)
            KvFuzz::fail("a multi-register reply left neither a signed int nor the old value");
        if (registers)
            continue;
        if (now.metaType() != old.metaType())
            KvFuzz::fail("decoding changed a record's value type");
        if (!converted(old.metaType().id()) && now != old)
            KvFuzz::fail("decoding changed a value of a type it does not convert");
    }
    if (values.size() == 1 && before.value(target).metaType().id() == QMetaType::QString
        && target->value().toString() != values.first())
        KvFuzz::fail("a single text did not land in a text record as it is");
}

void decodeLines(const uint8_t *data, size_t size)
{
    KvFuzz::DecodeRecords records;
    int announced = 0;
    for (KVDeviceProperty *record : records.all())
        QObject::connect(record, &KVDeviceProperty::valueChanged, [&announced] { ++announced; });

    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QByteArray &line : input.split('\n')) {
        if (line.isEmpty())
            continue;
        checkDecode(records, records.select(static_cast<unsigned char>(line.at(0))), KvFuzz::valueList(line.mid(1)));
    }
    if (announced != 0)
        KvFuzz::fail("reply decoding announced a value change");
}

} // namespace

KV_FUZZ_TARGET(On, decodeLines)
