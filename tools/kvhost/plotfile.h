#ifndef KVHOST_PLOTFILE_H
#define KVHOST_PLOTFILE_H

#include "figures.h"

#include <QString>

// A plot file handed to the device as the user's own text, with its figures from the plot
// library.
struct PlotFile
{
    // Reads the whole file (any size). False with `error` set when it is missing, unreadable,
    // empty, or holds text that would not reach the plotter byte for byte (the frame delimiters
    // 0x02/0x03, bytes that are not UTF-8, UTF-16).
    bool read(const QString &path, QString *error);
    // The part of read() after the file is in memory: checks and takes the bytes of the file at
    // `path` (named in the error), leaving fileName as it was.
    bool decode(const QByteArray &bytes, const QString &path, QString *error);

    QString fileName;  // without folders, as the device reports it
    QString text;
    double pathLengthMm = 0; // head travel over the whole plot
    KvPlot::Figures figures;
};

#endif // KVHOST_PLOTFILE_H
