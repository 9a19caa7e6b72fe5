// Arbitrary table, field and key names (one per line) through the statement builders: the text
// they write always tokenizes, every bracketed name in it reads back as one of the names given,
// and it translates for both engines.
#include "platform/JetSqlTokenizer.h"
#include "platform/SqlDialectTranslator.h"
#include "query/FieldSelect.h"
#include "query/JoinSelect.h"
#include "query/LoadTablesSql.h"
#include "query/PairSelect.h"
#include "query/SqlNames.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

class NoFilters : public FilterBaseSource {
public:
    FilterBase filterBase(const QString&) const override { return {}; }
};

void checkStatement(const QString& sql, const QStringList& names) {
    if (sql.isEmpty())
        return;
    const auto tokens = JetSqlTokenizer::tokenize(sql);
    check(tokens.ok());
    for (const JetSqlToken& t : tokens.tokens)
        if (t.kind == JetSqlToken::Kind::Name)
            check(names.contains(t.value));
    for (SqlDialect d : {SqlDialect::Sqlite, SqlDialect::Postgres})
        check(SqlDialectTranslator::translate(sql, d).ok());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList given = text.split(u'\n');
    while (given.size() < 5)
        given << QStringLiteral("N%1").arg(given.size());
    QStringList names;
    for (const QString& n : given) {
        if (SqlNames::plain(n).isEmpty())
            return 0;
        names << SqlNames::plain(n);
    }
    // A links cell holds ","-separated names, so a key cannot contain one.
    if (given[4].contains(u','))
        return 0;
    const QString filter = QStringLiteral("f_") + SqlNames::plain(given[4]);
    names << filter;

    // Every pair links on the key named by the fifth line.
    SchemaCatalogue catalogue;
    for (int a = 0; a < 4; a += 2)
        for (const QString& b : {given[0], given[2], filter}) {
            const int row = catalogue.links.lastRow() + 1;
            catalogue.links.setText(row, 1, given[a]);
            catalogue.links.setText(row, 2, b);
            catalogue.links.setText(row, 3, given[4]);
            catalogue.links.setText(row, 4, given[4]);
        }
    NoFilters filters;
    const LinkSearch links(catalogue, filters);

    const std::vector<FieldEntry> entries{{given[0], given[1], 1, true, FieldEntry::Inner},
                                          {given[2], given[3], 2, true, FieldEntry::Left}};
    const FieldSelect fs = BuildFieldSelect(links, entries, 0);
    checkStatement(fs.fieldList, names);
    checkStatement(fs.tableStar, names);
    checkStatement(BuildJoinSelect(entries, given[4]), names);
    checkStatement(BuildPairSelect(links, given[0], given[2], {}, given[1], given[3]), names);
    checkStatement(BuildLoadTablesSql(links, {given[0], given[2]}, given[0], given[4]).statement,
                   names);
    return 0;
}
