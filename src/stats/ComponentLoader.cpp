#include "stats/ComponentLoader.h"

#include "db/SessionDatabase.h"
#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "platform/FieldReader.h"
#include "platform/Sheet.h"
#include "platform/Status.h"
#include "platform/Utf8Interner.h"
#include "query/FilterBaseResolver.h"
#include "query/LinkSearch.h"
#include "stats/ClassOrder.h"
#include "stats/StatisticsComponent.h"

void ComponentLoader::load(const RowSet& rows, StatisticsComponent& component) {
    component.SetSize(int(rows.rowCount()), rows.columnCount());
    for (int c = 0; c < rows.columnCount(); ++c)
        component.setColumnName(c + 1, rows.columnNames()[c]);
    for (qsizetype r = 0; r < rows.rowCount(); ++r)
        for (int c = 0; c < rows.columnCount(); ++c) {
            const CellValue& v = rows.at(r, c);
            if (!v.isMissing())
                component.setCellText(int(r + 1), c + 1, v.toText());
        }
}

bool ComponentLoader::load(const Sheet& sheet, StatisticsComponent& component) {
    const int rows = sheet.lastRow() - 1;
    const int columns = sheet.lastColumn();
    if (rows < 1 || columns < 1) {
        component.SetSize(0, 0);
        return false;
    }
    component.SetSize(rows, columns);
    for (int c = 1; c <= columns; ++c)
        component.setColumnName(c, sheet.text(1, c));
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= columns; ++c)
            component.setCellText(r, c, sheet.text(r + 1, c));
    return true;
}

QString ComponentLoader::stream(Connection& db, const QString& statement, const QStringList& names,
                                StatisticsComponent& component) {
    const int columns = int(names.size());
    component.SetSize(0, columns, true);
    for (int c = 0; c < columns; ++c)
        component.setColumnName(c + 1, names[c]);
    // Numbers and texts come straight from the driver: no CellValue per cell, and a text that
    // repeats (a class name) is decoded once and shared by every row that holds it.
    std::vector<Utf8Interner> texts(size_t(std::max(columns, 0)));
    bool fits = true;
    QString error;
    const bool ok = FieldReader::forEachField(
        db, statement,
        [&](const FieldCursor& row) {
            if (row.columnCount() != columns) {
                fits = false;
                return;
            }
            const int r = component.AppendRow();
            for (int c = 0; c < columns; ++c) {
                if (const auto number = row.number(c)) {
                    component.setCellNumber(r, c + 1, *number);
                } else if (const auto utf8 = row.utf8(c)) {
                    component.setCellText(r, c + 1, texts[size_t(c)].text(*utf8));
                } else if (const CellValue v = row.value(c); !v.isMissing()) {
                    component.setCellText(r, c + 1, v.toText());
                }
            }
        },
        error);
    if (ok && fits)
        return {};
    component.SetSize(0, 0);
    return ok ? QStringLiteral("The statement gave another number of columns than ") +
                    names.join(QStringLiteral(", "))
              : error;
}

Connection* ComponentLoader::connection(SessionDatabase& session, Dialogs& dialogs) {
    Connection* db = session.connection();
    if (!db)
        dialogs.message(MessageKind::Information, QStringLiteral("No database open"));
    return db;
}

int ComponentLoader::columnNamed(const StatisticsComponent& component, const QString& name,
                                 int from) {
    for (int c = std::max(from, 1); c <= component.ColumnCount(); ++c)
        if (component.ColumnName(c).compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return 0;
}

bool ComponentLoader::loadClipData(const Sheet* sheet, StatisticsComponent& component,
                                   Dialogs& dialogs) {
    if (sheet && load(*sheet, component))
        return true;
    dialogs.message(MessageKind::Exclamation, QStringLiteral("ClipData is empty, paste new data."));
    return false;
}

bool ComponentLoader::loadTables(SessionDatabase& session, Dialogs& dialogs, Status& status,
                                 const StatementMaker& statement, const QStringList& tables,
                                 const QString& classField, StatisticsComponent& component) {
    Connection* db = connection(session, dialogs);
    if (!db)
        return false;
    const FilterBaseResolver filters(*db, session.catalogue());
    const LinkSearch links(session.catalogue(), filters);
    const QString sql = statement(links);
    if (sql.isEmpty())
        return false;
    std::optional<QStringList> names = QStringList();
    for (const QString& table : tables) {
        const auto columns = names ? db->columnNamesOf(table) : std::nullopt;
        names = columns ? std::optional(*names + *columns) : std::nullopt;
    }
    if (names && !classField.isEmpty())
        names->prepend(classField);
    status.showStatus(QStringLiteral("Retrieving..."), 1);
    // Streamed: a big table's numbers are kept as numbers, never as a whole result of cells.
    const QString error =
        names ? stream(*db, ClassOrder::unordered(sql), *names, component) : db->lastError();
    if (!error.isEmpty()) {
        dialogs.message(MessageKind::Critical, sql + QStringLiteral("\r\n") + error);
        return false;
    }
    return true;
}
