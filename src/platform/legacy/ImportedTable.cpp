#include "platform/legacy/ImportedTable.h"

#include "platform/SqlDialectTranslator.h"
#include "platform/sqlite/SqliteConnection.h"

QString ImportedTable::write(SqliteConnection& db, const QString& name,
                             const QStringList& definitions, const QStringList& columns,
                             const RowSource& rows) {
    const QString table = SqlDialectTranslator::quoteName(name);
    const QString because = QStringLiteral(": ");
    if (!db.executeNative(QStringLiteral("CREATE TABLE ") + table + QStringLiteral(" (") +
                          definitions.join(QStringLiteral(", ")) + QLatin1Char(')')))
        return QStringLiteral("Cannot create table ") + name + because + db.lastError();
    QStringList markers;
    for (int c = 0; c < columns.size(); ++c)
        markers << QStringLiteral("?");
    auto insert =
        db.prepareNative(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") +
                         columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                         markers.join(QStringLiteral(", ")) + QLatin1Char(')'));
    if (!insert)
        return QStringLiteral("Cannot fill table ") + name + because + db.lastError();
    QString insertError;
    rows([&](const std::vector<CellValue>& row) {
        if (insert->execute(row))
            return true;
        insertError = insert->lastError();
        return false;
    });
    return insertError.isEmpty()
               ? QString()
               : QStringLiteral("Cannot fill table ") + name + because + insertError;
}
