#include "plotfile.h"

#include "plotreader.h"
#include "rawtext.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

bool PlotFile::read(const QString &path, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        *error = QStringLiteral("plot file not found: %1").arg(path);
        return false;
    }
    if (info.isDir()) {
        *error = QStringLiteral("%1 is a folder, not a plot file").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read plot file %1: %2").arg(path, file.errorString());
        return false;
    }
    if (!decode(file.readAll(), path, error))
        return false;
    fileName = info.fileName();
    return true;
}

bool PlotFile::decode(const QByteArray &bytes, const QString &path, QString *error)
{
    if (bytes.isEmpty()) {
        *error = QStringLiteral("plot file %1 is empty").arg(path);
        return false;
    }
    const KvPlot::ReadError unfit = KvPlot::checkRawText(bytes);
    if (unfit.isError()) {
        const char byte = bytes.at(unfit.offset);
        *error = byte == '\x02' || byte == '\x03'
                     ? QStringLiteral("%1 holds the bytes 0x02/0x03 (at byte %2), which frame the device's protocol; "
                                      "it is not a plot file").arg(path).arg(unfit.offset)
                     : QStringLiteral("%1: %2").arg(path, unfit.text());
        return false;
    }
    // A byte-order mark is part of the file's own text and stays.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    text = utf8(bytes);
    figures = KvPlot::readPlot(bytes).figures;
    pathLengthMm = figures.travelMm();
    return true;
}
