#include "hpgllabels.h"

#include "hpglplotter.h"
#include "readreport.h"

#include <QStringDecoder>

#include <algorithm>
#include <cmath>

namespace KvPlot {

namespace {
constexpr double UnitsPerCm = 400;
// The plotter's default character: 0.187 cm wide, 0.269 cm high.
constexpr double DefaultWidthCm = 0.187, DefaultHeightCm = 0.269;
constexpr qsizetype LongestLabel = 65536;

QString labelText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}
}

HpglLabels::HpglLabels(HpglPlotter &plotter, ReadReport &report, LabelMode mode)
    : m_plotter(plotter), m_report(report), m_mode(mode)
{
    if (m_mode == LabelMode::Outline && LabelOutliner::available())
        m_report.setLabelFont(m_outliner.familyName());
    setDefaults();
}

void HpglLabels::setDefaults()
{
    m_terminator = '\x03';
    m_terminatorPrinted = false;
    m_relativeSize = false;
    m_size[0] = DefaultWidthCm;
    m_size[1] = DefaultHeightCm;
    m_relativeDirection = false;
    m_direction[0] = 1;
    m_direction[1] = 0;
    m_origin = 1;
    m_extraSpace[0] = m_extraSpace[1] = 0;
}

void HpglLabels::setTerminator(char terminator, bool printed)
{
    m_terminator = terminator;
    m_terminatorPrinted = printed;
}

void HpglLabels::setSize(const double *values, int count, bool relative)
{
    m_relativeSize = relative;
    m_size[0] = count >= 2 ? values[0] : relative ? 0.75 : DefaultWidthCm;
    m_size[1] = count >= 2 ? values[1] : relative ? 1.5 : DefaultHeightCm;
}

void HpglLabels::setDirection(const double *values, int count, bool relative)
{
    if (count >= 2 && (values[0] != 0 || values[1] != 0)) {
        m_direction[0] = values[0];
        m_direction[1] = values[1];
    } else {
        m_direction[0] = 1;
        m_direction[1] = 0;
    }
    m_relativeDirection = relative && count >= 2;
}

void HpglLabels::setExtraSpace(const double *values, int count)
{
    m_extraSpace[0] = count >= 1 ? values[0] : 0;
    m_extraSpace[1] = count >= 2 ? values[1] : 0;
}

QPointF HpglLabels::direction() const
{
    QPointF d(m_direction[0], m_direction[1]);
    if (m_relativeDirection) {
        const QPointF span = m_plotter.p2() - m_plotter.p1();
        d = QPointF(d.x() * span.x(), d.y() * span.y());
    }
    const double length = std::hypot(d.x(), d.y());
    return length > 0 && std::isfinite(length) ? d / length : QPointF(1, 0);
}

HpglLabels::Cell HpglLabels::cell() const
{
    double width = m_size[0] * UnitsPerCm, height = m_size[1] * UnitsPerCm;
    if (m_relativeSize) {
        const QPointF span = m_plotter.p2() - m_plotter.p1();
        width = std::abs(span.x()) * m_size[0] / 100;
        height = std::abs(span.y()) * m_size[1] / 100;
    }
    width = std::clamp(width, -1e8, 1e8);
    height = std::clamp(height, -1e8, 1e8);
    const QPointF along = direction(), up(-along.y(), along.x());
    return { along * (1.5 * width * (1 + m_extraSpace[0])), up * (-2 * height * (1 + m_extraSpace[1])), width, height };
}

void HpglLabels::characterPlot(const double *values, int count)
{
    const Cell c = cell();
    if (count >= 2)
        m_plotter.setPosition(m_plotter.position() + c.x * values[0] + c.y * values[1]);
    else
        m_plotter.setPosition(m_plotter.position() + c.y);
}

void HpglLabels::begin()
{
    m_text.clear();
}

void HpglLabels::add(char byte)
{
    if (m_text.size() < LongestLabel)
        m_text.append(byte);
}

void HpglLabels::end(bool terminated)
{
    if (terminated && m_terminatorPrinted)
        m_text.append(m_terminator);
    const QString text = labelText(m_text);
    m_text.clear();
    if (!std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() > 0x20; }))
        return;
    m_report.countLabel();
    const Cell c = cell();
    // Label origin: 1-9 place the label's bottom, middle or top, left, centre or right at the
    // pen; 11-19 the same, half a character away from it.
    const int origin = m_origin > 10 ? m_origin - 10 : m_origin;
    const int column = (origin - 1) / 3, row = (origin - 1) % 3;
    qsizetype firstLine = 0;
    for (const QChar ch : text) {
        if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n'))
            break;
        firstLine += ch.unicode() >= 0x20 ? 1 : 0;
    }
    const double width = firstLine > 0 ? (firstLine - 1) * 1.5 * c.width * (1 + m_extraSpace[0]) + c.width : 0;
    const QPointF along = direction(), up(-along.y(), along.x());
    double dx = -width * column / 2, dy = -c.height * row / 2;
    if (m_origin > 10) {
        dx += c.width / 2 * (1 - column);
        dy += c.height / 2 * (1 - row);
    }
    const QPointF origin0 = m_plotter.position() + along * dx + up * dy;
    if (m_mode == LabelMode::Skip) {
        m_report.note(ReadReport::LabelsLeftOut);
    } else if (!LabelOutliner::available()) {
        m_report.note(ReadReport::LabelsWithoutFont);
    } else {
        outline(text, origin0, c);
    }
    // The pen ends where the next character would go.
    QPointF lineStart = origin0, at = origin0;
    for (const QChar ch : text) {
        if (ch == QLatin1Char('\r'))
            at = lineStart;
        else if (ch == QLatin1Char('\n'))
            at += c.y, lineStart += c.y;
        else if (ch == QLatin1Char('\b'))
            at -= c.x;
        else if (ch.unicode() >= 0x20)
            at += c.x;
    }
    m_plotter.setPosition(at - along * dx - up * dy);
}

void HpglLabels::outline(const QString &text, QPointF origin, const Cell &c)
{
    const QPointF along = direction(), up(-along.y(), along.x());
    // Glyphs come in units of the capital height; the default character's proportions keep the
    // font's own, other SI/SR proportions stretch it.
    const double yScale = c.height, xScale = c.width * DefaultHeightCm / DefaultWidthCm;
    QPointF lineStart = origin, at = origin;
    const QList<uint> characters = text.toUcs4();
    for (const uint ch : characters) {
        if (ch == '\r') {
            at = lineStart;
        } else if (ch == '\n') {
            at += c.y;
            lineStart += c.y;
        } else if (ch == '\b') {
            at -= c.x;
        } else if (ch >= 0x20) {
            for (const Polyline &contour : m_outliner.glyph(char32_t(ch))) {
                bool first = true;
                for (const QPointF &p : contour) {
                    m_plotter.moveTo(at + along * (p.x() * xScale) + up * (p.y() * yScale), !first);
                    first = false;
                }
            }
            at += c.x;
        }
    }
}

} // namespace KvPlot
