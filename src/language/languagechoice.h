#ifndef KVLANGUAGECHOICE_H
#define KVLANGUAGECHOICE_H

#include <QString>

// The language the plug-in's labels and the tools' texts come in, chosen from the name of the
// system locale ("ja_JP"): Japanese on ja_JP, Chinese on zh_CN, English on any other.
namespace KVLanguageChoice {

// "ja_JP", "zh_CN" or "en_US".
QString forLocale(const QString &localeName);

} // namespace KVLanguageChoice

#endif // KVLANGUAGECHOICE_H
