#ifndef KVSIMPLOT_H
#define KVSIMPLOT_H

#include <QByteArray>

namespace KvSimPlot {

// Plot coordinates are in plotter units of 1/40 mm.
constexpr double UnitsPerMm = 40.0;

// Length in mm of the path the head travels through a plot: absolute PU (travel) and PD (cut)
// moves, "PU x,y;PD x,y,x,y,...;", starting from the origin. Other instructions ("IN;",
// "SP1;" ...) do not move the head. Separators may be commas, blanks or line breaks. Values that
// are not numbers or lie outside the plotter's coordinate range are skipped, so the length is
// always finite.
double pathLengthMm(const QByteArray &plot);

} // namespace KvSimPlot

#endif // KVSIMPLOT_H
