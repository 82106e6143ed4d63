// kvfuzz_seeds CORPUS_FOLDER EXAMPLES_FOLDER
//
// Writes the seed corpus of the fuzz targets from what the project itself sends and answers:
// every read and write frame of both catalogues goes to the plotter simulator, and its replies
// (plus the notices of a job) become the line streams of the receive targets and the value
// lists of the decode target; the example plot files seed the plot target. Run once after the
// catalogues or the simulator change, and commit the files.
#include "chunks.h"
#include "decoderecords.h"
#include "framestream.h"
#include "fuzzdevices.h"
#include "kvdeviceproperty.h"
#include "simdevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QSet>
#include <QStringEncoder>
#include <QTextStream>
#include <QTimer>

#include <functional>
#include <string_view>

namespace {

struct Exchange
{
    QString key;
    QList<QByteArray> replies;
};

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        QTextStream(stderr) << "kvfuzz_seeds: cannot write " << path << '\n';
        return false;
    }
    return true;
}

// The simulator's answers to the read and write frames of every record of `device`.
QList<Exchange> catalogueExchanges(KVDeviceInterface *device, KvSimDevice *simulator)
{
    QList<Exchange> exchanges;
    for (const QByteArray &name : device->dynamicPropertyNames()) {
        const KVDeviceProperty *record = KVDeviceProperty::fromHolder(device, name.constData());
        if (!record)
            continue;
        Exchange exchange{ QString::fromLatin1(name).toLower(), {} };
        for (const QByteArray &request : { record->get_cmd_bytes(), record->set_cmd_bytes() }) {
            if (!request.isEmpty())
                exchange.replies += simulator->handle(request);
        }
        if (!exchange.replies.isEmpty())
            exchanges.append(exchange);
    }
    return exchanges;
}

// Sends what a device sends for a one-copy job to the simulator and collects the replies and
// the notices until the job ends.
template<typename Device>
class JobRecorder : public Device
{
public:
    explicit JobRecorder(KvSimDevice *simulator) : m_simulator(simulator) {}
    void sendCMD(QByteArray frame) override
    {
        if (!frame.isEmpty())
            received += m_simulator->handle(frame);
    }
    QList<QByteArray> received;

private:
    KvSimDevice *m_simulator;
};

template<typename Device>
Exchange jobExchange(int family)
{
    KvSimDevice simulator(family);
    simulator.setTimeScale(0);
    JobRecorder<Device> device(&simulator);
    QObject::connect(&simulator, &KvSimDevice::notice, &device, [&device](const QByteArray &frame) { device.received << frame; });
    QEventLoop loop;
    QObject::connect(&simulator, &KvSimDevice::jobEnded, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    if (KVDeviceProperty *copies = device.property_ptr("TASK_COPIES"))
        copies->setValue(1);
    device.setPlt(QStringLiteral("IN;PU0,0;PD400,0,400,400,0,400,0,0;PU0,0;"));
    device.startTask();
    loop.exec();
    return { QStringLiteral("job"), device.received };
}

// The same replies as whole chunks, then cut at odd places, so a seed also shows frames that
// arrive in pieces.
QByteArray lineStream(const QList<QByteArray> &replies)
{
    const QByteArray all = replies.join();
    const qsizetype third = all.size() / 3;
    return KvFuzz::encodeChunks(replies)
           + KvFuzz::encodeChunks({ all.left(third), all.mid(third, third), all.mid(2 * third) });
}

// Line faults around real replies: noise before a frame, a lost tail, a candidate without a
// start byte, and a stream that sends no frame end for longer than the receive limit.
QList<Exchange> faultyStreams(const QList<Exchange> &exchanges)
{
    const QByteArray first = exchanges.value(0).replies.value(0);
    const QByteArray second = exchanges.value(1).replies.value(0);
    return {
        { QStringLiteral("fault_noise"), { "AB" + first, second } },
        { QStringLiteral("fault_lost_tail"), { first.left(first.size() / 2), second } },
        { QStringLiteral("fault_no_start"), { first.mid(1), second } },
    };
}

bool writeReceiveCorpus(const QDir &folder, const QList<Exchange> &exchanges)
{
    for (const Exchange &exchange : exchanges) {
        if (!writeFile(folder.filePath(exchange.key + QStringLiteral(".bin")), lineStream(exchange.replies)))
            return false;
    }
    const QByteArray reply = exchanges.value(0).replies.value(0);
    const QByteArray endless = KvFuzz::encodeRepeated(QByteArray(1, KVFrameStream::Stx) + QByteArray(200, 'A'), 400)
                               + KvFuzz::encodeChunks({ reply });
    return writeFile(folder.filePath(QStringLiteral("fault_endless.bin")), endless);
}

// The value lists that reply dispatch would hand over for the replies: the values of a CCMD
// reply follow its code and result; each item of a CMD reply gives one.
QList<QString> replyValues(const QByteArray &frame)
{
    const QStringList fields = QString::fromUtf8(frame).split(QLatin1Char(';'));
    if (fields.size() < 3)
        return {};
    if (fields.at(1) == QLatin1String("CCMD"))
        return fields.at(2).split(QLatin1Char(',')).mid(2);
    QList<QString> values;
    KVCommonInterface parser;
    for (qsizetype i = 2; i < fields.size() - 1; ++i) {
        QString head;
        int code = 0;
        QString value;
        parser.decode_cmd(fields.at(i), head, code, value);
        values << value;
    }
    return values;
}

bool writeDecodeCorpus(const QDir &folder, const QList<Exchange> &exchanges)
{
    KvFuzz::DecodeRecords records;
    QSet<QStringList> written;
    for (const Exchange &exchange : exchanges) {
        for (const QByteArray &reply : exchange.replies) {
            const QList<QString> values = replyValues(reply);
            if (values.isEmpty() || written.contains(values))
                continue;
            written.insert(values);
            QByteArray input;
            for (int index = 0; index < records.all().size(); ++index)
                input += records.inputLine(index, values);
            if (!writeFile(folder.filePath(QStringLiteral("values_%1.bin").arg(written.size(), 3, 10, QLatin1Char('0'))), input))
                return false;
        }
    }
    return true;
}

using namespace std::string_view_literals;

// Small plots of our own, one per instruction family and wrapper the plot reader knows.
const std::string_view PlotSeeds[] = {
    "IN;SP1;PU400,0;PD800,0,800,400;PA;PR;PD-400,0;PU;"sv,
    "pu 0 0 pd 400 0 pr 0 400 -400 0PAPD0,0"sv,
    "IN;IP0,0,4000,4000;SC0,100,0,100;PU0,0;PD100,100;SC0,100,0,100,1,20,80;PD0,0;SC0,2,0,2,2;PD10,10;SC;"sv,
    "PS8000,4000;RO90;IR10,10,90,90;IW0,0,2000,2000;PU0,0;PD4000,4000;IW;RO180;PD0,0;"sv,
    "PU4000,4000;CI400;CI-400,2;CT1;CI400,2;AA3000,4000,90;AR0,400,-270,10;AT4200,4200,4400,4000;RT100,100,200,0;"sv,
    "PU400,400;EA800,800;ER-400,-400;RA800,800;RR40,40;EW400,0,90;WG400,90,90,5;BZ0,0,400,400,800,0;BR0,400,400,0,400,400;"sv,
    "PU400,400;PM0;PD800,400,800,800;PM1;CI100;PM2;EP;FP;"sv,
    "PE<=_@?@_@?B;PE7:`>a<=_@?@_@?B;PE=\xBF\xBF\x85\xFF\xC0\xC0;"sv,
    "DT#,0;SI0.5,0.8;DI0,1;LO5;ES0.5,1;LBLabel one#DT;SR1,2;DR1,1;LO13;LBtwo\r\nlines\x03" "CP2,1;LB\xE6\xA0\x87\xE7\xAD\xBE\x03"sv,
    "\x1b%-12345X@PJL JOB\n@PJL ENTER LANGUAGE=PCL\n\x1b" "E\x1b*r1A\x1b*b4W\x02\x03\x00\xff\x1b*rB\x1b%0BIN;PU0,0;PD400,0;\x1b%0A\x1b" "E\x1b%-12345X"sv,
    "\x03\x00\x1b.(\x1b.I81;;17:\x1b.N;19:IN;\r\nCO\"PD 1,1\";LT2;VS10;ZZ1,2;X0=0;PU0,0\r\nPD400,0\x00\x00"sv,
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"50mm\" height=\"20mm\" viewBox=\"0 0 50 20\"><g transform=\"rotate(10)\">"
    "<rect x=\"1\" y=\"1\" width=\"10\" height=\"5\"/><circle cx=\"20\" cy=\"10\" r=\"5\"/><path d=\"M0 0 C10 0 10 10 20 10 Z\"/>"
    "<text x=\"30\" y=\"10\">Hi</text></g></svg>"sv,
};

bool writePlotCorpus(const QDir &folder, const QDir &examples)
{
    int index = 0;
    for (const std::string_view seed : PlotSeeds) {
        if (!writeFile(folder.filePath(QStringLiteral("family_%1.plt").arg(index++, 2, 10, QLatin1Char('0'))),
                       QByteArray(seed.data(), qsizetype(seed.size()))))
            return false;
    }
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    if (!writeFile(folder.filePath(QStringLiteral("family_utf16.plt")), utf16(QStringLiteral("IN;PU0,0;PD400,0;"))))
        return false;
    for (const QString &name : examples.entryList({ QStringLiteral("*.plt") }, QDir::Files)) {
        QFile file(examples.filePath(name));
        if (!file.open(QIODevice::ReadOnly) || !writeFile(folder.filePath(name), file.readAll()))
            return false;
    }
    return true;
}

QDir targetFolder(const QString &corpus, const char *target)
{
    QDir folder(corpus);
    folder.mkpath(QString::fromLatin1(target));
    folder.cd(QString::fromLatin1(target));
    for (const QString &old : folder.entryList(QDir::Files))
        folder.remove(old);
    return folder;
}

template<typename Device>
QList<Exchange> familyExchanges(int family)
{
    KvSimDevice simulator(family);
    simulator.setTimeScale(0);
    Device device;
    QList<Exchange> exchanges = catalogueExchanges(&device, &simulator);
    exchanges.append(jobExchange<Device>(family));
    return exchanges + faultyStreams(exchanges);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        QTextStream(stderr) << "usage: kvfuzz_seeds CORPUS_FOLDER EXAMPLES_FOLDER\n";
        return 2;
    }
    const QString corpus = QString::fromLocal8Bit(argv[1]);
    const QList<Exchange> model = familyExchanges<FuzzModelDevice>(583);
    const QList<Exchange> common = familyExchanges<FuzzCommonDevice>(261);
    const bool written = writeReceiveCorpus(targetFolder(corpus, "fuzz_receive_583"), model)
                         && writeReceiveCorpus(targetFolder(corpus, "fuzz_receive_261"), common)
                         && writeDecodeCorpus(targetFolder(corpus, "fuzz_decode"), model + common)
                         && writePlotCorpus(targetFolder(corpus, "fuzz_plot"), QDir(QString::fromLocal8Bit(argv[2])));
    return written ? 0 : 1;
}
