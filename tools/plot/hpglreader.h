#ifndef KVPLOT_HPGLREADER_H
#define KVPLOT_HPGLREADER_H

#include "hpgllabels.h"
#include "hpglplotter.h"

#include <QByteArrayView>

namespace KvPlot {

// Reads HP-GL and HP-GL/2 as plotters, cutters and drivers write it, fed in chunks of any size:
// two-letter instructions in either case, parameters with any separators or none, with or
// without ";"; PCL and PJL around the plot (raster and other binary data skipped by its byte
// count), "ESC ." device control, NUL padding and line breaks. An instruction it does not know is
// skipped and counted. Draws through an HpglPlotter into the sink.
class HpglReader
{
public:
    HpglReader(PlotSink &sink, ReadReport &report, LabelMode labels);

    void feed(QByteArrayView chunk);
    void finish();

    qint64 bytesRead() const { return m_offset; }
    // Bytes that no text plot holds (controls other than blanks, ESC, NUL, ETX; 8-bit bytes
    // outside labels and encoded polylines), and where the first was.
    qint64 binaryBytes() const { return m_binary; }
    qint64 textBytes() const { return m_text; }
    qint64 firstBinaryOffset() const { return m_firstBinary; }

private:
    enum class State {
        Ground, Mnemonic, Parameters, Quoted, Label, SkippedText, TerminatorChar, SymbolChar, Encoded,
        Escape, EscapePercent, EscapeParameterized, EscapeData, DeviceControl, DeviceControlParameters,
        PjlLine, Pcl
    };

    void step(uchar byte);
    void ground(uchar byte);
    void countText(uchar byte);
    void beginInstruction();
    void parameter(uchar byte);
    void addDigit(uchar byte)
    {
        m_inNumber = m_digits = true;
        if (m_mantissa < 100000000000000000LL)
            m_mantissa = m_mantissa * 10 + (byte - '0'), m_exponent -= m_dot ? 1 : 0;
        else if (!m_dot)
            ++m_exponent;
    }
    void endNumber();
    void endInstruction();
    void execute();
    void encoded(uchar byte);
    void encodedValue(qint64 value);
    void escape(uchar byte);
    void escapeParameterized(uchar byte);
    void pjlLine(uchar byte);
    void leaveEscape() { m_state = m_pcl ? State::Pcl : State::Ground; }

    HpglPlotter m_plotter;
    HpglLabels m_labels;
    ReadReport &m_report;
    State m_state = State::Ground;
    bool m_pcl = false;        // between ESC%nA and ESC%nB, PCL: text and escapes only
    bool m_reprocess = false;  // the byte ends one state and starts another
    qint64 m_offset = 0;
    qint64 m_binary = 0, m_text = 0, m_firstBinary = -1;

    // The instruction being read.
    char m_mnemonic[2] = {};
    bool m_streamsPairs = false; // PU PD PA PR: each coordinate pair is drawn as it comes
    static constexpr int MaxParameters = 16;
    double m_values[MaxParameters] = {};
    int m_count = 0;
    // The number being read.
    bool m_inNumber = false, m_digits = false, m_negative = false, m_dot = false;
    qint64 m_mantissa = 0;
    int m_exponent = 0;

    // PE: encoded polyline.
    struct Encoded
    {
        bool sevenBit = false, penUp = false, absolute = false, haveX = false;
        enum class Next { Coordinate, Pen, Fraction } next = Next::Coordinate;
        int fractionBits = 0, shift = 0;
        quint64 accumulator = 0;
        qint64 x = 0;
    } m_encoded;

    // ESC sequences.
    char m_escapeGroup = 0, m_escapeKind = 0;
    bool m_escapeNegative = false, m_escapeDigits = false;
    qint64 m_escapeValue = 0, m_dataLeft = 0;
    QByteArray m_pjl;
};

} // namespace KvPlot

#endif // KVPLOT_HPGLREADER_H
