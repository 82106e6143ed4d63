#include "toollanguage.h"

#include "languagechoice.h"
#include "translationfolders.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <algorithm>
#include <cstring>

namespace ToolLanguage {

namespace {
// The texts of this file, in the catalogues' context "ToolLanguage".
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(ToolLanguage)
};

// Qt's command-line parser writes these texts of its own into the help and its errors. Qt's
// catalogues leave some of them out (the Japanese one the help option itself): the tools'
// catalogue carries them all, and is asked before Qt's.
[[maybe_unused]] const char *const commandLineParserTexts[] = {
    QT_TRANSLATE_NOOP("QCommandLineParser", "Usage: %1"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "[options]"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Options:"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Arguments:"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help on commandline options."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help including Qt specific options."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unknown option '%1'."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unknown options: %1."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Missing value after '%1'."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unexpected value after '%1'."),
};

// The translator installed last is asked first.
void installFirstFound(const QString &file, const QStringList &folders)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (std::any_of(folders.cbegin(), folders.cend(), [&](const QString &folder) { return translator->load(file, folder); }))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
} // namespace

QStringList languages()
{
    return {QStringLiteral("zh_CN"), QStringLiteral("en_US"), QStringLiteral("ja_JP")};
}

bool readLanguage(const QString &text, QString *error)
{
    if (languages().contains(text))
        return true;
    *error = Texts::tr("--lang takes one of the languages the labels come in: %1; not '%2'.")
                 .arg(languages().join(QLatin1String(", ")), text);
    return false;
}

void applyBeforeStartup(int argc, char *argv[])
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--lang") != 0 || !languages().contains(QString::fromLocal8Bit(argv[i + 1])))
            continue;
        const QByteArray locale = QByteArray(argv[i + 1]) + ".UTF-8";
        qputenv("LC_ALL", locale);
        qputenv("LANG", locale);
    }
}

void install()
{
    const QString language = KVLanguageChoice::forLocale(QLocale::system().name());
    installFirstFound(QStringLiteral("qtbase_") + language, {QLibraryInfo::path(QLibraryInfo::TranslationsPath)});
    installFirstFound(QStringLiteral("kvtools_") + language,
                      KVTranslationFolders::all(KVTranslationFolders::Holder::Program,
                                                QStringLiteral(KV_TRANSLATIONS_FROM_PROGRAM)));
}

} // namespace ToolLanguage
