#pragma once
// The rows of a grid statement, read a page at a time: the statement is wrapped as a derived
// table, counted once, and each page is read in the grid's order. When that order is a key of
// the rows (the table's primary key, when the statement shows it: unsorted, or sorted by the
// key alone), a page is read by seeking from the key of the nearest row already read, before
// or after it, so that any page costs about what the first one does and scrolling a million
// rows stays linear. Otherwise a page is a LIMIT/OFFSET slice. A million-row table thus shows
// its first screen after reading one page.
#include "platform/RowSet.h"

#include <QString>
#include <map>
#include <optional>

class Connection;

class GridRowSource {
public:
    // key: the columns of the table's primary key (empty when it has none).
    GridRowSource(Connection& database, QString statement, QString sortText = {},
                  QStringList key = {});

    // Reads the column names and the row count; false with error() set.
    bool open();
    const QString& error() const { return error_; }

    qsizetype rowCount() const { return rowCount_; }
    const QStringList& columnNames() const { return columns_; }
    const QString& statement() const { return statement_; }
    const QString& sortText() const { return sortText_; }
    // True when pages are read by seeking on the key rather than by offset.
    bool seeksByKey() const { return !keyColumns_.empty(); }

    std::optional<RowSet> rows(qsizetype first, int count);
    // Forgets where the rows read so far stand, after a write that may have moved them.
    void forgetPositions() { keyAt_.clear(); }

private:
    QString derived() const;
    QString orderBy(bool backwards) const;
    void useKeyIfItOrders(const QStringList& key);
    std::optional<RowSet> rowsByOffset(qsizetype first, int count);
    std::optional<RowSet> rowsByKey(qsizetype first, int count);
    void remember(qsizetype position, const RowSet::Row& row);

    Connection& database_;
    QString statement_;
    QString sortText_;
    QStringList key_;
    QString error_;
    QStringList columns_;
    qsizetype rowCount_ = 0;
    std::vector<int> keyColumns_; // the key's columns in the rows; empty: pages by offset
    bool keyDescending_ = false;
    std::map<qsizetype, std::vector<CellValue>> keyAt_; // the key of rows read, by position
};
