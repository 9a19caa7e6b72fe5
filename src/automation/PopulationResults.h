#pragma once
// The result table of a population run: "Store in database (...) ?" asked once, the table and
// its columns made as they are first written, one row per population (PopID) and its removal.
// The table is looked up in the catalogue, never by a query that fails: inside the run's
// transaction a failed statement would end the transaction on a server. Holds the connection
// it is given, which must outlive the run.
#include "platform/CellValue.h"

#include <QStringList>
#include <optional>

class Connection;
class Dialogs;

class PopulationResults {
public:
    explicit PopulationResults(Dialogs& dialogs)
        : dialogs_(dialogs) {}

    // A new run into the table of the database (nullptr: "Result database not defined!").
    void start(Connection* database, const QString& databaseName, const QString& table);
    // Store: the value into the column of the population's row (type "T" text, else a
    // number). False when the run must stop.
    bool store(const QString& column, const QString& type, const QString& value,
               const CellValue& population);
    // Delete: the population's row, or with a column only that column's value.
    bool remove(const QString& column, const CellValue& population);

private:
    bool mayWrite();
    bool hasTable() const;

    Dialogs& dialogs_;
    Connection* database_ = nullptr;
    QString databaseName_;
    QString table_;
    std::optional<bool> answer_;
    std::optional<QStringList> columns_; // read once the run writes the table
};
