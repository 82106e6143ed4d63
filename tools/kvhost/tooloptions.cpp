#include "tooloptions.h"

#include <cmath>
#include <cstring>

namespace ToolOptions {

QStringList languages()
{
    return {QStringLiteral("zh_CN"), QStringLiteral("en_US"), QStringLiteral("ja_JP")};
}

bool readFamily(const QString &text, int *family, QString *error)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || (value != 583 && value != 261)) {
        *error = QStringLiteral("--family takes 583 or 261, not '%1'.").arg(text);
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
        *error = QStringLiteral("--time-scale takes a factor from 0 to %1 (1 is real time), not '%2'.")
                     .arg(MaxTimeScale).arg(text);
        return false;
    }
    *scale = value;
    return true;
}

bool readLanguage(const QString &text, QString *error)
{
    if (languages().contains(text))
        return true;
    *error = QStringLiteral("--lang takes one of the languages the labels come in: %1; not '%2'.")
                 .arg(languages().join(QLatin1String(", ")), text);
    return false;
}

void applyLanguageBeforeStartup(int argc, char *argv[])
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--lang") != 0 || !languages().contains(QString::fromLocal8Bit(argv[i + 1])))
            continue;
        const QByteArray locale = QByteArray(argv[i + 1]) + ".UTF-8";
        qputenv("LC_ALL", locale);
        qputenv("LANG", locale);
    }
}

} // namespace ToolOptions
