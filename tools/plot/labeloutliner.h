#ifndef KVPLOT_LABELOUTLINER_H
#define KVPLOT_LABELOUTLINER_H

#include "flatten.h"

#include <QHash>
#include <QString>

namespace KvPlot {

// The outlines of characters in a font the system has (DejaVu Sans where installed, else the
// system's default font, with Qt's fallback for characters it lacks), for cutting labels.
// Outlines are in units of the font's capital height, baseline at y = 0, y upwards.
// Fonts need Qt's GUI font engine: available() is false in a program without a QGuiApplication,
// and glyph() must not be called there.
class LabelOutliner
{
public:
    static bool available();
    QString familyName();
    const std::vector<Polyline> &glyph(char32_t character);

private:
    void loadFont();

    QHash<char32_t, std::vector<Polyline>> m_glyphs;
    QString m_family;
    double m_capHeight = 0;
    bool m_loaded = false;
};

} // namespace KvPlot

#endif // KVPLOT_LABELOUTLINER_H
