#pragma once
// Runs a statement on the session connection and writes its result into ClipData's active page:
// the field names in row 1, one record per row below, Null as an empty cell. The page's previous
// content is replaced only when the statement ran; a failure leaves page and class ranges as
// they were. With a classifier column (the statement orders its rows by it) the class ranges
// are recorded (ClassRangeRecorder) and kept in the sheet; without one they are cleared.
#include "clipdata/ClipDataSheet.h"
#include "platform/CellValue.h"

class Connection;
class Status;

struct ClipDataLoadResult {
    bool ok = false;
    QString error; // the engine's text, or why the classifier cannot be used
    qsizetype rows = 0;
};

ClipDataLoadResult LoadStatementIntoClipData(const QString& statement, Connection& connection,
                                             ClipDataSheet& clipData, Status& status,
                                             const QString& classifierColumn = {});
