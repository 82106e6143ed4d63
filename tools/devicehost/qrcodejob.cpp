#include "qrcodejob.h"

#include "kvdeviceproperty.h"

QrCodeJob::QrCodeJob(KVDeviceInterface *device, QObject *parent)
    : QObject(parent), m_device(device)
{
    connect(device, &KVDeviceInterface::message, this, &QrCodeJob::onMessage);
}

void QrCodeJob::start(const QString &plot)
{
    m_plot = plot;
    m_active = true;
    m_plotPerCode = m_device->property_ptr("GET_QRCODE") != nullptr;
    if (!m_plotPerCode)
        sendPlot("QR_PLT", false);
}

void QrCodeJob::onMessage(KVDeviceInterface::KVDeviceMessage type, const QString &text)
{
    if (type != KVDeviceInterface::Qrcode || !m_active)
        return;
    m_lastCode = text;
    ++m_codes;
    Q_EMIT codeRead(text);
    if (m_plotPerCode)
        sendPlot("TASK_PPLT", true);
}

void QrCodeJob::sendPlot(const char *key, bool readStatus)
{
    KVDeviceProperty *record = m_device->property_ptr(key);
    if (!record)
        return;
    record->setValue(m_plot);
    m_device->sendCMD(record->set_cmd_bytes());
    if (const KVDeviceProperty *status = m_device->property_ptr("DEVICE_STATUS"); status && readStatus)
        m_device->sendCMD(status->get_cmd_bytes());
}
