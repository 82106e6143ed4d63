#include "kvrv520maxcam.h"

#include "attach.h"
#include "kvdeviceproperty.h"
#include "kvlogging.h"
#include "protocolnames.h"
#include "replyframe.h"

#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Comma fields of a progress report: reply code, status, file name, copies, finished, percent, and
// three more that must be there but are not read.
constexpr qsizetype ProgressFields = 9;

// A decimal number truncated toward zero; 0 when it is not a number, and held within int range.
int truncatedPercent(QStringView text)
{
    const double percent = std::trunc(text.toDouble());
    if (std::isnan(percent))
        return 0;
    return int(std::clamp(percent, double(std::numeric_limits<int>::min()),
                          double(std::numeric_limits<int>::max())));
}

// The report's five values in a new object, with any further keys the old record had. Building
// anew matters: a JSON object keeps the bytes of every string value it replaced, so a record
// rewritten in place by each report would grow for as long as the device runs.
QJsonObject progressRecord(const QList<QStringView> &fields, const QJsonObject &old)
{
    QJsonObject task{
        { KVTaskKey::Status, KVReply::number(fields.at(1)) },
        { KVTaskKey::FileName, fields.at(2).toString() },
        { KVTaskKey::TaskCopies, KVReply::number(fields.at(3)) },
        { KVTaskKey::Finished, KVReply::number(fields.at(4)) },
        { KVTaskKey::Percent, truncatedPercent(fields.at(5)) },
    };
    for (auto it = old.constBegin(); it != old.constEnd(); ++it) {
        if (!task.contains(it.key()))
            task.insert(it.key(), it.value());
    }
    return task;
}

void markDone(QJsonObject &task)
{
    task[KVTaskKey::Status] = 0;
    task[KVTaskKey::Percent] = 100;
}

// The next copy: plot-file jobs repeat the last plot ("TASK_REPEAT"), QR-code jobs read the next
// code ("GET_QRCODE"). False when the device lacks the records to ask with.
bool requestNextCopy(KVDeviceInterface *device)
{
    const KVDeviceProperty *mode = device->property_ptr("TASK_MODE");
    if (!mode)
        return false;
    const bool qrCodeJob = mode->value().toInt() != 0;
    const KVDeviceProperty *request = device->property_ptr(qrCodeJob ? "GET_QRCODE" : "TASK_REPEAT");
    if (!request)
        return false;
    device->sendCMD(qrCodeJob ? request->get_cmd_bytes() : request->set_cmd_bytes());
    return true;
}

} // namespace

void KVCommonInterface::decode_task(QString report)
{
    KVDeviceProperty *record = property_ptr("TASK");
    if (!record) {
        record = new KVDeviceProperty;
        record->init(QJsonObject(), tr("当前任务"), QString(), 0, 0, 0, UnCMD, {});
        KVAttach::toDevice(this, "TASK", record);
    }
    const QList<QStringView> fields = QStringView(report).split(u',');
    if (fields.size() < ProgressFields) {
        qCWarning(lcKvDevice) << "KVCommonInterface::decode_task" << "report ignored: fewer than"
                              << ProgressFields << "fields" << report;
        return;
    }
    record->setValue(progressRecord(fields, record->value().toJsonObject()));

    Q_EMIT message(DevTasK, report);
    device_task_to_cloud();
}

// A copy of a multi-copy task is done: count it and ask for the next one while copies remain.
void KVRV520MAXCam::decode_task()
{
    KVDeviceProperty *record = property_ptr("TASK");
    if (!record)
        return;
    qCDebug(lcKvDevice) << "KVRV520MAXCam::decode_task" << record->value();

    QJsonObject task = record->value().toJsonObject();
    const int finished = task.value(KVTaskKey::Finished).toInt();
    const int copies = task.value(KVTaskKey::TaskCopies).toInt();
    if (finished < copies) {
        task[KVTaskKey::Finished] = finished + 1;
        if (finished + 1 == copies) {
            markDone(task);
            record->setValue(task);
        } else {
            record->setValue(task);
            if (!requestNextCopy(this))
                return;
        }
    } else {
        markDone(task);
        record->setValue(task);
    }
    Q_EMIT message(DevTasK, QString());
    device_task_to_cloud();
}
