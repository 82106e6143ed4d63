#include "plotreader.h"

#include "hpglreader.h"
#include "svgreader.h"
#include "textencoding.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace KvPlot {

namespace {
constexpr qsizetype DecideAfter = 64;
constexpr qint64 ChunkSize = 1 << 20;

// The texts of the plot library, in the catalogues' context "KvPlot".
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(KvPlot)
};
}

QString ReadError::text() const
{
    if (offset < 0)
        return reason;
    QString sentence = reason;
    if (sentence.endsWith(QLatin1Char('.')))
        sentence.chop(1);
    return Texts::tr("%1 (at byte %2).").arg(sentence).arg(offset);
}

PlotReader::PlotReader(PlotSink *sink, ReadOptions options)
    : m_tee({ &m_figures, sink }), m_options(options)
{
}

PlotReader::~PlotReader() = default;

void PlotReader::feed(QByteArrayView chunk)
{
    m_size += chunk.size();
    if (m_format != Format::Undecided) {
        feedDecided(chunk);
        return;
    }
    m_pending.append(chunk.data(), chunk.size());
    if (m_pending.size() >= DecideAfter)
        decide();
}

void PlotReader::decide()
{
    const QByteArray head = m_pending;
    m_pending.clear();
    qsizetype skip = 0;
    if (const auto utf16 = utf16Encoding(head)) {
        m_format = Format::Utf16Hpgl;
        m_utf16 = QStringDecoder(*utf16);
    } else {
        skip = head.startsWith("\xEF\xBB\xBF") ? 3 : 0; // a byte-order mark is no instruction
        m_format = looksLikeSvg(QByteArrayView(head).sliced(skip)) ? Format::Svg : Format::Hpgl;
    }
    if (m_format != Format::Svg)
        m_hpgl = std::make_unique<HpglReader>(m_tee, m_report, m_options.labels);
    feedDecided(QByteArrayView(head).sliced(skip));
}

void PlotReader::feedDecided(QByteArrayView chunk)
{
    switch (m_format) {
    case Format::Svg: m_pending.append(chunk.data(), chunk.size()); break;
    case Format::Hpgl: m_hpgl->feed(chunk); break;
    case Format::Utf16Hpgl: m_hpgl->feed(QString(m_utf16(chunk)).toUtf8()); break;
    case Format::Undecided: break;
    }
}

bool PlotReader::finish()
{
    if (m_format == Format::Undecided)
        decide();
    if (m_size == 0) {
        m_error = { Texts::tr("The file is empty."), 0 };
        return false;
    }
    if (m_format == Format::Svg) {
        m_error = readSvg(m_pending, m_tee, m_report, m_options.labels);
        m_pending.clear();
    } else {
        m_hpgl->finish();
        if (m_format == Format::Utf16Hpgl)
            m_report.note(ReadReport::Utf16Converted, int(std::min<qint64>(m_size, INT_MAX)));
        // Mostly binary bytes where plot text should be: a picture, an archive, a program.
        if (m_hpgl->binaryBytes() > 16 && m_hpgl->binaryBytes() * 8 > m_hpgl->textBytes())
            m_error = { Texts::tr("This is not a plot file: it is not text."), m_hpgl->firstBinaryOffset() };
    }
    Figures &figures = m_figures.figures();
    figures.labelCount = m_report.labelCount();
    figures.skippedInstructions = m_report.skippedInstructions();
    figures.warnings = m_report.warnings();
    if (!m_error.isError() && !figures.cutsAnything() && figures.labelCount == 0)
        m_error = { Texts::tr("Nothing in this file can be cut: no instruction in its %1 bytes draws anything.").arg(m_size), m_size };
    return !m_error.isError();
}

ReadResult readPlot(QByteArrayView bytes, ReadOptions options, PlotSink *sink)
{
    PlotReader reader(sink, options);
    reader.feed(bytes);
    reader.finish();
    return { reader.figures(), reader.error() };
}

ReadResult readPlotFile(const QString &path, ReadOptions options, PlotSink *sink)
{
    ReadResult result;
    QFile file(path);
    if (!QFileInfo::exists(path)) {
        result.error = { Texts::tr("Plot file not found: %1").arg(path), -1 };
    } else if (QFileInfo(path).isDir()) {
        result.error = { Texts::tr("%1 is a folder, not a plot file.").arg(path), -1 };
    } else if (!file.open(QIODevice::ReadOnly)) {
        result.error = { Texts::tr("Cannot read the plot file %1: %2").arg(path, file.errorString()), -1 };
    }
    if (result.error.isError())
        return result;
    PlotReader reader(sink, options);
    QByteArray chunk(ChunkSize, Qt::Uninitialized);
    qint64 got;
    while ((got = file.read(chunk.data(), ChunkSize)) > 0)
        reader.feed(QByteArrayView(chunk.constData(), got));
    if (got < 0) {
        result.error = { Texts::tr("Cannot read the plot file %1: %2").arg(path, file.errorString()), -1 };
        return result;
    }
    reader.finish();
    return { reader.figures(), reader.error() };
}

} // namespace KvPlot
