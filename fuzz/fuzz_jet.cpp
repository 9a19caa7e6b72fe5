// Any bytes as a Jet (.mdb) file, imported into a working copy through libmdb the way opening
// the file imports it. The stored queries need mdbtools' mdb-queries program, which the fuzzer
// hides (PATH is emptied), so only the library's reading is fuzzed. Nothing crashes; a failed
// import says why and leaves no working copy behind.
#include "FuzzInput.h"
#include "platform/legacy/JetImporter.h"

#include <QFileInfo>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("PATH", qPrintable(fuzz::Sandbox::instance().root()), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::WorkFiles files;
    const QString source = files.write(QStringLiteral("input.mdb"), fuzz::bytes(data, size));
    const QString target = files.path(QStringLiteral("input.jet.sqlite"));
    const auto result = JetImporter::import(source, target);
    if (!result.ok())
        fuzz::check(!QFileInfo::exists(target), "a failed import left a working copy");
    return 0;
}
