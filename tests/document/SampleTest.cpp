// SPDX-License-Identifier: GPL-3.0-or-later
// The bundled sample location. Its file is generated here: run this test
// with FM_REGENERATE_SAMPLE=1 to rewrite samples/millelacs.fnm after
// changing the content below; otherwise the test checks the committed file.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <set>

#include "LocationFixtures.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "document/TarnlightDoc.h"

namespace {

const QString kSample = QString(FM_SAMPLES_DIR) + "/millelacs.fnm";

struct Place {
    const char* name;
    double latitude;   // decimal degrees north
    double longitude;  // decimal degrees west
    int type;
    int elevation;  // feet; the lake lies at 1251
    const char* info;
};

// Spots on and around Mille Lacs Lake, Minnesota.
const Place kPlaces[] = {
    {"Garrison", 46.2947, 93.8400, CMapPoint::City, 1260,
     "Town on the north-west shore. Bait, gas, public access."},
    {"Malmo", 46.3294, 93.5300, CMapPoint::City, 1262, "East shore, Malmo Bay."},
    {"Isle", 46.1420, 93.4760, CMapPoint::City, 1270, "Town at the south-east corner, Isle Bay."},
    {"Wahkon", 46.1370, 93.5206, CMapPoint::City, 1265, "Wahkon Bay, south shore."},
    {"Mille Lacs Kathio State Park", 46.1370, 93.7300, CMapPoint::Land, 1280,
     "Park land at the outlet to the Rum River."},
    {"Hennepin Island", 46.2870, 93.5480, CMapPoint::Rock, 1253,
     "Rock island, bird refuge. No landing."},
    {"Spirit Island", 46.2500, 93.5650, CMapPoint::Landmark, 1252,
     "Small rocky island, refuge. Reefs off both ends."},
    {"Mud flats", 46.2800, 93.6800, CMapPoint::Water, 1224,
     "Soft bottom, 26-30 ft. Walleye edges in summer."},
};

struct Marker {
    int iconId;
    const char* name;
    QPoint position;
    int altitude;
    const char* info;
};

const Marker kMarkers[] = {
    {5030,
     "Garrison launch",
     {140, 640},
     1251,
     "Public access, three lanes. Lot fills by 6 am on the opener."},
    {5003,
     "Flats walleye",
     {620, 740},
     1251,
     "Edge of the mud flats, 26-28 ft. Jig and minnow at dusk, June."},
    {5012,
     "Spirit reef smallies",
     {950, 880},
     1251,
     "Smallmouth off the south end, 8-14 ft. Mind the boulders."},
};

QPoint PixelOf(const CTarnLocation& location, double latitude, double longitude) {
    CCoordinate c;
    c.latitude.FromDecimalDegrees(latitude);
    c.longitude.FromDecimalDegrees(longitude);
    return QPoint(int(std::lround(location.LongitudeToX(c))),
                  int(std::lround(location.LatitudeToY(c))));
}

void BuildSample(CTarnLocation& location) {
    // Pixel (0, 0) is N 46.43 W 93.86, pixel (1600, 1824) N 46.05 W 93.38.
    location.lon1 = 93.86;
    location.lat1 = 46.43;
    location.x1 = 0;
    location.y1 = 0;
    location.lon2 = 93.38;
    location.lat2 = 46.05;
    location.x2 = 1600;
    location.y2 = 1824;
    // Bare names: the tiles are found beside the location file.
    for (auto [name, placement] : {std::pair{"millelacs-west.jpg", RectL{0, 0, 800, 1824}},
                                   std::pair{"millelacs-east.jpg", RectL{800, 0, 1600, 1824}}}) {
        auto entry = std::make_unique<CMapLocation>();
        entry->fileName = name;
        entry->placement = placement;
        location.maps.entries.push_back(std::move(entry));
    }
    for (const Marker& m : kMarkers) {
        auto point = std::make_unique<CUserInfoPoint>();
        point->iconId = m.iconId;
        point->name = m.name;
        point->info = m.info;
        point->position = m.position;
        point->altitude = m.altitude;
        location.userInfoPoints.Append(std::move(point));
    }
    for (const Place& p : kPlaces) {
        const QPoint at = PixelOf(location, p.latitude, p.longitude);
        location.mapPoints.AddPoint(at.x(), at.y(), p.type, p.elevation, p.name, p.info);
    }
}

TEST(Sample, CommittedFileIsWhatTheGeneratorWrites) {
    CTarnLocation location;
    BuildSample(location);
    const QByteArray bytes = fixtures::Store(location);
    if (qEnvironmentVariableIsSet("FM_REGENERATE_SAMPLE"))
        ASSERT_TRUE(testutil::WriteAll(kSample, bytes));
    EXPECT_EQ(testutil::ReadAll(kSample), bytes);
}

class SampleOpened : public ::testing::Test {
protected:
    void SetUp() override {
        doc.SetLocation(&location);
        ASSERT_TRUE(doc.OpenDocumentFile(kSample));
    }
    PromptsFixtureGuard prompts;
    CTarnLocation location;
    CTarnlightDoc doc;
};

TEST_F(SampleOpened, BothTilesAreFoundBesideTheFile) {
    EXPECT_TRUE(scripted().messages.isEmpty());
    ASSERT_EQ(location.maps.entries.size(), 2u);
    for (const auto& entry : location.maps.entries) {
        EXPECT_TRUE(entry->HasImage()) << entry->fileName.toStdString();
        EXPECT_EQ(entry->image.width, 800);
        EXPECT_EQ(entry->image.height, 1824);
        EXPECT_FALSE(entry->fileName.contains('/')) << "names stay as stored";
    }
    EXPECT_EQ(location.Extent(), QSize(1600, 1824));
}

TEST_F(SampleOpened, CalibrationMatchesTheTiles) {
    struct Case {
        QPoint pixel;
        double latitude, longitude;
    };
    const Case cases[] = {
        {{0, 0}, 46.43, 93.86}, {{1600, 1824}, 46.05, 93.38}, {{800, 912}, 46.24, 93.62}};
    for (const Case& c : cases) {
        CCoordinate at;
        location.PixelToCoordinate(c.pixel.x(), c.pixel.y(), at);
        EXPECT_NEAR(at.latitude.ToDecimalDegrees(), c.latitude, 1e-9);
        EXPECT_NEAR(at.longitude.ToDecimalDegrees(), c.longitude, 1e-9);
    }
}

TEST_F(SampleOpened, PointsSitWhereTheyBelong) {
    // Rendered water is light blue, land tan: check each point's own pixel.
    QImage lake(1600, 1824, QImage::Format_RGB32);
    lake.fill(Qt::white);
    {
        QPainter p(&lake);
        location.maps.DrawAll(p, lake.rect());
    }
    auto isWater = [&](QPoint at) { return qBlue(lake.pixel(at)) > qRed(lake.pixel(at)) + 40; };

    std::set<int> types;
    ASSERT_EQ(location.mapPoints.items.size(), std::size(kPlaces));
    for (const auto& point : location.mapPoints.items) {
        types.insert(point->type);
        const bool onLake = point->type == CMapPoint::Water || point->type == CMapPoint::Rock ||
                            point->type == CMapPoint::Landmark;
        EXPECT_EQ(isWater(point->position), onLake) << point->name.toStdString();
    }
    EXPECT_EQ(types, (std::set<int>{0, 1, 2, 3, 4}));
    for (const auto& marker : location.userInfoPoints.points)
        EXPECT_TRUE(isWater(marker->position + QPoint(8, 8))) << marker->name.toStdString();
}

}  // namespace
