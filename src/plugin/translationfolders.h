#ifndef KVTRANSLATIONFOLDERS_H
#define KVTRANSLATIONFOLDERS_H

#include <QStringList>

// Where the plug-in looks for its translation files, in this order:
// 1. the "translations" folder beside the host executable, where hosts of this plug-in put them;
// 2. the translations folder of an installation, found from the folder of the library file
//    itself: the path between the two is fixed when the build is configured, so an installed
//    plug-in finds its translations under any prefix and library folder (lib/, or a multiarch
//    one such as lib/x86_64-linux-gnu).
namespace KVTranslationFolders {

QStringList all();

} // namespace KVTranslationFolders

#endif // KVTRANSLATIONFOLDERS_H
