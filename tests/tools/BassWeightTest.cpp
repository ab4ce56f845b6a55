// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "tools/BassWeight.h"

namespace {

TEST(BassWeight, LengthSquaredTimesGirthOver1200) {
    const struct {
        double length, girth, pounds;
        const char* text;
    } cases[] = {
        {15, 12, 2.25, "2.25"},
        {20, 15, 5.0, "5.00"},
        {18, 14, 3.78, "3.78"},
        {0, 0, 0.0, "0.00"},
        {22.5, 17.25, 7.27734375, "7.28"},
        {10, 5, 0.4166666666666667, "0.42"},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(BassWeight(c.length, c.girth), c.pounds, 1e-12) << c.text;
        EXPECT_EQ(BassWeightText(c.length, c.girth), c.text);
    }
}

}  // namespace
