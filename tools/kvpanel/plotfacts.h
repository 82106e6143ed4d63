#ifndef KVPANEL_PLOTFACTS_H
#define KVPANEL_PLOTFACTS_H

#include <QWidget>

class QLabel;
struct PlotFile;

// Beside the picture of a job: the plot's size, cut length and travel, its labels, the time a
// copy takes at the device's SPEED, the sheet and what the reader had to say about the file.
class PlotFacts : public QWidget
{
    Q_OBJECT
public:
    explicit PlotFacts(QWidget *parent = nullptr);

    void showPlot(const PlotFile &plot, const QString &sheet);
    // The device's cutting speed in mm/s; 0 while it is not known.
    void setSpeed(double mmPerS);

private:
    QLabel *addFact(const QString &name, const char *objectName);
    void showTime();

    QLabel *m_size;
    QLabel *m_length;
    QLabel *m_labels;
    QLabel *m_time;
    QLabel *m_sheet;
    QLabel *m_warnings;
    double m_travelMm = 0;
    double m_speed = 0;
};

#endif // KVPANEL_PLOTFACTS_H
