// The spider diagram reached from the main window on the offscreen platform: View > "Spider
// diagram", the sample selection window's "All from Table" and "&OK", the sample database's REE
// normalised to CI chondrite on a log axis, and the picture it gives; objects of the library
// with Source "Spider" drawn over it from the window's own object menus.
#include "spider/ui/SpiderView.h"
#include "app/FrameSession.h"
#include "db/SystemDatabase.h"
#include "diagram/objects/LibraryObjects.h"
#include "diagram/objects/ObjectLibrary.h"
#include "diagram/ui/ObjectLibraryView.h"
#include "figure/ui/FigureExporter.h"
#include "spider/ui/SpiderSampleView.h"
#include "support/TestPaths.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <cmath>
#include <gtest/gtest.h>
#include <qcustomplot.h>

namespace {

class SpiderViewTest : public FrameSession {
protected:
    void SetUp() override {
        const QString sample = testpaths::binaryDir() + QStringLiteral("/samples/QUVSample.sqlite");
        if (!QFile::exists(sample))
            GTEST_SKIP() << "build/samples/QUVSample.sqlite is missing (quv_samplegen writes it)";
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QFile::copy(sample, dbPath));
        frame.bind({window, browser, session, dialogs, {dir.path(), dir.path()}, systemPath});
        ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
        frame.resize(1200, 900);
        frame.show();
    }
    template <class T> T* child() const {
        for (QMdiSubWindow* w : frame.area()->subWindowList())
            if (auto* view = qobject_cast<T*>(w->widget()))
                return view;
        return nullptr;
    }
    static QPushButton* button(QWidget* in, const QString& text) {
        for (QPushButton* b : in->findChildren<QPushButton*>())
            if (b->text() == text)
                return b;
        return nullptr;
    }
    // View > "Spider diagram", REE over CI chondrite classed by rock, every sample of Trace
    // selected and drawn; the number of samples.
    qsizetype drawRee(SpiderView*& spider) {
        QAction* open = actionAt(frame.menuBar(), {"&View", "&Spider diagram"});
        EXPECT_TRUE(open);
        if (!open)
            return 0;
        open->trigger();
        spider = child<SpiderView>();
        EXPECT_TRUE(spider);
        if (!spider)
            return 0;
        spider->typeBox()->setCurrentText("REE");
        EXPECT_GE(spider->normalizationBox()->findText(ci), 0);
        spider->normalizationBox()->setCurrentText(ci);
        spider->classTableBox()->setCurrentText("Samples");
        spider->classFieldBox()->setCurrentText("Rock");

        button(spider, "&Select samples")->click();
        auto* selection = child<SpiderSampleView>();
        EXPECT_TRUE(selection);
        if (!selection)
            return 0;
        selection->tableBox()->setCurrentText("Trace");
        button(selection, "All from Table")->click();
        const auto traced = session.connection()->query("SELECT DISTINCT [SampleNo] FROM [Trace]");
        EXPECT_TRUE(traced);
        const qsizetype samples = traced ? traced->rowCount() : 0;
        EXPECT_GT(samples, 1000);
        EXPECT_EQ(selection->candidateList()->count(), samples);
        button(selection, "Add all samples to list")->click();
        button(selection, "&OK")->click(); // hands the samples over and draws
        EXPECT_EQ(dialogs.texts(), QStringList());
        return samples;
    }

    const QString ci = "CI chondrite (Sun & McDonough 1989)";
    const QString systemPath = dir.filePath(QStringLiteral("system/QUVData.sqlite"));
};

TEST_F(SpiderViewTest, ReeOfTheSampleDatabaseNormalisedToChondrite) {
    SpiderView* spider = nullptr;
    const qsizetype samples = drawRee(spider);
    ASSERT_TRUE(spider);
    ASSERT_GT(samples, 1000);

    const Figure& f = spider->controller().figure();
    EXPECT_EQ(f.x.categoryLabels, (QStringList{"La", "Ce", "Pr", "Nd", "Sm", "Eu", "Gd", "Tb", "Dy",
                                               "Ho", "Er", "Tm", "Yb", "Lu"}));
    EXPECT_TRUE(f.y.logarithmic);
    EXPECT_EQ(f.y.title, "Rock/" + ci);
    // One curve per rock type, not one per sample; each sample is 14 points and a gap.
    ASSERT_GE(f.series.size(), 2u);
    ASSERT_LT(f.series.size(), 20u);
    EXPECT_EQ(f.pointCount(), samples * 15);

    // La of the first point, against the database's value over 0.237 ppm.
    FigurePoint first{0, std::nan(""), -1};
    for (const FigurePoint& p : f.series[0].points)
        if (std::isfinite(p.y)) {
            first = p;
            break;
        }
    const auto la =
        session.connection()->query("SELECT [Trace].[La] FROM [Trace] ORDER BY [Trace].[SampleNo]");
    ASSERT_TRUE(la);
    double smallest = 1e300;
    for (qsizetype r = 0; r < la->rowCount(); ++r)
        smallest = std::min(smallest, *la->at(r, 0).toNumber() / 0.237);
    EXPECT_GE(first.y, smallest);
    EXPECT_EQ(first.x, 1.0);

    const QString picture = testpaths::binaryDir() + "/test-output/spider-ree-chondrite.png";
    QDir().mkpath(testpaths::binaryDir() + "/test-output");
    ASSERT_TRUE(FigureExporter::save(f, picture, QSize(900, 600)));
    const QImage image(picture);
    ASSERT_FALSE(image.isNull());
    // Lines were drawn: many pixels are neither white nor black.
    int coloured = 0;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) {
            const QColor c = image.pixelColor(x, y);
            coloured += c.saturation() > 80;
        }
    EXPECT_GT(coloured, 500);
}

// Objects stored for spider figures: a box and a level line on REE (any normalization), a box
// on REY, and an XY box that the spider window never lists.
void storeSpiderObjects(const QString& systemPath, double level) {
    OpenedConnection opened = SystemDatabase::open(systemPath);
    ASSERT_TRUE(opened.ok()) << opened.error.toStdString();
    ObjectLibrary library(*opened.connection);
    const auto axes = [](const QString& source, const QString& type) {
        ObjectAxes a;
        a.source = source;
        a.tables = {"SpiderMain", "SpiderNorm", ""};
        a.fields = {type, "*", ""};
        return a;
    };
    const auto box = [&](const QString& name, const ObjectAxes& a) {
        UserPolygon p{a, name, {{3, level / 2}, {6, level / 2}, {6, level * 2}, {3, level * 2}}};
        ASSERT_TRUE(library.addPolygon(LibraryObjects::recordOf(p), p.nodes));
    };
    box("Spider box", axes("Spider", "REE"));
    box("REY box", axes("Spider", "REY"));
    box("XY box", axes("XY", "REE"));
    Trendline t{axes("Spider", "REE"), "Spider level", 2, 13, "Y=" + QString::number(level * 4)};
    ASSERT_TRUE(library.addTrendline(LibraryObjects::recordOf(t)));
}

// The names in the library window's grid, and the row of one selected.
QStringList listedNames(ObjectLibraryView* library, const QString& select = {}) {
    QStringList names;
    auto* grid = library->findChild<QTableWidget*>();
    for (int c = 0; c < grid->columnCount(); ++c)
        if (grid->horizontalHeaderItem(c)->text() == QLatin1String("Name"))
            for (int r = 0; r < grid->rowCount(); ++r) {
                names << grid->item(r, c)->text();
                if (names.back() == select)
                    grid->setCurrentCell(r, c);
            }
    return names;
}

// Pixels of the polygons' dark blue and of the trendlines' dark red.
std::pair<int, int> objectPixels(QCustomPlot* plot) {
    const QImage image = plot->toPixmap().toImage();
    int blue = 0, red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            blue += qBlue(c) > 100 && qRed(c) < 90 && qGreen(c) < 90;
            red += qRed(c) > 90 && qGreen(c) < 50 && qBlue(c) < 50;
        }
    return {blue, red};
}

TEST_F(SpiderViewTest, LibraryObjectsDrawOnTheSpiderFigureInItsUnits) {
    SpiderView* spider = nullptr;
    ASSERT_GT(drawRee(spider), 1000);
    const Figure& f = spider->controller().figure();
    const double level = std::sqrt(f.y.min * f.y.max); // the middle of the log axis
    ASSERT_GT(level, 0);
    ASSERT_NO_FATAL_FAILURE(storeSpiderObjects(systemPath, level));
    QCustomPlot* plot = spider->plot();
    const auto [blueBefore, redBefore] = objectPixels(plot);
    const QMenuBar* bar = spider->findChild<QMenuBar*>();
    const auto lineNames = [&] {
        QStringList names;
        for (const OverlayLine& l : spider->controller().figure().lines)
            names << l.name;
        return names;
    };

    actionAt(bar, {"&Polygon", "&Library..."})->trigger();
    ObjectLibraryView* library = spider->findChildren<ObjectLibraryView*>().back();
    const QStringList polygons = listedNames(library, "Spider box");
    EXPECT_TRUE(polygons.contains("Spider box"));
    EXPECT_TRUE(polygons.contains("REY box"));
    EXPECT_FALSE(polygons.contains("XY box")); // listed for XY figures only
    button(library, "&Draw")->click();
    actionAt(bar, {"Trend&Line", "&Library..."})->trigger();
    library = spider->findChildren<ObjectLibraryView*>().back();
    listedNames(library, "Spider level");
    button(library, "&Draw")->click();
    EXPECT_EQ(dialogs.texts(), QStringList()); // both belong on REE: no question

    EXPECT_EQ(lineNames(), (QStringList{"Spider level", "Spider box"}));
    const OverlayLine& box = f.lines[1];
    EXPECT_EQ(box.points.front(), QPointF(3, level / 2)); // element position, normalised value
    QDir().mkpath(testpaths::binaryDir() + "/test-output");
    plot->savePng(testpaths::binaryDir() + "/test-output/spider-ree-objects.png");
    const auto [blueAfter, redAfter] = objectPixels(plot);
    EXPECT_GT(blueAfter - blueBefore, 150); // the box's outline over the curves
    EXPECT_GT(redAfter - redBefore, 300);   // the level across eleven positions

    // Shift+click on the box's left edge selects it; Polygon > Erase removes it.
    const QPointF edge(plot->xAxis->coordToPixel(3), plot->yAxis->coordToPixel(level));
    QMouseEvent press(QEvent::MouseButtonPress, edge, plot->mapToGlobal(edge), Qt::LeftButton,
                      Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(plot, &press);
    EXPECT_EQ(spider->objects().selectedPolygon(), 0);
    actionAt(bar, {"&Polygon", "&Erase"})->trigger();
    EXPECT_EQ(lineNames(), QStringList{"Spider level"});
    EXPECT_EQ(dialogs.texts(), QStringList());

    // The REY box does not fit REE: No draws the REY figure it belongs to and adds it there.
    actionAt(bar, {"&Polygon", "&Library..."})->trigger();
    library = spider->findChildren<ObjectLibraryView*>().back();
    listedNames(library, "REY box");
    dialogs.queueAnswer(Answer::No);
    button(library, "&Draw")->click();
    EXPECT_EQ(dialogs.texts(), QStringList{ObjectLibraryBrowser::mismatchQuestion()});
    EXPECT_EQ(spider->typeBox()->currentText(), "REY");
    EXPECT_EQ(spider->controller().figure().x.categoryLabels.size(), 15);
    EXPECT_EQ(lineNames(), QStringList{"REY box"}); // the REE level stays off this figure
}

} // namespace
