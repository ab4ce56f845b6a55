// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "magnifier/LensGeometry.h"

namespace {

const RectL kView{0, 0, 640, 480};

TEST(LensGeometry, SourceSideForEverySizeAndZoom) {
    const int zooms[] = {18, 20, 25, 30, 50};
    struct Row {
        int size;
        int src[5];
    };
    const Row rows[] = {
        {100, {50, 50, 40, 30, 20}},  {120, {60, 60, 40, 40, 20}},   {150, {80, 70, 60, 50, 30}},
        {180, {100, 90, 70, 60, 30}}, {220, {120, 110, 80, 70, 40}}, {250, {130, 120, 100, 80, 50}},
    };
    for (const Row& r : rows) {
        for (int i = 0; i < 5; ++i) {
            SCOPED_TRACE(testing::Message() << "size " << r.size << " zoom " << zooms[i]);
            EXPECT_EQ(lens::SourceSide(r.size, zooms[i]), r.src[i]);
        }
    }
}

TEST(LensGeometry, TrueEnlargementFollowsTheTruncatedSource) {
    struct Case {
        int size, zoom;
        double enlargement;
    };
    const Case cases[] = {{100, 18, 2.0}, {100, 20, 2.0}, {250, 30, 3.125}, {100, 50, 5.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " at " << c.zoom);
        EXPECT_DOUBLE_EQ(double(c.size) / lens::SourceSide(c.size, c.zoom), c.enlargement);
    }
}

TEST(LensGeometry, LensPositionKeepsTheLensInsideTheBounds) {
    struct Case {
        QPoint mouse;
        int size;
        RectL bounds;
        QPoint expected;
    };
    const Case cases[] = {
        {{300, 200}, 100, kView, {250, 150}},              // centred
        {{10, 200}, 100, kView, {0, 150}},                 // flush left
        {{50, 50}, 100, kView, {0, 0}},                    // x - h equals the left edge
        {{51, 51}, 100, kView, {1, 1}},                    // one pixel further is centred again
        {{635, 475}, 100, kView, {540, 380}},              // bottom-right corner
        {{589, 429}, 100, kView, {539, 379}},              // just before the right rule applies
        {{300, 200}, 250, kView, {175, 75}},               // size 250, h = 125
        {{300, 200}, 101, kView, {250, 150}},              // odd size: h truncates to 50
        {{130, 70}, 100, {100, 50, 400, 300}, {100, 50}},  // bounds not at the origin
        {{395, 295}, 100, {100, 50, 400, 300}, {300, 200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mouse.x() << "," << c.mouse.y() << " s " << c.size);
        EXPECT_EQ(lens::LensPosition(c.mouse, c.size, c.bounds), c.expected);
    }
}

TEST(LensGeometry, SourceOriginClampsAndTheRightRuleWins) {
    struct Case {
        QPoint centre;
        int src;
        RectL bounds;
        QPoint expected;
    };
    const Case cases[] = {
        {{300, 200}, 50, kView, {275, 175}},
        {{10, 10}, 50, kView, {0, 0}},  // samples from the left and top edges
        {{25, 25}, 50, kView, {0, 0}},  // c equal to left + hs
        {{26, 26}, 50, kView, {1, 1}},
        {{635, 475}, 50, kView, {590, 430}},  // the last src x src pixels
        {{615, 455}, 50, kView, {590, 430}},  // c equal to right - hs
        {{614, 454}, 50, kView, {589, 429}},
        {{20, 20}, 50, {0, 0, 40, 40}, {-10, -10}},  // both rules hold: right wins
        {{300, 200}, 130, kView, {235, 135}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.centre.x() << "," << c.centre.y() << " src " << c.src);
        EXPECT_EQ(lens::SourceOrigin(c.centre, c.src, c.bounds), c.expected);
    }
}

TEST(LensGeometry, UnmagnifiedOriginMatchesTheLensPlace) {
    struct Case {
        QPoint sourceOrigin;
        int src, size;
        QPoint expected;
    };
    const Case cases[] = {
        {{275, 175}, 50, 100, {250, 150}},  // the lens's own place
        {{0, 0}, 50, 100, {0, 0}},          // never left of or above zero
        {{25, 25}, 50, 100, {0, 0}},        // exactly zero
        {{590, 430}, 50, 100, {540, 380}},  // capped at right - size
        {{100, 100}, 60, 125, {68, 68}},    // (60 - 125) / 2 truncates toward zero: -32
        {{200, 150}, 80, 250, {115, 65}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sourceOrigin.x() << " src " << c.src);
        EXPECT_EQ(lens::UnmagnifiedOrigin(c.sourceOrigin, c.src, c.size, kView), c.expected);
    }
}

TEST(LensGeometry, SanitizedLensReplacesOnlyHarmfulValues) {
    struct Case {
        int shape, size, zoom;
        lens::Settings expected;
    };
    const Case cases[] = {
        {1, 100, 20, {1, 100, 20}},   {0, 250, 50, {0, 250, 50}},
        {1, 130, 15, {1, 130, 15}},    // outside the tables but harmless
        {0, 1000, 20, {0, 1000, 20}},  // the largest accepted size
        {0, 100, 0, {0, 100, 20}},    {0, 100, -5, {0, 100, 20}},
        {0, 0, 20, {0, 100, 20}},     {0, -100, 20, {0, 100, 20}},
        {0, 1001, 20, {0, 100, 20}},  {0, 0, 0, {0, 100, 20}},
        {0, 100, 200, {0, 100, 20}},  // would leave an empty source square
        {0, 5, 20, {0, 100, 20}},     // too small to sample anything
        {7, 100, 20, {7, 100, 20}},   // any shape but 1 is simply rectangular
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.shape << " " << c.size << " " << c.zoom);
        EXPECT_EQ(lens::SanitizedLens(c.shape, c.size, c.zoom), c.expected);
    }
}

}  // namespace
