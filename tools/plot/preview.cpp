#include "preview.h"

#include "figures.h"

#include <QBuffer>
#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace KvPlot {

namespace {

constexpr int Margin = 8;

// Plotter units to image pixels, y turned downwards.
struct View
{
    double scale = 1, left = 0, bottom = 0, height = 0, margin = Margin;
    QPointF map(QPoint p) const
    {
        return QPointF(margin + (p.x() - left) * scale, height - margin - (p.y() - bottom) * scale);
    }
};

View viewOf(const QRectF &area, QSize size)
{
    View view;
    view.margin = std::min({ double(Margin), size.width() / 8.0, size.height() / 8.0 });
    const double width = std::max(1.0, area.width()), height = std::max(1.0, area.height());
    view.scale = std::min((size.width() - 2 * view.margin) / width, (size.height() - 2 * view.margin) / height);
    view.left = area.left();
    view.bottom = area.top();
    view.height = size.height();
    return view;
}

// Draws a polyline, leaving out points closer than half a pixel to the last one kept.
class Stroker
{
public:
    Stroker(QPainter &painter, const View &view) : m_painter(painter), m_view(view) {}
    void add(QPoint p)
    {
        const QPointF at = m_view.map(p);
        if (!m_line.isEmpty() && std::abs(at.x() - m_line.last().x()) + std::abs(at.y() - m_line.last().y()) < 0.5) {
            m_pending = at;
            m_hasPending = true;
            return;
        }
        m_line.append(at);
        m_hasPending = false;
    }
    void addExact(QPointF at) { flushPending(); m_line.append(at); }
    void flush(const QColor &colour)
    {
        flushPending();
        if (m_line.size() >= 2) {
            m_painter.setPen(QPen(colour, 1.0));
            m_painter.drawPolyline(m_line);
        }
        m_line.clear();
    }

private:
    void flushPending()
    {
        if (m_hasPending)
            m_line.append(m_pending);
        m_hasPending = false;
    }
    QPainter &m_painter;
    const View &m_view;
    QPolygonF m_line;
    QPointF m_pending;
    bool m_hasPending = false;
};

double totalTravel(const Geometry &geometry)
{
    FigureSink figures;
    geometry.replay(figures);
    return figures.figures().travel;
}

void drawSheet(QPainter &painter, const View &view, const PreviewOptions &options)
{
    if (!options.sheetMm.isEmpty()) {
        const QPointF a = view.map(QPoint(0, 0));
        const QPointF b = view.map(QPoint(int(options.sheetMm.width() * UnitsPerMm), int(options.sheetMm.height() * UnitsPerMm)));
        painter.setPen(QPen(options.sheetEdge, 1.0));
        painter.setBrush(options.sheet);
        painter.drawRect(QRectF(a, b).normalized());
        painter.setBrush(Qt::NoBrush);
    }
    // The origin: a corner mark where the knife starts.
    const QPointF o = view.map(QPoint(0, 0));
    const double arm = std::max(4.0, std::min(painter.device()->width(), painter.device()->height()) / 25.0);
    painter.setPen(QPen(options.origin, 2.0));
    painter.drawLine(o, o + QPointF(arm, 0));
    painter.drawLine(o, o - QPointF(0, arm));
}

} // namespace

QImage renderPreview(const Geometry &geometry, const PreviewOptions &options)
{
    QImage image(options.size.expandedTo(QSize(16, 16)), QImage::Format_RGB32);
    image.fill(options.background);
    QRectF area = QRectF(geometry.extent()) | QRectF(0, 0, 1, 1);
    if (!options.sheetMm.isEmpty())
        area |= QRectF(0, 0, options.sheetMm.width() * UnitsPerMm, options.sheetMm.height() * UnitsPerMm);
    const View view = viewOf(area, image.size());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawSheet(painter, view, options);

    const double doneTravel = options.cutShare < 0 ? -1 : std::clamp(options.cutShare, 0.0, 1.0) * totalTravel(geometry);
    double travelled = 0;
    QPoint at;
    Stroker stroker(painter, view);
    const auto &points = geometry.points();
    for (size_t run = 0; run < geometry.runs().size(); ++run) {
        const qsizetype start = geometry.runs()[run].start, end = geometry.runEnd(run);
        const auto advance = [&](QPoint to) { travelled += std::hypot(double(to.x()) - at.x(), double(to.y()) - at.y()); at = to; };
        advance(points[size_t(start)]);
        bool done = travelled <= doneTravel;
        stroker.add(points[size_t(start)]);
        for (qsizetype i = start + 1; i < end; ++i) {
            const QPoint from = at, to = points[size_t(i)];
            const double before = travelled;
            advance(to);
            if (done && travelled > doneTravel) { // the knife is on this segment
                const double t = (doneTravel - before) / std::max(1e-9, travelled - before);
                const QPointF split = view.map(from) + (view.map(to) - view.map(from)) * t;
                stroker.addExact(split);
                stroker.flush(options.cut);
                stroker.addExact(split);
                done = false;
            }
            stroker.add(to);
        }
        stroker.flush(done ? options.cut : options.toCut);
    }
    return image;
}

QByteArray cloudPreviewPng(const Geometry &geometry, QSizeF sheetMm)
{
    constexpr qsizetype MaxBytes = 32 * 1024;
    QRectF area = QRectF(geometry.extent()) | QRectF(0, 0, 1, 1);
    if (!sheetMm.isEmpty())
        area |= QRectF(0, 0, sheetMm.width() * UnitsPerMm, sheetMm.height() * UnitsPerMm);
    QByteArray png;
    for (const int longSide : { 256, 192, 128, 96, 64, 32 }) {
        const double aspect = area.width() / std::max(1.0, area.height());
        const QSize size = aspect >= 1 ? QSize(longSide, std::max(16, int(longSide / aspect)))
                                       : QSize(std::max(16, int(longSide * aspect)), longSide);
        PreviewOptions options;
        options.size = size;
        options.sheetMm = sheetMm;
        const QImage image = renderPreview(geometry, options).convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
        png.clear();
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        if (png.size() <= MaxBytes)
            break;
    }
    return png;
}

} // namespace KvPlot
