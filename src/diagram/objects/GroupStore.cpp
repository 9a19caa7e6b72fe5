#include "diagram/objects/GroupStore.h"

#include "platform/Connection.h"
#include "platform/JetSqlQuoting.h"
#include "platform/TransactionScope.h"

#include <cmath>

namespace {

using Q = JetSqlQuoting;

GroupStore::Result failed(Connection& db) {
    return {false, db.lastError(), 0, 0};
}

// Clears (when asked) and runs `write` for every row inside one transaction.
template <typename Write>
GroupStore::Result inTransaction(Connection& db, const GroupStore::Target& t, Write write) {
    TransactionScope transaction(db);
    if (!transaction.began())
        return failed(db);
    if (t.clearFirst &&
        !db.execute(QStringLiteral("UPDATE ") + Q::name(t.table) + QStringLiteral(" SET ") +
                    Q::name(t.field) + QStringLiteral(" = Null")))
        return failed(db);
    GroupStore::Result result = write();
    if (!result.ok || !transaction.commit())
        return result.ok ? failed(db) : result;
    return result;
}

} // namespace

GroupStore::Result
GroupStore::writeGroups(Connection& db, const Target& t,
                        const std::vector<std::pair<QString, std::optional<QString>>>& rows) {
    return inTransaction(db, t, [&]() -> Result {
        auto update =
            db.prepare(QStringLiteral("UPDATE ") + Q::name(t.table) + QStringLiteral(" SET ") +
                       Q::name(t.field) + QStringLiteral(" = ? WHERE ") + Q::name(t.keyField) +
                       QStringLiteral(" = ?"));
        if (!update)
            return failed(db);
        Result r{true, {}, 0, 0};
        for (const auto& [key, group] : rows) {
            const auto n = update->execute(
                {group ? CellValue::text(*group) : CellValue::null(), CellValue::text(key)});
            if (!n)
                return {false, update->lastError(), 0, 0};
            (*n > 0 ? r.written : r.missing) += 1;
        }
        return r;
    });
}

GroupStore::Result GroupStore::writeDeltas(Connection& db, const Target& t,
                                           const std::vector<std::pair<QString, double>>& rows) {
    return inTransaction(db, t, [&]() -> Result {
        auto update =
            db.prepare(QStringLiteral("UPDATE ") + Q::name(t.table) + QStringLiteral(" SET ") +
                       Q::name(t.field) + QStringLiteral(" = ? WHERE ") + Q::name(t.keyField) +
                       QStringLiteral(" = ?"));
        auto insert = db.prepare(QStringLiteral("INSERT INTO ") + Q::name(t.table) +
                                 QStringLiteral(" (") + Q::name(t.keyField) + QStringLiteral(", ") +
                                 Q::name(t.field) + QStringLiteral(") VALUES (?, ?)"));
        if (!update || !insert)
            return failed(db);
        Result r{true, {}, 0, 0};
        for (const auto& [key, delta] : rows) {
            const CellValue value =
                std::isnan(delta) ? CellValue::null() : CellValue::number(delta);
            const auto n = update->execute({value, CellValue::text(key)});
            if (!n)
                return {false, update->lastError(), 0, 0};
            if (*n > 1) {
                r.missing += *n - 1;
                r.written += 1;
            } else if (*n == 1) {
                r.written += 1;
            } else if (insert->execute({CellValue::text(key), value})) {
                r.written += 1;
            } else {
                return {false, duplicateKey(), 0, 0};
            }
        }
        return r;
    });
}
