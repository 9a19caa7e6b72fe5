#include "figure/ui/FigurePlot.h"
#include "figure/AxisScaler.h"
#include "figure/ui/FigureExporter.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <qcustomplot.h>

namespace {

const QSize pictureSize(640, 480);
const FigureColor red{255, 0, 0, 255};
const FigureColor blue{0, 0, 255, 255};

Series squareAt(std::vector<std::pair<double, double>> xy, FigureColor color) {
    Series s;
    s.name = QStringLiteral("Granite");
    s.style.symbol = SymbolShape::Square;
    s.style.symbolSize = 12;
    s.style.color = color;
    s.style.lineColor = color;
    for (const auto& [x, y] : xy) {
        s.points.push_back({x, y, 0});
    }
    return s;
}

Figure tenByTen() {
    Figure f;
    f.header = QStringLiteral("Cu vs. Zn");
    f.x.title = QStringLiteral("Zn");
    f.y.title = QStringLiteral("Cu");
    f.x.setRange(0, 10);
    f.y.setRange(0, 10);
    return f;
}

// Where a data point lands in a picture of pictureSize: the same figure lays out the same way.
QPoint pixelOf(const Figure& f, double x, double y, AxisId axis = AxisId::Y) {
    QCustomPlot plot;
    FigurePlot::show(f, plot, pictureSize);
    plot.toPixmap(pictureSize.width(), pictureSize.height());
    QCPAxis* valueAxis = axis == AxisId::Y2 ? plot.yAxis2 : plot.yAxis;
    return {int(plot.xAxis->coordToPixel(x)), int(valueAxis->coordToPixel(y))};
}

qsizetype pixelsOf(const QImage& image, QRgb color) {
    qsizetype n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += image.pixel(x, y) == color;
        }
    }
    return n;
}

QImage savedPng(const Figure& f, const QTemporaryDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    EXPECT_TRUE(FigureExporter::save(f, path, pictureSize));
    return QImage(path);
}

TEST(FigurePlot, PngShowsEachPointInItsColourWhereItBelongs) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        const char* what;
        bool xReversed;
        bool yReversed;
        bool pointLeft; // the point (2, 8) lies left of the centre
        bool pointHigh; // and above it
    };
    const std::vector<Case> cases = {
        {"plain axes", false, false, true, true},
        {"Y reversed", false, true, true, false},
        {"X reversed", true, false, false, true},
    };
    for (const Case& c : cases) {
        Figure f = tenByTen();
        f.x.reversed = c.xReversed;
        f.y.reversed = c.yReversed;
        f.legend.visible = false; // its symbols would share the points' colours
        f.series.push_back(squareAt({{2, 8}}, red));
        f.series.push_back(squareAt({{5, 5}}, blue));
        const QImage image = savedPng(f, dir, QStringLiteral("points.png"));
        ASSERT_EQ(image.size(), pictureSize) << c.what;
        const QPoint p = pixelOf(f, 2, 8);
        EXPECT_EQ(image.pixel(p), qRgb(255, 0, 0)) << c.what;
        EXPECT_EQ(image.pixel(pixelOf(f, 5, 5)), qRgb(0, 0, 255)) << c.what;
        EXPECT_EQ(p.x() < pictureSize.width() / 2, c.pointLeft) << c.what;
        EXPECT_EQ(p.y() < pictureSize.height() / 2, c.pointHigh) << c.what;
        // A filled 12-pixel square, not a stray pixel; and nothing else in that red.
        EXPECT_GT(pixelsOf(image, qRgb(255, 0, 0)), 60) << c.what;
        EXPECT_LT(pixelsOf(image, qRgb(255, 0, 0)), 250) << c.what;
    }
}

TEST(FigurePlot, ConnectingLineJoinsPointsInSeriesOrder) {
    Figure f = tenByTen();
    Series s = squareAt({{1, 1}, {9, 9}, {9, 1}}, red);
    s.style.symbol = SymbolShape::None;
    s.style.lineWidth = 3;
    s.connectingLine = true;
    f.series.push_back(s);
    const QImage image = FigureExporter::image(f, pictureSize);
    // On the segments 1-2 and 2-3, but not on 1-3, which a line sorted by X would draw.
    EXPECT_EQ(image.pixel(pixelOf(f, 5, 5)), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(pixelOf(f, 9, 5)), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(pixelOf(f, 5, 1)), qRgb(255, 255, 255));
}

TEST(FigurePlot, OverlayLinesAndTextsLieOverTheData) {
    Figure f = tenByTen();
    f.series.push_back(squareAt({{5, 2}}, red));
    OverlayLine average;
    average.name = QStringLiteral("AVG (5)");
    average.points = {{0, 5}, {10, 5}};
    average.color = blue;
    average.width = 3;
    average.showInLegend = true;
    f.lines.push_back(average);
    OverlayLine triangle;
    triangle.points = {{2, 7}, {4, 9}, {4, 7}};
    triangle.closed = true;
    triangle.color = {0, 160, 0, 255};
    triangle.width = 3;
    f.lines.push_back(triangle);
    f.texts.push_back({QStringLiteral("Granite field"), {6, 8}, {}, 9, {}, {}});

    QCustomPlot plot;
    FigurePlot::show(f, plot, pictureSize);
    ASSERT_EQ(plot.legend->itemCount(), 2); // the series and the line shown in the legend
    EXPECT_EQ(qobject_cast<QCPPlottableLegendItem*>(plot.legend->item(1))->plottable()->name(),
              QStringLiteral("AVG (5)"));
    ASSERT_EQ(plot.itemCount(), 1);
    EXPECT_EQ(qobject_cast<QCPItemText*>(plot.item(0))->text(), QStringLiteral("Granite field"));

    const QImage image = FigureExporter::image(f, pictureSize);
    EXPECT_EQ(image.pixel(pixelOf(f, 7, 5)), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(pixelOf(f, 3, 7)), qRgb(0, 160, 0)); // the closing edge 4,7 - 2,7
    EXPECT_EQ(image.pixel(pixelOf(f, 5, 2)), qRgb(255, 0, 0));
}

TEST(FigurePlot, PointLabelsAreCapped) {
    struct Case {
        int points;
        int labels;
        bool note;
    };
    for (const Case& c : {Case{3, 3, false}, Case{2500, int(FigurePlot::labelCap), true}}) {
        Figure f = tenByTen();
        Series s = squareAt(std::vector<std::pair<double, double>>(size_t(c.points), {5, 5}), red);
        for (int i = 0; i < c.points; ++i) {
            s.labelTexts << QStringLiteral("S%1").arg(i);
        }
        s.showLabels = true;
        f.series.push_back(s);
        QCustomPlot plot;
        FigurePlot::show(f, plot, pictureSize);
        EXPECT_EQ(plot.itemCount(), c.labels) << c.points;
        EXPECT_EQ(qobject_cast<QCPItemText*>(plot.item(0))->text(), QStringLiteral("S0"));
        bool noted = false;
        for (int i = 0; i < plot.plotLayout()->elementCount(); ++i) {
            if (auto* t = qobject_cast<QCPTextElement*>(plot.plotLayout()->elementAt(i))) {
                noted |= t->text() == QStringLiteral("Labels are shown for the first 2000 points");
            }
        }
        EXPECT_EQ(noted, c.note) << c.points;
    }
}

TEST(FigurePlot, AxisLabelsFollowFrequencyAndTimeFormat) {
    Figure f = tenByTen();
    f.series.push_back(squareAt({{5, 5}}, red));
    f.x.labelFrequency = 2;
    f.y.dateTime = true;
    // 2026-03-01 00:00 UTC to two days later.
    f.y.setRange(1772323200, 1772323200 + 2 * 86400);
    QCustomPlot plot;
    FigurePlot::show(f, plot, pictureSize);
    plot.toPixmap(pictureSize.width(), pictureSize.height());

    const QVector<QString> xLabels = plot.xAxis->tickVectorLabels();
    ASSERT_GE(xLabels.size(), 4);
    for (qsizetype i = 0; i < xLabels.size(); ++i) {
        EXPECT_EQ(xLabels[i].isEmpty(), i % 2 == 1) << i << " " << xLabels[i].toStdString();
    }
    const QVector<QString> yLabels = plot.yAxis->tickVectorLabels();
    ASSERT_FALSE(yLabels.isEmpty());
    EXPECT_TRUE(yLabels.contains(QStringLiteral("02.03.2026\n00:00")))
        << QStringList(yLabels.begin(), yLabels.end()).join(QLatin1Char('|')).toStdString();
}

TEST(FigurePlot, ManyPointsAreThinnedToOnePerPixel) {
    struct Case {
        bool ratioFixed, logarithmic, reversed;
    };
    for (const Case c : {Case{false, false, false}, Case{true, false, false},
                         Case{false, true, false}, Case{false, true, true}}) {
        SCOPED_TRACE(testing::Message() << c.ratioFixed << c.logarithmic << c.reversed);
        Figure f = tenByTen();
        f.x.setRange(1, 10);
        f.y.setRange(1, 10);
        f.x.logarithmic = f.y.logarithmic = c.logarithmic;
        f.x.reversed = c.reversed;
        std::vector<std::pair<double, double>> xy(30000, {5.0, 5.0});
        for (int i = 9; i >= 0; --i) {
            xy.push_back({1.5 + 0.8 * i, 1.5});
        }
        xy.push_back({50, 50}); // far outside the plot: never drawn
        f.series.push_back(squareAt(xy, red));
        f.series.push_back(squareAt({{5, 5}, {5, 5}}, blue)); // few points: drawn as they are
        if (c.ratioFixed) {
            f.plotAreaSize = QSizeF(200, 200);
        }
        QCustomPlot plot;
        FigurePlot::show(f, plot, pictureSize);
        ASSERT_EQ(plot.graph(0)->dataCount(), 11);
        EXPECT_EQ(plot.graph(1)->dataCount(), 2);
        // Handed over in order of X, as the chart library's searches need.
        for (int i = 1; i < plot.graph(0)->dataCount(); ++i) {
            EXPECT_LT(plot.graph(0)->data()->at(i - 1)->key, plot.graph(0)->data()->at(i)->key);
        }

        f.series.pop_back();
        const QImage image = FigureExporter::image(f, pictureSize);
        EXPECT_EQ(image.pixel(pixelOf(f, 5, 5)), qRgb(255, 0, 0));
        EXPECT_EQ(image.pixel(pixelOf(f, 3.9, 1.5)), qRgb(255, 0, 0));
    }
}

TEST(FigurePlot, LogAxesWithNonPositiveValuesDrawTheRestAndSaySo) {
    Figure f = tenByTen();
    f.x.logarithmic = true;
    f.y.logarithmic = true;
    f.series.push_back(squareAt({{0, -1}, {-5, 3}, {50, 50}, {0, 0}, {20, -3}}, red));
    AxisScaleState automatic;
    AxisScaler::scale(f, automatic, false);
    // Only the positive values count for the log ranges.
    EXPECT_EQ(f.x.min, 10);
    EXPECT_EQ(f.x.max, 100);
    EXPECT_EQ(f.y.min, 1);
    EXPECT_EQ(f.y.max, 100);

    QCustomPlot plot;
    FigurePlot::show(f, plot, pictureSize);
    QStringList texts;
    for (int i = 0; i < plot.plotLayout()->elementCount(); ++i) {
        if (auto* t = qobject_cast<QCPTextElement*>(plot.plotLayout()->elementAt(i))) {
            texts << t->text();
        }
    }
    EXPECT_TRUE(texts.contains(QStringLiteral("Log X axis: 3 points with X <= 0 are not shown\n"
                                              "Log Y axis: 3 points with Y <= 0 are not shown")))
        << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(plot.graph(0)->dataCount(), 1);

    // NaN and infinite coordinates are left out on any axis.
    Figure odd = tenByTen();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    odd.series.push_back(squareAt({{nan, 1}, {2, inf}, {3, 3}, {-inf, nan}}, red));
    QCustomPlot oddPlot;
    FigurePlot::show(odd, oddPlot, pictureSize);
    EXPECT_EQ(oddPlot.graph(0)->dataCount(), 1);

    const QImage image = FigureExporter::image(f, pictureSize);
    EXPECT_EQ(image.pixel(pixelOf(f, 50, 50)), qRgb(255, 0, 0));

    // A user range that reaches zero on a log axis still draws.
    f.x.setRange(-10, 100);
    f.y.setRange(0, 0);
    EXPECT_EQ(FigureExporter::image(f, pictureSize).size(), pictureSize);
}

TEST(FigurePlot, SecondYAxisMirrorsTheFirst) {
    Figure f = tenByTen();
    f.y2Visible = true;
    f.y2.title = QStringLiteral("Cu (Y2)");
    f.y.reversed = true;
    f.series.push_back(squareAt({{5, 5}}, red));
    f.series.push_back(squareAt({{4, 2}}, blue));
    f.series.back().valueAxis = AxisId::Y2;
    QCustomPlot plot;
    FigurePlot::show(f, plot, pictureSize);
    EXPECT_TRUE(plot.yAxis2->visible());
    EXPECT_EQ(plot.yAxis2->range(), plot.yAxis->range());
    EXPECT_TRUE(plot.yAxis2->rangeReversed());
    EXPECT_EQ(plot.yAxis2->label(), QStringLiteral("Cu (Y2)"));
    plot.yAxis->setRange(2, 3);
    EXPECT_EQ(plot.yAxis2->range(), QCPRange(2, 3));

    const QImage image = FigureExporter::image(f, pictureSize);
    EXPECT_EQ(image.pixel(pixelOf(f, 4, 2, AxisId::Y2)), qRgb(0, 0, 255));
}

TEST(FigurePlot, LegendOfThousandsOfClassesIsCapped) {
    Figure f = tenByTen();
    for (int i = 0; i < 3000; ++i) {
        f.series.push_back(squareAt({{double(i % 10), double(i % 7)}}, red));
        f.series.back().name = QStringLiteral("Class %1").arg(i);
    }
    QCustomPlot plot;
    FigurePlot::show(f, plot, pictureSize);
    int seriesItems = 0;
    for (int i = 0; i < plot.legend->elementCount(); ++i) {
        seriesItems += qobject_cast<QCPPlottableLegendItem*>(plot.legend->elementAt(i)) != nullptr;
    }
    EXPECT_EQ(seriesItems, 100);
    ASSERT_EQ(plot.legend->elementCount(), 101);
    auto* more = qobject_cast<QCPTextElement*>(plot.legend->elementAt(100));
    ASSERT_NE(more, nullptr);
    EXPECT_EQ(more->text(), QStringLiteral("\u2026 2900 more"));
    // The unlisted classes share a plottable per style: here, all of them one.
    EXPECT_EQ(plot.plottableCount(), 101);
    int points = 0;
    for (int i = 0; i < plot.graphCount(); ++i) {
        points += plot.graph(i)->dataCount();
    }
    EXPECT_EQ(points, 3000);

    f.legend.visible = false;
    QCustomPlot hidden;
    FigurePlot::show(f, hidden, pictureSize);
    EXPECT_FALSE(hidden.legend->visible());
}

TEST(FigurePlot, FixedRatioKeepsThePlotAreaAtThatRatio) {
    for (const double ratio : {1.0, 2.0, 0.5}) {
        Figure f = tenByTen();
        f.series.push_back(squareAt({{5, 5}}, red));
        AxisScaleState state;
        state.ratioFixed = true;
        state.xPerYRatio = ratio;
        AxisScaler::scale(f, state, false, [](const Figure& figure) {
            return FigurePlot::automaticPlotArea(figure, pictureSize);
        });
        ASSERT_TRUE(f.plotAreaSize.has_value());
        QCustomPlot plot;
        FigurePlot::show(f, plot, pictureSize);
        plot.toPixmap(pictureSize.width(), pictureSize.height());
        const QRect area = plot.axisRect()->rect();
        EXPECT_NEAR(double(area.width()) / area.height(), ratio, 0.02) << ratio;
        EXPECT_NEAR(area.width(), f.plotAreaSize->width(), 1.0) << ratio;
        EXPECT_LE(area.right(), pictureSize.width());
    }
}

TEST(FigurePlot, TheLastTickLabelsStayInsideThePicture) {
    Figure f = tenByTen();
    f.header.clear(); // nothing above the plot area
    f.series.push_back(squareAt({{5, 5}}, red));
    QCustomPlot plot;
    FigurePlot::show(f, plot, pictureSize);
    plot.toPixmap(pictureSize.width(), pictureSize.height());
    const QRect area = plot.axisRect()->rect();
    // "10" is centred on the X axis's right end and on the Y axis's top end.
    const QFontMetrics metrics(plot.xAxis->tickLabelFont());
    EXPECT_GE(pictureSize.width() - 1 - area.right(), metrics.horizontalAdvance("10") / 2);
    EXPECT_GE(area.top(), metrics.height() / 2);
}

TEST(FigureExporter, WritesSvgAndPdfAndReportsFailures) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Figure f = tenByTen();
    f.series.push_back(squareAt({{2, 8}}, red));
    const std::vector<std::pair<QString, QByteArray>> files = {
        {QStringLiteral("fig.SVG"), "<svg"},
        {QStringLiteral("fig.pdf"), "%PDF"},
        {QStringLiteral("fig.png"), "\x89PNG"}};
    for (const auto& [name, magic] : files) {
        const QString path = dir.filePath(name);
        ASSERT_TRUE(FigureExporter::save(f, path, pictureSize)) << name.toStdString();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.read(400).contains(magic)) << name.toStdString();
        EXPECT_FALSE(
            FigureExporter::save(f, dir.filePath(QStringLiteral("no/such/") + name), pictureSize))
            << name.toStdString();
    }
    EXPECT_FALSE(FigureExporter::save(f, dir.filePath(QStringLiteral("fig.bmp")), pictureSize));
    EXPECT_FALSE(FigureExporter::save(f, dir.filePath(QStringLiteral("empty.png")), QSize()));
}

} // namespace

namespace {

// Automatic ranges leave room around the extreme points: a symbol on the data's edge is drawn
// whole, as many pixels as one in the middle.
TEST(FigurePlot, AutomaticRangesKeepEdgeSymbolsWhole) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Figure f = tenByTen();
    f.legend.visible = false; // its symbol would count as well
    f.series.push_back(squareAt({{0, 0}, {10, 10}, {0, 10}, {10, 0}, {5, 5}}, red));
    AxisScaleState automatic;
    AxisScaler::scale(f, automatic, false);
    EXPECT_LT(f.x.min, 0);
    EXPECT_GT(f.y.max, 10);

    Figure middleOnly = f;
    middleOnly.series[0].points = {{5, 5, 0}};
    const QImage all = savedPng(f, dir, QStringLiteral("all.png"));
    const QImage one = savedPng(middleOnly, dir, QStringLiteral("one.png"));
    const qsizetype perSymbol = pixelsOf(one, qRgb(255, 0, 0));
    ASSERT_GT(perSymbol, 50);
    // Edges of symbols at fractional pixels blend a little; a cut symbol loses half or more.
    EXPECT_NEAR(double(pixelsOf(all, qRgb(255, 0, 0))), 5.0 * double(perSymbol),
                0.1 * double(perSymbol));
}

// A saved picture has the size and resolution asked for, whatever window showed the figure.
TEST(FigureExporter, PicturesHaveTheirOwnSizeAndResolution) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Figure f = tenByTen();
    f.series.push_back(squareAt({{5, 5}}, red));
    const PictureSize size = *PictureSize::parse(QStringLiteral("1600 x 1200 @ 192"));
    const QString png = dir.filePath(QStringLiteral("big.png"));
    ASSERT_TRUE(FigureExporter::save(f, png, size));
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(1600, 1200));
    EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, 192, 1);
    // Drawn twice as fine as its layout: the symbol covers four times the pixels of a
    // picture of the layout's size.
    const qsizetype fine = pixelsOf(image, qRgb(255, 0, 0));
    const QImage layout = FigureExporter::image(f, size.layoutSize());
    EXPECT_NEAR(double(fine) / double(pixelsOf(layout, qRgb(255, 0, 0))), 4.0, 0.5);

    for (const char* name : {"big.svg", "big.pdf"}) {
        const QString path = dir.filePath(QString::fromUtf8(name));
        ASSERT_TRUE(FigureExporter::save(f, path, size)) << name;
        EXPECT_GT(QFileInfo(path).size(), 500) << name;
    }
    EXPECT_EQ(PictureSize::parse(QStringLiteral("800x600"))->text(),
              QStringLiteral("800 x 600 @ 192"));
    for (const char* bad : {"", "800", "0 x 600", "800 x 600 @ 5", "a x b"})
        EXPECT_FALSE(PictureSize::parse(QString::fromUtf8(bad))) << bad;
}

} // namespace

namespace {

// Date axes label their ticks with what tells them apart over the span, the year included.
TEST(FigurePlot, DateTicksFitTheirSpan) {
    const auto seconds = [](const char* iso) {
        return double(
            QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate).toSecsSinceEpoch());
    };
    struct Case {
        const char* from;
        const char* to;
        const char* pattern; // every tick label matches it
    };
    const std::vector<Case> cases = {
        {"2012-03-01T00:00:00Z", "2023-08-01T00:00:00Z", "^20[12]\\d$"},
        {"2021-01-01T00:00:00Z", "2021-12-31T00:00:00Z", "^\\d\\d\\.2021$"},
        {"2022-12-20T00:00:00Z", "2023-01-20T00:00:00Z", "^\\d\\d\\.\\d\\d\\.202[23]$"},
        {"2023-05-01T00:00:00Z", "2023-05-02T12:00:00Z", "^\\d\\d\\.05\\.2023\\n\\d\\d:\\d\\d$"},
    };
    for (const Case& c : cases) {
        Figure f = tenByTen();
        for (AxisId id : {AxisId::X, AxisId::Y}) {
            f.axis(id).dateTime = true;
            f.axis(id).setRange(seconds(c.from), seconds(c.to));
        }
        QCustomPlot plot;
        FigurePlot::show(f, plot, pictureSize);
        plot.toPixmap(pictureSize.width(), pictureSize.height());
        for (QCPAxis* axis : {plot.xAxis, plot.yAxis}) {
            const QVector<QString> labels = axis->tickVectorLabels();
            ASSERT_GE(labels.size(), 2) << c.from;
            for (const QString& label : labels)
                EXPECT_TRUE(
                    QRegularExpression(QString::fromLatin1(c.pattern)).match(label).hasMatch())
                    << c.from << " " << label.toStdString();
        }
    }
}

} // namespace

TEST(FigurePlot, FillsReachTheSeriesBelowAndBubblesTheirSetSize) {
    // Two filled bands, red at y=2 and blue at y=6: between series, nothing blue lies under red.
    const auto filledFigure = [](Figure::FillMode mode) {
        Figure f = tenByTen();
        f.fillMode = mode;
        for (const auto& [y, color] : {std::pair{2.0, red}, std::pair{6.0, blue}}) {
            Series s = squareAt({{0, y}, {10, y}}, color);
            s.style.symbol = SymbolShape::None;
            s.shape = SeriesShape::Filled;
            f.series.push_back(s);
        }
        return f;
    };
    const Figure between = filledFigure(Figure::FillMode::BetweenSeries);
    const Figure toZero = filledFigure(Figure::FillMode::ToZero);
    const QRgb underRed = FigureExporter::image(between, pictureSize).pixel(pixelOf(between, 5, 1));
    const QRgb betweenBands =
        FigureExporter::image(between, pictureSize).pixel(pixelOf(between, 5, 4));
    EXPECT_GT(qRed(underRed), qBlue(underRed)); // red tint only
    EXPECT_GT(qBlue(betweenBands), qRed(betweenBands));
    const QRgb underBoth = FigureExporter::image(toZero, pictureSize).pixel(pixelOf(toZero, 5, 1));
    EXPECT_NE(underBoth, underRed); // blue down to zero too

    // The largest bubble takes the figure's bubble size.
    qsizetype area[2] = {};
    for (const int pixels : {10, 40}) {
        Figure f = tenByTen();
        f.bubbleMaxPixels = pixels;
        Series s = squareAt({{5, 5}}, red);
        s.style.symbol = SymbolShape::Circle;
        s.z = {3};
        s.shape = SeriesShape::Bubbles;
        f.series.push_back(s);
        area[pixels == 40] = pixelsOf(FigureExporter::image(f, pictureSize), qRgb(255, 0, 0));
    }
    EXPECT_GT(area[0], 20);
    EXPECT_GT(area[1], 8 * area[0]); // 4x the diameter: about 16x the area
}

namespace {
// The chart and plot areas take their fills and borders, and a larger font leaves the plot
// area less room; the default look draws as before (white, no borders of its own).
TEST(FigurePlot, TheLookFillsAndFramesTheAreasAndSizesTheTexts) {
    const QRgb yellow = qRgb(255, 255, 0), grey = qRgb(200, 200, 200), green = qRgb(0, 128, 0);
    const struct {
        const char* name;
        std::function<void(FigureLook&)> change;
        QRgb corner, inside, chartEdge; // pixels at (0,0), the plot's middle, (w/2, 1)
        qsizetype greenAtLeast;         // pixels of the plot area's border colour
    } cases[] = {
        {"default", [](FigureLook&) {}, qRgb(255, 255, 255), qRgb(255, 255, 255),
         qRgb(255, 255, 255), 0},
        {"chart fill",
         [&](FigureLook& l) {
             l.chartArea.fill = {200, 200, 200, 255};
         },
         grey, qRgb(255, 255, 255), grey, 0},
        {"plot fill",
         [&](FigureLook& l) {
             l.plotArea.fill = {255, 255, 0, 255};
         },
         qRgb(255, 255, 255), yellow, qRgb(255, 255, 255), 0},
        {"chart border",
         [&](FigureLook& l) {
             l.chartArea = {{255, 255, 255, 255}, {0, 128, 0, 255}, 3};
         },
         green, qRgb(255, 255, 255), green, 2 * (640 + 480)},
        {"plot border",
         [&](FigureLook& l) {
             l.plotArea = {{255, 255, 255, 255}, {0, 128, 0, 255}, 2};
         },
         qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(255, 255, 255), 2 * (300 + 200)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Figure f = tenByTen();
        c.change(f.look);
        const QImage image = FigureExporter::image(f, pictureSize);
        EXPECT_EQ(image.pixel(0, 0), c.corner);
        EXPECT_EQ(image.pixel(pixelOf(f, 5, 5)), c.inside);
        EXPECT_EQ(image.pixel(pictureSize.width() / 2, 1), c.chartEdge);
        EXPECT_GE(pixelsOf(image, green), c.greenAtLeast);
        if (c.greenAtLeast == 0) {
            EXPECT_EQ(pixelsOf(image, green), 0);
        }
    }
    Figure large = tenByTen();
    large.look.fontSize = 24;
    const QSizeF own = FigurePlot::automaticPlotArea(tenByTen(), pictureSize);
    const QSizeF bigger = FigurePlot::automaticPlotArea(large, pictureSize);
    EXPECT_LT(bigger.height(), own.height() - 20);
    EXPECT_LT(bigger.width(), own.width());
}
} // namespace
