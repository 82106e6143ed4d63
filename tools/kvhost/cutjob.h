#ifndef KVHOST_CUTJOB_H
#define KVHOST_CUTJOB_H

#include "kvdeviceinterface.h"
#include "jobstart.h"
#include "recordrequests.h"
#include "taskrecord.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QObject>
#include <QTextStream>

class DeviceLink;
class Interrupt;
struct PlotFile;

// Runs one cutting job on a connected device and shows its progress: makes sure the plotter is
// not busy with another job, tells the device what the job's plot is (for the cloud), starts it,
// follows the device's progress reports and copy-end notices until every copy is cut, and stops
// it cleanly on Ctrl-C. The plotter tells every connected host of every job; the reports of this
// job are those naming the job that began after its start. When the reports pause, the plotter
// is asked what it is doing: a job is given up only when the plotter no longer answers or the
// link is lost, and then the plotter is told to stop it first, over a new link where needed.
class CutJob : public QObject
{
    Q_OBJECT
public:
    struct Settings
    {
        int copies = 1;
        bool qrCode = false;
        int answerTimeoutMs = 5000;   // for each write before the start, and each status read
        int quietMs = 5000;           // without a sign of progress this long, the plotter is asked
        bool json = false;
    };

    CutJob(KVDeviceInterface *device, DeviceLink *link, Interrupt *interrupt, QTextStream &out,
           QTextStream &err);

    // Returns the process exit code.
    int run(const PlotFile &plot, const Settings &settings);

private:
    using Progress = TaskRecord;

    int checkIdle(const Settings &settings);
    int prepare(const PlotFile &plot, const Settings &settings);
    int follow(const Settings &settings, qint64 plotBytes);
    bool hasEnded() const;
    int giveUp(const Settings &settings, const QString &reason, int exitCode);
    int stopOnInterrupt(const Settings &settings);
    void stopOnDevice(const Settings &settings);
    Progress progress() const { return m_own; }
    bool isComplete() const;
    void onMessage(KVDeviceInterface::KVDeviceMessage type, const QString &text);
    bool isOwnReport(const QString &report);
    void showProgress(bool final);
    void printSummary(const PlotFile &plot, const Progress &done, const Settings &settings);

    KVDeviceInterface *m_device;
    DeviceLink *m_link;
    Interrupt *m_interrupt;
    QTextStream &m_out;
    QTextStream &m_err;
    QElapsedTimer m_clock;
    QElapsedTimer m_sinceActivity;
    bool m_started = false;
    bool m_stopNotice = false;
    bool m_betweenCopies = false; // a copy ended and the next one has not reported yet
    bool m_terminal = false;
    bool m_json = false;
    QString m_lastLine;
    RecordRequests m_requests;
    JobStart m_start;
    Progress m_own;       // this job's progress, from its own reports only
    bool m_adopted = false;
    QString m_ownFile;    // the plotter's name for this job
    QString m_otherFile;  // another job the plotter cuts instead of this one
};

#endif // KVHOST_CUTJOB_H
