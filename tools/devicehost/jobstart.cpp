#include "jobstart.h"

#include "plotfile.h"
#include "recordrequests.h"
#include "workfileinfo.h"

#include "kvdeviceproperty.h"

#include <QPointer>

JobStart::JobStart(KVDeviceInterface *device, RecordRequests *requests, QObject *parent)
    : QObject(parent), m_device(device), m_requests(requests)
{
    connect(device, &KVDeviceInterface::message, this, &JobStart::onMessage);
}

void JobStart::prepare(int copies, bool qrCode)
{
    m_qrJob = qrCode;
    const char *copiesKey = qrCode && m_device->property_ptr("QRCODE_COPIES") ? "QRCODE_COPIES" : "TASK_COPIES";
    write({ { "TASK_MODE", qrCode ? 1 : 0 }, { copiesKey, copies } }, ++m_run);
}

void JobStart::write(QList<Setting> settings, int run)
{
    if (run != m_run)
        return;
    while (!settings.isEmpty()) {
        const Setting setting = settings.takeFirst();
        KVDeviceProperty *record = m_device->property_ptr(setting.first);
        if (!record)
            continue;
        record->setValue(setting.second);
        // The 261 dialect sends its copies with the plot; its task mode has no command.
        if (record->cmd_type() == KVDeviceInterface::NUM)
            continue;
        const QPointer<JobStart> self(this);
        const bool sent = m_requests->write(record, [self, settings, setting, run](int result) {
            if (!self || run != self->m_run)
                return;
            if (result == 0)
                self->write(settings, run);
            else
                Q_EMIT self->prepared(result, QLatin1String(setting.first), QString::number(setting.second));
        });
        if (sent)
            return;
    }
    Q_EMIT prepared(0, QString(), QString());
}

// From the device's startTask() on, every code read gets the plot.
void JobStart::launch(const PlotFile &plot)
{
    WorkFileInfo::describe(m_device, plot);
    m_device->setPlt(plot.text);
    m_device->startTask();
    if (!m_qrJob)
        return;
    m_qrPlot = plot.text;
    m_qrActive = true;
    if (!m_device->property_ptr("GET_QRCODE"))
        sendQrPlot("QR_PLT", false);
}

void JobStart::onMessage(KVDeviceInterface::KVDeviceMessage type, const QString &text)
{
    if (type != KVDeviceInterface::Qrcode || !m_qrActive)
        return;
    m_lastCode = text;
    ++m_codes;
    if (m_device->property_ptr("GET_QRCODE"))
        sendQrPlot("TASK_PPLT", true);
}

void JobStart::sendQrPlot(const char *key, bool readStatus)
{
    KVDeviceProperty *record = m_device->property_ptr(key);
    if (!record)
        return;
    record->setValue(m_qrPlot);
    m_device->sendCMD(record->set_cmd_bytes());
    if (const KVDeviceProperty *status = m_device->property_ptr("DEVICE_STATUS"); status && readStatus)
        m_device->sendCMD(status->get_cmd_bytes());
}
