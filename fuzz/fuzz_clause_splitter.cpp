// Arbitrary text as an SQL statement to take apart: splitting never crashes, every part is a
// trimmed piece of the text, a keyword that is not there gives no part, stripping parentheses
// keeps them balanced as they were, and the parts of a statement whose keywords stand in order
// put back together with those keywords split into the same parts again.
#include "query/QueryTableChooser.h"
#include "query/SqlClauseSplitter.h"
#include "query/SqlTextScanner.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

void checkPart(const QString& text, const QString& part) {
    check(part.isEmpty() || text.contains(part));
    check(part == part.trimmed());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const SqlTextScanner scan(text);
    check(scan.split(u',').join(u',') == text);

    const SqlClauses c = SqlClauseSplitter::splitSqlText(text);
    for (const QString* part : {&c.selectList, &c.fromPart, &c.wherePart, &c.orderByPart})
        checkPart(text, *part);
    check(text.contains(u"SELECT") || c.selectList.isEmpty());
    check(text.contains(u"FROM") || c.fromPart.isEmpty());
    check(text.contains(u"WHERE") || c.wherePart.isEmpty());
    check(text.contains(u"ORDER") || c.orderByPart.isEmpty());
    check(SqlClauseSplitter::stripOuterParentheses(c.wherePart) == c.wherePart);

    // Only whole enclosing pairs go, so what was unbalanced stays unbalanced by as much.
    const QString stripped = SqlClauseSplitter::stripOuterParentheses(text);
    check(SqlTextScanner(stripped).parenthesisBalance() ==
          SqlTextScanner(text.trimmed()).parenthesisBalance());

    const qsizetype s = scan.find(u"SELECT"), f = scan.find(u"FROM"), w = scan.find(u"WHERE"),
                    o = scan.find(u"ORDER");
    if (s >= 0 && s < f && f < w && w < o) {
        const QString rejoined = QStringLiteral("SELECT ") + c.selectList +
                                 QStringLiteral(" FROM ") + c.fromPart + QStringLiteral(" WHERE ") +
                                 c.wherePart + QStringLiteral(" ORDER BY ") + c.orderByPart;
        check(SqlClauseSplitter::splitSqlText(rejoined) == c);
    }

    const StoredQueryParts p = SqlClauseSplitter::splitStoredDefinition(text);
    check(p.definition == text);
    for (const QString* part : {&p.selectList, &p.fromPart, &p.wherePart})
        checkPart(text, *part);
    check(w >= 0 || p.fromPart.isEmpty());
    check(!p.wherePart.endsWith(u';'));

    const QStringList tables = QueryTableChooser::fromTables(c.fromPart);
    for (const QString& t : tables)
        check(!t.isEmpty());
    if (!tables.isEmpty())
        (void)QueryTableChooser::buildStatement({tables.front()}, c.fromPart, c.wherePart, {});
    return 0;
}
