// Any bytes as a Jet (.mdb) file, imported into a working copy through libmdb the way opening
// the file imports it. The stored queries need mdbtools' mdb-queries program, which the fuzzer
// hides (PATH is emptied), so only the library's reading is fuzzed. Nothing crashes; a failed
// import says why and leaves no working copy behind.
//
// The program imports in a child process (IsolatedRun), and so does this target: libmdb hangs
// on some damaged files and does not read them the same way twice, so running it in this process
// would fuzz the library rather than the program. An input on which libmdb crashes or hangs must
// come back as an error naming the file.
#include "FuzzInput.h"
#include "platform/legacy/JetImporter.h"

#include <QFileInfo>
#include <cstdlib>

namespace {
// Short, so that an input libmdb loops on costs seconds; every sound input takes milliseconds.
constexpr IsolatedRun::Seconds childLimit(5);
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("PATH", qPrintable(fuzz::Sandbox::instance().root()), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::WorkFiles files;
    const QString source = files.write(QStringLiteral("input.mdb"), fuzz::bytes(data, size));
    const QString target = files.path(QStringLiteral("input.jet.sqlite"));
    const auto result = JetImporter::import(source, target, {}, childLimit);
    fuzz::check(result.ok() == QFileInfo::exists(target),
                "a failed import left a working copy, or a good one left none");
    return 0;
}
