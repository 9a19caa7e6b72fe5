#pragma once
// The filter window ("Filter"): defines filters on one table's field or from SQL text, makes
// AutoFilters, sniffs a field's values, and acts on the filters picked in its list (Info, Edit,
// Save SQL, Rename, Delete, Run SQL, Add clause). Talks to the person only through Dialogs, with
// the program's texts; the filter list is the session catalogue's, refreshed after every change.
// While "ClipData" is set, making filters goes to the ClipData sheet instead (when one is
// attached). Holds references to the session, dialogs and status; its Qt view binds to it.
#include "filter/ClauseAppender.h"
#include "filter/FilterSetCombiner.h"

#include <QString>
#include <QStringList>
#include <functional>

class ClipDataFilters;
class Connection;
class Dialogs;
class SessionDatabase;
class Status;

class FilterWindow {
public:
    static QString caption() { return QStringLiteral("Filter"); }
    // Geometry keys in the per-user store: "FilterLeft", "FilterTop", ...
    static QString shortName() { return QStringLiteral("Filter"); }
    static QString sqlFileFilter() { return QStringLiteral("Sql (text) files (*.sql)|*.sql"); }
    static QString editHint() {
        return QStringLiteral("Edit SQL in the window below. When ready press Save SQL");
    }

    FilterWindow(SessionDatabase& session, Dialogs& dialogs, Status& status);

    // Told after the filter list changed (a filter made, renamed or deleted).
    std::function<void()> filtersChanged;

    // The definition boxes.
    QString table;
    QString field;
    QString op;
    QString value;
    QString name;
    QString prefix;            // "Filter prefix:"
    bool sqlTabActive = false; // the SQL tab defines the filter instead of table and field
    ClauseAppender::Join join = ClauseAppender::Join::And;
    bool clipData = false; // "ClipData"
    void attachClipData(ClipDataFilters* clip) { clip_ = clip; }

    // The SQL window's text; setting it keeps the previous one for "Undo last SQL".
    const QString& sqlText() const { return sql_; }
    void setSqlText(const QString& text);
    // The filters picked in the list, names without "f_".
    QStringList selected;

    // An operator without value empties the value box (the view disables it).
    void setOperator(const QString& caption);
    bool valueEnabled() const;

    QStringList filters() const;
    const QString& hint() const { return hint_; }
    const QString& countText() const { return countText_; }
    // The filter being edited; empty when no edit is under way.
    const QString& editedFilter() const { return edited_; }

    // The definition MakeFilter stores: "SELECT * FROM [T] WHERE ([T].[F] op value)".
    QString definition() const;

    bool makeFilter();
    bool makeAutoFilters();
    bool sniffField();
    bool info();
    bool edit();
    void cancelEdit();
    bool saveSql();
    bool rename();
    bool deleteSelected();
    bool runSql();
    bool addClause();
    void clearSql() { setSqlText({}); }
    void undoSql();
    bool openSqlFile();
    bool saveSqlFile();

    // "Combine filters": "Filtername 1:", "Filtername 2:", "Resulting filtername:" and the option.
    QString combine1;
    QString combine2;
    QString combineResult;
    FilterSetCombiner::Part combinePart = FilterSetCombiner::Part::None;
    bool combineFilters();

private:
    Connection* connection();
    bool refuseName(const QString& name);
    // Shows the database's reason for a failed change.
    void reportFailure(const QString& what, const QString& error);
    void refreshFilters();
    // The Info text of one filter, or nullopt when it cannot be read.
    std::optional<QString> infoText(const QString& filter);
    // The one picked filter, or empty after telling the person to pick one.
    QString singleSelection();
    bool makeClipDataFilter();

    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    ClipDataFilters* clip_ = nullptr;
    QString sql_;
    QString previousSql_;
    QString hint_;
    QString countText_;
    QString edited_;
};
