// The plot reader on arbitrary file contents, fed in pieces whose sizes the input chooses: the
// figures stay finite, the geometry it keeps stays proportional to the input, the device plot is
// plain 7-bit absolute PU/PD that reads back to the same figures, and the raw-text check agrees
// with what Qt's UTF-8 round trip keeps.
#include "fuzzsupport.h"

#include "deviceplotwriter.h"
#include "geometry.h"
#include "plotreader.h"
#include "rawtext.h"
#include "textencoding.h"

#include <QGuiApplication>

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

// Labels are outlined in a real font: that needs Qt's GUI font engine, here without a display.
void startGuiQt(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication *application = new QGuiApplication(*argc, *argv);
    Q_UNUSED(application);
    KvFuzz::startQt(argc, argv, KvFuzz::DebugLines::Off);
    // Font configuration and the font database load once, for good: before the first input, so
    // that the leak check does not take them for a leak of one input.
    KvPlot::readPlot(QByteArrayView("SI1,1;LBAb\xE6\xA0\x87\x03"));
}

bool close(double a, double b)
{
    return std::abs(a - b) <= 1e-6 * std::max(1.0, std::abs(a));
}

void readPlot(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype piece = size > 0 ? 1 + data[0] % 61 : 1;
    KvPlot::Geometry geometry;
    QByteArray device;
    KvPlot::DevicePlotWriter writer(&device);
    KvPlot::TeeSink both({ &geometry, &writer });
    KvPlot::PlotReader reader(&both);
    for (qsizetype at = 0; at < bytes.size(); at += piece)
        reader.feed(bytes.sliced(at, std::min(piece, bytes.size() - at)));
    const bool taken = reader.finish();
    writer.finish();
    const KvPlot::Figures &figures = reader.figures();
    if (!std::isfinite(figures.travel) || !std::isfinite(figures.cutLength) || figures.cutLength > figures.travel + 1e-3)
        KvFuzz::fail("plot figures are not finite lengths");
    if (!taken && !reader.error().isError())
        KvFuzz::fail("plot refused without a reason");
    // Arcs, circles and label outlines make many points of a few bytes, but a bounded many.
    if (geometry.points().size() > 4096 * (size + 64))
        KvFuzz::fail("plot geometry grows beyond its input");
    for (const char c : device) {
        if (c < 0x20 || c > 0x7E)
            KvFuzz::fail("device plot holds a byte beyond printable 7-bit ASCII");
    }
    const KvPlot::Figures back = KvPlot::readPlot(device, { KvPlot::LabelMode::Skip }).figures;
    if (!close(back.travel, figures.travel) || !close(back.cutLength, figures.cutLength))
        KvFuzz::fail("device plot reads back to other figures");

    // The text travels inside a frame, behind its header: a byte-order mark is not at the start
    // of what the USB path decodes, so it goes through as a character like any other.
    const QByteArray framed = "PLT;" + bytes.toByteArray();
    const bool survives = QString::fromUtf8(framed).toUtf8() == framed && !bytes.contains('\x02') && !bytes.contains('\x03');
    const KvPlot::ReadError raw = KvPlot::checkRawText(bytes);
    if (!raw.isError() && (!survives || bytes.isEmpty()))
        KvFuzz::fail("raw text passed that the link would change");
    if (raw.isError() && survives && !bytes.isEmpty() && !KvPlot::utf16Encoding(bytes))
        KvFuzz::fail("raw text refused that the link carries unchanged");
    if (raw.isError() && (raw.offset < 0 || raw.offset > bytes.size()))
        KvFuzz::fail("raw text refused at no place in it");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    startGuiQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    readPlot(data, size);
    return 0;
}
