#ifndef KVPLOT_SVGREADER_H
#define KVPLOT_SVGREADER_H

#include "plotreader.h"

namespace KvPlot {

// An SVG drawing through Qt's SVG module: paths, basic shapes and text (as labels) with their
// transforms, the document's width and height in mm, cm, in, pt, pc or px (96 to the inch)
// mapped onto its viewBox; y turned upwards, curves flattened to within 0.025 mm.
ReadError readSvg(const QByteArray &document, PlotSink &sink, ReadReport &report, LabelMode labels);

} // namespace KvPlot

#endif // KVPLOT_SVGREADER_H
