#include "clipdata/ClipDataFilterStore.h"

#include "clipdata/ClipDataSheet.h"
#include "platform/Dialogs.h"
#include "platform/NumberText.h"

#include <QSet>

namespace {
const QStringList operators{"=", "<>", "<", ">", "<=", ">="};

bool passes(const Sheet& page, int row, int column, const QString& op, const QString& value) {
    if (page.isEmpty(row, column))
        return false; // as a database's Null, an empty cell passes no comparison
    const std::optional<double> cell = page.number(row, column);
    const std::optional<double> wanted = NumberText::fromText(QStringView(value).trimmed());
    const int order = (cell && wanted) ? (*cell < *wanted   ? -1
                                          : *cell > *wanted ? 1
                                                            : 0)
                                       : page.text(row, column).compare(value, Qt::CaseInsensitive);
    if (op == QLatin1String("="))
        return order == 0;
    if (op == QLatin1String("<>"))
        return order != 0;
    if (op == QLatin1String("<"))
        return order < 0;
    if (op == QLatin1String(">"))
        return order > 0;
    if (op == QLatin1String("<="))
        return order <= 0;
    return order >= 0;
}
} // namespace

Sheet& ClipDataFilterStore::store() {
    Workbook& book = clipData_.workbook();
    const bool fresh = !book.hasSheet(pageName());
    Sheet& page = book.sheet(pageName());
    if (fresh || page.isBlank()) {
        const QStringList headings{"Filtername", "Sheet", "Column", "Operator", "Value"};
        for (int c = 0; c < headings.size(); ++c)
            page.setText(1, c + 1, headings[c]);
    }
    return page;
}

std::vector<ClipDataFilterStore::Filter> ClipDataFilterStore::filters() const {
    std::vector<Filter> out;
    const Sheet* page = clipData_.workbook().findSheet(pageName());
    for (int row = 2; page && row <= page->lastRow(); ++row)
        if (!page->isEmpty(row, 1))
            out.push_back({page->text(row, 1), page->text(row, 2), page->text(row, 3),
                           page->text(row, 4), page->text(row, 5)});
    return out;
}

void ClipDataFilterStore::put(const Filter& filter) {
    Sheet& page = store();
    int row = page.findInColumn(1, filter.name, false, 2);
    if (row == 0)
        row = page.lastRow() + 1;
    // Texts throughout: a value "007" must stay as typed.
    const QStringList fields{filter.name, filter.sheet, filter.column, filter.op, filter.value};
    for (int c = 0; c < fields.size(); ++c) {
        page.clearCell(row, c + 1);
        page.setText(row, c + 1, fields[c]);
    }
}

int ClipDataFilterStore::columnOf(const QString& sheet, const QString& column, bool tell) const {
    const Sheet* page = sheet == pageName() ? nullptr : clipData_.workbook().findSheet(sheet);
    for (int c = 1; page && c <= page->lastColumn(); ++c)
        if (page->text(1, c).compare(column, Qt::CaseInsensitive) == 0)
            return c;
    if (tell)
        dialogs_.message(MessageKind::Exclamation,
                         page ? QStringLiteral("No column ") + column +
                                    QStringLiteral(" in ClipData sheet ") + sheet
                              : QStringLiteral("No ClipData sheet ") + sheet);
    return 0;
}

std::optional<int> ClipDataFilterStore::makeFilter(const QString& sheet, const QString& column,
                                                   const QString& op, const QString& value,
                                                   const QString& name) {
    if (columnOf(sheet, column, true) == 0)
        return std::nullopt;
    if (!operators.contains(op)) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("ClipData filters compare with =, <>, <, >, <= or >="));
        return std::nullopt;
    }
    put({name, sheet, column, op, value});
    return int(filters().size());
}

int ClipDataFilterStore::makeAutoFilters(const QString& sheet, const QString& column,
                                         const QString& prefix) {
    const int c = columnOf(sheet, column, true);
    if (c == 0)
        return 0;
    const Sheet page = *clipData_.workbook().findSheet(sheet); // the store may grow the book
    QSet<QString> seen;
    int made = 0;
    for (int row = 2; row <= page.lastRow(); ++row) {
        const QString value = page.text(row, c);
        if (value.isEmpty() || seen.contains(value.toLower()))
            continue;
        seen.insert(value.toLower());
        put({prefix + value, sheet, column, QStringLiteral("="), value});
        ++made;
    }
    return made;
}

std::optional<std::vector<int>> ClipDataFilterStore::rowsPassing(const QString& name) const {
    for (const Filter& f : filters()) {
        if (f.name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const int c = columnOf(f.sheet, f.column, false);
        if (c == 0)
            return std::nullopt;
        const Sheet& page = *clipData_.workbook().findSheet(f.sheet);
        std::vector<int> rows;
        for (int row = 2; row <= page.lastRow(); ++row)
            if (passes(page, row, c, f.op, f.value))
                rows.push_back(row);
        return rows;
    }
    return std::nullopt;
}
