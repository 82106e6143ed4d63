#include "plotpicture.h"

#include "preview.h"

#include <QPainter>

PlotPicture::PlotPicture(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("plotPicture"));
    setMinimumSize(160, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PlotPicture::showPlot(const KvPlot::Geometry *geometry, const KvPlot::Figures &figures, QSizeF sheetMm)
{
    m_geometry = geometry;
    m_figures = figures;
    m_sheetMm = sheetMm;
    m_cutShare = -1;
    m_picture = QImage();
    update();
}

void PlotPicture::setCutShare(double share)
{
    if (share == m_cutShare)
        return;
    m_cutShare = share;
    m_picture = QImage();
    update();
}

void PlotPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_geometry) {
        painter.fillRect(rect(), palette().window());
        painter.drawText(rect(), Qt::AlignCenter, tr("Open a plot file to see it here."));
        return;
    }
    if (m_picture.size() != size()) {
        KvPlot::PreviewOptions options;
        options.size = size();
        options.sheetMm = m_sheetMm;
        options.cutShare = m_cutShare;
        options.lineWidth = 1.6;
        m_picture = KvPlot::renderPreview(*m_geometry, options);
    }
    painter.drawImage(0, 0, m_picture);
    markSheet(painter);
}

// The sheet's size along its top edge, and the origin named beside its mark.
void PlotPicture::markSheet(QPainter &painter)
{
    const QTransform view = KvPlot::previewTransform(KvPlot::previewArea(m_figures, m_sheetMm), size());
    const KvPlot::PreviewOptions colours;
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    painter.setFont(small);
    const QPointF origin = view.map(QPointF(0, 0));
    painter.setPen(colours.origin);
    painter.drawText(QRectF(origin.x() + 4, origin.y() - 18, 120, 16), Qt::AlignLeft | Qt::AlignBottom, tr("origin"));
    if (m_sheetMm.isEmpty())
        return;
    const QPointF topRight = view.map(QPointF(m_sheetMm.width() * KvPlot::UnitsPerMm, m_sheetMm.height() * KvPlot::UnitsPerMm));
    painter.setPen(colours.sheetEdge);
    painter.drawText(QRectF(origin.x(), topRight.y() + 2, topRight.x() - origin.x() - 4, 16), Qt::AlignRight | Qt::AlignTop,
                     tr("%1 x %2 mm").arg(m_sheetMm.width(), 0, 'f', 0).arg(m_sheetMm.height(), 0, 'f', 0));
}
