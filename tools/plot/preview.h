#ifndef KVPLOT_PREVIEW_H
#define KVPLOT_PREVIEW_H

#include "figures.h"
#include "geometry.h"

#include <QColor>
#include <QImage>
#include <QSizeF>
#include <QTransform>

namespace KvPlot {

struct PreviewOptions
{
    QSize size { 800, 600 };
    QSizeF sheetMm;         // the sheet, from the origin; empty: no sheet is marked
    double cutShare = -1;   // share of the job's travel already cut (0 to 1); below 0: none
    QColor background = Qt::white;
    QColor sheet { 0xF2, 0xF2, 0xEC };
    QColor sheetEdge { 0x9A, 0x9A, 0x90 };
    QColor origin { 0xD0, 0x30, 0x20 };
    QColor toCut { 0x20, 0x40, 0x90 };
    QColor cut { 0x20, 0xA0, 0x40 }; // what is already cut while a job runs
    QColor knife { 0xD0, 0x30, 0x20 }; // where the knife is while a job runs
    double lineWidth = 1.0;  // pixels
};

// What a picture of a plot shows, in plotter units: its cuts, the origin and the sheet.
QRectF previewArea(const Figures &figures, QSizeF sheetMm);
// Plotter units to the pixels of a picture of `size` showing `area` whole, y turned downwards,
// within a small margin.
QTransform previewTransform(const QRectF &area, QSize size);

// The plot's cuts (labels included, as cut), scaled to fit `size` with the sheet and its origin
// marked, y upwards. While a job runs, the cuts within `cutShare` of the job's travel are drawn
// in the colour of what is done, and the knife is marked where that share ends on a cut.
QImage renderPreview(const Geometry &geometry, const PreviewOptions &options = {});

// A picture of `longSide` pixels on its longer side, in the proportions of what it shows.
PreviewOptions proportionalPreview(const Figures &figures, int longSide, QSizeF sheetMm = {});

// A small PNG for the cloud's task reports: at most 256 px on its long side and 32 KB. A picture
// of CloudPreviewSide pixels is made smaller until its PNG fits.
constexpr int CloudPreviewSide = 256;
QByteArray cloudPreviewPng(const QImage &picture);
QByteArray cloudPreviewPng(const Geometry &geometry, QSizeF sheetMm = {});

} // namespace KvPlot

#endif // KVPLOT_PREVIEW_H
