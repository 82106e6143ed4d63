#include "plotfacts.h"

#include "plotfile.h"

#include <QFormLayout>
#include <QLabel>

PlotFacts::PlotFacts(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("plotFacts"));
    new QFormLayout(this);
    m_size = addFact(tr("Size"), "plotSize");
    m_length = addFact(tr("Cut length"), "plotLength");
    m_labels = addFact(tr("Labels"), "plotLabels");
    m_time = addFact(tr("Time a copy"), "plotTime");
    m_sheet = addFact(tr("Sheet"), "plotSheet");
    m_warnings = addFact(tr("Warnings"), "plotWarnings");
}

QLabel *PlotFacts::addFact(const QString &name, const char *objectName)
{
    auto *value = new QLabel(QStringLiteral("\u2014"));
    value->setObjectName(QString::fromLatin1(objectName));
    value->setWordWrap(true);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    static_cast<QFormLayout *>(layout())->addRow(name, value);
    return value;
}

void PlotFacts::showPlot(const PlotFile &plot, const QString &sheet)
{
    const KvPlot::Figures &figures = plot.figures;
    const QRectF bounds = figures.boundsMm();
    m_size->setText(tr("%1 x %2 mm").arg(bounds.width(), 0, 'f', 1).arg(bounds.height(), 0, 'f', 1));
    m_length->setText(tr("%1 m (travel %2 m)").arg(figures.cutLengthMm() / 1000, 0, 'f', 2).arg(figures.travelMm() / 1000, 0, 'f', 2));
    m_labels->setText(figures.labelCount == 0 ? tr("none")
                                              : tr("%1, cut as the outline of their text").arg(figures.labelCount));
    m_sheet->setText(sheet);
    m_warnings->setText(figures.warnings.isEmpty() ? tr("none") : figures.warnings.join(QLatin1Char('\n')));
    m_travelMm = figures.travelMm();
    showTime();
}

void PlotFacts::setSpeed(double mmPerS)
{
    m_speed = mmPerS;
    showTime();
}

// The head goes the whole travel at the cutting speed.
void PlotFacts::showTime()
{
    if (m_travelMm <= 0)
        return;
    if (m_speed <= 0) {
        m_time->setText(tr("not known until SPEED is read from the device"));
        return;
    }
    const qint64 seconds = qRound64(m_travelMm / m_speed);
    m_time->setText(tr("%1:%2 at %3 mm/s")
                        .arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0')).arg(m_speed));
}
