#include "hpglreader.h"

#include "readreport.h"

#include <algorithm>
#include <cmath>

namespace KvPlot {

namespace {

constexpr uchar Esc = 0x1B;

constexpr int code(const char (&m)[3]) { return (m[0] << 8) | m[1]; }

bool isLetter(uchar c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char upper(uchar c) { return char(c >= 'a' && c <= 'z' ? c - 32 : c); }

// Controls that no text plot holds: all but NUL padding, ETX, blanks, line ends and ESC.
bool isBinary(uchar c)
{
    return (c < 0x20 && c != 0 && c != 0x03 && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r' && c != Esc)
           || c == 0x7F || c >= 0x80;
}

// Instructions that change nothing a cutter does: pen speed and force, plotter set-up and
// queries, fonts and fill patterns, paper handling.
bool changesNothingCut(int mnemonic)
{
    switch (mnemonic) {
    case code("VS"): case code("FS"): case code("PG"): case code("BP"): case code("NP"): case code("PC"):
    case code("MC"): case code("TR"): case code("CO"): case code("WU"): case code("PW"): case code("OI"):
    case code("OP"): case code("OE"): case code("OS"): case code("OH"): case code("OW"): case code("OF"):
    case code("OA"): case code("OC"): case code("OD"): case code("OG"): case code("OK"): case code("OL"):
    case code("OO"): case code("DC"): case code("DP"): case code("EC"): case code("FR"): case code("AC"):
    case code("AP"): case code("GC"): case code("NR"): case code("QL"): case code("RP"): case code("SA"):
    case code("SS"): case code("CA"): case code("CS"): case code("SD"): case code("AD"): case code("FN"):
    case code("SL"): case code("TD"): case code("DV"): case code("LM"): case code("CV"): case code("CF"):
    case code("FT"): case code("RF"): case code("UL"): case code("LA"): case code("SV"): case code("PP"):
    case code("IV"): case code("SB"): case code("DL"): case code("KY"): case code("GM"): case code("IM"):
    case code("MG"): case code("PB"): case code("ST"): case code("SG"):
        return true;
    default:
        return false;
    }
}

} // namespace

HpglReader::HpglReader(PlotSink &sink, ReadReport &report, LabelMode labels)
    : m_plotter(sink, report), m_labels(m_plotter, report, labels), m_report(report)
{
}

void HpglReader::feed(QByteArrayView chunk)
{
    for (const char c : chunk) {
        const uchar byte = uchar(c);
        if (m_state == State::Parameters && byte >= '0' && byte <= '9') { // most of a plot
            ++m_text;
            ++m_offset;
            addDigit(byte);
            continue;
        }
        do {
            m_reprocess = false;
            step(byte);
        } while (m_reprocess);
        ++m_offset;
    }
}

void HpglReader::finish()
{
    if (m_state == State::Parameters || m_state == State::Quoted)
        endInstruction();
    else if (m_state == State::Label)
        m_labels.end(false);
    m_state = State::Ground;
}

void HpglReader::countText(uchar byte)
{
    if (!isBinary(byte)) {
        ++m_text;
        return;
    }
    if (m_firstBinary < 0)
        m_firstBinary = m_offset;
    ++m_binary;
}

void HpglReader::step(uchar byte)
{
    switch (m_state) {
    case State::Ground: ground(byte); break;
    case State::Mnemonic:
        if (isLetter(byte)) {
            countText(byte);
            m_mnemonic[1] = upper(byte);
            beginInstruction();
        } else {
            m_state = State::Ground; // a lone letter: stray text
            m_reprocess = true;
        }
        break;
    case State::Parameters:
        if (!isLetter(byte) && byte != ';' && byte != Esc && byte != '"')
            countText(byte);
        parameter(byte);
        break;
    case State::Quoted:
        if (byte == '"')
            m_state = State::Parameters;
        break;
    case State::Label:
    case State::SkippedText:
        if (byte == uchar(m_labels.terminator()) || byte == Esc) {
            if (m_state == State::Label)
                m_labels.end(byte != Esc);
            m_state = State::Ground;
            m_reprocess = byte == Esc;
        } else if (m_state == State::Label) {
            m_labels.add(char(byte));
        }
        break;
    case State::TerminatorChar:
        if (byte == ';') {
            m_labels.setTerminator('\x03', false);
            m_state = State::Ground;
        } else {
            m_labels.setTerminator(char(byte), false);
            m_state = State::Parameters; // then the mode, if any
        }
        break;
    case State::SymbolChar:
        m_state = State::Parameters;
        m_reprocess = byte == ';';
        break;
    case State::Encoded: encoded(byte); break;
    case State::Escape: escape(byte); break;
    case State::EscapePercent:
    case State::EscapeParameterized: escapeParameterized(byte); break;
    case State::EscapeData:
        if (--m_dataLeft <= 0)
            leaveEscape();
        break;
    case State::DeviceControl:
        // ESC . and a letter; those that take parameters end them with ':'.
        m_state = (byte == '@' || byte == 'H' || byte == 'I' || byte == 'M' || byte == 'N' || byte == 'T')
                      ? State::DeviceControlParameters : (m_pcl ? State::Pcl : State::Ground);
        break;
    case State::DeviceControlParameters:
        if (byte == ':')
            leaveEscape();
        else if (!((byte >= '0' && byte <= '9') || byte == ';' || byte == ',' || byte == ' ' || byte == '.' || byte == '-' || byte == '+'))
            leaveEscape(), m_reprocess = true;
        break;
    case State::PjlLine: pjlLine(byte); break;
    case State::Pcl:
        if (byte == Esc)
            m_state = State::Escape;
        break;
    }
}

void HpglReader::ground(uchar byte)
{
    if (isLetter(byte)) {
        countText(byte);
        m_mnemonic[0] = upper(byte);
        m_state = State::Mnemonic;
    } else if (byte == Esc) {
        m_state = State::Escape;
    } else if (byte == '@') {
        m_pjl.clear();
        m_state = State::PjlLine;
    } else {
        countText(byte);
    }
}

void HpglReader::beginInstruction()
{
    const int mnemonic = (m_mnemonic[0] << 8) | m_mnemonic[1];
    m_count = 0;
    m_inNumber = false;
    m_streamsPairs = false;
    m_state = State::Parameters;
    switch (mnemonic) {
    case code("PU"): m_plotter.setPenDown(false); m_streamsPairs = true; break;
    case code("PD"): m_plotter.setPenDown(true); m_streamsPairs = true; break;
    case code("PA"): m_plotter.setAbsolute(true); m_streamsPairs = true; break;
    case code("PR"): m_plotter.setAbsolute(false); m_streamsPairs = true; break;
    case code("LB"): m_labels.begin(); m_state = State::Label; break;
    case code("BL"): case code("WD"): m_state = State::SkippedText; break;
    case code("DT"): m_state = State::TerminatorChar; break;
    case code("SM"): m_state = State::SymbolChar; break;
    case code("PE"): m_encoded = Encoded(); m_state = State::Encoded; break;
    default: break;
    }
}

void HpglReader::parameter(uchar byte)
{
    if (byte >= '0' && byte <= '9') {
        addDigit(byte);
        return;
    }
    const bool startsNumber = byte == '+' || byte == '-' || byte == '.';
    if (startsNumber && !(byte == '.' && m_inNumber && !m_dot)) {
        endNumber();
        m_inNumber = true;
        m_negative = byte == '-';
        m_dot = byte == '.';
        return;
    }
    if (byte == '.') {
        m_dot = true;
        return;
    }
    endNumber();
    if (byte == ';') {
        endInstruction();
        m_state = State::Ground;
    } else if (isLetter(byte) || byte == Esc) {
        endInstruction();
        m_state = State::Ground;
        m_reprocess = true;
    } else if (byte == '"') {
        m_state = State::Quoted;
    }
}

void HpglReader::endNumber()
{
    static const double powers[] = { 1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18 };
    if (m_inNumber && m_digits) {
        double value = double(m_mantissa);
        if (m_exponent < 0)
            value /= m_exponent >= -18 ? powers[-m_exponent] : std::pow(10.0, -m_exponent);
        else if (m_exponent > 0)
            value *= std::pow(10.0, m_exponent);
        // HP-GL numbers lie within ±(2^30 - 1); beyond that a value is a broken file, and keeping
        // it there lets every instruction take its parameters as whole numbers safely.
        value = std::min(value, 1073741823.0);
        value = m_negative ? -value : value;
        if (m_streamsPairs) {
            m_values[m_count++] = value;
            if (m_count == 2) {
                m_plotter.plotTo(m_values[0], m_values[1]);
                m_count = 0;
            }
        } else if (m_count < MaxParameters) {
            m_values[m_count++] = value;
        }
    }
    m_inNumber = m_digits = m_negative = m_dot = false;
    m_mantissa = 0;
    m_exponent = 0;
}

void HpglReader::endInstruction()
{
    endNumber();
    execute();
    m_count = 0;
    m_streamsPairs = false;
}

void HpglReader::execute()
{
    const double *v = m_values;
    const int n = m_count;
    const int mnemonic = (m_mnemonic[0] << 8) | m_mnemonic[1];
    switch (mnemonic) {
    case code("PU"): case code("PD"): case code("PA"): case code("PR"):
        if (n == 1)
            m_report.note(ReadReport::LoneCoordinate);
        break;
    case code("IN"): m_plotter.initialize(); m_labels.setDefaults(); break;
    case code("DF"): m_plotter.setDefaults(); m_labels.setDefaults(); break;
    case code("SP"): m_plotter.selectPen(n >= 1 ? int(std::clamp(v[0], -1e6, 1e6)) : 0); break;
    case code("SC"): m_plotter.setScaling(v, n); break;
    case code("IP"): m_plotter.setInputPoints(v, n); break;
    case code("IR"): m_plotter.setInputRelative(v, n); break;
    case code("IW"): m_plotter.setWindow(v, n); break;
    case code("RO"): m_plotter.rotate(n >= 1 ? v[0] : 0); break;
    case code("PS"): m_plotter.setPlotSize(v, n); break;
    case code("CT"): m_plotter.setChordTolerance(n >= 1 && v[0] == 1); break;
    case code("CI"): m_plotter.circle(v, n); break;
    case code("AA"): m_plotter.arc(v, n, false); break;
    case code("AR"): m_plotter.arc(v, n, true); break;
    case code("AT"): m_plotter.threePointArc(v, n, false); break;
    case code("RT"): m_plotter.threePointArc(v, n, true); break;
    case code("BZ"): m_plotter.bezier(v, n, false); break;
    case code("BR"): m_plotter.bezier(v, n, true); break;
    case code("EA"): m_plotter.rectangle(v, n, false, false); break;
    case code("ER"): m_plotter.rectangle(v, n, true, false); break;
    case code("RA"): m_plotter.rectangle(v, n, false, true); break;
    case code("RR"): m_plotter.rectangle(v, n, true, true); break;
    case code("EW"): m_plotter.wedge(v, n, false); break;
    case code("WG"): m_plotter.wedge(v, n, true); break;
    case code("PM"): m_plotter.polygonMode(n >= 1 ? int(v[0]) : 0); break;
    case code("EP"): m_plotter.edgePolygon(false); break;
    case code("FP"): m_plotter.edgePolygon(true); break;
    case code("DT"): m_labels.setTerminator(m_labels.terminator(), n >= 1 && v[0] == 0); break;
    case code("DI"): m_labels.setDirection(v, n, false); break;
    case code("DR"): m_labels.setDirection(v, n, true); break;
    case code("SI"): m_labels.setSize(v, n, false); break;
    case code("SR"): m_labels.setSize(v, n, true); break;
    case code("LO"): m_labels.setOrigin(n >= 1 ? int(std::clamp(v[0], 0.0, 99.0)) : 1); break;
    case code("ES"): m_labels.setExtraSpace(v, n); break;
    case code("CP"): m_labels.characterPlot(v, n); break;
    case code("LT"):
        if (n >= 1 && v[0] != 0)
            m_report.note(ReadReport::LineTypeCutSolid);
        break;
    case code("LB"): case code("BL"): case code("WD"): case code("SM"): case code("PE"):
        break;
    default:
        if (!changesNothingCut(mnemonic))
            m_report.skipInstruction(QString::fromLatin1(m_mnemonic, 2));
    }
}

// PE: flags and base-64 (or, after "7", base-32) numbers, least significant digit first, the
// last digit from the upper range; the sign in the lowest bit. Ends at ";".
void HpglReader::encoded(uchar byte)
{
    if (byte == ';' || byte == Esc) {
        m_state = State::Ground;
        m_reprocess = byte == Esc;
        return;
    }
    Encoded &e = m_encoded;
    if (e.sevenBit)
        byte &= 0x7F;
    switch (byte & 0x7F) {
    case ':': e.next = Encoded::Next::Pen; return;
    case '>': e.next = Encoded::Next::Fraction; return;
    case '<': e.penUp = true; return;
    case '=': e.absolute = true; return;
    case '7': e.sevenBit = true; return;
    default: break;
    }
    int digit = -1;
    bool last = false;
    if (e.sevenBit) {
        if (byte >= 63 && byte <= 126)
            last = byte >= 95, digit = last ? byte - 95 : byte - 63;
    } else if (byte >= 63 && byte <= 126) {
        digit = byte - 63;
    } else if (byte >= 191 && byte <= 254) {
        digit = byte - 191, last = true;
    }
    if (digit < 0)
        return; // blanks, controls and the other bytes the plotter ignores here
    if (e.shift < 60)
        e.accumulator |= quint64(digit) << e.shift;
    e.shift += e.sevenBit ? 5 : 6;
    if (!last)
        return;
    const quint64 n = std::min<quint64>(e.accumulator, quint64(1) << 52);
    e.accumulator = 0;
    e.shift = 0;
    encodedValue(n & 1 ? -qint64(n >> 1) : qint64(n >> 1));
}

void HpglReader::encodedValue(qint64 value)
{
    Encoded &e = m_encoded;
    switch (e.next) {
    case Encoded::Next::Pen:
        m_plotter.selectPen(int(std::clamp<qint64>(value, -1000000, 1000000)));
        break;
    case Encoded::Next::Fraction:
        e.fractionBits = int(std::clamp<qint64>(value, -26, 26));
        break;
    case Encoded::Next::Coordinate:
        if (!e.haveX) {
            e.x = value;
            e.haveX = true;
            return;
        }
        m_plotter.encodedMove(double(e.x), double(value), e.absolute, e.penUp, e.fractionBits);
        e.haveX = e.absolute = e.penUp = false;
        break;
    }
    e.next = Encoded::Next::Coordinate;
}

void HpglReader::escape(uchar byte)
{
    if (byte == '%') {
        m_escapeKind = '%';
        m_escapeGroup = 0;
        m_escapeNegative = m_escapeDigits = false;
        m_escapeValue = 0;
        m_state = State::EscapePercent;
    } else if (byte == '.') {
        m_state = State::DeviceControl;
    } else if (byte == 'E') { // printer reset
        m_plotter.initialize();
        m_labels.setDefaults();
        leaveEscape();
    } else if (byte >= 0x21 && byte <= 0x2F) {
        m_escapeKind = char(byte);
        m_escapeGroup = 0;
        m_escapeNegative = m_escapeDigits = false;
        m_escapeValue = 0;
        m_state = State::EscapeParameterized;
    } else if (byte >= 0x30 && byte <= 0x7E) {
        leaveEscape(); // a two-character escape
    } else {
        leaveEscape();
        m_reprocess = true;
    }
}

// ESC, a parameterized character, a group character, then value fields each ended by a
// parameter character: lower case goes on, upper case ends. "W" (and "V" in raster, "X" in
// transparent print data) is followed by that many bytes of data.
void HpglReader::escapeParameterized(uchar byte)
{
    if (byte >= 0x60 && byte <= 0x7E && !m_escapeGroup && !m_escapeDigits && m_escapeKind != '%' && m_escapeKind != '(' && m_escapeKind != ')') {
        m_escapeGroup = char(byte);
        return;
    }
    if (byte >= '0' && byte <= '9') {
        m_escapeDigits = true;
        m_escapeValue = std::min<qint64>(m_escapeValue * 10 + (byte - '0'), qint64(1) << 40);
        return;
    }
    if (byte == '-' || byte == '+' || byte == '.') {
        m_escapeNegative = m_escapeNegative || byte == '-';
        return;
    }
    if (byte < 0x40 || byte > 0x7E) {
        leaveEscape();
        m_reprocess = true;
        return;
    }
    const char parameter = upper(byte);
    const qint64 value = m_escapeNegative ? -m_escapeValue : m_escapeValue;
    const bool ends = byte <= 0x5E;
    if (m_escapeKind == '%') {
        if (parameter == 'B')
            m_pcl = false;
        else if (parameter == 'A')
            m_pcl = true;
        else if (parameter == 'X') // universal exit: PJL may follow
            m_pcl = false;
        leaveEscape();
        return;
    }
    const bool data = parameter == 'W' || (parameter == 'V' && m_escapeKind == '*' && m_escapeGroup == 'b')
                      || (parameter == 'X' && m_escapeKind == '&' && m_escapeGroup == 'p');
    m_escapeNegative = m_escapeDigits = false;
    m_escapeValue = 0;
    if (data && value > 0) {
        m_dataLeft = value;
        m_state = State::EscapeData;
        return;
    }
    if (ends)
        leaveEscape();
}

// "@PJL ..." up to the line end; ENTER LANGUAGE says what follows.
void HpglReader::pjlLine(uchar byte)
{
    if (byte == '\n' || byte == Esc) {
        const QByteArray line = m_pjl.toUpper();
        if (line.contains("ENTER") && line.contains("LANGUAGE"))
            m_pcl = line.contains("PCL");
        leaveEscape();
        m_reprocess = byte == Esc;
    } else if (m_pjl.size() < 256) {
        m_pjl.append(char(byte));
    }
}

} // namespace KvPlot
