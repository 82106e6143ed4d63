#ifndef KVFUZZ_DECODERECORDS_H
#define KVFUZZ_DECODERECORDS_H

// Records of every stored value type that reply decoding meets (int, unsigned, double, text,
// bool, no value, and groups whose value lists their members), each as a CCMD and as a CMD
// record, with and without parameters, plus the group members themselves. Owned by a holder
// object as a device object owns its catalogue.
//
// fuzz_decode's input is a series of lines ("\n"); the first byte of a line picks a record
// (modulo the number of records), the rest is the value list, split on "," (empty pieces kept;
// a line of the selector alone hands over an empty list).

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class KVDeviceProperty;

namespace KvFuzz {

class DecodeRecords
{
public:
    DecodeRecords();
    ~DecodeRecords();
    DecodeRecords(const DecodeRecords &) = delete;
    DecodeRecords &operator=(const DecodeRecords &) = delete;

    const QList<KVDeviceProperty *> &all() const { return m_records; }
    KVDeviceProperty *select(unsigned char selector) const { return m_records.at(selector % m_records.size()); }
    // The input line that hands `values` to record `index` of all().
    QByteArray inputLine(int index, const QList<QString> &values) const;

private:
    QObject m_holder;
    QList<KVDeviceProperty *> m_records;
};

// The value list of one input line without its selector byte.
QList<QString> valueList(const QByteArray &line);

} // namespace KvFuzz

#endif // KVFUZZ_DECODERECORDS_H
