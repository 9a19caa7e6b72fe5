// The Finnish grid projection against known coordinates.
#include "Tm35FinProjection.h"

#include <gtest/gtest.h>

namespace {

TEST(Tm35FinProjectionTest, CentralMeridianAndSymmetry) {
    // On the central meridian the northing is 0.9996 times the meridian arc: 60 N is at
    // 6 651 411.19 m, the equator at 0.
    auto [x, y] = Tm35FinProjection::forward(60.0, 27.0);
    EXPECT_NEAR(x, 500000.0, 1e-6);
    EXPECT_NEAR(y, 6651411.19, 0.01);
    std::tie(x, y) = Tm35FinProjection::forward(0.0, 27.0);
    EXPECT_NEAR(y, 0.0, 1e-6);
    // East and west of the meridian mirror each other.
    const auto east = Tm35FinProjection::forward(64.5, 30.0);
    const auto west = Tm35FinProjection::forward(64.5, 24.0);
    EXPECT_NEAR(east.first - 500000.0, 500000.0 - west.first, 1e-6);
    EXPECT_NEAR(east.second, west.second, 1e-6);
    EXPECT_NEAR(east.first, 644000.0, 500.0); // 3 degrees of longitude at 64.5 N: 144 km
}

} // namespace
