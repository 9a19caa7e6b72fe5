#include "clipdata/LoadStatementIntoClipData.h"

#include "clipdata/ClassRangeRecorder.h"
#include "platform/Connection.h"
#include "platform/Status.h"

ClipDataLoadResult LoadStatementIntoClipData(const QString& statement, Connection& connection,
                                             ClipDataSheet& clipData, Status& status,
                                             const QString& classifierColumn) {
    status.showStatus(QStringLiteral("Retrieving..."), 1);
    ClipDataLoadResult result;
    const std::optional<RowSet> rows = connection.query(statement);
    if (!rows) {
        result.error = connection.lastError();
        status.showStatus({}, 0);
        return result;
    }
    const int classifier = classifierColumn.isEmpty() ? -1 : rows->columnIndex(classifierColumn);
    if (!classifierColumn.isEmpty() && classifier < 0) {
        result.error = QStringLiteral("Field %1 is not in the result.").arg(classifierColumn);
        status.showStatus({}, 0);
        return result;
    }

    // Built aside so that a result too large for the sheet leaves the page as it was.
    Sheet page;
    for (int c = 0; c < rows->columnCount(); ++c)
        page.setText(1, c + 1, rows->columnNames()[c]);
    ClassRangeRecorder classes;
    for (qsizetype r = 0; r < rows->rowCount(); ++r) {
        const qsizetype sheetRow = r + 2;
        if (sheetRow > Sheet::maxRows) {
            result.error = QStringLiteral("The result has more rows than a page can hold.");
            status.showStatus({}, 0);
            return result;
        }
        for (int c = 0; c < rows->columnCount(); ++c)
            page.setValue(int(sheetRow), c + 1, rows->at(r, c));
        if (classifier >= 0)
            classes.add(int(sheetRow), rows->at(r, classifier).toText());
    }
    clipData.activePage() = std::move(page);
    // Ranges of an earlier load would describe rows that are gone.
    clipData.setClassRanges(classes.ranges());
    status.showStatus({}, 0);
    result.ok = true;
    result.rows = rows->rowCount();
    return result;
}
