#include "preview.h"

#include "previewcanvas.h"

#include <QBuffer>

namespace KvPlot {

namespace {
constexpr double Margin = 8;
constexpr qsizetype CloudMaxBytes = 32 * 1024;

Figures figuresOf(const Geometry &geometry)
{
    FigureSink figures;
    geometry.replay(figures);
    return figures.figures();
}

QByteArray pngOf(const QImage &picture)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither).save(&buffer, "PNG");
    return png;
}
} // namespace

QRectF previewArea(const Figures &figures, QSizeF sheetMm)
{
    QRectF area(0, 0, 1, 1); // the origin
    if (figures.cutsAnything()) {
        const QRect &cut = figures.bounds;
        area |= QRectF(QPointF(cut.left(), cut.top()), QPointF(cut.right(), cut.bottom()));
    }
    if (!sheetMm.isEmpty())
        area |= QRectF(0, 0, sheetMm.width() * UnitsPerMm, sheetMm.height() * UnitsPerMm);
    return area;
}

QTransform previewTransform(const QRectF &area, QSize size)
{
    const double margin = std::min({ Margin, size.width() / 8.0, size.height() / 8.0 });
    const double width = std::max(1.0, area.width()), height = std::max(1.0, area.height());
    const double scale = std::min((size.width() - 2 * margin) / width, (size.height() - 2 * margin) / height);
    QTransform transform;
    transform.translate(margin - area.left() * scale, size.height() - margin + area.top() * scale);
    transform.scale(scale, -scale);
    return transform;
}

QImage renderPreview(const Geometry &geometry, const PreviewOptions &options)
{
    PreviewCanvas canvas(options, figuresOf(geometry));
    geometry.replay(canvas);
    return canvas.picture();
}

PreviewOptions proportionalPreview(const Figures &figures, int longSide, QSizeF sheetMm)
{
    const QRectF area = previewArea(figures, sheetMm);
    const double aspect = area.width() / std::max(1.0, area.height());
    PreviewOptions options;
    options.size = aspect >= 1 ? QSize(longSide, std::max(16, int(longSide / aspect)))
                               : QSize(std::max(16, int(longSide * aspect)), longSide);
    options.sheetMm = sheetMm;
    return options;
}

QByteArray cloudPreviewPng(const QImage &picture)
{
    QByteArray png;
    for (const int longSide : { CloudPreviewSide, 192, 128, 96, 64, 32 }) {
        const bool fits = std::max(picture.width(), picture.height()) <= longSide;
        png = pngOf(fits ? picture : picture.scaled(longSide, longSide, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        if (png.size() <= CloudMaxBytes)
            break;
    }
    return png;
}

QByteArray cloudPreviewPng(const Geometry &geometry, QSizeF sheetMm)
{
    const Figures figures = figuresOf(geometry);
    PreviewCanvas canvas(proportionalPreview(figures, CloudPreviewSide, sheetMm), figures);
    geometry.replay(canvas);
    return cloudPreviewPng(canvas.picture());
}

} // namespace KvPlot
