#include "spider/SpiderSampleSelection.h"

#include "db/SessionDatabase.h"
#include "platform/Dialogs.h"
#include "platform/Status.h"
#include "query/SqlNames.h"
#include "spider/SpiderQuery.h"

#include <QSet>
#include <algorithm>

SpiderSampleSelection::SpiderSampleSelection(SessionDatabase& session, Dialogs& dialogs,
                                             Status& status)
    : session_(session)
    , dialogs_(dialogs)
    , status_(status) {}

QStringList SpiderSampleSelection::keyFieldsOf(const QString& table) const {
    QStringList keys = session_.catalogue().keyFields(table);
    if (keys.isEmpty()) {
        const QStringList fields = session_.catalogue().fieldNames(table);
        if (!fields.isEmpty())
            keys << fields.first();
    }
    return keys;
}

QString SpiderSampleSelection::statement(const Query& q) const {
    const QString keyField = keyFieldsOf(q.table).value(0);
    const QString key = SqlNames::field(q.table, keyField);
    QStringList joined;
    if (!q.filter.isEmpty())
        joined << QStringLiteral("f_") + q.filter;
    QStringList conditions;
    for (const auto& [table, field] : q.withData) {
        if (SqlNames::plain(table) != SqlNames::plain(q.table) && !joined.contains(table))
            joined << table;
        const QString f = SqlNames::field(table, field);
        conditions << f + QStringLiteral(" Is Not Null") +
                          (q.notZero ? QStringLiteral(" And Not ") + f + QStringLiteral("=0")
                                     : QString());
    }
    QString from =
        QString(std::max<qsizetype>(0, joined.size() - 1), u'(') + SqlNames::bracketed(q.table);
    for (qsizetype i = 0; i < joined.size(); ++i)
        from += QStringLiteral(" INNER JOIN ") + SqlNames::bracketed(joined[i]) +
                QStringLiteral(" ON ") + key + QStringLiteral(" = ") +
                SqlNames::field(joined[i], keyField) +
                (i + 1 < joined.size() ? QStringLiteral(")") : QString());
    QString sql = QStringLiteral("SELECT DISTINCT ") + key + QStringLiteral(" FROM ") + from;
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE (") + conditions.join(QStringLiteral(" AND ")) + u')';
    return sql + QStringLiteral(" ORDER BY ") + key;
}

bool SpiderSampleSelection::fill(const Query& query) {
    Connection* connection = session_.connection();
    if (!connection || !session_.isOpen()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("No database open"));
        return false;
    }
    status_.showStatus(QStringLiteral("Filtering..."), 1);
    const auto rows = connection->query(statement(query));
    status_.showStatus({}, 0);
    if (!rows) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Error in reading the samples\r\n") +
                             connection->lastError());
        return false;
    }
    candidates_.clear();
    for (qsizetype r = 0; r < rows->rowCount(); ++r)
        if (!rows->at(r, 0).isMissing())
            candidates_.push_back(rows->at(r, 0));
    candidateTable_ = query.table;
    return true;
}

bool SpiderSampleSelection::add(const std::vector<int>& rows) {
    const QStringList keys = keyFieldsOf(candidateTable_);
    if (!selected_.empty() && keys != selectedKeys_) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Can not be added, table key fields are different (") +
                             selectedKeys_.join(u',') + QStringLiteral(" vs. ") + keys.join(u',') +
                             QStringLiteral(")!"));
        return false;
    }
    if (selected_.empty()) {
        selectedTable_ = candidateTable_;
        selectedKeys_ = keys;
    }
    QSet<QString> present;
    for (const CellValue& k : selected_)
        present.insert(k.toText());
    for (int r : rows)
        if (r >= 0 && r < int(candidates_.size()) &&
            !present.contains(candidates_[size_t(r)].toText())) {
            present.insert(candidates_[size_t(r)].toText());
            selected_.push_back(candidates_[size_t(r)]);
        }
    return true;
}

bool SpiderSampleSelection::addAll() {
    std::vector<int> rows(candidates_.size());
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = int(i);
    return add(rows);
}

void SpiderSampleSelection::remove(std::vector<int> rows) {
    std::sort(rows.rbegin(), rows.rend());
    for (int r : rows)
        if (r >= 0 && r < int(selected_.size()))
            selected_.erase(selected_.begin() + r);
}

QString SpiderSampleSelection::viewStatement() const {
    if (selected_.empty())
        return {};
    const QString key = SqlNames::field(selectedTable_, selectedKeyField());
    return QStringLiteral("SELECT * FROM ") + SqlNames::bracketed(selectedTable_) +
           QStringLiteral(" WHERE (") + key + QStringLiteral(" IN (") +
           SpiderQuery::keyLiterals(selected_) + QStringLiteral("))");
}

bool SpiderSampleSelection::accept() {
    if (selected_.empty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Select samples to plot !"));
        return false;
    }
    return true;
}
