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

#include "simulator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QGroupBox>
#include <QProcess>
#include <QScrollArea>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <utility>

using namespace WidgetProbe;

class tst_Panel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup() { delete std::exchange(window, nullptr); }

    void connectionStateIsShown();
    void pagesShowTheCatalogue();
    void readShowsTheDeviceValues_data();
    void readShowsTheDeviceValues();
    void writeSendsEditedRecordsOnly_data();
    void writeSendsEditedRecordsOnly();
    void jobRunsThroughEveryCopy_data();
    void jobRunsThroughEveryCopy();
    void jobIsStopped_data();
    void jobIsStopped();
    void screenshotsOfEveryPage();
    void commandLine_data();
    void commandLine();

private:
    void connectToSimulator();
    void readPage(SettingsPage *page);
    QString writePlotFile(int sideMm, const char *label = nullptr);
    void saveScreenshot(int page, const QString &name);
    QStringList simulatorValue(const char *name) const { return window->simulator()->device()->parameters().value(QString::fromLatin1(name)); }
    QString logText() const { return window->messageLog()->toPlainText(); }
    QString text(const char *label) const { return find<QLabel>(label)->text(); }
    SettingsPage *page(const QString &name) const { return name == "machine" ? window->machinePage() : window->settingsPage(); }
    template <typename T>
    T *find(const char *name) const { return window->findChild<T *>(QString::fromLatin1(name)); }
    void click(const char *name) const;

    PluginHost host;
    PanelWindow *window = nullptr;
    QTemporaryDir scratch;
};

namespace {

// The language the panel is to show: en_US, ja_JP or zh_CN.
// The signals a process has handlers for, from /proc.
quint64 caughtSignals(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return line.mid(7).trimmed().toULongLong(nullptr, 16);
    }
    return 0;
}

QString expectedTexts()
{
    return qEnvironmentVariable("KV_EXPECTED_TEXTS", QStringLiteral("en_US"));
}

// An edit on a page and what it makes the device keep: the frame sent and the parameter stored.
struct Write { QString pageName, key; QVariant input; QByteArray frame; QString parameter; QStringList stored; };

} // namespace

Q_DECLARE_METATYPE(Write)

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

void tst_Panel::click(const char *name) const
{
    auto *button = find<QPushButton>(name);
    QVERIFY(button);
    QVERIFY2(button->isEnabled(), name);
    button->click();
}

void tst_Panel::connectToSimulator()
{
    window->connectionBar()->setKind(ConnectionBar::Simulator);
    click("connectButton");
    QVERIFY(window->simulator());
    QTRY_VERIFY(text("linkState").contains(QStringLiteral("TCP CONNECTED.")));
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

// Refused first, then connected to the simulator from the same window, whose jog pad then moves
// the head.
void tst_Panel::connectionStateIsShown()
{
    QVERIFY(!find<QPushButton>("readButton")->isEnabled());
    window->connectionBar()->setKind(ConnectionBar::Tcp);
    window->connectionBar()->showTarget(QStringLiteral("127.0.0.1"), closedPort());
    click("connectButton");
    QTRY_COMPARE(text("linkState"), QStringLiteral("Disconnected \u2014 TCP DISCONNECTED."));
    QVERIFY(!find<QPushButton>("readButton")->isEnabled());

    connectToSimulator();

    QCOMPARE(text("linkState"), QStringLiteral("Working \u2014 TCP CONNECTED."));
    QCOMPARE(shownValue(find<QWidget>("port")), QVariant(int(window->simulator()->tcpPort())));
    QVERIFY(logText().contains(QStringLiteral("status     TCP CONNECTED.")));
    QVERIFY(!find<QPushButton>("connectButton")->isEnabled());
    for (SettingsPage *settings : { window->settingsPage(), window->machinePage() })
        QVERIFY(settings->findChild<QPushButton *>(QStringLiteral("writeButton"))->isEnabled());

    // Each button of the jog pad moves the head one step along its axis.
    const std::pair<const char *, QStringList> moves[] = { { "jogFirstPlus", { "0", "0", "-80", "0" } },
                                                           { "jogFirstMinus", { "0", "0", "80", "0" } },
                                                           { "jogSecondPlus", { "0", "0", "0", "80" } },
                                                           { "jogSecondMinus", { "0", "0", "0", "-80" } } };
    for (const auto &[button, move] : moves) {
        click(button);
        QTRY_COMPARE(simulatorValue("MOVE"), move);
    }
}

// Every key of the device's lists is shown by its record's editor, or said to have no record;
// what the device cannot take is not editable.
void tst_Panel::pagesShowTheCatalogue()
{
    KVDeviceInterface *device = window->device();
    for (auto [settings, keys] : { std::pair(window->settingsPage(), device->userProperty()), std::pair(window->machinePage(), device->sysProperty()) }) {
        QStringList listed = settings->shownKeys() + settings->skippedKeys();
        listed.sort();
        keys.sort();
        QCOMPARE(listed, keys);
        for (const QString &key : settings->shownKeys()) {
            const QString label = device->property_ptr(key.toLatin1().constData())->label();
            QVERIFY2(labelTexts(settings).contains(label) && settings->findChild<QWidget *>(key), qPrintable(key));
        }
        for (const QString &key : settings->skippedKeys())
            QVERIFY(logText().contains(QStringLiteral("%1 has no record on this device").arg(key)));
    }
    QVERIFY(find<QWidget>("FIRMWARE")->property("readOnly").toBool());
    QVERIFY(!find<QWidget>("DEVICE_ID")->property("readOnly").toBool());
}

void tst_Panel::readShowsTheDeviceValues_data()
{
    QTest::addColumn<bool>("silent");
    QTest::newRow("answered") << false;
    QTest::newRow("no answer") << true;
}

// The device's values, set in the simulator, reach the editors of both pages; a record with
// nothing to read keeps what it shows, and so does every record the device does not answer for.
void tst_Panel::readShowsTheDeviceValues()
{
    QFETCH(bool, silent);
    connectToSimulator();
    window->setAnswerTimeout(200);
    window->simulator()->faults().silentAfter = silent ? 0 : -1;
    KvSimParameters &plotter = window->simulator()->device()->parameters();
    plotter.setValue(QStringLiteral("SPEED"), { QStringLiteral("345") });
    plotter.setValue(QStringLiteral("WORK_MODE"), { QStringLiteral("2") });
    plotter.setValue(QStringLiteral("CAMERA_OFFSET"), { QStringLiteral("-7.5"), QStringLiteral("3.25") });
    plotter.setValue(QStringLiteral("FIRMWARE"), { QStringLiteral("V9.8.7-test") });
    std::pair<const char *, QVariant> shown[] = { { "SPEED", 345 }, { "WORK_MODE", 2 }, { "CAMERA_OFFSET_X", -7.5 },
                                                  { "CAMERA_OFFSET_Y", 3.25 }, { "FIRMWARE", QStringLiteral("V9.8.7-test") },
                                                  { "DEVICE_MODEL_NAME", shownValue(find<QWidget>("DEVICE_MODEL_NAME")) } };
    for (auto &[key, value] : shown)
        value = silent ? shownValue(find<QWidget>(key)) : value;

    readPage(window->settingsPage());
    readPage(window->machinePage());

    for (const auto &[key, value] : shown)
        QCOMPARE(shownValue(find<QWidget>(key)), value);
    QCOMPARE(logText().contains(QStringLiteral("SPEED: no answer to the read within 0.2 s")), silent);
}

void tst_Panel::writeSendsEditedRecordsOnly_data()
{
    QTest::addColumn<Write>("write");
    QTest::newRow("speed") << Write{ "settings", "SPEED", 450, "CCMD;6,0,450;", "SPEED", { "450" } };
    QTest::newRow("work mode") << Write{ "settings", "WORK_MODE", 2, "CCMD;23,2;", "WORK_MODE", { "2" } };
    QTest::newRow("one member of the camera offset")
        << Write{ "settings", "CAMERA_OFFSET_Y", 7.75, "CCMD;17,12.5,7.75;", "CAMERA_OFFSET", { "12.5", "7.75" } };
    QTest::newRow("device id") << Write{ "machine", "DEVICE_ID", QStringLiteral("KV520-000777"), "CCMD;44,KV520-000777;", "DEVICE_ID", { "KV520-000777" } };
    QTest::newRow("nothing edited") << Write{ "settings", {}, {}, {}, {}, {} };
}

void tst_Panel::writeSendsEditedRecordsOnly()
{
    QFETCH(Write, write);
    const auto &[pageName, key, input, frame, parameter, stored] = write;
    connectToSimulator();
    readPage(page(pageName));
    QSignalSpy received(window->simulator(), &KvSimulator::frameReceived);

    if (!key.isEmpty())
        edit(page(pageName)->findChild<QWidget *>(key), input);
    page(pageName)->findChild<QPushButton *>(QStringLiteral("writeButton"))->click();

    QTRY_COMPARE(window->requests()->pendingCount(), 0);
    if (key.isEmpty()) {
        QVERIFY(logText().contains(QStringLiteral("nothing was edited, nothing written")));
        QCOMPARE(received.count(), 0);
        return;
    }
    QCOMPARE(simulatorValue(parameter.toLatin1().constData()), stored);
    QCOMPARE(received.count(), 1);
    QVERIFY2(received.at(0).at(0).toByteArray().contains(frame), received.at(0).at(0).toByteArray().constData());
    QVERIFY(logText().contains(parameter + QStringLiteral(" write: ")));
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
    find<QWidget>("qrCode")->setProperty("checked", qrCode);
    QVERIFY(!window->jobBox()->openPlotFile(scratch.filePath(QStringLiteral("missing.plt"))));
    QVERIFY(logText().contains(QStringLiteral("Plot file not found")));
    QVERIFY(!find<QPushButton>("startButton")->isEnabled()); // no plot yet
    QVERIFY(window->jobBox()->openPlotFile(writePlotFile(100)));
    edit(find<QWidget>("copies"), 2);
    QSignalSpy moved(find<QProgressBar>("progress"), &QProgressBar::valueChanged);

    click("startButton");

    QTRY_COMPARE_WITH_TIMEOUT(text("copyCounter"), QStringLiteral("2 / 2"), 15000);
    QTRY_COMPARE(window->jobBox()->state(), JobBox::State::Idle);
    QCOMPARE(text("jobStatus"), QStringLiteral("done"));
    QList<int> values;
    for (const QList<QVariant> &change : std::as_const(moved))
        values << change.at(0).toInt();
    QVERIFY2(std::any_of(values.cbegin(), values.cend(), [](int v) { return v > 0 && v < 100; }), "no progress between 0 and 100");
    QVERIFY2(std::is_sorted(values.cbegin(), values.cend()) && values.last() == 100, "progress went backwards or stopped short");
    QCOMPARE(simulatorValue("TASK_MODE"), QStringList{ qrCode ? "1" : "0" });
    QCOMPARE(simulatorValue("TASK_COPIES"), QStringList{ "2" });
    QCOMPARE(window->simulator()->device()->copiesFinished(), 2);
    QVERIFY(logText().contains(QStringLiteral("job done: 2 of 2 copies")));
    QVERIFY(find<QPushButton>("startButton")->isEnabled()); // ready for the next job
}

void tst_Panel::jobIsStopped_data()
{
    QTest::addColumn<bool>("closing");
    QTest::newRow("paused, resumed and stopped") << false;
    QTest::newRow("the panel closing on a signal") << true;
}

// A job under way is paused, resumed and stopped on the plotter; closing on a signal stops it
// on the plotter before the panel goes.
void tst_Panel::jobIsStopped()
{
    QFETCH(bool, closing);
    window->setSimulatorTimeScale(1.0); // one copy takes seconds: time to pause it
    connectToSimulator();
    QVERIFY(window->jobBox()->openPlotFile(writePlotFile(500)));
    KvSimDevice *plotter = window->simulator()->device();
    click("startButton");
    QTRY_COMPARE(plotter->jobState(), KvSimDevice::JobState::Cutting);
    QTRY_COMPARE(window->jobBox()->state(), JobBox::State::Running);

    if (closing) {
        QSignalSpy closeRequested(window, &PanelWindow::closeRequested);
        window->shutDown();
        QVERIFY(closeRequested.wait());
        QCOMPARE(closeRequested.first().first().toInt(), 130);
        QCOMPARE(plotter->jobState(), KvSimDevice::JobState::Idle);
        return;
    }
    click("pauseButton");
    QTRY_COMPARE(plotter->jobState(), KvSimDevice::JobState::Paused);
    QTRY_COMPARE(window->jobBox()->state(), JobBox::State::Paused);
    QVERIFY(!find<QPushButton>("pauseButton")->isEnabled());
    click("resumeButton");
    QTRY_COMPARE(plotter->jobState(), KvSimDevice::JobState::Cutting);
    QTRY_COMPARE(window->jobBox()->state(), JobBox::State::Running);
    click("stopButton");
    QTRY_COMPARE(plotter->jobState(), KvSimDevice::JobState::Idle);
    QTRY_VERIFY(logText().contains(QStringLiteral("task       STOP")));
    // The device's last report of the stopped job does not bring the job back.
    QCOMPARE(window->jobBox()->state(), JobBox::State::Idle);
    QCOMPARE(text("jobStatus"), QStringLiteral("stopped"));
    QCOMPARE(plotter->copiesFinished(), 0);
    QVERIFY(find<QPushButton>("startButton")->isEnabled());
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
    QCOMPARE(text("plotSize"), QStringLiteral("100.0 x 100.0 mm"));
    QCOMPARE(text("plotLabels"), PlotFacts::tr("%1, cut as the outline of their text").arg(1));
    QVERIFY(text("plotTime").contains(QStringLiteral(" 300 mm/s")));
    auto *picture = find<PlotPicture>("plotPicture");
    QCOMPARE(picture->cutShare(), -1.0);
    const QStringList names{ QStringLiteral("settings"), QStringLiteral("machine"), QStringLiteral("job") };
    QCOMPARE(window->pages()->count(), names.size());
    const int language = std::max<int>(0, QStringList{ "en_US", "ja_JP", "zh_CN" }.indexOf(expectedTexts()));
    QVERIFY(labelTexts(window->settingsPage()).contains(QStringList{ "Camera offset", "カメラオフセット", "摄像头偏移" }.at(language)));
    QVERIFY(labelTexts(window->machinePage()).contains(QStringList{ "Firmware version", "ファームウェアバージョン", "固件版本" }.at(language)));
    for (int i = 0; i < names.size(); ++i)
        saveScreenshot(i, names.at(i));

    QList<QPair<int, double>> seen; // the record's percent and the picture's share, at each report
    connect(window->device(), &KVDeviceInterface::message, this, [&](KVDeviceInterface::KVDeviceMessage type, const QString &report) {
        if (type != KVDeviceInterface::DevTasK || !report.startsWith(QLatin1String("66,2,")))
            return;
        seen.append({ window->device()->property_ptr("TASK")->value().toJsonObject().value(QLatin1String("Percent")).toInt(),
                      picture->cutShare() });
        if (seen.last().first == 50)
            saveScreenshot(2, QStringLiteral("job-halfway"));
    });
    click("startButton");
    QTRY_COMPARE_WITH_TIMEOUT(text("jobStatus"), JobBox::tr("done"), 15000);

    QCOMPARE(text("copyCounter"), QStringLiteral("1 / 1"));
    QCOMPARE(picture->cutShare(), 1.0);
    saveScreenshot(2, QStringLiteral("job-done"));
    QVERIFY(seen.size() >= 3 && seen.first().first == 0);
    QVERIFY(std::any_of(seen.cbegin(), seen.cend(), [](const QPair<int, double> &at) { return at.first == 50; }));
    for (const auto &[percent, share] : std::as_const(seen))
        QCOMPARE(share, percent / 100.0);
}

// In Chinese and Japanese the panel's own texts hold no English word (of three letters or more,
// not all capitals, not part of a file name); the records' editors are the plug-in's.
QString englishChrome(const QWidget *window)
{
    static const QRegularExpression english(QStringLiteral("(?<![\\w.-])[A-Za-z]*[a-z][A-Za-z]{2,}(?![\\w.-])"));
    QStringList texts{ window->windowTitle() };
    for (const QWidget *widget : window->findChildren<QWidget *>()) {
        bool inRecordEditors = false;
        for (const QWidget *up = widget->parentWidget(); up && !inRecordEditors; up = up->parentWidget())
            inRecordEditors = qobject_cast<const QScrollArea *>(up);
        if (!widget->isVisible() || inRecordEditors)
            continue;
        if (const auto *label = qobject_cast<const QLabel *>(widget))
            texts << label->text();
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            texts << button->text();
        if (const auto *box = qobject_cast<const QGroupBox *>(widget))
            texts << box->title();
        if (const auto *tabs = qobject_cast<const QTabBar *>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        }
    }
    for (QString text : std::as_const(texts)) {
        if (english.match(text.remove(QLatin1String("kvpanel")).remove(QLatin1String("DejaVu Sans"))).hasMatch())
            return text;
    }
    return QString();
}

void tst_Panel::saveScreenshot(int page, const QString &name)
{
    const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots"));
    QVERIFY(folder.mkpath(QStringLiteral(".")));
    window->pages()->setCurrentIndex(page);
    const QString path = folder.filePath(QStringLiteral("%1-%2.png").arg(name, QLocale::system().name()));
    if (expectedTexts() != QLatin1String("en_US"))
        QCOMPARE(englishChrome(window), QString());
    QVERIFY2(window->grab().save(path), qPrintable(path));
}

// kvpanel as a program: its exit codes, and SIGTERM ending it as Ctrl-C does.
void tst_Panel::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("plug-in missing") << QStringList{ "--plugin", "/nonexistent/libKV.so" } << 3 << "plug-in not found";
    QTest::newRow("family") << QStringList{ "--family", "999" } << 2 << "--family takes 583 or 261";
    QTest::newRow("SIGTERM") << QStringList{ "--simulate", "@term" } << 130 << "";
}

void tst_Panel::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const bool terminate = arguments.removeAll(QStringLiteral("@term")) > 0;
    QProcess panel;
    panel.start(qEnvironmentVariable("KVPANEL"), arguments);
    QVERIFY(panel.waitForStarted());
    if (terminate) {
        // Once the window is up its handler is installed: SigCgt in /proc shows it.
        QTRY_VERIFY_WITH_TIMEOUT(caughtSignals(panel.processId()) & (1ULL << (SIGTERM - 1)), 10000);
        panel.terminate();
    }
    QVERIFY(panel.waitForFinished(20000));
    QCOMPARE(panel.exitStatus(), QProcess::NormalExit);
    QVERIFY2(panel.readAllStandardError().contains(message.toUtf8()), qPrintable(message));
    QCOMPARE(panel.exitCode(), exitCode);
}

QTEST_MAIN(tst_Panel)
#include "tst_panel.moc"
