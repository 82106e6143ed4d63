#include "workfileinfo.h"

#include "plotfile.h"

#include "kvdeviceinterface.h"
#include "kvdeviceproperty.h"

namespace WorkFileInfo {

QJsonObject record(const KvPlot::Figures &figures)
{
    const QRectF bounds = figures.boundsMm();
    return QJsonObject{{QStringLiteral("width"), qRound(bounds.width())},
                       {QStringLiteral("heigth"), qRound(bounds.height())},
                       {QStringLiteral("path_length"), qRound(figures.cutLengthMm())}};
}

void describe(KVDeviceInterface *device, const PlotFile &plot)
{
    if (KVDeviceProperty *workFile = device->property_ptr("TASK_FILE_INFO"))
        workFile->setValue(record(plot.figures));
    if (KVDeviceProperty *preview = device->property_ptr("FILE_PREVIEW"))
        preview->setValue(plot.previewPng);
}

} // namespace WorkFileInfo
