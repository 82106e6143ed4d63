#ifndef KVHOST_QRCODEJOB_H
#define KVHOST_QRCODEJOB_H

#include "kvdeviceinterface.h"

#include <QObject>
#include <QString>

// Hands the plotter the plot of a QR-code job. The model's firmware reads the code on a sheet
// when asked (the job's start asks, and the plug-in asks again before each further copy) and
// answers with its text; the plot for that code then goes to the plotter as a plot-file job's
// plot does, followed by a status read. A plotter of the 261 dialect takes the plot once, as the
// job's QR plot, and reads the code of each sheet by itself, telling it as a QR-code message.
class QrCodeJob : public QObject
{
    Q_OBJECT
public:
    explicit QrCodeJob(KVDeviceInterface *device, QObject *parent = nullptr);

    // Right after the device's startTask(): from now on every code read gets `plot`.
    void start(const QString &plot);
    void finish() { m_active = false; }

    QString lastCode() const { return m_lastCode; }
    int codesRead() const { return m_codes; }

Q_SIGNALS:
    void codeRead(QString text);

private:
    void onMessage(KVDeviceInterface::KVDeviceMessage type, const QString &text);
    void sendPlot(const char *key, bool readStatus);

    KVDeviceInterface *m_device;
    QString m_plot;
    bool m_active = false;
    bool m_plotPerCode = false;
    QString m_lastCode;
    int m_codes = 0;
};

#endif // KVHOST_QRCODEJOB_H
