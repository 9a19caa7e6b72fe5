#pragma once
// Takes SQL texts apart at their keywords "SELECT", "FROM", "WHERE" and "ORDER". The search is
// textual and case-sensitive (a statement in lower case has no parts), but it skips bracketed
// names and literals, so a field named [FROM] or a value 'WHERE' does not end a part. Each part
// runs from the end of its keyword to the next keyword present, whatever their order.
// Stateless; anyone may call it. It never fails: what it cannot find comes back empty.
#include "query/QueryDefinitionSource.h"
#include "query/SqlClauses.h"
#include "query/StoredQueryParts.h"

class SqlClauseSplitter {
public:
    // A text in hand. The WHERE part loses every outer pair of parentheses that encloses all
    // of it (so "(a) AND (b)" stays whole); the ORDER BY part is the text after "ORDER BY"
    // and keeps a final ";", which the other parts lose when they end the statement.
    static SqlClauses splitSqlText(const QString& text);

    // A stored definition: the parts lose line breaks at both ends and the WHERE part a final
    // ";". The FROM part is only returned when the text has a "WHERE"; the ORDER BY tail only
    // ends the WHERE part.
    static StoredQueryParts splitStoredDefinition(const QString& definition);

    // The definition of the stored query or filter name, split as above.
    static StoredQueryParts splitStoredQuery(const QString& name,
                                             const QueryDefinitionSource& source);

    // Strips outer parentheses while the first "(" is closed by the last character.
    static QString stripOuterParentheses(QString condition);
};
