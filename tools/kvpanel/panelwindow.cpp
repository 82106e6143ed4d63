#include "panelwindow.h"

#include "connectionbar.h"
#include "jobbox.h"
#include "jogpad.h"
#include "messagelog.h"
#include "recordrequests.h"
#include "settingspage.h"

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
constexpr int ExitInterrupted = 130;

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
    // The plotter confirms the stop with a stop notice or its last progress report.
    const auto close = [this] { Q_EMIT closeRequested(ExitInterrupted); };
    connect(m_device.get(), &KVDeviceInterface::message, this, [close](KVDeviceInterface::KVDeviceMessage type, const QString &text) {
        if (type == KVDeviceInterface::DevTasK && (text == QLatin1String("STOP") || text.startsWith(QLatin1String("66,0,"))))
            close();
    });
    QTimer::singleShot(m_requests->timeout(), this, close);
    m_jobBox->stop();
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

// The device takes USB when it knows a USB path at all, so the other kind's address goes.
void PanelWindow::pointDeviceAt()
{
    if (m_connectionBar->kind() == ConnectionBar::Usb) {
        forgetLinkRecord("TCP");
        m_device->setUSBPath(m_connectionBar->address());
        return;
    }
    forgetLinkRecord("USB");
    m_device->setIPAddress(m_connectionBar->address());
    if (KVDeviceProperty *port = m_device->property_ptr("TCP_PORT"))
        port->setValue(m_connectionBar->port());
}

void PanelWindow::forgetLinkRecord(const char *key)
{
    KVDeviceProperty *record = m_device->property_ptr(key);
    if (!record)
        return;
    m_device->setProperty(key, QVariant());
    delete record;
}

void PanelWindow::onMessage(KVDeviceInterface::KVDeviceMessage type, const QString &text)
{
    m_log->addMessage(type, text);
    m_jobBox->handleMessage(type, text);
    if (type == KVDeviceInterface::DevStatus && !text.startsWith(QLatin1String("WEB SOCKET"))) {
        m_lastLinkMessage = text;
        showLinkState();
    }
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
    const bool connected = state == KVDeviceInterface::Idle || state == KVDeviceInterface::Working
                           || state == KVDeviceInterface::Pause;
    m_connectionBar->showState(statusName(state), m_lastLinkMessage, state == KVDeviceInterface::DisConnected);
    m_settings->setConnected(connected);
    m_machine->setConnected(connected);
    m_jobBox->setConnected(connected);
    m_jogPad->setConnected(connected);
}

void PanelWindow::addNote(const QString &text)
{
    m_log->addNote(text);
}
