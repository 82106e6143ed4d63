#include "recordrequests.h"

#include "kvdeviceinterface.h"
#include "kvdeviceproperty.h"

#include <QTimer>

RecordRequests::RecordRequests(KVDeviceInterface *device, QObject *parent)
    : QObject(parent), m_device(device)
{
}

bool RecordRequests::read(KVDeviceProperty *record, Done done)
{
    return send(record, record->get_cmd_bytes(), std::move(done));
}

bool RecordRequests::write(KVDeviceProperty *record, Done done)
{
    return send(record, record->set_cmd_bytes(), std::move(done));
}

bool RecordRequests::send(KVDeviceProperty *record, const QByteArray &frame, Done done)
{
    if (frame.isEmpty())
        return false;
    watch(record);
    const quint64 id = m_nextId++;
    m_pending.append({ id, record, std::move(done) });
    QTimer::singleShot(m_timeoutMs, this, [this, id] { expire(id); });
    m_device->sendCMD(frame);
    return true;
}

// One connection per record for the life of the record: answers go to its oldest request.
void RecordRequests::watch(KVDeviceProperty *record)
{
    if (m_watched.contains(record))
        return;
    m_watched.insert(record);
    connect(record, &KVDeviceProperty::retStatus, this, [this, record](int result) { answer(record, result); });
    connect(record, &QObject::destroyed, this, [this, record] { m_watched.remove(record); });
}

void RecordRequests::answer(KVDeviceProperty *record, int result)
{
    for (qsizetype i = 0; i < m_pending.size(); ++i) {
        if (m_pending.at(i).record == record) {
            finish(i, result);
            return;
        }
    }
}

void RecordRequests::expire(quint64 id)
{
    for (qsizetype i = 0; i < m_pending.size(); ++i) {
        if (m_pending.at(i).id == id) {
            finish(i, NoAnswer);
            return;
        }
    }
}

// The request leaves the list before its callback runs, which may send the next one.
void RecordRequests::finish(qsizetype index, int result)
{
    const Done done = m_pending.takeAt(index).done;
    if (done)
        done(result);
}
