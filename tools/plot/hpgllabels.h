#ifndef KVPLOT_HPGLLABELS_H
#define KVPLOT_HPGLLABELS_H

#include "labeloutliner.h"
#include "readoptions.h"

#include <QByteArray>
#include <QPointF>

namespace KvPlot {

class HpglPlotter;
class ReadReport;

// HP-GL labels: LB text up to the label terminator (DT), laid out in character cells of SI/SR
// size, along DI/DR, placed by LO, spaced by ES, moved by CP. Cut as font outlines or left out;
// the pen ends after the label either way.
class HpglLabels
{
public:
    HpglLabels(HpglPlotter &plotter, ReadReport &report, LabelMode mode);

    void setDefaults();
    char terminator() const { return m_terminator; }
    void setTerminator(char terminator, bool printed);
    void setSize(const double *values, int count, bool relative);
    void setDirection(const double *values, int count, bool relative);
    void setOrigin(int origin) { m_origin = (origin >= 1 && origin <= 19 && origin != 10) ? origin : 1; }
    void setExtraSpace(const double *values, int count);
    void characterPlot(const double *values, int count);

    void begin();
    void add(char byte);
    // At the terminator (or when the plot ends inside a label).
    void end(bool terminated);

private:
    struct Cell
    {
        QPointF x, y;   // one character cell's advance and one line's step, in plotter units
        double width, height;
    };
    Cell cell() const;
    QPointF direction() const;
    void outline(const QString &text, QPointF origin, const Cell &cell);

    HpglPlotter &m_plotter;
    ReadReport &m_report;
    LabelMode m_mode;
    LabelOutliner m_outliner;
    QByteArray m_text;
    char m_terminator = '\x03';
    bool m_terminatorPrinted = false;
    bool m_relativeSize = false;
    double m_size[2] = {};
    bool m_relativeDirection = false;
    double m_direction[2] = { 1, 0 };
    int m_origin = 1;
    double m_extraSpace[2] = {};
};

} // namespace KvPlot

#endif // KVPLOT_HPGLLABELS_H
