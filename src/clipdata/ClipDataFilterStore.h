#pragma once
// ClipData's filters: stored conditions on a column of a page, kept in the workbook's page
// "Filters" (so they are saved and opened with the workbook), one row per filter under the
// headings Filtername, Sheet, Column, Operator, Value. A filter made again under its name is
// redefined. rowsPassing() applies one: numbers compare as numbers, texts case-insensitively.
#include "filter/ClipDataFilters.h"

#include <vector>

class ClipDataSheet;
class Dialogs;
class Sheet;

class ClipDataFilterStore : public ClipDataFilters {
public:
    static QString pageName() { return QStringLiteral("Filters"); }
    struct Filter {
        QString name;
        QString sheet;
        QString column;
        QString op; // =, <>, <, >, <=, >=
        QString value;
        bool operator==(const Filter&) const = default;
    };

    ClipDataFilterStore(ClipDataSheet& clipData, Dialogs& dialogs)
        : clipData_(clipData)
        , dialogs_(dialogs) {}

    std::optional<int> makeFilter(const QString& sheet, const QString& column, const QString& op,
                                  const QString& value, const QString& name) override;
    int makeAutoFilters(const QString& sheet, const QString& column,
                        const QString& prefix) override;

    std::vector<Filter> filters() const;
    // The data rows (2..) of the filter's page that pass it; nullopt when there is no such
    // filter or its page or column is gone.
    std::optional<std::vector<int>> rowsPassing(const QString& name) const;

private:
    // The column's position on the page, 0 (with the message) when the page or column is
    // missing.
    int columnOf(const QString& sheet, const QString& column, bool tell) const;
    Sheet& store();
    void put(const Filter& filter);

    ClipDataSheet& clipData_;
    Dialogs& dialogs_;
};
