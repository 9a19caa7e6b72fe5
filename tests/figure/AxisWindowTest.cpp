#include "figure/AxisWindow.h"

#include <gtest/gtest.h>

TEST(AxisWindowTest, ZoomsAboutAValueAndPansWithinTheWholeAxis) {
    const AxisWindow whole{0, 100};
    const AxisWindow logWhole{1, 10000};
    struct Case {
        const char* what;
        AxisWindow got;
        AxisWindow expected;
    };
    const Case cases[] = {
        {"zoom in about 20: 20 keeps its place",
         AxisWindow{0, 100}.zoomed(0.5, 20, whole, false),
         {10, 60}},
        {"zoom out never passes the whole axis",
         AxisWindow{10, 60}.zoomed(4, 50, whole, false),
         {0, 100}},
        {"zoomed out at the edge, moved back inside",
         AxisWindow{80, 100}.zoomed(2, 100, whole, false),
         {60, 100}},
        {"a value outside is taken at the nearer end",
         AxisWindow{40, 60}.zoomed(0.5, -7, whole, false),
         {40, 50}},
        {"centred", AxisWindow{0, 20}.centredOn(50, whole, false), {40, 60}},
        {"centred past the end stops at it",
         AxisWindow{0, 20}.centredOn(99, whole, false),
         {80, 100}},
        {"log: by decades", AxisWindow{1, 10000}.zoomed(0.5, 100, logWhole, true), {10, 1000}},
        {"log: centred on a decade",
         AxisWindow{1, 100}.centredOn(1000, logWhole, true),
         {100, 10000}},
        {"a window without width is left", AxisWindow{5, 5}.zoomed(0.5, 5, whole, false), {5, 5}},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(c.got.min, c.expected.min, 1e-9) << c.what;
        EXPECT_NEAR(c.got.max, c.expected.max, 1e-9) << c.what;
    }
    EXPECT_NEAR(AxisWindow({1, 10000}).middle(true), 100, 1e-9);
    EXPECT_NEAR(AxisWindow({-4, 10}).middle(false), 3, 1e-12);
    // However far in, a millionth of the whole axis is left to see.
    AxisWindow deep{0, 100};
    for (int i = 0; i < 200; ++i)
        deep = deep.zoomed(0.5, 50, whole, false);
    EXPECT_NEAR(deep.max - deep.min, 1e-4, 1e-12);
}
