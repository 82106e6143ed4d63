#include "plotfile.h"

#include "deviceplotwriter.h"
#include "plotreader.h"
#include "preview.h"
#include "previewcanvas.h"
#include "rawtext.h"

#include <QFileInfo>

#include <optional>

bool PlotFile::read(const QString &path, const Options &readOptions, QString *error)
{
    *this = PlotFile();
    options = readOptions;
    fileName = QFileInfo(path).fileName();
    std::optional<KvPlot::DevicePlotWriter> writer;
    if (!options.raw) {
        text.reserve(qsizetype(std::min<qint64>(QFileInfo(path).size(), qint64(1) << 30)));
        writer.emplace(&text);
    }
    KvPlot::ReadResult result;
    if (options.keepGeometry) {
        result = KvPlot::readPlotFile(path, {options.labels}, &geometry);
        if (writer)
            geometry.replay(*writer);
        previewPng = KvPlot::cloudPreviewPng(geometry);
    } else {
        QImage picture;
        result = KvPlot::readPlotPicture(path, {options.labels}, KvPlot::CloudPreviewSide, &picture, writer ? &*writer : nullptr);
        previewPng = KvPlot::cloudPreviewPng(picture);
    }
    if (writer)
        writer->finish();
    if (!result.ok()) {
        *error = result.error.text();
        return false;
    }
    figures = result.figures;
    if (!options.raw)
        return true;
    const KvPlot::ReadError unfit = KvPlot::readRawText(path, &text);
    if (unfit.isError())
        *error = tr("%1 cannot be sent as it is (--raw): %2 Without --raw, the plot drawn from it is sent.")
                     .arg(fileName, unfit.text());
    return !unfit.isError();
}
