// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QBuffer>
#include <cmath>
#include <limits>

#include "framework/Archive.h"
#include "geo/Coordinate.h"

namespace {

CCoordinate At(CDegMinSec lat, CDegMinSec lon) {
    CCoordinate c;
    c.latitude = lat;
    c.longitude = lon;
    return c;
}

TEST(Coordinate, Text) {
    struct Case {
        double lat, lon;
        const char *latText, *lonText, *latPlain, *lonPlain;
    };
    const Case cases[] = {
        {0.0, 0.0, "N000-00-00", "W000-00-00", "0000000", "0000000"},
        {44.5, 93.25, "N044-30-00", "W093-15-00", "0443000", "0931500"},
        {44.975, 100.5, "N044-58-30", "W100-30-00", "0445830", "1003000"},
        // 45°1'0" comes back as 45°0'59.99999" and the seconds are truncated.
        {45.016666666666666, 0.0, "N045-00-59", "W000-00-00", "0450059", "0000000"},
        // Negative parts print the way C printf does.
        {-12.5, -93.25, "N-12--30-00", "W-93--15-00", "-12-3000", "-93-1500"},
    };
    for (const Case& c : cases) {
        CCoordinate coord;
        coord.latitude.FromDecimalDegrees(c.lat);
        coord.longitude.FromDecimalDegrees(c.lon);
        EXPECT_EQ(coord.LatitudeText(true), c.latText);
        EXPECT_EQ(coord.LongitudeText(true), c.lonText);
        EXPECT_EQ(coord.LatitudeText(false), c.latPlain);
        EXPECT_EQ(coord.LongitudeText(false), c.lonPlain);
        EXPECT_EQ(coord.text, c.lonPlain);  // the scratch holds the last text
    }
}

TEST(Coordinate, CopyKeepsValueAndTagButNotText) {
    CCoordinate a = At({44, 30, 0}, {93, 15, 0});
    a.tag = 7;
    a.LatitudeText(true);
    const CCoordinate copy(a);
    EXPECT_TRUE(copy.text.isEmpty());
    EXPECT_EQ(copy.tag, 7);
    EXPECT_EQ(copy.LongitudeText(true), "W093-15-00");
    CCoordinate assigned;
    assigned.text = "mine";
    assigned = a;
    EXPECT_EQ(assigned.text, "mine");
    EXPECT_EQ(assigned.tag, 7);
    EXPECT_EQ(assigned.LatitudeText(true), "N044-30-00");
}

// Expected miles are GeodSolve -i (WGS 84) metres divided by 1609.344.
TEST(Coordinate, DistanceInMiles) {
    struct Case {
        CCoordinate from, to;
        double miles;
    };
    const CCoordinate origin = At({44, 0, 0}, {93, 0, 0});
    const Case cases[] = {
        {origin, origin, 0.0},
        {origin, At({44, 1, 0}, {93, 0, 0}), 1.150700791},  // one minute north
        {origin, At({44, 0, 0}, {93, 1, 0}), 0.830630296},  // one minute west
        {origin, At({45, 0, 0}, {93, 0, 0}), 69.048014758},
        {origin, At({43, 0, 0}, {93, 0, 0}), 69.035883984},
        {At({0, 0, 0}, {0, 0, 0}), At({1, 0, 0}, {0, 0, 0}), 68.707739649},
        {At({0, 0, 0}, {0, 0, 0}), At({0, 0, 0}, {1, 0, 0}), 69.170724713},
        // Across Mille Lacs along one row of the sample's map.
        {At({46.263333333333335, 0, 0}, {93.83, 0, 0}),
         At({46.263333333333335, 0, 0}, {93.56, 0, 0}), 12.934238656},
        // Parts with their own signs: -12 degrees -30 minutes is -12.5.
        {At({-12, -30, 0}, {0, 0, 0}), At({-12, 0, 0}, {0, 0, 0}), 34.369372818},
        // Latitudes past the pole (damaged files) continue over it: 170 N on
        // 0 W is 10 N on 180, 171 N on 90 W is 9 N on 90 E.
        {At({170, 0, 0}, {0, 0, 0}), At({171, 0, 0}, {90, 0, 0}), 6118.200685738},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(c.from.DistanceTo(c.to), c.miles, 1e-6) << c.miles;
        EXPECT_NEAR(c.to.DistanceTo(c.from), c.miles, 1e-6) << c.miles;
    }
    const CCoordinate odd = At({46, 14, 23.5}, {93, 37, 12.25});
    EXPECT_EQ(odd.DistanceTo(CCoordinate(odd)), 0.0);
    // Nothing that is not a number may reach the read-out.
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const CCoordinate& bad :
         {At({inf, 0, 0}, {93, 0, 0}), At({44, 0, 0}, {0, nan, 0}), At({44, 0, 0}, {0, 0, -inf})}) {
        EXPECT_EQ(origin.DistanceTo(bad), 0.0);
        EXPECT_EQ(bad.DistanceTo(origin), 0.0);
    }
}

TEST(Coordinate, SerializeRoundTripsSixDoubles) {
    CCoordinate stored = At({46, 14, 23.5}, {-93, 37, 12.25});
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    {
        CArchive ar(out, CArchive::Mode::Store);
        stored.Serialize(ar);
    }
    ASSERT_EQ(bytes.size(), 6 * 8);
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    CArchive ar(in, CArchive::Mode::Load);
    const double expected[] = {46, 14, 23.5, -93, 37, 12.25};
    for (double v : expected) EXPECT_EQ(ar.ReadF64(), v);
    in.seek(0);
    CArchive again(in, CArchive::Mode::Load);
    CCoordinate loaded;
    loaded.Serialize(again);
    EXPECT_FALSE(again.Failed());
    EXPECT_EQ(loaded.DistanceTo(stored), 0.0);
    EXPECT_EQ(loaded.LongitudeText(true), "W-93-37-12");
}

}  // namespace
