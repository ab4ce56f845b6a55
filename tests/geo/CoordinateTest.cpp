#include <gtest/gtest.h>

#include <QBuffer>
#include <cmath>

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

TEST(Coordinate, DistanceInMiles) {
    const CCoordinate origin = At({44, 0, 0}, {93, 0, 0});
    struct Case {
        CCoordinate to;
        double miles;
    };
    const Case cases[] = {
        {At({44, 0, 0}, {93, 0, 0}), 0.0},     {At({44, 1, 0}, {93, 0, 0}), 1.1536},
        {At({44, 0, 0}, {93, 1, 0}), 0.7317},  {At({45, 0, 0}, {93, 0, 0}), 69.2189},
        {At({43, 0, 0}, {93, 0, 0}), 69.2189},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(origin.DistanceTo(c.to), c.miles, 0.00005) << c.miles;
        EXPECT_NEAR(c.to.DistanceTo(origin), c.miles, 0.00005) << c.miles;
    }
    const CCoordinate odd = At({46, 14, 23.5}, {93, 37, 12.25});
    EXPECT_EQ(odd.DistanceTo(CCoordinate(odd)), 0.0);
    // Latitudes past the pole come from damaged files; no NaN may come out.
    EXPECT_FALSE(std::isnan(At({170, 0, 0}, {0, 0, 0}).DistanceTo(At({171, 0, 0}, {90, 0, 0}))));
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
