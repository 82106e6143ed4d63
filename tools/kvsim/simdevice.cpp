#include "simdevice.h"

#include "framestream.h"
#include "plotreader.h"
#include "simlog.h"

#include <cmath>

namespace {

constexpr int StepsPerCopy = 10; // a progress report every tenth of a copy

// CCMD codes the plotter handles beyond its parameter table.
enum Code583 { CopyEnd = 4, QrRead = 11, TaskControl = 27, Copies = 30, QrCodeFile = 55, Progress = 66, PanelStop = 1001 };
enum Code261 { FactorySet = 67, TaskControl261 = 125 };

// Values of the task control command (CCMD 27 on "583", CMD register 125 on "261").
enum ControlValue { ControlPause = 0, ControlResume = 1, ControlStop = 2 };

struct Frame
{
    QString word;
    QByteArray payload;
};

// Type word and payload of a frame; the length field is not trusted, as on the host.
bool splitFrame(const QByteArray &frame, Frame *out)
{
    const qsizetype lengthEnd = frame.indexOf(';');
    if (frame.size() < 3 || lengthEnd < 0)
        return false;
    const QByteArray body = frame.mid(lengthEnd + 1, frame.size() - lengthEnd - 2);
    const qsizetype wordEnd = body.indexOf(';');
    if (wordEnd < 0)
        return false;
    out->word = QString::fromUtf8(body.left(wordEnd));
    out->payload = body.mid(wordEnd + 1);
    return true;
}

QByteArray cmdFrame(const QStringList &items)
{
    return KVFrameStream::pack("CMD;" + items.join(QLatin1Char(';')).toUtf8() + ';');
}

// "TAGcode[:value]" or "code[:value]"; the tag is the leading run of capitals.
struct Item
{
    QString tag;
    int code = 0;
    bool codeOk = false;
    QString value;
    bool hasValue = false;
};

Item parseItem(const QString &text)
{
    Item item;
    qsizetype tagEnd = 0;
    while (tagEnd < text.size() && text[tagEnd] >= QLatin1Char('A') && text[tagEnd] <= QLatin1Char('Z'))
        ++tagEnd;
    item.tag = text.left(tagEnd);
    const qsizetype colon = text.indexOf(QLatin1Char(':'), tagEnd);
    item.hasValue = colon >= 0;
    item.code = text.mid(tagEnd, item.hasValue ? colon - tagEnd : -1).toInt(&item.codeOk);
    if (item.hasValue)
        item.value = text.mid(colon + 1);
    return item;
}

QString itemText(const QString &tag, int code, const QString &value)
{
    return tag + QString::number(code) + QLatin1Char(':') + value;
}

} // namespace

KvSimDevice::KvSimDevice(int family, QObject *parent)
    : QObject(parent),
      m_parameters(family)
{
    connect(&m_ticker, &QTimer::timeout, this, &KvSimDevice::tick);
}

QByteArray KvSimDevice::ccmdFrame(const QStringList &fields)
{
    return KVFrameStream::pack("CCMD;" + fields.join(QLatin1Char(',')).toUtf8() + ';');
}

QList<QByteArray> KvSimDevice::handle(const QByteArray &frame)
{
    Frame parts;
    if (!splitFrame(frame, &parts)) {
        qCWarning(lcKvSim).noquote() << tr("malformed frame ignored: %1").arg(QDebug::toString(frame));
        return {};
    }
    const bool family261 = family() == 261;
    if (parts.word == QLatin1String("CCMD")) {
        QByteArray payload = parts.payload;
        if (payload.endsWith(';'))
            payload.chop(1);
        return handleCcmd(QString::fromUtf8(payload).split(QLatin1Char(',')));
    }
    if (parts.word == QLatin1String("CMD") && family261)
        return handleCmd(QString::fromUtf8(parts.payload));
    if (parts.word == QLatin1String("PPLT") && !family261) {
        takePlot(parts.payload);
    } else if (parts.word == QLatin1String("PLT") && family261) {
        startJob(parts.payload, m_plotCopies);
    } else if (parts.word == QLatin1String("QR_PLT") && family261) {
        startJob(parts.payload, copiesSetting("QRCODE_COPIES"), true);
    } else
        qCWarning(lcKvSim).noquote() << tr("no such command in family %1: %2").arg(family()).arg(parts.word);
    return {};
}

// ---- CCMD ----

QList<QByteArray> KvSimDevice::handleCcmd(const QStringList &fields)
{
    bool ok = false;
    const int code = fields.value(0).toInt(&ok);
    if (!ok) {
        qCWarning(lcKvSim).noquote() << tr("CCMD without a command code ignored: %1").arg(fields.join(QLatin1Char(',')));
        return {};
    }
    const QStringList arguments = fields.mid(1);
    if (family() == 583) {
        switch (code) {
        case CopyEnd:
            // The status read that follows a plot; while a job runs, its progress answers it.
            if (m_state != JobState::Idle)
                return { progressReport(m_state == JobState::Paused ? TaskPaused : TaskCutting) };
            return { ccmdFrame({ QString::number(code), QString::number(Accepted), QString::number(TaskDone) }) };
        case QrRead:
            return readQrCode();
        case TaskControl:
            return taskControl583(arguments);
        case Copies:
            if (m_state == JobState::WaitingForRepeat && !arguments.isEmpty()) {
                startCopy();
                return { ccmdFrame({ QString::number(code), QString::number(Accepted) }) };
            }
            break;
        default:
            break;
        }
    } else if (code == FactorySet && !arguments.isEmpty()) {
        m_parameters.reset();
        qCDebug(lcKvSim) << "factory settings restored";
    }

    const KvSimParameter *writable = m_parameters.writeCommand(code);
    if (writable && arguments.size() > writable->fixed)
        return writeCommand(code, arguments);
    if (m_parameters.readCommand(code))
        return readCommand(code, arguments);
    if (writable)
        return writeCommand(code, arguments);
    qCWarning(lcKvSim).noquote() << tr("unknown CCMD code %1").arg(code);
    return { ccmdFrame({ QString::number(code), QString::number(UnknownCommand) }) };
}

QList<QByteArray> KvSimDevice::readCommand(int code, const QStringList &arguments)
{
    const KvSimParameter *entry = m_parameters.readCommand(code);
    QStringList reply = { QString::number(code), QString::number(Accepted) };
    reply += arguments.mid(0, entry->fixed);
    reply += m_parameters.value(entry->name);
    return { ccmdFrame(reply) };
}

QList<QByteArray> KvSimDevice::writeCommand(int code, const QStringList &arguments)
{
    const KvSimParameter *entry = m_parameters.writeCommand(code);
    const QStringList values = arguments.mid(entry->fixed);
    Result result = Accepted;
    if (values.size() != entry->defaults.size())
        result = Malformed;
    else if (!KvSimParameters::accepts(*entry, values))
        result = OutOfRange;
    else
        m_parameters.setValue(entry->name, values);
    if (result != Accepted)
        qCDebug(lcKvSim) << "write of" << entry->name << "refused:" << values.join(QLatin1Char(',')).left(200) << "result" << result;
    // A text too long for the plotter is not echoed: the refusal carries the value it kept.
    const QStringList echoed = KvSimParameters::fitsFields(values)
                                   ? arguments
                                   : arguments.mid(0, entry->fixed) + m_parameters.value(entry->name);
    return { ccmdFrame(QStringList { QString::number(code), QString::number(result) } + echoed) };
}

int KvSimDevice::taskControlState() const
{
    switch (m_state) {
    case JobState::Paused:
        return ControlPause;
    case JobState::Cutting:
    case JobState::WaitingForRepeat:
    case JobState::WaitingForPlot:
        return ControlResume;
    case JobState::Idle:
        break;
    }
    return ControlStop;
}

// Pause, resume or stop, by the value of a task control command; false when there is nothing
// to act on or the value is none of them.
bool KvSimDevice::control(const QString &value)
{
    bool ok = false;
    switch (value.toInt(&ok)) {
    case ControlPause:
        return ok && pause();
    case ControlResume:
        return ok && resume();
    case ControlStop:
        if (ok)
            endJob(false);
        return ok;
    default:
        return false;
    }
}

QList<QByteArray> KvSimDevice::taskControl583(const QStringList &arguments)
{
    const QString code = QString::number(TaskControl);
    if (arguments.isEmpty())
        return { ccmdFrame({ code, QString::number(Accepted), QString::number(taskControlState()) }) };
    const bool done = control(arguments.first());
    return { ccmdFrame({ code, QString::number(done ? Accepted : OutOfRange), arguments.first() }) };
}

// ---- CMD ("261") ----

QList<QByteArray> KvSimDevice::handleCmd(const QString &payload)
{
    QStringList items = payload.split(QLatin1Char(';'));
    if (!items.isEmpty() && items.last().isEmpty())
        items.removeLast();
    const Item first = parseItem(items.value(0));
    if (first.tag == QLatin1String("NUM") && first.hasValue) {
        bool ok = false;
        const int copies = first.value.toInt(&ok);
        if (ok && copies >= 1)
            m_plotCopies = copies;
        return { cmdFrame({ (ok && copies >= 1 ? QStringLiteral("NUM:") : QStringLiteral("ERR:")) + first.value }) };
    }
    if (first.tag == QLatin1String("GET"))
        return readRegisters(first.tag, items);
    if (first.tag == QLatin1String("SET"))
        return writeRegisters(first.tag, items);
    qCWarning(lcKvSim).noquote() << tr("unknown CMD request: %1").arg(QDebug::toString(payload));
    return {};
}

QList<QByteArray> KvSimDevice::readRegisters(const QString &tag, const QStringList &items)
{
    QStringList reply;
    for (const QString &text : items) {
        const Item item = parseItem(text);
        const QString value = item.code == TaskControl261 ? QString::number(taskControlState())
                                                          : m_parameters.registerValue(item.code);
        reply.append(itemText(reply.isEmpty() ? tag : QString(), item.code, value));
    }
    return { cmdFrame(reply) };
}

QByteArray KvSimDevice::taskControl261(const QString &tag, const QString &value)
{
    const bool done = control(value);
    const QString answer = done ? value : QString::number(taskControlState());
    return cmdFrame({ itemText(done ? tag : QStringLiteral("ERR"), TaskControl261, answer) });
}

// A write is taken whole or not at all: every register it names must belong to the plotter and
// every value it changes must stay in range. A refusal answers with the values kept, tagged ERR,
// so the host's records return to what the plotter holds.
QList<QByteArray> KvSimDevice::writeRegisters(const QString &tag, const QStringList &items)
{
    const Item first = parseItem(items.value(0));
    if (first.code == TaskControl261)
        return { taskControl261(tag, first.value) };

    QHash<const KvSimParameter *, QStringList> changed;
    bool valid = true;
    for (const QString &text : items) {
        const Item item = parseItem(text);
        int index = 0;
        const KvSimParameter *owner = m_parameters.registerOwner(item.code, &index);
        if (!item.codeOk || !item.hasValue || !owner) {
            valid = false;
            break;
        }
        QStringList &words = changed[owner];
        if (words.isEmpty())
            words = m_parameters.value(owner->name);
        words[index] = item.value;
    }
    for (auto it = changed.cbegin(); valid && it != changed.cend(); ++it)
        valid = KvSimParameters::accepts(*it.key(), it.value());
    if (valid) {
        for (auto it = changed.cbegin(); it != changed.cend(); ++it)
            m_parameters.setValue(it.key()->name, it.value());
    }
    QStringList reply;
    for (const QString &text : items) {
        const Item item = parseItem(text);
        const QString value = valid ? item.value : m_parameters.registerValue(item.code);
        reply.append(itemText(reply.isEmpty() ? (valid ? tag : QStringLiteral("ERR")) : QString(), item.code, value));
    }
    if (!valid)
        qCDebug(lcKvSim) << "register write refused:" << items;
    return { cmdFrame(reply) };
}

// ---- Jobs ----

// "583": the camera reads the code on the sheet. In QR-code mode (TASK_MODE not 0) the read
// starts a job, or the next copy of one, and the plot for the code is awaited.
QList<QByteArray> KvSimDevice::readQrCode()
{
    const bool qrCodeMode = m_parameters.value(QStringLiteral("TASK_MODE")).value(0).toInt() != 0;
    if (m_state == JobState::WaitingForRepeat || (m_state == JobState::Idle && qrCodeMode)) {
        if (m_state == JobState::Idle) {
            m_job = Job();
            m_finished = 0;
        }
        m_state = JobState::WaitingForPlot;
    }
    return { ccmdFrame({ QString::number(QrRead), QString::number(Accepted), m_qrText }) };
}

// "583": a plot starts a job, or cuts the next copy of a QR-code job with the plot of the code
// just read (in the time the first copy took).
void KvSimDevice::takePlot(const QByteArray &plot)
{
    if (m_state == JobState::WaitingForPlot && m_finished > 0 && m_finished < m_job.copies) {
        startCopy();
        return;
    }
    startJob(plot, copiesSetting("TASK_COPIES"), m_state == JobState::WaitingForPlot);
}

double KvSimDevice::cuttingSpeed() const
{
    const QString speed = family() == 261 ? m_parameters.registerValue(1) : m_parameters.value(QStringLiteral("SPEED")).value(0);
    return std::max(1.0, speed.toDouble());
}

int KvSimDevice::copiesSetting(const char *name) const
{
    return std::max(1, m_parameters.value(QString::fromLatin1(name)).value(0).toInt());
}

void KvSimDevice::startJob(const QByteArray &plot, int copies, bool qrCode)
{
    if (m_state == JobState::Cutting || m_state == JobState::Paused) {
        qCWarning(lcKvSim).noquote() << tr("busy cutting %1: plot of %2 bytes ignored").arg(m_job.fileName).arg(plot.size());
        return;
    }
    m_job = Job();
    m_job.fileName = QStringLiteral("job%1.plt").arg(++m_jobCount);
    m_job.copies = copies;
    m_job.qrCode = qrCode;
    m_job.lengthMm = KvPlot::readPlot(plot).figures.travelMm(); // the head's whole way
    m_job.speed = cuttingSpeed();
    m_job.copyMs = int(std::lround(m_job.lengthMm / m_job.speed * 1000.0 * m_timeScale));
    m_finished = 0;
    qCDebug(lcKvSim) << "job" << m_job.fileName << m_job.copies << "copies," << m_job.lengthMm << "mm at"
                     << m_job.speed << "mm/s," << m_job.copyMs << "ms a copy";
    Q_EMIT jobStarted(m_job.fileName, m_job.copies, m_job.lengthMm);
    startCopy();
}

void KvSimDevice::startCopy()
{
    m_state = JobState::Cutting;
    m_step = 0;
    // "261" reads the code of each sheet of a QR-code job by itself and tells it.
    if (m_job.qrCode && family() == 261)
        queueNotice(ccmdFrame({ QString::number(QrCodeFile), QString::number(Accepted), m_qrText }));
    queueNotice(progressReport(TaskCutting));
    m_ticker.start(m_job.copyMs / StepsPerCopy);
}

void KvSimDevice::tick()
{
    ++m_step;
    if (m_step == StepsPerCopy / 2 && m_finished == 0)
        Q_EMIT halfway();
    if (m_state != JobState::Cutting)
        return; // the halfway observer dropped the job
    if (m_step < StepsPerCopy)
        queueNotice(progressReport(TaskCutting));
    else
        endCopy();
}

void KvSimDevice::endCopy()
{
    m_ticker.stop();
    ++m_finished;
    Q_EMIT copyFinished(m_finished);
    if (family() == 583) {
        queueNotice(ccmdFrame({ QString::number(CopyEnd), QString::number(Accepted) }));
        if (m_finished < m_job.copies) {
            m_state = JobState::WaitingForRepeat; // the host asks for each further copy
            return;
        }
    } else if (m_finished < m_job.copies) {
        startCopy();
        return;
    }
    endJob(true);
}

void KvSimDevice::endJob(bool completed)
{
    if (m_state == JobState::Idle)
        return;
    if (m_state == JobState::WaitingForPlot && m_finished == 0) {
        m_state = JobState::Idle; // a QR-code job that had not begun to cut
        return;
    }
    m_ticker.stop();
    m_state = JobState::Idle;
    if (completed)
        m_step = StepsPerCopy;
    queueNotice(progressReport(TaskDone));
    qCDebug(lcKvSim) << "job" << m_job.fileName << (completed ? "completed" : "stopped") << "after"
                     << m_finished << "of" << m_job.copies << "copies";
    Q_EMIT jobEnded(completed);
}

bool KvSimDevice::pause()
{
    if (m_state != JobState::Cutting)
        return false;
    m_ticker.stop();
    m_state = JobState::Paused;
    queueNotice(progressReport(TaskPaused));
    return true;
}

bool KvSimDevice::resume()
{
    if (m_state != JobState::Paused)
        return false;
    m_state = JobState::Cutting;
    m_ticker.start();
    return true;
}

void KvSimDevice::stopFromPanel()
{
    if (m_state == JobState::Idle)
        return;
    endJob(false);
    queueNotice(ccmdFrame({ QString::number(PanelStop), QString::number(Accepted) }));
}

// 66,status,file name,copies,finished,percent, then path length in mm, speed in mm/s and the
// time of one copy in ms.
QByteArray KvSimDevice::progressReport(int status) const
{
    const int percent = std::min(100, m_step * 100 / StepsPerCopy);
    return ccmdFrame({ QString::number(Progress), QString::number(status), m_job.fileName,
                       QString::number(m_job.copies), QString::number(m_finished), QString::number(percent),
                       QString::number(m_job.lengthMm, 'f', 1), QString::number(m_job.speed),
                       QString::number(m_job.copyMs) });
}

// Notices leave after the replies of the request being handled.
void KvSimDevice::queueNotice(const QByteArray &frame)
{
    QMetaObject::invokeMethod(this, [this, frame] { Q_EMIT notice(frame); }, Qt::QueuedConnection);
}
