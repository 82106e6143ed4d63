#ifndef KVPLOT_DEVICEPLOTWRITER_H
#define KVPLOT_DEVICEPLOTWRITER_H

#include "plotsink.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace KvPlot {

// The plot the device is sent: "IN;", then absolute integer "PU x,y;" and "PD x,y,x,y,...;"
// only, in 7-bit ASCII, ending with "PU;". Read back, it gives the figures of what it was
// written from. Writes through a small buffer into a QString (what the plug-in takes), a
// QByteArray or a device; call finish() once at the end.
class DevicePlotWriter : public PlotSink
{
public:
    explicit DevicePlotWriter(QString *text);
    explicit DevicePlotWriter(QByteArray *bytes);
    explicit DevicePlotWriter(QIODevice *device);
    ~DevicePlotWriter() override;

    void move(QPoint to, bool penDown, int pen) override;
    void finish();

private:
    void append(const char *text, qsizetype size);
    void appendNumber(int value);
    void flush();

    QString *m_text = nullptr;
    QByteArray *m_bytes = nullptr;
    QIODevice *m_device = nullptr;
    char m_buffer[16384];
    qsizetype m_used = 0;
    int m_pairs = 0;   // coordinate pairs in the open instruction
    bool m_down = false;
    bool m_open = false;
    bool m_finished = false;
};

} // namespace KvPlot

#endif // KVPLOT_DEVICEPLOTWRITER_H
