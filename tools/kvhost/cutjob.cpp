#include "cutjob.h"

#include "devicelink.h"
#include "eventwait.h"
#include "exitcodes.h"
#include "interrupt.h"
#include "plotfile.h"
#include "recordio.h"

#include "kvdeviceproperty.h"

#include <QJsonDocument>
#include <QTimer>

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
      m_terminal(::isatty(STDOUT_FILENO))
{
    connect(device, &KVDeviceInterface::message, this, &CutJob::onMessage);
}

int CutJob::run(const PlotFile &plot, const Settings &settings)
{
    m_json = settings.json;
    const int prepared = prepare(plot, settings);
    if (prepared != ExitOk)
        return prepared;
    m_clock.start();
    m_sinceActivity.start();
    m_device->setPlt(plot.text);
    m_device->startTask();
    m_started = true;
    const int outcome = follow(settings);
    const Progress done = progress();
    showProgress(true);
    if (outcome == ExitOk)
        printSummary(plot, done, settings);
    // Stopping reports the finished work and leaves the task record idle for the next job.
    m_device->stopTask();
    return outcome;
}

// Job kind and number of copies go to the device before the plot.
int CutJob::prepare(const PlotFile &plot, const Settings &settings)
{
    RecordIO io(m_device, m_link, settings.answerTimeoutMs);
    const struct { const char *key; QVariant value; } writes[] = {
        {"TASK_MODE", settings.qrCode ? 1 : 0},
        {settings.qrCode && m_device->property_ptr("QRCODE_COPIES") ? "QRCODE_COPIES" : "TASK_COPIES", settings.copies},
    };
    for (const auto &write : writes) {
        KVDeviceProperty *record = m_device->property_ptr(write.key);
        if (!record)
            continue;
        record->setValue(write.value);
        // The 261 dialect sends its copies with the plot; its task mode has no command.
        if (record->cmd_type() == KVDeviceInterface::NUM)
            continue;
        switch (io.write(record)) {
        case RecordIO::Refused:
            m_err << "kvhost: the device refused " << write.key << " = " << write.value.toString()
                  << " (result " << io.lastResult() << ")\n";
            return ExitRefused;
        case RecordIO::TimedOut:
            m_err << "kvhost: no answer to " << write.key << '\n';
            return ExitTimeout;
        case RecordIO::LinkLost:
            m_err << "kvhost: connection lost: " << m_link->lastStatus() << '\n';
            return ExitConnectionLost;
        case RecordIO::Answered:
        case RecordIO::NoCommand:
            break;
        }
    }
    if (!settings.json)
        m_out << "cutting " << plot.fileName << ", " << settings.copies << (settings.copies == 1 ? " copy" : " copies")
              << (settings.qrCode ? " (QR-code job)" : "") << '\n';
    m_out.flush();
    return ExitOk;
}

int CutJob::follow(const Settings &settings)
{
    QTimer refresh;
    refresh.start(m_terminal ? 250 : 1000);
    EventWait wait(-1);
    wait.wakeOn(m_device, &KVDeviceInterface::message);
    wait.wakeOn(m_link, &DeviceLink::lost);
    wait.wakeOn(m_interrupt, &Interrupt::requested);
    wait.wakeOn(&refresh, &QTimer::timeout);
    wait.until([&] {
        showProgress(false);
        return isComplete() || m_stopNotice || !m_link->isUp() || m_interrupt->happened()
               || m_sinceActivity.hasExpired(settings.silenceTimeoutMs);
    });
    if (isComplete())
        return ExitOk;
    if (m_interrupt->happened())
        return stopOnInterrupt(settings);
    if (!m_link->isUp()) {
        m_err << "\nkvhost: connection lost during the job: " << m_link->lastStatus() << '\n';
        return ExitConnectionLost;
    }
    if (m_stopNotice) {
        m_err << "\nkvhost: the job was stopped on the device\n";
        return ExitInterrupted;
    }
    m_err << "\nkvhost: no progress from the device for " << settings.silenceTimeoutMs / 1000 << " s\n";
    return ExitTimeout;
}

// Ctrl-C: the stop write goes to the device, and the program waits for its answer (or a timeout).
int CutJob::stopOnInterrupt(const Settings &settings)
{
    m_err << "\nkvhost: stopping the job...\n";
    m_stopNotice = false;
    if (KVDeviceProperty *stop = m_device->property_ptr("TASK_STOP"))
        m_device->sendCMD(stop->set_cmd_bytes());
    EventWait wait(settings.answerTimeoutMs);
    wait.wakeOn(m_device, &KVDeviceInterface::message);
    wait.wakeOn(m_link, &DeviceLink::lost);
    const bool answered = wait.until([&] { return m_stopNotice || progress().status == 0 || !m_link->isUp(); });
    m_err << (answered ? "kvhost: the device stopped\n" : "kvhost: the device did not confirm the stop\n");
    return ExitInterrupted;
}

CutJob::Progress CutJob::progress() const
{
    return TaskRecord::of(m_device);
}

bool CutJob::isComplete() const
{
    const Progress p = progress();
    return m_started && p.copies > 0 && p.finished >= p.copies && p.status == 0;
}

void CutJob::onMessage(KVDeviceInterface::KVDeviceMessage type, const QString &text)
{
    if (type == KVDeviceInterface::DevTasK) {
        m_sinceActivity.restart();
        if (text == QLatin1String("STOP"))
            m_stopNotice = true;
        // A copy-end notice comes with no text; a progress report starts with its code.
        m_betweenCopies = text.isEmpty() ? true : text.startsWith(QLatin1String("66,")) ? false : m_betweenCopies;
    } else if (type == KVDeviceInterface::Qrcode) {
        m_sinceActivity.restart();
        m_qrText = text;
    }
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
    const QString line = QStringLiteral("%1%  copy %2/%3  elapsed %4  remaining %5")
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
    const double pathMm = plot.pathLengthMm * done.finished;
    if (settings.json) {
        QJsonObject summary{{QStringLiteral("file"), plot.fileName},
                            {QStringLiteral("copies"), done.copies},
                            {QStringLiteral("finished"), done.finished},
                            {QStringLiteral("seconds"), seconds},
                            {QStringLiteral("path_length_mm"), pathMm}};
        if (!m_qrText.isEmpty())
            summary.insert(QStringLiteral("qr_code"), m_qrText);
        m_out << QJsonDocument(summary).toJson(QJsonDocument::Compact) << '\n';
        return;
    }
    m_out << "done: " << done.finished << " of " << done.copies << (done.copies == 1 ? " copy" : " copies")
          << " in " << QString::number(seconds, 'f', 1) << " s, path " << QString::number(pathMm / 1000.0, 'f', 2)
          << " m";
    if (!m_qrText.isEmpty())
        m_out << ", QR code " << m_qrText;
    m_out << '\n';
}
