// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "geo/DegMinSec.h"

namespace {

TEST(DegMinSec, FromDecimalDegreesSplitsWithSignOfInput) {
    struct Case {
        double x, deg, min, sec;
    };
    const Case cases[] = {
        {44.5, 44, 30, 0},    {44.975, 44, 58, 30.000000000005116},
        {93.25, 93, 15, 0},   {45.016666666666666, 45, 0, 59.99999999999659},
        {-12.5, -12, -30, 0}, {-0.25, 0, -15, 0},
        {0.0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        CDegMinSec a(7, 7, 7);
        a.FromDecimalDegrees(c.x);
        EXPECT_EQ(a.degrees, c.deg) << c.x;
        EXPECT_EQ(a.minutes, c.min) << c.x;
        EXPECT_NEAR(a.seconds, c.sec, 1e-12) << c.x;
    }
    CDegMinSec a;
    a.FromDecimalDegrees(std::nan(""));  // damaged input must not reach an int cast
    EXPECT_EQ(a.degrees, 0.0);
}

TEST(DegMinSec, ToDecimalAndScaledRadians) {
    constexpr double kSec = 5.57913575756594e-06;  // 1" in radians times 6076.115 / 5280
    struct Case {
        CDegMinSec angle;
        double decimal, scaled;
    };
    const Case cases[] = {
        {{}, 0.0, 0.0},
        {{45, 1, 0}, 45.016666666666666, 162060 * kSec},
        {{0, 0, 36}, 0.01, 36 * kSec},
        {{0, 0, 1}, 1 / 3600.0, kSec},
        {{-12, -30, 0}, -12.5, -45000 * kSec},
        // Parts are added with their own signs, but one negative part makes
        // the whole scaled angle negative.
        {{10, -30, 0}, 9.5, -37800 * kSec},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(c.angle.ToDecimalDegrees(), c.decimal);
        EXPECT_NEAR(c.angle.ToScaledRadians(), c.scaled, std::fabs(c.scaled) * 1e-12);
    }
    EXPECT_EQ(CDegMinSec(45, 1, 0).ToDecimalDegrees(), 45.016666666666666);
}

}  // namespace
