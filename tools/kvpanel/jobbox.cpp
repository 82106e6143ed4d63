#include "jobbox.h"

#include "plotfacts.h"
#include "plotpicture.h"
#include "jobstart.h"
#include "recordrequests.h"
#include "taskcontrol.h"

#include "kvdeviceproperty.h"

#include <QCheckBox>
#include <QJsonObject>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>

namespace {

constexpr int MaxCopies = 9999;

QPushButton *button(const QString &text, const char *name)
{
    auto *made = new QPushButton(text);
    made->setObjectName(QString::fromLatin1(name));
    return made;
}

} // namespace

JobBox::JobBox(KVDeviceInterface *device, RecordRequests *requests, QWidget *parent)
    : QGroupBox(tr("Job"), parent),
      m_device(device),
      m_jobStart(new JobStart(device, requests, this)),
      m_file(new QLabel(tr("no plot file"))),
      m_open(button(tr("Open\u2026"), "openButton")),
      m_copies(new QSpinBox),
      m_qrCode(new QCheckBox(tr("QR-code job"))),
      m_start(button(tr("Start"), "startButton")),
      m_pause(button(tr("Pause"), "pauseButton")),
      m_resume(button(tr("Resume"), "resumeButton")),
      m_stop(button(tr("Stop"), "stopButton")),
      m_progress(new QProgressBar),
      m_counter(new QLabel),
      m_status(new QLabel),
      m_picture(new PlotPicture),
      m_facts(new PlotFacts)
{
    setObjectName(QStringLiteral("jobBox"));
    m_file->setObjectName(QStringLiteral("plotFile"));
    m_copies->setObjectName(QStringLiteral("copies"));
    m_copies->setRange(1, MaxCopies);
    m_qrCode->setObjectName(QStringLiteral("qrCode"));
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_counter->setObjectName(QStringLiteral("copyCounter"));
    m_status->setObjectName(QStringLiteral("jobStatus"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Plot file")), 0, 0);
    grid->addWidget(m_file, 0, 1, 1, 3);
    grid->addWidget(m_open, 0, 4);
    grid->addWidget(new QLabel(tr("Copies")), 1, 0);
    grid->addWidget(m_copies, 1, 1);
    grid->addWidget(m_qrCode, 1, 2, 1, 3);
    auto *controls = new QHBoxLayout;
    for (QPushButton *control : { m_start, m_pause, m_resume, m_stop })
        controls->addWidget(control);
    grid->addLayout(controls, 2, 0, 1, 5);
    grid->addWidget(m_progress, 3, 0, 1, 3);
    grid->addWidget(m_counter, 3, 3);
    grid->addWidget(m_status, 3, 4);
    auto *plot = new QHBoxLayout;
    plot->addWidget(m_picture, 3);
    plot->addWidget(m_facts, 2, Qt::AlignTop);
    grid->addLayout(plot, 4, 0, 1, 5);
    grid->setRowStretch(4, 1);

    connect(m_open, &QPushButton::clicked, this, &JobBox::choosePlotFile);
    connect(m_start, &QPushButton::clicked, this, &JobBox::start);
    connect(m_pause, &QPushButton::clicked, this, &JobBox::pause);
    connect(m_resume, &QPushButton::clicked, this, &JobBox::resume);
    connect(m_stop, &QPushButton::clicked, this, &JobBox::stop);
    connect(m_qrCode, &QCheckBox::toggled, this, &JobBox::updateButtons);
    connect(m_jobStart, &JobStart::prepared, this, &JobBox::onPrepared);
    TaskControl::watch(device, this, [this](TaskControl::State state) { onTaskControl(state); });
    if (const KVDeviceProperty *speed = device->property_ptr("SPEED"))
        connect(speed, &KVDeviceProperty::valueChanged, this, &JobBox::showSpeed);
    setState(State::Idle);
    m_counter->setText(QStringLiteral("0 / %1").arg(m_requestedCopies));
}

bool JobBox::openPlotFile(const QString &path)
{
    PlotFile plot;
    QString error;
    if (!plot.read(path, {KvPlot::LabelMode::Outline, false, true}, &error)) {
        Q_EMIT note(error);
        return false;
    }
    m_plot = std::move(plot);
    m_plotLoaded = true;
    m_file->setText(m_plot.fileName);
    QString sheet;
    const QSizeF sheetSize = sheetMm(&sheet);
    m_picture->showPlot(&m_plot.geometry, m_plot.figures, sheetSize);
    m_facts->showPlot(m_plot, sheet);
    showSpeed();
    Q_EMIT note(tr("plot file %1 opened").arg(path));
    updateButtons();
    return true;
}

// The plotter's work area where the device tells it; otherwise the sheet the plot needs, from
// the origin to its far corner.
QSizeF JobBox::sheetMm(QString *description) const
{
    double extentMm[2] = {0, 0};
    for (int axis = 0; axis < 2; ++axis) {
        if (const KVDeviceProperty *record = m_device->property_ptr(axis == 0 ? "WORKAREA_X" : "WORKAREA_Y")) {
            const double factor = record->property("WIDGET").toJsonObject().value(QLatin1String("factor")).toDouble(1.0);
            extentMm[axis] = record->value().toDouble() * factor;
        }
    }
    if (extentMm[0] > 0 && extentMm[1] > 0) {
        *description = tr("%1 x %2 mm, the plotter's work area").arg(extentMm[0]).arg(extentMm[1]);
        return {extentMm[0], extentMm[1]};
    }
    const QRectF bounds = m_plot.figures.boundsMm();
    const QSizeF needed(std::max(0.0, bounds.right()), std::max(0.0, bounds.bottom()));
    *description = tr("%1 x %2 mm from the origin, as much as the plot needs")
                       .arg(needed.width(), 0, 'f', 1).arg(needed.height(), 0, 'f', 1);
    return needed;
}

void JobBox::showSpeed()
{
    const KVDeviceProperty *speed = m_device->property_ptr("SPEED");
    m_facts->setSpeed(speed ? speed->value().toDouble() : 0);
}

void JobBox::choosePlotFile()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open plot file"), QString(),
                                                      tr("Plot files (*.plt *.hpgl *.hpg *.hp *.svg);;All files (*)"));
    if (!path.isEmpty())
        openPlotFile(path);
}

void JobBox::start()
{
    if (m_state != State::Idle || !m_plotLoaded)
        return;
    m_requestedCopies = m_copies->value();
    setState(State::Preparing);
    m_jobStart->prepare(m_requestedCopies, m_qrCode->isChecked());
}

void JobBox::onPrepared(int result, const QString &key)
{
    if (result == 0) {
        launch();
        return;
    }
    Q_EMIT note(result == RecordRequests::NoAnswer ? tr("job not started: no answer to %1").arg(key)
                                                   : tr("job not started: the device refused %1 (result %2)").arg(key).arg(result));
    setState(State::Idle);
}

// Running first: the start itself reports to the host.
void JobBox::launch()
{
    m_reported = false;
    m_betweenCopies = false;
    setState(State::Running);
    m_jobStart->launch(m_plot);
    Q_EMIT note((m_qrCode->isChecked() ? tr("job started: %1, %n copies (QR-code job)", nullptr, m_requestedCopies)
                                       : tr("job started: %1, %n copies", nullptr, m_requestedCopies))
                    .arg(m_plot.fileName));
    showProgress();
}

void JobBox::pause()
{
    sendControl("TASK_PAUSE");
}

void JobBox::resume()
{
    sendControl("TASK_RESUME");
}

// The device is told to stop; the task record is reset for the next job at once.
void JobBox::stop()
{
    if (m_state == State::Idle)
        return;
    sendControl("TASK_STOP");
    m_device->stopTask();
    setState(State::Idle);
    m_status->setText(tr("stopped"));
    Q_EMIT note(tr("job stopped"));
}

void JobBox::sendControl(const char *key)
{
    KVDeviceProperty *record = m_device->property_ptr(key);
    if (!record) {
        Q_EMIT note(tr("this device has no %1").arg(QLatin1String(key)));
        return;
    }
    m_device->sendCMD(record->set_cmd_bytes());
}

void JobBox::setConnected(bool connected)
{
    m_connected = connected;
    if (!connected && m_state != State::Idle) {
        setState(State::Idle);
        m_status->setText(tr("link lost"));
        Q_EMIT note(tr("the connection dropped during the job"));
    }
    updateButtons();
}

void JobBox::handleMessage(KVDeviceInterface::KVDeviceMessage type, const QString &text)
{
    if (type == KVDeviceInterface::DevTasK)
        onTaskNotice(text);
}

// A stop confirmed while idle answers our own.
void JobBox::onTaskControl(int state)
{
    if (state == TaskControl::Paused && m_state == State::Running)
        setState(State::Paused);
    else if (state == TaskControl::Cutting && m_state == State::Paused)
        setState(State::Running);
    else if (state == TaskControl::Idle && m_state != State::Idle)
        stoppedOnDevice();
}

void JobBox::stoppedOnDevice()
{
    m_device->stopTask();
    setState(State::Idle);
    m_status->setText(tr("stopped on the device"));
    Q_EMIT note(tr("the job was stopped on the device"));
}

// A job ends with a report of status 0: every copy cut, or stopped on the device.
void JobBox::onTaskNotice(const QString &text)
{
    if (m_state != State::Running && m_state != State::Paused)
        return; // the last reports of a job that is over
    // A progress report starts with its code; a copy end (or the start) comes with no text.
    if (TaskRecord::isProgressReport(text)) {
        m_reported = true;
        m_betweenCopies = false;
    } else if (text.isEmpty()) {
        m_betweenCopies = true;
    }
    showProgress();
    const TaskRecord p = TaskRecord::of(m_device);
    if (!m_reported || !p.ended())
        return;
    if (p.complete())
        finish();
    else
        stoppedOnDevice();
}

// Until the device reports on this job, the task record still describes the last one. The
// picture shows the copy on the sheet: the share of its travel the device reports cut, all of it
// once the copy is done.
void JobBox::showProgress()
{
    const TaskRecord p = TaskRecord::of(m_device);
    const int copies = m_reported && p.copies > 0 ? p.copies : m_requestedCopies;
    const int finished = m_reported ? qBound(0, p.finished, copies) : 0;
    const bool copyUnderWay = m_reported && !m_betweenCopies && p.status != 0 && finished < copies;
    const double part = copyUnderWay ? qBound(0, p.percent, 100) / 100.0 : 0.0;
    m_progress->setValue(qBound(0, int((finished + part) * 100.0 / copies), 100));
    const bool running = m_state == State::Running || m_state == State::Paused;
    const int onSheet = copyUnderWay || (running && !m_reported) ? finished + 1 : finished;
    m_counter->setText(QStringLiteral("%1 / %2").arg(onSheet).arg(copies));
    m_picture->setCutShare(copyUnderWay || (running && !m_reported) ? part : finished > 0 ? 1.0 : -1.0);
}

// Every copy is cut: the work is reported and the task record left idle for the next job.
void JobBox::finish()
{
    const TaskRecord p = TaskRecord::of(m_device);
    setState(State::Idle);
    m_status->setText(tr("done"));
    Q_EMIT note(tr("job done: %1 of %n copies", nullptr, p.copies).arg(p.finished));
    m_device->stopTask();
}

void JobBox::setState(State state)
{
    m_state = state;
    if (state == State::Idle) {
        m_jobStart->cancel();
        m_jobStart->finish();
    }
    static const char *const texts[] = { QT_TR_NOOP("idle"), QT_TR_NOOP("preparing"), QT_TR_NOOP("cutting"), QT_TR_NOOP("paused") };
    m_status->setText(tr(texts[int(state)]));
    updateButtons();
}

void JobBox::updateButtons()
{
    const bool idle = m_state == State::Idle;
    m_open->setEnabled(idle);
    m_copies->setEnabled(idle);
    m_qrCode->setEnabled(idle);
    m_start->setEnabled(m_connected && idle && m_plotLoaded);
    m_pause->setEnabled(m_connected && m_state == State::Running);
    m_resume->setEnabled(m_connected && m_state == State::Paused);
    m_stop->setEnabled(m_connected && !idle);
}
