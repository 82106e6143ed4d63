#ifndef KVHOST_PLOTFILE_H
#define KVHOST_PLOTFILE_H

#include <QString>

// A plot file in the plotter's HPGL-like language ("IN;PU x,y;PD x,y,...;"), read as the user's
// text and handed to the device whole.
struct PlotFile
{
    // Reads the whole file (any size). False with `error` set when it is missing, unreadable,
    // empty, or holds the frame delimiters 0x02/0x03 that no plot text can carry.
    bool read(const QString &path, QString *error);
    // The part of read() after the file is in memory: checks and takes the bytes of the file at
    // `path` (named in the error), leaving fileName as it was.
    bool decode(const QByteArray &bytes, const QString &path, QString *error);

    QString fileName;  // without folders, as the device reports it
    QString text;
    double pathLengthMm = 0; // head travel over the whole plot
};

#endif // KVHOST_PLOTFILE_H
