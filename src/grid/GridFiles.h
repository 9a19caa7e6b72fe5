#pragma once
// A grid's column view and .sql files. A column view is section "ColumnWidths" with one key per
// column, counted from "0": the width, or -1 for a hidden column. A .sql file holds section
// "SQL", key "SQL" with the statement on one line, and the column view.
#include <QString>
#include <map>
#include <optional>
#include <vector>

class GridFiles {
public:
    static constexpr int hidden = -1;

    static QString columnViewPath(const QString& appPath, const QString& gridName);
    static QString sqlPath(const QString& userFolder, const QString& gridName);

    // widths[i] is column i's width or hidden. Keeps other sections of an existing file.
    static bool saveColumnView(const QString& path, const std::vector<int>& widths,
                               QString* error = nullptr);
    // The columns the file names, as width or hidden; keys beyond columnCount are ignored.
    static std::map<int, int> readColumnView(const QString& path, int columnCount);

    static bool saveSql(const QString& path, const QString& statement,
                        const std::vector<int>& widths, QString* error = nullptr);
    // The stored statement; nullopt when the file has none.
    static std::optional<QString> readSql(const QString& path);
};
