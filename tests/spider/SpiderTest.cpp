// Spider diagrams without a display: the shipped library in a fresh system database, element
// labels and field matching, the figure's gaps and normalization, the definition checks, the
// text files, and the fetch on SQLite and PostgreSQL (escaped keys, the key table, the cap).
#include "db/SystemDatabase.h"
#include "platform/sqlite/SqliteConnection.h"
#include "spider/SpiderDefinition.h"
#include "spider/SpiderElementNames.h"
#include "spider/SpiderFieldMatcher.h"
#include "spider/SpiderFigureBuilder.h"
#include "spider/SpiderLibrary.h"
#include "spider/SpiderQuery.h"
#include "spider/SpiderSeed.h"
#include "spider/SpiderTextFiles.h"
#include "support/PgScratchSchema.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

class SpiderLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        opened = SystemDatabase::open(dir.filePath(QStringLiteral("QUVData.sqlite")));
        ASSERT_TRUE(opened.ok()) << opened.error.toStdString();
    }
    QTemporaryDir dir;
    OpenedConnection opened;
};

TEST_F(SpiderLibraryTest, FreshSystemDatabaseHoldsThePublishedValues) {
    SpiderLibrary library(*opened.connection);
    const auto types = library.types();
    ASSERT_TRUE(types);
    QStringList names;
    for (const SpiderType& t : *types)
        names << t.name;
    EXPECT_EQ(names, (QStringList{"Multi-element", "REE", "REY"}));
    EXPECT_EQ(library.type("REY")->elements.indexOf("*.Y"), 9); // between Dy and Ho
    EXPECT_EQ(library.type("Multi-element")->elements.size(), 29);

    const struct {
        const char* type;
        const char* sample;
        const char* element;
        double ppm;
    } published[] = {
        {"REE", "CI chondrite (Sun & McDonough 1989)", "La", 0.237},
        {"REE", "CI chondrite (Sun & McDonough 1989)", "Yb", 0.170},
        {"REE", "Chondrite (Boynton 1984)", "Lu", 0.0322},
        {"REY", "CI chondrite (McDonough & Sun 1995)", "Y", 1.57},
        {"Multi-element", "Primitive mantle (Sun & McDonough 1989)", "K", 250},
        {"Multi-element", "N-MORB (Sun & McDonough 1989)", "Ti", 7600},
        {"Multi-element", "OIB (Sun & McDonough 1989)", "Nb", 48},
        {"Multi-element", "Upper continental crust (Rudnick & Gao 2003)", "Th", 10.5},
        {"Multi-element", "PAAS (Taylor & McLennan 1985)", "Ce", 80},
    };
    for (const auto& p : published) {
        SCOPED_TRACE(std::string(p.sample) + " " + p.element);
        const auto type = library.type(p.type);
        ASSERT_TRUE(type);
        const qsizetype at = type->elements.indexOf(QStringLiteral("*.") + p.element);
        ASSERT_GE(at, 0);
        std::optional<NormalizationSample> found;
        const auto samples = library.samples(p.type);
        for (const NormalizationSample& s : *samples)
            if (s.name == p.sample)
                found = s;
        ASSERT_TRUE(found);
        EXPECT_EQ(found->valueAt(at), p.ppm);
    }
    // A value the publication does not give is "Empty", not 0.
    const auto multi = library.samples("Multi-element");
    for (const NormalizationSample& s : *multi) {
        if (s.name == "Chondrite (Boynton 1984)") {
            EXPECT_EQ(s.values.first(), NormalizationSample::emptyValue());
        }
    }
}

TEST_F(SpiderLibraryTest, TextFilesCarryTheLibraryAndAskBeforeReplacing) {
    SpiderLibrary library(*opened.connection);
    ASSERT_TRUE(library.addType({"Odd;\"name\"", {"Trace.La", SpiderType::emptyPosition()}}));
    ASSERT_EQ(SpiderTextFiles::write(library, dir.path()), QString());
    ASSERT_TRUE(library.removeType("REE", true));
    ASSERT_TRUE(library.removeType("Odd;\"name\"", true));

    QStringList asked;
    const SpiderTextFiles::Imported imported =
        SpiderTextFiles::read(library, dir.path(), [&](const QString& type) {
            asked << type;
            return false;
        });
    EXPECT_EQ(asked, (QStringList{"Multi-element", "REY"}));
    EXPECT_EQ(imported.types, 2);
    qsizetype reeSamples = 0;
    for (const NormalizationSample& s : SpiderSeed::samples())
        reeSamples += s.spiderType == "REE";
    EXPECT_EQ(imported.samples, reeSamples);
    EXPECT_EQ(library.type("Odd;\"name\"")->elements,
              (QStringList{"Trace.La", SpiderType::emptyPosition()}));
}

TEST(SpiderElementNames, ShortensToTheElement) {
    const struct {
        const char* field;
        const char* label;
    } cases[] = {{"La_ppm", "La"}, {"K2O", "K"},     {"Y_ppm", "Y"}, {"Th", "Th"},
                 {"Y", "Y"},       {"Ce ppm", "Ce"}, {"P%", "P"},    {"FeO", "Fe"}};
    for (const auto& c : cases)
        EXPECT_EQ(SpiderElementNames::label(c.field, SpiderElementNames::Style::ElementOnly),
                  QString(c.label))
            << c.field;
    EXPECT_EQ(SpiderElementNames::label("La_ppm", SpiderElementNames::Style::FullName), "La_ppm");
}

TEST(SpiderFieldMatcher, FindsTheElementByNameAndUnit) {
    const SpiderFieldMatcher matcher({{"Major", {"SiO2", "K2O"}},
                                      {"Trace", {"Yb", "La ppm", "Y_ppm", "Ce", "Nd"}},
                                      {"Ppb", {"La_ppb", "Nd ppm", "Au ppb"}}});
    const struct {
        const char* reference;
        const char* table;
        const char* field;
        double toPpm;
    } cases[] = {
        {"*.La", "Trace", "La ppm", 1.0},                                    // ppm before ppb
        {"*.Y", "Trace", "Y_ppm", 1.0},                                      // not Yb
        {"*.Yb", "Trace", "Yb", 1.0},                                        // no unit: ppm
        {"*.Nd", "Ppb", "Nd ppm", 1.0},                                      // ppm before no unit
        {"*.Au", "Ppb", "Au ppb", 1e-3},                                     // ppb to ppm
        {"*.K", "Major", "K2O", 2 * 39.0983 / (2 * 39.0983 + 15.999) * 1e4}, // K2O in %
        {"*.Pb", "", "", 1.0}, // no field: an empty position
        {"Trace.Ce", "Trace", "Ce", 1.0},
        {"Ppb.La_ppb", "Ppb", "La_ppb", 1e-3},
        {"Chem.Ce", "", "", 1.0}, // another table's field is offered, not taken
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reference);
        const SpiderFieldMatcher::Match m = matcher.match(c.reference);
        EXPECT_EQ(m.table, QString(c.table));
        EXPECT_EQ(m.field, QString(c.field));
        EXPECT_NEAR(m.toPpm, c.toPpm, 1e-3 * c.toPpm);
    }
    EXPECT_EQ(matcher.tablesWithField("Ce"), QStringList{"Trace"});
}

// Samples A (1, missing, 3, 4) and B (10, 20, 30, 40) over La, [empty], Ce, Nd.
SpiderRows fourPositions() {
    const double missing = std::nan("");
    SpiderRows rows;
    rows.positionCount = 4;
    rows.keys = {"A", "B"};
    rows.values = {1, missing, 3, 4, 10, missing, 30, 40};
    return rows;
}

std::vector<double> ys(const Series& s) {
    std::vector<double> v;
    for (const FigurePoint& p : s.points)
        v.push_back(p.y);
    return v;
}

TEST(SpiderFigureBuilder, GapsPackingAndNormalization) {
    const double gap = std::nan("");
    const std::vector<SpiderFigureBuilder::Position> positions{
        {"La", true, false}, {"", false, false}, {"Ce", true, false}, {"Nd", true, false}};
    const NormalizationSample chondrite{"REE", "CI", {"0.5", "1", "Empty", "0"}};
    const struct {
        const char* name;
        SpiderFigureBuilder::Options options;
        std::optional<NormalizationSample> normalization;
        QStringList labels;
        std::vector<double> a; // sample A's Y values, NaN ending a line
    } cases[] = {
        {"gap", {}, std::nullopt, {"La", "", "Ce", "Nd"}, {1, gap, 3, 4, gap}},
        {"connected", {false, true, -1}, std::nullopt, {"La", "", "Ce", "Nd"}, {1, 3, 4, gap}},
        {"packed", {true, false, -1}, std::nullopt, {"La", "Ce", "Nd"}, {1, 3, 4, gap}},
        // "Empty" and 0 leave the element without a normalized value.
        {"normalized", {true, false, -1}, chondrite, {"La", "Ce", "Nd"}, {2, gap, gap, gap}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Figure f = SpiderFigureBuilder::build(fourPositions(), positions, c.normalization,
                                                    std::nullopt, c.options);
        ASSERT_EQ(f.series.size(), 2u);
        EXPECT_EQ(f.series[0].name, "A");
        EXPECT_EQ(f.x.categoryLabels, c.labels);
        const std::vector<double> a = ys(f.series[0]);
        ASSERT_EQ(a.size(), c.a.size());
        for (size_t i = 0; i < a.size(); ++i)
            EXPECT_TRUE(a[i] == c.a[i] || (std::isnan(a[i]) && std::isnan(c.a[i]))) << i;
        EXPECT_TRUE(f.series[0].gapsBreakLine);
    }

    // Classified: one series per class, each sample's line ended by a gap point.
    Classification classes;
    classes.classes = {{"Basalt", {0, 1}}};
    const Figure f =
        SpiderFigureBuilder::build(fourPositions(), positions, std::nullopt, classes, {true});
    ASSERT_EQ(f.series.size(), 1u);
    EXPECT_EQ(f.series[0].name, "Basalt");
    EXPECT_EQ(f.series[0].pointCount(), 8);
    EXPECT_EQ(f.series[0].points[4].y, 10);
    EXPECT_EQ(f.series[0].points[4].row, 1);
}

TEST(SpiderDefinition, NameAndValueChecks) {
    const QStringList taken{"REE"};
    const struct {
        QString name;
        QString problem;
    } types[] = {
        {"", "Blank Spidergram name is not allowed"},
        {"12.5", "Numeric values are not allowed as Spidergram names "},
        {"ree", "Not accepted Spidergram name. (Name already in use, use another name)"},
        {"My REE", ""},
    };
    for (const auto& t : types)
        EXPECT_EQ(SpiderDefinition::nameProblem(t.name, taken), t.problem) << t.name.toStdString();
    EXPECT_EQ(SpiderDefinition::sampleNameProblem(" ", {}),
              "Normalization sample name can not be a blank value !");
    EXPECT_EQ(SpiderDefinition::sampleNameProblem("7", {}),
              "Normalization sample name can not be a numeric value !");
    EXPECT_EQ(SpiderDefinition::sampleNameProblem("CI", {"CI"}),
              "Forbidden Normalization sample name. (Name already in use, use another name)");
    EXPECT_EQ(SpiderDefinition::valueProblem({"Trace.La", "Trace.Ce", "Trace.Nd"},
                                             {"0.3", "Empty", "n.d."}),
              "(Trace.Nd) Normalization sample n.d. must be a numeric value ");
    EXPECT_EQ(SpiderDefinition::valueProblem({"Trace.La"}, {""}), QString());
}

// The fetch on each engine: a key with a quote goes in escaped, thousands of keys go through
// the key table, and the rows stop at 65000.
class SpiderQueryEngines : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (GetParam() == Engine::Postgres) {
            if (PgScratchSchema::conninfo().isEmpty())
                GTEST_SKIP() << PgScratchSchema::skipReason;
            pg = std::make_unique<PgScratchSchema>(QStringLiteral("quv_spider"));
            ASSERT_TRUE(pg->ok()) << pg->error().toStdString();
            opened = pg->open();
        } else {
            ASSERT_TRUE(dir.isValid());
            opened = SqliteConnection::open(dir.filePath("rocks.sqlite"),
                                            SqliteConnection::Mode::ReadWriteCreate);
        }
        ASSERT_TRUE(opened.ok()) << opened.error.toStdString();
        Connection& c = *opened.connection;
        ASSERT_TRUE(c.execute("CREATE TABLE [Samples] ([SampleNo] TEXT(255), [Rock] TEXT(255))"));
        ASSERT_TRUE(c.execute("CREATE TABLE [Trace] ([SampleNo] TEXT(255), [La] DOUBLE)"));
        ASSERT_TRUE(c.beginTransaction());
        auto sample = c.prepare("INSERT INTO [Samples] VALUES (?, ?)");
        auto trace = c.prepare("INSERT INTO [Trace] VALUES (?, ?)");
        for (int i = 0; i <= int(SpiderRows::maxRows); ++i) {
            const QString key = i == 0 ? QStringLiteral("O'Brien-1") : QString::number(i);
            ASSERT_TRUE(sample->execute({CellValue::text(key), CellValue::text("Basalt")}));
            if (i % 2 == 0) {
                ASSERT_TRUE(trace->execute({CellValue::text(key), CellValue::number(i + 0.5)}));
            }
        }
        ASSERT_TRUE(c.commit());
    }
    SpiderQuery::Request request(std::vector<CellValue> keys) const {
        return {"Samples", "SampleNo", std::move(keys), {{"Trace", "La", 2.0}, {}},
                "Samples", "Rock"};
    }

    QTemporaryDir dir;
    std::unique_ptr<PgScratchSchema> pg;
    OpenedConnection opened;
};

TEST_P(SpiderQueryEngines, EscapedKeysKeyTableAndCap) {
    QString error, statement;
    const auto few = SpiderQuery::fetch(
        *opened.connection, request({CellValue::text("O'Brien-1"), CellValue::text("1")}), error,
        statement);
    ASSERT_TRUE(few) << error.toStdString();
    EXPECT_TRUE(statement.contains("IN ('O''Brien-1', '1')")) << statement.toStdString();
    ASSERT_EQ(few->rowCount(), 2);
    for (qsizetype r = 0; r < 2; ++r) {
        if (few->keys[size_t(r)] == "O'Brien-1")
            EXPECT_EQ(few->value(r, 0), 1.0); // 0.5 in ppm... times the factor 2
        else
            EXPECT_TRUE(std::isnan(few->value(r, 0))); // no Trace row: the LEFT JOIN keeps it
        EXPECT_TRUE(std::isnan(few->value(r, 1)));
        EXPECT_EQ(few->classes[size_t(r)].toText(), "Basalt");
    }

    std::vector<CellValue> all;
    all.push_back(CellValue::text("O'Brien-1"));
    for (int i = 1; i <= int(SpiderRows::maxRows); ++i)
        all.push_back(CellValue::text(QString::number(i)));
    const auto many = SpiderQuery::fetch(*opened.connection, request(all), error, statement);
    ASSERT_TRUE(many) << error.toStdString();
    EXPECT_FALSE(statement.contains("O''Brien")); // the keys are in the key table
    EXPECT_EQ(many->rowCount(), SpiderRows::maxRows);
    EXPECT_TRUE(many->capped);
    // The key table is gone afterwards, so a second fetch makes it anew.
    EXPECT_TRUE(SpiderQuery::fetch(*opened.connection, request(all), error, statement));
}

INSTANTIATE_TEST_SUITE_P(Engines, SpiderQueryEngines,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

} // namespace
