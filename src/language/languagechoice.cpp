#include "languagechoice.h"

namespace KVLanguageChoice {

QString forLocale(const QString &localeName)
{
    if (localeName == QLatin1String("ja_JP") || localeName == QLatin1String("zh_CN"))
        return localeName;
    return QStringLiteral("en_US");
}

} // namespace KVLanguageChoice
