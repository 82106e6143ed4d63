#include "sharedtranslator.h"

#include "kvlogging.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>

namespace KVSharedTranslator {

std::shared_ptr<QTranslator> acquire(const QString &file, const QString &folder)
{
    // Device objects live on the host's GUI thread; so does this table.
    static QHash<QString, std::weak_ptr<QTranslator>> installed;
    const QString path = QDir(folder).filePath(file);
    if (std::shared_ptr<QTranslator> shared = installed.value(path).lock())
        return shared;

    auto *translator = new QTranslator;
    const bool loaded = translator->load(file, folder);
    qCDebug(lcKvDevice) << "KVCommonInterface::installTranslation" << path << loaded;
    QCoreApplication::installTranslator(translator);
    std::shared_ptr<QTranslator> shared(translator, [](QTranslator *last) {
        // The root object may outlive the application object (it lives until the library unloads).
        if (QCoreApplication::instance())
            QCoreApplication::removeTranslator(last);
        delete last;
    });
    installed.insert(path, shared);
    return shared;
}

} // namespace KVSharedTranslator
