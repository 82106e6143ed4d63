#ifndef KVHOST_TASKRECORD_H
#define KVHOST_TASKRECORD_H

#include "kvdeviceinterface.h"
#include "kvdeviceproperty.h"
#include "protocolnames.h"

#include <QJsonObject>

// The device's task record (the JSON value of "TASK") as numbers; all 0 when there is none.
struct TaskRecord
{
    int status = 0;   // "Status": 0 finished or stopped, 2 cutting, 3 paused
    int copies = 0;   // "TaskCopies"
    int finished = 0; // "Finished"
    int percent = 0;  // "Percent" of the copy under way
    QString fileName; // "FileName": the plotter's name for the job

    // A job ends with status 0: complete when every copy was cut, stopped otherwise.
    bool ended() const { return status == 0; }
    bool complete() const { return ended() && copies > 0 && finished >= copies; }

    // A progress report's text starts with its reply code: "66,status,file name,copies,...".
    static bool isProgressReport(const QString &text)
    {
        return text.startsWith(QString::number(KVReplyCode::TaskProgress) + u',');
    }

    static TaskRecord of(KVDeviceInterface *device)
    {
        TaskRecord task;
        if (const KVDeviceProperty *record = device->property_ptr("TASK")) {
            const QJsonObject json = record->value().toJsonObject();
            task.status = json.value(KVTaskKey::Status).toInt();
            task.copies = json.value(KVTaskKey::TaskCopies).toInt();
            task.finished = json.value(KVTaskKey::Finished).toInt();
            task.percent = json.value(KVTaskKey::Percent).toInt();
            task.fileName = json.value(KVTaskKey::FileName).toString();
        }
        return task;
    }
};

#endif // KVHOST_TASKRECORD_H
