#pragma once
// The table grid's logic: the statement and caption, the rows as a lazily paged model, the
// record counter, sorting, finding and writing edited cells back by the base table's key.
// Files, saved views and bulk edits have classes of their own that work on target().
#include "grid/GridModel.h"
#include "grid/GridTarget.h"

#include <QString>
#include <memory>
#include <optional>

class Connection;
class Dialogs;
class OpenViews;
class SessionDatabase;
class Status;

class GridController {
public:
    enum class SortMode { None, Ascending, Descending };

    GridController(SessionDatabase& session, Dialogs& dialogs, Status& status, OpenViews& views);
    ~GridController();
    GridController(const GridController&) = delete;
    GridController& operator=(const GridController&) = delete;

    // Shows the statement's rows; false after a message saying why they cannot be read.
    bool open(const QString& statement, const QString& caption);
    bool requery();
    // The data source "System": the grid reads and writes this database (the system database,
    // which it then holds open) instead of the session's. Call before open().
    void useSystemDatabase(std::unique_ptr<Connection> system);
    bool showsSystemDatabase() const { return system_ != nullptr; }

    GridModel* model() const { return model_.get(); }
    const QString& statement() const { return statement_; }
    const QString& caption() const { return caption_; }
    // The registered name, the default file name of every save.
    const QString& name() const { return name_; }
    // The table after FROM, up to the next "," or blank; a bracketed name is taken whole.
    static QString tableOf(const QString& statement);
    // True when each row of the statement is one row of the table after FROM: no join, union or
    // grouping, nothing after the table but WHERE and ORDER BY. Its key then tells rows apart.
    static bool readsOneTable(const QString& statement);
    GridTarget target() const;

    // "Rec 3/120"; "Rec 0 / 0" for an empty grid. current is 1-based.
    QString recordCounter(qsizetype current) const;

    SortMode sortMode = SortMode::None;
    const QString& sortText() const { return sortText_; }
    // In ascending or descending mode sorts by the column; false in the neutral mode.
    bool headerClicked(int column);
    // Sorts by the column alone.
    bool sortBy(int column, bool descending);
    struct SortKey {
        int column = 0;
        bool descending = false;
        bool alone = true; // no further keys follow
    };
    // The first key of the sort text when it names one of the grid's columns: the column the
    // header marks.
    std::optional<SortKey> primarySortKey() const;
    // Adds the column as a further key.
    bool andSort(int column, bool descending);
    void clearSort();
    QString sortingInfo() const;
    // Asks "Enter sort column" when there is no sort text; false when cancelled or refused.
    bool applySort();

    struct Cell {
        int row = 0; // 0-based
        int column = 0;
        bool operator==(const Cell&) const = default;
    };
    // The first cell at or after row `from` (0-based), in the first of the columns that matches
    // there; rows before `until` (all rows when negative).
    std::optional<Cell> find(const QString& text, const std::vector<int>& columns, bool wholeWord,
                             bool matchCase, int from, int until = -1) const;
    // Numbers compare as numbers, or as they are shown (54.599999999999994 matches "54.6");
    // texts begin with the text unless wholeWord asks for all of it.
    static bool cellMatches(const CellValue& cell, const QString& text, bool wholeWord,
                            bool matchCase);

    // "Show Field properties": the column's description and the current row's value, one
    // "Label: value" line each.
    QString fieldProperties(int row, int column) const;
    // "&Add": a new record of the base table, its key asked for ("Give key value for the new
    // row"); false when cancelled, refused (said so) or the grid cannot write back.
    bool addRecord();
    // "Display table properties...": the grid's base table (or view) as the database describes
    // it: kind, record count, each field with its type, the primary key and the indexes.
    QString tableProperties() const;
    static QString fieldPropertiesTitle(const QString& field) {
        return QStringLiteral("Properties of Field ") + field;
    }

private:
    bool writeCell(const RowSet::Row& row, int column, const CellValue& value);
    bool load();
    // The database the rows come from; nullptr when none is open.
    Connection* database() const;
    // The fields of the base table, the cells a write may change.
    QStringList baseFields() const;

    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    OpenViews& views_;
    QString statement_;
    QString caption_;
    QString name_;
    QString sortText_;
    GridTarget target_;
    std::unique_ptr<Connection> system_;
    std::unique_ptr<GridModel> model_;
};
