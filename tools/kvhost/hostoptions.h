#ifndef KVHOST_HOSTOPTIONS_H
#define KVHOST_HOSTOPTIONS_H

#include "devicelink.h"
#include "readoptions.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class QCommandLineParser;

// The command line of kvhost.
struct HostOptions
{
    Q_DECLARE_TR_FUNCTIONS(HostOptions)

public:
    bool parse(const QStringList &arguments);
    QString errorText() const { return error; }
    // list, convert and preview never connect; inspect only to read the device's SPEED.
    bool needsDevice() const;
    bool isPlotCommand() const;

    QString pluginPath;
    int family = 583;
    bool json = false;
    LinkTarget target;
    bool simulate = false;
    bool cloud = false;
    bool probe = false;
    double timeScale = 1.0;
    int timeoutMs = 5000;
    int copies = 1;
    bool qrCode = false;
    KvPlot::LabelMode labels = KvPlot::LabelMode::Outline;
    bool raw = false;          // cut: the file's own text instead of the plot drawn from it
    double speedMmPerS = 0;    // inspect: --speed; 0 where not given
    QString output;            // convert, preview: -o
    int previewSize = 800;     // preview: the picture's long side in pixels
    QString command;
    QStringList commandArguments;

private:
    bool checkCommand();
    bool readPlotOptions(const QCommandLineParser &parser);
    QString error;
};

#endif // KVHOST_HOSTOPTIONS_H
