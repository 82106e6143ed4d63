// Load: many device objects in one host process, each flooding the simulated plotter with bursts
// of reads over its own TCP connection. Every round of bursts is answered in full (no stall),
// every answer reaches its own device and record, and memory stays flat once warmed up: a hundred
// more rounds add no more than allocator noise.
#include "benchreport.h"
#include "simulator.h"

#include "kvdeviceproperty.h"
#include "kvrv520maxcam.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <vector>

namespace {
constexpr int Devices = 100;
constexpr int Burst = 5; // reads each device sends back to back in one round
constexpr int WarmUpRounds = 20;

// Records each device polls, one per device in turn: answers that reach the wrong device or the
// wrong record show up as answers on a record nobody asked.
const char *const PolledKeys[] = {"SPEED", "PRESSURE", "FIRMWARE", "DEVICE_ID", "PCB_ID",
                                  "PCB_VERSION", "WORK_MODE", "TASK_MODE", "CAMERA_OFFSET"};

struct Poller
{
    std::unique_ptr<KVDeviceInterface> device;
    KVDeviceProperty *polled = nullptr;
    qint64 sent = 0;
    qint64 answered = 0;
    qint64 strayAnswers = 0; // answers on a record this device did not ask, or with nothing asked
    qint64 outstanding = 0;
};
} // namespace

class tst_Load : public QObject
{
    Q_OBJECT
private slots:
    void hundredDevicesFlooding();
};

void tst_Load::hundredDevicesFlooding()
{
    const int rounds = qEnvironmentVariableIntValue("KV_LOAD_ROUNDS") > 0 ? qEnvironmentVariableIntValue("KV_LOAD_ROUNDS")
                                                                           : 100;
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

    // One round: every device sends its burst, then all answers are awaited.
    const auto round = [&pollers] {
        for (auto &poller : pollers) {
            const QByteArray read = poller->polled->get_cmd_bytes();
            for (int i = 0; i < Burst; ++i) {
                ++poller->outstanding;
                ++poller->sent;
                poller->device->sendCMD(read);
            }
        }
        return QTest::qWaitFor([&pollers] {
            return std::all_of(pollers.begin(), pollers.end(), [](const auto &p) { return p->outstanding == 0; });
        }, 10000);
    };
    for (int i = 0; i < WarmUpRounds; ++i)
        QVERIFY2(round(), "a round of reads stalled");
    const long long residentWarm = residentBytes();
    for (int i = 0; i < rounds; ++i)
        QVERIFY2(round(), qPrintable(QStringLiteral("round %1 of reads stalled").arg(i)));
    const long long residentAtEnd = residentBytes();

    qint64 sent = 0, answered = 0, stray = 0;
    for (const auto &poller : pollers) {
        sent += poller->sent;
        answered += poller->answered;
        stray += poller->strayAnswers;
    }
    std::printf("load: %d devices, %d rounds of %d reads each: %lld requests, %lld answers, %lld stray; "
                "resident %.1f MB warmed up, %.1f MB at the end\n",
                Devices, WarmUpRounds + rounds, Burst, sent, answered, stray, residentWarm / 1e6, residentAtEnd / 1e6);
    QCOMPARE(answered, sent);
    QCOMPARE(stray, qint64(0));
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer keeps freed memory in quarantine until its cap: the resident size of an
    // instrumented process climbs by design, so flatness is judged in the normal build only.
    return;
#endif
    // Flat: what a warmed-up process adds in the rest of the run stays within allocator noise.
    QVERIFY2(residentAtEnd - residentWarm < 4 * 1024 * 1024,
             qPrintable(QStringLiteral("resident grew by %1 KB").arg((residentAtEnd - residentWarm) / 1024)));
}

QTEST_GUILESS_MAIN(tst_Load)
#include "tst_load.moc"
