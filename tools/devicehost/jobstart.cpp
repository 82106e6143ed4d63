#include "jobstart.h"

#include "plotfile.h"
#include "qrcodejob.h"
#include "recordrequests.h"
#include "workfileinfo.h"

#include "kvdeviceinterface.h"
#include "kvdeviceproperty.h"

#include <QPointer>

JobStart::JobStart(KVDeviceInterface *device, RecordRequests *requests, QObject *parent)
    : QObject(parent), m_device(device), m_requests(requests), m_qrCode(new QrCodeJob(device, this))
{
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
        KVDeviceProperty *record = m_device->property_ptr(setting.key);
        if (!record)
            continue;
        record->setValue(setting.value);
        // The 261 dialect sends its copies with the plot; its task mode has no command.
        if (record->cmd_type() == KVDeviceInterface::NUM)
            continue;
        const QPointer<JobStart> self(this);
        const bool sent = m_requests->write(record, [self, settings, setting, run](int result) {
            if (!self)
                return;
            if (result == 0)
                self->write(settings, run);
            else if (run == self->m_run)
                Q_EMIT self->refused(QLatin1String(setting.key), QString::number(setting.value), result);
        });
        if (sent)
            return;
    }
    Q_EMIT ready();
}

void JobStart::launch(const PlotFile &plot)
{
    WorkFileInfo::describe(m_device, plot);
    m_device->setPlt(plot.text);
    m_device->startTask();
    if (m_qrJob)
        m_qrCode->start(plot.text);
}

void JobStart::finish()
{
    m_qrCode->finish();
}
