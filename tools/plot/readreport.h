#ifndef KVPLOT_READREPORT_H
#define KVPLOT_READREPORT_H

#include <QMap>
#include <QString>
#include <QStringList>

#include <array>

namespace KvPlot {

// What a reader skipped or approximated, counted while it reads and put into sentences at the
// end.
class ReadReport
{
public:
    enum Note {
        FillLeftOut,
        LineTypeCutSolid,
        PolygonBufferFull,
        CoordinateClamped,
        LabelsLeftOut,
        LabelsWithoutFont,
        Utf16Converted,
        LoneCoordinate,
        SvgImageIgnored,
        NoteCount
    };

    void note(Note what, int times = 1) { m_notes[what] += times; }
    void skipInstruction(const QString &mnemonic);
    void countLabel() { ++m_labels; }
    void setLabelFont(const QString &family) { m_labelFont = family; }

    int labelCount() const { return m_labels; }
    int skippedInstructions() const { return m_skipped; }
    QStringList warnings() const;

private:
    std::array<int, NoteCount> m_notes {};
    QMap<QString, int> m_unknown;
    int m_skipped = 0;
    int m_labels = 0;
    QString m_labelFont;
};

} // namespace KvPlot

#endif // KVPLOT_READREPORT_H
