#include "clipdata/ClipDataCommands.h"

#include "clipdata/ClipDataFiles.h"
#include "clipdata/ClipDataSheetTools.h"

bool ClipDataCommands::run(const QString& verb, const QString& argument) {
    const QString v = verb.trimmed().toUpper();
    const QString arg = argument.trimmed();
    if (v == QLatin1String("OPEN"))
        return arg.isEmpty() ? files_.Open() : files_.openPath(arg);
    if (v == QLatin1String("SAVE"))
        return !arg.isEmpty() && files_.savePath(arg);
    if (v == QLatin1String("CREATEIDCOL")) {
        tools_.CreateIdColumn();
        return true;
    }
    if (v == QLatin1String("FIRSTISHEADERROW"))
        return tools_.transferHeaderRow(1);
    return false;
}
