#ifndef KVPANEL_JOBBOX_H
#define KVPANEL_JOBBOX_H

#include "kvdeviceinterface.h"
#include "plotfile.h"
#include "taskrecord.h"

#include <QGroupBox>
#include <QList>

class PlotFacts;
class PlotPicture;
class QCheckBox;
class JobStart;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class RecordRequests;

// One cutting job at a time: the plot file (for a QR-code job, the plot of the codes), copies and
// job kind, Start, Pause, Resume and Stop, and the job's progress as the device reports it, on
// a picture of the plot beside its figures. The device is sent the plot drawn from the file's
// geometry, as kvhost sends it.
class JobBox : public QGroupBox
{
    Q_OBJECT
public:
    enum class State { Idle, Preparing, Running, Paused };
    Q_ENUM(State)

    JobBox(KVDeviceInterface *device, RecordRequests *requests, QWidget *parent = nullptr);

    bool openPlotFile(const QString &path);
    State state() const { return m_state; }

    void start();
    void pause();
    void resume();
    void stop();
    void setConnected(bool connected);
    // The device's messages; task notices move the job on.
    void handleMessage(KVDeviceInterface::KVDeviceMessage type, const QString &text);

Q_SIGNALS:
    void note(QString text);

private:
    void choosePlotFile();
    QSizeF sheetMm(QString *description) const;
    void showSpeed();
    void launch();
    void onPrepared(int result, const QString &key);
    void sendControl(const char *key);
    void onTaskControl(int state);
    void onTaskNotice(const QString &text);
    void stoppedOnDevice();
    void showProgress();
    void finish();
    void setState(State state);
    void updateButtons();

    KVDeviceInterface *m_device;
    JobStart *m_jobStart;
    PlotFile m_plot;
    bool m_plotLoaded = false;
    bool m_connected = false;
    State m_state = State::Idle;
    int m_requestedCopies = 1;
    bool m_reported = false;      // a progress report of this job arrived
    bool m_betweenCopies = false; // a copy ended and the next one has not reported yet

    QLabel *m_file;
    QPushButton *m_open;
    QSpinBox *m_copies;
    QCheckBox *m_qrCode;
    QPushButton *m_start;
    QPushButton *m_pause;
    QPushButton *m_resume;
    QPushButton *m_stop;
    QProgressBar *m_progress;
    QLabel *m_counter;
    QLabel *m_status;
    PlotPicture *m_picture;
    PlotFacts *m_facts;
};

#endif // KVPANEL_JOBBOX_H
