#include "panelwindow.h"

#include "connectionbar.h"
#include "devicelink.h"
#include "exitcodes.h"
#include "jobbox.h"
#include "jogpad.h"
#include "messagelog.h"
#include "recordrequests.h"
#include "settingspage.h"
#include "taskcontrol.h"
#include "taskrecord.h"

#include "kvdeviceproperty.h"
#include "simulator.h"

#include <QHBoxLayout>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <iterator>

namespace {

constexpr char LoopbackAddress[] = "127.0.0.1";

// The link states of KVDeviceStatus, in its order.
QString statusName(int status)
{
    static const char *const names[] = {
        QT_TRANSLATE_NOOP("PanelWindow", "Disconnected"), QT_TRANSLATE_NOOP("PanelWindow", "Idle"),
        QT_TRANSLATE_NOOP("PanelWindow", "Working"),      QT_TRANSLATE_NOOP("PanelWindow", "Paused"),
        QT_TRANSLATE_NOOP("PanelWindow", "Warning"),      QT_TRANSLATE_NOOP("PanelWindow", "Error"),
    };
    if (status < 0 || status >= int(std::size(names)))
        return QString::number(status);
    return PanelWindow::tr(names[status]);
}

} // namespace

PanelWindow::PanelWindow(KVDeviceInterface *device, int family, QWidget *parent)
    : QMainWindow(parent),
      m_device(device),
      m_family(family),
      m_link(new DeviceLink(device, this)),
      m_requests(new RecordRequests(device, this)),
      m_connectionBar(new ConnectionBar),
      m_pages(new QTabWidget),
      m_settings(new SettingsPage(device, device->userProperty(), m_requests)),
      m_machine(new SettingsPage(device, device->sysProperty(), m_requests)),
      m_jobBox(new JobBox(device, m_requests)),
      m_jogPad(new JogPad(device)),
      m_log(new MessageLog)
{
    setWindowTitle(QStringLiteral("kvpanel"));
    m_pages->setObjectName(QStringLiteral("pages"));
    m_settings->setObjectName(QStringLiteral("settingsPage"));
    m_machine->setObjectName(QStringLiteral("machinePage"));
    m_pages->addTab(m_settings, tr("Settings"));
    m_pages->addTab(m_machine, tr("Machine"));
    auto *jobPage = new QWidget;
    jobPage->setObjectName(QStringLiteral("jobPage"));
    auto *jobLayout = new QHBoxLayout(jobPage);
    jobLayout->addWidget(m_jobBox, 3);
    jobLayout->addWidget(m_jogPad, 1, Qt::AlignTop);
    m_pages->addTab(jobPage, tr("Job"));

    auto *splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(m_pages);
    splitter->addWidget(m_log);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(m_connectionBar);
    layout->addWidget(splitter, 1);
    setCentralWidget(central);

    connect(m_connectionBar, &ConnectionBar::connectRequested, this, &PanelWindow::connectDevice);
    connect(device, &KVDeviceInterface::message, this, &PanelWindow::onMessage);
    connect(m_link, &DeviceLink::statusChanged, this, &PanelWindow::showLinkState);
    if (KVDeviceProperty *status = device->property_ptr("STATUS"))
        connect(status, &KVDeviceProperty::valueChanged, this, &PanelWindow::showLinkState);
    for (SettingsPage *page : { m_settings, m_machine })
        connect(page, &SettingsPage::note, this, &PanelWindow::addNote);
    connect(m_jobBox, &JobBox::note, this, &PanelWindow::addNote);

    for (SettingsPage *page : { m_settings, m_machine }) {
        for (const QString &key : page->skippedKeys())
            addNote(tr("%1 has no record on this device; not shown").arg(key));
        for (const QString &text : page->unreadableNotes())
            addNote(text);
    }
    showLinkState();
}

// The device goes first, and quietly: closing its link reports to receivers that are going too.
PanelWindow::~PanelWindow()
{
    m_device->disconnect();
    m_device.reset();
    m_simulator.reset();
}

void PanelWindow::setAnswerTimeout(int ms)
{
    m_requests->setTimeout(ms);
}

void PanelWindow::connectDevice()
{
    if (m_connectionBar->kind() == ConnectionBar::Simulator && !startSimulator())
        return;
    pointDeviceAt();
    if (!m_device->connectDevice()) {
        addNote(tr("the device would not start connecting (link state %1)").arg(statusName(linkState())));
        return;
    }
    addNote(tr("connecting to %1").arg(m_connectionBar->address()));
}

void PanelWindow::shutDown()
{
    if (m_closing)
        return;
    m_closing = true;
    if (m_jobBox->state() == JobBox::State::Idle) {
        Q_EMIT closeRequested(ExitInterrupted);
        return;
    }
    addNote(tr("stopping the job before closing"));
    m_jobBox->stop();
    // The plotter confirms the stop, or reports the job at its end; stopping reset the task record.
    const auto close = [this] { Q_EMIT closeRequested(ExitInterrupted); };
    TaskControl::watch(m_device.get(), this, [close](TaskControl::State state) {
        if (state == TaskControl::Idle)
            close();
    });
    if (const KVDeviceProperty *task = m_device->property_ptr("TASK"))
        connect(task, &KVDeviceProperty::valueChanged, this, [this, close] {
            if (TaskRecord::of(m_device.get()).ended())
                close();
        });
    QTimer::singleShot(m_requests->timeout(), this, close);
}

bool PanelWindow::startSimulator()
{
    if (!m_simulator) {
        auto simulator = std::make_unique<KvSimulator>(m_family);
        simulator->device()->setTimeScale(m_timeScale);
        QString error;
        if (!simulator->listenTcp(0, &error)) {
            addNote(tr("cannot start the simulator: %1").arg(error));
            return false;
        }
        m_simulator = std::move(simulator);
        addNote(tr("simulator listening on %1:%2").arg(QLatin1String(LoopbackAddress)).arg(m_simulator->tcpPort()));
    }
    m_connectionBar->showTarget(QLatin1String(LoopbackAddress), m_simulator->tcpPort());
    return true;
}

void PanelWindow::pointDeviceAt()
{
    LinkTarget target;
    target.kind = m_connectionBar->kind() == ConnectionBar::Usb ? LinkTarget::Usb : LinkTarget::Tcp;
    target.address = m_connectionBar->address();
    target.port = m_connectionBar->port();
    m_link->aim(target);
}

void PanelWindow::onMessage(KVDeviceInterface::KVDeviceMessage type, const QString &text)
{
    m_log->addMessage(type, text);
    m_jobBox->handleMessage(type, text);
}

int PanelWindow::linkState() const
{
    const KVDeviceProperty *status = m_device->property_ptr("STATUS");
    return status ? status->value().toInt() : KVDeviceInterface::DisConnected;
}

// The device connects only from the disconnected state; after a USB error it waits for the
// transport's disconnect report.
void PanelWindow::showLinkState()
{
    const int state = linkState();
    const bool connected = DeviceLink::isUpState(state);
    m_connectionBar->showState(statusName(state), m_link->lastStatus(), state == KVDeviceInterface::DisConnected);
    m_settings->setConnected(connected);
    m_machine->setConnected(connected);
    m_jobBox->setConnected(connected);
    m_jogPad->setConnected(connected);
}

void PanelWindow::addNote(const QString &text)
{
    m_log->addNote(text);
}
