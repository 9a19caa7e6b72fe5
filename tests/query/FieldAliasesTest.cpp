// Field aliases in the system database's Alias table, on SQLite (the system database as the
// program opens it) and on the live PostgreSQL server: the latest entry wins, a Null alias
// hides older ones, other users' entries never show, names are only themselves.
#include "query/FieldAliases.h"
#include "db/SystemDatabase.h"
#include "db/SystemSchema.h"
#include "support/PgScratchSchema.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class FieldAliasesTest : public ::testing::TestWithParam<Engine> {
protected:
    QTemporaryDir dir;
    std::unique_ptr<PgScratchSchema> pgSchema;

    void SetUp() override {
        if (GetParam() == Engine::Postgres) {
            if (PgScratchSchema::conninfo().isEmpty())
                GTEST_SKIP() << PgScratchSchema::skipReason;
            pgSchema = std::make_unique<PgScratchSchema>(QStringLiteral("quv_alias"));
            ASSERT_TRUE(pgSchema->ok()) << pgSchema->error().toStdString();
            OpenedConnection c = pgSchema->open();
            ASSERT_TRUE(c.ok()) << c.error.toStdString();
            for (const SystemTableSchema& t : SystemSchema::tables({}))
                if (t.name == QLatin1String("Alias"))
                    ASSERT_TRUE(c.connection->execute(t.createStatement()))
                        << c.connection->lastError().toStdString();
        }
    }

    FieldAliases::Opener opener() {
        if (GetParam() == Engine::Postgres)
            return [this] { return pgSchema->open(); };
        return [path = dir.filePath(QStringLiteral("QUVData.sqlite"))] {
            return SystemDatabase::open(path);
        };
    }
    FieldAliases as(const char* user) { return FieldAliases(opener(), QString::fromUtf8(user)); }

    void addRow(int id, const char* user, const char* table, const char* field,
                std::optional<const char*> alias) {
        OpenedConnection c = opener()();
        ASSERT_TRUE(c.ok());
        const auto text = [](const char* t) { return CellValue::text(QString::fromUtf8(t)); };
        ASSERT_TRUE(c.connection->execute(
            QStringLiteral("INSERT INTO [Alias] ([AliasID], [User], [Table], [Field], [Alias]) "
                           "VALUES (?, ?, ?, ?, ?)"),
            {CellValue::number(id), text(user), text(table), text(field),
             alias ? text(*alias) : CellValue::null()}))
            << c.connection->lastError().toStdString();
    }
};

TEST_P(FieldAliasesTest, EachUserSeesTheLatestOfTheirOwnAliases) {
    // Written by hand, in an order other than their numbers.
    addRow(7, "anna", "Rocks", "Au", "Gold (ppm)");
    addRow(3, "anna", "Rocks", "Au", "Gold");
    addRow(9, "bert", "Rocks", "Au", "Bert's gold");
    addRow(4, "anna", "Rocks", "Cu", "Copper");
    addRow(8, "anna", "Rocks", "Cu", std::nullopt);
    addRow(5, "anna", "Rock_", "A%", "Wild");
    addRow(6, "anna", "O'Hara", "Ni'", "Nickel");
    struct Case {
        const char* user;
        const char* table;
        const char* field;
        const char* alias;
    };
    const std::vector<Case> cases = {
        {"anna", "Rocks", "Au", "Gold (ppm)"}, // the higher AliasID wins
        {"ANNA", "Rocks", "Au", "Gold (ppm)"}, // the user compares case-insensitively
        {"bert", "Rocks", "Au", "Bert's gold"},
        {"bert", "Rocks", "Cu", ""}, // another user's alias never shows
        {"ann", "Rocks", "Au", ""},  // nor one of a user whose name begins alike
        {"anna", "Rocks", "Cu", ""}, // a Null alias hides the older one
        {"anna", "RockX", "AB", ""}, // "_" and "%" are no wild cards
        {"anna", "Rock_", "A%", "Wild"},
        {"anna", "O'Hara", "Ni'", "Nickel"}, // a name with "'"
        {"anna", "Rocks", "Zn", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(as(c.user).get(QString::fromUtf8(c.table), QString::fromUtf8(c.field)),
                  QString::fromUtf8(c.alias))
            << c.user << " " << c.table << "." << c.field;
}

TEST_P(FieldAliasesTest, PutAddsARowThatWinsAndEmptyInputsWriteNothing) {
    FieldAliases anna = as("anna");
    // An empty table takes AliasID 1.
    ASSERT_TRUE(anna.put(QStringLiteral("Rocks"), QStringLiteral("Au"), QStringLiteral("Gold")));
    EXPECT_EQ(anna.get(QStringLiteral("Rocks"), QStringLiteral("Au")), QStringLiteral("Gold"));
    addRow(40, "bert", "Rocks", "Au", "Bert's");
    ASSERT_TRUE(
        anna.put(QStringLiteral("Rocks"), QStringLiteral("Au"), QStringLiteral("Au, it's gold")));
    EXPECT_EQ(anna.get(QStringLiteral("Rocks"), QStringLiteral("Au")),
              QStringLiteral("Au, it's gold"));
    EXPECT_EQ(as("bert").get(QStringLiteral("Rocks"), QStringLiteral("Au")),
              QStringLiteral("Bert's"));
    for (const auto& [t, f, a] : std::vector<std::tuple<QString, QString, QString>>{
             {"", "Au", "x"}, {"Rocks", "", "x"}, {"Rocks", "Au", ""}})
        EXPECT_FALSE(anna.put(t, f, a));
    OpenedConnection c = opener()();
    const auto rows =
        c.connection->query(QStringLiteral("SELECT [AliasID], [User] FROM [Alias] ORDER BY "
                                           "[AliasID]"));
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->rowCount(), 3);
    EXPECT_EQ(rows->at(0, 0).toNumber(), 1.0);
    EXPECT_EQ(rows->at(2, 0).toNumber(), 41.0);
    EXPECT_EQ(rows->at(2, 1).toText(), QStringLiteral("anna"));
}

TEST(FieldAliases, AnUnreadableSystemDatabaseGivesNoAliasAndWritesNothing) {
    const FieldAliases broken(
        [] {
            return OpenedConnection{nullptr, QStringLiteral("gone"), {}, {}};
        },
        QStringLiteral("anna"));
    EXPECT_EQ(broken.get(QStringLiteral("Rocks"), QStringLiteral("Au")), QString());
    EXPECT_FALSE(broken.put(QStringLiteral("Rocks"), QStringLiteral("Au"), QStringLiteral("x")));
}

INSTANTIATE_TEST_SUITE_P(Engines, FieldAliasesTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

} // namespace
