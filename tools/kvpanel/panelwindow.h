#ifndef KVPANEL_PANELWINDOW_H
#define KVPANEL_PANELWINDOW_H

#include "kvdeviceinterface.h"

#include <QMainWindow>

#include <memory>

class ConnectionBar;
class DeviceLink;
class JobBox;
class JogPad;
class KvSimulator;
class MessageLog;
class QTabWidget;
class RecordRequests;
class SettingsPage;

// The settings panel of one plotter: the connection bar, the "Settings" page (the device's user
// properties), the "Machine" page (its system properties), the "Job" page (a cutting job and the
// jog pad) and the log of the device's messages.
class PanelWindow : public QMainWindow
{
    Q_OBJECT
public:
    // Takes over `device`, a device object of the plug-in of the command dialect `family`.
    explicit PanelWindow(KVDeviceInterface *device, int family = 583, QWidget *parent = nullptr);
    ~PanelWindow() override;

    // The simulator's cutting time factor (1 = real time), used when it starts.
    void setSimulatorTimeScale(double scale) { m_timeScale = scale; }
    // How long a read or write waits for the device's answer.
    void setAnswerTimeout(int ms);

    // Connects to where the connection bar points.
    void connectDevice();
    // Ctrl-C, SIGTERM or SIGHUP: a job under way is stopped on the plotter first; then
    // closeRequested(130).
    void shutDown();

    KVDeviceInterface *device() const { return m_device.get(); }
    KvSimulator *simulator() const { return m_simulator.get(); }
    ConnectionBar *connectionBar() const { return m_connectionBar; }
    QTabWidget *pages() const { return m_pages; }
    SettingsPage *settingsPage() const { return m_settings; }
    SettingsPage *machinePage() const { return m_machine; }
    JobBox *jobBox() const { return m_jobBox; }
    MessageLog *messageLog() const { return m_log; }
    RecordRequests *requests() const { return m_requests; }

Q_SIGNALS:
    void closeRequested(int exitCode);

private:
    bool startSimulator();
    void pointDeviceAt();
    void onMessage(KVDeviceInterface::KVDeviceMessage type, const QString &text);
    void showLinkState();
    int linkState() const;
    void addNote(const QString &text);

    std::unique_ptr<KVDeviceInterface> m_device;
    std::unique_ptr<KvSimulator> m_simulator;
    int m_family;
    double m_timeScale = 1.0;
    bool m_closing = false;

    DeviceLink *m_link;
    RecordRequests *m_requests;
    ConnectionBar *m_connectionBar;
    QTabWidget *m_pages;
    SettingsPage *m_settings;
    SettingsPage *m_machine;
    JobBox *m_jobBox;
    JogPad *m_jogPad;
    MessageLog *m_log;
};

#endif // KVPANEL_PANELWINDOW_H
