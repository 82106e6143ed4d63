#ifndef KVBENCHSYNTHETICPLOT_H
#define KVBENCHSYNTHETICPLOT_H

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>

// Writes a plot file of at least `bytes` bytes: "IN;SP1;", then what `appendFigure` appends at
// each scattered point (x below 16000, y below 12000, from a fixed pseudo-random sequence) until
// the file is long enough, in writes of about 1 MB. False when it cannot be written.
inline bool writeSyntheticPlot(const QString &path, qint64 bytes, const std::function<void(QByteArray &, int, int)> &appendFigure)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk;
    chunk.reserve(1 << 20);
    chunk.append("IN;SP1;");
    quint32 seed = 12345;
    qint64 written = 0;
    while (written < bytes) {
        seed = seed * 1664525u + 1013904223u;
        appendFigure(chunk, int(seed >> 16) % 16000, int(seed & 0xFFFF) % 12000);
        if (chunk.size() >= (1 << 20) - 256) {
            written += file.write(chunk);
            chunk.clear();
        }
    }
    written += file.write(chunk);
    return written >= bytes;
}

#endif // KVBENCHSYNTHETICPLOT_H
