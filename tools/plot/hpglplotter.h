#ifndef KVPLOT_HPGLPLOTTER_H
#define KVPLOT_HPGLPLOTTER_H

#include "plotsink.h"

#include <QPointF>
#include <QRectF>

#include <optional>
#include <vector>

namespace KvPlot {

class ReadReport;

// The graphics state of an HP-GL/2 plotter and its drawing instructions, with parameters
// already parsed. Positions are kept in plotter units in the rotated frame the instructions see
// ("logical"); what is drawn goes to the sink on the sheet ("physical"), rounded to whole units.
class HpglPlotter
{
public:
    HpglPlotter(PlotSink &sink, ReadReport &report);

    void initialize();   // IN, and the PCL reset
    void setDefaults();  // DF
    void selectPen(int pen) { m_pen = pen; }
    void setPenDown(bool down) { m_penDown = down; }
    bool penDown() const { return m_penDown; }
    void setAbsolute(bool absolute) { m_absolute = absolute; }
    void plotTo(double x, double y);          // a PU/PD/PA/PR coordinate pair
    void setScaling(const double *values, int count);        // SC
    void setInputPoints(const double *values, int count);    // IP
    void setInputRelative(const double *values, int count);  // IR
    void setWindow(const double *values, int count);         // IW
    void rotate(double degrees);                             // RO
    void setPlotSize(const double *values, int count);       // PS
    void setChordTolerance(bool deviation) { m_chordIsDeviation = deviation; } // CT
    void circle(const double *values, int count);            // CI
    void arc(const double *values, int count, bool relative);   // AA, AR
    void threePointArc(const double *values, int count, bool relative); // AT, RT
    void bezier(const double *values, int count, bool relative); // BZ, BR
    void rectangle(const double *values, int count, bool relative, bool fill); // EA ER RA RR
    void wedge(const double *values, int count, bool fill);  // EW, WG
    void polygonMode(int mode);                              // PM
    void edgePolygon(bool fill);                             // EP, FP
    // One PE coordinate pair: in current units, relative unless `absolute`.
    void encodedMove(double x, double y, bool absolute, bool penUp, int fractionBits);

    // For labels: the position, the scaling box, and drawing in logical units.
    QPointF position() const { return m_position; }
    QPointF p1() const { return m_p1; }
    QPointF p2() const { return m_p2; }
    void moveTo(QPointF logical, bool down);
    void setPosition(QPointF logical) { m_position = logical; }
    // Converts a size given in current units (SC) to plotter units.
    double scaleX() const { return m_scaled ? m_sx : 1.0; }

private:
    struct Vertex
    {
        QPointF at;
        bool down;
    };

    QPointF toLogical(double x, double y) const;
    QPointF relativeToLogical(double dx, double dy) const;
    void applyScaling();
    void resetInputPoints();
    QRectF logicalHardClip() const;
    void drawArc(QPointF centre, double sweepDegrees, double chord, bool down);
    int chordCount(double radius, double sweepDegrees, double chord) const;
    void emitMove(QPointF logical, bool down);
    void closeSubpolygon();

    PlotSink &m_sink;
    ReadReport &m_report;
    QPointF m_position;
    QPointF m_emitted;  // where the head is
    bool m_penDown = false;
    bool m_absolute = true;
    int m_pen = 1;
    int m_rotation = 0;         // 0, 90, 180, 270
    QRectF m_sheet;             // the hard-clip limits on the sheet
    QPointF m_p1, m_p2;
    bool m_scaled = false;
    double m_scaleValues[7] = {};
    int m_scaleCount = 0;
    double m_sx = 1, m_sy = 1, m_ox = 0, m_oy = 0;
    std::optional<QRectF> m_window;
    bool m_chordIsDeviation = false;
    bool m_polygonMode = false;
    std::vector<Vertex> m_polygon;
    size_t m_subpolygonStart = 0;
};

} // namespace KvPlot

#endif // KVPLOT_HPGLPLOTTER_H
