#include "plotfile.h"

#include "simplot.h"

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
    if (bytes.contains('\x02') || bytes.contains('\x03')) {
        *error = QStringLiteral("%1 holds the bytes 0x02/0x03, which frame the device's protocol; "
                                "it is not a plot file").arg(path);
        return false;
    }
    // Stateless: a sequence cut off at the end of the file is an error, not bytes kept back for
    // a next call that never comes (the file's last characters would be lost).
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromLocal8Bit(bytes);
    pathLengthMm = KvSimPlot::pathLengthMm(bytes);
    return true;
}
