#pragma once
// What a SQLite session database holds, table by table, for the report of a headless run.
#include <QString>
#include <optional>
#include <vector>

struct DatabaseSummary {
    struct Table {
        QString name;
        QString kind; // "table" or "view"
        long long rows = 0;
    };
    QString path;
    std::vector<Table> tables;

    // Opens the file read-only; nullopt with errorText when it is not a readable database.
    static std::optional<DatabaseSummary> read(const QString& path, QString* errorText = nullptr);
};
