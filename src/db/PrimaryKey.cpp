#include "db/PrimaryKey.h"

#include "platform/Connection.h"

QStringList PrimaryKey::of(Connection& database, const QString& table) {
    if (const auto indexes = database.indexes())
        for (const IndexDescription& i : *indexes)
            if (i.primaryKey && i.table.compare(table, Qt::CaseInsensitive) == 0)
                return i.columns;
    return {};
}
