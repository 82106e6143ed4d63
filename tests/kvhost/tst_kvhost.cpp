// kvhost as a user runs it: exit codes and messages for each way a command can fail, and a whole
// job cut on a simulated plotter. The simulators live in this process, so the fault switches are
// at hand; the test's event loop keeps them answering while kvhost runs.
#include "framestream.h"
#include "simulator.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
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

quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort(); // closed again when the server goes
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
    void cutReportsALostConnection();
    void signalsStopTheJobOnTheDevice_data();
    void signalsStopTheJobOnTheDevice();
    void silentDeviceTimesOut();

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
    QTest::newRow("missing plot") << QStringList{"@closed", "cut", "/nonexistent.plt"} << 7 << "" << "plot file not found";
    QTest::newRow("folder as plot") << QStringList{"@closed", "cut", "/tmp"} << 7 << "" << "is a folder";
    QTest::newRow("empty plot") << QStringList{"@closed", "cut", "@empty"} << 7 << "" << "is empty";
    QTest::newRow("frame bytes in plot") << QStringList{"@closed", "cut", "@binary"} << 7 << "" << "0x02/0x03";
    QTest::newRow("unknown key") << QStringList{"@closed", "get", "NOPE"} << 8 << "" << "no record 'NOPE'";
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
    if (arguments.removeAll(QStringLiteral("@drop-every-3")))
        simulator->faults().dropEvery = 3;
    for (QString &argument : arguments) {
        if (argument == QLatin1String("@empty"))
            argument = empty.fileName();
        else if (argument == QLatin1String("@binary"))
            argument = binary.fileName();
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
    QVERIFY2(run.out.endsWith(QLatin1String("m\n")) && run.out.contains(QLatin1String("done: 2 of 2 copies in ")),
             qPrintable(run.out));
    QVERIFY(run.out.contains(QLatin1String("path 1.84 m")));
}

void tst_KvHost::cutReportsALostConnection()
{
    simulator->device()->setTimeScale(0.5);
    simulator->faults().dropMidJob = true;
    const Run run = kvhost(atSimulator(*simulator, {"cut", example("labels.plt")}));
    QVERIFY2(run.err.contains(QLatin1String("connection lost during the job: TCP DISCONNECTED.")), qPrintable(run.err));
    QCOMPARE(run.exitCode, 5);
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

QTEST_GUILESS_MAIN(tst_KvHost)
#include "tst_kvhost.moc"
