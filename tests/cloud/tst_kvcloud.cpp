// The local cloud service as its clients meet it: the status of each route, its fault switches
// (set in the process and over HTTP), channels closed on misuse or on request, and the kvcloud
// program.
#include "cloudsupport.h"

#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QProcess>
#include <QRegularExpression>

namespace {
// The HTTP status of one request; 0 when the client gave up after `timeoutMs`.
int statusOf(const QString &url, const QByteArray &method, const QString &route, const QByteArray &body,
             int timeoutMs = 5000)
{
    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(url + route));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    request.setTransferTimeout(timeoutMs);
    std::unique_ptr<QNetworkReply> reply(manager.sendCustomRequest(request, method, body));
    QSignalSpy finished(reply.get(), &QNetworkReply::finished);
    if (!finished.wait(timeoutMs + 2000))
        return -1;
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}
} // namespace

class tst_KvCloud : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { service.reset(); }

    void requests_data();
    void requests();
    void channelClosed_data();
    void channelClosed();
    void programRunsAndStopsOnSignal();

private:
    std::unique_ptr<KvCloudService> service;
};

void tst_KvCloud::init()
{
    service = std::make_unique<KvCloudService>();
    QVERIFY(service->listen());
    service->addDevice({{"code", "K1"}, {"pcb", "p"}});
}

// `fault`: a fault switch as POST /_fault takes it ({"method", "route", "status", "delay",
// "swallow"}), set in the process or over HTTP; none: the service as it is.
void tst_KvCloud::requests_data()
{
    QTest::addColumn<bool>("overHttp");
    QTest::addColumn<QJsonObject>("fault");
    QTest::addColumn<QString>("asked"); // method and route
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("clientMs");
    QTest::addColumn<int>("status");

    const QJsonObject none;
    const QByteArray k1 = R"({"code":"K1"})";
    // (What the routes serve when asked right: the registration and report tests.)
    QTest::newRow("update unknown") << false << none << "PUT device" << QByteArray(R"({"code":"N1"})") << 5000 << 404;
    QTest::newRow("create without code") << false << none << "POST device_model" << QByteArray("{}") << 5000 << 400;
    QTest::newRow("wrong method") << false << none << "DELETE device" << QByteArray() << 5000 << 405;
    QTest::newRow("no such route") << false << none << "GET devices" << QByteArray() << 5000 << 404;
    QTest::newRow("not JSON") << false << none << "POST device_work_records" << QByteArray("[1]") << 5000 << 400;
    QTest::newRow("body too large") << false << none << "POST device_work_records" << QByteArray(1024 * 1024 + 1, ' ') << 5000 << 413;
    QTest::newRow("records") << false << none << "GET _records" << QByteArray() << 5000 << 200;
    QTest::newRow("control by GET") << false << none << "GET _close" << QByteArray() << 5000 << 405;
    QTest::newRow("send, no channel") << false << none << "POST _send" << QByteArray(R"({"code":"K9","text":"hi"})") << 5000 << 404;
    QTest::newRow("fault status 700") << false << none << "POST _fault" << QByteArray(R"({"status":700})") << 5000 << 400;
    QTest::newRow("fault delay -1") << false << none << "POST _fault" << QByteArray(R"({"delay":-1})") << 5000 << 400;

    QTest::newRow("fail one route, other asked") << false << QJsonObject{{"method", "PATCH"}, {"route", "device_model"}, {"status", 500}} << "GET device" << k1 << 5000 << 200;
    QTest::newRow("/_fault one method") << true << QJsonObject{{"method", "POST"}, {"status", 503}} << "POST device_work_records" << k1 << 5000 << 503;
    QTest::newRow("/_fault slow failure") << true << QJsonObject{{"method", "GET"}, {"route", "device"}, {"status", 500}, {"delay", 150}} << "GET device" << k1 << 5000 << 500;
    QTest::newRow("/_fault swallow") << true << QJsonObject{{"swallow", true}} << "GET device" << k1 << 300 << 0;
    // The answer falls due when its client has given up.
    QTest::newRow("late answer") << false << QJsonObject{{"method", "GET"}, {"route", "device"}, {"delay", 400}} << "GET device" << k1 << 150 << 0;
}

void tst_KvCloud::requests()
{
    QFETCH(bool, overHttp);
    QFETCH(QJsonObject, fault);
    QFETCH(QString, asked);
    QFETCH(QByteArray, body);
    QFETCH(int, clientMs);
    QFETCH(int, status);
    const QByteArray method = asked.section(' ', 0, 0).toLatin1(), faultMethod = fault.value("method").toString().toLatin1();
    const QString route = asked.section(' ', 1), faultRoute = fault.value("route").toString();
    const int delayMs = fault.value("delay").toInt();
    const bool swallow = fault.value("swallow").toBool();

    if (overHttp)
        QCOMPARE(statusOf(service->url(), "POST", "_fault", compact(fault).toUtf8()), 200);
    else if (!fault.isEmpty())
        service->setFault({fault.value("status").toInt(), delayMs, swallow}, faultMethod, faultRoute);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(statusOf(service->url(), method, route, body, clientMs), status);
    const qint64 atLeastMs = status == 0 ? clientMs : delayMs;
    QVERIFY2(clock.elapsed() >= atLeastMs * 9 / 10, QByteArray::number(clock.elapsed())); // timers may be coarse
    QCOMPARE(service->workRecords().size(), 0); // a refused or failed request changes nothing
    if (fault.isEmpty())
        return;
    // The request is on record either way, a swallowed one without a status; once the switch is
    // off, the route serves again.
    QCOMPARE(service->requests().last().toObject().value("status").isNull(), swallow);
    QVERIFY(QTest::qWaitFor([&] { return clock.elapsed() > delayMs + 50; })); // until a late answer went out
    service->setFault({}, faultMethod, faultRoute);
    QCOMPARE(statusOf(service->url(), method, route, body) / 100, 2);
    QCOMPARE(service->requests().size(), 2);
}

void tst_KvCloud::channelClosed_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("messageSize"); // 0: closed with POST /_close instead
    QTest::addColumn<int>("closeCode");
    QTest::newRow("another path") << "K1/Other/" << 1 << int(QWebSocketProtocol::CloseCodePolicyViolated);
    QTest::newRow("message too large") << "K1/Device/" << 8 * 1024 * 1024 + 1 << int(QWebSocketProtocol::CloseCodeTooMuchData);
    QTest::newRow("/_close") << "K1/Device/" << 0 << int(QWebSocketProtocol::CloseCodeNormal);
}

void tst_KvCloud::channelClosed()
{
    QFETCH(QString, path);
    QFETCH(int, messageSize);
    QFETCH(int, closeCode);
    QSignalSpy reported(service.get(), &KvCloudService::channelMessageReceived);
    QWebSocket channel;
    QSignalSpy connected(&channel, &QWebSocket::connected);
    QSignalSpy disconnected(&channel, &QWebSocket::disconnected);
    channel.open(QUrl(service->ws() + path));
    QVERIFY(connected.wait());
    if (messageSize > 0)
        channel.sendTextMessage(QString(messageSize, QLatin1Char('x')));
    else
        QCOMPARE(statusOf(service->url(), "POST", "_close", {}), 200);
    QTRY_COMPARE(disconnected.size(), 1);
    QCOMPARE(int(channel.closeCode()), closeCode);
    QCOMPARE(reported.size(), 0);
    QTRY_VERIFY(service->openChannels().isEmpty());
}

void tst_KvCloud::programRunsAndStopsOnSignal()
{
    QProcess program;
    program.start(qEnvironmentVariable("KVCLOUD"), {"--port", "0", "--ws-port", "0", "--fail", "503", "--delay", "150", "-v"});
    QVERIFY(program.waitForReadyRead(10000));
    const QString line = QString::fromUtf8(program.readLine());
    const QRegularExpressionMatch ports =
        QRegularExpression(R"(^kvcloud: HTTP (http://127\.0\.0\.1:\d+/) WebSocket (ws://127\.0\.0\.1:\d+/)\n$)").match(line);
    QVERIFY2(ports.hasMatch(), qPrintable(line));

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(statusOf(ports.captured(1), "GET", "device", R"({"code":"K1"})"), 503);
    QVERIFY2(clock.elapsed() >= 150, QByteArray::number(clock.elapsed()));
    program.terminate(); // SIGTERM
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(program.readAllStandardError().contains("GET device"));
}

QTEST_MAIN(tst_KvCloud)
#include "tst_kvcloud.moc"
