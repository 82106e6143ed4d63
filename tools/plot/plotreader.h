#ifndef KVPLOT_PLOTREADER_H
#define KVPLOT_PLOTREADER_H

#include "figures.h"
#include "readoptions.h"
#include "readreport.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringDecoder>

#include <memory>

namespace KvPlot {

class HpglReader;

// Why a plot file is refused, and where in it.
struct ReadError
{
    QString reason;
    qint64 offset = -1; // byte offset in the file; -1 when it concerns no place in it
    bool isError() const { return !reason.isEmpty(); }
    QString text() const;
};

// A plot file, fed in chunks as it is read: HP-GL of every dialect (UTF-16 text converted, a
// byte-order mark skipped) or SVG (kept until the end, where Qt's SVG module reads it). Every
// movement goes to the figures and to `sink` (when given), so a caller can go from a file to its
// figures and its device plot without keeping its geometry.
class PlotReader
{
public:
    explicit PlotReader(PlotSink *sink = nullptr, ReadOptions options = {});
    ~PlotReader();

    void feed(QByteArrayView chunk);
    // Ends the plot. False when it is refused: nothing in it can be cut, or it is not text.
    bool finish();

    const Figures &figures() const { return m_figures.figures(); }
    const ReadError &error() const { return m_error; }

private:
    enum class Format { Undecided, Hpgl, Utf16Hpgl, Svg };
    void decide();
    void feedDecided(QByteArrayView chunk);

    FigureSink m_figures;
    TeeSink m_tee;
    ReadOptions m_options;
    ReadReport m_report;
    std::unique_ptr<HpglReader> m_hpgl;
    Format m_format = Format::Undecided;
    QByteArray m_pending;   // the first bytes, until the format is known; all of an SVG document
    QStringDecoder m_utf16;
    qint64 m_size = 0;
    ReadError m_error;
};

struct ReadResult
{
    Figures figures;
    ReadError error;
    bool ok() const { return !error.isError(); }
};

// Reads the plot file at `path` in chunks (the file is never held whole).
ReadResult readPlotFile(const QString &path, ReadOptions options = {}, PlotSink *sink = nullptr);
ReadResult readPlot(QByteArrayView bytes, ReadOptions options = {}, PlotSink *sink = nullptr);

} // namespace KvPlot

#endif // KVPLOT_PLOTREADER_H
