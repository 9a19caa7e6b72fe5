#include "grid/GridFindReplace.h"

#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "platform/NumberText.h"
#include "platform/TransactionScope.h"

GridFindReplace::GridFindReplace(GridController& grid, Dialogs& dialogs)
    : grid_(grid)
    , dialogs_(dialogs) {}

std::optional<int> GridFindReplace::findNext(const QString& text, const Options& options,
                                             int from) {
    const auto found =
        grid_.find(text, options.columns, options.wholeWord, options.matchCase, from);
    if (!found)
        dialogs_.message(MessageKind::Information, QStringLiteral("No matching records"));
    return found;
}

std::optional<CellValue> GridFindReplace::replaced(const CellValue& cell, const QString& text,
                                                   const QString& replacement,
                                                   const Options& options) const {
    if (cell.isMissing())
        return std::nullopt;
    if (cell.kind() == CellValue::Kind::Number) {
        const auto n = NumberText::fromText(QStringView(text).trimmed());
        if (!n || *cell.toNumber() != *n)
            return std::nullopt;
        const auto r = NumberText::fromText(QStringView(replacement).trimmed());
        return r ? CellValue::number(*r) : CellValue::text(replacement);
    }
    const QString value = cell.toText();
    const Qt::CaseSensitivity cs = options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (options.wholeWord)
        return value.compare(text, cs) == 0 ? std::optional(CellValue::text(replacement))
                                            : std::nullopt;
    if (!value.startsWith(text, cs))
        return std::nullopt;
    return CellValue::text(replacement + value.mid(text.size()));
}

bool GridFindReplace::write(const RowSet& shape, const RowSet::Row& row, int column,
                            const CellValue& value) {
    const GridTarget target = grid_.target();
    const auto where = target.keyCondition(shape, row);
    if (!target.writable() || !where) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("The records of this grid cannot be changed: table ") +
                             target.table + QStringLiteral(" has no primary key in the grid."));
        return false;
    }
    if (target.writeField(*where, shape.columnNames()[column], value))
        return true;
    dialogs_.message(MessageKind::Exclamation, QStringLiteral("The value cannot be written:\r\n") +
                                                   target.database->lastError());
    return false;
}

std::optional<int> GridFindReplace::replace(const QString& text, const QString& replacement,
                                            const Options& options, int row) {
    GridModel* model = grid_.model();
    const RowSet::Row* cells = model ? model->row(row) : nullptr;
    if (cells) {
        const RowSet shape(model->source().columnNames());
        for (int c : options.columns) {
            if (c < 0 || c >= int(cells->size()))
                continue;
            if (const auto value = replaced((*cells)[size_t(c)], text, replacement, options)) {
                const RowSet::Row copy = *cells;
                if (!write(shape, copy, c, *value))
                    return std::nullopt;
                grid_.requery();
                break;
            }
        }
    }
    return findNext(text, options, row + 1);
}

int GridFindReplace::replaceAll(const QString& text, const QString& replacement,
                                const Options& options) {
    const auto rows = grid_.target().allRows();
    if (!rows || !grid_.target().writable())
        return 0;
    TransactionScope transaction(*grid_.target().database);
    int count = 0;
    for (qsizetype r = 0; r < rows->rowCount(); ++r)
        for (int c : options.columns) {
            if (c < 0 || c >= rows->columnCount())
                continue;
            if (const auto value = replaced(rows->at(r, c), text, replacement, options)) {
                if (!write(*rows, rows->row(r), c, *value))
                    return 0;
                ++count;
            }
        }
    if (!transaction.commit())
        return 0;
    grid_.requery();
    dialogs_.message(MessageKind::Information,
                     QString::number(count) + QStringLiteral(" replacements done."));
    return count;
}
