// The settings panel window, driven through its widgets against the plotter simulator in the same
// process, with the plug-in loaded the way the panel loads it.
#include "testdevice.h"
#include "connectionbar.h"
#include "jobbox.h"
#include "messagelog.h"
#include "panelwindow.h"
#include "plotpicture.h"
#include "pluginhost.h"
#include "recordrequests.h"
#include "plotfacts.h"
#include "settingspage.h"
#include "toollanguage.h"
#include "widgetprobe.h"

#include "kvdeviceproperty.h"
#include "simulator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTabBar>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>

using namespace WidgetProbe;

class tst_Panel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void connectsToTheSimulator();
    void refusedConnectionLeavesThePanelDisconnected();
    void pagesShowTheirRecords_data();
    void pagesShowTheirRecords();
    void labelsFollowTheSystemLanguage_data();
    void labelsFollowTheSystemLanguage();
    void readShowsTheDeviceValues_data();
    void readShowsTheDeviceValues();
    void readWithoutAnswerIsReported();
    void writeSendsEditedRecordsOnly_data();
    void writeSendsEditedRecordsOnly();
    void writeWithoutEditsSendsNothing();
    void jobRunsThroughEveryCopy_data();
    void jobRunsThroughEveryCopy();
    void jobPausesResumesAndStops();
    void closingStopsTheJobFirst();
    void family261ReachesItsSettings();
    void commandLine_data();
    void commandLine();
    void unreadablePlotFileIsRefused_data();
    void unreadablePlotFileIsRefused();
    void jogMovesTheHead_data();
    void jogMovesTheHead();
    void screenshotsOfEveryPage();

private:
    void connectToSimulator();
    void readPage(SettingsPage *page);
    QString writePlotFile(int sideMm, const char *label = nullptr);
    void saveScreenshot(int page, const QString &name);
    QString englishChrome() const;
    QStringList simulatorValue(const char *name) const;
    QString logText() const;
    SettingsPage *page(const QString &name) const;
    template <typename T>
    T *find(const QString &name) const;
    void click(const char *name) const;

    PluginHost host;
    PanelWindow *window = nullptr;
    QTemporaryDir scratch;
};

namespace {

// Whether the process has a handler for the signal (Linux: the SigCgt mask in /proc).
bool catchesSignal(qint64 pid, int signal)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
    }
    return false;
}

QString expectedTexts()
{
    const QString texts = qEnvironmentVariable("KV_EXPECTED_TEXTS");
    return texts.isEmpty() ? QStringLiteral("en_US") : texts;
}

} // namespace

void tst_Panel::initTestCase()
{
    ToolLanguage::install();
    QVERIFY2(host.load(QString()), qPrintable(host.errorString()));
    QVERIFY(scratch.isValid());
}

void tst_Panel::init()
{
    window = new PanelWindow(host.createDevice(583));
    window->setSimulatorTimeScale(0.1);
    window->setAnswerTimeout(3000);
    window->resize(960, 680);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void tst_Panel::cleanup()
{
    delete window;
    window = nullptr;
}

template <typename T>
T *tst_Panel::find(const QString &name) const
{
    T *found = window->findChild<T *>(name);
    if (!found)
        qWarning() << "no" << T::staticMetaObject.className() << name;
    return found;
}

SettingsPage *tst_Panel::page(const QString &name) const
{
    return name == QLatin1String("machine") ? window->machinePage() : window->settingsPage();
}

void tst_Panel::click(const char *name) const
{
    auto *button = find<QPushButton>(QString::fromLatin1(name));
    QVERIFY(button);
    QVERIFY2(button->isEnabled(), name);
    button->click();
}

void tst_Panel::connectToSimulator()
{
    window->connectionBar()->setKind(ConnectionBar::Simulator);
    click("connectButton");
    QVERIFY(window->simulator());
    QTRY_VERIFY(find<QLabel>(QStringLiteral("linkState"))->text().contains(QStringLiteral("TCP CONNECTED.")));
}

void tst_Panel::readPage(SettingsPage *settings)
{
    settings->findChild<QPushButton *>(QStringLiteral("readButton"))->click();
    QVERIFY(window->requests()->pendingCount() > 0);
    QTRY_COMPARE(window->requests()->pendingCount(), 0);
}

// A square of the given side, cut once around (4 × side mm of path), with a label inside.
QString tst_Panel::writePlotFile(int sideMm, const char *label)
{
    const int side = sideMm * 40; // plotter units of 1/40 mm
    const QString path = scratch.filePath(QStringLiteral("square%1.plt").arg(sideMm));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(QStringLiteral("IN;PU0,0;PD%1,0,%1,%1,0,%1,0,0;PU400,400;").arg(side).toLatin1());
    if (label)
        file.write(QByteArray("SI1,1.5;LB") + label + '\x03');
    return path;
}

QStringList tst_Panel::simulatorValue(const char *name) const
{
    return window->simulator()->device()->parameters().value(QString::fromLatin1(name));
}

QString tst_Panel::logText() const
{
    return window->messageLog()->toPlainText();
}

void tst_Panel::connectsToTheSimulator()
{
    QVERIFY(!find<QPushButton>(QStringLiteral("readButton"))->isEnabled());

    connectToSimulator();

    QCOMPARE(find<QLabel>(QStringLiteral("linkState"))->text(), QStringLiteral("Working \u2014 TCP CONNECTED."));
    QCOMPARE(find<QLineEdit>(QStringLiteral("address"))->text(), QStringLiteral("127.0.0.1"));
    QCOMPARE(find<QSpinBox>(QStringLiteral("port"))->value(), int(window->simulator()->tcpPort()));
    QVERIFY(!find<QPushButton>(QStringLiteral("connectButton"))->isEnabled());
    for (SettingsPage *settings : { window->settingsPage(), window->machinePage() }) {
        QVERIFY(settings->findChild<QPushButton *>(QStringLiteral("readButton"))->isEnabled());
        QVERIFY(settings->findChild<QPushButton *>(QStringLiteral("writeButton"))->isEnabled());
    }
    QVERIFY(logText().contains(QStringLiteral("status     TCP CONNECTED.")));
}

void tst_Panel::refusedConnectionLeavesThePanelDisconnected()
{
    window->connectionBar()->setKind(ConnectionBar::Tcp);
    window->connectionBar()->showTarget(QStringLiteral("127.0.0.1"), closedPort());

    click("connectButton");

    QTRY_COMPARE(find<QLabel>(QStringLiteral("linkState"))->text(), QStringLiteral("Disconnected \u2014 TCP DISCONNECTED."));
    QVERIFY(find<QPushButton>(QStringLiteral("connectButton"))->isEnabled());
    QVERIFY(!find<QPushButton>(QStringLiteral("readButton"))->isEnabled());
    QVERIFY(!find<QPushButton>(QStringLiteral("startButton"))->isEnabled());
}

void tst_Panel::pagesShowTheirRecords_data()
{
    QTest::addColumn<QString>("pageName");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("skipped");

    QTest::newRow("settings") << QStringLiteral("settings")
                              << QStringList{ "WORK_MODE", "PRESSURE", "SPEED", "CAMERA_OFFSET" } << QStringList{ "SCALE" };
    QTest::newRow("machine") << QStringLiteral("machine")
                             << QStringList{ "DEVICE_MODEL_NAME", "FIRMWARE", "DEVICE_ID", "PCB_ID", "PCB_VERSION" }
                             << QStringList();
}

void tst_Panel::pagesShowTheirRecords()
{
    QFETCH(QString, pageName);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, skipped);
    SettingsPage *settings = page(pageName);

    QCOMPARE(settings->shownKeys(), shown);
    QCOMPARE(settings->skippedKeys(), skipped);
    const QStringList labels = labelTexts(settings);
    for (const QString &key : shown) {
        const KVDeviceProperty *record = window->device()->property_ptr(key.toLatin1().constData());
        QVERIFY2(labels.contains(record->label()), qPrintable(key));
        QVERIFY2(settings->findChild<QWidget *>(key), qPrintable(key));
    }
    for (const QString &key : skipped)
        QVERIFY(logText().contains(QStringLiteral("%1 has no record on this device").arg(key)));
    // Before any read, the editors show the catalogue's values.
    QCOMPARE(shownValue(window->findChild<QLabel *>(QStringLiteral("DEVICE_MODEL_NAME"))),
             QVariant(QStringLiteral("520经济款单张机")));
    // What the device cannot take is not editable.
    QVERIFY(window->findChild<QLineEdit *>(QStringLiteral("FIRMWARE"))->isReadOnly());
    QVERIFY(!window->findChild<QLineEdit *>(QStringLiteral("DEVICE_ID"))->isReadOnly());
}

void tst_Panel::labelsFollowTheSystemLanguage_data()
{
    QTest::addColumn<QString>("pageName");
    QTest::addColumn<QString>("en_US");
    QTest::addColumn<QString>("ja_JP");
    QTest::addColumn<QString>("zh_CN");

    QTest::newRow("camera offset") << "settings" << "Camera offset" << "カメラオフセット" << "摄像头偏移";
    QTest::newRow("cut quality") << "settings" << "Cut quality" << "切断品質" << "切割质量";
    QTest::newRow("firmware") << "machine" << "Firmware version" << "ファームウェアバージョン" << "固件版本";
}

void tst_Panel::labelsFollowTheSystemLanguage()
{
    QFETCH(QString, pageName);
    QFETCH(QString, en_US);
    QFETCH(QString, ja_JP);
    QFETCH(QString, zh_CN);
    const QString expected = expectedTexts() == QLatin1String("ja_JP") ? ja_JP : expectedTexts() == QLatin1String("zh_CN") ? zh_CN : en_US;

    QVERIFY2(labelTexts(page(pageName)).contains(expected), qPrintable(labelTexts(page(pageName)).join(u'|')));
}

void tst_Panel::readShowsTheDeviceValues_data()
{
    QTest::addColumn<QString>("pageName");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("before");
    QTest::addColumn<QVariant>("after");

    QTest::newRow("speed") << "settings" << "SPEED" << QVariant(10) << QVariant(300);
    QTest::newRow("pressure") << "settings" << "PRESSURE" << QVariant(0) << QVariant(120);
    QTest::newRow("work mode") << "settings" << "WORK_MODE" << QVariant(0) << QVariant(1);
    QTest::newRow("camera offset x") << "settings" << "CAMERA_OFFSET_X" << QVariant(0.0) << QVariant(12.5);
    QTest::newRow("camera offset y") << "settings" << "CAMERA_OFFSET_Y" << QVariant(0.0) << QVariant(-3.25);
    QTest::newRow("firmware") << "machine" << "FIRMWARE" << QVariant(QString()) << QVariant(QStringLiteral("V2.3.1-sim"));
    QTest::newRow("device id") << "machine" << "DEVICE_ID" << QVariant(QString()) << QVariant(QStringLiteral("KV520-000001"));
    QTest::newRow("pcb version") << "machine" << "PCB_VERSION" << QVariant(QString()) << QVariant(QStringLiteral("V1.2"));
    QTest::newRow("model name, nothing to read") << "machine" << "DEVICE_MODEL_NAME" << QVariant(QStringLiteral("520经济款单张机"))
                                                 << QVariant(QStringLiteral("520经济款单张机"));
}

void tst_Panel::readShowsTheDeviceValues()
{
    QFETCH(QString, pageName);
    QFETCH(QString, key);
    QFETCH(QVariant, before);
    QFETCH(QVariant, after);
    QObject *control = page(pageName)->findChild<QWidget *>(key);
    QVERIFY(control);
    QCOMPARE(shownValue(control), before);
    connectToSimulator();

    readPage(page(pageName));

    QCOMPARE(shownValue(control), after);
}

void tst_Panel::readWithoutAnswerIsReported()
{
    connectToSimulator();
    window->setAnswerTimeout(200);
    window->simulator()->faults().silentAfter = 0;

    readPage(window->settingsPage());

    QVERIFY(logText().contains(QStringLiteral("SPEED: no answer to the read within 0.2 s")));
    QCOMPARE(shownValue(window->findChild<QSpinBox *>(QStringLiteral("SPEED"))), QVariant(10));
}

void tst_Panel::writeSendsEditedRecordsOnly_data()
{
    QTest::addColumn<QString>("pageName");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QStringList>("stored");

    QTest::newRow("speed") << "settings" << "SPEED" << QVariant(450) << QByteArray("CCMD;6,0,450;") << "SPEED"
                           << QStringList{ "450" };
    QTest::newRow("pressure") << "settings" << "PRESSURE" << QVariant(200) << QByteArray("CCMD;8,0,200;") << "PRESSURE"
                              << QStringList{ "200" };
    QTest::newRow("work mode") << "settings" << "WORK_MODE" << QVariant(2) << QByteArray("CCMD;23,2;") << "WORK_MODE"
                               << QStringList{ "2" };
    QTest::newRow("one member of the camera offset") << "settings" << "CAMERA_OFFSET_Y" << QVariant(7.75)
                                                     << QByteArray("CCMD;17,12.5,7.75;") << "CAMERA_OFFSET"
                                                     << QStringList{ "12.5", "7.75" };
    QTest::newRow("device id") << "machine" << "DEVICE_ID" << QVariant(QStringLiteral("KV520-000777"))
                               << QByteArray("CCMD;44,KV520-000777;") << "DEVICE_ID" << QStringList{ "KV520-000777" };
}

void tst_Panel::writeSendsEditedRecordsOnly()
{
    QFETCH(QString, pageName);
    QFETCH(QString, key);
    QFETCH(QVariant, input);
    QFETCH(QByteArray, frame);
    QFETCH(QString, parameter);
    QFETCH(QStringList, stored);
    connectToSimulator();
    readPage(page(pageName));
    QSignalSpy received(window->simulator(), &KvSimulator::frameReceived);

    edit(page(pageName)->findChild<QWidget *>(key), input);
    page(pageName)->findChild<QPushButton *>(QStringLiteral("writeButton"))->click();

    QTRY_COMPARE(simulatorValue(parameter.toLatin1().constData()), stored);
    QTRY_COMPARE(window->requests()->pendingCount(), 0);
    QCOMPARE(received.count(), 1);
    QVERIFY2(received.at(0).at(0).toByteArray().contains(frame), received.at(0).at(0).toByteArray().constData());
    QVERIFY(logText().contains(QStringLiteral("%1 write: ").arg(key.startsWith(QLatin1String("CAMERA")) ? QStringLiteral("CAMERA_OFFSET") : key)));
}

void tst_Panel::writeWithoutEditsSendsNothing()
{
    connectToSimulator();
    readPage(window->settingsPage());
    QSignalSpy received(window->simulator(), &KvSimulator::frameReceived);

    window->settingsPage()->findChild<QPushButton *>(QStringLiteral("writeButton"))->click();

    QCOMPARE(window->requests()->pendingCount(), 0);
    QVERIFY(logText().contains(QStringLiteral("nothing was edited, nothing written")));
    QCOMPARE(received.count(), 0);
}

void tst_Panel::jobRunsThroughEveryCopy_data()
{
    QTest::addColumn<bool>("qrCode");
    QTest::newRow("plot file") << false;
    QTest::newRow("QR code") << true;
}

void tst_Panel::jobRunsThroughEveryCopy()
{
    QFETCH(bool, qrCode);
    connectToSimulator();
    find<QCheckBox>(QStringLiteral("qrCode"))->setChecked(qrCode);
    QVERIFY(!find<QPushButton>(QStringLiteral("startButton"))->isEnabled()); // no plot yet
    QVERIFY(window->jobBox()->openPlotFile(writePlotFile(100)));
    find<QSpinBox>(QStringLiteral("copies"))->setValue(2);
    auto *progress = find<QProgressBar>(QStringLiteral("progress"));
    QSignalSpy moved(progress, &QProgressBar::valueChanged);

    click("startButton");

    QTRY_COMPARE_WITH_TIMEOUT(find<QLabel>(QStringLiteral("copyCounter"))->text(), QStringLiteral("2 / 2"), 15000);
    QTRY_COMPARE(window->jobBox()->state(), JobBox::State::Idle);
    QCOMPARE(find<QLabel>(QStringLiteral("jobStatus"))->text(), QStringLiteral("done"));
    QCOMPARE(progress->value(), 100);
    QList<int> values;
    for (const QList<QVariant> &change : std::as_const(moved))
        values << change.at(0).toInt();
    QVERIFY2(std::any_of(values.cbegin(), values.cend(), [](int v) { return v > 0 && v < 100; }), "no progress between 0 and 100");
    QVERIFY2(std::is_sorted(values.cbegin(), values.cend()), "progress went backwards");
    QCOMPARE(simulatorValue("TASK_MODE"), QStringList{ qrCode ? "1" : "0" });
    QCOMPARE(simulatorValue("TASK_COPIES"), QStringList{ "2" });
    QCOMPARE(window->simulator()->device()->copiesFinished(), 2);
    QVERIFY(logText().contains(QStringLiteral("job done: 2 of 2 copies")));
    QVERIFY(find<QPushButton>(QStringLiteral("startButton"))->isEnabled()); // ready for the next job
}

void tst_Panel::jobPausesResumesAndStops()
{
    window->setSimulatorTimeScale(1.0); // one copy takes seconds: time to pause it
    connectToSimulator();
    QVERIFY(window->jobBox()->openPlotFile(writePlotFile(500)));
    KvSimDevice *plotter = window->simulator()->device();

    click("startButton");
    QTRY_COMPARE(plotter->jobState(), KvSimDevice::JobState::Cutting);
    QTRY_COMPARE(window->jobBox()->state(), JobBox::State::Running);

    click("pauseButton");
    QTRY_COMPARE(plotter->jobState(), KvSimDevice::JobState::Paused);
    QTRY_COMPARE(window->jobBox()->state(), JobBox::State::Paused);
    QVERIFY(find<QPushButton>(QStringLiteral("resumeButton"))->isEnabled());
    QVERIFY(!find<QPushButton>(QStringLiteral("pauseButton"))->isEnabled());

    click("resumeButton");
    QTRY_COMPARE(plotter->jobState(), KvSimDevice::JobState::Cutting);
    QTRY_COMPARE(window->jobBox()->state(), JobBox::State::Running);

    click("stopButton");
    QTRY_COMPARE(plotter->jobState(), KvSimDevice::JobState::Idle);
    QCOMPARE(window->jobBox()->state(), JobBox::State::Idle);
    QCOMPARE(find<QLabel>(QStringLiteral("jobStatus"))->text(), QStringLiteral("stopped"));
    QTRY_VERIFY(logText().contains(QStringLiteral("task       STOP")));
    QCOMPARE(plotter->copiesFinished(), 0);
    // The device's last report of the stopped job does not bring the job back.
    QCOMPARE(window->jobBox()->state(), JobBox::State::Idle);
    QVERIFY(find<QPushButton>(QStringLiteral("startButton"))->isEnabled());
}

// Closing on a signal stops the job on the plotter before the panel goes.
void tst_Panel::closingStopsTheJobFirst()
{
    window->setSimulatorTimeScale(1.0);
    connectToSimulator();
    QVERIFY(window->jobBox()->openPlotFile(writePlotFile(500)));
    click("startButton");
    QTRY_COMPARE(window->simulator()->device()->jobState(), KvSimDevice::JobState::Cutting);
    QSignalSpy closing(window, &PanelWindow::closeRequested);

    window->shutDown();

    QVERIFY(closing.wait());
    QCOMPARE(closing.first().first().toInt(), 130);
    QCOMPARE(window->simulator()->device()->jobState(), KvSimDevice::JobState::Idle);
}

// The 261 dialect's optional groups are there, and what cannot be read is said, not waited for.
void tst_Panel::family261ReachesItsSettings()
{
    delete window;
    window = new PanelWindow(host.createDevice(261), 261);
    window->setAnswerTimeout(3000);
    connectToSimulator();
    QCOMPARE(window->settingsPage()->shownKeys(), (QStringList{ "WORK_MODE", "CAMERA_OFFSET", "SP1", "SP2" }));
    QElapsedTimer clock;
    clock.start();

    readPage(window->settingsPage());

    QVERIFY(clock.elapsed() < 3000);
    QCOMPARE(shownValue(window->findChild<QSpinBox *>(QStringLiteral("SP1_SPEED"))), QVariant(300));
    QVERIFY(logText().contains(QStringLiteral("WORK_MODE cannot be read: answers with code 27")));
}

void tst_Panel::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("plug-in missing") << QStringList{ "--plugin", "/nonexistent/libKV.so" } << 3 << "plug-in not found";
    QTest::newRow("time scale not a number") << QStringList{ "--time-scale", "abc" } << 2 << "--time-scale takes a factor";
    QTest::newRow("family") << QStringList{ "--family", "999" } << 2 << "--family takes 583 or 261";
    QTest::newRow("language not shipped") << QStringList{ "--lang", "xx_YY" } << 2 << "--lang takes one of";
    QTest::newRow("SIGTERM") << QStringList{ "--simulate", "@term" } << 130 << "";
}

void tst_Panel::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const bool terminate = arguments.removeAll(QStringLiteral("@term")) > 0;
    QProcess panel;
    panel.setProcessChannelMode(QProcess::SeparateChannels);
    panel.start(qEnvironmentVariable("KVPANEL"), arguments);
    QVERIFY(panel.waitForStarted());
    if (terminate) {
        QTRY_VERIFY_WITH_TIMEOUT(catchesSignal(panel.processId(), SIGTERM), 10000);
        panel.terminate();
    }
    QVERIFY(panel.waitForFinished(20000));
    QCOMPARE(panel.exitStatus(), QProcess::NormalExit);
    QVERIFY2(panel.readAllStandardError().contains(message.toUtf8()), qPrintable(message));
    QCOMPARE(panel.exitCode(), exitCode);
}

void tst_Panel::unreadablePlotFileIsRefused_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("complaint");

    QTest::newRow("missing") << false << QByteArray() << "Plot file not found";
    QTest::newRow("empty") << true << QByteArray() << "is empty";
    QTest::newRow("not text") << true << QByteArray(100, '\x01') << "it is not text";
}

void tst_Panel::unreadablePlotFileIsRefused()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, content);
    QFETCH(QString, complaint);
    const QString path = scratch.filePath(QStringLiteral("bad-%1.plt").arg(QString::fromLatin1(QTest::currentDataTag())));
    if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    connectToSimulator();

    QVERIFY(!window->jobBox()->openPlotFile(path));

    QVERIFY2(logText().contains(complaint), qPrintable(logText()));
    QVERIFY(!find<QPushButton>(QStringLiteral("startButton"))->isEnabled());
}

void tst_Panel::jogMovesTheHead_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QStringList>("move");

    QTest::newRow("first axis +") << QByteArray("jogFirstPlus") << QStringList{ "0", "0", "-80", "0" };
    QTest::newRow("first axis -") << QByteArray("jogFirstMinus") << QStringList{ "0", "0", "80", "0" };
    QTest::newRow("second axis +") << QByteArray("jogSecondPlus") << QStringList{ "0", "0", "0", "80" };
    QTest::newRow("second axis -") << QByteArray("jogSecondMinus") << QStringList{ "0", "0", "0", "-80" };
}

void tst_Panel::jogMovesTheHead()
{
    QFETCH(QByteArray, button);
    QFETCH(QStringList, move);
    connectToSimulator();

    click(button.constData());

    QTRY_COMPARE(simulatorValue("MOVE"), move);
}

// Pictures of the panel for people to look at, the Job page before, half way through and after a
// job. The picture of the plot follows the device's progress reports: the share of the copy's
// travel that is cut is the task record's percent.
void tst_Panel::screenshotsOfEveryPage()
{
    window->setSimulatorTimeScale(1.0); // a copy takes seconds: time to look half way
    connectToSimulator();
    readPage(window->settingsPage());
    readPage(window->machinePage());
    QVERIFY(window->jobBox()->openPlotFile(writePlotFile(100, "KV")));
    QCOMPARE(shownValue(window->findChild<QLineEdit *>(QStringLiteral("FIRMWARE"))), QVariant(QStringLiteral("V2.3.1-sim")));
    QCOMPARE(find<QLabel>(QStringLiteral("plotSize"))->text(), QStringLiteral("100.0 x 100.0 mm"));
    QCOMPARE(find<QLabel>(QStringLiteral("plotLabels"))->text(), PlotFacts::tr("%1, cut as the outline of their text").arg(1));
    QVERIFY(find<QLabel>(QStringLiteral("plotTime"))->text().contains(QStringLiteral(" 300 mm/s")));
    auto *picture = find<PlotPicture>(QStringLiteral("plotPicture"));
    QCOMPARE(picture->cutShare(), -1.0);
    const QStringList names{ QStringLiteral("settings"), QStringLiteral("machine"), QStringLiteral("job") };
    QCOMPARE(window->pages()->count(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        saveScreenshot(i, names.at(i));
        QCOMPARE(englishChrome(), QString());
    }

    QList<QPair<int, double>> seen; // the record's percent and the picture's share, at each report
    connect(window->device(), &KVDeviceInterface::message, this, [&](KVDeviceInterface::KVDeviceMessage type, const QString &text) {
        const QJsonObject task = window->device()->property_ptr("TASK")->value().toJsonObject();
        if (type != KVDeviceInterface::DevTasK || !text.startsWith(QLatin1String("66,2,")))
            return;
        seen.append({ task.value(QLatin1String("Percent")).toInt(), picture->cutShare() });
        if (seen.last().first == 50)
            saveScreenshot(2, QStringLiteral("job-halfway"));
    });
    click("startButton");
    QTRY_COMPARE_WITH_TIMEOUT(find<QLabel>(QStringLiteral("jobStatus"))->text(), JobBox::tr("done"), 15000);

    QCOMPARE(find<QLabel>(QStringLiteral("copyCounter"))->text(), QStringLiteral("1 / 1"));
    QCOMPARE(picture->cutShare(), 1.0);
    saveScreenshot(2, QStringLiteral("job-done"));
    QCOMPARE(englishChrome(), QString());
    QVERIFY(seen.size() >= 3 && seen.first().first == 0);
    QVERIFY(std::any_of(seen.cbegin(), seen.cend(), [](const QPair<int, double> &at) { return at.first == 50; }));
    for (const auto &[percent, share] : std::as_const(seen))
        QCOMPARE(share, percent / 100.0);
}

void tst_Panel::saveScreenshot(int page, const QString &name)
{
    const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots"));
    QVERIFY(folder.mkpath(QStringLiteral(".")));
    window->pages()->setCurrentIndex(page);
    const QPixmap shot = window->grab();
    const QString path = folder.filePath(QStringLiteral("%1-%2.png").arg(name, QLocale::system().name()));
    QVERIFY2(shot.save(path), qPrintable(path));
}

// In Chinese and Japanese the panel's own texts hold no English words: key names, units,
// abbreviations, file names and product names may stay. The records' editors are the plug-in's.
QString tst_Panel::englishChrome() const
{
    if (expectedTexts() == QLatin1String("en_US"))
        return QString();
    const auto inRecordEditors = [](const QWidget *widget) {
        for (const QWidget *up = widget->parentWidget(); up; up = up->parentWidget()) {
            if (qobject_cast<const QScrollArea *>(up))
                return true;
        }
        return false;
    };
    QStringList texts{ window->windowTitle() };
    for (const QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisible() || inRecordEditors(widget))
            continue;
        if (const auto *label = qobject_cast<const QLabel *>(widget))
            texts << label->text();
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            texts << button->text();
        if (const auto *box = qobject_cast<const QGroupBox *>(widget))
            texts << box->title();
        if (const auto *edit = qobject_cast<const QLineEdit *>(widget))
            texts << edit->placeholderText();
        if (const auto *tabs = qobject_cast<const QTabBar *>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        }
    }
    // A word of three letters or more that is not all capitals or part of a file name; the names of
    // the program and of the font labels are cut in may stay.
    static const QRegularExpression english(QStringLiteral("(?<![\\w.-])[A-Za-z]*[a-z][A-Za-z]{2,}(?![\\w.-])"));
    const auto found = std::find_if(texts.cbegin(), texts.cend(), [](QString text) {
        return english.match(text.remove(QLatin1String("kvpanel")).remove(QLatin1String("DejaVu Sans"))).hasMatch();
    });
    return found == texts.cend() ? QString() : *found;
}

QTEST_MAIN(tst_Panel)
#include "tst_panel.moc"
