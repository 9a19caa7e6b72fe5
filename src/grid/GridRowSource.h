#pragma once
// The rows of a grid statement, read a page at a time: the statement is wrapped as a derived
// table, counted once, and each page is a LIMIT/OFFSET slice in the grid's sort order. A
// million-row table thus shows its first screen after reading one page.
#include "platform/RowSet.h"

#include <QString>
#include <optional>

class Connection;

class GridRowSource {
public:
    GridRowSource(Connection& database, QString statement, QString sortText = {});

    // Reads the column names and the row count; false with error() set.
    bool open();
    const QString& error() const { return error_; }

    qsizetype rowCount() const { return rowCount_; }
    const QStringList& columnNames() const { return columns_; }
    const QString& statement() const { return statement_; }
    const QString& sortText() const { return sortText_; }

    std::optional<RowSet> rows(qsizetype first, int count);

private:
    QString derived() const;

    Connection& database_;
    QString statement_;
    QString sortText_;
    QString error_;
    QStringList columns_;
    qsizetype rowCount_ = 0;
};
