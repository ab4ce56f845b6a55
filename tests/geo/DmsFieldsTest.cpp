// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <limits>

#include "geo/DegMinSec.h"
#include "geo/DmsFields.h"

namespace {

TEST(DmsFields, NearestSecondWithinAMillionthElseCut) {
    struct Case {
        double value;
        int d, m, s;
    };
    const Case cases[] = {
        {0.0, 0, 0, 0},
        {27.2, 27, 12, 0},                                              // 27 11 59.99999999999
        {45.016666666666666, 45, 1, 0},                                 // 45 0 59.99999999999659
        {44.975, 44, 58, 30},                                           // 44 58 30.000000000005
        {CDegMinSec(44, 59, 59.9999999).ToDecimalDegrees(), 45, 0, 0},  // carries twice
        {CDegMinSec(44, 59, 59.99999).ToDecimalDegrees(), 44, 59, 59},  // 1e-5 s short: cut
        {CDegMinSec(10, 20, 30.5).ToDecimalDegrees(), 10, 20, 30},
        {CDegMinSec(10, 20, 30.9999).ToDecimalDegrees(), 10, 20, 30},
        {-12.5, -12, -30, 0},
        {-27.2, -27, -12, 0},  // the carry keeps the sign
        {1e300, std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), 0},
    };
    for (const Case& c : cases) {
        const DmsFields f(c.value);
        EXPECT_EQ(f.parts[0], c.d) << c.value;
        EXPECT_EQ(f.parts[1], c.m) << c.value;
        EXPECT_EQ(f.parts[2], c.s) << c.value;
        EXPECT_EQ(f.value, c.value);
    }
}

TEST(DmsFields, ReadGivesTheExactValueBackWhenUntouched) {
    const DmsFields f(27.2);
    EXPECT_EQ(f.Read({27, 12, 0}), 27.2);
    EXPECT_EQ(f.Read({27, 12, 1}), CDegMinSec(27, 12, 1).ToDecimalDegrees());
    EXPECT_EQ(f.Read({27, 11, 60}), CDegMinSec(27, 11, 60).ToDecimalDegrees());
}

TEST(DmsFields, TruncateToIntPinsTheRange) {
    struct Case {
        double v;
        int expected;
    };
    const Case cases[] = {
        {12.9, 12},
        {-12.9, -12},
        {1e12, std::numeric_limits<int>::max()},
        {-1e12, std::numeric_limits<int>::min()},
        {std::numeric_limits<double>::quiet_NaN(), 0},
        {std::numeric_limits<double>::infinity(), std::numeric_limits<int>::max()}};
    for (const Case& c : cases) EXPECT_EQ(TruncateToInt(c.v), c.expected) << c.v;
}

}  // namespace
