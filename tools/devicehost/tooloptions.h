#ifndef KVHOST_TOOLOPTIONS_H
#define KVHOST_TOOLOPTIONS_H

#include <QString>
#include <QStringList>

// Options kvhost and kvpanel share, read and checked the same way in both.
namespace ToolOptions {

// Each returns false with `error` set (a whole sentence naming the option) for a bad value.
bool readFamily(const QString &text, int *family, QString *error);
// 1 is real time, 0 cuts at once; a factor beyond MaxTimeScale is no simulation anyone waits for.
bool readTimeScale(const QString &text, double *scale, QString *error);

constexpr double MaxTimeScale = 100;

} // namespace ToolOptions

#endif // KVHOST_TOOLOPTIONS_H
