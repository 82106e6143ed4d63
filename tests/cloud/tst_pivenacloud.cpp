// Our cloud client against real HTTP servers on 127.0.0.1: what goes on the wire, what the
// callback gets, and how a request without an answer ends.
#include "cloudsupport.h"

#include <QElapsedTimer>
#include <QNetworkRequest>
#include <QPointer>

namespace {
struct Outcome
{
    int calls = 0;
    int status = -1;
    bool ok = false;
    QJsonObject answer;
    QPointer<QNetworkReply> reply;
};

PivenaCloud::Callback recordInto(Outcome *outcome)
{
    return [outcome](QNetworkReply *reply, bool ok) {
        ++outcome->calls;
        outcome->ok = ok;
        outcome->status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        outcome->answer = QJsonDocument::fromJson(reply->isReadable() ? reply->readAll() : QByteArray()).object();
        outcome->reply = reply;
    };
}
} // namespace

class tst_PivenaCloud : public CloudTest
{
    Q_OBJECT
private slots:
    void init() { QVERIFY(startCloud()); }
    void cleanup() { stopCloud(); }

    void requestOnTheWire_data();
    void requestOnTheWire();
    void callbackOnce_data();
    void callbackOnce();
};

void tst_PivenaCloud::requestOnTheWire_data()
{
    QTest::addColumn<QString>("basePath");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QJsonObject>("body");
    QTest::addColumn<QByteArray>("requestLine");

    const QJsonObject code{{QStringLiteral("code"), DeviceCode}};
    QTest::newRow("GET with a body") << "/" << "device" << QByteArray("GET") << code << QByteArray("GET /device HTTP/1.1");
    QTest::newRow("base without slash") << "" << "device_model" << QByteArray("PATCH") << QJsonObject{{QStringLiteral("code"), 13031}} << QByteArray("PATCH /device_model HTTP/1.1");
    QTest::newRow("base with a folder") << "/api" << "device" << QByteArray("PUT") << code << QByteArray("PUT /api/device HTTP/1.1");
    QTest::newRow("folder with slash") << "/api/" << "device_work_records" << QByteArray("POST") << QJsonObject{{QStringLiteral("page_size"), QStringLiteral("300x200")}} << QByteArray("POST /api/device_work_records HTTP/1.1");
    QTest::newRow("empty body") << "/" << "device" << QByteArray("GET") << QJsonObject() << QByteArray("GET /device HTTP/1.1");
}

void tst_PivenaCloud::requestOnTheWire()
{
    QFETCH(QString, basePath);
    QFETCH(QString, path);
    QFETCH(QByteArray, method);
    QFETCH(QJsonObject, body);
    QFETCH(QByteArray, requestLine);

    PeerServer peer;
    client->setUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(peer.serverPort()).arg(basePath));
    Outcome outcome;
    const bool answerWanted = path != QLatin1String("device_work_records"); // work records are posted without
    client->customRequest(path, method, body, answerWanted ? recordInto(&outcome) : PivenaCloud::Callback());
    const QByteArray json = QJsonDocument(body).toJson(QJsonDocument::Compact);
    QTRY_VERIFY(peer.received.contains("\r\n\r\n") && peer.received.endsWith(json));
    const QByteArray head = peer.received.left(peer.received.indexOf("\r\n\r\n")).toLower();
    QCOMPARE(peer.received.left(peer.received.indexOf("\r\n")), requestLine);
    QVERIFY2(head.contains("\r\ncontent-type: application/json") && head.contains("content-length: " + QByteArray::number(json.size())),
             head.constData());
    peer.client->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: 2\r\n\r\n{}");
    QTRY_COMPARE(pendingReplies(*client), 0);
    QCOMPARE(outcome.calls, answerWanted ? 1 : 0);
    QCOMPARE(outcome.ok, answerWanted);
}

// Every request ends in one call of its callback, never from inside customRequest: with the
// service's answer, or with status 0 when none came (time-out, no server, no usable address).
void tst_PivenaCloud::callbackOnce_data()
{
    QTest::addColumn<QString>("url"); // %1: the service's port; empty: the service itself
    QTest::addColumn<KvCloudFault>("fault");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("id");

    QTest::newRow("known device") << QString() << KvCloudFault{} << DeviceCode << 200 << 1;
    QTest::newRow("unknown device") << QString() << KvCloudFault{} << QStringLiteral("SIM0000other") << 404 << 0;
    QTest::newRow("service error") << QString() << KvCloudFault{500, 0, false} << DeviceCode << 500 << 0;
    QTest::newRow("no answer: time-out") << QString() << KvCloudFault{0, 0, true} << DeviceCode << 0 << 0;
    QTest::newRow("port closed") << QStringLiteral("http://127.0.0.1:%1/").arg(closedPort()) << KvCloudFault{} << DeviceCode << 0 << 0;
    QTest::newRow("https to a plain server") << "https://127.0.0.1:%1/" << KvCloudFault{} << DeviceCode << 0 << 0;
    QTest::newRow("no address") << "-" << KvCloudFault{} << DeviceCode << 0 << 0;
    QTest::newRow("not a web address") << "ftp://127.0.0.1:%1/" << KvCloudFault{} << DeviceCode << 0 << 0;
}

void tst_PivenaCloud::callbackOnce()
{
    QFETCH(QString, url);
    QFETCH(KvCloudFault, fault);
    QFETCH(QString, code);
    QFETCH(int, status);
    QFETCH(int, id);

    service->addDevice({{QStringLiteral("code"), DeviceCode}});
    service->setFault(fault);
    if (!url.isEmpty())
        client->setUrl(url == QLatin1String("-") ? QString() : url.contains(QLatin1String("%1")) ? url.arg(service->httpPort()) : url);
    // Failures end the request long before the time-out.
    const int timeoutMs = fault.swallow ? 300 : 20000;
    client->setTimeout(timeoutMs);
    Outcome outcome;
    QElapsedTimer clock;
    clock.start();
    client->customRequest(QStringLiteral("device"), "GET", {{QStringLiteral("code"), code}}, recordInto(&outcome));
    QCOMPARE(outcome.calls, 0);
    QTRY_COMPARE_WITH_TIMEOUT(outcome.calls, 1, 10000);
    QVERIFY2(fault.swallow ? clock.elapsed() >= timeoutMs * 9 / 10 : clock.elapsed() < 10000, QByteArray::number(clock.elapsed()));
    QCOMPARE(outcome.status, status);
    QCOMPARE(outcome.ok, status == 200);
    QCOMPARE(outcome.answer.value(QLatin1String("id")).toInt(), id);
    // The reply goes right after the callback, and the callback is not called again.
    QTRY_VERIFY(!outcome.reply);
    QCOMPARE(pendingReplies(*client), 0);
    QCOMPARE(outcome.calls, 1);
}

QTEST_MAIN(tst_PivenaCloud)
#include "tst_pivenacloud.moc"
