#ifndef KVPLOT_RAWTEXT_H
#define KVPLOT_RAWTEXT_H

#include "plotreader.h"

#include <QString>

namespace KvPlot {

// Whether a file's own text reaches the plotter byte for byte. The plug-in takes a plot as a
// QString, frames it in its local 8-bit encoding (UTF-8) and, on USB, hands the frame on as a
// QString decoded from UTF-8: only valid UTF-8 survives, and 0x02/0x03 would end the frame.
// UTF-16 text would arrive as a plot the plotter cannot read. Fed in chunks.
class RawTextCheck
{
public:
    void feed(QByteArrayView chunk);
    // The first reason to refuse the text, with its byte offset; no error when it goes through.
    ReadError finish();

private:
    void refuse(const QString &reason, qint64 offset);

    ReadError m_error;
    QByteArray m_head;
    qint64 m_offset = 0;
    qint64 m_sequenceStart = 0;
    int m_continuations = 0;      // bytes still due in the current UTF-8 sequence
    uchar m_low = 0x80, m_high = 0xBF; // the range of the next continuation byte
};

ReadError checkRawText(QByteArrayView bytes);

// The file's own text as the plug-in takes it, read in chunks; refused as RawTextCheck says.
ReadError readRawText(const QString &path, QString *text);

} // namespace KvPlot

#endif // KVPLOT_RAWTEXT_H
