#ifndef KVHOST_PLOTFILE_H
#define KVHOST_PLOTFILE_H

#include "figures.h"
#include "geometry.h"
#include "readoptions.h"

#include <QCoreApplication>
#include <QByteArray>
#include <QString>

// A plot file made ready for a job, the same way in every host, before any connection: read and
// checked, its figures, the text the device is sent and the small picture the cloud is shown.
// The device is sent the plot drawn from the file's geometry (absolute PU/PD only, labels cut as
// outlines or left out), or with `raw` the file's own text where the link carries it unchanged.
// Without `keepGeometry` the file is read twice (figures first, then the device plot and the
// picture) and its geometry is never held, so a large file costs little more than its device plot.
struct PlotFile
{
    Q_DECLARE_TR_FUNCTIONS(PlotFile)

public:
    struct Options
    {
        KvPlot::LabelMode labels = KvPlot::LabelMode::Outline;
        bool raw = false;
        bool keepGeometry = false; // for pictures of the job while it runs
    };

    // False with `error` set (a whole sentence, with the byte offset where one concerns the
    // file) when the file is missing, unreadable, holds nothing to cut, or with `raw` holds text
    // that would not reach the plotter byte for byte.
    bool read(const QString &path, const Options &options, QString *error);

    QString fileName;       // without folders, as the device reports it
    Options options;
    QString text;           // what the device is sent
    KvPlot::Figures figures;
    KvPlot::Geometry geometry; // with keepGeometry only
    QByteArray previewPng;  // for the cloud's task reports
};

#endif // KVHOST_PLOTFILE_H
