#include "previewcanvas.h"

#include <cmath>

namespace KvPlot {

namespace {
// Points closer than this (in pixels, along both axes together) to the last one drawn wait to
// see whether the line goes on.
constexpr double MinStep = 0.5;

void drawSheetAndOrigin(QPainter &painter, const QTransform &view, const PreviewOptions &options)
{
    if (!options.sheetMm.isEmpty()) {
        const QPointF far(options.sheetMm.width() * UnitsPerMm, options.sheetMm.height() * UnitsPerMm);
        painter.setPen(QPen(options.sheetEdge, 1.0));
        painter.setBrush(options.sheet);
        painter.drawRect(QRectF(view.map(QPointF(0, 0)), view.map(far)).normalized());
        painter.setBrush(Qt::NoBrush);
    }
    // The origin: a corner mark where the knife starts.
    const QPointF origin = view.map(QPointF(0, 0));
    const double arm = std::max(4.0, std::min(painter.device()->width(), painter.device()->height()) / 25.0);
    painter.setPen(QPen(options.origin, 2.0));
    painter.drawLine(origin, origin + QPointF(arm, 0));
    painter.drawLine(origin, origin - QPointF(0, arm));
}
} // namespace

PreviewCanvas::PreviewCanvas(const PreviewOptions &options, const Figures &figures)
    : m_options(options), m_image(options.size.expandedTo(QSize(16, 16)), QImage::Format_RGB32)
{
    m_image.fill(options.background);
    m_view = previewTransform(previewArea(figures, options.sheetMm), m_image.size());
    if (options.cutShare >= 0)
        m_doneTravel = std::clamp(options.cutShare, 0.0, 1.0) * figures.travel;
    m_painter.begin(&m_image);
    m_painter.setRenderHint(QPainter::Antialiasing);
    drawSheetAndOrigin(m_painter, m_view, options);
}

void PreviewCanvas::move(QPoint to, bool penDown, int)
{
    const double before = m_travelled;
    m_travelled += std::hypot(double(to.x()) - m_at.x(), double(to.y()) - m_at.y());
    if (!penDown) {
        flush();
        m_at = to;
        return;
    }
    const QPointF from = m_view.map(QPointF(m_at)), target = m_view.map(QPointF(to));
    m_at = to;
    const bool jobShown = m_doneTravel >= 0;
    const bool done = jobShown && m_travelled <= m_doneTravel;
    const bool knifeHere = jobShown && before < m_doneTravel && m_travelled > m_doneTravel;
    if (m_line.isEmpty()) {
        restartAt(from, done || knifeHere);
    } else if (!knifeHere && done != m_lineDone) {
        flush();
        restartAt(from, done);
    }
    if (knifeHere) { // the knife is on this segment: what is behind it is cut
        const QPointF split = from + (target - from) * ((m_doneTravel - before) / (m_travelled - before));
        m_knife = split;
        m_knifeShown = true;
        addExact(split);
        flush();
        restartAt(split, false);
    }
    add(target);
}

QImage PreviewCanvas::picture()
{
    flush();
    if (m_knifeShown) {
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(m_options.knife);
        const double radius = 1.5 + m_options.lineWidth;
        m_painter.drawEllipse(m_knife, radius, radius);
        m_knifeShown = false;
    }
    if (m_painter.isActive())
        m_painter.end();
    return m_image;
}

void PreviewCanvas::restartAt(QPointF at, bool done)
{
    m_line = { at };
    m_lineMin = m_lineMax = at;
    m_lineDone = done;
}

void PreviewCanvas::add(QPointF at)
{
    const QPointF last = m_line.last();
    if (std::abs(at.x() - last.x()) + std::abs(at.y() - last.y()) < MinStep) {
        m_pending = at;
        m_hasPending = true;
        return;
    }
    m_hasPending = false;
    addExact(at);
}

void PreviewCanvas::addExact(QPointF at)
{
    if (m_hasPending) {
        m_hasPending = false;
        addExact(m_pending);
    }
    m_line.append(at);
    m_lineMin = QPointF(std::min(m_lineMin.x(), at.x()), std::min(m_lineMin.y(), at.y()));
    m_lineMax = QPointF(std::max(m_lineMax.x(), at.x()), std::max(m_lineMax.y(), at.y()));
}

void PreviewCanvas::flush()
{
    if (m_hasPending) {
        m_hasPending = false;
        addExact(m_pending);
    }
    const QColor &colour = m_lineDone ? m_options.cut : m_options.toCut;
    const QPointF span = m_lineMax - m_lineMin;
    if (m_line.size() >= 2 && span.x() < 1 && span.y() < 1) {
        // Within one pixel: a dot, set without the cost of a stroked line.
        const QPointF centre = (m_lineMin + m_lineMax) / 2;
        m_painter.fillRect(QRect(int(std::floor(centre.x())), int(std::floor(centre.y())), 1, 1), colour);
    } else if (m_line.size() >= 2) {
        m_painter.setPen(QPen(colour, m_options.lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_painter.drawPolyline(m_line);
    }
    m_line.clear();
}

ReadResult readPlotPicture(const QString &path, ReadOptions options, int longSide, QImage *picture, PlotSink *sink)
{
    const ReadResult first = readPlotFile(path, options);
    if (!first.ok())
        return first;
    PreviewCanvas canvas(proportionalPreview(first.figures, longSide), first.figures);
    TeeSink both({ &canvas, sink });
    const ReadResult second = readPlotFile(path, options, &both);
    *picture = canvas.picture();
    return second;
}

} // namespace KvPlot
