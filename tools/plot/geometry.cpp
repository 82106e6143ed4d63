#include "geometry.h"

namespace KvPlot {

void Geometry::move(QPoint to, bool penDown, int pen)
{
    if (!penDown) {
        m_runs.push_back({ qsizetype(m_points.size()), pen, true });
        m_cutting = false;
    } else if (!m_cutting && !m_runs.empty()) {
        // The cut begins where the last pen-up move took the head: that run goes on cutting.
        m_runs.back().pen = pen;
        m_cutting = true;
    } else if (!m_cutting || m_runs.back().pen != pen) {
        // A cut from the origin, or one that goes on with another pen.
        const QPoint from = m_points.empty() ? QPoint() : m_points.back();
        m_runs.push_back({ qsizetype(m_points.size()), pen, false });
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
        if (m_runs[run].liftFirst)
            sink.move(m_points[size_t(m_runs[run].start)], false, pen);
        for (qsizetype i = m_runs[run].start + 1; i < end; ++i)
            sink.move(m_points[size_t(i)], true, pen);
    }
}

} // namespace KvPlot
