#include "spider/SpiderQuery.h"

#include "platform/Connection.h"
#include "platform/JetSqlQuoting.h"
#include "platform/TransactionScope.h"
#include "query/SqlNames.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool allNumbers(const std::vector<CellValue>& keys) {
    for (const CellValue& k : keys)
        if (k.kind() != CellValue::Kind::Number)
            return false;
    return !keys.empty();
}

// Drops the key table when the fetch is done, whatever happened.
class KeyTable {
public:
    explicit KeyTable(Connection& c)
        : c_(c) {}
    ~KeyTable() {
        if (made_)
            c_.execute(QStringLiteral("DROP TABLE ") +
                       JetSqlQuoting::name(SpiderQuery::keyTableName()));
    }
    bool fill(const std::vector<CellValue>& keys) {
        c_.execute(QStringLiteral("DROP TABLE ") +
                   JetSqlQuoting::name(SpiderQuery::keyTableName())); // a leftover, if any
        const QString type =
            allNumbers(keys) ? QStringLiteral("DOUBLE PRECISION") : QStringLiteral("VARCHAR(255)");
        if (!c_.execute(QStringLiteral("CREATE TEMPORARY TABLE ") +
                        JetSqlQuoting::name(SpiderQuery::keyTableName()) + QStringLiteral(" (") +
                        JetSqlQuoting::name(QStringLiteral("Key")) + u' ' + type + u')'))
            return false;
        made_ = true;
        TransactionScope transaction(c_);
        auto insert = c_.prepare(QStringLiteral("INSERT INTO ") +
                                 JetSqlQuoting::name(SpiderQuery::keyTableName()) +
                                 QStringLiteral(" VALUES (?)"));
        if (!insert)
            return false;
        for (const CellValue& k : keys)
            if (!insert->execute(
                    {k.kind() == CellValue::Kind::Number ? k : CellValue::text(k.toText())}))
                return false;
        return transaction.commit();
    }

private:
    Connection& c_;
    bool made_ = false;
};

} // namespace

QString SpiderQuery::keyLiterals(const std::vector<CellValue>& keys) {
    const bool numbers = allNumbers(keys);
    QStringList literals;
    for (const CellValue& k : keys)
        literals << (numbers ? CellValue::formatNumber(*k.toNumber())
                             : JetSqlQuoting::text(k.toText()));
    return literals.join(QStringLiteral(", "));
}

QString SpiderQuery::statement(const Request& r, const QString& keysTerm) {
    const QString key = SqlNames::field(r.keyTable, r.keyField);
    QStringList fields{key};
    QStringList joined;
    const auto join = [&](const QString& table) {
        if (SqlNames::plain(table) != SqlNames::plain(r.keyTable) && !joined.contains(table))
            joined << table;
    };
    for (const SpiderFieldMatcher::Match& p : r.positions)
        if (p.found()) {
            fields << SqlNames::field(p.table, p.field);
            join(p.table);
        }
    if (!r.classTable.isEmpty()) {
        fields << SqlNames::field(r.classTable, r.classField);
        join(r.classTable);
    }
    // Every table is joined to the samples' table, so a sample missing from one table keeps
    // its values from the others.
    QString from =
        QString(std::max<qsizetype>(0, joined.size() - 1), u'(') + SqlNames::bracketed(r.keyTable);
    for (qsizetype i = 0; i < joined.size(); ++i)
        from += QStringLiteral(" LEFT JOIN ") + SqlNames::bracketed(joined[i]) +
                QStringLiteral(" ON ") + key + QStringLiteral(" = ") +
                SqlNames::field(joined[i], r.keyField) +
                (i + 1 < joined.size() ? QStringLiteral(")") : QString());
    return QStringLiteral("SELECT ") + fields.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM ") + from + QStringLiteral(" WHERE (") + key +
           QStringLiteral(" IN (") + keysTerm + QStringLiteral("))");
}

std::optional<SpiderRows> SpiderQuery::fetch(Connection& connection, const Request& request,
                                             QString& error, QString& statementRun) {
    KeyTable keyTable(connection);
    QString keysTerm;
    if (qsizetype(request.keys.size()) <= inListLimit) {
        keysTerm = keyLiterals(request.keys);
    } else {
        if (!keyTable.fill(request.keys)) {
            error = connection.lastError();
            return std::nullopt;
        }
        keysTerm = QStringLiteral("SELECT ") + JetSqlQuoting::name(QStringLiteral("Key")) +
                   QStringLiteral(" FROM ") + JetSqlQuoting::name(keyTableName());
    }
    statementRun = statement(request, keysTerm);

    SpiderRows rows;
    rows.positionCount = qsizetype(request.positions.size());
    const bool classified = !request.classTable.isEmpty();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const bool ok = connection.forEachRow(statementRun, [&](const RowSet::Row& row) {
        if (rows.rowCount() >= SpiderRows::maxRows) {
            rows.capped = true;
            return;
        }
        rows.keys.push_back(row[0].toText());
        size_t column = 1;
        for (const SpiderFieldMatcher::Match& p : request.positions) {
            if (!p.found()) {
                rows.values.push_back(nan);
                continue;
            }
            const std::optional<double> v = row[column++].toNumber();
            rows.values.push_back(v && std::isfinite(*v) ? *v * p.toPpm : nan);
        }
        if (classified)
            rows.classes.push_back(row[column]);
    });
    if (!ok) {
        error = connection.lastError();
        return std::nullopt;
    }
    return rows;
}
