// kvhost as a user runs it: exit codes and messages for each way a command can fail, and a whole
// job cut on a simulated plotter. The simulators live in this process, so the fault switches are
// at hand; the test's event loop keeps them answering while kvhost runs.
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

    void commandsAgainstTheSimulator_data();
    void commandsAgainstTheSimulator();
    void failures_data();
    void failures();
    void cutTwoCopiesInProcessSimulator();
    void cutReportsALostConnection();
    void interruptStopsTheJobOnTheDevice();
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

void tst_KvHost::commandsAgainstTheSimulator_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expectedOutput");
    QTest::newRow("get") << QStringList{"get", "SPEED"} << "Speed (SPEED): 300 (mm/s)\n";
    QTest::newRow("get group") << QStringList{"get", "camera_offset"} << "Camera offset (CAMERA_OFFSET): x=12.5, y=-3.25 (mm x mm)\n";
    QTest::newRow("set reads back") << QStringList{"set", "PRESSURE", "200"} << "Pressure (PRESSURE): 200 (gf)\n";
    QTest::newRow("set group") << QStringList{"set", "CAMERA_OFFSET", "-1.5,2"} << "Camera offset (CAMERA_OFFSET): x=-1.5, y=2 (mm x mm)\n";
    QTest::newRow("json") << QStringList{"--json", "get", "SPEED", "FIRMWARE"} << "{\"FIRMWARE\":\"V2.3.1-sim\",\"SPEED\":\"300\"}\n";
    QTest::newRow("jog") << QStringList{"jog", "-1", "2"} << "moved -1, 2\n";
}

void tst_KvHost::commandsAgainstTheSimulator()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expectedOutput);
    const Run run = kvhost(atSimulator(*simulator, arguments));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, expectedOutput);
}

void tst_KvHost::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    const QString port = QStringLiteral("127.0.0.1:%1").arg(closedPort());
    QTest::newRow("usage") << QStringList{"frobnicate"} << 2 << "unknown command 'frobnicate'";
    QTest::newRow("no device") << QStringList{"get", "SPEED"} << 2 << "needs a device";
    QTest::newRow("plug-in missing") << QStringList{"--plugin", "/nonexistent/libKV.so", "list"} << 3 << "plug-in not found";
    QTest::newRow("plug-in not loadable") << QStringList{"--plugin", example("star.plt"), "list"} << 3 << "cannot load plug-in";
    QTest::newRow("unreachable") << QStringList{"--tcp", port, "--timeout", "3", "get", "SPEED"} << 4 << "cannot reach TCP";
    QTest::newRow("refused") << QStringList{"@sim", "set", "SPEED", "5000"} << 6 << "refused SPEED";
    QTest::newRow("not a number") << QStringList{"@sim", "set", "SPEED", "fast"} << 2 << "'fast' is not a uint";
    QTest::newRow("missing plot") << QStringList{"@sim", "cut", "/nonexistent.plt"} << 7 << "plot file not found";
    QTest::newRow("folder as plot") << QStringList{"@sim", "cut", "/tmp"} << 7 << "is a folder";
    QTest::newRow("empty plot") << QStringList{"@sim", "cut", "@empty"} << 7 << "is empty";
    QTest::newRow("frame bytes in plot") << QStringList{"@sim", "cut", "@binary"} << 7 << "0x02/0x03";
    QTest::newRow("unknown key") << QStringList{"@sim", "get", "NOPE"} << 8 << "no record 'NOPE'";
}

void tst_KvHost::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    QFile empty(scratch.filePath(QStringLiteral("empty.plt")));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QFile binary(scratch.filePath(QStringLiteral("binary.plt")));
    QVERIFY(binary.open(QIODevice::WriteOnly));
    binary.write(QByteArray("IN;PU0,0;\x02\x03PD10,10;\x00\xff", 20));
    binary.close();
    for (QString &argument : arguments) {
        if (argument == QLatin1String("@empty"))
            argument = empty.fileName();
        else if (argument == QLatin1String("@binary"))
            argument = binary.fileName();
    }
    if (arguments.first() == QLatin1String("@sim"))
        arguments = atSimulator(*simulator, arguments.mid(1));

    const Run run = kvhost(arguments);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.exitCode, exitCode);
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

void tst_KvHost::interruptStopsTheJobOnTheDevice()
{
    simulator->device()->setTimeScale(1);
    QSignalSpy started(simulator->device(), &KvSimDevice::jobStarted);
    QSignalSpy ended(simulator->device(), &KvSimDevice::jobEnded);
    const Run run = kvhost(atSimulator(*simulator, {"cut", example("labels.plt"), "--copies", "3"}),
                           [&](QProcess &process) {
                               QVERIFY(started.wait(10000));
                               process.terminate(); // SIGTERM, handled like Ctrl-C
                           });
    QCOMPARE(run.exitCode, 130);
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
