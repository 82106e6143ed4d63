#ifndef KVHOST_JOBSTART_H
#define KVHOST_JOBSTART_H

#include <QObject>
#include <QString>

class KVDeviceInterface;
class QrCodeJob;
class RecordRequests;
struct PlotFile;

// How a host starts a cutting job. First the job kind and the number of copies go to the device,
// each after the device took the one before (prepare). Then the device learns what the plot is,
// for the cloud, takes the plot text and starts (launch); a QR-code job then hands the plotter
// the plot for every code it reads.
class JobStart : public QObject
{
    Q_OBJECT
public:
    JobStart(KVDeviceInterface *device, RecordRequests *requests, QObject *parent = nullptr);

    // Ends in ready() or refused(); a prepare under way is given up by the next or by cancel().
    void prepare(int copies, bool qrCode);
    void cancel() { ++m_run; }
    void launch(const PlotFile &plot);
    // A QR-code job's codes go unanswered from now on.
    void finish();

    const QrCodeJob *qrCode() const { return m_qrCode; }

Q_SIGNALS:
    void ready();
    // `result` is the device's refusal, or RecordRequests::NoAnswer; `value` what was written.
    void refused(QString key, QString value, int result);

private:
    struct Setting
    {
        const char *key;
        int value;
    };

    void write(QList<Setting> settings, int run);

    KVDeviceInterface *m_device;
    RecordRequests *m_requests;
    QrCodeJob *m_qrCode;
    bool m_qrJob = false;
    int m_run = 0;
};

#endif // KVHOST_JOBSTART_H
