#include "query/SqlClauseSplitter.h"

#include <gtest/gtest.h>

#include <map>

namespace {

struct TextCase {
    const char* text;
    SqlClauses parts;
};

void expectSplit(const TextCase& c) {
    const QString text = QString::fromUtf8(c.text);
    const SqlClauses got = SqlClauseSplitter::splitSqlText(text);
    EXPECT_EQ(got.selectList, c.parts.selectList) << c.text;
    EXPECT_EQ(got.fromPart, c.parts.fromPart) << c.text;
    EXPECT_EQ(got.wherePart, c.parts.wherePart) << c.text;
    EXPECT_EQ(got.orderByPart, c.parts.orderByPart) << c.text;
}

SqlClauses parts(const char* s, const char* f, const char* w, const char* o) {
    return {QString::fromUtf8(s), QString::fromUtf8(f), QString::fromUtf8(w), QString::fromUtf8(o)};
}

} // namespace

TEST(SplitSqlText, SplitsAtTheKeywords) {
    const TextCase cases[] = {
        // The ORDER BY part keeps the statement's ";".
        {"SELECT * FROM [A] WHERE ([A].[X] > 1) ORDER BY [A].[X];",
         parts("*", "[A]", "[A].[X] > 1", "[A].[X];")},
        {"SELECT [S].[X], [S].[Y] FROM [S] WHERE ([S].[X] Is Not Null) AND ([S].[Y] Is Not Null) "
         "ORDER BY [S].[X] ASC",
         parts("[S].[X], [S].[Y]", "[S]", "([S].[X] Is Not Null) AND ([S].[Y] Is Not Null)",
               "[S].[X] ASC")},
        // Builder output with its blanks: one after each part, two after a two-table list.
        {"SELECT [A].[F] FROM [A] ", parts("[A].[F]", "[A]", "", "")},
        {"SELECT [A].* , [B].* FROM [A], [B]  WHERE [A].[K]=[B].[K]",
         parts("[A].* , [B].*", "[A], [B]", "[A].[K]=[B].[K]", "")},
        {"SELECT [X].[F] FROM ([A] INNER JOIN [B] ON [A].[SampleNo] = [B].[SampleNo])  LEFT JOIN "
         "[C] ON [B].[SampleNo] = [C].[SampleNo] ORDER BY [X].[F] DESC",
         parts("[X].[F]",
               "([A] INNER JOIN [B] ON [A].[SampleNo] = [B].[SampleNo])  LEFT JOIN [C] ON "
               "[B].[SampleNo] = [C].[SampleNo]",
               "", "[X].[F] DESC")},
        {"SELECT [T].[A], [T].[B] FROM [T] WHERE [T].[A] Is Not Null AND [T].[B] Is Not Null "
         "ORDER BY 1 AND 2",
         parts("[T].[A], [T].[B]", "[T]", "[T].[A] Is Not Null AND [T].[B] Is Not Null",
               "1 AND 2")},
        // Line breaks count as blanks.
        {"SELECT *\r\nFROM [A]\r\nWHERE [A].[X] > 1\r\nORDER BY [A].[X]\r\n",
         parts("*", "[A]", "[A].[X] > 1", "[A].[X]")},
        // Missing keywords give empty parts; the others are still found.
        {"SELECT * FROM [A] ORDER BY [A].[X]", parts("*", "[A]", "", "[A].[X]")},
        {"WHERE [A].[X] = 1", parts("", "", "[A].[X] = 1", "")},
        {"ORDERBY [A].[X]", parts("", "", "", "[A].[X]")},
        {"", parts("", "", "", "")},
    };
    for (const TextCase& c : cases)
        expectSplit(c);
}

TEST(SplitSqlText, KeywordsAreCaseSensitive) {
    expectSplit({"select * from [A] where [A].[X] > 1 order by [A].[X]", parts("", "", "", "")});
    // Only the capitalised keywords count; the lower-case ones are ordinary text.
    expectSplit({"SELECT * from [A] WHERE [A].[X] > 1 order by 2",
                 parts("* from [A]", "", "[A].[X] > 1 order by 2", "")});
}

TEST(SplitSqlText, NamesAndLiteralsDoNotEndAPart) {
    const TextCase cases[] = {
        {"SELECT [T].[FROM], [T].[SELECT] FROM [T] WHERE [T].[ORDER] = 'WHERE' ORDER BY [T].[FROM]",
         parts("[T].[FROM], [T].[SELECT]", "[T]", "[T].[ORDER] = 'WHERE'", "[T].[FROM]")},
        // Jet's double-quoted literals and doubled quotes inside literals.
        {"SELECT * FROM [T] WHERE [T].[N] = \"FROM x\" OR [T].[N] = 'it''s ORDER'",
         parts("*", "[T]", "[T].[N] = \"FROM x\" OR [T].[N] = 'it''s ORDER'", "")},
        // "]]" stands for "]" inside a name and does not close it.
        {"SELECT [a]]WHERE] FROM [T]", parts("[a]]WHERE]", "[T]", "", "")},
        // A ";" inside a literal is not the statement's end.
        {"SELECT * FROM [T] WHERE [T].[N] = ';'", parts("*", "[T]", "[T].[N] = ';'", "")},
    };
    for (const TextCase& c : cases)
        expectSplit(c);
}

TEST(SplitSqlText, StripsOnlyEnclosingParenthesesFromTheCondition) {
    const TextCase cases[] = {
        {"SELECT * FROM [A] WHERE [A].[X] IN (1,2)", parts("*", "[A]", "[A].[X] IN (1,2)", "")},
        {"SELECT * FROM [A] WHERE ([A].[X] > 1) AND ([A].[Y] < 2)",
         parts("*", "[A]", "([A].[X] > 1) AND ([A].[Y] < 2)", "")},
        {"SELECT * FROM [A] WHERE (([A].[X] > 1) AND ([A].[Y] < 2))",
         parts("*", "[A]", "([A].[X] > 1) AND ([A].[Y] < 2)", "")},
        {"SELECT * FROM [A] WHERE ( ( [A].[X] IN (1,2) ) )",
         parts("*", "[A]", "[A].[X] IN (1,2)", "")},
        // A parenthesis inside a name or literal is not one of the statement's.
        {"SELECT * FROM [A] WHERE ([A].[X)] = ')')", parts("*", "[A]", "[A].[X)] = ')'", "")},
        // Unbalanced conditions are left as written.
        {"SELECT * FROM [A] WHERE ((x > 1)", parts("*", "[A]", "((x > 1)", "")},
        {"SELECT * FROM [A] WHERE x > 1))", parts("*", "[A]", "x > 1))", "")},
    };
    for (const TextCase& c : cases)
        expectSplit(c);
}

TEST(SplitSqlText, TheStatementsEndIsNotPartOfTheLastClause) {
    const TextCase cases[] = {
        {"SELECT * FROM [A] WHERE ([A].[X] > 1);", parts("*", "[A]", "[A].[X] > 1", "")},
        {"SELECT * FROM [A], [B] ;", parts("*", "[A], [B]", "", "")},
        {"SELECT 1;", parts("1", "", "", "")},
    };
    for (const TextCase& c : cases)
        expectSplit(c);
}

TEST(SplitSqlText, OddInputNeverBreaksIt) {
    // Unclosed names and literals hide what follows them; nothing crashes or reads past the end.
    const TextCase cases[] = {
        {"SELECT * FROM [T WHERE x", parts("*", "[T WHERE x", "", "")},
        {"SELECT [A FROM [T] WHERE x", parts("[A FROM [T]", "", "x", "")},
        {"SELECT * FROM [T] WHERE 'open ORDER BY 1", parts("*", "[T]", "'open ORDER BY 1", "")},
        {"SELECT * FROM [T] WHERE \"", parts("*", "[T]", "\"", "")},
        {"SELECT", parts("", "", "", "")},
        {"FROM", parts("", "", "", "")},
        {"ORDER", parts("", "", "", "")},
        {"ORDER BY", parts("", "", "", "")},
        {"WHERE ()", parts("", "", "", "")},
        {"WHERE (", parts("", "", "(", "")},
        {"WHERE ;;;", parts("", "", "", "")},
        // Keywords out of order: each part runs to the next keyword after it.
        {"FROM [T] SELECT * ORDER BY 1 WHERE x", parts("*", "[T]", "x", "1")},
        {"SELECTFROMWHEREORDER", parts("", "", "", "")},
    };
    for (const TextCase& c : cases)
        expectSplit(c);
}

namespace {

struct StoredCase {
    const char* definition;
    const char* select;
    const char* from;
    const char* where;
};

class FixedDefinitions : public QueryDefinitionSource {
public:
    std::optional<QString> queryDefinition(const QString& name) const override {
        const auto it = definitions.find(name);
        if (it == definitions.end())
            return std::nullopt;
        return it->second;
    }
    std::map<QString, QString> definitions;
};

} // namespace

TEST(SplitStoredQuery, SplitsDefinitionsOnOneOrSeveralLines) {
    const StoredCase cases[] = {
        {"SELECT *\r\nFROM [A]\r\nWHERE [A].[X] > 1;", "*", "[A]", "[A].[X] > 1"},
        {"SELECT *\nFROM [A]\nWHERE [A].[X] > 1;\n", "*", "[A]", "[A].[X] > 1"},
        {"SELECT [Assay].*\r\nFROM [Assay]\r\nWHERE ((([Assay].[Au])>1))\r\nORDER BY "
         "[Assay].[Au];\r\n",
         "[Assay].*", "[Assay]", "((([Assay].[Au])>1))"},
        {"SELECT * FROM [A] WHERE [A].[X] > 1 ;\r\n;", "*", "[A]", "[A].[X] > 1"},
        // Inner line breaks stay.
        {"SELECT [A].[X],\r\n[A].[Y]\r\nFROM [A]\r\nWHERE [A].[X] > 1\r\nAND [A].[Y] > 2;",
         "[A].[X],\r\n[A].[Y]", "[A]", "[A].[X] > 1\r\nAND [A].[Y] > 2"},
        // Without a WHERE the FROM part is not returned.
        {"SELECT *\r\nFROM [A];", "*", "", ""},
        {"select * from [A] where [A].[X] > 1;", "", "", ""},
        {"SELECT [T].[WHERE] FROM [T] WHERE [T].[FROM] = 'ORDER';", "[T].[WHERE]", "[T]",
         "[T].[FROM] = 'ORDER'"},
        {"", "", "", ""},
    };
    for (const StoredCase& c : cases) {
        const QString definition = QString::fromUtf8(c.definition);
        const StoredQueryParts p = SqlClauseSplitter::splitStoredDefinition(definition);
        EXPECT_EQ(p.definition, definition);
        EXPECT_EQ(p.selectList, QString::fromUtf8(c.select)) << c.definition;
        EXPECT_EQ(p.fromPart, QString::fromUtf8(c.from)) << c.definition;
        EXPECT_EQ(p.wherePart, QString::fromUtf8(c.where)) << c.definition;
    }
}

TEST(SplitStoredQuery, ReadsTheDefinitionByName) {
    FixedDefinitions source;
    source.definitions[QStringLiteral("f_Gold")] =
        QStringLiteral("SELECT [Assay].*\r\nFROM [Assay]\r\nWHERE [Assay].[Au] > 1;");
    const StoredQueryParts p =
        SqlClauseSplitter::splitStoredQuery(QStringLiteral("f_Gold"), source);
    EXPECT_EQ(p.definition, source.definitions[QStringLiteral("f_Gold")]);
    EXPECT_EQ(p.selectList, QStringLiteral("[Assay].*"));
    EXPECT_EQ(p.fromPart, QStringLiteral("[Assay]"));
    EXPECT_EQ(p.wherePart, QStringLiteral("[Assay].[Au] > 1"));

    EXPECT_EQ(SqlClauseSplitter::splitStoredQuery(QStringLiteral("f_Missing"), source),
              StoredQueryParts{});
}
