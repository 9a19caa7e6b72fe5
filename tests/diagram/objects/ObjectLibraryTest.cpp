// The object library on SQLite and PostgreSQL: keys, the by-name header, listings under user
// conditions, deletes that take nodes and memberships along, collections, the password gate, and
// the shipped classification diagrams (published vertices, a basalt classed by the program's own
// discrimination).
#include "diagram/objects/ObjectLibrary.h"
#include "db/SystemDatabase.h"
#include "db/SystemSchema.h"
#include "diagram/objects/ClassificationSeed.h"
#include "diagram/objects/LibraryObjects.h"
#include "diagram/objects/LibraryPassword.h"
#include "diagram/objects/PolygonDiscriminator.h"
#include "diagram/objects/TrendlineEquation.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/PgScratchSchema.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ObjectLibraryTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (GetParam() == Engine::Sqlite) {
            opened = SqliteConnection::open(dir.filePath(QStringLiteral("lib.sqlite")),
                                            SqliteConnection::Mode::ReadWriteCreate);
        } else {
            if (PgScratchSchema::conninfo().isEmpty())
                GTEST_SKIP() << PgScratchSchema::skipReason;
            pg = std::make_unique<PgScratchSchema>(QStringLiteral("quv_objlib"));
            ASSERT_TRUE(pg->ok()) << pg->error().toStdString();
            opened = pg->open();
        }
        ASSERT_TRUE(opened.ok()) << opened.error.toStdString();
        for (const SystemTableSchema& t : SystemSchema::tables(names))
            ASSERT_TRUE(db().execute(t.createStatement())) << db().lastError().toStdString();
    }
    Connection& db() { return *opened.connection; }

    static LibraryRecord named(const QString& name, const QString& source = QStringLiteral("XY")) {
        LibraryRecord r;
        r.setText(QStringLiteral("Source"), source);
        r.setText(QStringLiteral("Name"), name);
        return r;
    }
    QStringList listed(LibraryKind kind, const LibraryListing& listing) {
        ObjectLibrary library(db(), names);
        const auto rows = library.list(kind, listing);
        EXPECT_TRUE(rows) << library.lastError().toStdString();
        QStringList out;
        for (qsizetype r = 0; rows && r < rows->rowCount(); ++r)
            out << rows->value(r, QStringLiteral("Name")).toText();
        return out;
    }
    qsizetype count(const QString& table) {
        const auto rows =
            db().query(QStringLiteral("SELECT COUNT(*) FROM [") + table + QStringLiteral("]"));
        return rows ? qsizetype(rows->at(0, 0).toNumber().value_or(-1)) : -1;
    }

    QTemporaryDir dir;
    std::unique_ptr<PgScratchSchema> pg;
    OpenedConnection opened;
    SystemTables names;
};

TEST_P(ObjectLibraryTest, NextKeyIsTheNumericMaximumPlusOne) {
    ObjectLibrary library(db(), names);
    EXPECT_EQ(library.addTrendline(named(QStringLiteral("first"))), 1); // an empty table
    // With keys 9 and 10 a text order would put "9" last and hand out 10 again.
    for (int key : {9, 10})
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO [Trendline] ([Counter], [Name]) "
                                                "VALUES (?, 'x')"),
                                 {CellValue::number(key)}));
    EXPECT_EQ(library.addTrendline(named(QStringLiteral("next"))), 11);
}

TEST_P(ObjectLibraryTest, HeaderFieldsGoToTheirColumnsByName) {
    // A trendline table of an older layout: other column order, no TriOneTable or AllowMove.
    names.trendline = QStringLiteral("OldTrendline");
    ASSERT_TRUE(db().execute(QStringLiteral(
        "CREATE TABLE [OldTrendline] ([Counter] INTEGER, [Name] TEXT(255), [Equation] MEMO, "
        "[XMax] DOUBLE, [XMin] DOUBLE, [Source] TEXT(255), [XValue] TEXT(255), [Note] MEMO)")));
    Trendline t;
    t.name = QStringLiteral("Line's [1]");
    t.axes.fields = {QStringLiteral("SiO2"), QStringLiteral("K2O"), {}};
    t.xMin = 48;
    t.xMax = 78;
    t.equation = QStringLiteral("Y=0.05*x-2.1");
    t.header.note = QStringLiteral("cited");
    t.header.allowMove = QStringLiteral("Y");
    ObjectLibrary library(db(), names);
    const auto key = library.addTrendline(LibraryObjects::recordOf(t));
    ASSERT_TRUE(key) << library.lastError().toStdString();
    const auto back = library.record(LibraryKind::Trendline, *key);
    ASSERT_TRUE(back);
    const Trendline read = LibraryObjects::trendlineOf(*back);
    EXPECT_EQ(read.name, t.name);
    EXPECT_EQ(read.equation, t.equation);
    EXPECT_EQ(read.axes.fields[0], QStringLiteral("SiO2"));
    EXPECT_EQ(read.xMin, 48);
    EXPECT_EQ(read.xMax, 78);
    EXPECT_EQ(read.header.note, QStringLiteral("cited"));
    EXPECT_EQ(read.header.libraryKey, *key);

    // An update changes the fields, not the key; texts typed into number columns become numbers.
    LibraryRecord edit;
    edit.setText(QStringLiteral("Name"), QStringLiteral("renamed"));
    edit.setText(QStringLiteral("XMax"), QStringLiteral("80.5"));
    edit.set(QStringLiteral("Counter"), CellValue::number(99));
    ASSERT_TRUE(library.update(LibraryKind::Trendline, *key, edit))
        << library.lastError().toStdString();
    const Trendline updated =
        LibraryObjects::trendlineOf(*library.record(LibraryKind::Trendline, *key));
    EXPECT_EQ(updated.name, QStringLiteral("renamed"));
    EXPECT_EQ(updated.xMax, 80.5);
    EXPECT_FALSE(library.update(LibraryKind::Trendline, 42, edit)); // no such record
}

TEST_P(ObjectLibraryTest, ListsByChartTypeAndBoundUserConditions) {
    ObjectLibrary library(db(), names);
    const std::pair<const char*, const char*> stored[] = {
        {"Basalt", "XY"}, {"Basaltic andesite", "XY"}, {"O'Brien's ]field", "XY"},
        {"Dacite", "XY"}, {"Calc-alkaline", "Tri"},
    };
    for (const auto& [name, source] : stored) {
        LibraryRecord r = named(QString::fromUtf8(name), QString::fromUtf8(source));
        r.setText(QStringLiteral("Case"), QStringLiteral("TAS"));
        ASSERT_TRUE(library.addPolygon(r, {{0, 0}, {1, 0}, {0, 1}}));
    }
    struct Case {
        const char* name;
        LibraryListing listing;
        QStringList expected;
    };
    const Case cases[] = {
        {"chart type alone", {QStringLiteral("Tri"), {}, {}, false, {}, false}, {"Calc-alkaline"}},
        {"a value with a quote and a bracket is a value",
         {QStringLiteral("XY"),
          {QStringLiteral("Name"), QStringLiteral("O'Brien's ]field")},
          {},
          false,
          {},
          false},
         {"O'Brien's ]field"}},
        {"a plain value is not a pattern",
         {QStringLiteral("XY"),
          {QStringLiteral("Name"), QStringLiteral("Basalt")},
          {},
          false,
          {},
          false},
         {"Basalt"}},
        {"the wildcard",
         {QStringLiteral("XY"),
          {QStringLiteral("Name"), QStringLiteral("Bas*")},
          {},
          false,
          {},
          false},
         {"Basalt", "Basaltic andesite"}},
        {"AND",
         {QStringLiteral("XY"),
          {QStringLiteral("Case"), QStringLiteral("TAS")},
          {QStringLiteral("Name"), QStringLiteral("Dacite")},
          false,
          {},
          false},
         {"Dacite"}},
        {"OR, sorted by name descending",
         {QStringLiteral("XY"),
          {QStringLiteral("Name"), QStringLiteral("Dacite")},
          {QStringLiteral("Name"), QStringLiteral("Basalt")},
          true,
          QStringLiteral("Name"),
          true},
         {"Dacite", "Basalt"}},
        {"OR stays inside the chart type",
         {QStringLiteral("Tri"),
          {QStringLiteral("Name"), QStringLiteral("Dacite")},
          {QStringLiteral("Case"), QStringLiteral("TAS")},
          true,
          {},
          false},
         {"Calc-alkaline"}},
        {"the filter is ANDed to conditions joined by OR",
         {QStringLiteral("XY"),
          {QStringLiteral("Name"), QStringLiteral("Dacite")},
          {QStringLiteral("Name"), QStringLiteral("Basalt")},
          true,
          {},
          false,
          {QStringLiteral("Name"), QStringLiteral("D*")}},
         {"Dacite"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(listed(LibraryKind::Polygon, c.listing), c.expected) << c.name;
}

TEST_P(ObjectLibraryTest, DeletesTakeNodesCoordinatesAndMembershipsAlong) {
    ObjectLibrary library(db(), names);
    const auto polygon =
        library.addPolygon(named(QStringLiteral("field")), {{45, 0}, {52, 0}, {52, 5}, {45, 5}});
    const auto line = library.addTrendline(named(QStringLiteral("line")));
    const auto point = library.addPoint(named(QStringLiteral("p")), {1, 2, 3});
    ASSERT_TRUE(polygon && line && point) << library.lastError().toStdString();
    EXPECT_EQ(library.nodes(*polygon), (std::vector<QPointF>{{45, 0}, {52, 0}, {52, 5}, {45, 5}}));
    EXPECT_EQ(library.coordinates(*point), (std::array<double, 3>{1, 2, 3}));

    // A collection lists its trendlines, polygons and points in that order.
    const auto collection =
        library.addCollection(named(QStringLiteral("all")), {{LibraryKind::Point, *point},
                                                             {LibraryKind::Polygon, *polygon},
                                                             {LibraryKind::Trendline, *line}});
    ASSERT_TRUE(collection) << library.lastError().toStdString();
    EXPECT_EQ(library.members(*collection),
              (std::vector<CollectionMember>{{LibraryKind::Trendline, *line},
                                             {LibraryKind::Polygon, *polygon},
                                             {LibraryKind::Point, *point}}));
    // A member not in the library stops the collection before anything is written.
    EXPECT_FALSE(
        library.addCollection(named(QStringLiteral("broken")), {{LibraryKind::Trendline, 7}}));
    EXPECT_EQ(library.lastError(), QStringLiteral("Trendline no 7 not in database. Add it"));
    EXPECT_EQ(count(names.collection), 1);

    ASSERT_TRUE(library.remove(LibraryKind::Polygon, *polygon));
    ASSERT_TRUE(library.remove(LibraryKind::Point, *point));
    EXPECT_EQ(count(names.polygonNodes), 0);
    EXPECT_EQ(count(names.points), 0);
    EXPECT_EQ(library.members(*collection),
              (std::vector<CollectionMember>{{LibraryKind::Trendline, *line}}));
    ASSERT_TRUE(library.remove(LibraryKind::Collection, *collection));
    EXPECT_EQ(count(names.collectionItems), 0);
    EXPECT_EQ(count(names.trendline), 1); // members outlive their collection
}

TEST_P(ObjectLibraryTest, PasswordIsKeptAsASaltedHash) {
    ObjectLibrary library(db(), names);
    EXPECT_FALSE(LibraryPassword::isSet(library));
    EXPECT_TRUE(LibraryPassword::matches(library, QStringLiteral("anything")));
    ASSERT_TRUE(LibraryPassword::set(library, QStringLiteral("kivi")));
    EXPECT_TRUE(LibraryPassword::matches(library, QStringLiteral("kivi")));
    EXPECT_FALSE(LibraryPassword::matches(library, QStringLiteral("Kivi")));
    EXPECT_FALSE(library.setting(LibraryPassword::settingKey())->contains(QStringLiteral("kivi")));
    ASSERT_TRUE(LibraryPassword::set(library, {}));
    EXPECT_FALSE(LibraryPassword::isSet(library));
}

TEST_P(ObjectLibraryTest, ShippedDiagramsKeepThePublishedVertices) {
    ObjectLibrary library(db(), names);
    ASSERT_EQ(ClassificationSeed::seed(library), QString());
    ASSERT_EQ(ClassificationSeed::seed(library), QString()); // a second run adds nothing
    const auto collections = library.list(LibraryKind::Collection, {});
    ASSERT_TRUE(collections);
    EXPECT_EQ(collections->rowCount(), 8);
    const auto tas = library.list(
        LibraryKind::Collection,
        {QStringLiteral("XY"), {QStringLiteral("Name"), QStringLiteral("TAS volcanic*")}});
    ASSERT_TRUE(tas && tas->rowCount() == 1);
    const auto members = library.members(int(tas->at(0, 0).toNumber().value_or(0)));
    ASSERT_TRUE(members);

    // Every TAS field by name, and where the program's own discrimination puts a basalt.
    std::vector<QString> fieldNames;
    std::vector<std::vector<QPointF>> fields;
    int trendlines = 0;
    for (const CollectionMember& m : *members) {
        const auto r = library.record(m.kind, m.key);
        ASSERT_TRUE(r);
        EXPECT_TRUE(r->text(QStringLiteral("Note")).startsWith(QStringLiteral("Le Bas M.J.")));
        EXPECT_EQ(r->text(QStringLiteral("XValue")), QStringLiteral("SiO2"));
        EXPECT_EQ(r->text(QStringLiteral("YTable")), QStringLiteral("*"));
        if (m.kind == LibraryKind::Trendline) {
            ++trendlines;
            continue;
        }
        fieldNames.push_back(r->text(QStringLiteral("Name")));
        fields.push_back(*library.nodes(m.key));
    }
    EXPECT_EQ(trendlines, 1);
    ASSERT_EQ(fields.size(), 15u);
    const auto basalt = std::find(fieldNames.begin(), fieldNames.end(), QStringLiteral("Basalt"));
    ASSERT_NE(basalt, fieldNames.end());
    EXPECT_EQ(fields[size_t(basalt - fieldNames.begin())],
              (std::vector<QPointF>{{45, 0}, {52, 0}, {52, 5}, {45, 5}}));
    const QString codes = PolygonDiscriminator::codes({{49, 3}}, fields, false).at(0);
    QStringList inside;
    for (qsizetype i = 0; i < codes.size(); ++i)
        if (codes[i] == u'I')
            inside << fieldNames[size_t(i)];
    EXPECT_EQ(inside, QStringList{"Basalt"});
}

INSTANTIATE_TEST_SUITE_P(Engines, ObjectLibraryTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

// The seed file read on its own: vertices that are easy to get wrong, and the trendlines.
TEST(ClassificationSeed, ReadsPublishedNodesAndBoundaries) {
    const std::vector<SeedDiagram> diagrams = ClassificationSeed::diagrams();
    const auto find = [&](const QString& prefix) -> const SeedDiagram* {
        for (const SeedDiagram& d : diagrams)
            if (d.name.startsWith(prefix))
                return &d;
        ADD_FAILURE() << "no diagram " << prefix.toStdString();
        return nullptr;
    };
    const SeedDiagram* tas = find(QStringLiteral("TAS volcanic"));
    const SeedDiagram* afm = find(QStringLiteral("AFM"));
    const SeedDiagram* nby = find(QStringLiteral("Nb-Y"));
    ASSERT_TRUE(tas && afm && nby);
    EXPECT_EQ(tas->axes.fields, (std::array<QString, 3>{"SiO2", "Na2O+K2O", ""}));
    // Irvine & Baragar's divide passes through (45, 2.8) and (60, 8).
    const auto divide = TrendlineEquation::parse(tas->trendlines.at(0).equation);
    ASSERT_TRUE(divide);
    EXPECT_NEAR(divide->valueAt(45), 2.8, 1e-9);
    EXPECT_NEAR(divide->valueAt(60), 8, 1e-9);
    // A ternary node is stored as its plane point: the tholeiite field's F corner at (50, 100).
    EXPECT_EQ(afm->axes.source, QStringLiteral("Tri"));
    const UserPolygon& tholeiite = afm->polygons.at(1);
    EXPECT_EQ(tholeiite.name, QStringLiteral("Tholeiite Series"));
    EXPECT_NEAR(tholeiite.nodes.at(1).x(), 50, 1e-9);
    EXPECT_NEAR(tholeiite.nodes.at(1).y(), 100, 1e-9);
    // Log-log boundaries are straight on log axes: through both published end points.
    const auto wpg = TrendlineEquation::parse(nby->trendlines.at(0).equation);
    ASSERT_TRUE(wpg);
    EXPECT_NEAR(wpg->valueAt(1), 200, 1e-9);
    EXPECT_NEAR(wpg->valueAt(50), 10, 1e-9);
}

} // namespace
