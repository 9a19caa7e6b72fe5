// Any bytes as a Jet (.mdb) file, imported into a working copy through libmdb the way opening
// the file imports it. The stored queries need mdbtools' mdb-queries program, which the fuzzer
// hides (PATH is emptied), so only the library's reading is fuzzed. Nothing crashes; a failed
// import says why and leaves no working copy behind.
//
// The program runs libmdb in a child process (IsolatedRun), where libFuzzer sees no coverage. So
// each input is imported that way first; where libmdb came through it in the child, it is
// imported again in this process, which gives the fuzzer its coverage and checks that the child
// handed over the same result. An input on which libmdb crashes or hangs has been turned into an
// error by then and is not run here: that fault lies in libmdb, and the program survives it.
#include "FuzzInput.h"
#include "platform/legacy/JetImporter.h"

#include <QFileInfo>
#include <cstdlib>

namespace {
// Short, so that an input libmdb loops on costs seconds; every sound input takes milliseconds.
constexpr IsolatedRun::Seconds childLimit(5);

bool readerFailed(const QString& error, const QString& path) {
    return error.startsWith(QStringLiteral("The Jet reader failed on the file ") + path) ||
           error.startsWith(QStringLiteral("Reading ") + path + QStringLiteral(" took longer"));
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("PATH", qPrintable(fuzz::Sandbox::instance().root()), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::WorkFiles files;
    const QString source = files.write(QStringLiteral("input.mdb"), fuzz::bytes(data, size));
    const QString target = files.path(QStringLiteral("input.jet.sqlite"));
    const QString targetHere = files.path(QStringLiteral("here.jet.sqlite"));
    const auto result = JetImporter::import(source, target, {}, childLimit);
    fuzz::check(result.ok() == QFileInfo::exists(target),
                "a failed import left a working copy, or a good one left none");
    if (!result.ok() && readerFailed(result.error, source))
        return 0;
    auto here = JetImporter::importInProcess(source, targetHere);
    // The texts name the copy being written.
    here.error.replace(targetHere, target);
    here.warnings.replaceInStrings(targetHere, target);
    fuzz::check(here.error == result.error && here.warnings == result.warnings,
                "the child's import differs from the import in this process");
    return 0;
}
