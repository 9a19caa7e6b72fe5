#include "filter/FilterWindow.h"

#include "db/FieldTypes.h"
#include "db/SessionDatabase.h"
#include "filter/AutoFilterMaker.h"
#include "filter/ClipDataFilters.h"
#include "filter/ConditionPreparer.h"
#include "filter/FilterNames.h"
#include "filter/FilterViews.h"
#include "platform/Dialogs.h"
#include "query/FilterBaseResolver.h"
#include "query/JoinCondition.h"

#include <QFile>
#include <QSaveFile>

namespace {
const QString crlf = QStringLiteral("\r\n");
constexpr qsizetype manyClasses = 100;
} // namespace

FilterWindow::FilterWindow(SessionDatabase& session, Dialogs& dialogs, Status& status)
    : session_(session)
    , dialogs_(dialogs)
    , status_(status) {}

void FilterWindow::setSqlText(const QString& text) {
    previousSql_ = sql_;
    sql_ = text;
}

void FilterWindow::undoSql() {
    std::swap(sql_, previousSql_);
}

void FilterWindow::setOperator(const QString& caption) {
    op = caption;
    if (!valueEnabled())
        value.clear();
}

bool FilterWindow::valueEnabled() const {
    return !ConditionPreparer::takesNoValue(op);
}

QStringList FilterWindow::filters() const {
    return session_.catalogue().filters;
}

QString FilterWindow::definition() const {
    return QStringLiteral("SELECT * FROM ") + SqlNames::bracketed(table) +
           QStringLiteral(" WHERE (") + ConditionPreparer::prepare(op, value).text(table, field) +
           u')';
}

Connection* FilterWindow::connection() {
    Connection* db = session_.isOpen() ? session_.connection() : nullptr;
    if (!db)
        dialogs_.message(MessageKind::Information, QStringLiteral("No database open"));
    return db;
}

bool FilterWindow::refuseName(const QString& candidate) {
    const QString why = FilterNames::refusal(candidate);
    if (why.isEmpty())
        return false;
    dialogs_.message(MessageKind::Exclamation, why);
    return true;
}

void FilterWindow::reportFailure(const QString& what, const QString& error) {
    dialogs_.message(MessageKind::Critical, what + crlf + error);
}

void FilterWindow::refreshFilters() {
    if (Connection* db = session_.connection())
        SchemaMapper(*db, status_).RefreshFilterList(session_.catalogue());
    if (filtersChanged)
        filtersChanged();
}

QString FilterWindow::singleSelection() {
    if (selected.size() == 1)
        return selected.front();
    dialogs_.message(MessageKind::Exclamation, QStringLiteral(" Select one filter"));
    return {};
}

bool FilterWindow::makeFilter() {
    if (clipData && clip_)
        return makeClipDataFilter();
    if (name.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral(" You have to select filtername"));
        return false;
    }
    if (!sqlTabActive && op.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral(" You have to select operator"));
        return false;
    }
    const QString view = FilterNames::viewName(name, prefix);
    if (refuseName(view))
        return false;
    if (!sqlTabActive && (table.isEmpty() || field.isEmpty())) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral(" You have to select table and field"));
        return false;
    }
    const QString select = sqlTabActive ? sql_.trimmed() : definition();
    if (select.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("SQL window is empty"));
        return false;
    }
    Connection* db = connection();
    if (!db)
        return false;
    setSqlText(FilterViews::createStatement(view, select));
    FilterViews views(*db);
    const auto rows = views.create(view, select);
    refreshFilters();
    if (!rows) {
        reportFailure(QStringLiteral("Filter NOT made: ") + view, views.lastError());
        return false;
    }
    countText_ = QStringLiteral("Number of samples passed filtering: ") + QString::number(*rows);
    return true;
}

bool FilterWindow::makeClipDataFilter() {
    if (name.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral(" You have to select filtername"));
        return false;
    }
    const auto count = clip_->makeFilter(table, field, op, value, name);
    if (!count)
        return false;
    dialogs_.message(MessageKind::Information, QStringLiteral("Filter created for Clipdata! (") +
                                                   QString::number(*count) +
                                                   QStringLiteral(" filters existing.)"));
    return true;
}

bool FilterWindow::makeAutoFilters() {
    if (clipData && clip_) {
        const int made = clip_->makeAutoFilters(table, field, prefix);
        dialogs_.message(MessageKind::Information,
                         QString::number(made) + QStringLiteral(" filters done!"));
        return made > 0;
    }
    if (table.isEmpty() || field.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral(" You have to select table and field"));
        return false;
    }
    if (dialogs_.question(QStringLiteral("Are you sure to make autofilters from field [") + table +
                              QStringLiteral("].[") + field + QStringLiteral("] with prefix ") +
                              prefix + u'?',
                          QuestionButtons::YesNoCancel) != Answer::Yes)
        return false;
    const QString group = prefix.isEmpty() ? QString() : prefix + u'_';
    if (!group.isEmpty() && refuseName(group))
        return false;
    Connection* db = connection();
    if (!db)
        return false;
    AutoFilterMaker maker(*db);
    const auto values = maker.distinctValues(table, field);
    if (!values) {
        reportFailure(QStringLiteral("Values of [") + table + QStringLiteral("].[") + field +
                          QStringLiteral("] can not be read"),
                      maker.lastError());
        return false;
    }
    if (qsizetype(values->size()) > manyClasses &&
        dialogs_.question(QStringLiteral("More than 100 classes. Continue anyway?"),
                          QuestionButtons::YesNo) != Answer::Yes)
        return false;
    const AutoFilterMaker::Outcome outcome = maker.make(table, field, group, *values);
    refreshFilters();
    dialogs_.message(MessageKind::Information,
                     QString::number(outcome.made) + QStringLiteral(" filters done."));
    return outcome.made > 0;
}

bool FilterWindow::sniffField() {
    Connection* db = connection();
    if (!db)
        return false;
    const QString column = SqlNames::field(table, field);
    const QString from = QStringLiteral(" FROM ") + SqlNames::bracketed(table);
    const auto type = FieldTypes::GetFieldType(*db, table, field);
    if (!type) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("No field ") + column + QStringLiteral(" found"));
        return false;
    }
    if (type->name == QLatin1String("TEXT")) {
        const auto rows = db->query(QStringLiteral("SELECT ") + column + from +
                                    QStringLiteral(" GROUP BY ") + column);
        if (!rows)
            return false;
        QStringList entries;
        for (qsizetype r = 0; r < rows->rowCount(); ++r)
            entries << rows->at(r, 0).toText();
        dialogs_.message(MessageKind::Information,
                         QStringLiteral("Following unique entries can be found in ") + column +
                             crlf + entries.join(QStringLiteral(", ")));
        return true;
    }
    const auto rows = db->query(QStringLiteral("SELECT MIN(") + column + QStringLiteral("), MAX(") +
                                column + u')' + from);
    if (!rows || rows->rowCount() != 1)
        return false;
    dialogs_.message(MessageKind::Information,
                     QStringLiteral("Values between ") + rows->at(0, 0).toText() +
                         QStringLiteral(" and ") + rows->at(0, 1).toText());
    return true;
}

std::optional<QString> FilterWindow::infoText(const QString& filter) {
    Connection* db = session_.connection();
    if (!db)
        return std::nullopt;
    FilterViews views(*db);
    const QString view = FilterNames::viewName(filter);
    const auto definition = views.queryDefinition(view);
    const auto rows = views.count(view);
    if (!definition || !rows)
        return std::nullopt;
    const QString count = QString::number(*rows);
    return QStringLiteral("FILTER ") + filter + QStringLiteral(" (") + count + u')' + crlf +
           QStringLiteral("SQL:") + crlf + *definition + crlf +
           QStringLiteral("Records in filter: ") + count;
}

bool FilterWindow::info() {
    if (selected.isEmpty() || !connection())
        return false;
    bool all = true;
    for (const QString& filter : selected) {
        const auto text = infoText(filter);
        if (text)
            dialogs_.message(MessageKind::Information, *text);
        else
            reportFailure(QStringLiteral("Filter ") + filter + QStringLiteral(" can not be read"),
                          session_.connection()->lastError());
        all = all && text;
    }
    return all;
}

bool FilterWindow::edit() {
    const QString filter = singleSelection();
    if (filter.isEmpty())
        return false;
    Connection* db = connection();
    if (!db)
        return false;
    const auto definition = FilterViews(*db).queryDefinition(FilterNames::viewName(filter));
    if (!definition)
        return false;
    setSqlText(*definition);
    edited_ = filter;
    hint_ = editHint();
    return true;
}

void FilterWindow::cancelEdit() {
    if (!edited_.isEmpty())
        undoSql();
    edited_.clear();
    hint_.clear();
}

bool FilterWindow::saveSql() {
    const QString filter = edited_.isEmpty() ? singleSelection() : edited_;
    if (filter.isEmpty())
        return false;
    if (sql_.trimmed().isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("SQL window is empty"));
        return false;
    }
    Connection* db = connection();
    if (!db)
        return false;
    FilterViews views(*db);
    const QString view = FilterNames::viewName(filter);
    if (!views.replace(view, sql_.trimmed())) {
        reportFailure(QStringLiteral("Filter NOT changed: ") + view, views.lastError());
        return false;
    }
    edited_.clear();
    hint_.clear();
    refreshFilters();
    if (const auto text = infoText(filter))
        dialogs_.message(MessageKind::Information, *text);
    return true;
}

bool FilterWindow::rename() {
    const QString filter = singleSelection();
    if (filter.isEmpty())
        return false;
    const auto newName = dialogs_.input(
        Dialogs::title(), QStringLiteral("Give new name for the filter ") + filter + u'?', filter);
    if (!newName || newName->trimmed().isEmpty() || *newName == filter)
        return false;
    const QString view = FilterNames::viewName(newName->trimmed());
    if (refuseName(view))
        return false;
    Connection* db = connection();
    if (!db)
        return false;
    FilterViews views(*db);
    const bool renamed = views.rename(FilterNames::viewName(filter), view);
    refreshFilters();
    if (!renamed) {
        reportFailure(QStringLiteral("Name NOT changed: ") + filter, views.lastError());
        return false;
    }
    selected = {FilterNames::filterName(view)};
    dialogs_.message(MessageKind::Information, QStringLiteral("Name changed"));
    return true;
}

bool FilterWindow::deleteSelected() {
    if (selected.isEmpty())
        return false;
    const QString question =
        selected.size() == 1
            ? QStringLiteral("Are you sure to delete filter ") + selected.front() + u'?'
            : QStringLiteral("Are you sure to delete selected filters (n=") +
                  QString::number(selected.size()) + QStringLiteral(")?");
    if (dialogs_.question(question, QuestionButtons::YesNo) != Answer::Yes)
        return false;
    Connection* db = connection();
    if (!db)
        return false;
    FilterViews views(*db);
    QStringList failed;
    for (const QString& filter : selected)
        if (!views.drop(FilterNames::viewName(filter)))
            failed << filter + QStringLiteral(": ") + views.lastError();
    refreshFilters();
    selected.clear();
    if (!failed.isEmpty()) {
        reportFailure(QStringLiteral("Filters NOT deleted:"), failed.join(crlf));
        return false;
    }
    return true;
}

bool FilterWindow::runSql() {
    if (sql_.trimmed().isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("SQL window is empty"));
        return false;
    }
    const auto filter =
        dialogs_.input(QStringLiteral("New filter"), QStringLiteral("Filtername is:"), {});
    if (!filter || filter->trimmed().isEmpty())
        return false;
    const QString view = FilterNames::viewName(filter->trimmed());
    if (refuseName(view))
        return false;
    Connection* db = connection();
    if (!db)
        return false;
    FilterViews views(*db);
    const auto rows = views.create(view, sql_.trimmed());
    refreshFilters();
    if (!rows) {
        reportFailure(QStringLiteral("Filter NOT made: ") + view, views.lastError());
        return false;
    }
    countText_ = QStringLiteral("Number of samples passed filtering: ") + QString::number(*rows);
    return true;
}

bool FilterWindow::addClause() {
    if (table.isEmpty() || field.isEmpty() || op.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation,
                         op.isEmpty() ? QStringLiteral(" You have to select operator")
                                      : QStringLiteral(" You have to select table and field"));
        return false;
    }
    const QStringList tables = ClauseAppender::fromTables(sql_);
    QString link;
    if (!tables.isEmpty() && !tables.contains(SqlNames::plain(table))) {
        Connection* db = connection();
        if (!db)
            return false;
        const FilterBaseResolver bases(*db, session_.catalogue());
        const LinkSearch links(session_.catalogue(), bases);
        link = BuildJoinCondition(links, {tables.front(), table}).text;
    }
    setSqlText(ClauseAppender::addClause(sql_, table, field, ConditionPreparer::prepare(op, value),
                                         join, link));
    return true;
}

bool FilterWindow::openSqlFile() {
    const auto path = dialogs_.openFile(QStringLiteral("Open SQL"), sqlFileFilter(), {});
    if (!path || path->isEmpty())
        return false;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Cannot read file ") + *path);
        return false;
    }
    setSqlText(QString::fromUtf8(file.readAll()));
    return true;
}

bool FilterWindow::saveSqlFile() {
    const auto path = dialogs_.saveFile(QStringLiteral("Save SQL"), sqlFileFilter(), {});
    if (!path || path->isEmpty())
        return false;
    QSaveFile file(*path);
    if (!file.open(QIODevice::WriteOnly) || file.write(sql_.toUtf8()) < 0 || !file.commit()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Cannot write file ") + *path);
        return false;
    }
    return true;
}

bool FilterWindow::combineFilters() {
    Connection* db = connection();
    if (!db)
        return false;
    FilterSetCombiner combiner(*db, session_.catalogue(), dialogs_, status_);
    combiner.filter1 = combine1;
    combiner.filter2 = combine2;
    combiner.result = combineResult;
    combiner.part = combinePart;
    if (!combiner.combine())
        return false;
    selected = {combineResult.trimmed()};
    return true;
}
