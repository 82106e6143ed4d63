#ifndef KVTRANSLATIONFOLDERS_H
#define KVTRANSLATIONFOLDERS_H

#include <QString>
#include <QStringList>

// Where the plug-in and the tools look for their translation files, in this order:
// 1. the "translations" folder beside the running program's executable: the build tree, and
//    hosts of the plug-in that put them there;
// 2. the translations folder of an installation, reached by `installedPath` from the folder of
//    the binary file that holds this code: the plug-in's library, or a tool's executable. That path
//    is fixed when the build is configured, so an installation finds its translations under any
//    prefix and library folder (lib/, or a multiarch one such as lib/x86_64-linux-gnu).
namespace KVTranslationFolders {

enum class Holder { Library, Program };

QStringList all(Holder holder, const QString &installedPath);

} // namespace KVTranslationFolders

#endif // KVTRANSLATIONFOLDERS_H
