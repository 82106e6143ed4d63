// The local cloud service as its clients meet it: its routes and ids, its fault switches, what
// it shows of what it received, the device channels, and the kvcloud program.
#include "cloudsupport.h"

#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {
struct Answer
{
    int status = -1;
    QByteArray body;
};
} // namespace

class tst_KvCloud : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void routes_data();
    void routes();
    void idsLastForTheService();
    void faults_data();
    void faults();
    void recordsShowWhatWasReceived();
    void channelsOfDevices();
    void controlsOverHttp();
    void programRunsAndStopsOnSignal();

    void lateAnswerToAClientThatLeft();
    void channelClosedOnMisuse_data();
    void channelClosedOnMisuse();

private:
    Answer send(const QByteArray &method, const QString &route, const QByteArray &body, int timeoutMs = 5000);
    std::unique_ptr<QWebSocket> openChannel(const QString &path);

    std::unique_ptr<KvCloudService> service;
};

void tst_KvCloud::init()
{
    service = std::make_unique<KvCloudService>();
    QVERIFY(service->listen());
    service->addDevice({{"code", "K1"}, {"pcb", "p"}});
}

void tst_KvCloud::cleanup()
{
    service.reset();
}

Answer tst_KvCloud::send(const QByteArray &method, const QString &route, const QByteArray &body, int timeoutMs)
{
    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(service->url() + route));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    request.setTransferTimeout(timeoutMs);
    std::unique_ptr<QNetworkReply> reply(manager.sendCustomRequest(request, method, body));
    QSignalSpy finished(reply.get(), &QNetworkReply::finished);
    if (!finished.wait(timeoutMs + 2000))
        return {};
    return {reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
            reply->isReadable() ? reply->readAll() : QByteArray()};
}

std::unique_ptr<QWebSocket> tst_KvCloud::openChannel(const QString &path)
{
    auto channel = std::make_unique<QWebSocket>();
    QSignalSpy connected(channel.get(), &QWebSocket::connected);
    channel->open(QUrl(service->ws() + path));
    connected.wait();
    return channel;
}

void tst_KvCloud::routes_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("route");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("answer");

    QTest::newRow("query known") << QByteArray("GET") << "device" << QByteArray(R"({"code":"K1"})") << 200
                                 << QByteArray(R"({"code":"K1","id":1,"pcb":"p"})");
    QTest::newRow("query unknown") << QByteArray("GET") << "device" << QByteArray(R"({"code":"N1"})") << 404
                                   << QByteArray(R"({"error":"unknown device"})");
    QTest::newRow("update known") << QByteArray("PUT") << "device" << QByteArray(R"({"code":"K1","online":true})") << 200
                                  << QByteArray(R"({"code":"K1","id":1,"online":true})");
    QTest::newRow("update unknown") << QByteArray("PUT") << "device" << QByteArray(R"({"code":"N1"})") << 404
                                    << QByteArray(R"({"error":"unknown device"})");
    QTest::newRow("model") << QByteArray("PATCH") << "device_model" << QByteArray(R"({"code":13031})") << 200
                           << QByteArray(R"({"code":13031,"id":1})");
    QTest::newRow("create") << QByteArray("POST") << "device_model" << QByteArray(R"({"code":"N1","online":true})") << 200
                            << QByteArray(R"({"id":2})");
    QTest::newRow("create known") << QByteArray("POST") << "device_model" << QByteArray(R"({"code":"K1"})") << 200
                                  << QByteArray(R"({"id":1})");
    QTest::newRow("work record") << QByteArray("POST") << "device_work_records" << QByteArray(R"({"device":1})") << 200
                                 << QByteArray(R"({"id":1})");
    QTest::newRow("create without code") << QByteArray("POST") << "device_model" << QByteArray("{}") << 400
                                         << QByteArray(R"({"error":"a device record needs a code"})");
    QTest::newRow("wrong method") << QByteArray("DELETE") << "device" << QByteArray() << 405
                                  << QByteArray(R"({"error":"DELETE is not served on device"})");
    QTest::newRow("no such route") << QByteArray("GET") << "devices" << QByteArray() << 404
                                   << QByteArray(R"({"error":"no such route"})");
    QTest::newRow("not JSON") << QByteArray("POST") << "device_work_records" << QByteArray("[1]") << 400
                              << QByteArray(R"({"error":"the body is not a JSON object"})");
    QTest::newRow("body too large") << QByteArray("POST") << "device_work_records" << QByteArray(1024 * 1024 + 1, ' ')
                                    << 413 << QByteArray(R"({"error":"a body may have at most 1048576 bytes"})");
}

void tst_KvCloud::routes()
{
    QFETCH(QByteArray, method);
    QFETCH(QString, route);
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(QByteArray, answer);

    const Answer got = send(method, route, body);
    QCOMPARE(got.status, status);
    QCOMPARE(got.body, answer);
    QCOMPARE(service->workRecords().size(), route == QLatin1String("device_work_records") && status == 200 ? 1 : 0);
}

void tst_KvCloud::idsLastForTheService()
{
    QCOMPARE(send("POST", "device_model", R"({"code":"N1"})").body, QByteArray(R"({"id":2})"));
    QCOMPARE(send("POST", "device_model", R"({"code":"N2"})").body, QByteArray(R"({"id":3})"));
    QCOMPARE(send("POST", "device_model", R"({"code":"N1","online":true})").body, QByteArray(R"({"id":2})"));
    QCOMPARE(send("PUT", "device", R"({"code":"N2","version":"V2"})").status, 200);
    QCOMPARE(send("GET", "device", R"({"code":"N2"})").body, QByteArray(R"({"code":"N2","id":3,"version":"V2"})"));
    QCOMPARE(send("PATCH", "device_model", R"({"code":5})").body, QByteArray(R"({"code":5,"id":1})"));
    QCOMPARE(send("PATCH", "device_model", R"({"code":6})").body, QByteArray(R"({"code":6,"id":2})"));
    QCOMPARE(send("PATCH", "device_model", R"({"code":5})").body, QByteArray(R"({"code":5,"id":1})"));
}

void tst_KvCloud::faults_data()
{
    QTest::addColumn<QByteArray>("faultMethod");
    QTest::addColumn<QString>("faultRoute");
    QTest::addColumn<int>("failWith");
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<bool>("swallow");
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("route");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("atLeastMs");

    QTest::newRow("fail everything") << QByteArray() << QString() << 500 << 0 << false << QByteArray("GET") << "device" << 500 << 0;
    QTest::newRow("fail one route, other asked") << QByteArray("PATCH") << "device_model" << 500 << 0 << false
                                                 << QByteArray("GET") << "device" << 200 << 0;
    QTest::newRow("fail one route, it asked") << QByteArray("PATCH") << "device_model" << 503 << 0 << false
                                              << QByteArray("PATCH") << "device_model" << 503 << 0;
    QTest::newRow("fail one method") << QByteArray("POST") << QString() << 500 << 0 << false
                                     << QByteArray("POST") << "device_work_records" << 500 << 0;
    QTest::newRow("delay a route") << QByteArray() << "device" << 0 << 200 << false << QByteArray("GET") << "device" << 200 << 200;
    QTest::newRow("slow failure") << QByteArray("GET") << "device" << 500 << 150 << false << QByteArray("GET") << "device" << 500 << 150;
    QTest::newRow("swallow") << QByteArray("GET") << "device" << 0 << 0 << true << QByteArray("GET") << "device" << 0 << 350;
}

void tst_KvCloud::faults()
{
    QFETCH(QByteArray, faultMethod);
    QFETCH(QString, faultRoute);
    QFETCH(int, failWith);
    QFETCH(int, delayMs);
    QFETCH(bool, swallow);
    QFETCH(QByteArray, method);
    QFETCH(QString, route);
    QFETCH(int, status);
    QFETCH(int, atLeastMs);

    KvCloudFault fault;
    fault.status = failWith;
    fault.delayMs = delayMs;
    fault.swallow = swallow;
    service->setFault(fault, faultMethod, faultRoute);
    QElapsedTimer clock;
    clock.start();
    const Answer got = send(method, route, R"({"code":"K1"})", 400);
    QCOMPARE(got.status, status);
    QVERIFY2(clock.elapsed() >= atLeastMs, QByteArray::number(clock.elapsed()));
    // The request is on record either way; a swallowed one without a status.
    const QJsonObject request = service->requests().last().toObject();
    QCOMPARE(request.value("status").isNull(), swallow);
    QCOMPARE(failWith ? service->workRecords().size() : 0, 0); // a failed request changes nothing

    service->setFault({}, faultMethod, faultRoute);
    QCOMPARE(send(method, route, R"({"code":"K1"})").status / 100, 2);
}

void tst_KvCloud::recordsShowWhatWasReceived()
{
    send("GET", "device", R"({"code":"N1"})");
    send("POST", "device_work_records", R"({"device":1,"path_length":922})");
    const auto channel = openChannel(QStringLiteral("K1/Device/"));
    QSignalSpy reported(service.get(), &KvCloudService::channelMessageReceived);
    channel->sendTextMessage(QStringLiteral("report"));
    QVERIFY(reported.wait());

    const Answer got = send("GET", "_records", QByteArray());
    QCOMPARE(got.status, 200);
    const QJsonObject records = QJsonDocument::fromJson(got.body).object();
    QCOMPARE(compact(records.value("requests").toArray().at(0).toObject()),
             QString(R"({"body":{"code":"N1"},"method":"GET","route":"device","status":404})"));
    QCOMPARE(records.value("requests").toArray().size(), 2); // its own requests are not on record
    QCOMPARE(compact(records.value("work_records").toArray().at(0).toObject()), QString(R"({"device":1,"path_length":922})"));
    QCOMPARE(compact(records.value("channel_messages").toArray().at(0).toObject()), QString(R"({"code":"K1","text":"report"})"));
    QCOMPARE(records.value("devices").toArray().size(), 1);
}

void tst_KvCloud::channelsOfDevices()
{
    QSignalSpy opened(service.get(), &KvCloudService::channelOpened);
    const auto channel = openChannel(QStringLiteral("K1/Device/"));
    QVERIFY(channel->state() == QAbstractSocket::ConnectedState);
    QTRY_COMPARE(opened.size(), 1);
    QCOMPARE(opened.first().first().toString(), QStringLiteral("K1"));
    QCOMPARE(service->openChannels(), QStringList{"K1"});

    QSignalSpy texts(channel.get(), &QWebSocket::textMessageReceived);
    QVERIFY(service->sendText("K1", "Runtime?"));
    QVERIFY(!service->sendText("K2", "Runtime?"));
    QVERIFY(texts.wait());
    QCOMPARE(texts.first().first().toString(), QStringLiteral("Runtime?"));

    QSignalSpy closed(service.get(), &KvCloudService::channelClosed);
    QSignalSpy disconnected(channel.get(), &QWebSocket::disconnected);
    service->closeChannels();
    QVERIFY(disconnected.wait());
    QTRY_COMPARE(closed.size(), 1);
    QVERIFY(service->openChannels().isEmpty());
}

void tst_KvCloud::controlsOverHttp()
{
    const auto channel = openChannel(QStringLiteral("K1/Device/"));
    QSignalSpy texts(channel.get(), &QWebSocket::textMessageReceived);
    QCOMPARE(send("POST", "_send", R"({"code":"K1","text":"hi"})").status, 200);
    QTRY_COMPARE(texts.size(), 1);
    QCOMPARE(texts.first().first().toString(), QStringLiteral("hi"));
    QCOMPARE(send("POST", "_send", R"({"code":"K9","text":"hi"})").status, 404);

    QCOMPARE(send("POST", "_fault", R"({"route":"device","status":700})").status, 400);
    QCOMPARE(send("POST", "_fault", R"({"route":"device","delay":-1})").status, 400);
    QCOMPARE(send("GET", "device", R"({"code":"K1"})").status, 200);
    QCOMPARE(send("POST", "_fault", R"({"route":"device","status":503})").status, 200);
    QCOMPARE(send("GET", "device", R"({"code":"K1"})").status, 503);
    QCOMPARE(send("POST", "_fault", R"({"route":"device"})").status, 200);
    QCOMPARE(send("GET", "device", R"({"code":"K1"})").status, 200);

    QSignalSpy disconnected(channel.get(), &QWebSocket::disconnected);
    QCOMPARE(send("POST", "_close", QByteArray()).body, QByteArray(R"({"closed":1})"));
    QTRY_COMPARE(disconnected.size(), 1);
}

void tst_KvCloud::programRunsAndStopsOnSignal()
{
    QProcess program;
    program.start(qEnvironmentVariable("KVCLOUD"), {"--port", "0", "--ws-port", "0", "--fail", "503", "-v"});
    QVERIFY(program.waitForReadyRead(10000));
    const QString line = QString::fromUtf8(program.readLine());
    const QRegularExpressionMatch ports =
        QRegularExpression(R"(^kvcloud: HTTP (http://127\.0\.0\.1:\d+/) WebSocket (ws://127\.0\.0\.1:\d+/)\n$)").match(line);
    QVERIFY2(ports.hasMatch(), qPrintable(line));

    PivenaCloud client(ports.captured(1), ports.captured(2));
    int status = -1;
    client.customRequest("device", "GET", {{"code", "K1"}},
                         [&status](QNetworkReply *reply, bool) {
                             status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
                         });
    QTRY_COMPARE(status, 503);

    program.terminate(); // SIGTERM
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(program.readAllStandardError().contains("GET device"));
}

void tst_KvCloud::lateAnswerToAClientThatLeft()
{
    KvCloudFault slow;
    slow.delayMs = 300;
    service->setFault(slow, "GET", "device");
    QSignalSpy received(service.get(), &KvCloudService::requestReceived);
    QCOMPARE(send("GET", "device", R"({"code":"K1"})", 100).status, 0); // the client gives up
    QTest::qWait(400); // the answer falls due with nobody to take it
    service->clearFaults();
    QCOMPARE(send("GET", "device", R"({"code":"K1"})").status, 200);
    QCOMPARE(received.size(), 2);
}

void tst_KvCloud::channelClosedOnMisuse_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("messageSize");
    QTest::addColumn<int>("closeCode");
    QTest::newRow("another path") << "K1/Other/" << 0 << int(QWebSocketProtocol::CloseCodePolicyViolated);
    QTest::newRow("message too large") << "K1/Device/" << 8 * 1024 * 1024 + 1 << int(QWebSocketProtocol::CloseCodeTooMuchData);
}

void tst_KvCloud::channelClosedOnMisuse()
{
    QFETCH(QString, path);
    QFETCH(int, messageSize);
    QFETCH(int, closeCode);
    QSignalSpy reported(service.get(), &KvCloudService::channelMessageReceived);
    auto channel = std::make_unique<QWebSocket>();
    QSignalSpy disconnected(channel.get(), &QWebSocket::disconnected);
    connect(channel.get(), &QWebSocket::connected, this,
            [&] { channel->sendTextMessage(QString(messageSize, QLatin1Char('x'))); });
    channel->open(QUrl(service->ws() + path));
    QVERIFY(disconnected.wait());
    QCOMPARE(int(channel->closeCode()), closeCode);
    QCOMPARE(reported.size(), 0);
    QTRY_VERIFY(service->openChannels().isEmpty());
}

QTEST_MAIN(tst_KvCloud)
#include "tst_kvcloud.moc"
