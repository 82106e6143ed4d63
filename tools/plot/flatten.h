#ifndef KVPLOT_FLATTEN_H
#define KVPLOT_FLATTEN_H

#include <QPointF>

#include <vector>

class QPainterPath;
class QTransform;

namespace KvPlot {

using Polyline = std::vector<QPointF>;

// The subpaths of `path` mapped through `transform`, curves replaced by chords that stay within
// `tolerance` (in the mapped units) of the curve. A curve gets at most 1024 chords, so the
// number of points stays proportional to the path's size whatever its scale.
std::vector<Polyline> flatten(const QPainterPath &path, const QTransform &transform, double tolerance);

} // namespace KvPlot

#endif // KVPLOT_FLATTEN_H
