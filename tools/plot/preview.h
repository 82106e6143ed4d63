#ifndef KVPLOT_PREVIEW_H
#define KVPLOT_PREVIEW_H

#include "geometry.h"

#include <QColor>
#include <QImage>
#include <QSizeF>

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
};

// The plot's cuts (labels included, as cut), scaled to fit `size` with the sheet and its origin
// marked, y upwards. While a job runs, the cuts within `cutShare` of the job's travel are drawn
// in the colour of what is done.
QImage renderPreview(const Geometry &geometry, const PreviewOptions &options = {});

// A small PNG for the cloud's task reports: at most 256 px on its long side and 32 KB.
QByteArray cloudPreviewPng(const Geometry &geometry, QSizeF sheetMm = {});

} // namespace KvPlot

#endif // KVPLOT_PREVIEW_H
