// Our cloud client against real HTTP servers on 127.0.0.1: what goes on the wire, what the
// callback gets, and how a request without an answer ends.
#include "cloudsupport.h"

#include <QElapsedTimer>
#include <QNetworkRequest>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <memory>

namespace {
// Takes one HTTP request whole (head and Content-Length body) and answers 200 "{}".
class RawHttpServer : public QTcpServer
{
    Q_OBJECT
public:
    QByteArray head;
    QByteArray body;

    RawHttpServer()
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *client = nextPendingConnection();
            connect(client, &QTcpSocket::readyRead, this, [this, client] { take(client); });
        });
    }

    QByteArray header(const QByteArray &name) const
    {
        for (const QByteArray &line : head.split('\n')) {
            const qsizetype colon = line.indexOf(':');
            if (colon > 0 && line.left(colon).trimmed().toLower() == name)
                return line.mid(colon + 1).trimmed();
        }
        return {};
    }

Q_SIGNALS:
    void requestTaken();

private:
    void take(QTcpSocket *client)
    {
        m_pending += client->readAll();
        const qsizetype end = m_pending.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        head = m_pending.left(end);
        const QByteArray length = header("content-length");
        if (m_pending.size() < end + 4 + length.toInt())
            return;
        body = m_pending.mid(end + 4);
        m_pending.clear();
        client->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: 2\r\n\r\n{}");
        Q_EMIT requestTaken();
    }

    QByteArray m_pending;
};

struct Outcome
{
    int calls = 0;
    int status = -1;
    bool ok = false;
    QJsonObject answer;
    QUrl url;
    QPointer<QNetworkReply> reply;
};

PivenaCloud::Callback recordInto(Outcome *outcome)
{
    return [outcome](QNetworkReply *reply, bool ok) {
        ++outcome->calls;
        outcome->ok = ok;
        outcome->status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        outcome->answer = QJsonDocument::fromJson(reply->isReadable() ? reply->readAll() : QByteArray()).object();
        outcome->url = reply->url();
        outcome->reply = reply;
    };
}

} // namespace

class tst_PivenaCloud : public CloudTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void requestOnTheWire_data();
    void requestOnTheWire();
    void answersReachTheCallbackOnce_data();
    void answersReachTheCallbackOnce();
    void emptyCallbackIsAllowed();

    void noAnswerEndsWithStatusZero();
    void unreachableServiceFailsCleanly_data();
    void unreachableServiceFailsCleanly();
    void clientDestroyedWithRequestsInFlight();
};

void tst_PivenaCloud::init()
{
    QVERIFY(startCloud());
}

void tst_PivenaCloud::cleanup()
{
    stopCloud();
}

void tst_PivenaCloud::requestOnTheWire_data()
{
    QTest::addColumn<QString>("basePath");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QJsonObject>("body");
    QTest::addColumn<QByteArray>("requestLine");

    const QJsonObject code{{QStringLiteral("code"), DeviceCode}};
    QTest::newRow("GET with a body") << "/" << "device" << QByteArray("GET") << code << QByteArray("GET /device HTTP/1.1");
    QTest::newRow("base without slash") << "" << "device_model" << QByteArray("PATCH")
                                        << QJsonObject{{QStringLiteral("code"), 13031}} << QByteArray("PATCH /device_model HTTP/1.1");
    QTest::newRow("base with a folder") << "/api" << "device" << QByteArray("PUT") << code << QByteArray("PUT /api/device HTTP/1.1");
    QTest::newRow("folder with slash") << "/api/" << "device_work_records" << QByteArray("POST")
                                       << QJsonObject{{QStringLiteral("page_size"), QStringLiteral("300x200")}}
                                       << QByteArray("POST /api/device_work_records HTTP/1.1");
    QTest::newRow("empty body") << "/" << "device" << QByteArray("GET") << QJsonObject() << QByteArray("GET /device HTTP/1.1");
}

void tst_PivenaCloud::requestOnTheWire()
{
    QFETCH(QString, basePath);
    QFETCH(QString, path);
    QFETCH(QByteArray, method);
    QFETCH(QJsonObject, body);
    QFETCH(QByteArray, requestLine);

    RawHttpServer raw;
    QSignalSpy taken(&raw, &RawHttpServer::requestTaken);
    client->setUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(raw.serverPort()).arg(basePath));
    Outcome outcome;
    client->customRequest(path, method, body, recordInto(&outcome));
    QVERIFY(taken.wait());
    QCOMPARE(raw.head.left(raw.head.indexOf("\r\n")), requestLine);
    QCOMPARE(raw.header("content-type"), QByteArray("application/json"));
    QCOMPARE(raw.body, QJsonDocument(body).toJson(QJsonDocument::Compact));
    QTRY_COMPARE(outcome.calls, 1);
    QVERIFY(outcome.ok);
}

void tst_PivenaCloud::answersReachTheCallbackOnce_data()
{
    QTest::addColumn<int>("failWith");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("id");

    QTest::newRow("known device") << 0 << DeviceCode << 200 << true << 1;
    QTest::newRow("unknown device") << 0 << QStringLiteral("SIM0000other") << 404 << false << 0;
    QTest::newRow("service error") << 500 << DeviceCode << 500 << false << 0;
    QTest::newRow("unavailable") << 503 << DeviceCode << 503 << false << 0;
}

void tst_PivenaCloud::answersReachTheCallbackOnce()
{
    QFETCH(int, failWith);
    QFETCH(QString, code);
    QFETCH(int, status);
    QFETCH(bool, ok);
    QFETCH(int, id);

    service->addDevice({{QStringLiteral("code"), DeviceCode}});
    KvCloudFault fault;
    fault.status = failWith;
    service->setFault(fault);
    Outcome outcome;
    client->customRequest(QStringLiteral("device"), "GET", {{QStringLiteral("code"), code}}, recordInto(&outcome));
    QTRY_COMPARE(outcome.calls, 1);
    QCOMPARE(outcome.status, status);
    QCOMPARE(outcome.ok, ok);
    QCOMPARE(outcome.answer.value(QLatin1String("id")).toInt(), id);
    // The reply goes right after the callback, and the callback is not called again.
    QTRY_VERIFY(!outcome.reply);
    QCOMPARE(pendingReplies(*client), 0);
    QCOMPARE(outcome.calls, 1);
}

void tst_PivenaCloud::emptyCallbackIsAllowed()
{
    QSignalSpy received(service.get(), &KvCloudService::requestReceived);
    client->customRequest(QStringLiteral("device_work_records"), "POST", {{QStringLiteral("task_copies"), 2}}, {});
    QVERIFY(received.wait());
    QTRY_COMPARE(pendingReplies(*client), 0);
    QCOMPARE(service->workRecords().size(), 1);
}

void tst_PivenaCloud::noAnswerEndsWithStatusZero()
{
    KvCloudFault swallow;
    swallow.swallow = true;
    service->setFault(swallow);
    client->setTimeout(300);
    Outcome outcome;
    QElapsedTimer clock;
    clock.start();
    client->customRequest(QStringLiteral("device"), "GET", {{QStringLiteral("code"), DeviceCode}}, recordInto(&outcome));
    QTRY_COMPARE_WITH_TIMEOUT(outcome.calls, 1, 5000);
    QVERIFY2(clock.elapsed() >= 290, QByteArray::number(clock.elapsed()));
    QCOMPARE(outcome.status, 0);
    QVERIFY(!outcome.ok);
    QTRY_VERIFY(!outcome.reply);
    QCOMPARE(outcome.calls, 1);
}

void tst_PivenaCloud::unreachableServiceFailsCleanly_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("scheme");
    QTest::newRow("port closed") << QStringLiteral("http://127.0.0.1:%1/").arg(closedPort()) << "http";
    QTest::newRow("https to a plain server") << QStringLiteral("https://127.0.0.1:%1/") << "https";
    QTest::newRow("no address") << QString() << QString();
    QTest::newRow("not a web address") << QStringLiteral("ftp://127.0.0.1:%1/") << "ftp";
}

void tst_PivenaCloud::unreachableServiceFailsCleanly()
{
    QFETCH(QString, url);
    QFETCH(QString, scheme);
    client->setUrl(url.contains(QLatin1String("%1")) ? url.arg(service->httpPort()) : url);
    client->setTimeout(20000);
    Outcome outcome;
    QElapsedTimer clock;
    clock.start();
    client->customRequest(QStringLiteral("device"), "GET", {{QStringLiteral("code"), DeviceCode}}, recordInto(&outcome));
    QCOMPARE(outcome.calls, 0); // never from inside the call
    QTRY_COMPARE_WITH_TIMEOUT(outcome.calls, 1, 10000);
    QVERIFY2(clock.elapsed() < 10000, "ended by the failure, not by the time-out");
    QCOMPARE(outcome.url.scheme(), scheme);
    QCOMPARE(outcome.status, 0);
    QVERIFY(!outcome.ok);
    QTRY_COMPARE(pendingReplies(*client), 0);
}

void tst_PivenaCloud::clientDestroyedWithRequestsInFlight()
{
    KvCloudFault slow;
    slow.delayMs = 100;
    service->setFault(slow);
    QSignalSpy received(service.get(), &KvCloudService::requestReceived);
    Outcome outcome;
    client->customRequest(QStringLiteral("device"), "GET", {{QStringLiteral("code"), DeviceCode}}, recordInto(&outcome));
    QVERIFY(received.wait());
    client.reset();
    QTest::qWait(250); // past the delayed answer, which has no client to reach
    QCOMPARE(outcome.calls, 0);
}

QTEST_MAIN(tst_PivenaCloud)
#include "tst_pivenacloud.moc"
