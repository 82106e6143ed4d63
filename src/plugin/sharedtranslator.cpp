#include "sharedtranslator.h"

#include "kvlogging.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>

namespace KVSharedTranslator {

std::shared_ptr<QTranslator> acquire(const QString &file, const QStringList &folders)
{
    // Device objects live on the host's GUI thread; so does this table.
    static QHash<QString, std::weak_ptr<QTranslator>> installed;
    if (std::shared_ptr<QTranslator> shared = installed.value(file).lock())
        return shared;

    auto *translator = new QTranslator;
    const auto found = std::find_if(folders.cbegin(), folders.cend(),
                                    [&](const QString &folder) { return translator->load(file, folder); });
    qCDebug(lcKvDevice) << "KVCommonInterface::installTranslation" << file
                        << (found != folders.cend() ? *found : QStringLiteral("not found in %1").arg(folders.join(QLatin1String(", "))));
    QCoreApplication::installTranslator(translator);
    std::shared_ptr<QTranslator> shared(translator, [](QTranslator *last) {
        // The root object may outlive the application object (it lives until the library unloads).
        if (QCoreApplication::instance())
            QCoreApplication::removeTranslator(last);
        delete last;
    });
    installed.insert(file, shared);
    return shared;
}

} // namespace KVSharedTranslator
