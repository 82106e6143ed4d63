#ifndef KVTOOLS_TOOLLANGUAGE_H
#define KVTOOLS_TOOLLANGUAGE_H

#include <QString>
#include <QStringList>

// The language kvhost, kvpanel, kvsim and kvcloud speak: the one the plug-in picks for its labels
// (Japanese on ja_JP, Chinese on zh_CN, English otherwise), from the system locale or --lang.
namespace ToolLanguage {

// The languages the tools and the plug-in's labels come in.
QStringList languages();

// False with `error` set (a whole sentence naming the option) for a language not shipped.
bool readLanguage(const QString &text, QString *error);

// "--lang xx_YY" must be in the environment before Qt reads the system locale; a language that
// is not shipped is left for the option check to refuse.
void applyBeforeStartup(int argc, char *argv[]);

// Installs Qt's own catalogue of that language (the file dialog, Qt's errors) and, asked first, the
// tools' catalogue, which also carries the command-line parser's help texts; for the rest of the run.
void install();

} // namespace ToolLanguage

#endif // KVTOOLS_TOOLLANGUAGE_H
