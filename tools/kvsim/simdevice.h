#ifndef KVSIMDEVICE_H
#define KVSIMDEVICE_H

#include "simparameters.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

// The plotter itself, without any line: it answers request frames with reply frames, keeps its
// parameter table and cuts jobs. Unsolicited frames (progress reports, copy-end and stop
// notices) leave through notice(), always after the replies of the request that caused them.
class KvSimDevice : public QObject
{
    Q_OBJECT
public:
    // WaitingForRepeat: a copy of several is cut, the host asks for the next one.
    // WaitingForPlot: a QR-code job read the code on a sheet; the plot for it comes next.
    enum class JobState { Idle, Cutting, Paused, WaitingForRepeat, WaitingForPlot };
    Q_ENUM(JobState)

    // Task status codes in progress reports.
    enum TaskStatus { TaskDone = 0, TaskCutting = 2, TaskPaused = 3 };

    // Result fields of CCMD replies.
    enum Result { Accepted = 0, OutOfRange = 1, UnknownCommand = 2, Malformed = 3 };

    explicit KvSimDevice(int family = 583, QObject *parent = nullptr);

    int family() const { return m_parameters.family(); }
    KvSimParameters &parameters() { return m_parameters; }

    // Cutting time = path length / speed × scale; 0 cuts at once, 1 is real time.
    void setTimeScale(double scale) { m_timeScale = scale; }
    double timeScale() const { return m_timeScale; }
    // The code on the sheets of QR-code jobs, as the camera reads it.
    void setQrText(const QString &text) { m_qrText = text; }

    JobState jobState() const { return m_state; }
    int copiesFinished() const { return m_finished; }

    // The replies to one request frame (0x02 through 0x03), in order.
    QList<QByteArray> handle(const QByteArray &frame);

    // The operator pressed stop on the plotter.
    void stopFromPanel();

    static QByteArray ccmdFrame(const QStringList &fields);

Q_SIGNALS:
    void notice(QByteArray frame);
    void jobStarted(QString fileName, int copies, double lengthMm);
    void copyFinished(int finished);
    void halfway();
    void jobEnded(bool completed);

private:
    struct Job
    {
        QString fileName;
        int copies = 1;
        double lengthMm = 0;
        double speed = 1;
        int copyMs = 0;
        bool qrCode = false;
    };

    QList<QByteArray> handleCcmd(const QStringList &fields);
    QList<QByteArray> handleCmd(const QString &payload);
    QList<QByteArray> readCommand(int code, const QStringList &arguments);
    QList<QByteArray> writeCommand(int code, const QStringList &arguments);
    QList<QByteArray> taskControl583(const QStringList &arguments);
    QList<QByteArray> readRegisters(const QString &tag, const QStringList &items);
    QList<QByteArray> writeRegisters(const QString &tag, const QStringList &items);
    QByteArray taskControl261(const QString &tag, const QString &value);
    int taskControlState() const;
    bool control(const QString &value);

    QList<QByteArray> readQrCode();
    void takePlot(const QByteArray &plot);
    void startJob(const QByteArray &plot, int copies, bool qrCode = false);
    void startCopy();
    void tick();
    void endCopy();
    void endJob(bool completed);
    bool pause();
    bool resume();
    void queueNotice(const QByteArray &frame);
    QByteArray progressReport(int status) const;
    double cuttingSpeed() const;
    int copiesSetting(const char *name) const;

    KvSimParameters m_parameters;
    double m_timeScale = 1.0;
    QString m_qrText = QStringLiteral("QR-20240001");
    int m_plotCopies = 1; // set by NUM on "261"
    int m_jobCount = 0;

    JobState m_state = JobState::Idle;
    Job m_job;
    int m_finished = 0;
    int m_step = 0; // tenths of the current copy that are cut
    QTimer m_ticker;
};

#endif // KVSIMDEVICE_H
