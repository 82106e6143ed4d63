#include "readreport.h"

#include <QCoreApplication>

#include <iterator>

namespace KvPlot {

namespace {
constexpr int NamedUnknownInstructions = 12;

// The texts of the plot library, in the catalogues' context "KvPlot".
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(KvPlot)
};

// What each note says, with %n for the times it was made, in the order of ReadReport::Note.
const char *const noteTexts[] = {
    QT_TRANSLATE_N_NOOP("KvPlot", "Left out %n filled shapes (RA, RR, FP, WG): a cutter does not fill."),
    QT_TRANSLATE_N_NOOP("KvPlot", "Cut %n dashed or dotted line types as solid lines."),
    QT_TRANSLATE_N_NOOP("KvPlot", "The polygon buffer was full: %n points left out."),
    QT_TRANSLATE_N_NOOP("KvPlot", "Moved %n coordinates beyond the plotter's range to its edge."),
    QT_TRANSLATE_N_NOOP("KvPlot", "Left out %n labels, as asked."),
    QT_TRANSLATE_N_NOOP("KvPlot", "Left out %n labels: no font engine is loaded in this program."),
    QT_TRANSLATE_N_NOOP("KvPlot", "Read the file as UTF-16 text (%n bytes)."),
    QT_TRANSLATE_N_NOOP("KvPlot", "Ignored %n coordinates without their pair."),
    QT_TRANSLATE_N_NOOP("KvPlot", "Ignored %n pictures embedded in the drawing."),
};
static_assert(std::size(noteTexts) == ReadReport::NoteCount);
} // namespace

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
        texts.append(Texts::tr("Skipped %n instructions the reader does not know: %1.", nullptr, m_skipped)
                         .arg(names.join(QStringLiteral(", "))));
    }
    for (int what = 0; what < NoteCount; ++what) {
        if (m_notes[what] > 0)
            texts.append(Texts::tr(noteTexts[what], nullptr, m_notes[what]));
    }
    if (!m_labelFont.isEmpty() && m_labels > m_notes[LabelsLeftOut] + m_notes[LabelsWithoutFont])
        texts.append(Texts::tr("Cut labels as outlines of the font %1.").arg(m_labelFont));
    return texts;
}

} // namespace KvPlot
