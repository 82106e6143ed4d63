// The two servers under misuse, each started as a program of its own: clients that never read
// their answers, frames, bodies and messages far beyond what a server keeps, and more
// connections than the server has descriptors. The server's peak resident memory and its CPU
// time stay within bounds, the server closes every misusing connection itself (idle ones after
// the second given by --idle-timeout), and it answers a plain request afterwards.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTest>

#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr qint64 MB = 1024 * 1024;

// A misuse: `connections` clients of `program` on its `port`-th port (kvsim: TCP; kvcloud: HTTP,
// WebSocket) under a limit of `descriptors` (0: as inherited) each send `greeting` and await the
// answer, then `head` once, then `unit` over and over up to `bytes`. The server's peak resident
// memory stays below `peakMB`, its CPU time over the misuse below `cpuMs` (0: no bound).
struct Misuse { QString program; int port, descriptors, connections; QByteArray greeting, head, unit; qint64 bytes; int peakMB, cpuMs; };

QByteArray procFile(qint64 pid, const char *name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The peak resident memory of the process in bytes (VmHWM).
qint64 peakResidentBytes(qint64 pid)
{
    const QByteArray status = procFile(pid, "status");
    const qsizetype at = status.indexOf("VmHWM:");
    return at < 0 ? -1 : status.mid(at + 6, status.indexOf('\n', at) - at - 6).trimmed().split(' ').first().toLongLong() * 1024;
}

// User and system CPU time the process has consumed, in ms (fields after the command's ")").
qint64 cpuMs(qint64 pid)
{
    const QByteArray stat = procFile(pid, "stat");
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toLongLong() + fields.value(12).toLongLong()) * 1000 / ::sysconf(_SC_CLK_TCK);
}

// Writes `unit` over and over, `total` bytes in all, as fast as the line takes it.
void flood(QTcpSocket *socket, const QByteArray &unit, qint64 total)
{
    auto left = std::make_shared<qint64>(total);
    auto refill = [socket, unit, left] {
        while (*left > 0 && socket->bytesToWrite() < MB && socket->state() == QAbstractSocket::ConnectedState) {
            socket->write(unit);
            *left -= unit.size();
        }
    };
    QObject::connect(socket, &QTcpSocket::bytesWritten, socket, refill);
    refill();
}

// A masked client frame (the mask is zero, so the payload goes as it is).
QByteArray clientFrame(quint8 firstByte, const QByteArray &payload)
{
    QByteArray frame(1, char(firstByte));
    if (payload.size() < 126)
        frame.append(char(0x80 | payload.size()));
    else
        frame.append(char(0x80 | 126)).append(char(payload.size() >> 8)).append(char(payload.size() & 0xFF));
    return frame.append(4, '\0').append(payload);
}

} // namespace

Q_DECLARE_METATYPE(Misuse)

class tst_ServerLimits : public QObject
{
    Q_OBJECT
private slots:
    void misuse_data();
    void misuse();
    void ptyPathSaidOnce();

private:
    bool start(const QString &program, int descriptors);
    void answersAPlainRequest(const QString &program);

    std::unique_ptr<QProcess> server;
    QList<quint16> ports; // kvsim: its TCP port; kvcloud: its HTTP and its WebSocket port
};

bool tst_ServerLimits::start(const QString &program, int descriptors)
{
    server = std::make_unique<QProcess>();
    server->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (descriptors > 0) {
        server->setChildProcessModifier([descriptors] {
            const rlimit limit{rlim_t(descriptors), rlim_t(descriptors)};
            ::setrlimit(RLIMIT_NOFILE, &limit);
        });
    }
    const QStringList common{"--port", "0", "--idle-timeout", "1"};
    server->start(qEnvironmentVariable(program == "kvsim" ? "KVSIM" : "KVCLOUD"),
                  program == "kvsim" ? common : common + QStringList{"--ws-port", "0"});
    if (!server->waitForReadyRead(10000))
        return false;
    ports.clear();
    const QString line = QString::fromUtf8(server->readLine());
    for (const QRegularExpressionMatch &port : QRegularExpression(R"(127\.0\.0\.1:(\d+))").globalMatch(line))
        ports.append(port.captured(1).toUShort());
    return !ports.isEmpty();
}

// kvsim answers a frame; kvcloud answers and closes, and what it keeps of the misuse is bounded.
void tst_ServerLimits::answersAPlainRequest(const QString &program)
{
    const bool kvsim = program == "kvsim";
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, ports.at(0));
    QVERIFY(client.waitForConnected(5000));
    client.write(kvsim ? "\x02" "15;CCMD;1010;" "\x03" : "GET /_records HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(kvsim ? client.peek(100).endsWith('\x03') : client.state() == QAbstractSocket::UnconnectedState, 10000);
    const QByteArray answer = client.readAll();
    QVERIFY2(answer.startsWith(kvsim ? "\x02" : "HTTP/1.1 200") && answer.contains(kvsim ? "1010,0," : "") && answer.size() < 4 * MB,
             answer.left(100).constData());
}

void tst_ServerLimits::misuse_data()
{
    QTest::addColumn<Misuse>("misuse");
    const QString kvsim = QStringLiteral("kvsim");
    const QString kvcloud = QStringLiteral("kvcloud");
    const auto batch = [](const QByteArray &request) { return request.repeated(64 * 1024 / request.size()); };
    const QByteArray plotterRequests = batch("\x02" "15;CCMD;1010;" "\x03");
    const QByteArray cloudRequests = batch("GET /device HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 13\r\n\r\n{\"code\":\"K1\"}");
    const QByteArray filler(64 * 1024, 'x');
    const QByteArray bigBody("POST /device_work_records HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 52428800\r\n\r\n");
    const QByteArray channelHandshake = "GET /K1/Device/ HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\n"
                                        "Connection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                                        "Sec-WebSocket-Version: 13\r\n\r\n";
    const QByteArray fragment = clientFrame(0x00, QByteArray(65535, 'x'));

    QTest::newRow("kvsim: requests whose answers are never read") << Misuse{ kvsim, 0, 0, 1, {}, {}, plotterRequests, 64 * MB, 48, 0 };
    QTest::newRow("kvsim: eight frames of 60 MB without an end") << Misuse{ kvsim, 0, 0, 8, {}, "\x02", filler, 60 * MB, 128, 0 };
    QTest::newRow("kvsim: more connections than descriptors") << Misuse{ kvsim, 0, 64, 100, {}, {}, filler, 0, 48, 300 };
    QTest::newRow("kvcloud: three bodies of 50 MB") << Misuse{ kvcloud, 0, 0, 3, {}, bigBody, filler, 50 * MB, 48, 0 };
    QTest::newRow("kvcloud: requests whose answers are never read") << Misuse{ kvcloud, 0, 0, 1, {}, {}, cloudRequests, 64 * MB, 48, 0 };
    QTest::newRow("kvcloud: a 200 MB message in fragments")
        << Misuse{ kvcloud, 1, 0, 1, channelHandshake, clientFrame(0x01, "x"), fragment, 200 * MB, 64, 0 };
    QTest::newRow("kvcloud: more connections than descriptors") << Misuse{ kvcloud, 0, 64, 100, {}, {}, filler, 0, 48, 300 };
}

void tst_ServerLimits::misuse()
{
    QFETCH(Misuse, misuse);
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizers' own checks need descriptors (they probe memory through a pipe): out of
    // descriptors they report what is not there.
    if (misuse.descriptors > 0)
        QSKIP("an instrumented server cannot run out of descriptors");
#endif
    QVERIFY(start(misuse.program, misuse.descriptors));
    const qint64 pid = server->processId();
    const qint64 cpuBefore = cpuMs(pid);
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    for (int i = 0; i < misuse.connections; ++i) {
        auto client = std::make_unique<QTcpSocket>();
        client->setReadBufferSize(4096); // it reads nothing beyond this: the rest stays on the line
        client->connectToHost(QHostAddress::LocalHost, ports.at(misuse.port));
        QVERIFY(client->waitForConnected(5000));
        if (!misuse.greeting.isEmpty()) {
            client->write(misuse.greeting);
            QTRY_VERIFY(client->bytesAvailable() > 0);
        }
        client->write(misuse.head);
        flood(client.get(), misuse.unit, misuse.bytes);
        clients.push_back(std::move(client));
    }
    QTRY_VERIFY_WITH_TIMEOUT(std::all_of(clients.cbegin(), clients.cend(), [](const auto &client) {
                                 return client->state() == QAbstractSocket::UnconnectedState;
                             }),
                             60000);
    const qint64 peak = peakResidentBytes(pid);
    const qint64 cpu = cpuMs(pid) - cpuBefore;
    std::printf("limits: %s: peak resident %.1f MB (bound %d MB), CPU %lld ms\n", QTest::currentDataTag(),
                double(peak) / MB, misuse.peakMB, cpu);
    answersAPlainRequest(misuse.program);
    if (misuse.cpuMs > 0)
        QVERIFY2(cpu < misuse.cpuMs, qPrintable(QStringLiteral("%1 ms of CPU").arg(cpu)));
#if !defined(__SANITIZE_ADDRESS__)
    // An instrumented server keeps freed memory in quarantine: its peak is judged in the normal
    // build only.
    QVERIFY2(peak < misuse.peakMB * MB, qPrintable(QStringLiteral("peak %1 MB").arg(peak / MB)));
#endif
    server->terminate();
    QVERIFY(server->waitForFinished(5000));
}

void tst_ServerLimits::ptyPathSaidOnce()
{
    QProcess kvsim;
    kvsim.setProcessChannelMode(QProcess::MergedChannels);
    kvsim.start(qEnvironmentVariable("KVSIM"), {"--port", "0", "--pty", "-v"});
    QTRY_VERIFY(kvsim.peek(4096).contains("kvsim: pty"));
    const QByteArray output = kvsim.readAll();
    kvsim.terminate();
    QVERIFY(kvsim.waitForFinished(5000));
    const QRegularExpressionMatch path = QRegularExpression(R"(/dev/pts/\d+)").match(QString::fromUtf8(output));
    QVERIFY2(path.hasMatch(), output.constData());
    QCOMPARE(output.count(path.captured().toUtf8()), 1);
}

QTEST_GUILESS_MAIN(tst_ServerLimits)
#include "tst_serverlimits.moc"
