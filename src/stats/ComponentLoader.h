#pragma once
// Hands fetched rows to a statistics component as every statistics window does: the size first,
// then the column names, then every cell as text (Null as ""). From a query's rows or from the
// ClipData sheet, whose row 1 holds the column headings; or streamed from a statement row by
// row, numbers kept as numbers, so that a big table is never held as cells.
#include "platform/RowSet.h"

#include <functional>

class Connection;
class Dialogs;
class LinkSearch;
class SessionDatabase;
class Sheet;
class StatisticsComponent;
class Status;

class ComponentLoader {
public:
    static void load(const RowSet& rows, StatisticsComponent& component);
    // The sheet's used range; false for a sheet with no heading row or no data rows.
    static bool load(const Sheet& sheet, StatisticsComponent& component);
    // The ClipData sheet (none: nullptr) for a window's "Use ClipData"; false after the message
    // "ClipData is empty, paste new data.".
    static bool loadClipData(const Sheet* sheet, StatisticsComponent& component, Dialogs& dialogs);
    // The session's open connection; nullptr after "No database open".
    static Connection* connection(SessionDatabase& session, Dialogs& dialogs);
    // The statement's rows, its columns named by names (the statement's own column names). The
    // reason it failed, or empty when every row came; a failed load leaves the component empty.
    static QString stream(Connection& db, const QString& statement, const QStringList& names,
                          StatisticsComponent& component);
    // A statistics window's rows from the session: the statement made over the session's links
    // (empty: nothing to load), its columns the classifier's (when named) and then each table's,
    // streamed unordered with "Retrieving..." on the status line. False after "No database
    // open" or after showing the statement and the reason it failed.
    using StatementMaker = std::function<QString(const LinkSearch&)>;
    static bool loadTables(SessionDatabase& session, Dialogs& dialogs, Status& status,
                           const StatementMaker& statement, const QStringList& tables,
                           const QString& classField, StatisticsComponent& component);
    // The 1-based column with the name (without regard to case) from column `from` on; 0 when
    // none.
    static int columnNamed(const StatisticsComponent& component, const QString& name, int from = 1);
};
