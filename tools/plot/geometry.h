#ifndef KVPLOT_GEOMETRY_H
#define KVPLOT_GEOMETRY_H

#include "plotsink.h"

#include <vector>

namespace KvPlot {

// A plot kept whole, for pictures and for writing it again: runs of points, each reached with
// the pen up at its first point (or where the head already is, when a cut goes on with another
// pen or starts at the origin) and cut through the rest with its pen. Replayed, it hands on the
// movements it was given. Eight bytes a point.
class Geometry : public PlotSink
{
public:
    struct Run
    {
        qsizetype start; // index of its first point
        int pen;
        bool liftFirst;  // reached with the pen up; otherwise the head is at its first point
    };

    void move(QPoint to, bool penDown, int pen) override;
    // Hands every movement, in order, to `sink`.
    void replay(PlotSink &sink) const;

    const std::vector<QPoint> &points() const { return m_points; }
    const std::vector<Run> &runs() const { return m_runs; }
    qsizetype runEnd(size_t run) const;
    bool isEmpty() const { return m_points.empty(); }

private:
    std::vector<QPoint> m_points;
    std::vector<Run> m_runs;
    bool m_cutting = false;
};

} // namespace KvPlot

#endif // KVPLOT_GEOMETRY_H
