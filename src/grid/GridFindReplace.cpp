#include "grid/GridFindReplace.h"

#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "platform/NumberText.h"
#include "platform/TransactionScope.h"

GridFindReplace::GridFindReplace(GridController& grid, Dialogs& dialogs)
    : grid_(grid)
    , dialogs_(dialogs) {}

std::optional<GridController::Cell>
GridFindReplace::findNext(const QString& text, const Options& options, int from, int until) const {
    return grid_.find(text, options.columns, options.wholeWord, options.matchCase, from, until);
}

std::optional<CellValue> GridFindReplace::replaced(const CellValue& cell, const QString& text,
                                                   const QString& replacement,
                                                   const Options& options) const {
    if (!GridController::cellMatches(cell, text, options.wholeWord, options.matchCase))
        return std::nullopt;
    if (cell.kind() == CellValue::Kind::Number) {
        const auto r = NumberText::fromText(QStringView(replacement).trimmed());
        return r ? CellValue::number(*r) : CellValue::text(replacement);
    }
    if (options.wholeWord)
        return CellValue::text(replacement);
    return CellValue::text(replacement + cell.toText().mid(text.size()));
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

int GridFindReplace::replaceInRow(const QString& text, const QString& replacement,
                                  const Options& options, int row) {
    GridModel* model = grid_.model();
    const RowSet::Row* cells = model ? model->row(row) : nullptr;
    if (!cells)
        return 0;
    const RowSet shape(model->source().columnNames());
    for (int c : options.columns) {
        if (c < 0 || c >= int(cells->size()))
            continue;
        if (const auto value = replaced((*cells)[size_t(c)], text, replacement, options)) {
            const RowSet::Row copy = *cells;
            if (!write(shape, copy, c, *value))
                return -1;
            grid_.requery();
            return 1;
        }
    }
    return 0;
}

int GridFindReplace::replaceAll(const QString& text, const QString& replacement,
                                const Options& options, int fromRow) {
    const auto rows = grid_.target().allRows();
    if (!rows)
        return -1;
    std::optional<TransactionScope> transaction;
    int count = 0;
    for (qsizetype r = std::max(fromRow, 0); r < rows->rowCount(); ++r)
        for (int c : options.columns) {
            if (c < 0 || c >= rows->columnCount())
                continue;
            if (const auto value = replaced(rows->at(r, c), text, replacement, options)) {
                if (!transaction && grid_.target().database) {
                    transaction.emplace(*grid_.target().database);
                    if (!transaction->began()) {
                        dialogs_.message(
                            MessageKind::Exclamation,
                            QStringLiteral("Nothing was replaced: the database cannot be written "
                                           "(the transaction cannot begin).\r\n") +
                                grid_.target().database->lastError());
                        return -1;
                    }
                }
                if (!write(*rows, rows->row(r), c, *value))
                    return -1;
                ++count;
            }
        }
    if (transaction && !transaction->commit())
        return -1;
    if (count > 0)
        grid_.requery();
    return count;
}
