#include "filter/QueryWindow.h"

#include "db/SessionDatabase.h"
#include "filter/ClauseAppender.h"
#include "filter/ConditionPreparer.h"
#include "filter/FilterNames.h"
#include "filter/FilterViews.h"
#include "platform/Dialogs.h"

QueryWindow::QueryWindow(SessionDatabase& session, Dialogs& dialogs)
    : session_(session)
    , dialogs_(dialogs) {}

bool QueryWindow::addCondition() {
    if (sql.trimmed().isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("SQL clause window is empty"));
        return false;
    }
    if (condition.isEmpty() && !ConditionPreparer::takesNoValue(op)) {
        if (dialogs_.question(QStringLiteral("Condition is empty, is it * (wild card)?"),
                              QuestionButtons::YesNoCancel) != Answer::Yes)
            return false;
        condition = QStringLiteral("*");
    }
    sql = ClauseAppender::addCondition(sql, field, ConditionPreparer::prepare(op, condition));
    return true;
}

bool QueryWindow::saveAsQuery() {
    const auto name =
        dialogs_.input(QStringLiteral("Give name for filter (Q_ is added before the name)"), {});
    if (!name || name->trimmed().isEmpty())
        return false;
    const QString view = viewPrefix() + name->trimmed();
    const QString why = FilterNames::refusal(view);
    Connection* db = session_.isOpen() ? session_.connection() : nullptr;
    if (why.isEmpty() && db && FilterViews(*db).create(view, sql.trimmed()))
        return true;
    dialogs_.message(MessageKind::Exclamation, QStringLiteral("Query NOT saved as name: ") +
                                                   name->trimmed() + QStringLiteral("\r\nSQL:") +
                                                   sql);
    return false;
}
