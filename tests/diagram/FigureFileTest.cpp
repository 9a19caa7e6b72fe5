#include "diagram/FigureFile.h"
#include "diagram/ChartTemplate.h"
#include "diagram/GraphAutoSave.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

Figure sampleFigure() {
    Figure f;
    f.header = QStringLiteral("Cu vs. Au");
    f.subtitles = {QStringLiteral("Filter: f_Gold (n= 2)")};
    Series s;
    s.name = QStringLiteral("Basalt");
    s.points = {{0.5, 10, 0}, {2.5, 20, 4}};
    s.z = {0, 3};
    s.labelTexts = {QStringLiteral("S1"), QStringLiteral("S2")};
    s.style.symbol = SymbolShape::Diamond;
    s.style.color = {10, 20, 30, 200};
    s.connectingLine = true;
    s.valueAxis = AxisId::Y2;
    s.shape = SeriesShape::StackedBars;
    f.series.push_back(s);
    OverlayLine l;
    l.name = QStringLiteral("+2S");
    l.points = {QPointF(1, 5), QPointF(4, 5)};
    l.dash = LineDash::Dashed;
    f.lines.push_back(l);
    f.texts.push_back(
        {QStringLiteral("note"), QPointF(1, 2), {1, 2, 3, 255}, 11, QStringLiteral("TRI_a"), {}});
    f.x.title = QStringLiteral("Au");
    f.x.logarithmic = true;
    f.x.setRange(0.1, 10);
    f.y.grid = GridStyle::Dotted;
    f.y2Visible = true;
    f.legend.position = LegendPosition::BottomLeft;
    f.look.fontFamily = QStringLiteral("Serif");
    f.look.fontSize = 14;
    f.look.italic = true;
    f.look.chartArea = {{250, 240, 200, 255}, {0, 0, 128, 255}, 3};
    f.look.plotArea.borderWidth = 1;
    return f;
}

TEST(FigureFile, KeepsTheWholeFigure) {
    const Figure f = sampleFigure();
    const std::optional<Figure> back = FigureFile::fromJson(FigureFile::toJson(f));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->header, f.header);
    EXPECT_EQ(back->subtitles, f.subtitles);
    ASSERT_EQ(back->series.size(), 1u);
    const Series& s = back->series[0];
    EXPECT_EQ(s.name, "Basalt");
    EXPECT_EQ(s.points, f.series[0].points);
    EXPECT_EQ(s.z, f.series[0].z);
    EXPECT_EQ(s.labelList(), f.series[0].labelList());
    EXPECT_EQ(s.style, f.series[0].style);
    EXPECT_TRUE(s.connectingLine);
    EXPECT_EQ(s.valueAxis, AxisId::Y2);
    EXPECT_EQ(s.shape, SeriesShape::StackedBars);
    ASSERT_EQ(back->lines.size(), 1u);
    EXPECT_EQ(back->lines[0].points, f.lines[0].points);
    EXPECT_EQ(back->lines[0].dash, LineDash::Dashed);
    ASSERT_EQ(back->texts.size(), 1u);
    EXPECT_EQ(back->texts[0].pointSize, 11);
    EXPECT_TRUE(back->x.logarithmic);
    EXPECT_FALSE(back->x.autoMin);
    EXPECT_EQ(back->x.max, 10);
    EXPECT_EQ(back->y.grid, GridStyle::Dotted);
    EXPECT_TRUE(back->y2Visible);
    EXPECT_EQ(back->legend.position, LegendPosition::BottomLeft);
    EXPECT_EQ(back->look, f.look);

    for (const char* junk : {"", "{}", "[1,2]", "{\"format\":\"other\"}"})
        EXPECT_FALSE(FigureFile::fromJson(junk)) << junk;
}

TEST(FigureFile, FilesAndAutomaticSaving) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fig.akr"));
    ASSERT_TRUE(FigureFile::save(path, sampleFigure()));
    const std::optional<Figure> loaded = FigureFile::load(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->header, "Cu vs. Au");
    EXPECT_FALSE(FigureFile::load(dir.filePath(QStringLiteral("none.akr"))));
    EXPECT_FALSE(FigureFile::save(dir.filePath(QStringLiteral("no/such/dir/x.akr")), *loaded));

    const QString graphs = dir.filePath(QStringLiteral("Graphs"));
    const QDate day(2026, 3, 7);
    const QString first = GraphAutoSave::save(graphs, sampleFigure(), day);
    const QString second = GraphAutoSave::save(graphs, sampleFigure(), day);
    EXPECT_EQ(QFileInfo(first).fileName(), "07_03_2026_1.akr");
    EXPECT_EQ(QFileInfo(second).fileName(), "07_03_2026_2.akr");
    EXPECT_EQ(QDir(graphs).entryList(QDir::Files).size(), 2);
    const std::optional<Figure> saved = FigureFile::load(second);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->series.at(0).pointCount(), 2);
    EXPECT_TRUE(GraphAutoSave::save(QString(), sampleFigure(), day).isEmpty());
}

TEST(ChartTemplate, TheUsersDefaultWinsAndDataAndTitlesStay) {
    QTemporaryDir dir;
    const QString user = dir.filePath(QStringLiteral("user"));
    const QString program = dir.filePath(QStringLiteral("program"));
    QDir().mkpath(user);
    QDir().mkpath(program);
    Figure look;
    look.y.logarithmic = true;
    look.legend.position = LegendPosition::BottomRight;
    ASSERT_TRUE(ChartTemplate::save(program + QStringLiteral("/DefChartXY.oc2"), look));
    EXPECT_FALSE(ChartTemplate::loadDefault(QStringLiteral("Bar"), {user, program}));
    auto found = ChartTemplate::loadDefault(QStringLiteral("XY"), {user, program});
    ASSERT_TRUE(found);
    EXPECT_TRUE(found->y.logarithmic);
    look.y.logarithmic = false;
    look.x.reversed = true;
    ASSERT_TRUE(ChartTemplate::save(user + QStringLiteral("/DefChartXY.oc2"), look));
    found = ChartTemplate::loadDefault(QStringLiteral("XY"), {user, program});
    ASSERT_TRUE(found);
    EXPECT_TRUE(found->x.reversed);

    Figure drawn = sampleFigure();
    ChartTemplate::apply(*found, drawn);
    EXPECT_TRUE(drawn.x.reversed);
    EXPECT_FALSE(drawn.x.logarithmic);
    EXPECT_EQ(drawn.x.title, QStringLiteral("Au")); // the figure's own title
    EXPECT_EQ(drawn.series.size(), 1u);
    EXPECT_EQ(drawn.legend.position, LegendPosition::BottomRight);
}

} // namespace
