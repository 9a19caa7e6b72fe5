// A ternary figure of three real fields drawn through the diagram view on the offscreen
// platform: the triangle, its corner labels and its grid in the rendered picture, equilateral
// through the fixed ratio, and the note about samples with a negative component.
#include "diagram/TernaryTransform.h"
#include "diagram/ui/DiagramView.h"
#include "filter/FilterSession.h"
#include "support/TestPaths.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <qcustomplot.h>

namespace {

class TernaryViewTest : public FilterSession {
protected:
    void SetUp() override {
        FilterSession::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        run(db(), "CREATE TABLE [Majors] ([SampleID] TEXT(20) CONSTRAINT [pkMajors] PRIMARY KEY, "
                  "[FeOt] DOUBLE, [MgO] DOUBLE, [Alk] DOUBLE)");
        const QString insert = QStringLiteral("INSERT INTO [Majors] VALUES (?, ?, ?, ?)");
        run(db(), insert, {txt("M1"), num(10), num(10), num(10)});
        run(db(), insert, {txt("M2"), num(0), num(0), num(4)});  // the C corner
        run(db(), insert, {txt("M3"), num(0), num(0), num(0)});  // nowhere
        run(db(), insert, {txt("M4"), num(-1), num(3), num(3)}); // negative: left out
        ASSERT_TRUE(session->RemapSessionDatabase({true, false, false}));
    }
};

bool dark(QRgb pixel) {
    return qGray(pixel) < 170; // lines are drawn smoothed: a thin one is grey
}

// What the rendered triangle looks like, found in the picture alone: the base is the row with
// the most dark pixels; the left side's slope is read 60 and 120 pixels above it.
struct Triangle {
    int baseRow = -1, left = -1, right = -1;
    double sideSlope = 0; // pixels to the right per pixel up
    int lightGrey = 0;    // grid pixels
    int labelInk = 0;     // dark pixels beside and below the base's ends
};

Triangle measure(const QImage& image) {
    Triangle t;
    int most = 0;
    for (int y = 0; y < image.height(); ++y) {
        int n = 0;
        for (int x = 0; x < image.width(); ++x)
            n += dark(image.pixel(x, y));
        if (n > most) {
            most = n;
            t.baseRow = y;
        }
    }
    for (int x = 0; x < image.width(); ++x)
        if (dark(image.pixel(x, t.baseRow))) {
            t.left = t.left < 0 ? x : t.left;
            t.right = x;
        }
    const auto leftSide = [&](int up) {
        for (int x = t.left - 2; x < image.width(); ++x)
            if (dark(image.pixel(x, t.baseRow - up)))
                return x;
        return -1;
    };
    t.sideSlope = (leftSide(120) - leftSide(60)) / 60.0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int g = qGray(image.pixel(x, y));
            t.lightGrey += g >= 170 && g < 250;
            const bool besideEnd = x < t.left + 5 || x > t.right - 5;
            t.labelInk +=
                y > t.baseRow + 3 && y < t.baseRow + 40 && besideEnd && dark(image.pixel(x, y));
        }
    return t;
}

TEST_P(TernaryViewTest, DrawsAnEquilateralTriangleWithLabelsAndGrid) {
    DiagramView view(*session, dialogs, status, {dir.filePath(QStringLiteral("user")), {}});
    view.resize(900, 700);
    view.show();
    const QList<QComboBox*> combos = view.findChildren<QComboBox*>();
    combos[0]->setCurrentText(QStringLiteral("Ternary"));
    const QStringList boxes{"Majors", "FeOt", "Majors", "MgO", "Majors", "Alk"};
    for (int i = 0; i < boxes.size(); ++i)
        combos[i + 1]->setCurrentText(boxes[i]);
    ASSERT_TRUE(view.draw()) << dialogs.texts().join('\n').toStdString();
    const Figure& f = view.controller().figure();
    EXPECT_EQ(f.pointCount(), 2);
    EXPECT_TRUE(f.subtitles.contains(TernaryTransform::negativeNote(1)));
    QStringList labels;
    for (const OverlayText& t : f.texts)
        labels << t.name + QLatin1Char('=') + t.text;
    EXPECT_EQ(labels, (QStringList{"TRI_a=FeOt", "TRI_b=MgO", "TRI_c=Alk"}));
    EXPECT_TRUE(view.controller().scaleState.ratioFixed);
    {
        // A unit change of one corner projects the points again: Alk in ppm of a % value.
        DiagramWindow copy = view.controller();
        copy.rescaleDrawnValues(2, 1e4, QStringLiteral("Alk ppm"));
        const auto moved = TernaryTransform::toPlane(10, 10, 1e5); // M1: 10 / 10 / 10 %
        bool found = false;
        for (const FigurePoint& p : copy.figure().series.front().points)
            found =
                found || (std::abs(p.x - moved->x()) < 1e-9 && std::abs(p.y - moved->y()) < 1e-9);
        EXPECT_TRUE(found);
    }

    auto* plot = view.findChild<QCustomPlot*>();
    QImage image = plot->toPixmap().toImage();
    Triangle t = measure(image);
    // Equilateral: the sides rise at 60 degrees, so 1 / sqrt(3) pixels across per pixel up.
    EXPECT_NEAR(t.sideSlope, 1 / std::sqrt(3.0), 0.04);
    EXPECT_GT(t.right - t.left, 250);
    EXPECT_GT(t.labelInk, 20); // "FeOt" and "Alk" below the base's ends
    // "&Grid" -> "&Solid" draws the grid inside the triangle.
    for (QMenu* menu : view.findChildren<QMenu*>())
        if (menu->title() == QStringLiteral("&Grid"))
            for (QAction* a : menu->actions())
                if (a->text() == QStringLiteral("&Solid")) {
                    a->trigger();
                    break;
                }
    image = plot->toPixmap().toImage();
    EXPECT_GT(measure(image).lightGrey, 3 * t.lightGrey + 1000);
    const QString out = testpaths::binaryDir() + QStringLiteral("/test-output");
    QDir().mkpath(out);
    EXPECT_TRUE(image.save(out + QStringLiteral("/ternary.png")));

    // Back to XY: the axes come back and the frame goes.
    combos[0]->setCurrentText(QStringLiteral("XY"));
    ASSERT_TRUE(view.draw());
    EXPECT_TRUE(view.controller().figure().x.visible);
    EXPECT_TRUE(view.controller().figure().texts.empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, TernaryViewTest, ::testing::Values(Engine::Sqlite), engineName);

} // namespace
