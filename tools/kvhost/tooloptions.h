#ifndef KVHOST_TOOLOPTIONS_H
#define KVHOST_TOOLOPTIONS_H

#include <QString>
#include <QStringList>

// Options kvhost and kvpanel share, read and checked the same way in both.
namespace ToolOptions {

// The languages the plug-in's labels come in: the Chinese source texts, English and Japanese.
QStringList languages();

// Each returns false with `error` set (a whole sentence naming the option) for a bad value.
bool readFamily(const QString &text, int *family, QString *error);
// 1 is real time, 0 cuts at once; a factor beyond MaxTimeScale is no simulation anyone waits for.
bool readTimeScale(const QString &text, double *scale, QString *error);
bool readLanguage(const QString &text, QString *error);

constexpr double MaxTimeScale = 100;

// "--lang xx_YY" must be in the environment before Qt reads the system locale; a language that
// is not shipped is left for the option check to refuse.
void applyLanguageBeforeStartup(int argc, char *argv[]);

} // namespace ToolOptions

#endif // KVHOST_TOOLOPTIONS_H
