// The generated sample database, checked with SQL against the file itself.
#include "SampleGenerator.h"
#include "SqliteReader.h"
#include "Tm35FinProjection.h"
#include "db/MapFile.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString oxideSum =
    QStringLiteral("(SiO2+TiO2+Al2O3+Fe2O3+FeO+MnO+MgO+CaO+Na2O+K2O+P2O5+LOI)");

class SampleDatabaseTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(dir_->isValid());
        path_ = dir_->filePath(QStringLiteral("samples/QUVSample.sqlite"));
        SampleGeneratorOptions options;
        options.samples = 2000;
        options.meusePath = testpaths::repoFile(QStringLiteral("samples/data/meuse.csv"));
        result_ = SampleGenerator::write(path_, options);
    }
    static void TearDownTestSuite() { dir_.reset(); }

    void SetUp() override {
        ASSERT_TRUE(result_.ok()) << result_.error.toStdString();
        db_ = std::make_unique<SqliteReader>(path_);
        ASSERT_TRUE(db_->isOpen()) << db_->error().toStdString();
    }
    void TearDown() override {
        if (db_) {
            EXPECT_TRUE(db_->isOpen()) << db_->error().toStdString(); // no query failed
        }
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline QString path_;
    static inline SampleGeneratorResult result_;
    std::unique_ptr<SqliteReader> db_;
};

TEST_F(SampleDatabaseTest, WritesTheRequestedSamplesAndLeavesNoTemporaryFile) {
    EXPECT_EQ(result_.samples, 2000);
    EXPECT_EQ(db_->count("SELECT count(*) FROM Samples"), 2000);
    EXPECT_EQ(db_->count("SELECT count(*) FROM Major"), 2000);
    const qint64 traces = db_->count("SELECT count(*) FROM Trace");
    EXPECT_GT(traces, 1900); // a few samples wait for their trace analyses
    EXPECT_LT(traces, 2000);
    EXPECT_EQ(db_->count("SELECT count(*) FROM Drillhole"), result_.drillSamples);
    EXPECT_GT(result_.drillSamples, 200);
    EXPECT_LT(result_.drillSamples, 1000);
    EXPECT_FALSE(QFile::exists(path_ + QStringLiteral(".part")));
}

TEST_F(SampleDatabaseTest, ItsMapFileLinksTheSamplesToTheirAnalyses) {
    SchemaCatalogue catalogue;
    ASSERT_TRUE(MapFile::load(catalogue, MapFile::pathFor(path_, false, QString())));
    EXPECT_GE(catalogue.tableNames().size(), 5);
    bool linked = false;
    for (int r = 1; r <= catalogue.links.lastRow(); ++r)
        linked = linked || (QStringList{catalogue.links.text(r, 1), catalogue.links.text(r, 2)}
                                .join(u'-')
                                .contains(QStringLiteral("Major")) &&
                            catalogue.links.text(r, 1) != catalogue.links.text(r, 2) &&
                            catalogue.links.text(r, 3) == QStringLiteral("SampleNo"));
    EXPECT_TRUE(linked) << catalogue.links.toTsv().toStdString();
}

TEST_F(SampleDatabaseTest, EveryAnalysisAndIntervalBelongsToASample) {
    for (const char* table : {"Major", "Trace", "Drillhole"}) {
        SCOPED_TRACE(table);
        EXPECT_EQ(db_->count(QStringLiteral("SELECT count(*) FROM [%1] WHERE SampleNo NOT IN "
                                            "(SELECT SampleNo FROM Samples)")
                                 .arg(table)),
                  0);
        // Declared, so that the program's link builder can find the relation.
        const auto fks = db_->rows(
            QStringLiteral("SELECT [table], [from], [to] FROM pragma_foreign_key_list('%1')")
                .arg(table));
        ASSERT_EQ(fks.size(), 1u);
        EXPECT_EQ(fks[0], QStringList({"Samples", "SampleNo", "SampleNo"}));
    }
    EXPECT_TRUE(db_->rows("PRAGMA foreign_key_check").empty());
}

TEST_F(SampleDatabaseTest, KeysAreIndexedSoTheyActAsKeyFields) {
    struct Case {
        const char* table;
        const char* column;
    };
    for (const Case& c :
         {Case{"Samples", "SampleNo"}, Case{"Major", "SampleNo"}, Case{"Trace", "SampleNo"},
          Case{"Drillhole", "SampleNo"}, Case{"Drillhole", "HoleID"}, Case{"Meuse", "MeuseNo"}}) {
        SCOPED_TRACE(std::string(c.table) + "." + c.column);
        EXPECT_EQ(db_->count(QStringLiteral("SELECT count(*) FROM pragma_index_list('%1') AS l, "
                                            "pragma_index_info(l.name) AS i WHERE i.name = '%2'")
                                 .arg(c.table, c.column)),
                  1);
    }
    // Only key fields are indexed: any other index would make a field look like a key.
    EXPECT_EQ(db_->count("SELECT count(*) FROM pragma_index_list('Samples')"), 1);
}

TEST_F(SampleDatabaseTest, SampleNumbersStayText) {
    for (const char* table : {"Samples", "Major", "Trace", "Drillhole"}) {
        SCOPED_TRACE(table);
        EXPECT_EQ(db_->value(QStringLiteral("SELECT type FROM pragma_table_info('%1') WHERE "
                                            "name = 'SampleNo'")
                                 .arg(table)),
                  "TEXT");
        EXPECT_EQ(db_->count(QStringLiteral("SELECT count(*) FROM [%1] WHERE typeof(SampleNo) "
                                            "<> 'text' OR SampleNo NOT GLOB "
                                            "'QS-[0-9][0-9][0-9][0-9][0-9][0-9]'")
                                 .arg(table)),
                  0);
    }
    EXPECT_EQ(db_->value("SELECT SampleNo FROM Samples WHERE SampleNo = 'QS-000123'"), "QS-000123");
    EXPECT_EQ(db_->value("SELECT min(SampleNo) || ' ' || max(SampleNo) FROM Samples"),
              "QS-000001 QS-002000");
}

TEST_F(SampleDatabaseTest, RockClassesHaveTheirShares) {
    const std::vector<std::pair<QString, qint64>> expected{
        {"Andesite", 360}, {"Basalt", 600},    {"Dacite", 200},  {"Gabbro", 200},
        {"Granite", 300},  {"Komatiite", 140}, {"Rhyolite", 200}};
    const auto rows = db_->rows("SELECT Rock, count(*) FROM Samples GROUP BY Rock ORDER BY Rock");
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][0], expected[i].first);
        EXPECT_EQ(rows[i][1].toLongLong(), expected[i].second) << rows[i][0].toStdString();
    }
    // Classes are mixed through the numbering, not written in blocks.
    EXPECT_GT(db_->count("SELECT count(DISTINCT Rock) FROM Samples WHERE SampleNo <= 'QS-000100'"),
              4);
}

TEST_F(SampleDatabaseTest, CompleteAnalysesTotalLikeRealOnes) {
    const auto r = db_->rows(QStringLiteral("SELECT count(*), min(%1), max(%1) FROM Major WHERE "
                                            "%1 IS NOT NULL")
                                 .arg(oxideSum));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_GT(r[0][0].toLongLong(), 1700);
    EXPECT_GE(r[0][1].toDouble(), 98.0);
    EXPECT_LE(r[0][2].toDouble(), 101.0);
    EXPECT_EQ(db_->count("SELECT count(*) FROM Major WHERE SiO2 <= 0 OR MgO <= 0 OR K2O <= 0"), 0);
}

TEST_F(SampleDatabaseTest, CompositionFitsEachRockClass) {
    struct Case {
        const char* rock;
        double siMin, siMax; // SiO2 wt%
        double mgMin, mgMax; // MgO wt%
    };
    const Case cases[] = {
        {"Komatiite", 38, 50, 15, 35}, {"Basalt", 43, 54, 3, 14},  {"Gabbro", 43, 54, 4, 14},
        {"Andesite", 52, 64, 1.5, 6},  {"Dacite", 60, 71, 0.5, 3}, {"Rhyolite", 68, 80, 0, 1.2},
        {"Granite", 65, 78, 0, 1.8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rock);
        const auto r = db_->rows(QStringLiteral("SELECT min(SiO2), max(SiO2), min(MgO), max(MgO) "
                                                "FROM Samples JOIN Major USING (SampleNo) WHERE "
                                                "Rock = '%1'")
                                     .arg(c.rock));
        ASSERT_EQ(r.size(), 1u);
        EXPECT_GE(r[0][0].toDouble(), c.siMin);
        EXPECT_LE(r[0][1].toDouble(), c.siMax);
        EXPECT_GE(r[0][2].toDouble(), c.mgMin);
        EXPECT_LE(r[0][3].toDouble(), c.mgMax);
    }
    // The Harker trend: silica goes up as magnesia goes down.
    EXPECT_GT(db_->number("SELECT avg(MgO) FROM Major WHERE SiO2 < 50"),
              5 * db_->number("SELECT avg(MgO) FROM Major WHERE SiO2 > 65"));
}

TEST_F(SampleDatabaseTest, RareEarthPatternsFitEachRockClass) {
    // Chondrite-normalised: La level, (La/Yb)N slope and Eu/Eu* anomaly, averaged per class.
    struct Case {
        const char* rock;
        double laNMin, laNMax, slopeMin, slopeMax, euMin, euMax;
    };
    const Case cases[] = {
        {"Komatiite", 1, 10, 0.5, 1.3, 0.9, 1.1}, {"Basalt", 10, 50, 1, 4, 0.9, 1.05},
        {"Gabbro", 4, 25, 1.3, 3.5, 1.1, 1.4},    {"Andesite", 40, 100, 4, 10, 0.8, 0.95},
        {"Dacite", 60, 140, 6, 14, 0.7, 0.9},     {"Rhyolite", 80, 250, 3, 7, 0.2, 0.5},
        {"Granite", 90, 280, 8, 20, 0.35, 0.65},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rock);
        const auto r = db_->rows(
            QStringLiteral("SELECT avg(La / 0.237), avg((La / 0.237) / (Yb / 0.170)), "
                           "avg((Eu / 0.058) / sqrt((Sm / 0.153) * (Gd / 0.2055))) FROM Samples "
                           "JOIN Trace USING (SampleNo) WHERE Rock = '%1'")
                .arg(c.rock));
        ASSERT_EQ(r.size(), 1u);
        EXPECT_GE(r[0][0].toDouble(), c.laNMin);
        EXPECT_LE(r[0][0].toDouble(), c.laNMax);
        EXPECT_GE(r[0][1].toDouble(), c.slopeMin);
        EXPECT_LE(r[0][1].toDouble(), c.slopeMax);
        EXPECT_GE(r[0][2].toDouble(), c.euMin);
        EXPECT_LE(r[0][2].toDouble(), c.euMax);
    }
    // Compatible elements sit in the mafic rocks.
    EXPECT_GT(db_->number("SELECT avg(Ni) FROM Samples JOIN Trace USING (SampleNo) WHERE Rock = "
                          "'Komatiite'"),
              20 * db_->number("SELECT avg(Ni) FROM Samples JOIN Trace USING (SampleNo) WHERE "
                               "Rock = 'Granite'"));
}

TEST_F(SampleDatabaseTest, MissingAndBelowDetectionValuesLookLikeLaboratoryData) {
    EXPECT_GT(db_->count("SELECT count(*) FROM Major WHERE FeO IS NULL"), 0);
    EXPECT_GT(db_->count("SELECT count(*) FROM Major WHERE LOI IS NULL"), 0);
    EXPECT_GT(db_->count("SELECT count(*) FROM Trace WHERE Cu IS NULL"), 0);
    EXPECT_GT(db_->count("SELECT count(*) FROM Trace WHERE La IS NULL AND Lu IS NULL"), 0);
    EXPECT_GT(db_->count("SELECT count(*) FROM Trace WHERE Au_ppb IS NULL"), 0);
    EXPECT_GT(db_->count("SELECT count(*) FROM Trace WHERE Au_ppb = '<0.5'"), 0);
    EXPECT_GT(db_->count("SELECT count(*) FROM Trace WHERE Au_ppb = '<1'"), 0);
    // Every gold value is text: a number in the C locale or "<" and a detection limit.
    EXPECT_EQ(db_->count("SELECT count(*) FROM Trace WHERE Au_ppb IS NOT NULL AND "
                         "(typeof(Au_ppb) <> 'text' OR (Au_ppb NOT IN ('<0.5', '<1') AND "
                         "(Au_ppb GLOB '*[^0-9.]*' OR CAST(Au_ppb AS REAL) < 0.5)))"),
              0);
    // Numbers are stored as numbers, not as text.
    EXPECT_EQ(db_->count("SELECT count(*) FROM Trace WHERE typeof(La) NOT IN ('real', 'null') "
                         "OR typeof(Ba) NOT IN ('real', 'null')"),
              0);
}

TEST_F(SampleDatabaseTest, SitesAreInFinlandAndGridMatchesLatLong) {
    EXPECT_EQ(db_->count("SELECT count(*) FROM Samples WHERE Lat NOT BETWEEN 59.5 AND 70.2 OR "
                         "Long NOT BETWEEN 19.5 AND 31.6"),
              0);
    const auto rows = db_->rows("SELECT Lat, Long, X, Y FROM Samples WHERE rowid % 97 = 0");
    ASSERT_FALSE(rows.empty());
    for (const QStringList& r : rows) {
        const auto [x, y] = Tm35FinProjection::forward(r[0].toDouble(), r[1].toDouble());
        EXPECT_NEAR(r[2].toDouble(), x, 0.06);
        EXPECT_NEAR(r[3].toDouble(), y, 0.06);
    }
    EXPECT_EQ(db_->count("SELECT count(*) FROM Samples WHERE date(Date) IS NOT Date OR Date < "
                         "'1985-01-01' OR Date > '2023-12-31'"),
              0);
    EXPECT_EQ(db_->count("SELECT count(DISTINCT Project) FROM Samples"), 6);
}

TEST_F(SampleDatabaseTest, DrillIntervalsRunDownEachHoleWithoutOverlap) {
    EXPECT_EQ(db_->count("SELECT count(*) FROM Drillhole WHERE NOT (FromDepth < ToDepth)"), 0);
    EXPECT_EQ(db_->count("SELECT count(*) FROM Drillhole a JOIN Drillhole b ON a.HoleID = "
                         "b.HoleID AND a.rowid < b.rowid WHERE b.FromDepth < a.ToDepth"),
              0);
    // The sample's depth is the middle of its interval; surface samples lie at 0.
    EXPECT_EQ(db_->count("SELECT count(*) FROM Drillhole JOIN Samples USING (SampleNo) WHERE "
                         "abs(Depth - (FromDepth + ToDepth) / 2) > 0.006"),
              0);
    EXPECT_EQ(db_->count("SELECT count(*) FROM Samples WHERE SampleNo NOT IN (SELECT SampleNo "
                         "FROM Drillhole) AND Depth <> 0"),
              0);
    // One hole, one project and one collar.
    EXPECT_EQ(db_->count("SELECT count(*) FROM (SELECT HoleID FROM Drillhole JOIN Samples USING "
                         "(SampleNo) GROUP BY HoleID HAVING count(DISTINCT Project) > 1 OR "
                         "count(DISTINCT X) > 1)"),
              0);
    EXPECT_EQ(db_->count("SELECT count(*) FROM Drillhole JOIN Samples USING (SampleNo) WHERE "
                         "instr(lower(Lithology), lower(substr(Rock, 1, 4))) = 0 AND Lithology "
                         "NOT IN ('Quartz-feldspar porphyry', 'Leucogabbro', 'Gabbro-norite')"),
              0);
}

TEST_F(SampleDatabaseTest, BasaltFilterIsAStoredView) {
    EXPECT_EQ(db_->value("SELECT sql FROM sqlite_master WHERE name = 'f_Basalts'"),
              "CREATE VIEW [f_Basalts] AS SELECT [Samples].[SampleNo] FROM [Samples] WHERE "
              "[Samples].[Rock]='Basalt'");
    EXPECT_EQ(db_->count("SELECT count(*) FROM f_Basalts"), 600);
    EXPECT_EQ(db_->count("SELECT count(*) FROM f_Komatiites"), 140);
}

TEST_F(SampleDatabaseTest, MeuseTableKeepsTheCsvColumnsAndItsMissingValues) {
    EXPECT_EQ(db_->count("SELECT count(*) FROM Meuse"), 155);
    const auto columns = db_->rows("SELECT name, type FROM pragma_table_info('Meuse')");
    QStringList described;
    for (const QStringList& c : columns)
        described << c.join(QLatin1Char(' '));
    EXPECT_EQ(described.join(QStringLiteral(", ")),
              "MeuseNo TEXT, x INTEGER, y INTEGER, cadmium REAL, copper INTEGER, lead INTEGER, "
              "zinc INTEGER, elev REAL, dist REAL, om REAL, ffreq TEXT, soil TEXT, lime TEXT, "
              "landuse TEXT, dist.m INTEGER");
    // NA is Null: om in rows 42 and 43, landuse in row 20; nothing else is missing.
    EXPECT_EQ(db_->value("SELECT group_concat(MeuseNo, ' ') FROM Meuse WHERE om IS NULL"),
              "M-042 M-043");
    EXPECT_EQ(db_->value("SELECT group_concat(MeuseNo, ' ') FROM Meuse WHERE landuse IS NULL"),
              "M-020");
    EXPECT_EQ(db_->count("SELECT count(*) FROM Meuse WHERE landuse = 'NA'"), 0);
    EXPECT_EQ(
        db_->rows("SELECT x, y, cadmium, zinc, ffreq, typeof(ffreq), landuse, [dist.m] FROM "
                  "Meuse WHERE MeuseNo = 'M-001'")
            .at(0),
        QStringList({"181072", "333611", "11.699999999999999", "1022", "1", "text", "Ah", "50"}));
    EXPECT_EQ(db_->count("SELECT sum(zinc) FROM Meuse"), 72806);
}

TEST(SampleGeneratorTest, SameOptionsGiveTheSameRowsAndTheSeedMatters) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SampleGeneratorOptions options;
    options.samples = 300;
    options.meusePath = testpaths::repoFile(QStringLiteral("samples/data/meuse.csv"));
    const QString a = dir.filePath(QStringLiteral("a.sqlite"));
    const QString b = dir.filePath(QStringLiteral("b.sqlite"));
    const QString c = dir.filePath(QStringLiteral("c.sqlite"));
    ASSERT_TRUE(SampleGenerator::write(a, options).ok());
    ASSERT_TRUE(SampleGenerator::write(b, options).ok());
    options.seed += 1;
    ASSERT_TRUE(SampleGenerator::write(c, options).ok());

    const QStringList dumpA = SqliteReader(a).dump();
    EXPECT_GT(dumpA.size(), 300 * 3 + 155);
    EXPECT_EQ(dumpA, SqliteReader(b).dump());
    EXPECT_NE(dumpA, SqliteReader(c).dump());
}

TEST(SampleGeneratorTest, BadMeusePathFailsAndKeepsTheOldDatabase) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("QUVSample.sqlite"));
    SampleGeneratorOptions options;
    options.samples = 50;
    options.meusePath = dir.filePath(QStringLiteral("no/such/meuse.csv"));

    SampleGeneratorResult result = SampleGenerator::write(path, options);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error.startsWith(QStringLiteral("Cannot read the Meuse table: ")))
        << result.error.toStdString();
    EXPECT_TRUE(result.error.contains(options.meusePath)) << result.error.toStdString();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());

    // A database already in place survives a failed run untouched.
    options.meusePath.clear();
    ASSERT_TRUE(SampleGenerator::write(path, options).ok());
    const QStringList before = SqliteReader(path).dump();
    options.samples = 80;
    options.meusePath = dir.filePath(QStringLiteral("broken.csv"));
    QFile broken(options.meusePath);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("a,b\n1,2\n3\n");
    broken.close();
    result = SampleGenerator::write(path, options);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error.contains(QStringLiteral("line 3"))) << result.error.toStdString();
    EXPECT_EQ(SqliteReader(path).dump(), before);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".part")));

    // A failure after the samples were written removes the half-written file too.
    broken.setFileName(options.meusePath);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("MeuseNo,zinc\n1,2\n");
    broken.close();
    result = SampleGenerator::write(path, options);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error.contains(QStringLiteral("already has a column MeuseNo")))
        << result.error.toStdString();
    EXPECT_EQ(SqliteReader(path).dump(), before);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".part")));

    // A good run replaces it.
    options.meusePath.clear();
    ASSERT_TRUE(SampleGenerator::write(path, options).ok());
    EXPECT_EQ(SqliteReader(path).count("SELECT count(*) FROM Samples"), 80);
    EXPECT_EQ(SqliteReader(path).count("SELECT count(*) FROM sqlite_master WHERE name = 'Meuse'"),
              0);
}

TEST(SampleGeneratorTest, RejectsOptionsThatCannotMakeADatabase) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SampleGeneratorOptions options;
    options.samples = 0;
    const QString path = dir.filePath(QStringLiteral("x.sqlite"));
    EXPECT_EQ(SampleGenerator::write(path, options).error,
              "The number of samples must be at least 1");
    options.samples = 10;
    EXPECT_EQ(SampleGenerator::write(QString(), options).error, "No output file given");
    EXPECT_FALSE(SampleGenerator::write(dir.path(), options).ok()); // a folder is not a file
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
