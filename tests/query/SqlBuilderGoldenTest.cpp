// The exact texts of the SQL builders over a fixed catalogue: they are shown, stored as views and
// split again, so every blank matters.
#include "query/FieldSelect.h"
#include "query/IndexFields.h"
#include "query/JoinCondition.h"
#include "query/JoinSelect.h"
#include "query/LinkKeyLists.h"
#include "query/LinkingReport.h"
#include "query/LoadTablesSql.h"
#include "query/PairSelect.h"
#include "query/SplitList.h"

#include <QMap>
#include <functional>
#include <gtest/gtest.h>

namespace {

void setRow(Sheet& sheet, int row, const QStringList& cells) {
    for (qsizetype c = 0; c < cells.size(); ++c)
        sheet.setText(row, int(c) + 1, cells[c]);
}

class MapFilterBases : public FilterBaseSource {
public:
    QMap<QString, FilterBase> bases;
    FilterBase filterBase(const QString& name) const override { return bases.value(name); }
};

class SqlBuilderGolden : public ::testing::Test {
protected:
    SchemaCatalogue catalogue;
    MapFilterBases filters;
    LinkSearch links{catalogue, filters};

    void SetUp() override {
        setRow(catalogue.indexList, 1, {"Samples", "SampleNo"});
        setRow(catalogue.indexList, 2, {"[Assay]", "SampleNo", "Element"});
        setRow(catalogue.indexList, 3, {"S", "X"});
        setRow(catalogue.indexList, 4, {"Odd", "", "SampleNo", "Depth"});
        setRow(catalogue.indexList, 5, {"Samples", "Ignored"});

        Sheet& l = catalogue.links;
        setRow(l, 1, {"Samples", "Samples", "SampleNo", "SampleNo"});
        // Stored the other way round from how the pair is asked for.
        setRow(l, 2, {"Assay", "Samples", "SampleNo", "SampleNo"});
        setRow(l, 3, {"Samples", "Chem", "SampleNo", "SampleNo", "Batch", "Lot"});
        setRow(l, 4, {"Samples", "Odd", "SampleNo,Depth", "SampleNo"});
        setRow(l, 5, {"Assay", "Assay", "SampleNo", "SampleNo", "Element", "Element"});
        setRow(l, 6, {"Chem", "Samples", "Later", "Later"});
        setRow(l, 7, {"S", "S", "X", "X"});
        setRow(l, 8, {"Samples", "A]B", "SampleNo", "Sample]No"});
        setRow(l, 9, {"Samples", "Half", "SampleNo", "", "Batch", "Batch"});
        setRow(l, 10, {"Samples", "Bare"});
        // Column 1 empty ends the list: the row after it is never read.
        setRow(l, 11, {"", "Samples"});
        setRow(l, 12, {"Samples", "Hidden", "X", "X"});

        filters.bases["f_Gold"] = {"Assay", "SampleNo"};
        filters.bases["Rocks"] = {"Samples", "SampleNo"};
        filters.bases["Samples"] = {"Samples", "SampleNo"};
        filters.bases["Assay"] = {"Assay", "SampleNo"};
    }

    QString join(const QStringList& tables) const { return BuildJoinCondition(links, tables).text; }
};

struct Golden {
    const char* name;
    std::function<QString()> build;
    const char* expected;
};

void expectGoldens(const std::vector<Golden>& goldens) {
    for (const Golden& g : goldens)
        EXPECT_EQ(g.build(), QString::fromUtf8(g.expected)) << g.name;
}

TEST(SplitList, CutsAtEverySeparatorWithoutTrimming) {
    struct Case {
        const char* text;
        const char* separator;
        QStringList pieces;
    } cases[] = {
        {"a,b", ",", {"a", "b"}},
        {"a,,b", ",", {"a", "", "b"}},
        {"a, b,", ",", {"a", " b", ""}},
        {"", ",", {}},
        {"a,b", "", {"a,b"}},
        {"a AND b", " AND ", {"a", "b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitList(QString::fromUtf8(c.text), QString::fromUtf8(c.separator)), c.pieces)
            << c.text;
}

TEST_F(SqlBuilderGolden, IndexFieldsOfTheFirstMatchingRowWithOrWithoutBrackets) {
    EXPECT_EQ(GetIndexFields(catalogue, "Samples"), QStringList{"SampleNo"});
    EXPECT_EQ(GetIndexFields(catalogue, "[Samples]"), QStringList{"SampleNo"});
    EXPECT_EQ(GetIndexFields(catalogue, "Assay"), (QStringList{"SampleNo", "Element"}));
    EXPECT_EQ(GetIndexFields(catalogue, "[Assay]"), (QStringList{"SampleNo", "Element"}));
    EXPECT_EQ(GetIndexFields(catalogue, "Odd"), (QStringList{"SampleNo", "Depth"}));
    EXPECT_TRUE(GetIndexFields(catalogue, "Nothing").isEmpty());
    EXPECT_TRUE(GetIndexFields(catalogue, "").isEmpty());
}

TEST_F(SqlBuilderGolden, JoinConditions) {
    expectGoldens({
        {"one table: self-equality of its keys", [&] { return join({"Samples"}); },
         "[Samples].[SampleNo]=[Samples].[SampleNo]"},
        {"one table, two keys", [&] { return join({"Assay"}); },
         "[Assay].[SampleNo]=[Assay].[SampleNo] AND [Assay].[Element]=[Assay].[Element]"},
        {"one bracketed table", [&] { return join({"[Samples]"}); },
         "[Samples].[SampleNo]=[Samples].[SampleNo]"},
        {"one table without keys", [&] { return join({"Nothing"}); }, ""},
        {"no tables", [&] { return join({}); }, ""},
        {"reversed links row",
         [&] {
             return join({"Samples", "Assay"});
         },
         "[Samples].[SampleNo]=[Assay].[SampleNo]"},
        {"two key pairs",
         [&] {
             return join({"Samples", "Chem"});
         },
         "[Samples].[SampleNo]=[Chem].[SampleNo] AND [Samples].[Batch]=[Chem].[Lot]"},
        {"first row wins in either orientation",
         [&] {
             return join({"Chem", "Samples"});
         },
         "[Chem].[SampleNo]=[Samples].[SampleNo] AND [Chem].[Lot]=[Samples].[Batch]"},
        {"unequal key lists",
         [&] {
             return join({"Samples", "Odd"});
         },
         "[Samples].[SampleNo]=[Odd].[SampleNo]"},
        {"three tables in order of table, then key",
         [&] {
             return join({"Samples", "Assay", "Chem"});
         },
         "[Samples].[SampleNo]=[Assay].[SampleNo] AND [Samples].[SampleNo]=[Chem].[SampleNo] AND "
         "[Samples].[Batch]=[Chem].[Lot]"},
        {"f_Gold on Assay keeps its name",
         [&] {
             return join({"Samples", "f_Gold"});
         },
         "[Samples].[SampleNo]=[f_Gold].[SampleNo]"},
        {"f_Gold first",
         [&] {
             return join({"f_Gold", "Samples"});
         },
         "[f_Gold].[SampleNo]=[Samples].[SampleNo]"},
        {"bracketed filter",
         [&] {
             return join({"[Samples]", "[f_Gold]"});
         },
         "[Samples].[SampleNo]=[f_Gold].[SampleNo]"},
        {"query without f_ found through its base",
         [&] {
             return join({"Samples", "Rocks"});
         },
         "[Samples].[SampleNo]=[Rocks].[SampleNo]"},
        {"name with ]",
         [&] {
             return join({"Samples", "A]B"});
         },
         "[Samples].[SampleNo]=[A]]B].[Sample]]No]"},
        {"bracketed name with ]",
         [&] {
             return join({"Samples", "[A]]B]"});
         },
         "[Samples].[SampleNo]=[A]]B].[Sample]]No]"},
        {"half-filled key pair skipped",
         [&] {
             return join({"Samples", "Half"});
         },
         "[Samples].[Batch]=[Half].[Batch]"},
        {"row without keys",
         [&] {
             return join({"Samples", "Bare"});
         },
         ""},
        {"row after the end of the list",
         [&] {
             return join({"Samples", "Hidden"});
         },
         ""},
        {"unknown table",
         [&] {
             return join({"Samples", "Unknown"});
         },
         ""},
        {"unknown pair among linked ones",
         [&] {
             return join({"Samples", "Unknown", "Assay"});
         },
         "[Samples].[SampleNo]=[Assay].[SampleNo]"},
    });
}

TEST_F(SqlBuilderGolden, JoinConditionHandsBackTheKeysOfEachPair) {
    const JoinCondition j = BuildJoinCondition(links, {"Samples", "Odd", "Unknown", "Chem"});
    ASSERT_EQ(j.keys.size(), 3u);
    EXPECT_EQ(j.keys[0].firstKeys, (QStringList{"SampleNo", "Depth"}));
    EXPECT_EQ(j.keys[0].secondKeys, QStringList{"SampleNo"});
    EXPECT_FALSE(j.keys[1].isLinked());
    EXPECT_EQ(j.keys[1].second, QStringLiteral("Unknown"));
    EXPECT_EQ(j.keys[2].firstKeys, (QStringList{"SampleNo", "Batch"}));
    EXPECT_EQ(j.keys[2].secondKeys, (QStringList{"SampleNo", "Lot"}));
}

TEST_F(SqlBuilderGolden, LinkKeyListsOfEveryPair) {
    const auto pairs = GetLinkKeyLists(links, {"Samples", "f_Gold", "Chem"}, false);
    ASSERT_EQ(pairs.size(), 3u);
    EXPECT_EQ(pairs[0], (LinkKeys{"Samples", "f_Gold", {"SampleNo"}, {"SampleNo"}}));
    EXPECT_EQ(pairs[1], (LinkKeys{"Samples", "Chem", {"SampleNo", "Batch"}, {"SampleNo", "Lot"}}));
    // f_Gold stands for Assay, which has no row with Chem.
    EXPECT_EQ(pairs[2], (LinkKeys{"f_Gold", "Chem", {}, {}}));
}

TEST_F(SqlBuilderGolden, UserResultTablesLinkOnTableIdNoWhileTheSettingIsOn) {
    struct Case {
        const char* first;
        const char* second;
        bool userResults;
        LinkKeys keys;
    } cases[] = {
        {"Samples", "UserCalc", true, {"Samples", "UserCalc", {"SampleNo"}, {"TableIDNo"}}},
        {"UserGroup", "Assay", true, {"UserGroup", "Assay", {"TableIDNo"}, {"SampleNo"}}},
        {"UserCalc", "UserGroup", true, {"UserCalc", "UserGroup", {"TableIDNo"}, {"TableIDNo"}}},
        {"UserCalc", "Unknown", true, {"UserCalc", "Unknown", {}, {}}},
        {"Samples", "UserCalc", false, {"Samples", "UserCalc", {}, {}}},
        {"Samples", "Assay", true, {"Samples", "Assay", {"SampleNo"}, {"SampleNo"}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetLinkKeys(links, c.first, c.second, c.userResults), c.keys)
            << c.first << " " << c.second;
}

FieldEntry entry(const char* table, const char* field, qint16 sort = 0, bool notNull = false,
                 qint16 join = FieldEntry::Inner) {
    return {QString::fromUtf8(table), QString::fromUtf8(field), sort, notNull, join};
}

TEST_F(SqlBuilderGolden, FieldSelects) {
    auto fields = [&](std::vector<FieldEntry> e, size_t main = 0) {
        return BuildFieldSelect(links, e, main).fieldList;
    };
    auto stars = [&](std::vector<FieldEntry> e, size_t main = 0) {
        return BuildFieldSelect(links, e, main).tableStar;
    };
    expectGoldens({
        {"two not-null fields of one table, X sorted",
         [&] {
             return fields({entry("S", "X", 1, true), entry("S", "Y", 0, true)});
         },
         "SELECT [S].[X], [S].[Y] FROM [S] WHERE ([S].[X] Is Not Null) AND ([S].[Y] Is Not Null) "
         "ORDER BY [S].[X] ASC"},
        {"one field, nothing else", [&] { return fields({entry("A", "F")}); },
         "SELECT [A].[F] FROM [A] "},
        {"one field, star", [&] { return stars({entry("A", "F")}); }, "SELECT [A].* FROM [A] "},
        {"same table twice named once",
         [&] {
             return stars({entry("S", "X"), entry("[S]", "Y")});
         },
         "SELECT [S].* FROM [S] "},
        {"two unlinked tables",
         [&] {
             return fields({entry("A", "F"), entry("B", "G")});
         },
         "SELECT [A].[F], [B].[G] FROM [A], [B]  "},
        {"two unlinked tables, star",
         [&] {
             return stars({entry("A", "F"), entry("B", "G")});
         },
         "SELECT [A].* , [B].* FROM [A], [B]  "},
        {"linked tables, join only",
         [&] {
             return fields({entry("Samples", "Rock"), entry("Assay", "Value")});
         },
         "SELECT [Samples].[Rock], [Assay].[Value] FROM [Samples], [Assay]  "
         "WHERE [Samples].[SampleNo]=[Assay].[SampleNo]"},
        {"join and not-null, descending",
         [&] {
             return fields({entry("Samples", "Rock"), entry("Assay", "Value", 2, true)});
         },
         "SELECT [Samples].[Rock], [Assay].[Value] FROM [Samples], [Assay]  "
         "WHERE ([Samples].[SampleNo]=[Assay].[SampleNo]) AND (([Assay].[Value] Is Not Null))  "
         "ORDER BY [Assay].[Value] DESC"},
        {"main entry second",
         [&] {
             return fields({entry("Samples", "Rock", -1), entry("Assay", "Value")}, 1);
         },
         "SELECT [Samples].[Rock], [Assay].[Value] FROM [Samples], [Assay]  "
         "WHERE [Assay].[SampleNo]=[Samples].[SampleNo] ORDER BY [Samples].[Rock] DESC"},
        {"three tables, filter among them",
         [&] {
             return fields(
                 {entry("Samples", "Rock"), entry("Chem", "Cu", 1), entry("f_Gold", "Value")});
         },
         "SELECT [Samples].[Rock], [Chem].[Cu], [f_Gold].[Value] FROM [Samples], [Chem] , [f_Gold] "
         " "
         "WHERE [Samples].[SampleNo]=[Chem].[SampleNo] AND [Samples].[Batch]=[Chem].[Lot] AND "
         "[Samples].[SampleNo]=[f_Gold].[SampleNo] ORDER BY [Chem].[Cu] ASC"},
        {"bracketed and ] names",
         [&] {
             return fields({entry("[A]]B]", "[F]", 1, true), entry("A]B", "G]", 3)});
         },
         "SELECT [A]]B].[F], [A]]B].[G]]] FROM [A]]B] WHERE ([A]]B].[F] Is Not Null) "
         "ORDER BY [A]]B].[F] ASC, [A]]B].[G]]] DESC"},
        {"no entries", [&] { return fields({}); }, ""},
    });
}

TEST_F(SqlBuilderGolden, JoinSelects) {
    const QString key = QStringLiteral("SampleNo");
    expectGoldens({
        {"three tables, C left-joined",
         [&] {
             return BuildJoinSelect(
                 {entry("A", "F"), entry("B", "G"), entry("C", "H", 0, false, FieldEntry::Left)},
                 key);
         },
         "SELECT [A].[F], [B].[G], [C].[H] FROM ([A] INNER JOIN [B] ON [A].[SampleNo] = "
         "[B].[SampleNo])  LEFT JOIN [C] ON [B].[SampleNo] = [C].[SampleNo] "},
        {"four tables open two parentheses",
         [&] {
             return BuildJoinSelect({entry("A", "F"), entry("B", "G", 0, false, FieldEntry::Left),
                                     entry("C", "H", 0, false, 7), entry("D", "I")},
                                    key);
         },
         "SELECT [A].[F], [B].[G], [C].[H], [D].[I] FROM (([A] LEFT JOIN [B] ON [A].[SampleNo] = "
         "[B].[SampleNo])  RIGHT JOIN [C] ON [B].[SampleNo] = [C].[SampleNo])  INNER JOIN [D] ON "
         "[C].[SampleNo] = [D].[SampleNo] "},
        {"two tables, not-null and sort",
         [&] {
             return BuildJoinSelect({entry("A", "F", 1, true), entry("B", "G", -1, true)}, key);
         },
         "SELECT [A].[F], [B].[G] FROM [A] INNER JOIN [B] ON [A].[SampleNo] = [B].[SampleNo] "
         "WHERE (([A].[F] Is Not Null) AND ([B].[G] Is Not Null)) ORDER BY [A].[F] ASC, [B].[G] "
         "DESC"},
        {"join kind of a table's first entry only",
         [&] {
             return BuildJoinSelect(
                 {entry("A", "F"), entry("B", "G"), entry("B", "H", 0, true, FieldEntry::Right)},
                 key);
         },
         "SELECT [A].[F], [B].[G], [B].[H] FROM [A] INNER JOIN [B] ON [A].[SampleNo] = "
         "[B].[SampleNo] WHERE (([B].[H] Is Not Null))"},
        {"one table",
         [&] {
             return BuildJoinSelect({entry("A", "F"), entry("A", "G", 2)}, key);
         },
         "SELECT [A].[F], [A].[G] FROM [A]  ORDER BY [A].[G] DESC"},
        {"escaped key",
         [&] {
             return BuildJoinSelect({entry("A", "F"), entry("B", "G")}, "K]");
         },
         "SELECT [A].[F], [B].[G] FROM [A] INNER JOIN [B] ON [A].[K]]] = [B].[K]]] "},
    });
}

TEST_F(SqlBuilderGolden, PairSelects) {
    expectGoldens({
        {"one table", [&] { return BuildPairSelect(links, "S", "S", "", "X", "Y"); },
         "SELECT [S].[X], [S].[Y] FROM [S] WHERE [S].[X] Is Not Null AND [S].[Y] Is Not Null "
         "ORDER BY 1 AND 2"},
        {"two tables, double blank kept",
         [&] { return BuildPairSelect(links, "Samples", "Assay", "", "X", "Value"); },
         "SELECT [Samples].[X], [Assay].[Value] FROM [Samples], [Assay] WHERE "
         "[Samples].[SampleNo]=[Assay].[SampleNo] AND (([Samples].[X]  Is Not Null) AND "
         "([Assay].[Value] Is Not Null)) ORDER BY 1 ASC, 2 ASC"},
        {"one table and a filter",
         [&] { return BuildPairSelect(links, "Samples", "Samples", "f_Gold", "X", "Rock"); },
         "SELECT [Samples].[X], [Samples].[Rock] FROM [Samples], [f_Gold] WHERE "
         "([Samples].[SampleNo]=[Samples].[SampleNo] AND [Samples].[SampleNo]=[f_Gold].[SampleNo]) "
         "AND (([Samples].[X] Is Not Null) AND ([Samples].[Rock] Is Not Null)) ORDER BY 1 AND 2"},
        {"two tables and a filter",
         [&] { return BuildPairSelect(links, "Samples", "Assay", "f_Gold", "X", "Value"); },
         "SELECT [Samples].[X], [Assay].[Value] FROM [Samples], [Assay], [f_Gold] WHERE "
         "([Samples].[SampleNo]=[Assay].[SampleNo] AND [Samples].[SampleNo]=[f_Gold].[SampleNo]) "
         "AND (([Samples].[X] Is Not Null) AND ([Assay].[Value] Is Not Null)) ORDER BY 1 AND 2"},
        {"unlinked tables give no statement",
         [&] { return BuildPairSelect(links, "Samples", "Unknown", "", "X", "Y"); }, ""},
        {"a table without keys gives no statement",
         [&] { return BuildPairSelect(links, "Nothing", "Nothing", "", "X", "Y"); }, ""},
        {"bracketed names", [&] { return BuildPairSelect(links, "[S]", "S", "", "[X]", "Y]"); },
         "SELECT [S].[X], [S].[Y]]] FROM [S] WHERE [S].[X] Is Not Null AND [S].[Y]]] Is Not Null "
         "ORDER BY 1 AND 2"},
    });
}

TEST_F(SqlBuilderGolden, LoadTablesStatements) {
    auto load = [&](const QStringList& chosen, const QString& base, const QString& filter) {
        const LoadTablesSql r = BuildLoadTablesSql(links, chosen, base, filter);
        return r.message.isEmpty() ? r.statement : QStringLiteral("message: ") + r.message;
    };
    expectGoldens({
        {"nothing chosen", [&] { return load({}, "", ""); }, "message: No tables selected!"},
        {"one table", [&] { return load({"Samples"}, "", ""); },
         "SELECT [Samples].* FROM [Samples]"},
        {"two tables",
         [&] {
             return load({"Samples", "Assay"}, "", "");
         },
         "SELECT [Samples].*, [Assay].* FROM [Samples], [Assay] WHERE "
         "([Samples].[SampleNo]=[Assay].[SampleNo])"},
        {"unlinked tables",
         [&] {
             return load({"A", "B"}, "", "");
         },
         "SELECT [A].*, [B].* FROM [A], [B]"},
        {"one table and a filter", [&] { return load({"Samples"}, "", "Gold"); },
         "SELECT [Samples].*, [f_Gold].* FROM [Samples], [f_Gold] WHERE "
         "([Samples].[SampleNo]=[f_Gold].[SampleNo])"},
        {"two tables and a filter",
         [&] {
             return load({"Samples", "Assay"}, "", "Gold");
         },
         "SELECT [Samples].*, [Assay].*, [f_Gold].* FROM [Samples], [Assay], [f_Gold] WHERE "
         "([Samples].[SampleNo]=[Assay].[SampleNo] AND [Samples].[SampleNo]=[f_Gold].[SampleNo])"},
        {"left-join base first, not repeated",
         [&] {
             return load({"Assay", "Samples", "Chem"}, "Samples", "");
         },
         "SELECT [Samples].*, [Assay].*, [Chem].* FROM (([Samples] LEFT JOIN [Assay] ON "
         "[Samples].[SampleNo]=[Assay].[SampleNo]) LEFT JOIN [Chem] ON "
         "[Samples].[SampleNo]=[Chem].[SampleNo] AND [Samples].[Batch]=[Chem].[Lot])"},
        {"left-join base alone", [&] { return load({"Samples"}, "Samples", ""); },
         "SELECT [Samples].* FROM [Samples]"},
        {"left-join base and a filter: the filter is an inner join",
         [&] {
             return load({"Samples", "Chem"}, "Samples", "Gold");
         },
         "SELECT [Samples].*, [Chem].*, [f_Gold].* FROM (([Samples] LEFT JOIN [Chem] ON "
         "[Samples].[SampleNo]=[Chem].[SampleNo] AND [Samples].[Batch]=[Chem].[Lot]) INNER JOIN "
         "[f_Gold] ON [Samples].[SampleNo]=[f_Gold].[SampleNo])"},
        {"left-join chain with an unlinked table",
         [&] {
             return load({"Samples", "Unknown"}, "Samples", "");
         },
         "message: NO LINK between Samples AND Unknown"},
    });
}

TEST_F(SqlBuilderGolden, LinkingReport) {
    EXPECT_EQ(BuildLinkingReport(links, {}, false), QStringLiteral("No tables selectd"));
    EXPECT_EQ(BuildLinkingReport(links, {"Samples", "Chem", "Unknown"}, false),
              QStringLiteral("--- LINKING OF TABLES ---"
                             "\n==FROM Samples=="
                             "\n  - Samples.SampleNo = Chem.SampleNo"
                             "\n  - Samples.Batch = Chem.Lot"
                             "\n  > NO LINK between Samples AND Unknown"
                             "\n------"
                             "\n==FROM Chem=="
                             "\n  - Chem.SampleNo = Samples.SampleNo"
                             "\n  - Chem.Lot = Samples.Batch"
                             "\n  > NO LINK between Chem AND Unknown"
                             "\n------"
                             "\n==FROM Unknown=="
                             "\n  > NO LINK between Unknown AND Samples"
                             "\n  > NO LINK between Unknown AND Chem"
                             "\n------"));
    EXPECT_EQ(BuildLinkingReport(links, {"UserCalc", "Samples"}, true),
              QStringLiteral("--- LINKING OF TABLES ---"
                             "\n==FROM UserCalc=="
                             "\n  - UserCalc.TableIDNo = Samples.SampleNo"
                             "\n------"
                             "\n==FROM Samples=="
                             "\n  - Samples.SampleNo = UserCalc.TableIDNo"
                             "\n------"));
}

} // namespace
