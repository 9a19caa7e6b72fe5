// Work in a child process: what it returns arrives whole (more than a pipe holds), and a child
// that crashes, exits, throws or loops becomes an outcome that says so while the test goes on.
#include "platform/IsolatedRun.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <new>
#include <unistd.h>

namespace {

TEST(IsolatedRun, TurnsEveryWayAChildEndsIntoAnOutcome) {
    const QByteArray large(3 << 20, 'x'); // far past a pipe's buffer
    struct Case {
        const char* name;
        std::function<QByteArray()> work;
        std::optional<QByteArray> output;
        const char* error; // errorText for the reader "test reader" on the file f
    };
    const Case cases[] = {
        {"large output", [&] { return large; }, large, ""},
        {"empty output", [] { return QByteArray(); }, QByteArray(), ""},
        {"segfault",
         []() -> QByteArray {
             std::raise(SIGSEGV);
             return {};
         },
         std::nullopt, "The test reader failed on the file f (it stopped with signal 11)"},
        {"abort", []() -> QByteArray { std::abort(); }, std::nullopt,
         "The test reader failed on the file f (it stopped with signal 6)"},
        {"exit code", []() -> QByteArray { ::_exit(7); }, std::nullopt,
         "The test reader failed on the file f (it stopped with exit code 7)"},
        {"exit 0 half-way", []() -> QByteArray { ::_exit(0); }, std::nullopt,
         "The test reader failed on the file f (it ended without handing over what it read)"},
        {"out of memory", []() -> QByteArray { throw std::bad_alloc(); }, std::nullopt,
         "The test reader failed on the file f (it ran out of memory)"},
        {"endless loop",
         []() -> QByteArray {
             for (;;)
                 ::pause();
         },
         std::nullopt, "Reading f took longer than 1 seconds; the file may be damaged"},
        // What the library says on its error output names the reason; a flood of it is read
        // and dropped, and only the last line is kept.
        {"says why",
         []() -> QByteArray {
             for (int i = 0; i < 100000; ++i)
                 std::fprintf(stderr, "offset %d is beyond EOF\n", i);
             // ... and half a line, as a child stopped while writing leaves it.
             std::fprintf(stderr, "Unable to read table MSysObjects\n\nUnable to re");
             std::abort();
         },
         std::nullopt,
         "The test reader failed on the file f (it stopped with signal 6); its last message: "
         "Unable to read table MSysObjects"},
    };
    const IsolatedRun isolated(IsolatedRun::Seconds(1));
    for (const Case& c : cases) {
        const IsolatedRun::Outcome outcome = isolated.run(c.work);
        EXPECT_EQ(outcome.output, c.output) << c.name;
        if (!c.output) {
            EXPECT_EQ(
                isolated.errorText(outcome, QStringLiteral("test reader"), QStringLiteral("f")),
                QString::fromUtf8(c.error))
                << c.name;
        }
    }
}

} // namespace
