// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "geo/Calibration.h"
#include "geo/Coordinate.h"

namespace {

// Mille Lacs: pixel (0,0) is N 46.43 W 93.86, pixel (1600,1824) is N 46.05 W 93.38.
const Calibration kMilleLacs{93.86, 93.38, 46.43, 46.05, 0, 1600, 0, 1824};

TEST(Calibration, PixelToCoordinate) {
    struct Case {
        Calibration cal;
        int x, y;
        const char *lat, *lon;
    };
    const Case cases[] = {
        {Calibration(), 100, 100, "N000-30-00", "W000-30-00"},
        {{93, 92, 0, 1, 0, 1000, 0, 200}, 500, 0, "N000-00-00", "W092-30-00"},
        // 93.86 splits into 35.99999... seconds, which the display truncates.
        {kMilleLacs, 0, 0, "N046-25-47", "W093-51-35"},
        {kMilleLacs, 1600, 1824, "N046-02-59", "W093-22-47"},
        {kMilleLacs, 1234, 567, "N046-18-42", "W093-29-23"},
    };
    for (const Case& c : cases) {
        CCoordinate coord;
        c.cal.PixelToCoordinate(c.x, c.y, coord);
        EXPECT_EQ(coord.LatitudeText(true), c.lat) << c.x << "," << c.y;
        EXPECT_EQ(coord.LongitudeText(true), c.lon) << c.x << "," << c.y;
    }
}

TEST(Calibration, MilleLacsLinesAndRoundTrip) {
    const Calibration skewed{-12.25, 3.5, 61, 58.75, 40, 930, 700, 25};
    const int pixels[][2] = {{0, 0}, {199, 37}, {800, 912}, {1600, 1824}, {-50, 3000}};
    for (const auto& p : pixels) {
        CCoordinate c;
        kMilleLacs.PixelToCoordinate(p[0], p[1], c);
        EXPECT_NEAR(c.longitude.ToDecimalDegrees(), 93.86 - 0.0003 * p[0], 1e-9);
        EXPECT_NEAR(c.latitude.ToDecimalDegrees(), 46.43 - (0.38 / 1824) * p[1], 1e-9);
        for (const Calibration& cal : {kMilleLacs, skewed, Calibration()}) {
            cal.PixelToCoordinate(p[0], p[1], c);
            EXPECT_NEAR(cal.LongitudeToX(c), p[0], 1e-6);
            EXPECT_NEAR(cal.LatitudeToY(c), p[1], 1e-6);
        }
    }
}

TEST(Calibration, UncalibratedAxis) {
    CCoordinate c;
    c.latitude = CDegMinSec(10, 20, 30);
    // Longitude axis all zero: longitude becomes 0 and latitude is not touched.
    const Calibration noLon{0, 0, 0, 1, 0, 0, 0, 200};
    noLon.PixelToCoordinate(150, 150, c);
    EXPECT_EQ(c.LongitudeText(true), "W000-00-00");
    EXPECT_EQ(c.LatitudeText(true), "N010-20-30");
    EXPECT_EQ(noLon.LongitudeToX(c), 0.0);
    // Latitude axis all zero: latitude becomes 0.
    const Calibration noLat{0, 1, 0, 0, 0, 200, 0, 0};
    noLat.PixelToCoordinate(100, 150, c);
    EXPECT_EQ(c.LongitudeText(true), "W000-30-00");
    EXPECT_EQ(c.LatitudeText(true), "N000-00-00");
    c.latitude = CDegMinSec(10, 0, 0);
    EXPECT_EQ(noLat.LatitudeToY(c), 0.0);
}

// A flat axis (both points on one pixel or one degree value) maps everything
// to point 1 and never yields inf or NaN.
TEST(Calibration, DegenerateAxesStayFinite) {
    const struct {
        int pixel;
        double degrees;
    } probes[] = {{0, 0.0}, {100, 46.5}, {-7, -1e300}};
    for (int xKind = 0; xKind < 4; ++xKind) {  // bit 0: same pixel, bit 1: same degree
        for (int yKind = 0; yKind < 4; ++yKind) {
            Calibration cal = kMilleLacs;
            if (xKind & 1) cal.x2 = cal.x1 = 300;
            if (xKind & 2) cal.lon2 = cal.lon1;
            if (yKind & 1) cal.y2 = cal.y1 = 300;
            if (yKind & 2) cal.lat2 = cal.lat1;
            for (const auto& p : probes) {
                SCOPED_TRACE(testing::Message() << xKind << " " << yKind << " " << p.degrees);
                CCoordinate c;
                cal.PixelToCoordinate(p.pixel, 99999, c);
                const double lon = c.longitude.ToDecimalDegrees();
                const double lat = c.latitude.ToDecimalDegrees();
                ASSERT_TRUE(std::isfinite(lon) && std::isfinite(lat));
                EXPECT_TRUE(!xKind || std::fabs(lon - cal.lon1) < 1e-9) << lon;
                EXPECT_TRUE(!yKind || std::fabs(lat - cal.lat1) < 1e-9) << lat;
                c.latitude.FromDecimalDegrees(p.degrees);
                c.longitude.FromDecimalDegrees(p.degrees);
                const double x = cal.LongitudeToX(c), y = cal.LatitudeToY(c);
                ASSERT_TRUE(std::isfinite(x) && std::isfinite(y));
                EXPECT_TRUE(!xKind || x == cal.x1) << x;
                EXPECT_TRUE(!yKind || y == cal.y1) << y;
            }
        }
    }
}

TEST(Calibration, AllowedMappingAreaExcludesBorders) {
    struct Case {
        int x, y, width, height;
        double zoom;
        bool inside;
    };
    const Case cases[] = {
        {1, 1, 100, 50, 1.5, true},       {149, 74, 100, 50, 1.5, true},  // W 150, H 75
        {0, 10, 100, 50, 1.5, false},     {10, 0, 100, 50, 1.5, false},
        {150, 10, 100, 50, 1.5, false},   {10, 75, 100, 50, 1.5, false},
        {-3, 10, 100, 50, 1.5, false},    {32, 10, 100, 100, 0.333, true},  // W trunc(33.3)
        {33, 10, 100, 100, 0.333, false}, {1, 1, 100, 100, 0.0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InAllowedMappingArea(c.x, c.y, c.width, c.height, c.zoom), c.inside)
            << c.x << "," << c.y << " zoom " << c.zoom;
}

}  // namespace
