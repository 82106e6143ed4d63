#include "figures.h"

#include <algorithm>
#include <cmath>

namespace KvPlot {

TeeSink::TeeSink(std::initializer_list<PlotSink *> sinks)
{
    for (PlotSink *sink : sinks) {
        if (sink)
            m_sinks.push_back(sink);
    }
}

void TeeSink::move(QPoint to, bool penDown, int pen)
{
    for (PlotSink *sink : m_sinks)
        sink->move(to, penDown, pen);
}

QRectF Figures::boundsMm() const
{
    if (bounds.isNull())
        return {};
    return QRectF(bounds.x() / UnitsPerMm, bounds.y() / UnitsPerMm, (bounds.width() - 1) / UnitsPerMm,
                  (bounds.height() - 1) / UnitsPerMm);
}

void FigureSink::move(QPoint to, bool penDown, int pen)
{
    const double dx = double(to.x()) - m_at.x(), dy = double(to.y()) - m_at.y();
    const double length = std::sqrt(dx * dx + dy * dy);
    m_figures.travel += length;
    if (penDown) {
        m_figures.cutLength += length;
        if (m_xMax < m_xMin) {
            m_xMin = m_xMax = m_at.x();
            m_yMin = m_yMax = m_at.y();
        }
        m_xMin = std::min({ m_xMin, m_at.x(), to.x() });
        m_xMax = std::max({ m_xMax, m_at.x(), to.x() });
        m_yMin = std::min({ m_yMin, m_at.y(), to.y() });
        m_yMax = std::max({ m_yMax, m_at.y(), to.y() });
        m_figures.bounds = QRect(QPoint(m_xMin, m_yMin), QPoint(m_xMax, m_yMax));
        if (pen != m_lastPen && !m_figures.pens.contains(pen))
            m_figures.pens.append(pen);
        m_lastPen = pen;
    }
    m_at = to;
}

} // namespace KvPlot
