#ifndef KVPLOT_FIGURES_H
#define KVPLOT_FIGURES_H

#include "plotsink.h"

#include <QList>
#include <QRect>
#include <QStringList>

namespace KvPlot {

// What a plot comes to: lengths in plotter units, the bounds of what is cut, and what the reader
// had to say about the file.
struct Figures
{
    double cutLength = 0;      // pen down
    double travel = 0;         // every head movement, from the origin on
    QRect bounds;              // of the cut (and labels); null when nothing is cut
    int labelCount = 0;
    QList<int> pens;           // pens that cut, in the order of their first cut
    int skippedInstructions = 0;
    QStringList warnings;      // what was skipped or approximated, one sentence each

    double cutLengthMm() const { return cutLength / UnitsPerMm; }
    double travelMm() const { return travel / UnitsPerMm; }
    QRectF boundsMm() const;
    bool cutsAnything() const { return !bounds.isNull(); }
};

// Measures the movements handed to it.
class FigureSink : public PlotSink
{
public:
    void move(QPoint to, bool penDown, int pen) override;
    const Figures &figures() const { return m_figures; }
    Figures &figures() { return m_figures; }

private:
    Figures m_figures;
    QPoint m_at;
    int m_lastPen = -1;
    int m_xMin = 0, m_yMin = 0, m_xMax = -1, m_yMax = -1;
};

} // namespace KvPlot

#endif // KVPLOT_FIGURES_H
