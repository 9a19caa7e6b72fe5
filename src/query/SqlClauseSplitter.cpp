#include "query/SqlClauseSplitter.h"

#include "query/SqlTextScanner.h"

#include <array>

namespace {

enum Keyword { Select, From, Where, Order, KeywordCount };

constexpr std::array<QStringView, KeywordCount> keywordTexts = {u"SELECT", u"FROM", u"WHERE",
                                                                u"ORDER"};

// The first occurrence of each keyword outside names and literals, -1 where missing.
struct KeywordPositions {
    explicit KeywordPositions(const SqlTextScanner& scan) {
        for (int k = 0; k < KeywordCount; ++k)
            at[size_t(k)] = scan.find(keywordTexts[size_t(k)]);
    }
    bool has(Keyword k) const { return at[size_t(k)] >= 0; }

    // Start and end of the text that belongs to keyword k: from the end of the keyword to the
    // next keyword present after it, or to the end of the text.
    std::pair<qsizetype, qsizetype> span(Keyword k, qsizetype textSize) const {
        const qsizetype pos = at[size_t(k)];
        const qsizetype start = pos + keywordTexts[size_t(k)].size();
        qsizetype end = textSize;
        for (qsizetype other : at)
            if (other > pos && other < end)
                end = other;
        return {start, std::max(start, end)};
    }

    std::array<qsizetype, KeywordCount> at{};
};

// Trailing ";" (the statement's end) and the blanks around it.
QString withoutTerminator(QString part) {
    part = part.trimmed();
    while (part.endsWith(u';'))
        part = part.chopped(1).trimmed();
    return part;
}

} // namespace

QString SqlClauseSplitter::stripOuterParentheses(QString condition) {
    condition = condition.trimmed();
    while (condition.startsWith(u'(')) {
        const SqlTextScanner scan(condition);
        if (scan.matchingClose(0) != condition.size() - 1)
            break;
        condition = condition.mid(1, condition.size() - 2).trimmed();
    }
    return condition;
}

SqlClauses SqlClauseSplitter::splitSqlText(const QString& text) {
    const SqlTextScanner scan(text);
    const KeywordPositions keys(scan);
    const auto part = [&](Keyword k) -> QString {
        if (!keys.has(k))
            return {};
        auto [start, end] = keys.span(k, text.size());
        if (k == Order) {
            while (start < end && text[start].isSpace())
                ++start;
            if (QStringView(text).mid(start, end - start).startsWith(u"BY"))
                start += 2;
            return text.mid(start, end - start).trimmed();
        }
        const QString piece = text.mid(start, end - start);
        return end == text.size() ? withoutTerminator(piece) : piece.trimmed();
    };
    SqlClauses c;
    c.selectList = part(Select);
    c.fromPart = part(From);
    c.wherePart = stripOuterParentheses(part(Where));
    c.orderByPart = part(Order);
    return c;
}

StoredQueryParts SqlClauseSplitter::splitStoredDefinition(const QString& definition) {
    const SqlTextScanner scan(definition);
    const KeywordPositions keys(scan);
    // Trimming takes line breaks with the blanks, whichever end they are at.
    const auto part = [&](Keyword k) -> QString {
        if (!keys.has(k))
            return {};
        const auto [start, end] = keys.span(k, definition.size());
        return definition.mid(start, end - start).trimmed();
    };
    StoredQueryParts p;
    p.definition = definition;
    p.selectList = part(Select);
    if (keys.has(Where))
        p.fromPart = part(From);
    p.wherePart = withoutTerminator(part(Where));
    return p;
}

StoredQueryParts SqlClauseSplitter::splitStoredQuery(const QString& name,
                                                     const QueryDefinitionSource& source) {
    const std::optional<QString> definition = source.queryDefinition(name);
    if (!definition)
        return {};
    return splitStoredDefinition(*definition);
}
