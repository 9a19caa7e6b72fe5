#include "filter/QueryWindow.h"

#include "db/SessionDatabase.h"
#include "filter/ClauseAppender.h"
#include "filter/ConditionPreparer.h"
#include "filter/FilterNames.h"
#include "filter/FilterViews.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"

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
        dialogs_.input(QStringLiteral("Filter name"),
                       QStringLiteral("Give name for filter (Q_ is added before the name)"), {});
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

bool QueryWindow::saveSqlFile() {
    if (dialogs_.question(QStringLiteral("Are you sure to save SQL clause:\r\n") +
                              (sql.isEmpty() ? QStringLiteral("No SQL") : sql),
                          QuestionButtons::YesNo) != Answer::Yes)
        return false;
    const auto path = dialogs_.saveFile(QStringLiteral("Save"), fileFilter(), {});
    if (!path || path->isEmpty())
        return false;
    QString line = sql;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "))
        .replace(u'\n', u' ')
        .replace(u'\r', u' ');
    IniFile file = IniFile::load(*path);
    file.setValue(QStringLiteral("SQL"), QStringLiteral("SQL"), line);
    QString error;
    if (!file.save(*path, &error)) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Cannot write file ") + *path);
        return false;
    }
    return true;
}

bool QueryWindow::openSqlFile() {
    const auto path = dialogs_.openFile(QStringLiteral("Open"), fileFilter(), {});
    if (!path || path->isEmpty())
        return false;
    const auto text = IniFile::load(*path).value(QStringLiteral("SQL"), QStringLiteral("SQL"));
    if (!text) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("No SQL in file ") + *path);
        return false;
    }
    sql = *text;
    return true;
}
