// The diagram window's draw pipeline on SQLite and on the live PostgreSQL server: the rows a
// definition selects, its classes and titles, every refusal, and a draw through a filter.
#include "diagram/DiagramWindow.h"
#include "db/SchemaMapper.h"
#include "diagram/FigureFile.h"
#include "filter/FilterCombiner.h"
#include "filter/FilterSession.h"
#include "filter/FilterViews.h"
#include "filter/FilterWindow.h"
#include "platform/IniFile.h"
#include "support/TestPaths.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <tuple>

namespace {

using D = DiagramDefinition;

// Sorted "x,y" pairs of every point, and the series names with their point counts.
QStringList points(const Figure& f) {
    QStringList out;
    for (const Series& s : f.series)
        for (const FigurePoint& p : s.points)
            out << CellValue::formatNumber(p.x) + QLatin1Char(',') + CellValue::formatNumber(p.y);
    out.sort();
    return out;
}
QStringList classes(const Figure& f) {
    QStringList out;
    for (const Series& s : f.series)
        out << s.name + QLatin1Char('=') + QString::number(s.pointCount());
    return out;
}

class DiagramWindowTest : public FilterSession {
protected:
    std::unique_ptr<DiagramWindow> window;
    QStringList replayed;

    void SetUp() override {
        FilterSession::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        window = std::make_unique<DiagramWindow>(*session, dialogs, status);
        window->setRecorder([this](const QString& line) { replayed << line; });
        dialogs.clearLog();
    }

    // A filter made the way the filter window makes it.
    bool makeFilter(const char* table, const char* field, const char* op, const char* value,
                    const char* name) {
        FilterWindow filters(*session, dialogs, status);
        filters.table = QString::fromLatin1(table);
        filters.field = QString::fromLatin1(field);
        filters.setOperator(QString::fromLatin1(op));
        filters.value = QString::fromLatin1(value);
        filters.name = QString::fromLatin1(name);
        return filters.makeFilter();
    }

    void plot(const char* xTable, const char* xField, const char* yTable, const char* yField,
              const char* classTable = "", const char* classField = "") {
        D& d = window->definition;
        d.tables[D::X] = QString::fromLatin1(xTable);
        d.fields[D::X] = QString::fromLatin1(xField);
        d.tables[D::Y] = QString::fromLatin1(yTable);
        d.fields[D::Y] = QString::fromLatin1(yField);
        d.tables[D::Class] = QString::fromLatin1(classTable);
        d.fields[D::Class] = QString::fromLatin1(classField);
    }
};

TEST_P(DiagramWindowTest, DrawsJoinedTablesWithTitlesCountAndReplayLine) {
    plot("Rocks", "Au", "Assays", "Value");
    ASSERT_TRUE(window->draw()) << dialogs.texts().join('\n').toStdString();
    const Figure& f = window->figure();
    EXPECT_EQ(points(f), (QStringList{"0.5,0.1", "12,1.5", "12,2", "3,5"}));
    EXPECT_EQ(classes(f), QStringList{"Value=4"});
    EXPECT_EQ(f.header, QStringLiteral("Value vs. Au"));
    EXPECT_EQ(f.x.title, QStringLiteral("Au"));
    EXPECT_EQ(window->fetchedRows(), 4);
    EXPECT_TRUE(status.texts().contains(QStringLiteral("n=4")));
    EXPECT_EQ(replayed, QStringList{"DRAW2 XY;Rocks;Au;Assays;Value;;;;;"});
    EXPECT_EQ(window->figureLog(), QStringList{"Value vs. Au"});
    // Each point knows its sample.
    ASSERT_EQ(f.series[0].labelList().size(), 4);
    EXPECT_TRUE(f.series[0].labelList().contains(QStringLiteral("S3")));
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_P(DiagramWindowTest, ClassesDropOrDrawNullRows) {
    plot("Rocks", "Au", "Rocks", "Au", "Rocks", "Rock");
    ASSERT_TRUE(window->draw());
    EXPECT_EQ(classes(window->figure()),
              (QStringList{"A_1=1", "AB1=1", "Basalt=1", "Fine grained=1", "Fine-grained=1",
                           "Granite=2"}));
    EXPECT_EQ(window->fetchedRows(), 7);
    window->showPointsPerClass();
    EXPECT_TRUE(dialogs.texts().back().endsWith(QStringLiteral("Total = 7")));

    window->definition.drawNulls = true;
    ASSERT_TRUE(window->draw());
    EXPECT_EQ(classes(window->figure()).back(), QStringLiteral("<Null>=1"));
    EXPECT_EQ(window->fetchedRows(), 8);
    EXPECT_EQ(window->figureLog().back(), QStringLiteral("Au vs. Au (Cl.. Rock)"));
}

TEST_P(DiagramWindowTest, DrawsThroughAFilterAndNamesItInTheFigure) {
    ASSERT_TRUE(makeFilter("Rocks", "Rock", "=", "Granite", "Granite"))
        << dialogs.texts().join('\n').toStdString();
    dialogs.clearLog();

    plot("Rocks", "Au", "Assays", "Value");
    window->useFilter(QStringLiteral("f_Granite"));
    window->showFilterName = true;
    ASSERT_TRUE(window->draw()) << dialogs.texts().join('\n').toStdString();
    // S1 and S3 are granites; S1 has two assays.
    EXPECT_EQ(points(window->figure()), (QStringList{"12,1.5", "12,2", "3,5"}));
    EXPECT_EQ(window->figure().subtitles, QStringList{"Filter: Granite (n= 3)"});
    EXPECT_EQ(replayed.back(), QStringLiteral("DRAW2 XY;Rocks;Au;Assays;Value;;;;;Granite"));
    EXPECT_EQ(window->figureLog().back(), QStringLiteral("Value vs. Au (Filt. Granite)"));

    // Replaying the line draws the same figure in a new window.
    DiagramWindow again(*session, dialogs, status);
    ASSERT_TRUE(again.runCommand(replayed.back()));
    EXPECT_EQ(points(again.figure()), points(window->figure()));
    EXPECT_FALSE(again.runCommand(QStringLiteral("PLOT XY;Rocks;Au")));
}

TEST_P(DiagramWindowTest, ACombinedFilterBecomesTheDiagramsFilter) {
    makeGraniteAndRichAuFilters();
    FilterCombiner combiner(db(), session->catalogue(), dialogs, status);
    combiner.filterA = QStringLiteral("Granite");
    combiner.filterB = QStringLiteral("RichAu");
    combiner.op = FilterCombiner::Operator::And;
    ASSERT_TRUE(combiner.combine(window.get())) << dialogs.texts().join('\n').toStdString();
    EXPECT_TRUE(window->definition.filterOn);
    EXPECT_EQ(window->definition.filter, QStringLiteral("Combined"));
    plot("Rocks", "Au", "Rocks", "Au");
    ASSERT_TRUE(window->draw()) << dialogs.texts().join('\n').toStdString();
    // Granites with more than 2 Au: S1 (12) and S3 (3).
    EXPECT_EQ(points(window->figure()), (QStringList{"12,12", "3,3"}));
}

TEST_P(DiagramWindowTest, EveryRefusalSaysWhyAndDrawsNothing) {
    ASSERT_TRUE(makeFilter("Holes", "Depth", ">", "200", "Deep"));

    struct Case {
        const char* name;
        std::function<void(D&)> set;
        const char* message;
    };
    const std::vector<Case> cases{
        {"no Y field", [](D& d) { d.fields[D::Y].clear(); }, "Missing X or Y Table or Element"},
        {"filter on, none chosen",
         [](D& d) {
             d.filterOn = true;
             d.filter.clear();
         },
         "Missing filter"},
        {"filter keyed by a field no plotted table has",
         [](D& d) {
             d.filterOn = true;
             d.filter = QStringLiteral("Deep");
         },
         "Can not find Key for filter Deep"},
        {"tables without a link",
         [](D& d) {
             d.tables[D::Y] = QStringLiteral("Holes");
             d.fields[D::Y] = QStringLiteral("Depth");
         },
         "Error in creating links"},
        {"empty ClipData", [](D& d) { d.source = D::Source::ClipData; },
         "ClipData is empty, paste new data."},
        {"a graph type there is none of", [](D& d) { d.graphType = QStringLiteral("Scatter"); },
         "Unknown graph type Scatter"},
    };
    for (const Case& c : cases) {
        plot("Rocks", "Au", "Rocks", "Au");
        window->definition.filterOn = false;
        window->definition.source = D::Source::DB;
        window->definition.graphType = QStringLiteral("XY");
        ASSERT_TRUE(window->draw()) << c.name;
        c.set(window->definition);
        dialogs.clearLog();
        EXPECT_FALSE(window->draw()) << c.name;
        EXPECT_EQ(dialogs.texts(), QStringList{QString::fromLatin1(c.message)}) << c.name;
        // Nothing of the figure before may pass for this one.
        EXPECT_FALSE(window->hasFigure()) << c.name;
        EXPECT_EQ(window->figure().pointCount(), 0) << c.name;
    }
    Sheet clipData;
    window->setClipDataSource([&clipData] { return &clipData; });
    dialogs.clearLog();
    EXPECT_FALSE(window->copyDataPoints());
    EXPECT_EQ(dialogs.texts(), QStringList{"No data"});
    EXPECT_TRUE(clipData.isBlank());
}

TEST_P(DiagramWindowTest, TheLastFigureComesBackOnlyForTheSameDatabase) {
    const QString ini = dir.filePath(QStringLiteral("lastfiles.ini"));
    plot("Rocks", "Au", "Assays", "Value", "Rocks", "Rock");
    ASSERT_TRUE(window->storeLastFigure(ini));
    EXPECT_EQ(IniFile::load(ini).value(QStringLiteral("LastGraph"), QStringLiteral("ClassField")),
              QStringLiteral("Rock"));

    DiagramWindow next(*session, dialogs, status);
    ASSERT_TRUE(next.drawLastFigure(ini));
    EXPECT_EQ(classes(next.figure()), (QStringList{"Basalt=1", "Granite=3"}));

    IniFile changed = IniFile::load(ini);
    changed.setValue(QStringLiteral("LastGraph"), QStringLiteral("YField"), QStringLiteral("Cu"));
    ASSERT_TRUE(changed.save(ini));
    dialogs.clearLog();
    EXPECT_FALSE(next.drawLastFigure(ini));
    EXPECT_EQ(dialogs.texts(), QStringList{"Field Cu can not be found in the table Assays"});

    changed.setValue(QStringLiteral("LastGraph"), QStringLiteral("Database"),
                     QStringLiteral("another.sqlite"));
    ASSERT_TRUE(changed.save(ini));
    dialogs.clearLog();
    EXPECT_FALSE(next.drawLastFigure(ini));
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_P(DiagramWindowTest, SavesEachDrawAndReopensGraphFilesWithTheirNote) {
    plot("Rocks", "Au", "Assays", "Value", "Rocks", "Rock");
    window->autoSave = GraphAutoSave::Mode::EachDraw;
    window->graphsFolder = dir.filePath(QStringLiteral("Graphs"));
    ASSERT_TRUE(window->draw());
    ASSERT_TRUE(window->draw());
    const QStringList saved = QDir(window->graphsFolder).entryList({"*.akr"}, QDir::Files);
    ASSERT_EQ(saved.size(), 2);
    DiagramWindow viewer(*session, dialogs, status);
    dialogs.clearLog();
    ASSERT_TRUE(viewer.openGraphFile(window->graphsFolder + u'/' + saved[0]));
    EXPECT_EQ(classes(viewer.figure()), classes(window->figure()));
    EXPECT_EQ(dialogs.texts(), QStringList{FigureFile::openedNote()});
    EXPECT_FALSE(viewer.openGraphFile(dir.filePath(QStringLiteral("none.akr"))));
    EXPECT_EQ(dialogs.texts().back(),
              FigureFile::openError(dir.filePath(QStringLiteral("none.akr"))));
}

TEST_P(DiagramWindowTest, CopiedDataPointsDrawTheSameFigureFromClipData) {
    Sheet clipData;
    clipData.setText(1, 1, QStringLiteral("replaced"));
    window->setClipDataSource([&clipData] { return &clipData; });
    plot("Rocks", "Au", "Assays", "Value", "Rocks", "Rock");
    window->definition.sort = D::Sort::ByY;
    ASSERT_TRUE(window->draw());
    const QStringList drawn = classes(window->figure());
    const QStringList drawnPoints = points(window->figure());
    dialogs.clearLog();
    ASSERT_TRUE(window->copyDataPoints());
    EXPECT_EQ(dialogs.texts(), QStringList{"Ready. Data on ClipData sheet!"});
    EXPECT_EQ(clipData.toTsv(), QStringLiteral("Row\tAu\tValue\tRock\r\n"
                                               "1\t0.5\t0.1\tBasalt\r\n"
                                               "2\t12\t1.5\tGranite\r\n"
                                               "3\t12\t2\tGranite\r\n"
                                               "4\t3\t5\tGranite\r\n"));
    const D& d = window->definition;
    EXPECT_EQ(d.source, D::Source::ClipData);
    EXPECT_EQ(d.tables, (std::array<QString, 4>{"ClipData", "ClipData", "", "ClipData"}));
    EXPECT_EQ(window->tableChoices(), QStringList{"ClipData"});
    EXPECT_EQ(window->fieldChoices("ClipData"), (QStringList{"Row", "Au", "Value", "Rock"}));

    ASSERT_TRUE(window->draw());
    EXPECT_EQ(classes(window->figure()), drawn);
    EXPECT_EQ(points(window->figure()), drawnPoints);
}

TEST_P(DiagramWindowTest, AnOpenedGraphFileCopiesItsOwnPointsNotTheLastDrawsRows) {
    // The file's points name rows (1e12, -7, 1e300, 2.5) that no table has: after a draw they
    // once indexed that draw's rows.
    Sheet clipData;
    window->setClipDataSource([&clipData] { return &clipData; });
    plot("Rocks", "Au", "Assays", "Value", "Rocks", "Rock");
    ASSERT_TRUE(window->draw());
    ASSERT_TRUE(window->openGraphFile(testpaths::testData(QStringLiteral("far-rows.akr"))));
    dialogs.clearLog();
    ASSERT_TRUE(window->copyDataPoints());
    EXPECT_EQ(dialogs.texts(), QStringList{"Ready. Data on ClipData sheet!"});
    EXPECT_EQ(clipData.toTsv(), QStringLiteral("Row\tSiO2\tMgO\tClass\r\n"
                                               "1\t72\t0.5\tGranite\r\n"
                                               "2\t70\t0.7\tGranite\r\n"
                                               "3\t49\t8\tBasalt\r\n"
                                               "4\t48\t9\tBasalt\r\n"));
    const D& d = window->definition;
    EXPECT_EQ(d.tables, (std::array<QString, 4>{"ClipData", "ClipData", "", "ClipData"}));
    EXPECT_EQ(d.fields, (std::array<QString, 4>{"SiO2", "MgO", "", "Class"}));
    // The copy draws as the file showed it.
    const QStringList opened = classes(window->figure());
    ASSERT_TRUE(window->draw());
    EXPECT_EQ(classes(window->figure()), (QStringList{"Basalt=2", "Granite=2"}));
    EXPECT_EQ(opened, (QStringList{"Granite=2", "Basalt=2"}));
}

TEST_P(DiagramWindowTest, ATimeTrendPlotsDatesAsSecondsAndCopiesThemAsTheyWere) {
    Sheet clipData;
    const char* sheetRows[][3] = {{"Taken", "Cu", "ID"},
                                  {"2024-05-01", "3", "S1"},
                                  {"n.a.", "4", "S2"},
                                  {"2024-05-02 12:00", "5", "S3"},
                                  {"2024-05-03", "x", "S4"}};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c)
            clipData.setText(r + 1, c + 1, QString::fromLatin1(sheetRows[r][c]));
    window->setClipDataSource([&clipData] { return &clipData; });
    plot("ClipData", "Taken", "ClipData", "Cu");
    window->definition.source = D::Source::ClipData;
    window->definition.graphType = QStringLiteral("Timetrend");
    ASSERT_TRUE(window->draw());
    ASSERT_EQ(window->figure().series.size(), 1u);
    const Series& s = window->figure().series[0];
    EXPECT_EQ(points(window->figure()), (QStringList{"1714521600,3", "1714651200,5"}));
    EXPECT_EQ(s.labelList(), (QStringList{"S1", "S3"}));

    ASSERT_TRUE(window->copyDataPoints());
    EXPECT_EQ(clipData.toTsv(), QStringLiteral("Row\tTaken\tCu\r\n"
                                               "1\t2024-05-01\t3\r\n"
                                               "2\t2024-05-02 12:00\t5\r\n"));
}

// A date field plots on any axis as its time, and the axis shows dates.
TEST_P(DiagramWindowTest, DateFieldsPlotOnXYAxesAsTimes) {
    run(db(), "CREATE TABLE [Visits] ([SampleID] TEXT(20), [Taken] DATE, [Cu] DOUBLE)");
    const QString visit = QStringLiteral("INSERT INTO [Visits] VALUES (?, ?, ?)");
    for (const auto& [id, day, cu] : std::vector<std::tuple<const char*, QDate, double>>{
             {"S1", QDate(2019, 3, 1), 3}, {"S2", QDate(2022, 9, 1), 5}})
        run(db(), visit, {txt(id), CellValue::date(QDateTime(day, QTime(0, 0), Qt::UTC)), num(cu)});
    ASSERT_EQ(SchemaMapper(db(), status)
                  .MapDatabase(session->catalogue(), QStringLiteral("db"), QString(),
                               {true, false, false}),
              SchemaMapper::Outcome::Mapped);
    plot("Visits", "Taken", "Visits", "Cu");
    ASSERT_TRUE(window->draw()) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(points(window->figure()), (QStringList{"1551398400,3", "1661990400,5"}));
    EXPECT_TRUE(window->figure().x.dateTime);
    EXPECT_FALSE(window->figure().y.dateTime);
    EXPECT_LT(window->figure().x.min, 1551398400);
    EXPECT_GT(window->figure().x.max, 1661990400);

    plot("Visits", "Cu", "Visits", "Taken");
    ASSERT_TRUE(window->draw());
    EXPECT_EQ(points(window->figure()), (QStringList{"3,1551398400", "5,1661990400"}));
    EXPECT_FALSE(window->figure().x.dateTime);
    EXPECT_TRUE(window->figure().y.dateTime);
}

TEST_P(DiagramWindowTest, CheckLinkingShowsTheJoinsOrTheMissingLink) {
    plot("Rocks", "Au", "Assays", "Value", "Rocks", "Rock");
    ASSERT_TRUE(window->checkLinking());
    EXPECT_EQ(
        dialogs.texts(),
        QStringList{"Tables are linked as follows\r\n[Rocks].[SampleID]=[Assays].[SampleID]"});
    ASSERT_TRUE(window->draw());
    EXPECT_TRUE(window->activeStatement().startsWith(QLatin1String("SELECT")));

    window->swapXY();
    EXPECT_EQ(window->definition.tables[D::X], QStringLiteral("Assays"));
    EXPECT_EQ(window->definition.fields[D::Y], QStringLiteral("Au"));

    plot("Rocks", "Au", "Holes", "Depth");
    dialogs.clearLog();
    EXPECT_FALSE(window->checkLinking());
    EXPECT_EQ(dialogs.texts(), QStringList{"No link to join tables Rocks and Holes"});
}

TEST_P(DiagramWindowTest, RestoreGraphStateDrawsTheKeptDefinitionAndScale) {
    EXPECT_FALSE(window->restoreGraphState()); // nothing kept yet
    plot("Rocks", "Au", "Assays", "Value", "Rocks", "Rock");
    window->scaleState.freezeX = true;
    window->saveGraphState();
    plot("Rocks", "Au", "Rocks", "Au");
    window->scaleState.freezeX = false;
    ASSERT_TRUE(window->draw());
    ASSERT_TRUE(window->restoreGraphState());
    EXPECT_EQ(window->definition.fields[D::Y], QStringLiteral("Value"));
    EXPECT_TRUE(window->scaleState.freezeX);
    EXPECT_EQ(classes(window->figure()), (QStringList{"Basalt=1", "Granite=3"}));
}

TEST_P(DiagramWindowTest, TheTableBoxesOfferTablesButNotFilters) {
    makeGraniteAndRichAuFilters();
    ASSERT_FALSE(session->catalogue().filters.isEmpty());
    const QStringList tables = window->tableChoices();
    EXPECT_TRUE(tables.contains("Rocks"));
    EXPECT_TRUE(tables.contains("Assays"));
    for (const QString& t : tables)
        EXPECT_FALSE(t.startsWith(QLatin1String("f_"))) << t.toStdString();
    EXPECT_TRUE(window->fieldChoices("Rocks").contains("Rock"));

    // "Check to use queries": stored queries join the tables, filters still do not; a query's
    // fields come from the query and it draws like a table.
    run(db(), "CREATE VIEW [RichRocks] AS SELECT [SampleID], [Au], [Rock] FROM [Rocks] "
              "WHERE [Au] > 2");
    EXPECT_FALSE(window->tableChoices().contains("RichRocks"));
    window->useQueries = true;
    const QStringList withQueries = window->tableChoices();
    EXPECT_TRUE(withQueries.contains("RichRocks"));
    for (const QString& t : withQueries)
        EXPECT_FALSE(t.startsWith(QLatin1String("f_"))) << t.toStdString();
    EXPECT_EQ(window->fieldChoices("RichRocks"), (QStringList{"SampleID", "Au", "Rock"}));
    plot("RichRocks", "Au", "RichRocks", "Au", "RichRocks", "Rock");
    ASSERT_TRUE(window->draw()) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(window->fetchedRows(), 5);
}

TEST_P(DiagramWindowTest, ARedrawKeepsTheFrozenYAxisThePlotAreaAndY2) {
    window->setPlotAreaMeter([](const Figure&) { return QSizeF(400, 300); });
    plot("Rocks", "Au", "Assays", "Value");
    window->setAxisRatio(1.0);
    ASSERT_TRUE(window->draw());
    ASSERT_TRUE(window->figure().plotAreaSize);
    const QSizeF area = *window->figure().plotAreaSize;
    const Axis y = window->figure().y;
    const Axis y2 = window->figure().y2;
    window->scaleState.freezeY = true;
    plot("Rocks", "Au", "Rocks", "Au"); // another Y range: 0.5 ... 12
    ASSERT_TRUE(window->draw());
    ASSERT_TRUE(window->figure().plotAreaSize);
    EXPECT_EQ(*window->figure().plotAreaSize, area);
    EXPECT_EQ(window->figure().y.min, y.min);
    EXPECT_EQ(window->figure().y.max, y.max);
    EXPECT_EQ(window->figure().y2.min, y2.min);
    EXPECT_EQ(window->figure().y2.max, y2.max);
}

INSTANTIATE_TEST_SUITE_P(Engines, DiagramWindowTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

} // namespace
