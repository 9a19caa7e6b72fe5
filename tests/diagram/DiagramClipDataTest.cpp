// Drawing from the ClipData sheet: columns by heading, classify options, multi-set graphs and
// what a logarithmic axis leaves out.
#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "diagram/ClipDataDiagram.h"
#include "diagram/DiagramWindow.h"
#include "figure/ui/FigureExporter.h"
#include "figure/ui/FigurePlot.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Sheet.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <qcustomplot.h>

namespace {

using D = DiagramDefinition;

class DiagramClipDataTest : public ClipDataDiagram<ScriptedDialogs> {
protected:
    void SetUp() override {
        useSheet({"ID\tAu\tCu\tRock", "1\t1\t10\tGranite", "2\t2\t0\t12", "3\t4\t-5\t7",
                  "4\t\t3\tBasalt", "5\t8\t40\t"});
    }

    QStringList classes() const {
        QStringList out;
        for (const Series& s : window.figure().series)
            out << s.name + QLatin1Char('=') + QString::number(s.pointCount());
        return out;
    }
};

TEST_F(DiagramClipDataTest, ClassifyOptionsOverSheetColumns) {
    window.definition.tables[D::Class] = QStringLiteral("ClipData");
    window.definition.fields[D::Class] = QStringLiteral("rock"); // headings match in any case
    ASSERT_TRUE(window.draw()) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(window.fetchedRows(), 4); // the row without Au is left out
    EXPECT_EQ(classes(), (QStringList{"7=1", "12=1", "Granite=1"}));

    dialogs.queueText(QStringLiteral("3"));
    EXPECT_FALSE(window.askClassifyOption());
    EXPECT_EQ(window.classifyMenuCaption(), QStringLiteral("Classify Option = 0"));
    dialogs.queueText(QStringLiteral("1"));
    ASSERT_TRUE(window.askClassifyOption());
    EXPECT_EQ(window.classifyMenuCaption(), QStringLiteral("Classify Option = 1"));
    window.definition.drawNulls = true;
    ASSERT_TRUE(window.draw());
    EXPECT_EQ(classes(), (QStringList{"<Numeric>=2", "Granite=1", "<Null>=1"}));
}

TEST_F(DiagramClipDataTest, AClassifierOrZColumnNotOnTheSheetIsNamed) {
    struct Case {
        const char* type;
        int slot;
        bool drawn;
    } cases[] = {{"XY", D::Class, false}, {"Bubble", D::Z, false}, {"XY", D::Z, true}};
    for (const Case& c : cases) {
        window.definition.graphType = QString::fromLatin1(c.type);
        window.definition.tables = {"ClipData", "ClipData", "", ""};
        window.definition.fields = {"Au", "Cu", "", ""};
        window.definition.tables[size_t(c.slot)] = QStringLiteral("ClipData");
        window.definition.fields[size_t(c.slot)] = QStringLiteral("Zn");
        dialogs.clearLog();
        EXPECT_EQ(window.draw(), c.drawn) << c.type;
        if (!c.drawn)
            EXPECT_EQ(dialogs.texts(),
                      QStringList{"Field Zn can not be found in the table ClipData"})
                << c.type;
        else
            EXPECT_EQ(window.fetchedRows(), 4) << "a Z the type does not use drops no rows";
    }
}

TEST_F(DiagramClipDataTest, MultiGraphSetsAddUpCumulatively) {
    window.definition.graphType = QStringLiteral("XY-MultiGraph");
    window.definition.sets = {{"ClipData", "ID", "ClipData", "Au", ""},
                              {"ClipData", "ID", "ClipData", "Cu", ""}};
    window.definition.cumulative = true;
    ASSERT_TRUE(window.draw()) << dialogs.texts().join('\n').toStdString();
    ASSERT_EQ(classes(), (QStringList{"Cum Au vs. ID=4", "Cum Cu vs. ID=5"}));
    EXPECT_EQ(window.figure().series[0].points.back().y, 15);
    EXPECT_EQ(window.figure().series[1].points.back().y, 48);
}

TEST_F(DiagramClipDataTest, LogAxesLeaveOutNonPositiveValuesAndStillRender) {
    ASSERT_TRUE(window.runCommand(QStringLiteral("AXISYLOG")));
    ASSERT_TRUE(window.runCommand(QStringLiteral("DRAW")));
    EXPECT_EQ(window.figure().logScaleNotes(),
              QStringList{"Log Y axis: 2 points with Y <= 0 are not shown"});
    EXPECT_GT(window.figure().y.min, 0);
    const QString out = testpaths::binaryDir() + QStringLiteral("/test-output");
    QDir().mkpath(out);
    const QString png = out + QStringLiteral("/clipdata-log-y.png");
    ASSERT_TRUE(FigureExporter::save(window.figure(), png, {500, 400}));
    EXPECT_EQ(QImage(png).size(), QSize(500, 400));
}

TEST_F(DiagramClipDataTest, BarsStackAndFilledAreasReachTheChart) {
    window.definition.graphType = QStringLiteral("Stacking bar");
    window.definition.sets = {{"ClipData", "ID", "ClipData", "Au", ""},
                              {"ClipData", "ID", "ClipData", "Cu", ""}};
    ASSERT_TRUE(window.draw());
    QCustomPlot plot;
    FigurePlot::show(window.figure(), plot, {400, 300});
    ASSERT_EQ(plot.plottableCount(), 2);
    auto* lower = qobject_cast<QCPBars*>(plot.plottable(0));
    auto* upper = qobject_cast<QCPBars*>(plot.plottable(1));
    ASSERT_TRUE(lower && upper);
    EXPECT_EQ(upper->barBelow(), lower);

    window.definition.graphType = QStringLiteral("XY & Fill");
    ASSERT_TRUE(window.draw());
    FigurePlot::show(window.figure(), plot, {400, 300});
    ASSERT_GE(plot.graphCount(), 1);
    EXPECT_NE(plot.graph(0)->brush().style(), Qt::NoBrush);
}

TEST_F(DiagramClipDataTest, BubblesGrowWithZ) {
    window.definition.graphType = QStringLiteral("Bubble");
    window.definition.tables[D::Z] = QStringLiteral("ClipData");
    window.definition.fields[D::Z] = QStringLiteral("ID");
    ASSERT_TRUE(window.draw());
    const Series& s = window.figure().series.at(0);
    ASSERT_EQ(s.pointCount(), 4);
    EXPECT_EQ(s.zAt(3), 5);
    QCustomPlot plot;
    FigurePlot::show(window.figure(), plot, {400, 300});
    // IDs 1, 2, 3 and 5 give four symbol sizes, the largest for 5.
    ASSERT_EQ(plot.graphCount(), 4);
    double largest = 0;
    for (int i = 0; i < plot.graphCount(); ++i)
        largest = std::max(largest, plot.graph(i)->scatterStyle().size());
    EXPECT_EQ(largest, 30);
}

TEST_F(DiagramClipDataTest, LegendMenuAndAFrozenUserScaleOutliveTheNextDraw) {
    window.definition.tables[D::Class] = QStringLiteral("ClipData");
    window.definition.fields[D::Class] = QStringLiteral("Rock");
    ASSERT_TRUE(window.draw());
    EXPECT_EQ(window.legendMenuCaption(), QStringLiteral("Hide Legend"));
    window.toggleLegend();
    EXPECT_EQ(window.legendMenuCaption(), QStringLiteral("Show Legend"));
    window.orderLegend({"Granite", "7"});
    EXPECT_EQ(classes(), (QStringList{"Granite=1", "7=1", "12=1"}));
    EXPECT_FALSE(window.figure().series[2].showInLegend); // left out of the legend, still drawn

    EXPECT_FALSE(window.setAxisScale(AxisId::X, QStringLiteral("5"), QStringLiteral("1")));
    EXPECT_FALSE(window.setAxisScale(AxisId::X, QStringLiteral("a"), QStringLiteral("1")));
    EXPECT_EQ(dialogs.texts().size(), 2u);
    ASSERT_TRUE(window.setAxisScale(AxisId::X, QStringLiteral("0"), QStringLiteral("20")));
    window.scaleState.freezeX = true; // a frozen axis keeps its range on redraw
    ASSERT_TRUE(window.draw());
    EXPECT_EQ(window.figure().x.min, 0);
    EXPECT_EQ(window.figure().x.max, 20);
    EXPECT_FALSE(window.figure().legend.visible);
    window.scaleState.freezeX = false;
    ASSERT_TRUE(window.draw());
    EXPECT_NE(window.figure().x.max, 20);
}

TEST_F(DiagramClipDataTest, TitleOptionsAndSavingOnEachCopy) {
    window.tableNameInTitles = true;
    window.showYTitle = false;
    ASSERT_TRUE(window.draw());
    EXPECT_EQ(window.figure().x.title, QStringLiteral("ClipData.Au"));
    EXPECT_FALSE(window.figure().y.titleVisible);
    EXPECT_EQ(window.figure().header, QStringLiteral("Cu vs. Au"));

    QTemporaryDir dir;
    window.graphsFolder = dir.filePath(QStringLiteral("Graphs"));
    window.pictureCopied(); // automatic saving is off
    EXPECT_FALSE(QDir(window.graphsFolder).exists());
    window.autoSave = GraphAutoSave::Mode::EachCopy;
    ASSERT_TRUE(window.draw()); // drawing alone saves nothing in this mode
    EXPECT_FALSE(QDir(window.graphsFolder).exists());
    window.pictureCopied();
    EXPECT_EQ(QDir(window.graphsFolder).entryList({"*.akr"}, QDir::Files).size(), 1);
}

TEST_F(DiagramClipDataTest, ScaleDialogAndAFixedRatio) {
    ASSERT_TRUE(window.draw());
    EXPECT_FALSE(window.applyScaleDialog({"0", "x", "0", "50"}));
    EXPECT_EQ(dialogs.texts().back(), QStringLiteral(" Please enter numeric value for scale"));
    ASSERT_TRUE(window.applyScaleDialog({"0", "10", "-10", "50"}));
    EXPECT_EQ(window.figure().y.min, -10);
    EXPECT_EQ(window.figure().y2.max, 50); // the second Y axis follows

    dialogs.queueText(QStringLiteral("abc"));
    EXPECT_FALSE(window.askAxisRatio());
    EXPECT_EQ(dialogs.texts().back(), QStringLiteral("Format not correct!"));
    EXPECT_FALSE(window.scaleState.ratioFixed);
    window.setPlotAreaMeter([](const Figure&) { return QSizeF(400, 300); });
    dialogs.queueText(QStringLiteral("1:2"));
    ASSERT_TRUE(window.askAxisRatio());
    EXPECT_EQ(window.scaleState.xPerYRatio, 0.5);
    ASSERT_TRUE(window.figure().plotAreaSize);
    EXPECT_EQ(*window.figure().plotAreaSize, QSizeF(150, 300));
    window.setAxisRatio(std::nullopt);
    EXPECT_FALSE(window.figure().plotAreaSize);
}

TEST_F(DiagramClipDataTest, TheFigureLogDrawsAnEntryAgain) {
    ASSERT_TRUE(window.draw());
    window.definition.fields[D::Y] = QStringLiteral("ID");
    ASSERT_TRUE(window.draw());
    EXPECT_EQ(window.figureLog(), (QStringList{"Cu vs. Au", "ID vs. Au"}));
    ASSERT_TRUE(window.drawFromLog(0));
    EXPECT_EQ(window.figure().header, QStringLiteral("Cu vs. Au"));
    EXPECT_EQ(window.figureLog().size(), 2);
    EXPECT_FALSE(window.drawFromLog(2));
    window.clearLog();
    EXPECT_TRUE(window.figureLog().isEmpty());
}

TEST_F(DiagramClipDataTest, AnEmptySheetOrUnknownColumnDrawsNothing) {
    window.definition.fields[D::Y] = QStringLiteral("Zn");
    EXPECT_FALSE(window.draw());
    sheet.clear();
    EXPECT_FALSE(window.draw());
    EXPECT_EQ(dialogs.texts(), (QStringList{"Missing X or Y Table or Element",
                                            "ClipData is empty, paste new data."}));
}

} // namespace
