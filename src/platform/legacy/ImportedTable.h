#pragma once
// One table of an imported database written into the working copy: created from its column
// definitions and filled with the rows its reader hands over, inside the caller's transaction.
#include "platform/CellValue.h"

#include <QStringList>
#include <functional>
#include <vector>

class SqliteConnection;

class ImportedTable {
public:
    using RowSink = std::function<bool(const std::vector<CellValue>&)>;
    using RowSource = std::function<void(const RowSink&)>;

    // definitions: the columns' and constraints' DDL; columns: the quoted names the rows fill,
    // in order. An empty text on success, else what failed, naming the table and the reason.
    static QString write(SqliteConnection& db, const QString& name, const QStringList& definitions,
                         const QStringList& columns, const RowSource& rows);
};
