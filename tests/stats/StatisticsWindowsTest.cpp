// The descriptive statistics, box-and-whisker and distribution windows: their controllers'
// results and messages on SQLite and on the live PostgreSQL server, and the windows reached
// through the frame's "Statistics" menu, drawing pictures that are checked by their pixels.
#include "app/FrameSession.h"
#include "clipdata/ClipDataWindow.h"
#include "diagram/FigureFile.h"
#include "figure/ChartPropertyQuestions.h"
#include "figure/ui/FigureExporter.h"
#include "platform/HeadlessStatus.h"
#include "platform/TransactionScope.h"
#include "stats/BoxPlotWindow.h"
#include "stats/BoxWhiskerSettings.h"
#include "stats/DescriptiveStatistics.h"
#include "stats/DistributionClasses.h"
#include "stats/DistributionWindow.h"
#include "stats/ui/BoxPlotView.h"
#include "stats/ui/BoxWhiskerOptionsDialog.h"
#include "stats/ui/DistributionView.h"
#include "stats/ui/SheetDialog.h"
#include "support/EngineSession.h"
#include "support/PgScratchSchema.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QRadioButton>
#include <QTableView>

namespace {
QStringList intervals(const std::optional<DistributionClasses::Classes>& classes) {
    QStringList out;
    if (classes)
        for (const DistributionClass& c : *classes)
            out << c.interval();
    return out;
}

// Pixels of about the colour in the picture.
int pixelsNear(const QImage& image, QColor color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - color.red()) + std::abs(p.green() - color.green()) +
                    std::abs(p.blue() - color.blue()) <
                40)
                ++n;
        }
    return n;
}
// Thirty samples: Rock "A/B" (1..12), "a/b" (13..26), "Dyke" (27..30); Cu = i but 100 for
// sample 13; Ni only Null; W 1 for odd and 3 for even samples; Class empty for writing.
void fillChem(Connection& db) {
    ASSERT_TRUE(db.execute(QStringLiteral(
        "CREATE TABLE [Chem] ([SampleNo] TEXT(10) CONSTRAINT [pkChem] PRIMARY KEY, [Rock] "
        "TEXT(10), [Cu] DOUBLE, [Ni] DOUBLE, [W] DOUBLE, [Class] TEXT(20))")))
        << db.lastError().toStdString();
    TransactionScope t(db);
    for (int i = 1; i <= 30; ++i)
        ASSERT_TRUE(db.execute(QStringLiteral("INSERT INTO [Chem] VALUES (?, ?, ?, ?, ?, ?)"),
                               {CellValue::text(QStringLiteral("S-%1").arg(i)),
                                CellValue::text(i <= 12   ? QStringLiteral("A/B")
                                                : i <= 26 ? QStringLiteral("a/b")
                                                          : QStringLiteral("Dyke")),
                                CellValue::number(i == 13 ? 100 : i), CellValue::null(),
                                CellValue::number(i % 2 ? 1 : 3), CellValue::null()}))
            << db.lastError().toStdString();
    ASSERT_TRUE(t.commit());
}
} // namespace

TEST(DistributionClassesTest, GeneratorsMakeTheirClassesAndRefuseWhatCannotEnd) {
    DistributionClasses make(100);
    const struct {
        const char* what;
        std::optional<DistributionClasses::Classes> made;
        QStringList expected;
        bool refused;
    } cases[] = {
        {"0..10 in 5 classes",
         make.byCount(0, 10, 5),
         {"]0,2]", "]2,4]", "]4,6]", "]6,8]", "]8,10]"},
         false},
        {"log 1..1000", make.logDecades(1, 1000), {"]1,10]", "]10,100]", "]100,1000]"}, false},
        // log10 2 rounds to 0 and log10 9 to 1: one decade, as the rounding rule says.
        {"log 2..9", make.logDecades(2, 9), {"]1,10]"}, false},
        {"by range, last beyond max", make.byRange(0, 5, 2), {"]0,2]", "]2,4]", "]4,6["}, false},
        {"regenerate holds min and max",
         make.regenerate(0, 1, 3),
         {"[0,0.333333]", "]0.333333,0.666667]", "]0.666667,1]"},
         false},
        {"negative range", make.byRange(0, 10, -1), {}, true},
        {"zero range", make.byRange(0, 10, 0), {}, true},
        {"zero classes", make.byCount(0, 10, 0), {}, true},
        {"negative classes", make.regenerate(0, 10, -3), {}, true},
        {"above the limit", make.byCount(0, 10, 101), {}, true},
        {"range above the limit", make.byRange(0, 1e9, 1), {}, true},
        {"log of zero", make.logDecades(0, 100), {}, true},
        {"min above max", make.byCount(5, 1, 3), {}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(intervals(c.made), c.expected) << c.what;
        EXPECT_EQ(!c.made && c.refused, c.refused) << c.what;
    }
    // Many narrow classes keep exact bounds: the 1000th ends at max, not near it.
    const auto fine = DistributionClasses(5000).byCount(0, 0.1, 1000);
    ASSERT_TRUE(fine);
    EXPECT_EQ(*fine->back().to, 0.1);
    EXPECT_EQ(*(*fine)[500].from, 500 * (0.1 / 1000));
}

double cell(const Sheet& s, int row, int column) {
    return s.number(row, column).value_or(-999);
}

// The Chem table on a real engine: a SQLite file, or a schema of the test's own on the
// PostgreSQL server (skipped without QUV_PG_CONNINFO), opened as the main window opens one.
class StatisticsEnginesTest : public EngineSession {
protected:
    void SetUp() override { openSession(QStringLiteral("quv_stats"), fillChem); }
};

INSTANTIATE_TEST_SUITE_P(Engines, StatisticsEnginesTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

TEST_P(StatisticsEnginesTest, DescriptiveStatisticsFillsASheetPerClassByFieldName) {
    DescriptiveStatistics full(*session, dialogs, status);
    full.table = QStringLiteral("Chem");
    full.classTable = QStringLiteral("Chem");
    full.classField = QStringLiteral("Rock");
    full.weightField = QStringLiteral("W");
    ASSERT_TRUE(full.execute()) << dialogs.texts().join(u'|').toStdString();
    // Classes differing in case and holding "/" get sheets of their own.
    EXPECT_EQ(full.sheets().sheetNames(), (QStringList{"WholeData", "A_B", "Dyke", "a_b (2)"}));
    ASSERT_EQ(full.sheets().sheetCount(), 4);
    const Sheet& whole = *full.sheets().sheetAt(1);
    // Columns: Rock (the classifier), then Chem.*: SampleNo, Rock, Cu, Ni, W, Class.
    ASSERT_EQ(whole.text(1, 5), QStringLiteral("Cu"));
    EXPECT_EQ(whole.text(3, 1), QStringLiteral("AVG"));
    // Weighted by W (1 for odd, 3 for even samples), found by name after the classifier.
    double sum = 0, weights = 0;
    for (int i = 1; i <= 30; ++i) {
        const double w = i % 2 ? 1 : 3;
        sum += w * (i == 13 ? 100 : i);
        weights += w;
    }
    EXPECT_DOUBLE_EQ(cell(whole, 3, 5), sum / weights);
    // The Null-only field: N is 0 and the other sixteen are empty.
    EXPECT_EQ(cell(whole, 2, 6), 0);
    for (int r = 3; r <= 18; ++r)
        EXPECT_TRUE(whole.isEmpty(r, 6)) << r;
    EXPECT_EQ(cell(*full.sheets().findSheet(QStringLiteral("Dyke")), 2, 5), 4);

    // Copy averages: headings and one line per sheet; without a classifier two lines.
    EXPECT_EQ(full.copyAverages().trimmed().split(u'\n').size(), 5);
    full.classField.clear();
    full.weightField.clear();
    ASSERT_TRUE(full.execute());
    const QStringList lines = full.copyAverages().trimmed().split(u'\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("WholeData\t"))) << lines[1].toStdString();
    ASSERT_TRUE(full.copySheet(0));
    EXPECT_TRUE(full.copySheet(0)->startsWith(QStringLiteral("\tSampleNo\tRock\tCu")));

    const QString xlsx = dir.filePath(QStringLiteral("stats.xlsx"));
    EXPECT_TRUE(full.save(xlsx));
    EXPECT_GT(QFileInfo(xlsx).size(), 0);
    full.table.clear();
    dialogs.clearLog();
    EXPECT_FALSE(full.execute());
    EXPECT_EQ(dialogs.texts(), QStringList{"Select table ('Statistics of the table')"});
}

TEST_P(StatisticsEnginesTest, BoxPlotDropsSmallClassesAndKeepsValidPercentiles) {
    BoxWhiskerSettings settings;
    EXPECT_EQ(settings.minimumClassSize, 10);
    EXPECT_EQ(settings.minimumFullBoxSize, 5);
    const BoxWhiskerSettings reset = BoxWhiskerSettings::resetValues();
    EXPECT_EQ(std::tuple(reset.upperPercentile, reset.lowerPercentile, reset.outlierCoefficient,
                         reset.minimumClassSize, reset.minimumFullBoxSize),
              std::tuple(75.0, 25.0, 1.5, 5, 10));

    BoxPlotWindow box(*session, dialogs, status, settings);
    box.statTable = box.classTable = QStringLiteral("Chem");
    box.statField = QStringLiteral("Cu");
    box.classField = QStringLiteral("Rock");
    box.lowerText = QStringLiteral("30");
    box.upperText = QStringLiteral("20");
    box.order = BoxPlotWindow::Order::Decr;
    ASSERT_TRUE(box.draw()) << dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(std::pair(box.lowerText, box.upperText), std::pair(QString("25"), QString("75")));
    // "Dyke" has 4 samples, below the 10 a class needs; decreasing medians: a/b before A/B.
    ASSERT_EQ(box.boxes().size(), 2u);
    EXPECT_EQ(box.boxes()[0].name, QStringLiteral("a/b"));
    EXPECT_EQ(box.boxes()[0].outlierHigh.size() + box.boxes()[0].extremeHigh.size(), 1u);
    const Sheet table = box.boxTable();
    EXPECT_EQ(table.lastColumn(), 13);
    EXPECT_EQ(table.lastRow(), 3);
    EXPECT_EQ(table.text(1, 6), QStringLiteral("25 percentile"));
    EXPECT_EQ(cell(table, 3, 2), 12); // A/B: samples 1..12
    EXPECT_EQ(cell(table, 3, 7), 6.5);

    dialogs.queueText(QStringLiteral("50"));
    dialogs.queueText(QStringLiteral("10"));
    box.scale();
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Minimum >= maximum"));

    // Classes too small for a box: the empty chart says why.
    box.classField = QStringLiteral("SampleNo");
    ASSERT_TRUE(box.draw());
    EXPECT_TRUE(box.boxes().empty());
    EXPECT_EQ(status.texts().last(),
              QStringLiteral("No box drawn: no class has 10 or more values of Cu"));
}

TEST_P(StatisticsEnginesTest, DistributionCountsBoundsAndWritesClassesByKey) {
    DistributionWindow dist(*session, dialogs, status);
    dist.table = QStringLiteral("Chem");
    dist.field = QStringLiteral("Cu");
    dist.classesText = QStringLiteral("3");
    ASSERT_TRUE(dist.draw()) << dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(std::pair(dist.minUsed, dist.maxUsed), std::pair(QString("1"), QString("100")));

    // Classes ]0,10], ]10,20], ]20,30]: 10 and 20 sit on upper bounds, 13 became 100 and
    // lies outside.
    for (const char* answer : {"0", "30", "3"})
        dialogs.queueText(QString::fromLatin1(answer));
    ASSERT_TRUE(dist.equalRangeByCount());
    EXPECT_TRUE(dist.manualClasses);
    const Sheet t = dist.classTable();
    EXPECT_EQ((std::vector{cell(t, 2, 7), cell(t, 3, 7), cell(t, 4, 7)}),
              (std::vector{10.0, 9.0, 10.0}));
    EXPECT_EQ(dist.outside(), 1);
    EXPECT_EQ(cell(t, 4, 9), 29);  // cumulative up
    EXPECT_EQ(cell(t, 2, 11), 29); // cumulative down
    EXPECT_EQ(dist.figure().y.title, QStringLiteral("n (tot=30) Outside ranges n=1 (3.3%)"));

    // A text field read as numbers gives no classes, and the failure says so.
    DistributionWindow rocks(*session, dialogs, status);
    rocks.table = QStringLiteral("Chem");
    rocks.field = QStringLiteral("Rock");
    EXPECT_FALSE(rocks.draw());
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Distrubution calculation failed\r\nThere "
                                                     "are no classes: Rock holds no numbers to "
                                                     "make them from."));

    // An open "From" is refused below the first row.
    dialogs.queueText(QString());
    EXPECT_FALSE(dist.insertRow(1));
    EXPECT_EQ(dialogs.texts().last(),
              QStringLiteral("Only the first class can be open in this end"));
    for (const char* answer : {"-5", "0"})
        dialogs.queueText(QString::fromLatin1(answer));
    EXPECT_FALSE(dist.logScale());
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("A log scale needs a minimum above 0"));

    // Class files round-trip.
    const QString file = dir.filePath(QStringLiteral("classes.txt"));
    ASSERT_TRUE(dist.saveClasses(file));
    const auto before = dist.classes();
    dist.clearClasses();
    ASSERT_TRUE(dist.openClasses(file));
    ASSERT_EQ(dist.classes().size(), before.size());
    EXPECT_EQ(dist.classes()[2].interval(), before[2].interval());

    ASSERT_TRUE(dist.refresh());
    dialogs.queueText(QStringLiteral("Class"));
    ASSERT_TRUE(dist.writeInDatabase()) << dialogs.texts().join(u'|').toStdString();
    // The engines sort Null apart: count each class by itself.
    QStringList written;
    for (const char* name : {"]0,10]", "]10,20]", "]20,30]"}) {
        const auto n = session->connection()->query(
            QStringLiteral("SELECT COUNT(*) FROM [Chem] WHERE [Class] = ?"),
            {CellValue::text(QString::fromLatin1(name))});
        ASSERT_TRUE(n) << session->connection()->lastError().toStdString();
        written << n->at(0, 0).toText();
    }
    EXPECT_EQ(written, (QStringList{"10", "9", "10"}));
    const auto left = session->connection()->query(
        QStringLiteral("SELECT [SampleNo] FROM [Chem] WHERE [Class] Is Null"));
    ASSERT_TRUE(left);
    ASSERT_EQ(left->rowCount(), 1); // 100 lies outside: left as it was
    EXPECT_EQ(left->at(0, 0).toText(), QStringLiteral("S-13"));
}

class StatisticsWindowsTest : public FrameSession {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(openFrame(fillChem)); }
};

TEST_F(StatisticsWindowsTest, TheStatisticsMenuOpensWindowsThatDrawPictures) {
    frame.resize(1200, 800);
    frame.show();
    actionAt(frame.menuBar(), {"&Statistics", "&Box && Whisker Graph..."})->trigger();
    auto* box = frame.area()->activeSubWindow()->widget();
    auto* boxView = qobject_cast<BoxPlotView*>(box);
    ASSERT_TRUE(boxView);
    box->findChild<QComboBox*>(QStringLiteral("ComboStatT"))->setCurrentText("Chem");
    box->findChild<QComboBox*>(QStringLiteral("ComboStatE"))->setCurrentText("Cu");
    box->findChild<QComboBox*>(QStringLiteral("ComboClassT"))->setCurrentText("Chem");
    box->findChild<QComboBox*>(QStringLiteral("ComboClassE"))->setCurrentText("Rock");
    ASSERT_TRUE(boxView->draw()) << dialogs.texts().join(u'|').toStdString();
    const QImage boxes = FigureExporter::image(boxView->controller().figure(), {640, 480});
    EXPECT_GT(pixelsNear(boxes, QColor(0, 0, 160)), 200); // box edges
    EXPECT_GT(pixelsNear(boxes, QColor(200, 0, 0)), 40);  // medians
    // "Save" keeps the figure as a graph file the diagram window opens.
    const QString akr = dir.filePath(QStringLiteral("boxes.akr"));
    dialogs.queueText(akr);
    actionAt(box->findChild<QMenuBar*>(), {"&File", "Save"})->trigger();
    QFile saved(akr);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const auto reopened = FigureFile::fromJson(saved.readAll());
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->series.size(), boxView->controller().figure().series.size());
    // "Chart Properties....": a typed title holds over redraws, an empty one gives the drawn one.
    for (const char* a : {"Cu by rock", "", "Cu ppm"})
        dialogs.queueText(QString::fromLatin1(a));
    actionAt(box->findChild<QMenuBar*>(), {"O&ptions", "Chart Properties...."})->trigger();
    ASSERT_TRUE(boxView->draw());
    const Figure& titled = boxView->controller().figure();
    EXPECT_EQ(std::tuple(titled.header, titled.x.title, titled.y.title),
              std::tuple(QString("Cu by rock"), QString("Rock"), QString("Cu ppm")));
    // The options dialog's "&Reset" puts 5 and 10 into the minimum counts.
    auto* options = qobject_cast<BoxWhiskerOptionsDialog*>(boxView->showOptions());
    ASSERT_TRUE(options);
    options->reset();
    EXPECT_EQ(options->box(QStringLiteral("txtnMin"))->text(), QStringLiteral("5"));
    EXPECT_EQ(options->box(QStringLiteral("Text1"))->text(), QStringLiteral("10"));
    options->close();

    actionAt(frame.menuBar(), {"&Statistics", "D&istribution..."})->trigger();
    auto* dist = qobject_cast<DistributionView*>(frame.area()->activeSubWindow()->widget());
    ASSERT_TRUE(dist);
    dist->findChild<QComboBox*>(QStringLiteral("Table"))->setCurrentText("Chem");
    dist->findChild<QComboBox*>(QStringLiteral("Column"))->setCurrentText("Cu");
    ASSERT_TRUE(dist->draw()) << dialogs.texts().join(u'|').toStdString();
    const QImage bars = FigureExporter::image(dist->controller().figure(), {640, 480});
    EXPECT_GT(pixelsNear(bars, QColor(70, 110, 190)), 2000);
    EXPECT_EQ(dist->controller().figure().y.title, QStringLiteral("n (tot=30)"));
    EXPECT_EQ(dist->controller().outside(), 0);

    actionAt(frame.menuBar(), {"&Statistics", "&Descriptive statistics..."})->trigger();
    EXPECT_EQ(frame.area()->activeSubWindow()->widget()->windowTitle(),
              DescriptiveStatistics::caption());
    EXPECT_EQ(frame.area()->subWindowList().size(), 3);

    // The grid's "Tools" menu opens them on its own table.
    GridWindow* grid =
        frame.openGrid(QStringLiteral("SELECT * FROM [Chem]"), QStringLiteral("Chem"));
    ASSERT_TRUE(grid);
    dist->findChild<QComboBox*>(QStringLiteral("Table"))->setCurrentIndex(-1);
    QAction* fromGrid = actionAt(grid->findChild<QMenuBar*>(), {"&Tools", "Distribution..."});
    ASSERT_TRUE(fromGrid);
    fromGrid->trigger();
    EXPECT_EQ(frame.area()->activeSubWindow()->widget(), dist);
    EXPECT_EQ(dist->findChild<QComboBox*>(QStringLiteral("Table"))->currentText(), "Chem");
}

TEST_F(StatisticsWindowsTest, TheWindowsOpenWhereTheyWereClosed) {
    frame.resize(1200, 800);
    frame.show();
    const struct {
        const char* name;
        std::function<QWidget*()> open;
    } children[] = {
        {"FullStat", [this] { return frame.openDescriptiveStatistics(); }},
        {"stat", [this] { return frame.openBoxPlot(); }},
        {"Distribution", [this] { return frame.openDistribution(); }},
    };
    for (const auto& c : children) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.open());
        QMdiSubWindow* child = frame.area()->activeSubWindow();
        const QRect placed(QPoint(30, 40), child->minimumSizeHint() + QSize(20, 10));
        child->setGeometry(placed);
        child->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(frame.area()->subWindowList().isEmpty());
        EXPECT_EQ(geometry.load(QString::fromLatin1(c.name)).width, placed.width());
        ASSERT_TRUE(c.open());
        EXPECT_EQ(frame.area()->activeSubWindow()->geometry(), placed);
        frame.area()->activeSubWindow()->close();
    }

    // The box plot's "Statistics" table keeps its size too, the options dialog only its place.
    auto* box = qobject_cast<BoxPlotView*>(frame.openBoxPlot());
    ASSERT_TRUE(box);
    const struct {
        const char* name;
        std::function<QWidget*()> open;
        std::optional<int> storedWidth;
    } dialogs[] = {
        {"ShowStat", [box] { return box->showStatistics(); }, 520},
        {"BWDialog", [box] { return box->showOptions(); }, std::nullopt},
    };
    for (const auto& d : dialogs) {
        SCOPED_TRACE(d.name);
        QWidget* w = d.open();
        w->move(70, 80);
        w->resize(520, 330);
        w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const WindowRect stored = geometry.load(QString::fromLatin1(d.name));
        EXPECT_EQ(std::pair(stored.left, stored.width),
                  std::pair(std::optional(70), d.storedWidth));
        w = d.open();
        EXPECT_EQ(w->pos(), QPoint(70, 80));
        w->close();
    }
}

TEST_F(StatisticsWindowsTest, TheDistributionMenusChangeTheChartLabelsAndClasses) {
    frame.resize(1200, 800);
    frame.show();
    auto* dist = qobject_cast<DistributionView*>(frame.openDistribution(QStringLiteral("Chem")));
    ASSERT_TRUE(dist);
    dist->findChild<QComboBox*>(QStringLiteral("Column"))->setCurrentText("Cu");
    ASSERT_TRUE(dist->draw()) << dialogs.texts().join(u'|').toStdString();
    DistributionWindow& w = dist->controller();
    const auto labelTexts = [&w] {
        QStringList out;
        for (const OverlayText& t : w.figure().texts)
            out << t.text;
        return out;
    };
    const auto check = [&](const char* name, bool on) {
        dist->findChild<QCheckBox*>(QString::fromLatin1(name))->setChecked(on);
    };
    size_t classCount = 0;
    // Classes ]1,10.9] ... of 1..30 and 100: the first holds 1..10.
    const struct {
        QStringList path;
        QStringList answers;
        std::function<void()> before;
        std::function<bool()> done;
    } steps[] = {
        {{"&Chart", "&Bar Colour..."},
         {"#00a000"},
         {},
         [&] {
             return pixelsNear(FigureExporter::image(w.figure(), {640, 480}), QColor(0, 160, 0)) >
                    2000;
         }},
        {{},
         {},
         [&] {
             dist->findChild<QComboBox*>(QStringLiteral("optLab"))->setCurrentText("Max");
             check("chkLabels", true);
         },
         [&] { return labelTexts().value(0) == QStringLiteral("10.00"); }},
        {{}, {}, [&] { check("chkValues", true); }, [&] { return labelTexts().value(0) == "10"; }},
        {{"&Chart", "&Show Grid"}, {}, {}, [&] { return w.figure().y.grid != GridStyle::None; }},
        {{"&Chart", "X Is &Reversed"}, {}, {}, [&] { return w.figure().x.reversed; }},
        {{"&Chart", "&Y Is Log"}, {}, {}, [&] { return w.figure().y.logarithmic; }},
        {{"&Chart", "X &Scale"},
         {"0", "5"},
         {},
         [&] { return std::pair(w.figure().x.min, w.figure().x.max) == std::pair(0.0, 5.0); }},
        {{"&Chart", "Y Scale"},
         {"1", "50"},
         {},
         [&] { return std::pair(w.figure().y.min, w.figure().y.max) == std::pair(1.0, 50.0); }},
        {{"&Chart", "&Headers..."}, {"Copper"}, {}, [&] { return w.figure().header == "Copper"; }},
        {{"&Chart", "S&pace between Bars..."},
         {"50"},
         {},
         [&] { return w.figure().barWidth == 0.5; }},
        {{"&Chart", "X title options"},
         {"Cu ppm"},
         {},
         [&] { return w.figure().x.title == "Cu ppm"; }},
        {{"X &Labels", "Rotate labels"}, {}, {}, [&] { return w.figure().x.labelRotation == 90; }},
        {{"&Chart", "Plot Area Options..."},
         {"#ffff00", "#000000", "0"},
         {},
         [&] {
             return pixelsNear(FigureExporter::image(w.figure(), {640, 480}), Qt::yellow) > 20000;
         }},
        {{"&Chart", "Chart Area Options..."},
         {"#ffffff", "#008000", "2"},
         {},
         [&] {
             return FigureExporter::image(w.figure(), {640, 480}).pixelColor(0, 0) ==
                    QColor(0, 128, 0);
         }},
        {{"&Chart", "&Font..."},
         {"Serif", "14"},
         {},
         [&] { return w.figure().look.fontSize == 14; }},
        {{"&Chart", "&Chart Properties"},
         {"Copper grades", "Cu ppm", "samples"},
         {},
         [&] {
             return std::tuple(w.figure().header, w.figure().x.title, w.figure().y.title) ==
                    std::tuple(QString("Copper grades"), QString("Cu ppm"), QString("samples"));
         }},
        {{"&Chart", "3D View..."},
         {},
         {},
         [&] { return dialogs.texts().contains(ChartPropertyQuestions::noThreeDimensions()); }},
        {{"&Edit", "Define groups..."},
         {"200", "300"},
         [&] {
             actionAt(dist->menuBar(), {"&File", "Show Table"})->setChecked(false);
             classCount = w.classes().size();
         },
         [&] {
             return w.classes().size() == classCount + 1 && w.classes().back().to == 300.0 &&
                    dist->classTable()->isVisible() &&
                    w.figure().x.categoryLabels.size() == qsizetype(classCount + 1);
         }},
        {{"X &Labels", "Show only number"},
         {},
         {},
         [&] { return w.figure().x.categoryLabels.value(1) == QStringLiteral("2"); }},
        {{"X &Labels", "Show every nth label, n=1"},
         {"3"},
         {},
         [&] { return w.figure().x.labelFrequency == 3; }},
        // A gap between typed classes closes: ]0,10] reaches up to 20, where ]20,30] begins.
        {{"Classes", "Fill Ranges"},
         {},
         [&] {
             w.setClasses({{0, 10, true, false, {}, {}}, {20, 30, true, false, {}, {}}});
             w.manualClasses = true;
         },
         [&] {
             const Sheet t = w.classTable();
             return w.classes()[0].interval() == QStringLiteral("]0,20]") &&
                    t.number(2, 7) == 19.0 && t.number(3, 7) == 10.0;
         }},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.path.join(" > ").toStdString());
        for (const QString& a : s.answers)
            dialogs.queueText(a);
        if (s.before)
            s.before();
        if (!s.path.isEmpty()) {
            QAction* a = actionAt(dist->menuBar(), s.path);
            ASSERT_TRUE(a);
            a->trigger();
        }
        EXPECT_TRUE(s.done()) << dialogs.texts().join(u'|').toStdString();
    }

    // "&View data": a row per fetched value with its key and the class it was counted in.
    actionAt(dist->menuBar(), {"Classes", "Redraw Graph"})->trigger();
    actionAt(dist->menuBar(), {"&File", "&View data"})->trigger();
    auto* shown = dist->findChild<SheetDialog*>(QStringLiteral("ViewData"));
    ASSERT_TRUE(shown);
    const Sheet& rows = shown->sheet();
    EXPECT_EQ(rows.lastRow() - 1, w.classTable().number(2, 7).value_or(0) +
                                      w.classTable().number(3, 7).value_or(0) + w.outside());
    EXPECT_EQ(std::tuple(rows.text(1, 3), rows.number(2, 2), rows.text(2, 3)),
              std::tuple(QString("Class"), std::optional(1.0), w.classes()[0].name));
    shown->close();

    // "Field is:" "Forced to text" counts ClipData texts by the classes' names, with or without
    // regard to case.
    Sheet& clip = frame.clipData()->sheet().activePage();
    const char* rocks[] = {"Rock", "A", "b", "B", "7"};
    for (int r = 0; r < 5; ++r)
        clip.setText(r + 1, 1, QString::fromLatin1(rocks[r]));
    check("chkClipData", true);
    dist->findChild<QComboBox*>(QStringLiteral("Column"))->setCurrentText("Rock");
    ASSERT_TRUE(dist->draw()) << dialogs.texts().join(u'|').toStdString();
    for (QRadioButton* b : dist->findChildren<QRadioButton*>())
        if (b->text() == QStringLiteral("Forced to text"))
            b->setChecked(true);
    for (bool caseSensitive : {false, true}) {
        check("chkCaseSense", caseSensitive);
        w.setClasses({{{}, {}, true, false, "a", "a"}, {{}, {}, true, false, "b", "b"}});
        actionAt(dist->menuBar(), {"Classes", "Redraw Graph"})->trigger();
        const Sheet t = w.classTable();
        EXPECT_EQ(std::tuple(t.number(2, 7), t.number(3, 7), w.outside()),
                  caseSensitive ? std::tuple(std::optional(0.0), std::optional(1.0), qsizetype(3))
                                : std::tuple(std::optional(1.0), std::optional(2.0), qsizetype(1)))
            << caseSensitive;
    }
}
