#ifndef KVHOST_PLOTCOMMANDS_H
#define KVHOST_PLOTCOMMANDS_H

#include "figures.h"
#include "readoptions.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QTextStream>

class DeviceLink;
class KVDeviceInterface;
struct HostOptions;

// The commands on a plot file alone: inspect (its figures, and the time the cut takes at the
// device's SPEED or --speed), convert (the plot the device is sent, into a file) and preview
// (a picture of what is cut, into a PNG). Labels are cut as outlines or left out as --labels says.
class PlotCommands
{
    Q_DECLARE_TR_FUNCTIONS(PlotCommands)

public:
    PlotCommands(const HostOptions &options, KVDeviceInterface *device, QTextStream &out, QTextStream &err);

    // Before any connection: inspect reads the file. Returns the exit code.
    int check();
    // `link`: where inspect reads the device's SPEED; null without a device.
    int run(DeviceLink *link);

    // The figures as kvhost prints them with --json.
    static QJsonObject figuresJson(const KvPlot::Figures &figures, KvPlot::LabelMode labels);

private:
    int inspect(DeviceLink *link);
    int convert();
    int preview();
    int readSpeed(DeviceLink *link, double *speed);
    void print(const QJsonObject &json);
    void printFigures(const KvPlot::Figures &figures);
    int refused(const QString &reason);

    const HostOptions &m_options;
    KVDeviceInterface *m_device;
    QTextStream &m_out;
    QTextStream &m_err;
    QString m_path;
    KvPlot::Figures m_figures;
};

#endif // KVHOST_PLOTCOMMANDS_H
