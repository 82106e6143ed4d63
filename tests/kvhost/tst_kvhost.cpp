// kvhost as a user runs it: exit codes and messages for each way a command can fail, and a whole
// job cut on a simulated plotter. The simulators live in this process, so the fault switches are
// at hand; the test's event loop keeps them answering while kvhost runs.
#include "testdevice.h"
#include "framestream.h"
#include "plotreader.h"
#include "realplots.h"
#include "simulator.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <csignal>

namespace {
struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

QString example(const char *name)
{
    return QDir(qEnvironmentVariable("KV_EXAMPLES")).filePath(QLatin1String(name));
}

// Runs kvhost to its end while this process's event loop serves the simulators.
Run kvhost(const QStringList &arguments, std::function<void(QProcess &)> whileRunning = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
    process.setProcessEnvironment(environment);
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(qEnvironmentVariable("KVHOST"), arguments);
    if (!process.waitForStarted())
        return {};
    if (whileRunning)
        whileRunning(process);
    if (finished.isEmpty() && !finished.wait(60000)) {
        process.kill();
        process.waitForFinished();
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

QStringList atSimulator(const KvSimulator &simulator, QStringList arguments)
{
    return QStringList{QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(simulator.tcpPort()),
                       QStringLiteral("--timeout"), QStringLiteral("2")}
           + arguments;
}

// A job of another host: a long plot the plotter is busy with.
void startForeignJob(KvSimulator &simulator)
{
    const QByteArray word = simulator.device()->family() == 261 ? "PLT;" : "PPLT;";
    simulator.device()->handle(KVFrameStream::pack(word + "IN;PU0,0;PD40000,0;"));
}

} // namespace

class tst_KvHost : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void commands_data();
    void commands();
    void busyPlotterIsRefused_data();
    void busyPlotterIsRefused();
    void cutTwoCopiesInProcessSimulator();
    void plotFileCommands();
    void quietPlotter_data();
    void quietPlotter();
    void signalsStopTheJobOnTheDevice_data();
    void signalsStopTheJobOnTheDevice();
    void silentDeviceTimesOut();
    void realPlots_data();
    void realPlots();

private:
    std::unique_ptr<KvSimulator> simulator;
    QTemporaryDir scratch;
};

void tst_KvHost::init()
{
    simulator = std::make_unique<KvSimulator>(583);
    simulator->device()->setTimeScale(0.02);
    QVERIFY(simulator->listenTcp(0));
}

void tst_KvHost::cleanup()
{
    simulator.reset();
}

// "@sim" stands for the test's simulator, "@closed" for a port nothing listens on: a run that
// must not connect says so before it tries. `output` is what stdout holds; empty: nothing.
void tst_KvHost::commands_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("message");

    const QString star = example("star.plt");
    const QString tooLong(100000, QLatin1Char('a'));
    QTest::newRow("get") << QStringList{"@sim", "get", "SPEED"} << 0 << "Speed (SPEED): 300 (mm/s)\n" << "";
    QTest::newRow("get group") << QStringList{"@sim", "get", "camera_offset"} << 0 << "Camera offset (CAMERA_OFFSET): x=12.5, y=-3.25 (mm x mm)\n" << "";
    QTest::newRow("get group member") << QStringList{"@sim", "get", "CAMERA_OFFSET_Y"} << 0 << "y (CAMERA_OFFSET_Y): -3.25\n" << "";
    QTest::newRow("set reads back") << QStringList{"@sim", "set", "PRESSURE", "200"} << 0 << "Pressure (PRESSURE): 200 (gf)\n" << "";
    QTest::newRow("set group") << QStringList{"@sim", "set", "CAMERA_OFFSET", "-1.5,2"} << 0 << "Camera offset (CAMERA_OFFSET): x=-1.5, y=2 (mm x mm)\n" << "";
    QTest::newRow("json") << QStringList{"@sim", "--json", "get", "SPEED", "FIRMWARE"} << 0 << "{\"FIRMWARE\":\"V2.3.1-sim\",\"SPEED\":\"300\"}\n" << "";
    QTest::newRow("jog") << QStringList{"@sim", "jog", "-1", "2"} << 0 << "moved -1, 2\n" << "";
    QTest::newRow("261 optional group") << QStringList{"--simulate", "--family", "261", "get", "SP1_SPEED", "SP2"} << 0
                                        << "Speed (SP1_SPEED): 300 (mm/s)\nSP2 (SP2): Tool type=1, Speed=300, Pressure=60, Tangential knife calibration=0\n" << "";
    QTest::newRow("261 jog, a command a step") << QStringList{"--simulate", "--family", "261", "jog", "2", "-1"} << 0 << "moved 2, -1\n" << "";
    for (const char *family : {"583", "261"})
        QTest::addRow("QR-code job, %s", family) << QStringList{"--simulate", "--family", family, "--time-scale", "0.02", "cut", star, "--qr", "--copies", "2"}
                                                << 0 << "done: 2 of 2 copies" << "";
    QTest::newRow("help lists exit codes") << QStringList{"--help"} << 0 << "10 plotter busy" << "";
    QTest::newRow("inspect at --speed") << QStringList{"inspect", star, "--speed", "100"} << 0 << "cut time: 3.0 s at 100 mm/s (--speed)" << "";
    QTest::newRow("inspect at the device's SPEED") << QStringList{"@sim", "inspect", star} << 0 << "cut time: 1.0 s at 300 mm/s (the device's SPEED)" << "";
    QTest::newRow("inspect without a speed") << QStringList{"inspect", star} << 0 << "cut time: not known" << "";
    QTest::newRow("list marks unmatched answers") << QStringList{"list"} << 0 << "unmatched" << "";

    // Keys that cannot be read are told at once, and the others are still read.
    QTest::newRow("unmatched among readable") << QStringList{"@sim", "get", "SPEED", "DEVICE_STATUS", "NOPE", "PRESSURE"} << 8
                                              << "Speed (SPEED): 300 (mm/s)\nPressure (PRESSURE): 120 (gf)\n" << "DEVICE_STATUS cannot be read: its answer (code 4)";
    QTest::newRow("QR read") << QStringList{"@closed", "get", "GET_QRCODE"} << 13 << "" << "comes as a QR-code message";
    QTest::newRow("shared code") << QStringList{"@closed", "set", "TASK_REPEAT", "1"} << 13 << "" << "goes to TASK_COPIES";
    QTest::newRow("261 task control code") << QStringList{"--simulate", "--family", "261", "set", "WORK_MODE", "1"} << 13 << "" << "code 27 are never matched";
    QTest::newRow("pause when idle") << QStringList{"@sim", "set", "TASK_PAUSE", "0"} << 6 << "" << "TASK_PAUSE does not apply: the plotter is idle";

    // Values are checked before connecting.
    QTest::newRow("out of range") << QStringList{"@closed", "set", "SPEED", "5"} << 2 << "" << "SPEED: the value must be from 10 to 800 (mm/s), not 5";
    QTest::newRow("not a number") << QStringList{"@closed", "set", "SPEED", "fast"} << 2 << "" << "'fast' is not a whole number";
    QTest::newRow("longer than a frame") << QStringList{"@closed", "set", "DEVICE_ID", tooLong} << 2 << "" << "the value is too long";
    QTest::newRow("field separator") << QStringList{"@closed", "set", "DEVICE_ID", "a,b"} << 2 << "" << "cannot hold ','";
    QTest::newRow("jog beyond any plotter") << QStringList{"@closed", "jog", "2147483647", "0"} << 2 << "" << "at most 500 steps (1000 mm)";
    QTest::newRow("jog beyond the work area") << QStringList{"--simulate", "--family", "261", "jog", "300", "0"} << 2 << "" << "work area, 700 mm by 520 mm";
    QTest::newRow("refused, with the result") << QStringList{"@sim", "set", "TASK_COPIES", "0"} << 6 << "" << "refused TASK_COPIES = 0 (result 1)";

    QTest::newRow("no command") << QStringList{} << 2 << "" << "no command given";
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2 << "" << "unknown command 'frobnicate'";
    QTest::newRow("no device") << QStringList{"get", "SPEED"} << 2 << "" << "needs a device";
    for (const char *scale : {"inf", "nan", "1e308"})
        QTest::addRow("time scale %s", scale) << QStringList{"--simulate", "--time-scale", scale, "cut", star} << 2 << "" << "--time-scale takes a factor from 0 to 100";
    QTest::newRow("language not shipped") << QStringList{"--lang", "xx_YY", "list"} << 2 << "" << "--lang takes one of the languages the labels come in: zh_CN, en_US, ja_JP";
    QTest::newRow("plug-in missing") << QStringList{"--plugin", "/nonexistent/libKV.so", "list"} << 3 << "" << "plug-in not found";
    QTest::newRow("plug-in not loadable") << QStringList{"--plugin", star, "list"} << 3 << "" << "cannot load plug-in";
    QTest::newRow("connection refused") << QStringList{"@closed", "get", "SPEED"} << 4 << "" << "refused the connection: nothing listens on port";
    QTest::newRow("unknown host") << QStringList{"--tcp", "plotter.invalid", "get", "SPEED"} << 4 << "" << "the host plotter.invalid was not found";
    QTest::newRow("missing plot") << QStringList{"@closed", "cut", "/nonexistent.plt"} << 7 << "" << "Plot file not found";
    QTest::newRow("missing plot, --json") << QStringList{"@closed", "--json", "cut", "/nonexistent.plt"} << 7
                                          << R"({"exit_code":7,"message":"Plot file not found: /nonexistent.plt")" << "";
    QTest::newRow("folder as plot") << QStringList{"@closed", "cut", "/tmp"} << 7 << "" << "is a folder";
    QTest::newRow("empty plot") << QStringList{"@closed", "cut", "@empty"} << 7 << "" << "is empty";
    QTest::newRow("frame bytes, --raw") << QStringList{"@closed", "cut", "@binary", "--raw"} << 7 << "" << "0x02, which ends the device's frames (at byte 9)";
    QTest::newRow("not text") << QStringList{"inspect", "@noise"} << 7 << "" << "it is not text (at byte 0)";
    QTest::newRow("convert without -o") << QStringList{"convert", star} << 2 << "" << "needs the file to write: -o PATH";
    QTest::newRow("labels mode") << QStringList{"inspect", star, "--labels", "draw"} << 2 << "" << "--labels takes outline or skip";
    QTest::newRow("output not writable") << QStringList{"preview", star, "-o", "/nonexistent/star.png"} << 7 << "" << "cannot write /nonexistent/star.png";
    QTest::newRow("unknown key") << QStringList{"@closed", "get", "NOPE"} << 8 << "" << "no record 'NOPE'";
    // Messages and help in the language --lang picks (the system locale's otherwise); with --json
    // the message stays English for scripts.
    QTest::newRow("Chinese message") << QStringList{"@closed", "--lang", "zh_CN", "set", "SPEED", "5"} << 2 << "" << "SPEED: 值必须在 10 到 800 (mm/s) 之间，而不是 5";
    QTest::newRow("Japanese message") << QStringList{"@closed", "--lang", "ja_JP", "get", "NOPE"} << 8 << "" << "このデバイスに項目 'NOPE' はありません";
    QTest::newRow("Chinese help") << QStringList{"--lang", "zh_CN", "--help"} << 0 << "显示命令行选项的帮助。" << "";
    QTest::newRow("Japanese help") << QStringList{"--lang", "ja_JP", "--help"} << 0 << "使い方: " << "";
    QTest::newRow("Japanese, --json") << QStringList{"@closed", "--lang", "ja_JP", "--json", "cut", "/nonexistent.plt"} << 7
                                      << R"("message":"Plot file not found: /nonexistent.plt")" << "";
    QTest::newRow("info, a part unanswered") << QStringList{"@sim", "--timeout", "0.5", "info", "@drop-every-3"} << 9 << "" << "nothing is printed";
}

void tst_KvHost::commands()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, message);

    QFile empty(scratch.filePath(QStringLiteral("empty.plt")));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QFile binary(scratch.filePath(QStringLiteral("binary.plt")));
    QVERIFY(binary.open(QIODevice::WriteOnly));
    binary.write(QByteArray("IN;PU0,0;\x02\x03PD10,10;\x00\xff", 20));
    binary.close();
    QFile noise(scratch.filePath(QStringLiteral("noise.plt")));
    QVERIFY(noise.open(QIODevice::WriteOnly));
    noise.write(QByteArray(100, '\x01'));
    noise.close();
    if (arguments.removeAll(QStringLiteral("@drop-every-3")))
        simulator->faults().dropEvery = 3;
    for (QString &argument : arguments) {
        if (argument == QLatin1String("@empty"))
            argument = empty.fileName();
        else if (argument == QLatin1String("@binary"))
            argument = binary.fileName();
        else if (argument == QLatin1String("@noise"))
            argument = noise.fileName();
    }
    if (arguments.value(0) == QLatin1String("@sim"))
        arguments = atSimulator(*simulator, arguments.mid(1));
    else if (arguments.value(0) == QLatin1String("@closed"))
        arguments = QStringList{"--tcp", QStringLiteral("127.0.0.1:%1").arg(closedPort())} + arguments.mid(1);

    const Run run = kvhost(arguments);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY2(output.isEmpty() ? run.out.isEmpty() : run.out.contains(output), qPrintable(run.out));
    QCOMPARE(run.exitCode, exitCode);
}

// Nothing of the job goes to a plotter that cuts another host's job; where the plotter cannot
// be asked (261), the other job's reports are not taken for this one.
void tst_KvHost::busyPlotterIsRefused_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QByteArray>("onlyFrame");
    QTest::newRow("583: asked first") << 583 << QByteArray("CCMD;27;");
    QTest::newRow("261: seen in the reports") << 261 << QByteArray();
}

void tst_KvHost::busyPlotterIsRefused()
{
    QFETCH(int, family);
    QFETCH(QByteArray, onlyFrame);
    KvSimulator plotter(family);
    QVERIFY(plotter.listenTcp(0));
    startForeignJob(plotter);
    QSignalSpy received(&plotter, &KvSimulator::frameReceived);

    const Run run = kvhost(atSimulator(plotter, {"--family", QString::number(family), "cut", example("star.plt"), "--copies", "2"}));

    QVERIFY2(run.err.contains(QLatin1String("plotter busy")), qPrintable(run.err));
    QCOMPARE(run.exitCode, 10);
    QVERIFY(!run.out.contains(QLatin1String("done")));
    for (const QList<QVariant> &frame : std::as_const(received))
        QVERIFY2(onlyFrame.isEmpty() || frame.first().toByteArray().contains(onlyFrame), frame.first().toByteArray().constData());
    QCOMPARE(plotter.device()->jobState(), KvSimDevice::JobState::Cutting);
}
void tst_KvHost::cutTwoCopiesInProcessSimulator()
{
    const Run run = kvhost({"--simulate", "--time-scale", "0.02", "cut", example("labels.plt"), "--copies", "2"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.startsWith(QLatin1String("cutting labels.plt, 2 copies\n")), qPrintable(run.out));
    QVERIFY2(run.out.contains(QLatin1String("100%  copy 2/2")), qPrintable(run.out));
    QVERIFY2(run.out.contains(QLatin1String("done: 2 of 2 copies in ")) && run.out.endsWith(QLatin1String(", cut length 1.14 m, travel 1.84 m\n")),
             qPrintable(run.out));
}

// A plot with a label: its figures with the label left out and cut as outlines, the device plot
// (absolute PU/PD only) cutting what inspect said, and its picture.
void tst_KvHost::plotFileCommands()
{
    const QString plot = scratch.filePath(QStringLiteral("label.plt"));
    QFile file(plot);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("IN;SP1;PU0,0;PD4000,0,4000,2000;PU400,400;SI0.5,0.8;LBKV\x03");
    file.close();
    const auto figures = [&](const QString &labels) {
        return QJsonDocument::fromJson(kvhost({"--json", "inspect", plot, "--labels", labels}).out.toUtf8()).object();
    };
    const QJsonObject skipped = figures(QStringLiteral("skip")), outlined = figures(QStringLiteral("outline"));
    QCOMPARE(skipped["cut_length_mm"].toDouble(), 150.0);
    QCOMPARE(skipped["bounds_mm"].toArray(), (QJsonArray{0, 0, 100, 50}));
    QCOMPARE(skipped["label_count"].toInt(), 1);
    QCOMPARE(outlined["label_count"].toInt(), 1);
    QVERIFY2(outlined["cut_length_mm"].toDouble() > 150.0 + 20, qPrintable(QString::number(outlined["cut_length_mm"].toDouble())));

    const QString devicePlot = scratch.filePath(QStringLiteral("device.plt"));
    QCOMPARE(kvhost({"convert", plot, "-o", devicePlot}).exitCode, 0);
    QFile converted(devicePlot);
    QVERIFY(converted.open(QIODevice::ReadOnly));
    const QByteArray text = converted.readAll();
    QVERIFY2(QRegularExpression(QStringLiteral("^IN;(P[UD]-?\\d+,-?\\d+(,-?\\d+,-?\\d+)*;)*PU;$")).match(QString::fromLatin1(text)).hasMatch(),
             text.constData());
    QCOMPARE(std::round(KvPlot::readPlot(text).figures.cutLengthMm() * 1000) / 1000, outlined["cut_length_mm"].toDouble());

    const QString picture = scratch.filePath(QStringLiteral("label.png"));
    QCOMPARE(kvhost({"preview", plot, "-o", picture, "--size", "300"}).exitCode, 0);
    QCOMPARE(QImage(picture).size(), QSize(300, 150));
}

// A job whose reports pause is followed as long as the plotter answers; when kvhost gives it
// up, it tells the plotter to stop first.
void tst_KvHost::quietPlotter_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<double>("timeScale");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("paused on the plotter: waited for") << "pause" << 1.0 << 0 << "";
    QTest::newRow("silent plotter: told to stop") << "silent" << 10.0 << 9 << "the device was told to stop the job and did not confirm it";
    QTest::newRow("link lost: stopped over a new link") << "drop" << 0.5 << 5 << "connection lost during the job: TCP DISCONNECTED.\nkvhost: the device stopped";
}

void tst_KvHost::quietPlotter()
{
    QFETCH(QString, fault);
    QFETCH(double, timeScale);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    KvSimDevice *plotter = simulator->device();
    plotter->setTimeScale(timeScale);
    simulator->faults().dropMidJob = fault == QLatin1String("drop");
    QSignalSpy started(plotter, &KvSimDevice::jobStarted);
    QSignalSpy ended(plotter, &KvSimDevice::jobEnded);
    QSignalSpy received(simulator.get(), &KvSimulator::frameReceived);
    const auto statusReads = [&] {
        return std::count_if(received.cbegin(), received.cend(), [](const QList<QVariant> &frame) { return frame.first().toByteArray().contains("CCMD;27;"); });
    };
    const Run run = kvhost(atSimulator(*simulator, {"--timeout", "0.3", "cut", example("star.plt")}), [&](QProcess &) {
        if (fault == QLatin1String("drop"))
            return;
        QVERIFY(started.wait(10000));
        if (fault == QLatin1String("silent")) {
            simulator->faults().silentAfter = 0;
            return;
        }
        plotter->handle(KVFrameStream::pack("CCMD;27,0;"));
        const auto before = statusReads();
        QTRY_VERIFY_WITH_TIMEOUT(statusReads() >= before + 2, 10000);
        plotter->handle(KVFrameStream::pack("CCMD;27,1;"));
    });
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.exitCode, exitCode);
    QTRY_COMPARE(ended.count(), 1);
    QCOMPARE(ended.first().first().toBool(), exitCode == 0);
}

// SIGTERM and SIGHUP (a closed terminal) stop a job like Ctrl-C; a watch ends with 130 too.
void tst_KvHost::signalsStopTheJobOnTheDevice_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("signal");
    QTest::newRow("cut, SIGTERM") << "cut" << SIGTERM;
    QTest::newRow("cut, SIGHUP") << "cut" << SIGHUP;
    QTest::newRow("watch, SIGINT") << "watch" << SIGINT;
}

void tst_KvHost::signalsStopTheJobOnTheDevice()
{
    QFETCH(QString, command);
    QFETCH(int, signal);
    const bool cut = command == QLatin1String("cut");
    simulator->device()->setTimeScale(1);
    QSignalSpy started(simulator->device(), &KvSimDevice::jobStarted);
    QSignalSpy connected(simulator.get(), &KvSimulator::connectionOpened);
    QSignalSpy ended(simulator->device(), &KvSimDevice::jobEnded);
    const QStringList arguments = cut ? QStringList{"cut", example("labels.plt"), "--copies", "3"} : QStringList{"watch"};
    const Run run = kvhost(atSimulator(*simulator, arguments), [&](QProcess &process) {
        QVERIFY(cut ? started.wait(10000) : connected.wait(10000));
        ::kill(pid_t(process.processId()), signal);
    });
    QCOMPARE(run.exitCode, 130);
    if (!cut)
        return;
    QVERIFY2(run.err.contains(QLatin1String("the device stopped")), qPrintable(run.err));
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.first().first().toBool(), false); // stopped, not completed
}

void tst_KvHost::silentDeviceTimesOut()
{
    simulator->faults().silentAfter = 0;
    const Run run = kvhost(atSimulator(*simulator, {"--timeout", "0.5", "get", "SPEED"}));
    QVERIFY2(run.err.contains(QLatin1String("no answer for SPEED")), qPrintable(run.err));
    QCOMPARE(run.exitCode, 9);
}

// Every real plot is inspected within the reference figures, converted, and cut on the
// simulator as the plot kvhost converted it to.
void tst_KvHost::realPlots_data()
{
    RealPlots::addRows();
}

void tst_KvHost::realPlots()
{
    const RealPlots::Row row = RealPlots::Row::current();
    if (!row.isHere())
        QSKIP("the real plot files are not here");
    const Run inspected = kvhost({"--json", "inspect", row.path(), "--labels", "skip"});
    QCOMPARE(inspected.exitCode, 0);
    const QJsonObject figures = QJsonDocument::fromJson(inspected.out.toUtf8()).object();
    QVERIFY2(row.matches(figures["cut_length_mm"].toDouble(), figures["travel_mm"].toDouble()), qPrintable(inspected.out));

    const QString devicePlot = scratch.filePath(QStringLiteral("device.plt"));
    QCOMPARE(kvhost({"convert", row.path(), "-o", devicePlot}).exitCode, 0);
    const Run cut = kvhost({"--simulate", "--time-scale", "0", "--json", "cut", row.path()});
    QCOMPARE(cut.exitCode, 0);
    const double cutMm = QJsonDocument::fromJson(cut.out.toUtf8()).object()["cut_length_mm"].toDouble();
    QCOMPARE(std::round(KvPlot::readPlotFile(devicePlot).figures.cutLengthMm() * 1000) / 1000, cutMm);
}

QTEST_GUILESS_MAIN(tst_KvHost)
#include "tst_kvhost.moc"
