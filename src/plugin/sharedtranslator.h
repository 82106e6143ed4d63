#ifndef KVSHAREDTRANSLATOR_H
#define KVSHAREDTRANSLATOR_H

#include <QString>
#include <QStringList>
#include <QTranslator>

#include <memory>

// One installed translator per translation file, shared by every device object that uses it.
// Qt asks every installed translator on each tr() of the host application, so a translator per
// device would make all of the host's lookups slower with every device alive. The translator is
// installed with its first user and removed with its last.
namespace KVSharedTranslator {

// The translator of `file`, loaded from the first of `folders` that has it (installed empty
// when none has).
std::shared_ptr<QTranslator> acquire(const QString &file, const QStringList &folders);

} // namespace KVSharedTranslator

#endif // KVSHAREDTRANSLATOR_H
