#pragma once
// Writes discrimination groups or deltas back into a table of the session database, by the
// samples' keys, in one transaction: with `clearFirst` the field is first set to Null in every
// row, then each sample's row gets its value through bound parameters; a failure anywhere
// rolls everything back. Names go in escaped, values never as text of the statement. A delta
// whose key has no row adds one.
#include "platform/CellValue.h"

#include <QString>
#include <optional>
#include <vector>

class Connection;

class GroupStore {
public:
    struct Target {
        QString table;
        QString field;
        QString keyField = QStringLiteral("SampleNo");
        bool clearFirst = false;
    };
    struct Result {
        bool ok = false;
        QString error;
        qsizetype written = 0;
        qsizetype missing = 0; // keys without a row (groups) or rows that could not be written
    };
    // A group of nullopt writes Null ("Empty for Null value").
    static Result writeGroups(Connection& db, const Target& target,
                              const std::vector<std::pair<QString, std::optional<QString>>>& rows);
    // A NaN delta writes Null.
    static Result writeDeltas(Connection& db, const Target& target,
                              const std::vector<std::pair<QString, double>>& rows);

    static QString groupsWritten(const Target& t) {
        return QStringLiteral("Grouping values written to database,\r\n-Table: ") + t.table +
               QStringLiteral("\r\n-Column: ") + t.field;
    }
    // name: "Delta" or "Dista".
    static QString numbersWritten(const QString& name) {
        return name + QStringLiteral("  written to database,");
    }
    static QString duplicateKey() {
        return QStringLiteral(" Duplicate index error ! (SampleNo) Change the data in the "
                              "SampleNo -field or clear previous delta values from database.");
    }
};
