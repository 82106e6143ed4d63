#include "translationfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <dlfcn.h>

namespace KVTranslationFolders {

namespace {
// The folder of the library file this code was loaded from. (For the running program the dynamic
// linker may give only the name it was started by; Qt reads its folder from the system.)
QString libraryFolder()
{
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void *>(&all), &info) == 0 || !info.dli_fname)
        return QString();
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}
} // namespace

QStringList all(Holder holder, const QString &installedPath)
{
    const QString program = QCoreApplication::applicationDirPath();
    QStringList folders{QDir(program).filePath(QStringLiteral("translations"))};
    const QString binary = holder == Holder::Library ? libraryFolder() : program;
    if (!binary.isEmpty())
        folders.append(QDir::cleanPath(QDir(binary).filePath(installedPath)));
    return folders;
}

} // namespace KVTranslationFolders
