#include "tooloptions.h"

#include <QCoreApplication>

#include <cmath>

namespace ToolOptions {

namespace {
// The texts of this file, in the catalogues' context "ToolOptions".
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(ToolOptions)
};
} // namespace

bool readFamily(const QString &text, int *family, QString *error)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || (value != 583 && value != 261)) {
        *error = Texts::tr("--family takes 583 or 261, not '%1'.").arg(text);
        return false;
    }
    *family = value;
    return true;
}

bool readTimeScale(const QString &text, double *scale, QString *error)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0 || value > MaxTimeScale) {
        *error = Texts::tr("--time-scale takes a factor from 0 to %1 (1 is real time), not '%2'.")
                     .arg(MaxTimeScale).arg(text);
        return false;
    }
    *scale = value;
    return true;
}

} // namespace ToolOptions
