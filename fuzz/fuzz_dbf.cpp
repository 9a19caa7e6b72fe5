// Any bytes as the one .dbf file of a dBase folder, imported into a working copy the way opening
// the folder imports it: header and records are read through shapelib and DbfTableReader, and
// nothing crashes; a failed import says why and leaves no working copy behind.
#include "FuzzInput.h"
#include "platform/legacy/DbaseImporter.h"

#include <QFileInfo>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::WorkFiles files;
    QDir().mkpath(files.path(QStringLiteral("folder")));
    files.write(QStringLiteral("folder/samples.dbf"), fuzz::bytes(data, size));
    const QString target = files.path(QStringLiteral("folder.dbase.sqlite"));
    const auto result = DbaseImporter::import(files.path(QStringLiteral("folder")), target);
    if (!result.ok())
        fuzz::check(!QFileInfo::exists(target), "a failed import left a working copy");
    return 0;
}
