#include "clipdata/TableLoaderWindow.h"

#include "clipdata/LoadStatementIntoClipData.h"
#include "platform/Dialogs.h"
#include "query/LoadTablesSql.h"

void TableLoaderWindow::setLeftJoin(bool on) {
    leftJoin_ = on;
    leftJoinBase = on ? selected.value(0) : QString();
}

bool TableLoaderWindow::load() {
    const LoadTablesSql built = BuildLoadTablesSql(
        links_, selected, leftJoin_ ? leftJoinBase : QString(), filterOn ? filter : QString());
    statement_ = built.statement;
    if (!built.message.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, built.message);
        return false;
    }
    const ClipDataLoadResult loaded =
        LoadStatementIntoClipData(built.statement, database_, clipData_, status_);
    if (!loaded.ok) {
        dialogs_.message(MessageKind::Critical, QStringLiteral("Statement failed: ") +
                                                    built.statement + QStringLiteral("\r\n") +
                                                    loaded.error);
        return false;
    }
    return true;
}
