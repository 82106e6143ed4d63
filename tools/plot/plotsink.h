#ifndef KVPLOT_PLOTSINK_H
#define KVPLOT_PLOTSINK_H

#include <QPoint>

#include <initializer_list>
#include <vector>

namespace KvPlot {

// Plot coordinates are plotter units of 1/40 mm on the sheet, y upwards, integers: what the
// device plot carries, so that a plot and its device plot give the same figures.
constexpr double UnitsPerMm = 40.0;
// HP-GL's coordinate range (symmetric, so that any width fits an int); readers clamp to it.
constexpr int CoordinateLimit = (1 << 30) - 1;

// Where readers put what a plot draws: every head movement in order, pen up (travel only) or
// pen down (a cut), with the pen that draws it.
class PlotSink
{
public:
    virtual ~PlotSink() = default;
    virtual void move(QPoint to, bool penDown, int pen) = 0;
};

// Hands every movement to several sinks.
class TeeSink : public PlotSink
{
public:
    TeeSink(std::initializer_list<PlotSink *> sinks);
    void move(QPoint to, bool penDown, int pen) override;

private:
    std::vector<PlotSink *> m_sinks;
};

} // namespace KvPlot

#endif // KVPLOT_PLOTSINK_H
