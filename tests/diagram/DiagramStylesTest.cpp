// Styles in the diagram window's draw: a class keeps its look wherever it stands (also in a
// filtered figure, checked in the rendered PNG), AutoStyle gives library styles by name, the
// window's style table by name, and the File menu's style files round trip.
#include "diagram/DiagramStyles.h"
#include "diagram/ClipDataDiagram.h"
#include "figure/StyleFile.h"
#include "figure/StylePalette.h"
#include "figure/ui/FigureExporter.h"
#include "figure/ui/FigurePlot.h"
#include "filter/FilterSession.h"
#include "filter/FilterWindow.h"
#include "platform/ScriptedDialogs.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <qcustomplot.h>

namespace {

using D = DiagramDefinition;

SeriesStyle look(SymbolShape shape, FigureColor color) {
    SeriesStyle s;
    s.symbol = shape;
    s.color = color;
    s.lineColor = color;
    return s;
}

const Series& named(const Figure& f, const char* name) {
    for (const Series& s : f.series)
        if (s.name == QLatin1String(name))
            return s;
    static const Series none;
    ADD_FAILURE() << "no series " << name;
    return none;
}

class DiagramStylesTest : public ClipDataDiagram<ScriptedDialogs> {
protected:
    QTemporaryDir dir;
    StyleDefaults defaults;

    // Six classes A..F, one point each; E is drawn fifth.
    void SetUp() override {
        useSheet({"ID\tAu\tCu\tRock", "1\t1\t1\tA", "2\t2\t2\tB", "3\t3\t3\tC", "4\t4\t4\tD",
                  "5\t5\t5\tE", "6\t6\t6\tF"});
        window.definition.tables[D::Class] = QStringLiteral("ClipData");
        window.definition.fields[D::Class] = QStringLiteral("Rock");
        defaults.userIniFolder = dir.filePath(QStringLiteral("ini"));
    }
};

TEST_F(DiagramStylesTest, LibraryTableAndNameGiveEachSeriesItsStyle) {
    const SeriesStyle fromLibrary = look(SymbolShape::Star, {1, 2, 3, 255});
    const SeriesStyle fromTable = look(SymbolShape::Plus, {4, 5, 6, 255});
    struct Case {
        const char* what;
        bool autoStyle;
        bool libraryHasE;
        bool tableHasE;
        SeriesStyle e; // the fifth series' style
    };
    const std::vector<Case> cases = {
        {"AutoStyle finds the fifth class", true, true, true, fromLibrary},
        {"AutoStyle off: the table row", false, true, true, fromTable},
        {"AutoStyle without an entry: the table row", true, false, true, fromTable},
        {"neither: the name's own style", true, false, false,
         StylePalette::styleForName(QStringLiteral("E"))},
    };
    for (const Case& c : cases) {
        window.styles.library = {};
        window.styles.table = {{QStringLiteral("Other"), fromTable}};
        if (c.libraryHasE)
            window.styles.library.add(StyleGroup::Symbol, QStringLiteral("E"), fromLibrary);
        // An entry of another group is not a class's.
        window.styles.library.add(StyleGroup::Polygon, QStringLiteral("A"), fromLibrary);
        if (c.tableHasE)
            window.styles.table.push_back({QStringLiteral("E"), fromTable});
        window.styles.autoStyle = c.autoStyle;
        ASSERT_TRUE(window.draw()) << c.what;
        const Figure& f = window.figure();
        ASSERT_EQ(f.series.size(), 6u) << c.what;
        EXPECT_EQ(f.series[4].name, QStringLiteral("E")) << c.what;
        EXPECT_EQ(f.series[4].style, c.e) << c.what;
        EXPECT_EQ(f.series[0].style, StylePalette::styleForName(QStringLiteral("A"))) << c.what;
        EXPECT_TRUE(status.texts().contains(QStringLiteral("Styles..."))) << c.what;
    }
}

TEST_F(DiagramStylesTest, StyleFilesSaveOpenResetAndDefault) {
    window.styles.useDefaults(&defaults);
    ASSERT_TRUE(window.draw());
    const QString sty = dir.filePath(QStringLiteral("Styles/mine.sty"));
    Figure edited = window.figure();
    edited.series[2].style = look(SymbolShape::Diamond, {9, 9, 9, 255});
    // "Save Style" writes the figure's styles where the dialog says.
    dialogs.queueText(sty);
    ASSERT_TRUE(window.styles.saveStyle(edited, dir.filePath(QStringLiteral("Styles"))));
    // "Open Style" restyles the next draws; "&Reset Style" returns to the defaults.
    dialogs.queueText(sty);
    ASSERT_TRUE(window.styles.openStyle({}));
    window.restyle();
    EXPECT_EQ(named(window.figure(), "C").style, edited.series[2].style);
    ASSERT_TRUE(window.draw());
    EXPECT_EQ(named(window.figure(), "C").style, edited.series[2].style);
    window.styles.reset();
    window.restyle();
    EXPECT_EQ(named(window.figure(), "C").style, StylePalette::styleForName(QStringLiteral("C")));

    // "Save As Default Style": the user's \ini\Symbol.sty, read by the next start.
    window.showSeries(edited.series);
    ASSERT_TRUE(window.styles.saveAsDefault(window.figure()));
    // The spider figures' defaults come from the program's folder when the user has none.
    const StyleTable spider{{QStringLiteral("S-1"), edited.series[2].style}};
    ASSERT_TRUE(
        StyleFile::saveTable(dir.filePath(QStringLiteral("program/ini/SpiSymbol.sty")), spider));
    const StyleDefaults next =
        StyleDefaults::load(dir.path(), dir.filePath(QStringLiteral("program")));
    EXPECT_EQ(next.xy, DiagramStyles::tableOf(edited));
    EXPECT_EQ(next.spider, spider);
    EXPECT_EQ(defaults.xy, next.xy);

    // A damaged file leaves the styles as they were and says why; a cancelled dialog is silent.
    const QString bad = dir.filePath(QStringLiteral("bad.slb"));
    QFile(bad).open(QIODevice::WriteOnly);
    const StyleLibrary before = window.styles.library;
    dialogs.clearLog();
    dialogs.queueText(bad);
    EXPECT_FALSE(window.styles.openLibrary({}));
    dialogs.queueCancel();
    EXPECT_FALSE(window.styles.openStyle({}));
    EXPECT_EQ(dialogs.texts(),
              (QStringList{"Open Style Library", DiagramStyles::cannotRead(bad), "Open Style"}));
    EXPECT_EQ(window.styles.library, before);
}

// A class keeps its colour when a filter drops the classes drawn before it.
class FilteredStylesTest : public FilterSession {};

TEST_P(FilteredStylesTest, AClassHasTheSameColourInTwoDifferentlyFilteredFigures) {
    {
        FilterWindow filters(*session, dialogs, status);
        filters.table = QStringLiteral("Rocks");
        filters.field = QStringLiteral("Au");
        filters.setOperator(QStringLiteral(">"));
        filters.value = QStringLiteral("2");
        filters.name = QStringLiteral("RichAu");
        ASSERT_TRUE(filters.makeFilter()) << dialogs.texts().join('\n').toStdString();
    }
    DiagramWindow window(*session, dialogs, status);
    window.definition.tables = {"Rocks", "Rocks", "", "Rocks"};
    window.definition.fields = {"Au", "Au", "", "Rock"};
    QTemporaryDir out;
    const QSize size(640, 480);
    struct Drawn {
        int graniteAt;
        QRgb colour;
    };
    std::vector<Drawn> drawn;
    for (const char* filter : {"", "f_RichAu"}) {
        if (*filter)
            window.useFilter(QString::fromLatin1(filter));
        window.definition.filterOn = *filter != 0;
        ASSERT_TRUE(window.draw()) << dialogs.texts().join('\n').toStdString();
        Figure f = window.figure();
        f.legend.visible = false; // its symbols share the colours
        const QString png = out.filePath(QStringLiteral("figure%1.png").arg(drawn.size()));
        ASSERT_TRUE(FigureExporter::save(f, png, size));
        const QImage image(png);
        QCustomPlot plot;
        FigurePlot::show(f, plot, size);
        plot.toPixmap(size.width(), size.height());
        const QPoint at(int(plot.xAxis->coordToPixel(12)), int(plot.yAxis->coordToPixel(12)));
        // The commonest colour around Granite's point (12, 12).
        std::map<QRgb, int> counts;
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -4; dx <= 4; ++dx)
                if (const QRgb c = image.pixel(at + QPoint(dx, dy));
                    !(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) > 100))
                    ++counts[c]; // not the white ground nor a grey grid line
        ASSERT_FALSE(counts.empty());
        const auto most = std::max_element(counts.begin(), counts.end(),
                                           [](auto a, auto b) { return a.second < b.second; });
        int index = 0;
        while (f.series[size_t(index)].name != QLatin1String("Granite"))
            ++index;
        drawn.push_back({index, most->first});
    }
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_NE(drawn[0].graniteAt, drawn[1].graniteAt); // the filter moved it
    EXPECT_EQ(drawn[0].colour, drawn[1].colour);
    const FigureColor expected = StylePalette::styleForName(QStringLiteral("Granite")).color;
    EXPECT_EQ(drawn[0].colour, qRgb(expected.red, expected.green, expected.blue));
}

INSTANTIATE_TEST_SUITE_P(Sqlite, FilteredStylesTest, ::testing::Values(Engine::Sqlite), engineName);

} // namespace
