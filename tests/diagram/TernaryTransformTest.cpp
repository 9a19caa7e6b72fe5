// Ternary plane coordinates: corners, normalisation, the inverse, and which samples a ternary
// figure leaves out; the frame's grid lines stay inside the triangle.
#include "diagram/TernaryTransform.h"
#include "diagram/TernaryFrame.h"

#include <gtest/gtest.h>

namespace {

TEST(TernaryTransform, PlacesSamplesAndInvertsThem) {
    struct Case {
        double a, b, c;
        double x, y;
    };
    const Case cases[] = {
        {0, 0, 5, 100, 0},           // only C: bottom right
        {0, 7, 0, 50, 100},          // only B: top
        {3, 0, 0, 0, 0},             // only A: bottom left
        {10, 10, 10, 50, 100.0 / 3}, // normalised ...
        {1, 1, 1, 50, 100.0 / 3},    // ... to the same point
        {20, 40, 40, 60, 40},
    };
    for (const Case& c : cases) {
        const auto p = TernaryTransform::toPlane(c.a, c.b, c.c);
        ASSERT_TRUE(p) << c.a << ' ' << c.b << ' ' << c.c;
        EXPECT_NEAR(p->x(), c.x, 1e-9);
        EXPECT_NEAR(p->y(), c.y, 1e-9);
        const auto back = TernaryTransform::toComponents(*p);
        const double s = c.a + c.b + c.c;
        EXPECT_NEAR(back[0], c.a * 100 / s, 1e-9);
        EXPECT_NEAR(back[1], c.b * 100 / s, 1e-9);
        EXPECT_NEAR(back[2], c.c * 100 / s, 1e-9);
    }
    EXPECT_FALSE(TernaryTransform::toPlane(0, 0, 0));
    EXPECT_FALSE(TernaryTransform::toPlane(1, std::nan(""), 1));
}

TEST(TernaryTransform, LeavesOutZeroSumsAndNegativesWithTheirLabels) {
    Series s;
    s.points = {{1, 1, 0}, {0, 0, 1}, {-1, 5, 2}, {0, 0, 3}};
    s.z = {1, 0, 5, 4};
    s.labelTexts = {"S0", "S1", "S2", "S3"};
    std::vector<Series> series{s};
    const auto skipped = TernaryTransform::apply(series);
    EXPECT_EQ(skipped.zeroSum, 1);
    EXPECT_EQ(skipped.negative, 1);
    ASSERT_EQ(series[0].pointCount(), 2);
    EXPECT_EQ(series[0].labelList(), (QStringList{"S0", "S3"}));
    EXPECT_EQ(series[0].points[1].row, 3);
    EXPECT_DOUBLE_EQ(series[0].points[1].x, 100);
    EXPECT_DOUBLE_EQ(series[0].z.at(1), 4); // C is kept
    EXPECT_EQ(TernaryTransform::negativeNote(1),
              QStringLiteral("Ternary: 1 rows with a negative component are not shown"));
    EXPECT_TRUE(TernaryTransform::negativeNote(0).isEmpty());
}

// Every grid line ends on the triangle's sides: both ends have components in 0..100 and one
// component at 0 (a line poking out of the frame or stopping short fails).
TEST(TernaryFrame, GridLinesRunFromSideToSide) {
    const auto lines = TernaryFrame::gridLines(GridStyle::Dashed);
    ASSERT_EQ(lines.size(), 27u);
    for (const OverlayLine& l : lines) {
        EXPECT_EQ(l.dash, LineDash::Dashed);
        for (const QPointF& end : l.points) {
            const auto abc = TernaryTransform::toComponents(end);
            const double smallest = std::min({abc[0], abc[1], abc[2]});
            EXPECT_NEAR(smallest, 0, 1e-9) << end.x() << ',' << end.y();
        }
    }
    EXPECT_TRUE(TernaryFrame::gridLines(GridStyle::None).empty());
}

} // namespace
