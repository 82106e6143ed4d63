#include "readreport.h"

#include <QCoreApplication>

namespace KvPlot {

namespace {
constexpr int NamedUnknownInstructions = 12;

QString tr(const char *text)
{
    return QCoreApplication::translate("KvPlot", text);
}
}

void ReadReport::skipInstruction(const QString &mnemonic)
{
    ++m_skipped;
    if (m_unknown.size() < NamedUnknownInstructions || m_unknown.contains(mnemonic))
        ++m_unknown[mnemonic];
}

QStringList ReadReport::warnings() const
{
    QStringList texts;
    if (m_skipped > 0) {
        QStringList names;
        for (auto it = m_unknown.cbegin(); it != m_unknown.cend(); ++it)
            names.append(QStringLiteral("%1 (%2)").arg(it.key()).arg(it.value()));
        texts.append(tr("Skipped %1 instructions the reader does not know: %2.").arg(m_skipped).arg(names.join(QStringLiteral(", "))));
    }
    const auto add = [&](Note what, const char *text) {
        if (m_notes[what] > 0)
            texts.append(tr(text).arg(m_notes[what]));
    };
    add(FillLeftOut, "Left out %1 filled shapes (RA, RR, FP, WG): a cutter does not fill.");
    add(LineTypeCutSolid, "Cut %1 dashed or dotted line types as solid lines.");
    add(PolygonBufferFull, "The polygon buffer was full: %1 points left out.");
    add(CoordinateClamped, "Moved %1 coordinates beyond the plotter's range to its edge.");
    add(LabelsLeftOut, "Left out %1 labels, as asked.");
    add(LabelsWithoutFont, "Left out %1 labels: no font engine is loaded in this program.");
    add(Utf16Converted, "Read the file as UTF-16 text (%1 bytes).");
    add(LoneCoordinate, "Ignored %1 coordinates without their pair.");
    add(SvgImageIgnored, "Ignored %1 pictures embedded in the drawing.");
    if (!m_labelFont.isEmpty() && m_labels > m_notes[LabelsLeftOut] + m_notes[LabelsWithoutFont])
        texts.append(tr("Cut labels as outlines of the font %1.").arg(m_labelFont));
    return texts;
}

} // namespace KvPlot
