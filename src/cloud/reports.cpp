#include "kvcommoninterface.h"

#include "jobrecords.h"
#include "kvdeviceproperty.h"
#include "kvlogging.h"
#include "protocolnames.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QWebSocket>

namespace {
// The task record as the service sees it: with the preview of the work file when the device
// has one (Base64, or null when empty).
QJsonObject runtimeReport(KVDeviceInterface *device, QJsonObject task)
{
    if (const KVDeviceProperty *preview = device->property_ptr("FILE_PREVIEW")) {
        const QByteArray base64 = preview->value().toByteArray().toBase64();
        task.insert(QStringLiteral("FilePreview"),
                    base64.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(QString::fromLatin1(base64)));
    }
    return task;
}

// The work record of the job that is ending; its work-file record gives page and path.
QJsonObject workRecord(KVDeviceInterface *device, const QJsonObject &task, const QJsonObject &file,
                       const QDateTime &started, const QJsonValue &deviceId)
{
    const qint64 height = file.value(QLatin1String("heigth")).toInt();
    const qint64 width = file.value(QLatin1String("width")).toInt();
    return QJsonObject{
        {QStringLiteral("end_time"), QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzzz"))},
        {QStringLiteral("task_time"), started.secsTo(QDateTime::currentDateTime())},
        {QStringLiteral("task_copies"), task.value(KVTaskKey::TaskCopies)},
        {QStringLiteral("finish_copies"), task.value(KVTaskKey::Finished)},
        {QStringLiteral("device"), deviceId},
        {QStringLiteral("page_area"), height * width},
        {QStringLiteral("page_size"), QStringLiteral("%1x%2").arg(height).arg(width)},
        {QStringLiteral("path_length"), file.value(QLatin1String("path_length")).toInt()},
        {QStringLiteral("task_model"), KVJob::intValue(device, "TASK_MODE")},
        {QStringLiteral("work_model"), KVJob::intValue(device, "WORK_MODE")},
    };
}

} // namespace

void KVCommonInterface::device_task_to_cloud()
{
    qCDebug(lcKvDevice) << "KVCommonInterface::device_task_to_cloud";
    const KVDeviceProperty *task = property_ptr("TASK");
    // A report made while the channel is down is lost, as a closed channel loses it: it is not
    // even made (progress reports come many times a second).
    if (!task || !web_socket || web_socket->state() != QAbstractSocket::ConnectedState)
        return;
    // A compact QJsonDocument writes the keys of every object in code-point order.
    const QJsonObject report{
        {QStringLiteral("sender"), QStringLiteral("Device")},
        {QStringLiteral("message"), QJsonObject{{QStringLiteral("Runtime"), runtimeReport(this, task->value().toJsonObject())}}},
        {QStringLiteral("actions"), QJsonArray{QStringLiteral("Runtime")}},
    };
    web_socket->sendTextMessage(QString::fromUtf8(QJsonDocument(report).toJson(QJsonDocument::Compact)));
}

void KVCommonInterface::device_task_record_to_cloud()
{
    if (!property_ptr("DEVICE_CLOUD") || cloud_device.value(QLatin1String("id")).toInt(-1) == -1)
        return;
    const KVDeviceProperty *task = property_ptr("TASK");
    const KVDeviceProperty *file = property_ptr("TASK_FILE_INFO");
    const KVDeviceProperty *started = property_ptr("TASK_START_TIME");
    if (!task || !file || !started)
        return;
    const QJsonObject job = task->value().toJsonObject();
    const QJsonObject workFile = file->value().toJsonObject();
    if (job.value(KVTaskKey::TaskCopies).toInt() == 0 || job.value(KVTaskKey::Finished).toInt() == 0
        || workFile.value(QLatin1String("path_length")).toInt() == 0)
        return;
    cloud_device_workrecord(workRecord(this, job, workFile, started->value().toDateTime(),
                                       cloud_device.value(QLatin1String("id"))));
}

void KVCommonInterface::cloud_device_workrecord(QJsonObject body)
{
    cloud_request("device_work_records", "POST", body);
}

void KVCommonInterface::device_info_to_cloud()
{
}
