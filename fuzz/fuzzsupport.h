#ifndef KVFUZZ_SUPPORT_H
#define KVFUZZ_SUPPORT_H

#include <QCoreApplication>
#include <QLoggingCategory>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace KvFuzz {

enum class DebugLines { Off, On };

// One application object for the whole run. Log lines are formatted, so that their code runs
// under the sanitizers as well, and then thrown away, except for the fatal ones. The debug lines
// of the receive path cost more than the rest of it, so the targets that feed it many chunks
// leave them off.
inline void startQt(int *argc, char ***argv, DebugLines debug)
{
    // A target may have started a QGuiApplication of its own first.
    static QCoreApplication *application = QCoreApplication::instance() ? QCoreApplication::instance()
                                                                        : new QCoreApplication(*argc, *argv);
    Q_UNUSED(application);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtFatalMsg) // a failed Qt check: Qt aborts right after this line
            std::fprintf(stderr, "==fuzz== %s\n", qUtf8Printable(text));
    });
    if (debug == DebugLines::On)
        QLoggingCategory::setFilterRules(QStringLiteral("kv.*=true"));
}

// A broken promise of the code under test: reported like a sanitizer finding, as a crash.
[[noreturn]] inline void fail(const char *what)
{
    std::fprintf(stderr, "==fuzz== %s\n", what);
    std::abort();
}

} // namespace KvFuzz

// libFuzzer's two entry points: Qt started once, with or without debug lines, then
// `test(const uint8_t *data, size_t size)` for every input.
#define KV_FUZZ_TARGET(debugLines, test)                                                            \
    extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)                                   \
    {                                                                                              \
        KvFuzz::startQt(argc, argv, KvFuzz::DebugLines::debugLines);                               \
        return 0;                                                                                  \
    }                                                                                              \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)                        \
    {                                                                                              \
        test(data, size);                                                                          \
        return 0;                                                                                  \
    }

#endif // KVFUZZ_SUPPORT_H
