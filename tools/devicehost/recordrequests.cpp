#include "recordrequests.h"

#include "kvdeviceinterface.h"
#include "kvdeviceproperty.h"

#include <QTimer>

#include <algorithm>

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
    finishFirst([record](const Pending &pending) { return pending.record == record; }, result);
}

void RecordRequests::expire(quint64 id)
{
    finishFirst([id](const Pending &pending) { return pending.id == id; }, NoAnswer);
}

// The request leaves the list before its callback runs, which may send the next one.
void RecordRequests::finishFirst(const std::function<bool(const Pending &)> &matches, int result)
{
    const auto found = std::find_if(m_pending.begin(), m_pending.end(), matches);
    if (found == m_pending.end())
        return;
    const Done done = std::move(found->done);
    m_pending.erase(found);
    if (done)
        done(result);
}
