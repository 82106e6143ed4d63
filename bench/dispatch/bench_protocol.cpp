// Throughput of the wire protocol: reply frames dispatched per second by a model device, and
// the build rate of a large plot frame against a plain conversion of the same text.
#include "benchreport.h"

#include "kvdeviceproperty.h"
#include "kvrv520maxcam.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QScopedPointer>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int Rounds = 5;

// A reply value fitting the record's value type.
QString sampleValue(const QVariant &value, int variant)
{
    switch (value.typeId()) {
    case QMetaType::Double: return QString::number(1.25 + variant);
    case QMetaType::QString: return QStringLiteral("V1.%1").arg(variant);
    default: return QString::number(100 + variant);
    }
}

// The device's answer to reading `record`.
QString replyFor(const KVDeviceProperty &record, int variant)
{
    const KVDeviceProperty packer;
    if (record.cmd_type() == KVDeviceInterface::CMD) {
        QString items;
        for (int i = 0; i < record.cmd_len(); ++i)
            items += QStringLiteral("GET%1:%2;").arg(record.get_cmd_int() + i).arg(variant + i);
        return QString::fromLocal8Bit(packer.pack(items, QStringLiteral("CMD")));
    }
    QStringList fields{ QString::number(record.get_cmd_int()), QStringLiteral("0") };
    fields += record.param();
    const QStringList members = record.value().toStringList();
    if (members.size() >= 2) {
        for (const QString &key : members)
            fields += sampleValue(record.property_ptr(key.toLatin1().constData())->value(), variant);
    } else {
        fields += sampleValue(record.value(), variant + 1);
    }
    return QString::fromLocal8Bit(packer.pack(fields.join(u',') + u';', QStringLiteral("CCMD")));
}

QString ccmdFrame(const QString &body)
{
    return QString::fromLocal8Bit(KVDeviceProperty().pack(body + u';', QStringLiteral("CCMD")));
}

// Replies for every readable record, progress reports (new ones and repeats) and task notices.
QStringList replyMix(KVDeviceInterface *device)
{
    QStringList frames;
    for (int variant = 0; variant < 4; ++variant) {
        for (const QByteArray &name : device->dynamicPropertyNames()) {
            const KVDeviceProperty *record = device->property_ptr(name.constData());
            if (record && !record->get_cmd_bytes().isEmpty())
                frames += replyFor(*record, variant);
        }
    }
    for (int percent = 0; percent < 40; ++percent) {
        const QString progress = ccmdFrame(QStringLiteral("66,1,job.plt,3,1,%1.5,0,0,0").arg(percent));
        frames += progress;
        if (percent % 4 == 0)
            frames += progress;
    }
    for (const char *notice : { "1001,0", "27,0,0", "27,0,1", "27,0,2", "4,0", "4,1" })
        frames += ccmdFrame(QLatin1String(notice));
    return frames;
}

double bestSeconds(int repeats, const std::function<void()> &work)
{
    double best = 1e30;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < repeats; ++i)
            work();
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    return best;
}

void benchDispatch(KVRV520MAXCam &root)
{
    QScopedPointer<KVDeviceInterface> device(root.initInstance());
    auto *model = static_cast<KVRV520MAXCam *>(device.data());
    const QStringList frames = replyMix(model);
    constexpr int Passes = 2000;
    const double seconds = bestSeconds(Passes, [&] {
        for (const QString &frame : frames)
            model->decode_cmd(frame);
    });
    std::printf("dispatch mix frames: %lld\n", static_cast<long long>(frames.size()));
    const double rate = Passes * frames.size() / seconds;
    std::printf("dispatch rate: %.0f frames/s (target >= 200000)\n", rate);
    reportFigure("dispatch rate (decode_cmd, reply mix)", formatted("%.0f frames/s", rate), ">= 200000",
                 rate >= 200000);
}

QString plotText(qsizetype bytes)
{
    const QString command = QStringLiteral("PU1024,2048;PD3072,4096;");
    QString text;
    text.reserve(bytes);
    while (text.size() + command.size() <= bytes)
        text += command;
    return text;
}

void benchPlotFrame()
{
    const QString text = plotText(10 * 1024 * 1024);
    KVDeviceProperty plot;
    plot.init(text, QStringLiteral("plot"), QString(), 0, 1, 1, KVDeviceInterface::PLT);
    constexpr int Repeats = 10;
    qsizetype frameBytes = 0;
    const double frameSeconds = bestSeconds(Repeats, [&] { frameBytes = plot.set_cmd_bytes().size(); });
    const double plainSeconds = bestSeconds(Repeats, [&] { (void)text.toLocal8Bit(); });
    std::printf("plot frame size: %lld bytes\n", static_cast<long long>(frameBytes));
    std::printf("plot frame build rate: %.0f bytes/s\n", Repeats * text.size() / frameSeconds);
    std::printf("plain toLocal8Bit rate: %.0f bytes/s\n", Repeats * text.size() / plainSeconds);
    std::printf("plot frame rate / toLocal8Bit rate: %.2f (target >= 0.5)\n", plainSeconds / frameSeconds);
    reportFigure("10 MB plot frame build rate", formatted("%.0f MB/s", Repeats * text.size() / frameSeconds / 1e6), "", true);
    reportFigure("plot frame rate / plain toLocal8Bit", formatted("%.2f", plainSeconds / frameSeconds), ">= 0.5",
                 plainSeconds / frameSeconds >= 0.5);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // An argument "dispatch" or "plot" runs only that part (for profiling).
    const QStringList parts = app.arguments().mid(1);
    KVRV520MAXCam root;
    if (parts.isEmpty() || parts.contains(QLatin1String("dispatch")))
        benchDispatch(root);
    if (parts.isEmpty() || parts.contains(QLatin1String("plot")))
        benchPlotFrame();
    return 0;
}
