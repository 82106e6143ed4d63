#ifndef KVPANEL_PLOTPICTURE_H
#define KVPANEL_PLOTPICTURE_H

#include "figures.h"
#include "geometry.h"

#include <QImage>
#include <QWidget>

// The job's plot as it will be cut (labels as their outlines), scaled to fit, on its sheet with
// the origin marked. While a job runs, what is already cut of the copy on the sheet is drawn
// in another colour than what is still to come.
class PlotPicture : public QWidget
{
    Q_OBJECT
public:
    explicit PlotPicture(QWidget *parent = nullptr);

    // `geometry` stays the caller's and must live as long as it is shown; null shows nothing.
    void showPlot(const KvPlot::Geometry *geometry, const KvPlot::Figures &figures, QSizeF sheetMm);
    // Share of the copy's travel already cut, 0 to 1; below 0 when no job is under way.
    void setCutShare(double share);
    double cutShare() const { return m_cutShare; }

    QSize sizeHint() const override { return {360, 240}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void markSheet(QPainter &painter);

    const KvPlot::Geometry *m_geometry = nullptr;
    KvPlot::Figures m_figures;
    QSizeF m_sheetMm;
    double m_cutShare = -1;
    QImage m_picture; // drawn for the widget's size and the share shown; null when out of date
};

#endif // KVPANEL_PLOTPICTURE_H
