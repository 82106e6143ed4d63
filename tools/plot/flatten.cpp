#include "flatten.h"

#include <QPainterPath>
#include <QTransform>

#include <cmath>

namespace KvPlot {

namespace {

constexpr int MaxDepth = 10;

double distanceToChord(QPointF p, QPointF a, QPointF b)
{
    const QPointF chord = b - a;
    const double length = std::hypot(chord.x(), chord.y());
    if (length == 0)
        return std::hypot(p.x() - a.x(), p.y() - a.y());
    return std::abs(chord.x() * (p.y() - a.y()) - chord.y() * (p.x() - a.x())) / length;
}

// De Casteljau halving until both control points lie within the tolerance of the chord.
void addCubic(Polyline &out, QPointF p0, QPointF p1, QPointF p2, QPointF p3, double tolerance, int depth)
{
    if (depth >= MaxDepth
        || (distanceToChord(p1, p0, p3) <= tolerance && distanceToChord(p2, p0, p3) <= tolerance)) {
        out.push_back(p3);
        return;
    }
    const QPointF p01 = (p0 + p1) / 2, p12 = (p1 + p2) / 2, p23 = (p2 + p3) / 2;
    const QPointF p012 = (p01 + p12) / 2, p123 = (p12 + p23) / 2;
    const QPointF middle = (p012 + p123) / 2;
    addCubic(out, p0, p01, p012, middle, tolerance, depth + 1);
    addCubic(out, middle, p123, p23, p3, tolerance, depth + 1);
}

} // namespace

std::vector<Polyline> flatten(const QPainterPath &path, const QTransform &transform, double tolerance)
{
    std::vector<Polyline> lines;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        const QPointF point = transform.map(QPointF(element.x, element.y));
        if (element.isMoveTo() || lines.empty()) {
            lines.push_back({ point });
        } else if (element.isLineTo()) {
            lines.back().push_back(point);
        } else if (element.isCurveTo() && i + 2 < path.elementCount()) {
            const QPointF c2 = transform.map(QPointF(path.elementAt(i + 1).x, path.elementAt(i + 1).y));
            const QPointF end = transform.map(QPointF(path.elementAt(i + 2).x, path.elementAt(i + 2).y));
            addCubic(lines.back(), lines.back().back(), point, c2, end, tolerance, 0);
            i += 2;
        }
    }
    return lines;
}

} // namespace KvPlot
