#include "cloudrecords.h"

namespace {
constexpr int EntryLimit = 10000;
constexpr qsizetype ByteLimit = 8 * 1024 * 1024;
constexpr qsizetype EntryOverhead = 64; // the keys around the body
} // namespace

void KvCloudRecordList::append(const QJsonValue &entry, qsizetype bytes)
{
    m_entries.append(entry);
    m_sizes.append(bytes + EntryOverhead);
    m_bytes += m_sizes.last();
    while (m_entries.size() > 1 && (m_entries.size() > EntryLimit || m_bytes > ByteLimit)) {
        m_entries.removeFirst();
        m_bytes -= m_sizes.takeFirst();
    }
}
