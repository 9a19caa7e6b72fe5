#include "db/FieldTypes.h"
#include "db/LinkBuilder.h"
#include "db/MapFile.h"
#include "db/SchemaMapper.h"
#include "db/SessionDatabase.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList rowTexts(const Sheet& s, int row) {
    QStringList out;
    for (int c = 1; c <= s.lastColumn(); ++c)
        out << s.text(row, c);
    while (!out.isEmpty() && out.back().isEmpty())
        out.removeLast();
    return out;
}

// Counts the schema reads that pass through, to tell a map-file load from a schema walk.
class CountingConnection : public Connection {
public:
    explicit CountingConnection(Connection& inner)
        : inner_(inner) {}
    int tableReads = 0, columnReads = 0, indexReads = 0;

    SqlDialect dialect() const override { return inner_.dialect(); }
    bool isOpen() const override { return inner_.isOpen(); }
    void close() override { inner_.close(); }
    QString lastError() const override { return inner_.lastError(); }
    std::optional<qint64> execute(const QString& s, const std::vector<CellValue>& v) override {
        return inner_.execute(s, v);
    }
    std::optional<RowSet> query(const QString& s, const std::vector<CellValue>& v) override {
        return inner_.query(s, v);
    }
    std::unique_ptr<PreparedStatement> prepare(const QString& s) override {
        return inner_.prepare(s);
    }
    bool beginTransaction() override { return inner_.beginTransaction(); }
    bool commit() override { return inner_.commit(); }
    bool rollback() override { return inner_.rollback(); }
    std::optional<std::vector<TableDescription>> tables() override {
        ++tableReads;
        return inner_.tables();
    }
    std::optional<std::vector<ColumnDescription>> columns() override {
        ++columnReads;
        return inner_.columns();
    }
    std::optional<std::vector<IndexDescription>> indexes() override {
        ++indexReads;
        return inner_.indexes();
    }
    std::optional<std::vector<ForeignKeyDescription>> foreignKeys() override {
        return inner_.foreignKeys();
    }
    std::optional<std::vector<ColumnOrigin>> columnOrigins(const QString& v) override {
        return inner_.columnOrigins(v);
    }

private:
    Connection& inner_;
};

class CatalogueTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("rocks.sqlite"));
    std::unique_ptr<Connection> db;
    HeadlessStatus status;
    SchemaCatalogue catalogue;

    void SetUp() override {
        OpenedConnection opened =
            SqliteConnection::open(path, SqliteConnection::Mode::ReadWriteCreate);
        ASSERT_TRUE(opened.ok()) << opened.error.toStdString();
        db = std::move(opened.connection);
        for (const char* sql : {
                 "CREATE TABLE Samples (SampleNo TEXT PRIMARY KEY, Rock TEXT, X DOUBLE)",
                 "CREATE TABLE Assay (SampleNo TEXT, Element TEXT, Value REAL)",
                 "CREATE INDEX AssayKey ON Assay (SampleNo, Element)",
                 "CREATE INDEX AssaySample ON Assay (SampleNo)",
                 "CREATE TABLE Hole (HoleID INTEGER PRIMARY KEY, Rock TEXT)",
                 "CREATE TABLE f_table (A TEXT)",
                 "CREATE TABLE MSysThings (Id TEXT)",
                 "CREATE INDEX MSysKey ON MSysThings (Id)",
                 "CREATE VIEW f_rocks AS SELECT SampleNo FROM Samples WHERE Rock = 'Basalt'",
                 "CREATE VIEW rocks AS SELECT * FROM Samples",
             })
            ASSERT_TRUE(db->execute(QString::fromUtf8(sql)))
                << sql << db->lastError().toStdString();
    }

    QString mapPath() const { return MapFile::pathFor(path, false, {}); }
    SchemaMapper::Outcome map(Connection& c, SchemaMapper::Options o) {
        return SchemaMapper(c, status).MapDatabase(catalogue, path, mapPath(), o);
    }
};

TEST_F(CatalogueTest, MapsTablesIndexesAndFilters) {
    ASSERT_EQ(map(*db, {}), SchemaMapper::Outcome::Mapped);
    EXPECT_EQ(catalogue.tableNames(),
              (QStringList{"Samples", "Assay", "Hole", "f_table", "MSysThings"}));
    EXPECT_EQ(rowTexts(catalogue.tableFields, 1),
              (QStringList{"Samples", "SampleNo", "Rock", "X"}));
    EXPECT_EQ(catalogue.filters, QStringList{"rocks"}); // a view named "rocks" is neither
    EXPECT_EQ(catalogue.tableRow(QStringLiteral("rocks")), 0);

    const int assay = catalogue.indexList.findInColumn(1, QStringLiteral("Assay"), true);
    ASSERT_GT(assay, 0);
    EXPECT_EQ(rowTexts(catalogue.indexList, assay), (QStringList{"Assay", "SampleNo", "Element"}));
    EXPECT_EQ(catalogue.keyFields(QStringLiteral("Hole")), QStringList{"HoleID"}); // rowid key
    EXPECT_EQ(catalogue.indexList.findInColumn(1, QStringLiteral("MSysThings"), true), 0);
    EXPECT_EQ(catalogue.indexList.toTsv(), catalogue.keyList.toTsv());
    EXPECT_TRUE(status.texts().contains("Mapping " + path + " tables and fields..."));
    EXPECT_TRUE(status.texts().contains("Mapping " + path + " indexes..."));
    EXPECT_EQ(status.texts().last(), path + " mapped...");
    EXPECT_FALSE(QFile::exists(mapPath()));
}

TEST_F(CatalogueTest, BuildsSelfAndPairLinks) {
    ASSERT_EQ(map(*db, {true, false, false}), SchemaMapper::Outcome::Mapped);
    QStringList rows;
    for (int r = 1; r <= catalogue.links.lastRow(); ++r)
        rows << rowTexts(catalogue.links, r).join(u',');
    EXPECT_EQ(rows, (QStringList{
                        "Samples,Samples,SampleNo,SampleNo",
                        "Assay,Assay,SampleNo,SampleNo,Element,Element",
                        "Hole,Hole,HoleID,HoleID",
                        "Samples,Assay,SampleNo,SampleNo",
                        "Samples,Hole,Rock,Rock", // no shared key: the first shared field
                        "Assay,Hole",
                    }));
}

TEST(LinkBuilder, KeyNamesMatchExactlyInEitherOrder) {
    SchemaCatalogue c;
    c.keyList.fromTsv(QStringLiteral("A\tid\tsampleno\nB\tSampleNo\tid\nC\t\n"));
    c.tableFields.fromTsv(QStringLiteral("A\tid\tx\ty\nB\tSampleNo\tid\tz\nC\tq\n"));
    LinkBuilder::BuildLinks(c);
    EXPECT_EQ(rowTexts(c.links, 1), (QStringList{"A", "A", "id", "id", "sampleno", "sampleno"}));
    EXPECT_EQ(rowTexts(c.links, 2), (QStringList{"B", "B", "SampleNo", "SampleNo", "id", "id"}));
    // Row 3 is A-B: only "id" is shared; "sampleno" and "SampleNo" differ in case.
    EXPECT_EQ(rowTexts(c.links, 3), (QStringList{"A", "B", "id", "id"}));
    EXPECT_EQ(rowTexts(c.links, 4), (QStringList{"A", "C"}));
}

TEST_F(CatalogueTest, MapFileIsUsedWithoutReadingTheSchemaAndStaysStale) {
    ASSERT_EQ(map(*db, {true, false, true}), SchemaMapper::Outcome::Mapped);
    ASSERT_TRUE(QFile::exists(dir.filePath(QStringLiteral("rocks.ake"))));
    const QString before = catalogue.tableFields.toTsv() + catalogue.links.toTsv();

    ASSERT_TRUE(db->execute(QStringLiteral("DROP TABLE [Hole]")));
    CountingConnection counting(*db);
    SchemaCatalogue fresh;
    ASSERT_EQ(
        SchemaMapper(counting, status).MapDatabase(fresh, path, mapPath(), {false, true, false}),
        SchemaMapper::Outcome::Mapped);
    EXPECT_EQ(counting.columnReads, 0);
    EXPECT_EQ(counting.indexReads, 0);
    EXPECT_EQ(counting.tableReads, 1); // the filter list is always read from the database
    EXPECT_EQ(fresh.tableFields.toTsv() + fresh.links.toTsv(), before);
    EXPECT_GT(fresh.tableRow(QStringLiteral("Hole")), 0); // until mapped again
    EXPECT_EQ(fresh.filters, QStringList{"rocks"});
}

TEST_F(CatalogueTest, UnreadableMapFileFallsBackToTheSchemaAndIsRewritten) {
    QFile f(mapPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("garbage\n");
    f.close();
    ASSERT_EQ(map(*db, {false, true, false}), SchemaMapper::Outcome::Mapped);
    EXPECT_EQ(catalogue.tableNames().size(), 5);
    SchemaCatalogue reread;
    EXPECT_TRUE(MapFile::load(reread, mapPath()));
    EXPECT_EQ(reread.tableFields.toTsv(), catalogue.tableFields.toTsv());
}

TEST_F(CatalogueTest, AbortKeepsWhatWasMappedAndSavesNothing) {
    status.requestAbort();
    // The abort pressed before mapping starts is reset; press it during the walk instead.
    class AbortAfterFirstTable : public HeadlessStatus {
    public:
        int polls = 0;
        bool abortRequested() override { return ++polls >= 1; }
    } aborting;
    const auto outcome =
        SchemaMapper(*db, aborting).MapDatabase(catalogue, path, mapPath(), {true, false, true});
    EXPECT_EQ(outcome, SchemaMapper::Outcome::Aborted);
    EXPECT_EQ(catalogue.tableNames(), QStringList{"Samples"});
    EXPECT_FALSE(QFile::exists(mapPath()));
}

TEST(MapFile, DerivedNamesReplaceTheExtension) {
    EXPECT_EQ(MapFile::pathFor(QStringLiteral("/d/rocks.mdb"), false, {}),
              QStringLiteral("/d/rocks.ake"));
    EXPECT_EQ(MapFile::pathFor(QStringLiteral("/d/rocks.sqlite"), false, {}),
              QStringLiteral("/d/rocks.ake"));
    EXPECT_EQ(MapFile::linkFilePathFor(QStringLiteral("/d/rocks.mdb")),
              QStringLiteral("/d/rocks.dbl"));
    const QString server =
        MapFile::pathFor(QStringLiteral("host=db.example port=5432 dbname=geo password=secret"),
                         true, QStringLiteral("/home/a"));
    EXPECT_TRUE(server.startsWith(QStringLiteral("/home/a/ini/")));
    EXPECT_FALSE(server.contains(QStringLiteral("secret")));
    EXPECT_TRUE(server.endsWith(QStringLiteral(".ake")));
}

TEST(MapFile, LinkFilesRoundTrip) {
    QTemporaryDir dir;
    Sheet links;
    links.fromTsv(QStringLiteral("A\tB\tSampleNo\tSampleNo\nA\tC\n"), 1, 1, true);
    ASSERT_TRUE(MapFile::saveLinks(links, dir.filePath(QStringLiteral("x.alk"))));
    Sheet back;
    ASSERT_TRUE(MapFile::loadLinks(back, dir.filePath(QStringLiteral("x.alk"))));
    EXPECT_EQ(back.toTsv(), links.toTsv());
    EXPECT_FALSE(MapFile::loadLinks(back, dir.filePath(QStringLiteral("missing.dbl"))));
    EXPECT_EQ(back.toTsv(), links.toTsv()); // untouched by a failed read
}

TEST_F(CatalogueTest, FieldTypesFromTheCodeTable) {
    struct Case {
        int code;
        const char* name;
    } cases[] = {{20, "LONG"},  {3, "INTEGER"}, {11, "INTEGER"}, {7, "DATE"},
                 {135, "DATE"}, {4, "SINGLE"},  {5, "DOUBLE"},   {202, "TEXT"},
                 {203, "TEXT"}, {128, ""},      {999, ""}};
    for (const Case& c : cases)
        EXPECT_EQ(FieldTypes::nameForCode(c.code), QString::fromUtf8(c.name)) << c.code;

    const auto x = FieldTypes::GetFieldType(*db, QStringLiteral("Samples"), QStringLiteral("X"));
    ASSERT_TRUE(x);
    EXPECT_EQ(x->name, QStringLiteral("DOUBLE"));
    const auto byPath =
        FieldTypes::GetFieldType(path, QStringLiteral("Samples"), QStringLiteral("Rock"));
    ASSERT_TRUE(byPath);
    EXPECT_EQ(byPath->name, QStringLiteral("TEXT"));
    EXPECT_FALSE(FieldTypes::GetFieldType(dir.filePath(QStringLiteral("none.sqlite")),
                                          QStringLiteral("Samples"), QStringLiteral("Rock")));
    // A quote in the name is only a name: no filter text is built from it.
    EXPECT_FALSE(
        FieldTypes::GetFieldType(*db, QStringLiteral("Samples' OR '1'='1"), QStringLiteral("X")));
}

TEST(SessionDatabase, FailedOpenLeavesNoConnectionKind) {
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    SessionDatabase session(
        dialogs, status,
        [](const QString&) {
            OpenedConnection failed;
            failed.error = QStringLiteral("no");
            return failed;
        },
        [](const QString& p) { return p + QStringLiteral(".ake"); });
    session.SessionDatabasePath = QStringLiteral("\\server\\share\\rocks.mdb");
    EXPECT_FALSE(session.OpenSessionDatabase({}));
    EXPECT_EQ(session.SessionDatabasePath, QStringLiteral("//server/share/rocks.mdb"));
    EXPECT_TRUE(session.ConnectionType.isEmpty());
    EXPECT_EQ(session.LastConnectionType, QStringLiteral("ADO"));
    EXPECT_EQ(dialogs.texts(), QStringList{"Database //server/share/rocks.mdb can not be opened "
                                           "neither by using DAO nor ADO connection\r\nno"});
    EXPECT_TRUE(status.texts().contains(QStringLiteral("Connecting //server/share/rocks.mdb")));
    EXPECT_TRUE(status.texts().contains(QStringLiteral("Connection is ADO")));
}

TEST(SessionDatabase, OpensMapsAndCloses) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("geo.sqlite"));
    {
        auto created = SqliteConnection::open(path, SqliteConnection::Mode::ReadWriteCreate);
        ASSERT_TRUE(created.ok());
        created.connection->execute(QStringLiteral("CREATE TABLE T (K TEXT PRIMARY KEY)"));
    }
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    SessionDatabase session(
        dialogs, status, [](const QString& p) { return SqliteConnection::open(p); },
        [](const QString& p) { return MapFile::pathFor(p, false, {}); });
    session.SessionDatabasePath = path;
    ASSERT_TRUE(session.OpenSessionDatabase({true, false, true}));
    EXPECT_TRUE(session.isOpen());
    EXPECT_EQ(session.catalogue().keyFields(QStringLiteral("T")), QStringList{"K"});
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("geo.ake"))));
    session.CloseSessionDatabase();
    EXPECT_FALSE(session.isOpen());
    EXPECT_EQ(session.connection(), nullptr);
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

} // namespace
