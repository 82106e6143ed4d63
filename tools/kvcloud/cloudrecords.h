#ifndef KVCLOUDRECORDS_H
#define KVCLOUDRECORDS_H

#include <QJsonArray>
#include <QList>

// One list of what the service received (requests, work records, channel messages), for
// GET /_records and the tests: the newest entries, at most 10,000 of them and 8 MiB of what
// they carry. Bodies that are refused unread are never in it.
class KvCloudRecordList
{
public:
    // `bytes`: about what the entry holds (its body or text).
    void append(const QJsonValue &entry, qsizetype bytes);
    const QJsonArray &entries() const { return m_entries; }

private:
    QJsonArray m_entries;
    QList<qsizetype> m_sizes;
    qsizetype m_bytes = 0;
};

#endif // KVCLOUDRECORDS_H
