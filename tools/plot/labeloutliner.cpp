#include "labeloutliner.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainterPath>
#include <QTransform>

namespace KvPlot {

namespace {
constexpr int FontPixels = 1000;
// Chords within 1/500 of the capital height: 0.02 mm on a 1 cm label.
constexpr double GlyphTolerance = 0.002;
}

bool LabelOutliner::available()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

void LabelOutliner::loadFont()
{
    m_loaded = true;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(FontPixels);
    m_family = QFontInfo(font).family();
    m_capHeight = QFontMetricsF(font).capHeight();
    if (m_capHeight <= 0)
        m_capHeight = FontPixels * 0.7;
}

QString LabelOutliner::familyName()
{
    if (!m_loaded)
        loadFont();
    return m_family;
}

const std::vector<Polyline> &LabelOutliner::glyph(char32_t character)
{
    auto found = m_glyphs.constFind(character);
    if (found != m_glyphs.constEnd())
        return *found;
    if (!m_loaded)
        loadFont();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(FontPixels);
    QPainterPath path;
    path.addText(0, 0, font, QString::fromUcs4(&character, 1));
    const double scale = 1.0 / m_capHeight;
    return *m_glyphs.insert(character, flatten(path, QTransform::fromScale(scale, -scale), GlyphTolerance));
}

} // namespace KvPlot
