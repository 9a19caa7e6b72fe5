#include "query/JoinSelect.h"

#include "query/SelectParts.h"
#include "query/SqlNames.h"

namespace {

QString joinKeyword(qint16 kind) {
    if (kind == FieldEntry::Inner)
        return QStringLiteral("INNER JOIN");
    return kind == FieldEntry::Left ? QStringLiteral("LEFT JOIN") : QStringLiteral("RIGHT JOIN");
}

} // namespace

QString BuildJoinSelect(const std::vector<FieldEntry>& entries, const QString& key) {
    if (entries.empty())
        return {};
    const auto tables = SelectParts::distinctTables(entries);
    const size_t count = tables.size();

    QString from = QStringLiteral("FROM ");
    if (count == 1) {
        from += SqlNames::bracketed(tables[0].name) + u' ';
    } else {
        from += QString(qsizetype(count - 2), u'(');
        for (size_t i = 1; i < count; ++i) {
            const QString& previous = tables[i - 1].name;
            const QString& next = tables[i].name;
            if (i == 1)
                from += SqlNames::bracketed(previous) + u' ';
            else
                from += u' ';
            from += joinKeyword(entries[tables[i].firstEntry].join) + u' ' +
                    SqlNames::bracketed(next) + QStringLiteral(" ON ") +
                    SqlNames::field(previous, key) + QStringLiteral(" = ") +
                    SqlNames::field(next, key);
            from += i + 1 < count ? QStringLiteral(") ") : QStringLiteral(" ");
        }
    }

    const QStringList notNull = SelectParts::notNullTerms(entries);
    const QString where = notNull.isEmpty() ? QString()
                                            : QStringLiteral("WHERE (") +
                                                  notNull.join(QStringLiteral(" AND ")) + u')';

    return QStringLiteral("SELECT ") + SelectParts::fieldList(entries).join(QStringLiteral(", ")) +
           u' ' + from + where + SelectParts::orderBy(entries);
}
