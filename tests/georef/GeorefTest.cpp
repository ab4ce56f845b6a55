// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>

#include "TestUtil.h"
#include "geo/Calibration.h"
#include "geo/Coordinate.h"
#include "georef/CalibrationFit.h"
#include "georef/Georeference.h"
#include "georef/OziMap.h"
#include "georef/WorldFile.h"

using georef::Georeference;

namespace {

const QString kData = QStringLiteral(FM_TESTDATA_DIR "/georef/");

// Seconds of arc between what the calibration reads at (x, y) and the
// expected position, on the worse axis.
double SecondsOff(const Calibration& c, int x, int y, double lat, double lonWest) {
    CCoordinate at;
    c.PixelToCoordinate(x, y, at);
    return 3600 * std::max(std::fabs(at.latitude.ToDecimalDegrees() - lat),
                           std::fabs(at.longitude.ToDecimalDegrees() - lonWest));
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// A plain picture, for the world files written beside it.
void Picture(const QString& path, int w, int h, const char* format) {
    if (QByteArray(format) == "gif") {
        // Qt writes no GIF; the georeference never looks at the pixels.
        Write(path, QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 14));
        return;
    }
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(path, format));
}

TEST(WorldFile, ReadsSixNumbersAndRefusesTheRest) {
    struct Case {
        const char* text;
        bool ok;
        const char* problemPart;
    } cases[] = {
        {"0.0012\n0\n0\n-0.0008\n-93.6194\n46.4296\n", true, ""},
        {"  0.0012\r\n0.0\r\n0.0\r\n-8e-4\r\n-93.6194\r\n46.4296\r\n\r\n", true, ""},
        {"0\n0\n0\n-0.0008\n-93.6\n46.4\n", false, "no size"},
        {"0.0012\n0\n0\n0\n-93.6\n46.4\n", false, "no size"},
        {"nan\n0\n0\n-0.0008\n-93.6\n46.4\n", false, "not a finite"},
        {"0.0012\n0\n0\n-0.0008\ninf\n46.4\n", false, "not a finite"},
        {"0.0012\n0\n0\n-0.0008\n-93.6\n", false, "fewer than six"},
        {"0.0012\n0\n0\n-0.0008\n-93.6\n46.4\n7\n", false, "more than six"},
        {"0,0012\n0\n0\n-0,0008\n-93,6\n46,4\n", false, "not a number"},
        {"", false, "fewer than six"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const georef::WorldFile w = georef::ParseWorldFile(QByteArray(c.text));
        EXPECT_EQ(w.ok, c.ok);
        EXPECT_TRUE(w.problem.contains(c.problemPart)) << w.problem;
    }
    // The file names the centre of the top-left pixel; the transform its corner.
    const georef::WorldFile w = georef::ParseWorldFile(QByteArray("2\n0\n0\n-3\n100\n50\n"));
    ASSERT_TRUE(w.ok);
    EXPECT_DOUBLE_EQ(w.transform[0], 99);
    EXPECT_DOUBLE_EQ(w.transform[3], 51.5);
    EXPECT_FALSE(georef::ParseWorldFile(QByteArray(70000, '1')).ok);
}

TEST(OziMap, TakesLatLonPointsOrTheCornerPairs) {
    QFile f(kData + "east-ozi.map");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const georef::OziMap map = georef::ParseOziMap(f.readAll());
    ASSERT_TRUE(map.ok) << map.problem;
    EXPECT_EQ(map.imageName, "east-ozi.jpg");
    EXPECT_EQ(map.datum, "WGS 84");
    EXPECT_EQ(map.projection, "Latitude/Longitude");
    ASSERT_EQ(map.points.size(), 3u);
    EXPECT_NEAR(map.points[1].lat, 46.05, 1e-12);
    EXPECT_NEAR(map.points[1].lon, -93.38, 1e-12);
    EXPECT_EQ(map.width, 200);

    const QByteArray head =
        "OziExplorer Map Data File Version 2.2\nt\nx.jpg\n1 ,Map Code,\nWGS 84,\n";
    struct Case {
        QByteArray text;
        size_t points;
    } cases[] = {
        // Corner pairs when the points give no latitude and longitude.
        {head + "MMPXY,1,0,0\nMMPXY,2,10,20\nMMPLL,1,-93.6,46.4\nMMPLL,2,-93.5,46.3\n", 2},
        // Southern and eastern hemispheres are negative and positive.
        {head + "Point01,xy,0,0,in,deg,10,30,S,20,15,E,grid\n"
                "Point02,xy,5,5,in,deg,11,0,S,21,0,E,grid\n",
         2},
        // Minutes of 60, latitudes past the pole, a hemisphere letter of neither.
        {head + "Point01,xy,0,0,in,deg,10,60,N,20,0,W\nPoint02,xy,5,5,in,deg,91,0,N,20,0,W\n"
                "Point03,xy,5,5,in,deg,10,0,Q,20,0,W\n",
         0},
        {"Some other program's map\n", 0},
        {QByteArray(), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const georef::OziMap m = georef::ParseOziMap(c.text);
        EXPECT_EQ(m.ok, c.points > 0) << m.problem;
        if (m.ok) EXPECT_EQ(m.points.size(), c.points);
    }
    const georef::OziMap south = georef::ParseOziMap(cases[1].text);
    EXPECT_NEAR(south.points[0].lat, -10.5, 1e-12);
    EXPECT_NEAR(south.points[0].lon, 20.25, 1e-12);
}

TEST(CalibrationFit, StraightAxesFitExactlyAndBentOnesReportTheirError) {
    // The sample's own figures: longitude 93.86 - 0.0003 x, latitude 46.43 - 0.38/1824 y.
    std::vector<georef::GeoSample> s = georef::SampleGrid(1600, 1824);
    for (auto& p : s) {
        p.lon = -(93.86 - 0.0003 * p.x);
        p.lat = 46.43 - 0.38 / 1824 * p.y;
    }
    georef::TwoPointFit fit = georef::FitTwoPoints(s, 1600, 1824);
    ASSERT_TRUE(fit.ok);
    EXPECT_NEAR(fit.calibration.lon1, 93.86, 1e-9);
    EXPECT_NEAR(fit.calibration.lat2, 46.05, 1e-9);
    EXPECT_EQ(fit.calibration.x2, 1600);
    EXPECT_LT(fit.maxErrorPixels, 1e-6);
    EXPECT_FALSE(fit.Bends());

    // Latitude also drifting with x by 2 pixels' worth across the width.
    for (auto& p : s) p.lat += 2 * (0.38 / 1824) * (p.x / 1600 - 0.5);
    fit = georef::FitTwoPoints(s, 1600, 1824);
    ASSERT_TRUE(fit.ok);
    EXPECT_TRUE(fit.Bends());
    EXPECT_NEAR(fit.maxErrorPixels, 1.0, 0.01);
    EXPECT_NEAR(fit.maxErrorMetres, 1.0 * 0.38 / 1824 * 111195, 1.0);

    // No extent on an axis: no calibration.
    for (auto& p : s) p.lat = 46;
    EXPECT_FALSE(georef::FitTwoPoints(s, 1600, 1824).ok);
}

TEST(CalibrationFit, AffineFromTwoOrMorePoints) {
    georef::Affine t{};
    ASSERT_TRUE(georef::FitAffine({{0, 0, 10, 50}, {100, 200, 11, 48}}, t));
    EXPECT_DOUBLE_EQ(t[1], 0.01);
    EXPECT_DOUBLE_EQ(t[5], -0.01);
    EXPECT_DOUBLE_EQ(t[2], 0);
    ASSERT_TRUE(georef::FitAffine({{0, 0, 10, 50}, {100, 0, 11, 50.5}, {0, 100, 9.5, 49}}, t));
    EXPECT_NEAR(t[4], 0.005, 1e-12);
    EXPECT_NEAR(t[2], -0.005, 1e-12);
    EXPECT_FALSE(georef::FitAffine({{5, 5, 10, 50}, {5, 5, 11, 48}}, t));
}

TEST(FindGeoreference, TheCommittedMapsCalibrateThemselves) {
    struct Case {
        const char* file;
        int width, height;
        const char* source;
        int x, y;  // a pixel of the file
        double lat, lon;
        bool bends;
    } cases[] = {
        // Pixel (800, 912) of the sample: 46 14 24 N, 93 37 12 W.
        {"millelacs.tif", 1600, 1824, "GeoTIFF tags", 800, 912, 46.24, 93.62, false},
        {"millelacs-utm15n.tif", 400, 456, "GeoTIFF tags", 200, 228, 46.24, 93.62, true},
        {"east-quarter.jpeg", 200, 456, "world file east-quarter.jgw with east-quarter.prj", 0, 228,
         46.24, 93.62, false},
        {"east-ozi.jpg", 200, 456, "OziExplorer map east-ozi.map", 0, 228, 46.24, 93.62, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const Georeference g = georef::FindGeoreference(kData + c.file, c.width, c.height);
        ASSERT_TRUE(g.Found()) << g.problem;
        EXPECT_EQ(g.source, c.source);
        EXPECT_EQ(g.fit.Bends(), c.bends);
        // Where it bends, the middle is still within the largest error.
        const double tolerance = c.bends ? g.fit.maxErrorMetres / 30 : 1.0;
        EXPECT_LT(SecondsOff(g.fit.calibration, c.x, c.y, c.lat, c.lon), tolerance);
        EXPECT_EQ(georef::OpenMessage(g, c.file).isEmpty(), !c.bends);
    }
    const Georeference utm = georef::FindGeoreference(kData + "millelacs-utm15n.tif", 400, 456);
    EXPECT_TRUE(utm.crs.contains("UTM zone 15N")) << utm.crs;
    EXPECT_GT(utm.fit.maxErrorMetres, 50);
    EXPECT_TRUE(georef::Describe(utm).contains("the projection bends"));
}

class Sidecars : public ::testing::Test {
protected:
    QString Path(const QString& name) { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(Sidecars, WorldFilesBesideEveryKindAndWgs84WithoutPrj) {
    const QByteArray world = "0.0012\n0\n0\n-0.0008\n-93.6194\n46.4296\n";
    struct Case {
        const char* image;
        const char* format;
        const char* world;
    } cases[] = {
        {"Øvre Sjø 湖.png", "png", "Øvre Sjø 湖.pgw"},
        {"lake.gif", "gif", "LAKE.GFW"},
        {"lake.tif", "tiff", "lake.tfw"},
        {"lake.bmp", "bmp", "lake.bpw"},
        {"lake.jpe", "jpeg", "lake.wld"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.image);
        Picture(Path(c.image), 100, 50, c.format);
        Write(Path(c.world), world);
        const Georeference g = georef::FindGeoreference(Path(c.image), 100, 50);
        ASSERT_TRUE(g.Found()) << g.problem;
        EXPECT_TRUE(g.crs.contains("assumed")) << g.crs;
        EXPECT_NEAR(g.fit.calibration.lon1, 93.62, 1e-9);
        EXPECT_NEAR(g.fit.calibration.lat1, 46.43, 1e-9);
        EXPECT_NEAR(g.fit.calibration.lon2, 93.62 - 0.12, 1e-9);
    }
}

TEST_F(Sidecars, DamagedOnesGiveAReasonAndNoCalibration) {
    struct Case {
        const char* world;
        QByteArray prj;
        const char* reason;
    } cases[] = {
        {"0\n0\n0\n0\n-93.6\n46.4\n", {}, "no size"},
        {"NaN\n0\n0\n-0.001\n-93.6\n46.4\n", {}, "not a finite number"},
        {"0.001\n0\n0\n-0.001\n-93.6\n46.4\n", "GEOGCS[broken", "names no coordinate system"},
        {"0.001\n0\n0\n-0.001\n-93.6\n46.4\n", QByteArray("\0\0\0", 3),
         "names no coordinate system"},
        // Metres taken for degrees: nowhere on the globe.
        {"10\n0\n0\n-10\n500000\n5000000\n", {}, "outside the globe"},
    };
    Picture(Path("west.png"), 64, 64, "png");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.world);
        Write(Path("west.pgw"), c.world);
        QFile::remove(Path("west.prj"));
        if (!c.prj.isNull()) Write(Path("west.prj"), c.prj);
        const Georeference g = georef::FindGeoreference(Path("west.png"), 64, 64);
        EXPECT_EQ(g.status, Georeference::Status::Unusable);
        EXPECT_TRUE(g.problem.contains(c.reason)) << g.problem;
        EXPECT_TRUE(georef::OpenMessage(g, "west.png").contains("opens uncalibrated"));
    }
}

TEST_F(Sidecars, AProjectedPrjIsTransformed) {
    // UTM 15N metres around the lake, 90 m pixels.
    Picture(Path("utm.png"), 400, 450, "png");
    Write(Path("utm.pgw"), "90\n0\n0\n-90\n433500\n5142000\n");
    Write(Path("utm.prj"), "EPSG:32615");
    const Georeference g = georef::FindGeoreference(Path("utm.png"), 400, 450);
    ASSERT_TRUE(g.Found()) << g.problem;
    EXPECT_TRUE(g.crs.contains("UTM")) << g.crs;
    EXPECT_NEAR(g.fit.calibration.lat1, 46.43, 0.01);
    EXPECT_NEAR(g.fit.calibration.lon1, 93.86, 0.01);
}

TEST_F(Sidecars, DamagedGeoTiffTagsAreReportedNotFollowed) {
    QFile f(kData + "millelacs-utm15n.tif");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray good = f.readAll();
    // The pixel scale tag's doubles overwritten with zeros and with NaN.
    const QByteArray scaleZero(24, '\0');
    QByteArray nanScale;
    const double nan = std::nan("");
    for (int i = 0; i < 3; ++i) nanScale.append(reinterpret_cast<const char*>(&nan), 8);
    const double metres = 93.314002015119044;
    const QByteArray scale(reinterpret_cast<const char*>(&metres), 8);
    const qsizetype at = good.indexOf(scale);
    ASSERT_GT(at, 0);
    for (const QByteArray& replacement : {scaleZero, nanScale}) {
        QByteArray bad = good;
        bad.replace(at, 24, replacement);
        Write(Path("bad.tif"), bad);
        const Georeference g = georef::FindGeoreference(Path("bad.tif"), 400, 456);
        EXPECT_EQ(g.status, Georeference::Status::Unusable);
        EXPECT_FALSE(g.problem.isEmpty());
    }
    // The geokey directory cut off: still no crash, and no calibration.
    QByteArray cut = good;
    const qsizetype keys = cut.indexOf(QByteArray("\x01\x00\x01\x00", 4));
    if (keys > 0) cut.replace(keys, 8, QByteArray(8, '\xff'));
    Write(Path("cut.tif"), cut);
    EXPECT_FALSE(georef::FindGeoreference(Path("cut.tif"), 400, 456).Found() &&
                 georef::FindGeoreference(Path("cut.tif"), 400, 456).fit.maxErrorMetres > 1e6);
}

TEST_F(Sidecars, OrdinaryImagesHaveNone) {
    Picture(Path("plain.png"), 10, 10, "png");
    Picture(Path("plain.tif"), 10, 10, "tiff");
    Write(Path("plain.map"), "not an OziExplorer map");
    for (const char* name : {"plain.png", "plain.tif", "missing.png"})
        EXPECT_EQ(georef::FindGeoreference(Path(name), 10, 10).status, Georeference::Status::None)
            << name;
}

}  // namespace
