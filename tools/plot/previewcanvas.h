#ifndef KVPLOT_PREVIEWCANVAS_H
#define KVPLOT_PREVIEWCANVAS_H

#include "figures.h"
#include "plotreader.h"
#include "preview.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QTransform>

namespace KvPlot {

// Paints a plot's movements as they come onto a picture of the plot whose figures are known:
// what a reader can draw straight from a file, in a second reading, without keeping its
// geometry. Cuts are drawn in the colour of what is to come, or, within the share of the job's
// travel already cut, in the colour of what is done.
class PreviewCanvas : public PlotSink
{
public:
    PreviewCanvas(const PreviewOptions &options, const Figures &figures);

    void move(QPoint to, bool penDown, int pen) override;
    // The picture, with what is still open drawn.
    QImage picture();

private:
    void add(QPointF at);
    void addExact(QPointF at);
    void flush();
    void restartAt(QPointF at, bool done);

    PreviewOptions m_options;
    QImage m_image;
    QPainter m_painter;
    QTransform m_view;
    double m_doneTravel = -1; // below 0: no job under way
    double m_travelled = 0;
    QPoint m_at;
    QPolygonF m_line;         // the cut being drawn, in pixels
    QPointF m_lineMin, m_lineMax; // its extent
    bool m_lineDone = false;
    QPointF m_pending;        // the last point, too close to the one before to be drawn yet
    bool m_hasPending = false;
    QPointF m_knife;          // where the share of the job that is cut ends
    bool m_knifeShown = false;
};

// Reads the plot file at `path` twice, its figures first and then its picture of `longSide`
// pixels in its proportions, handing every movement of the second reading to `sink` as well:
// a picture (and, say, a device plot) of a file of any size without holding its geometry.
ReadResult readPlotPicture(const QString &path, ReadOptions options, int longSide, QImage *picture,
                           PlotSink *sink = nullptr);

} // namespace KvPlot

#endif // KVPLOT_PREVIEWCANVAS_H
