#include "translationfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <dlfcn.h>

namespace KVTranslationFolders {

namespace {
// The folder of the library file this code was loaded from.
QString libraryFolder()
{
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void *>(&all), &info) == 0 || !info.dli_fname)
        return QString();
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}
} // namespace

QStringList all()
{
    QStringList folders{QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"))};
    const QString library = libraryFolder();
    if (!library.isEmpty())
        folders.append(QDir::cleanPath(QDir(library).filePath(QStringLiteral(KV_TRANSLATIONS_FROM_LIBRARY))));
    return folders;
}

} // namespace KVTranslationFolders
