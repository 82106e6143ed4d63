#include "svgreader.h"

#include "flatten.h"
#include "labeloutliner.h"

#include <QCoreApplication>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTextItem>
#include <QXmlStreamReader>

#include <cmath>
#include <functional>

namespace KvPlot {

namespace {

constexpr double PxPerMm = 96 / 25.4;
constexpr double Tolerance = 1; // plotter units: 0.025 mm

using PathOut = std::function<void(const QPainterPath &, const QTransform &)>;

// A paint engine that keeps the outline of everything painted, with its transform.
class RecordingEngine : public QPaintEngine
{
public:
    RecordingEngine(PathOut out, ReadReport &report, LabelMode labels)
        : QPaintEngine(AllFeatures), m_out(std::move(out)), m_report(report), m_labels(labels)
    {
    }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyTransform)
            m_transform = state.transform();
    }
    void drawPath(const QPainterPath &path) override { out(path); }
    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            QPainterPath path;
            path.addRect(rects[i]);
            out(path);
        }
    }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        if (count < 1)
            return;
        QPainterPath path(points[0]);
        for (int i = 1; i < count; ++i)
            path.lineTo(points[i]);
        if (mode != PolylineMode)
            path.closeSubpath();
        out(path);
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override { m_report.note(ReadReport::SvgImageIgnored); }
    void drawImage(const QRectF &, const QImage &, const QRectF &, Qt::ImageConversionFlags) override
    {
        m_report.note(ReadReport::SvgImageIgnored);
    }
    void drawTextItem(const QPointF &at, const QTextItem &item) override
    {
        m_report.countLabel();
        if (m_labels == LabelMode::Skip || !LabelOutliner::available()) {
            m_report.note(m_labels == LabelMode::Skip ? ReadReport::LabelsLeftOut : ReadReport::LabelsWithoutFont);
            return;
        }
        QPainterPath path;
        path.addText(at, item.font(), item.text());
        out(path);
    }

private:
    // QPainter hands some shapes over once for their fill and once for their stroke: the knife
    // goes round them once.
    void out(const QPainterPath &path)
    {
        if (path == m_last && m_transform == m_lastTransform)
            return;
        m_last = path;
        m_lastTransform = m_transform;
        m_out(path, m_transform);
    }

    QPainterPath m_last;
    QTransform m_lastTransform;
    PathOut m_out;
    ReadReport &m_report;
    LabelMode m_labels;
    QTransform m_transform;
};

class RecordingDevice : public QPaintDevice
{
public:
    explicit RecordingDevice(RecordingEngine *engine) : m_engine(engine) {}
    QPaintEngine *paintEngine() const override { return m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: case PdmHeight: return 1 << 24;
        case PdmWidthMM: case PdmHeightMM: return int((1 << 24) / PxPerMm);
        case PdmNumColors: return INT_MAX;
        case PdmDepth: return 32;
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 96;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    RecordingEngine *m_engine;
};

// A length attribute in millimetres; 0 when it is missing or relative (percent, em).
double lengthMm(QStringView text)
{
    static const QRegularExpression length(QStringLiteral(R"(^\s*([+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?)\s*(mm|cm|in|pt|pc|px)?\s*$)"));
    const QRegularExpressionMatch match = length.match(text.toString());
    if (!match.hasMatch())
        return 0;
    const double value = match.captured(1).toDouble();
    const QString unit = match.captured(2);
    const double mmPerUnit = unit == QLatin1String("mm") ? 1 : unit == QLatin1String("cm") ? 10 : unit == QLatin1String("in") ? 25.4
                           : unit == QLatin1String("pt") ? 25.4 / 72 : unit == QLatin1String("pc") ? 25.4 / 6 : 1 / PxPerMm;
    return value * mmPerUnit;
}

struct Root
{
    double widthMm = 0, heightMm = 0;
    bool hasViewBox = false;
};

ReadError readRoot(const QByteArray &document, Root *root)
{
    QXmlStreamReader xml(document);
    while (!xml.atEnd() && !xml.isStartElement())
        xml.readNext();
    const QXmlStreamAttributes attributes = xml.attributes();
    const bool svg = xml.name() == QLatin1String("svg");
    while (!xml.atEnd())
        xml.readNext();
    if (xml.hasError() || !svg)
        return { QCoreApplication::translate("KvPlot", "This is not an SVG drawing: %1")
                     .arg(xml.hasError() ? xml.errorString() : QCoreApplication::translate("KvPlot", "no <svg> element.")),
                 xml.characterOffset() };
    root->widthMm = lengthMm(attributes.value(QLatin1String("width")));
    root->heightMm = lengthMm(attributes.value(QLatin1String("height")));
    root->hasViewBox = attributes.hasAttribute(QLatin1String("viewBox"));
    return {};
}

} // namespace

ReadError readSvg(const QByteArray &document, PlotSink &sink, ReadReport &report, LabelMode labels)
{
    Root root;
    if (ReadError error = readRoot(document, &root); error.isError())
        return error;
    QSvgRenderer renderer(document);
    if (!renderer.isValid())
        return { QCoreApplication::translate("KvPlot", "Qt's SVG module cannot read this drawing."), 0 };
    const QRectF viewBox = renderer.viewBoxF();
    // Without width and height the drawing is as large as its viewBox in px.
    const double widthMm = root.widthMm > 0 ? root.widthMm : viewBox.width() / PxPerMm;
    const double heightMm = root.heightMm > 0 ? root.heightMm : viewBox.height() / PxPerMm;
    if (!root.hasViewBox && root.widthMm > 0 && root.heightMm > 0)
        renderer.setViewBox(QRectF(0, 0, root.widthMm * PxPerMm, root.heightMm * PxPerMm));
    const double sheetHeight = heightMm * UnitsPerMm;
    const QTransform upwards(1, 0, 0, -1, 0, sheetHeight);
    const auto clamped = [](double value) {
        return std::isfinite(value) ? int(std::lround(std::clamp(value, -double(CoordinateLimit), double(CoordinateLimit)))) : 0;
    };
    RecordingEngine engine([&](const QPainterPath &path, const QTransform &transform) {
        for (const Polyline &line : flatten(path, transform * upwards, Tolerance)) {
            for (size_t i = 0; i < line.size(); ++i)
                sink.move(QPoint(clamped(line[i].x()), clamped(line[i].y())), i > 0, 1);
        }
    }, report, labels);
    RecordingDevice device(&engine);
    QPainter painter(&device);
    renderer.render(&painter, QRectF(0, 0, widthMm * UnitsPerMm, sheetHeight));
    painter.end();
    return {};
}

} // namespace KvPlot
