// Load: many device objects in one host process, each polling the simulated plotter over its own
// TCP connection. Every request must get its answer, on its own device and record, and memory
// must stay flat once warmed up.
#include "benchreport.h"
#include "simulator.h"

#include "kvdeviceproperty.h"
#include "kvrv520maxcam.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>
#include <vector>

namespace {
constexpr int Devices = 100;
constexpr int ReadsPerSecond = 20;

// Records each device polls, one per device in turn: answers that reach the wrong device or the
// wrong record show up as answers on a record nobody asked.
const char *const PolledKeys[] = {"SPEED", "PRESSURE", "FIRMWARE", "DEVICE_ID", "PCB_ID",
                                  "PCB_VERSION", "WORK_MODE", "TASK_MODE", "CAMERA_OFFSET"};

struct Poller
{
    std::unique_ptr<KVDeviceInterface> device;
    KVDeviceProperty *polled = nullptr;
    QTimer timer;
    qint64 sent = 0;
    qint64 answered = 0;
    qint64 strayAnswers = 0; // answers on a record this device did not ask, or with nothing asked
    qint64 outstanding = 0;
    qint64 overdue = 0; // ticks that found the previous read still unanswered
};
} // namespace

class tst_Load : public QObject
{
    Q_OBJECT
private slots:
    void hundredDevicesPolling();
};

void tst_Load::hundredDevicesPolling()
{
    const int seconds = qEnvironmentVariableIntValue("KV_LOAD_SECONDS") > 0
                            ? qEnvironmentVariableIntValue("KV_LOAD_SECONDS") : 60;
    KvSimulator simulator(583);
    QVERIFY(simulator.listenTcp(0));
    KVRV520MAXCam root;

    std::vector<std::unique_ptr<Poller>> pollers;
    for (int i = 0; i < Devices; ++i) {
        auto poller = std::make_unique<Poller>();
        poller->device.reset(root.initInstance());
        KVDeviceInterface *device = poller->device.get();
        poller->polled = device->property_ptr(PolledKeys[i % std::size(PolledKeys)]);
        for (const QByteArray &name : device->dynamicPropertyNames()) {
            KVDeviceProperty *record = device->property_ptr(name.constData());
            if (!record)
                continue;
            Poller *p = poller.get();
            connect(record, &KVDeviceProperty::retStatus, record, [p, record](int) {
                if (record != p->polled || p->outstanding == 0) {
                    ++p->strayAnswers;
                    return;
                }
                --p->outstanding;
                ++p->answered;
            });
        }
        device->setIPAddress(QStringLiteral("127.0.0.1"));
        device->property_ptr("TCP_PORT")->setValue(int(simulator.tcpPort()));
        QVERIFY(device->connectDevice());
        pollers.push_back(std::move(poller));
    }
    QTRY_COMPARE_WITH_TIMEOUT(simulator.connectionCount(), Devices, 20000);
    for (auto &poller : pollers)
        QTRY_COMPARE(poller->device->property_ptr("STATUS")->value().toInt(), 2);

    for (auto &poller : pollers) {
        Poller *p = poller.get();
        const QByteArray read = p->polled->get_cmd_bytes();
        p->timer.setInterval(1000 / ReadsPerSecond);
        connect(&p->timer, &QTimer::timeout, &p->timer, [p, read] {
            if (p->outstanding > 0)
                ++p->overdue;
            ++p->outstanding;
            ++p->sent;
            p->device->sendCMD(read);
        });
        p->timer.start();
    }

    QElapsedTimer clock;
    clock.start();
    long long residentAt10 = 0;
    QTest::qWait(10000);
    residentAt10 = residentBytes();
    while (clock.elapsed() < seconds * 1000)
        QTest::qWait(500);
    const long long residentAtEnd = residentBytes();
    for (auto &poller : pollers)
        poller->timer.stop();
    // The last requests are still on their way.
    QTRY_VERIFY_WITH_TIMEOUT(std::all_of(pollers.begin(), pollers.end(), [](const auto &p) { return p->outstanding == 0; }),
                             30000);

    qint64 sent = 0, answered = 0, stray = 0, overdue = 0;
    for (const auto &poller : pollers) {
        sent += poller->sent;
        answered += poller->answered;
        stray += poller->strayAnswers;
        overdue += poller->overdue;
    }
    std::printf("load: %d devices, %d reads/s each, %d s: %lld requests, %lld answers, %lld stray, %lld overdue; "
                "resident %.1f MB at 10 s, %.1f MB at %d s\n",
                Devices, ReadsPerSecond, seconds, sent, answered, stray, overdue, residentAt10 / 1e6,
                residentAtEnd / 1e6, seconds);
    QCOMPARE(answered, sent);
    QCOMPARE(stray, qint64(0));
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer keeps freed memory in quarantine until its cap: the resident size of an
    // instrumented process climbs by design, so flatness is judged in the normal build only.
    return;
#endif
    // Flat: what a warmed-up process adds in the rest of the run stays within allocator noise.
    QVERIFY2(residentAtEnd - residentAt10 < 4 * 1024 * 1024,
             qPrintable(QStringLiteral("resident grew by %1 KB").arg((residentAtEnd - residentAt10) / 1024)));
}

QTEST_GUILESS_MAIN(tst_Load)
#include "tst_load.moc"
