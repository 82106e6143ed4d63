#ifndef KVHOST_JOBSTART_H
#define KVHOST_JOBSTART_H

#include "kvdeviceinterface.h"

#include <QObject>
#include <QString>

#include <utility>

class RecordRequests;
struct PlotFile;

// How a host starts a cutting job. First the job kind and the number of copies go to the device,
// each after the device took the one before (prepare). Then the device learns what the plot is,
// for the cloud, takes the plot text and starts (launch).
//
// A QR-code job: the model's firmware reads the code on a sheet when asked (the job's start asks,
// and the plug-in asks again before each further copy) and answers with its text; the plot for
// that code then goes to the plotter as a plot-file job's plot does, followed by a status read.
// A plotter of the 261 dialect takes the plot once, as the job's QR plot, and reads the code of
// each sheet by itself, telling it as a QR-code message.
class JobStart : public QObject
{
    Q_OBJECT
public:
    JobStart(KVDeviceInterface *device, RecordRequests *requests, QObject *parent = nullptr);

    // Ends in prepared(); a prepare under way is given up by the next or by cancel().
    void prepare(int copies, bool qrCode);
    void cancel() { ++m_run; }
    void launch(const PlotFile &plot);
    // A QR-code job's codes go unanswered from now on.
    void finish() { m_qrActive = false; }

    QString lastCode() const { return m_lastCode; }
    int codesRead() const { return m_codes; }

Q_SIGNALS:
    // `result` 0: the device took every setting. Otherwise the device's refusal of `key` =
    // `value`, or RecordRequests::NoAnswer.
    void prepared(int result, QString key, QString value);

private:
    using Setting = std::pair<const char *, int>;

    void write(QList<Setting> settings, int run);
    void onMessage(KVDeviceInterface::KVDeviceMessage type, const QString &text);
    void sendQrPlot(const char *key, bool readStatus);

    KVDeviceInterface *m_device;
    RecordRequests *m_requests;
    int m_run = 0;
    bool m_qrJob = false;
    bool m_qrActive = false;
    QString m_qrPlot;
    QString m_lastCode;
    int m_codes = 0;
};

#endif // KVHOST_JOBSTART_H
