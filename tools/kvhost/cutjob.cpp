#include "cutjob.h"

#include "devicelink.h"
#include "eventwait.h"
#include "exitcodes.h"
#include "interrupt.h"
#include "jobstate.h"
#include "plotfile.h"
#include "taskcontrol.h"

#include "kvdeviceproperty.h"

#include <QJsonDocument>
#include <QTimer>

#include <cmath>
#include <optional>

#include <unistd.h>

namespace {
QString clockText(qint64 ms)
{
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60, 2, 10, QLatin1Char('0')).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}
} // namespace

CutJob::CutJob(KVDeviceInterface *device, DeviceLink *link, Interrupt *interrupt, QTextStream &out,
               QTextStream &err)
    : m_device(device), m_link(link), m_interrupt(interrupt), m_out(out), m_err(err),
      m_terminal(::isatty(STDOUT_FILENO)), m_requests(device), m_start(device, &m_requests)
{
    connect(device, &KVDeviceInterface::message, this, &CutJob::onMessage);
    TaskControl::watch(device, this, [this](TaskControl::State state) {
        m_stopNotice = m_stopNotice || (m_started && state == TaskControl::Idle);
    });
}

int CutJob::run(const PlotFile &plot, const Settings &settings)
{
    m_json = settings.json;
    int outcome = checkIdle(settings);
    if (outcome == ExitOk)
        outcome = prepare(plot, settings);
    if (outcome != ExitOk)
        return outcome;
    m_clock.start();
    m_sinceActivity.start();
    m_start.launch(plot);
    m_started = true;
    outcome = follow(settings, plot.text.size());
    m_start.finish();
    const Progress done = progress();
    showProgress(true);
    if (outcome == ExitOk)
        printSummary(plot, done, settings);
    // Stopping reports the finished work and leaves the task record idle for the next job; the
    // record of another host's job is none of this host's work.
    if (outcome != ExitBusy)
        m_device->stopTask();
    return outcome;
}

// Nothing of the job goes to a plotter that is cutting another one.
int CutJob::checkIdle(const Settings &settings)
{
    switch (JobState::ask(m_device, m_link, settings.answerTimeoutMs)) {
    case JobState::Cutting:
    case JobState::Paused:
        m_err << "kvhost: "
              << tr("plotter busy: it is working on another job; nothing of this job was sent"
                    " (a job left over is stopped with 'kvhost set TASK_STOP 2')") << '\n';
        return ExitBusy;
    case JobState::NoAnswer:
        m_err << "kvhost: " << tr("no answer to the job-state read within %1 s").arg(settings.answerTimeoutMs / 1000.0) << '\n';
        return ExitTimeout;
    case JobState::LinkLost:
        m_err << "kvhost: " << tr("connection lost: %1").arg(m_link->lastStatus()) << '\n';
        return ExitConnectionLost;
    case JobState::Idle:
    case JobState::Unknown:
        break;
    }
    return ExitOk;
}

// Job kind and number of copies go to the device before the plot.
int CutJob::prepare(const PlotFile &plot, const Settings &settings)
{
    m_requests.setTimeout(settings.answerTimeoutMs);
    std::optional<int> result;
    QString key, value;
    QObject receiver;
    connect(&m_start, &JobStart::prepared, &receiver, [&](int answer, const QString &refusedKey, const QString &refusedValue) {
        result = answer;
        key = refusedKey;
        value = refusedValue;
    });
    EventWait wait(-1);
    wait.wakeOn(&m_start, &JobStart::prepared);
    wait.wakeOn(m_link, &DeviceLink::lost);
    m_start.prepare(settings.copies, settings.qrCode);
    wait.until([&] { return result || !m_link->isUp(); });
    if (!result) {
        m_start.cancel();
        m_err << "kvhost: " << tr("connection lost: %1").arg(m_link->lastStatus()) << '\n';
        return ExitConnectionLost;
    }
    if (*result == RecordRequests::NoAnswer) {
        m_err << "kvhost: " << tr("no answer to %1").arg(key) << '\n';
        return ExitTimeout;
    }
    if (*result != 0) {
        m_err << "kvhost: " << tr("the device refused %1 = %2 (result %3)").arg(key, value).arg(*result) << '\n';
        return ExitRefused;
    }
    if (!settings.json)
        m_out << (settings.qrCode ? tr("cutting %1, %n copies (QR-code job)", nullptr, settings.copies)
                                  : tr("cutting %1, %n copies", nullptr, settings.copies)).arg(plot.fileName) << '\n';
    m_out.flush();
    return ExitOk;
}

// The plotter takes the plot in before it reports on the job: it gets time for that (at 1 MB/s)
// before it is asked what it is doing; a question would wait behind the plot anyway.
int CutJob::follow(const Settings &settings, qint64 plotBytes)
{
    // The progress line is refreshed, and the quiet time checked, at this pace.
    QTimer refresh;
    refresh.start(std::clamp(settings.quietMs / 4, 20, m_terminal ? 250 : 1000));
    EventWait wait(-1);
    wait.wakeOn(m_device, &KVDeviceInterface::message);
    wait.wakeOn(m_link, &DeviceLink::lost);
    wait.wakeOn(m_interrupt, &Interrupt::requested);
    wait.wakeOn(&refresh, &QTimer::timeout);
    const qint64 takeInMs = settings.quietMs + plotBytes / 1000;
    for (;;) {
        wait.until([&] {
            showProgress(false);
            return hasEnded() || m_sinceActivity.hasExpired(m_adopted ? settings.quietMs : takeInMs);
        });
        if (hasEnded())
            break;
        // A plotter that is cutting, paused or between copies says so; the 261 dialect's
        // answer is not told, but its heartbeat watches the link.
        if (JobState::ask(m_device, m_link, settings.answerTimeoutMs) == JobState::NoAnswer)
            return giveUp(settings, tr("no progress from the plotter, and no answer to a status read within %1 s")
                                        .arg(settings.answerTimeoutMs / 1000.0), ExitTimeout);
        m_sinceActivity.restart();
    }
    if (isComplete())
        return ExitOk;
    if (!m_otherFile.isEmpty()) {
        m_err << "\nkvhost: " << tr("plotter busy: it is cutting another job (%1) and did not take this one").arg(m_otherFile) << '\n';
        return ExitBusy;
    }
    if (m_interrupt->happened())
        return stopOnInterrupt(settings);
    if (!m_link->isUp())
        return giveUp(settings, tr("connection lost during the job: %1").arg(m_link->lastStatus()), ExitConnectionLost);
    m_err << "\nkvhost: " << tr("the job was stopped on the device") << '\n';
    return ExitInterrupted;
}

bool CutJob::hasEnded() const
{
    return (m_adopted && m_own.ended()) || m_stopNotice || !m_otherFile.isEmpty() || !m_link->isUp() || m_interrupt->happened();
}

// Before kvhost gives a job up, the plotter is told to stop it: over a new link when the old one
// is lost.
int CutJob::giveUp(const Settings &settings, const QString &reason, int exitCode)
{
    m_err << "\nkvhost: " << reason << '\n';
    QString error;
    if (!m_link->isUp() && !m_link->reopen(settings.answerTimeoutMs, &error)) {
        m_err << "kvhost: " << tr("the job could not be stopped on the plotter: %1").arg(error) << '\n';
        return exitCode;
    }
    stopOnDevice(settings);
    return exitCode;
}

// Ctrl-C: the stop write goes to the device, and the program waits for its answer (or a timeout).
int CutJob::stopOnInterrupt(const Settings &settings)
{
    m_err << "\nkvhost: " << tr("stopping the job...") << '\n';
    stopOnDevice(settings);
    return ExitInterrupted;
}

void CutJob::stopOnDevice(const Settings &settings)
{
    m_stopNotice = false;
    if (KVDeviceProperty *stop = m_device->property_ptr("TASK_STOP"))
        m_device->sendCMD(stop->set_cmd_bytes());
    EventWait wait(settings.answerTimeoutMs);
    wait.wakeOn(m_device, &KVDeviceInterface::message);
    wait.wakeOn(m_link, &DeviceLink::lost);
    const bool answered = wait.until([&] { return m_stopNotice || (m_adopted && m_own.ended()) || !m_link->isUp(); });
    m_err << "kvhost: "
          << (answered && m_link->isUp() ? tr("the device stopped") : tr("the device was told to stop the job and did not confirm it"))
          << '\n';
}

bool CutJob::isComplete() const
{
    return m_adopted && m_own.complete();
}

// "66,status,file name,copies,finished,percent,...". The first job that begins (status not 0,
// nothing cut yet) after this one started is this one; a job already under way is another's.
bool CutJob::isOwnReport(const QString &report)
{
    const QStringList fields = report.split(QLatin1Char(','));
    const QString name = fields.value(2);
    if (m_adopted)
        return name == m_ownFile;
    const bool running = fields.value(1).toInt() != 0;
    if (running && fields.value(4).toInt() == 0 && fields.value(5).toDouble() == 0) {
        m_adopted = true;
        m_ownFile = name;
        return true;
    }
    if (running)
        m_otherFile = name;
    return false;
}

void CutJob::onMessage(KVDeviceInterface::KVDeviceMessage type, const QString &text)
{
    if (!m_started)
        return;
    if (type == KVDeviceInterface::Qrcode)
        m_sinceActivity.restart();
    if (type != KVDeviceInterface::DevTasK)
        return;
    // A copy-end notice comes with no text; a progress report starts with its code.
    const bool report = TaskRecord::isProgressReport(text);
    if (report && !isOwnReport(text))
        return;
    m_sinceActivity.restart();
    m_betweenCopies = text.isEmpty() ? true : report ? false : m_betweenCopies;
    const Progress task = TaskRecord::of(m_device);
    if (m_adopted && task.fileName == m_ownFile)
        m_own = task;
}

void CutJob::showProgress(bool final)
{
    if (!m_started || m_clock.elapsed() == 0)
        return;
    const Progress p = progress();
    const int copies = qMax(1, p.copies);
    const double copyPart = p.finished < copies && !m_betweenCopies ? p.percent / 100.0 : 0.0;
    const double done = qBound(0.0, (p.finished + copyPart) / copies, 1.0);
    const qint64 elapsed = m_clock.elapsed();
    const QString remaining = done > 0.01 ? clockText(qint64(elapsed / done * (1.0 - done))) : QStringLiteral("--:--");
    const QString line = tr("%1%  copy %2/%3  elapsed %4  remaining %5")
                             .arg(int(done * 100), 3).arg(qMin(p.finished + 1, copies)).arg(p.copies)
                             .arg(clockText(elapsed), remaining);
    // With --json, stdout carries only the result; progress goes to stderr.
    QTextStream &stream = m_json ? m_err : m_out;
    if (m_terminal && !m_json) {
        stream << '\r' << line << "   ";
        if (final)
            stream << '\n';
        stream.flush();
        return;
    }
    // Without a terminal, a line for every new whole tenth and every copy.
    const QString milestone = QStringLiteral("%1/%2").arg(int(done * 10)).arg(p.finished);
    if (milestone != m_lastLine && p.copies > 0) {
        m_lastLine = milestone;
        stream << line << '\n';
        stream.flush();
    }
}

void CutJob::printSummary(const PlotFile &plot, const Progress &done, const Settings &settings)
{
    const double seconds = m_clock.elapsed() / 1000.0;
    const double cutMm = plot.figures.cutLengthMm() * done.finished;
    const double travelMm = plot.figures.travelMm() * done.finished;
    const bool skipped = plot.options.labels == KvPlot::LabelMode::Skip;
    if (settings.json) {
        QJsonObject summary{{QStringLiteral("file"), plot.fileName},
                            {QStringLiteral("copies"), done.copies},
                            {QStringLiteral("finished"), done.finished},
                            {QStringLiteral("seconds"), seconds},
                            {QStringLiteral("cut_length_mm"), std::round(cutMm * 1000) / 1000},
                            {QStringLiteral("travel_mm"), std::round(travelMm * 1000) / 1000},
                            {QStringLiteral("label_count"), plot.figures.labelCount},
                            {QStringLiteral("labels"), skipped ? QStringLiteral("skip") : QStringLiteral("outline")},
                            {QStringLiteral("raw"), plot.options.raw}};
        if (m_start.codesRead() > 0)
            summary.insert(QStringLiteral("qr_code"), m_start.lastCode());
        m_out << QJsonDocument(summary).toJson(QJsonDocument::Compact) << '\n';
        return;
    }
    m_out << tr("done: %1 of %n copies in %2 s, cut length %3 m, travel %4 m", nullptr, done.copies)
                 .arg(done.finished).arg(seconds, 0, 'f', 1)
                 .arg(cutMm / 1000.0, 0, 'f', 2).arg(travelMm / 1000.0, 0, 'f', 2);
    // Further facts of the job follow as items of the same line.
    if (plot.figures.labelCount > 0)
        m_out << (skipped ? tr(", labels left out (--labels skip): %1")
                          : tr(", labels cut as the outline of their text: %1")).arg(plot.figures.labelCount);
    if (m_start.codesRead() > 0)
        m_out << tr(", QR code %1").arg(m_start.lastCode());
    m_out << '\n';
}
