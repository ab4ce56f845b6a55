// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "MapwrightTestSupport.h"
#include "mapwright/Layout.h"

using layout::Corner;

namespace {

TEST(Layout, ExtentFollowsTheFarthestEdgesButNeverShrinksBelow1000) {
    struct Case {
        std::vector<RectL> placements;
        QSize extent;
    } cases[] = {
        {{}, {1000, 1000}},
        {{{0, 0, 800, 600}}, {1000, 1000}},
        {{{0, 0, 800, 1824}, {800, 0, 1600, 1824}}, {1600, 1824}},
        {{{0, 0, 1500, 10}}, {1500, 1000}},
        {{{200, 900, 300, 1200}}, {1000, 1200}},
    };
    for (const Case& c : cases) EXPECT_EQ(layout::ExtentOf(c.placements), c.extent);
}

TEST(Layout, NewImagesGoToTheRightOfEverythingAtTheTop) {
    struct Case {
        std::vector<RectL> placed;
        QSize image;
        RectL expected;
    } cases[] = {
        {{}, {800, 600}, {0, 0, 800, 600}},
        {{{0, 0, 800, 1824}}, {800, 1824}, {800, 0, 1600, 1824}},
        {{{0, 0, 800, 1824}, {800, 0, 1600, 1824}}, {100, 50}, {1600, 0, 1700, 50}},
        {{{0, 500, 300, 900}, {50, 0, 120, 40}}, {10, 10}, {300, 0, 310, 10}},
    };
    for (const Case& c : cases) EXPECT_EQ(layout::PlaceToTheRight(c.placed, c.image), c.expected);
}

TEST(Layout, MovesSnapToNearbyEdgesWithinTheTolerance) {
    const RectL west{0, 0, 800, 1824};
    struct Case {
        const char* what;
        RectL start;
        QPoint offset;
        std::vector<RectL> others;
        int tolerance;
        RectL expected;
    } cases[] = {
        {"left onto right edge, top onto surface",
         {1000, 100, 1800, 1924},
         {-195, -98},
         {west},
         6,
         {800, 0, 1600, 1824}},
        {"too far to snap", {1000, 100, 1800, 1924}, {-190, -90}, {west}, 6, {810, 10, 1610, 1834}},
        {"right onto left edge",
         {0, 600, 300, 900},
         {695, 0},
         {{1000, 0, 1800, 500}},
         6,
         {700, 600, 1000, 900}},
        {"bottom onto top edge",
         {0, 0, 100, 100},
         {500, 203},
         {{500, 300, 600, 400}},
         6,
         {500, 200, 600, 300}},
        {"the nearest edge wins",
         {0, 200, 100, 300},
         {2, -98},
         {{0, 0, 100, 100}, {103, 0, 200, 100}},
         6,
         {3, 100, 103, 200}},
        {"kept on the surface", {10, 10, 110, 110}, {-50, -50}, {}, 6, {0, 0, 100, 100}},
        {"no snapping without a tolerance", {10, 10, 110, 110}, {-9, 0}, {}, 0, {1, 10, 101, 110}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(layout::SnapMove(c.start, c.offset, c.others, c.tolerance), c.expected) << c.what;
}

TEST(Layout, StretchingMovesOneCornerAndKeepsTheOpposite) {
    const RectL start{100, 100, 300, 200};
    struct Case {
        const char* what;
        Corner corner;
        QPoint offset;
        QSize aspect;
        std::vector<RectL> others;
        int tolerance;
        RectL expected;
    } cases[] = {
        {"bottom right", Corner::BottomRight, {50, 20}, {}, {}, 0, {100, 100, 350, 220}},
        {"top left", Corner::TopLeft, {-20, -30}, {}, {}, 0, {80, 70, 300, 200}},
        {"top right", Corner::TopRight, {10, -10}, {}, {}, 0, {100, 90, 310, 200}},
        {"bottom left", Corner::BottomLeft, {-10, 10}, {}, {}, 0, {90, 100, 300, 210}},
        {"smaller than the image",
         Corner::BottomRight,
         {-150, -50},
         {},
         {},
         0,
         {100, 100, 150, 150}},
        {"not past the opposite corner",
         Corner::BottomRight,
         {-500, -500},
         {},
         {},
         0,
         {100, 100, 100 + layout::kMinSize, 100 + layout::kMinSize}},
        {"not off the surface", Corner::TopLeft, {-200, -200}, {}, {}, 0, {0, 0, 300, 200}},
        {"proportions kept",
         Corner::BottomRight,
         {100, 0},
         {200, 100},
         {},
         0,
         {100, 100, 400, 250}},
        {"proportions kept from the top",
         Corner::TopLeft,
         {-100, 0},
         {200, 100},
         {},
         0,
         {0, 50, 300, 200}},
        {"edge snaps",
         Corner::BottomRight,
         {97, 0},
         {},
         {{0, 0, 400, 50}},
         6,
         {100, 100, 400, 200}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(layout::StretchCorner(start, c.corner, c.offset, c.others, c.tolerance, c.aspect),
                  c.expected)
            << c.what;
}

TEST(Layout, ArrangeInARowKeepsSizesAndListOrder) {
    const std::vector<RectL> placements{{40, 70, 840, 1894}, {5, 5, 805, 1829}, {0, 0, 50, 20}};
    const std::vector<RectL> expected{{0, 0, 800, 1824}, {800, 0, 1600, 1824}, {1600, 0, 1650, 20}};
    EXPECT_EQ(layout::ArrangeRow(placements), expected);
}

TEST(Layout, ArrangeInAGridSizesColumnsAndRowsByTheirLargestEntry) {
    const std::vector<RectL> placements{
        {0, 0, 100, 50}, {0, 0, 200, 80}, {0, 0, 50, 50}, {9, 9, 129, 69}, {0, 0, 80, 90}};
    const std::vector<RectL> expected{{0, 0, 100, 50},
                                      {120, 0, 320, 80},
                                      {320, 0, 370, 50},
                                      {0, 80, 120, 140},
                                      {120, 80, 200, 170}};
    EXPECT_EQ(layout::ArrangeGrid(placements), expected);
    EXPECT_TRUE(layout::ArrangeGrid({}).empty());
}

TEST(Layout, GridIsAsSquareAsTheCountAllows) {
    const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 2},
                                         {4, 2}, {5, 3}, {9, 3}, {10, 4}};
    for (auto [count, columns] : cases) EXPECT_EQ(layout::GridColumns(count), columns) << count;
}

TEST(Layout, HitTestFindsTheTopmostEntry) {
    const std::vector<RectL> placements{{0, 0, 100, 100}, {50, 50, 150, 150}};
    const std::pair<QPoint, int> cases[] = {
        {{60, 60}, 1}, {{10, 10}, 0}, {{149, 149}, 1}, {{150, 150}, -1}, {{-1, 5}, -1}};
    for (auto [point, index] : cases)
        EXPECT_EQ(layout::HitTest(placements, point), index) << point.x() << "," << point.y();
}

}  // namespace
