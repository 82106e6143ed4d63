#include "geometry.h"

#include <algorithm>

namespace KvPlot {

void Geometry::move(QPoint to, bool penDown, int pen)
{
    if (!penDown) {
        m_runs.push_back({ qsizetype(m_points.size()), pen });
        m_cutting = false;
    } else if (!m_cutting || m_runs.back().pen != pen) {
        // A cut begins where the head is: from the origin, or from the end of the last run.
        const QPoint from = m_points.empty() ? QPoint() : m_points.back();
        m_runs.push_back({ qsizetype(m_points.size()), pen });
        m_points.push_back(from);
        m_cutting = true;
    }
    m_points.push_back(to);
}

qsizetype Geometry::runEnd(size_t run) const
{
    return run + 1 < m_runs.size() ? m_runs[run + 1].start : qsizetype(m_points.size());
}

void Geometry::replay(PlotSink &sink) const
{
    for (size_t run = 0; run < m_runs.size(); ++run) {
        const qsizetype end = runEnd(run);
        const int pen = m_runs[run].pen;
        sink.move(m_points[size_t(m_runs[run].start)], false, pen);
        for (qsizetype i = m_runs[run].start + 1; i < end; ++i)
            sink.move(m_points[size_t(i)], true, pen);
    }
}

QRect Geometry::extent() const
{
    if (m_points.empty())
        return {};
    int xMin = m_points.front().x(), xMax = xMin, yMin = m_points.front().y(), yMax = yMin;
    for (const QPoint &p : m_points) {
        xMin = std::min(xMin, p.x());
        xMax = std::max(xMax, p.x());
        yMin = std::min(yMin, p.y());
        yMax = std::max(yMax, p.y());
    }
    return QRect(QPoint(xMin, yMin), QPoint(xMax, yMax));
}

} // namespace KvPlot
