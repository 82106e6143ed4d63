#ifndef KVHOST_WORKFILEINFO_H
#define KVHOST_WORKFILEINFO_H

#include <QJsonObject>

class KVDeviceInterface;
struct PlotFile;
namespace KvPlot { struct Figures; }

// What the device tells the cloud of a job's plot, set before the job starts: the work-file
// record ("TASK_FILE_INFO": "width" and "heigth" (the service's own spelling) of what is cut,
// and "path_length", the cut length, all in whole millimetres) and the preview ("FILE_PREVIEW",
// PNG bytes) that goes with every task report. Devices without these records are left alone.
namespace WorkFileInfo {

QJsonObject record(const KvPlot::Figures &figures);
void describe(KVDeviceInterface *device, const PlotFile &plot);

} // namespace WorkFileInfo

#endif // KVHOST_WORKFILEINFO_H
