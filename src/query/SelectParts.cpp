#include "query/SelectParts.h"

#include "query/SqlNames.h"

std::vector<SelectParts::Table>
SelectParts::distinctTables(const std::vector<FieldEntry>& entries) {
    std::vector<Table> tables;
    QStringList seen;
    for (size_t i = 0; i < entries.size(); ++i) {
        const QString plain = SqlNames::plain(entries[i].table);
        if (seen.contains(plain))
            continue;
        seen << plain;
        tables.push_back({entries[i].table, i});
    }
    return tables;
}

QStringList SelectParts::fieldList(const std::vector<FieldEntry>& entries) {
    QStringList fields;
    for (const FieldEntry& e : entries)
        fields << SqlNames::field(e.table, e.field);
    return fields;
}

QStringList SelectParts::notNullTerms(const std::vector<FieldEntry>& entries) {
    QStringList terms;
    for (const FieldEntry& e : entries)
        if (e.notNull)
            terms << u'(' + SqlNames::field(e.table, e.field) + QStringLiteral(" Is Not Null)");
    return terms;
}

QString SelectParts::orderBy(const std::vector<FieldEntry>& entries) {
    QStringList keys;
    for (const FieldEntry& e : entries)
        if (e.sort != 0)
            keys << SqlNames::field(e.table, e.field) +
                        (e.sort == 1 ? QStringLiteral(" ASC") : QStringLiteral(" DESC"));
    return keys.isEmpty() ? QString()
                          : QStringLiteral(" ORDER BY ") + keys.join(QStringLiteral(", "));
}
