#ifndef KVHOST_CUTJOB_H
#define KVHOST_CUTJOB_H

#include "kvdeviceinterface.h"
#include "taskrecord.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QObject>
#include <QTextStream>

class DeviceLink;
class Interrupt;
struct PlotFile;

// Runs one cutting job on a connected device and shows its progress: starts it, follows the
// device's progress reports and copy-end notices until every copy is cut, and stops it cleanly
// on Ctrl-C.
class CutJob : public QObject
{
    Q_OBJECT
public:
    struct Settings
    {
        int copies = 1;
        bool qrCode = false;
        int answerTimeoutMs = 5000;   // for each write before the start
        int silenceTimeoutMs = 30000; // longest wait for the next sign of progress
        bool json = false;
    };

    CutJob(KVDeviceInterface *device, DeviceLink *link, Interrupt *interrupt, QTextStream &out,
           QTextStream &err);

    // Returns the process exit code.
    int run(const PlotFile &plot, const Settings &settings);

private:
    using Progress = TaskRecord;

    int prepare(const PlotFile &plot, const Settings &settings);
    int follow(const Settings &settings);
    int stopOnInterrupt(const Settings &settings);
    Progress progress() const;
    bool isComplete() const;
    void onMessage(KVDeviceInterface::KVDeviceMessage type, const QString &text);
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
    QString m_qrText;
};

#endif // KVHOST_CUTJOB_H
