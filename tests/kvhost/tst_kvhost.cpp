// kvhost as a user runs it: exit codes and messages for each way a command can fail, a whole
// job cut on a simulated plotter, and jobs reported to a kvcloud of their own. The simulators
// live in this process, so the fault switches are at hand; the test's event loop keeps them
// answering while kvhost runs.
#include "testdevice.h"
#include "cloudservice.h"
#include "framestream.h"
#include "plotreader.h"
#include "previewcanvas.h"
#include "realplots.h"
#include "simulator.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
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

} // namespace

class tst_KvHost : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { simulator.reset(); }

    void commands_data();
    void commands();
    void busyPlotterIsRefused_data();
    void busyPlotterIsRefused();
    void plotFileCommands();
    void jobCutShort_data();
    void jobCutShort();
    void cloud_data();
    void cloud();
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

// "@sim" stands for the test's simulator, "@closed" for a port nothing listens on: a run that
// must not connect says so before it tries. `output`: parts of stdout; none: stdout is empty.
void tst_KvHost::commands_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("output");
    QTest::addColumn<QString>("message");

    const QString star = example("star.plt");
    const QString labels = example("labels.plt");
    const QStringList none;
    QTest::newRow("get") << QStringList{"@sim", "get", "SPEED"} << 0 << QStringList{"Speed (SPEED): 300 (mm/s)\n"} << "";
    QTest::newRow("get group") << QStringList{"@sim", "get", "camera_offset"} << 0 << QStringList{"Camera offset (CAMERA_OFFSET): x=12.5, y=-3.25 (mm x mm)\n"} << "";
    QTest::newRow("get group member") << QStringList{"@sim", "get", "CAMERA_OFFSET_Y"} << 0 << QStringList{"y (CAMERA_OFFSET_Y): -3.25\n"} << "";
    QTest::newRow("set reads back") << QStringList{"@sim", "set", "PRESSURE", "200"} << 0 << QStringList{"Pressure (PRESSURE): 200 (gf)\n"} << "";
    QTest::newRow("set group") << QStringList{"@sim", "set", "CAMERA_OFFSET", "-1.5,2"} << 0 << QStringList{"Camera offset (CAMERA_OFFSET): x=-1.5, y=2 (mm x mm)\n"} << "";
    QTest::newRow("json") << QStringList{"@sim", "--json", "get", "SPEED", "FIRMWARE"} << 0 << QStringList{"{\"FIRMWARE\":\"V2.3.1-sim\",\"SPEED\":\"300\"}\n"} << "";
    QTest::newRow("jog") << QStringList{"@sim", "jog", "-1", "2"} << 0 << QStringList{"moved -1, 2\n"} << "";
    QTest::newRow("261 optional group") << QStringList{"--simulate", "--family", "261", "get", "SP1_SPEED", "SP2"} << 0 << QStringList{"Speed (SP1_SPEED): 300 (mm/s)\nSP2 (SP2): Tool type=1, Speed=300, Pressure=60, Tangential knife calibration=0\n"} << "";
    QTest::newRow("261 jog, a command a step") << QStringList{"--simulate", "--family", "261", "jog", "2", "-1"} << 0 << QStringList{"moved 2, -1\n"} << "";
    // Whole jobs on the simulator of --simulate; labels.plt is 100 mm x 45 mm with 568.5 mm of
    // cuts. With --cloud, what its cloud received is summed up at the end.
    QTest::newRow("cut two copies") << QStringList{"--simulate", "--time-scale", "0.02", "cut", labels, "--copies", "2"} << 0 << QStringList{"cutting labels.plt, 2 copies\n", "100%  copy 2/2", "done: 2 of 2 copies in ", ", cut length 1.14 m, travel 1.84 m\n"} << "";
    for (const char *family : {"583", "261"})
        QTest::addRow("QR-code job, %s", family) << QStringList{"--simulate", "--family", family, "--time-scale", "0.02", "cut", star, "--qr", "--copies", "2"} << 0 << QStringList{"done: 2 of 2 copies"} << "";
    QTest::newRow("--simulate --cloud") << QStringList{"--simulate", "--cloud", "--time-scale", "0.02", "cut", labels, "--copies", "2"} << 0 << QStringList{"cloud: SIM0a1z0001 registered as device 1 (model 1), ",
                                                       R"("finish_copies":2,"page_area":4500,"page_size":"45x100","path_length":569,)", "PNG of 256 x 121 px"} << "";
    QTest::newRow("inspect at --speed") << QStringList{"inspect", star, "--speed", "100"} << 0 << QStringList{"cut time: 3.0 s at 100 mm/s (--speed)"} << "";
    QTest::newRow("inspect at the device's SPEED") << QStringList{"@sim", "inspect", star} << 0 << QStringList{"cut time: 1.0 s at 300 mm/s (the device's SPEED)"} << "";
    QTest::newRow("inspect without a speed") << QStringList{"inspect", star} << 0 << QStringList{"cut time: not known"} << "";
    QTest::newRow("list marks unmatched answers") << QStringList{"list"} << 0 << QStringList{"unmatched"} << "";

    // Keys that cannot be read are told at once, and the others are still read.
    QTest::newRow("unmatched among readable") << QStringList{"@sim", "get", "SPEED", "DEVICE_STATUS", "NOPE", "PRESSURE"} << 8 << QStringList{"Speed (SPEED): 300 (mm/s)\nPressure (PRESSURE): 120 (gf)\n"} << "DEVICE_STATUS cannot be read: its answer (code 4)";
    QTest::newRow("QR read") << QStringList{"@closed", "get", "GET_QRCODE"} << 13 << none << "comes as a QR-code message";
    QTest::newRow("shared code") << QStringList{"@closed", "set", "TASK_REPEAT", "1"} << 13 << none << "goes to TASK_COPIES";
    QTest::newRow("261 task control code") << QStringList{"--simulate", "--family", "261", "set", "WORK_MODE", "1"} << 13 << none << "code 27 are never matched";
    QTest::newRow("pause when idle") << QStringList{"@sim", "set", "TASK_PAUSE", "0"} << 6 << none << "TASK_PAUSE does not apply: the plotter is idle";
    QTest::newRow("refused, with the result") << QStringList{"@sim", "set", "TASK_COPIES", "0"} << 6 << none << "refused TASK_COPIES = 0 (result 1)";
    QTest::newRow("info, a part unanswered") << QStringList{"@sim", "--timeout", "0.5", "info", "@drop-every-3"} << 9 << none << "nothing is printed";
    QTest::newRow("silent plotter") << QStringList{"@sim", "--timeout", "0.5", "get", "SPEED", "@silent"} << 9 << none << "no answer for SPEED";

    // Values are checked before connecting.
    QTest::newRow("out of range") << QStringList{"@closed", "set", "SPEED", "5"} << 2 << none << "SPEED: the value must be from 10 to 800 (mm/s), not 5";
    QTest::newRow("not a number") << QStringList{"@closed", "set", "SPEED", "fast"} << 2 << none << "'fast' is not a whole number";
    QTest::newRow("longer than a frame") << QStringList{"@closed", "set", "DEVICE_ID", QString(100000, 'a')} << 2 << none << "the value is too long";
    QTest::newRow("field separator") << QStringList{"@closed", "set", "DEVICE_ID", "a,b"} << 2 << none << "cannot hold ','";
    QTest::newRow("jog beyond any plotter") << QStringList{"@closed", "jog", "2147483647", "0"} << 2 << none << "at most 500 steps (1000 mm)";
    QTest::newRow("jog beyond the work area") << QStringList{"--simulate", "--family", "261", "jog", "300", "0"} << 2 << none << "work area, 700 mm by 520 mm";

    QTest::newRow("no command") << QStringList{} << 2 << none << "no command given";
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2 << none << "unknown command 'frobnicate'";
    QTest::newRow("no device") << QStringList{"get", "SPEED"} << 2 << none << "needs a device";
    for (const char *scale : {"inf", "nan", "1e308"})
        QTest::addRow("time scale %s", scale) << QStringList{"--simulate", "--time-scale", scale, "cut", star} << 2 << none << "--time-scale takes a factor from 0 to 100";
    QTest::newRow("language not shipped") << QStringList{"--lang", "xx_YY", "list"} << 2 << none << "--lang takes one of the languages the labels come in: zh_CN, en_US, ja_JP";
    QTest::newRow("--cloud without a service") << QStringList{"@closed", "--cloud", "info"} << 2 << none << "--cloud needs KV_CLOUD_URL and KV_CLOUD_WS in the environment, or --simulate";
    QTest::newRow("plug-in missing") << QStringList{"--plugin", "/nonexistent/libKV.so", "list"} << 3 << none << "plug-in not found";
    QTest::newRow("plug-in not loadable") << QStringList{"--plugin", star, "list"} << 3 << none << "cannot load plug-in";
    QTest::newRow("connection refused") << QStringList{"@closed", "get", "SPEED"} << 4 << none << "refused the connection: nothing listens on port";
    QTest::newRow("unknown host") << QStringList{"--tcp", "plotter.invalid", "get", "SPEED"} << 4 << none << "the host plotter.invalid was not found";
    QTest::newRow("missing plot") << QStringList{"@closed", "cut", "/nonexistent.plt"} << 7 << none << "Plot file not found";
    QTest::newRow("missing plot, --json") << QStringList{"@closed", "--json", "cut", "/nonexistent.plt"} << 7 << QStringList{R"({"exit_code":7,"message":"Plot file not found: /nonexistent.plt")"} << "";
    QTest::newRow("folder as plot") << QStringList{"@closed", "cut", "/tmp"} << 7 << none << "is a folder";
    QTest::newRow("empty plot") << QStringList{"@closed", "cut", "@empty"} << 7 << none << "is empty";
    QTest::newRow("frame bytes, --raw") << QStringList{"@closed", "cut", "@binary", "--raw"} << 7 << none << "0x02, which ends the device's frames (at byte 9)";
    QTest::newRow("not text") << QStringList{"inspect", "@noise"} << 7 << none << "it is not text (at byte 0)";
    QTest::newRow("convert without -o") << QStringList{"convert", star} << 2 << none << "needs the file to write: -o PATH";
    QTest::newRow("labels mode") << QStringList{"inspect", star, "--labels", "draw"} << 2 << none << "--labels takes outline or skip";
    QTest::newRow("output not writable") << QStringList{"preview", star, "-o", "/nonexistent/star.png"} << 7 << none << "cannot write /nonexistent/star.png";
    QTest::newRow("unknown key") << QStringList{"@closed", "get", "NOPE"} << 8 << none << "no record 'NOPE'";
    // Messages and help in the language --lang picks (the system locale's otherwise); with --json
    // the message stays English for scripts.
    QTest::newRow("Japanese message") << QStringList{"@closed", "--lang", "ja_JP", "get", "NOPE"} << 8 << none << "このデバイスに項目 'NOPE' はありません";
    QTest::newRow("Japanese help") << QStringList{"--lang", "ja_JP", "--help"} << 0 << QStringList{"使い方: "} << "";
    QTest::newRow("Japanese, --json") << QStringList{"@closed", "--lang", "ja_JP", "--json", "cut", "/nonexistent.plt"} << 7 << QStringList{R"("message":"Plot file not found: /nonexistent.plt")"} << "";
}

void tst_KvHost::commands()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, output);
    QFETCH(QString, message);

    const QList<QPair<QString, QByteArray>> files{
        {"@empty", {}}, {"@binary", QByteArray("IN;PU0,0;\x02\x03PD10,10;\x00\xff", 20)}, {"@noise", QByteArray(100, '\x01')}};
    for (const auto &[marker, bytes] : files) {
        QFile file(scratch.filePath(marker.mid(1) + ".plt"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        arguments.replaceInStrings(marker, file.fileName());
    }
    if (arguments.removeAll(QStringLiteral("@drop-every-3")))
        simulator->faults().dropEvery = 3;
    if (arguments.removeAll(QStringLiteral("@silent")))
        simulator->faults().silentAfter = 0;
    if (arguments.value(0) == QLatin1String("@sim"))
        arguments = atSimulator(*simulator, arguments.mid(1));
    else if (arguments.value(0) == QLatin1String("@closed"))
        arguments = QStringList{"--tcp", QStringLiteral("127.0.0.1:%1").arg(closedPort())} + arguments.mid(1);

    const Run run = kvhost(arguments);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY2(!output.isEmpty() || run.out.isEmpty(), qPrintable(run.out));
    for (const QString &part : std::as_const(output))
        QVERIFY2(run.out.contains(part), qPrintable(run.out));
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
    plotter.device()->setTimeScale(10); // the other job outlasts the run
    QVERIFY(plotter.listenTcp(0));
    plotter.device()->handle(KVFrameStream::pack((family == 261 ? "PLT;" : "PPLT;") + QByteArray("IN;PU0,0;PD40000,0;")));
    QSignalSpy received(&plotter, &KvSimulator::frameReceived);

    const Run run = kvhost(atSimulator(plotter, {"--family", QString::number(family), "cut", example("star.plt"), "--copies", "2"}));

    QVERIFY2(run.err.contains(QLatin1String("plotter busy")), qPrintable(run.err));
    QCOMPARE(run.exitCode, 10);
    QVERIFY(!run.out.contains(QLatin1String("done")));
    for (const QList<QVariant> &frame : std::as_const(received))
        QVERIFY2(onlyFrame.isEmpty() || frame.first().toByteArray().contains(onlyFrame), frame.first().toByteArray().constData());
    QCOMPARE(plotter.device()->jobState(), KvSimDevice::JobState::Cutting);
}

// A plot with a label: its figures with the label left out, the device plot (absolute PU/PD only,
// the label cut as outlines), and its picture.
void tst_KvHost::plotFileCommands()
{
    const QString plot = scratch.filePath(QStringLiteral("label.plt")), devicePlot = scratch.filePath(QStringLiteral("device.plt"));
    QFile file(plot);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("IN;SP1;PU0,0;PD4000,0,4000,2000;PU400,400;SI0.5,0.8;LBKV\x03") > 0);
    file.close();
    const QJsonObject skipped = QJsonDocument::fromJson(kvhost({"--json", "inspect", plot, "--labels", "skip"}).out.toUtf8()).object();
    QCOMPARE(skipped["cut_length_mm"].toDouble(), 150.0);
    QCOMPARE(skipped["bounds_mm"].toArray(), (QJsonArray{0, 0, 100, 50}));
    QCOMPARE(skipped["label_count"].toInt(), 1);

    QCOMPARE(kvhost({"convert", plot, "-o", devicePlot}).exitCode, 0);
    QFile converted(devicePlot);
    QVERIFY(converted.open(QIODevice::ReadOnly));
    const QByteArray text = converted.readAll();
    QVERIFY2(QRegularExpression(QStringLiteral("^IN;(P[UD]-?\\d+,-?\\d+(,-?\\d+,-?\\d+)*;)*PU;$")).match(QString::fromLatin1(text)).hasMatch(), text.constData());
    // The device plot cuts what inspect says of the outlined labels.
    const QJsonObject outlined = QJsonDocument::fromJson(kvhost({"--json", "inspect", plot}).out.toUtf8()).object();
    QVERIFY(outlined["cut_length_mm"].toDouble() > 150.0 + 20);
    QCOMPARE(std::round(KvPlot::readPlot(text).figures.cutLengthMm() * 1000) / 1000, outlined["cut_length_mm"].toDouble());

    const QString picture = scratch.filePath(QStringLiteral("label.png"));
    QCOMPARE(kvhost({"preview", plot, "-o", picture, "--size", "300"}).exitCode, 0);
    QCOMPARE(QImage(picture).size(), QSize(300, 150));
}

// A job that does not run its course ends on the plotter, completed only when it was waited for:
// reports paused on the plotter (followed while it answers), a silent plotter (told to stop),
// the link lost (stopped over a new link), and kvhost ended by SIGTERM or SIGHUP (a closed
// terminal) like Ctrl-C. A watch ends with 130 on SIGINT.
void tst_KvHost::jobCutShort_data()
{
    QTest::addColumn<QString>("event");
    QTest::addColumn<double>("timeScale");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("paused on the plotter: waited for") << "pause" << 1.0 << 0 << "";
    QTest::newRow("silent plotter: told to stop") << "silent" << 10.0 << 9 << "the device was told to stop the job and did not confirm it";
    QTest::newRow("link lost: stopped over a new link") << "drop" << 0.5 << 5 << "connection lost during the job: TCP DISCONNECTED.\nkvhost: the device stopped";
    QTest::newRow("cut, SIGTERM") << "SIGTERM" << 1.0 << 130 << "the device stopped";
    QTest::newRow("cut, SIGHUP") << "SIGHUP" << 1.0 << 130 << "the device stopped";
    QTest::newRow("watch, SIGINT") << "watch" << 1.0 << 130 << "";
}

void tst_KvHost::jobCutShort()
{
    QFETCH(QString, event);
    QFETCH(double, timeScale);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const int signal = event == "SIGTERM" ? SIGTERM : event == "SIGHUP" ? SIGHUP : event == "watch" ? SIGINT : 0;
    KvSimDevice *plotter = simulator->device();
    plotter->setTimeScale(timeScale);
    simulator->faults().dropMidJob = event == "drop";
    QSignalSpy started(plotter, &KvSimDevice::jobStarted);
    QSignalSpy ended(plotter, &KvSimDevice::jobEnded);
    QSignalSpy connected(simulator.get(), &KvSimulator::connectionOpened);
    QSignalSpy received(simulator.get(), &KvSimulator::frameReceived);
    const auto statusReads = [&] {
        return std::count_if(received.cbegin(), received.cend(), [](const QList<QVariant> &frame) { return frame.first().toByteArray().contains("CCMD;27;"); });
    };
    const QStringList arguments = event == "watch" ? QStringList{"watch"}
                                  : signal        ? QStringList{"cut", example("labels.plt"), "--copies", "3"}
                                                  : QStringList{"--timeout", "0.3", "cut", example("star.plt")};
    const Run run = kvhost(atSimulator(*simulator, arguments), [&](QProcess &process) {
        if (event == "drop")
            return;
        QVERIFY(event == "watch" ? connected.wait(10000) : started.wait(10000));
        if (signal) {
            ::kill(pid_t(process.processId()), signal);
        } else if (event == "silent") {
            simulator->faults().silentAfter = 0;
        } else {
            plotter->handle(KVFrameStream::pack("CCMD;27,0;"));
            const auto before = statusReads();
            QTRY_VERIFY_WITH_TIMEOUT(statusReads() >= before + 2, 10000);
            plotter->handle(KVFrameStream::pack("CCMD;27,1;"));
        }
    });
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.exitCode, exitCode);
    if (event == "watch")
        return;
    QTRY_COMPARE(ended.count(), 1); // the plotter may take the stop after kvhost has ended
    QCOMPARE(ended.first().first().toBool(), exitCode == 0);
}

// kvhost --cloud against a cloud service of its own waits for what it sent before it ends, and
// says what the service answered when it failed (exit 11).
void tst_KvHost::cloud_data()
{
    QTest::addColumn<QString>("faulty"); // method and route of the fault; " ": every request
    QTest::addColumn<KvCloudFault>("fault");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("work record delivered") << "" << KvCloudFault{} << "cut" << 0 << "";
    QTest::newRow("work record refused") << "POST device_work_records" << KvCloudFault{500, 0, false} << "cut" << 11 << "answered POST device_work_records with HTTP 500";
    QTest::newRow("service fails") << " " << KvCloudFault{500, 0, false} << "info" << 11 << "with HTTP 500";
    QTest::newRow("service swallows") << " " << KvCloudFault{0, 0, true} << "info" << 11 << "did not answer";
}

void tst_KvHost::cloud()
{
    QFETCH(QString, faulty);
    QFETCH(KvCloudFault, fault);
    QFETCH(QString, command);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    KvCloudService service;
    QVERIFY(service.listen());
    service.setFault(fault, faulty.section(' ', 0, 0).toLatin1(), faulty.section(' ', 1));
    qputenv("KV_CLOUD_URL", service.url().toUtf8());
    qputenv("KV_CLOUD_WS", service.ws().toUtf8());
    const QString plot = example("rectangle.plt");
    const QStringList job = command == "cut" ? QStringList{plot, "--copies", "2"} : QStringList();
    const Run run = kvhost(atSimulator(*simulator, QStringList{"--timeout", "1", "--cloud", command} + job));
    qunsetenv("KV_CLOUD_URL");
    qunsetenv("KV_CLOUD_WS");
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode != 0)
        return;
    // The work record and the last report (60 mm x 40 mm, 200 mm of cuts), and the preview as
    // the hosts draw it.
    QCOMPARE(service.workRecords().size(), 1);
    const QByteArray record = QJsonDocument(service.workRecords().first().toObject()).toJson(QJsonDocument::Compact);
    QVERIFY2(record.contains(R"("finish_copies":2,"page_area":2400,"page_size":"40x60","path_length":200,)"), record.constData());
    QVERIFY(service.channelMessages(QStringLiteral("KV520-000001")).last().contains(R"("Finished":2,"Percent":100,"Status":0)"));
    QImage expected;
    KvPlot::readPlotPicture(plot, {}, KvPlot::CloudPreviewSide, &expected);
    QCOMPARE(service.preview(QStringLiteral("KV520-000001")), KvPlot::cloudPreviewPng(expected));
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
