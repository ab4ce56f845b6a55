// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cstdlib>

#include "GpxTestSupport.h"
#include "TestUtil.h"
#include "interchange/Gpx.h"
#include "interchange/GpxSymbols.h"
#include "points/MapPoint.h"

namespace {

using gpxtest::CalibratedLocation;

struct UserPointCase {
    int icon;
    const char* name;
    const char* info;
    int altitude;
    QPoint position;
};

const UserPointCase kUserPoints[] = {
    {5000, "Walleye <reef> & drop", "Jig \"slow\" at 'dusk'", 1251, {100, 200}},
    {5002, "Hjälmaren östra ö", "Gädda, Åsa's spot — 12 m", -3, {1999 - 1, 1499 - 1}},
    {5031, "漁場", "", 0, {1, 1}},
    {5017, "Plain", "line one\nline two", 40000, {1234, 777}},
};

struct MapPointCase {
    int type;
    const char* name;
    int elevation;
    QPoint position;
};

const MapPointCase kMapPoints[] = {
    {CMapPoint::Water, "Deep hole <40ft>", -40, {300, 300}},
    {CMapPoint::Land, "Isle & bar", 1260, {640, 410}},
    {CMapPoint::Rock, "Rock \"pile\"", 1249, {900, 1200}},
    {CMapPoint::City, "Garrison", 1270, {1500, 20}},
    {CMapPoint::Landmark, "Ölfabrik", 1300, {1800, 1400}},
};

std::unique_ptr<CTarnLocation> Populated() {
    auto l = CalibratedLocation();
    for (const UserPointCase& c : kUserPoints) {
        auto p = std::make_unique<CUserInfoPoint>();
        p->SetIcon(c.icon);
        p->SetName(QString::fromUtf8(c.name));
        p->SetInfo(QString::fromUtf8(c.info));
        p->altitude = c.altitude;
        p->position = c.position;
        l->userInfoPoints.Append(std::move(p));
    }
    for (const MapPointCase& c : kMapPoints)
        l->mapPoints.AddPoint(c.position.x(), c.position.y(), c.type, c.elevation,
                              QString::fromUtf8(c.name), "info of " + QString::fromUtf8(c.name));
    CLineDraw& line = l->lineDraws.AddNew();
    line.AppendPoint({10, 10});
    line.AppendPoint({500, 600});
    line.AppendPoint({1000, 20});
    return l;
}

bool Near(const QPoint& a, const QPoint& b) {
    return std::abs(a.x() - b.x()) <= 1 && std::abs(a.y() - b.y()) <= 1;
}

TEST(GpxRoundTrip, PointsComeBackWithTheirTextsTypesAndPlaces) {
    auto source = Populated();
    const QByteArray gpxBytes = gpx::WriteGpx(*source);

    auto target = CalibratedLocation();
    const gpx::ImportReport report = gpx::AddParsed(*target, gpx::ParseGpx(gpxBytes));
    EXPECT_EQ(report.waypoints.added, 9);
    EXPECT_EQ(report.Skipped(), 0);
    EXPECT_TRUE(report.problems.isEmpty()) << report.Message();

    ASSERT_EQ(target->userInfoPoints.points.size(), std::size(kUserPoints));
    for (size_t i = 0; i < std::size(kUserPoints); ++i) {
        const UserPointCase& c = kUserPoints[i];
        const CUserInfoPoint& p = *target->userInfoPoints.points[i];
        SCOPED_TRACE(c.name);
        EXPECT_EQ(p.name, QString::fromUtf8(c.name));
        EXPECT_EQ(p.info, QString::fromUtf8(c.info));
        EXPECT_EQ(p.altitude, c.altitude);
        EXPECT_EQ(p.iconId, c.icon);
        EXPECT_TRUE(Near(p.position, c.position)) << p.position.x() << "," << p.position.y();
    }
    ASSERT_EQ(target->mapPoints.items.size(), std::size(kMapPoints));
    for (size_t i = 0; i < std::size(kMapPoints); ++i) {
        const MapPointCase& c = kMapPoints[i];
        const CMapPoint& p = *target->mapPoints.items[i];
        SCOPED_TRACE(c.name);
        EXPECT_EQ(p.type, c.type);
        EXPECT_EQ(p.name, QString::fromUtf8(c.name));
        EXPECT_EQ(p.info, "info of " + QString::fromUtf8(c.name));
        EXPECT_EQ(p.elevation, c.elevation);
        EXPECT_TRUE(Near(p.position, c.position)) << p.position.x() << "," << p.position.y();
    }
    ASSERT_EQ(target->lineDraws.items.size(), 1u) << "the route comes back as a line";
    EXPECT_EQ(target->lineDraws.items[0]->points, source->lineDraws.items[0]->points);
}

TEST(GpxExport, WritesGpx11WithWestAsNegativeLongitudeAndLinesAsRoutes) {
    auto l = CalibratedLocation();
    l->mapPoints.AddPoint(1000, 750, CMapPoint::Rock, 12, "Mid", "");
    CLineDraw& line = l->lineDraws.AddNew();
    line.AppendPoint({0, 0});
    line.AppendPoint({2000, 1500});
    const QByteArray bytes = gpx::WriteGpx(*l);

    QXmlStreamReader xml(bytes);
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name().toString(), "gpx");
    EXPECT_EQ(xml.namespaceUri().toString(), "http://www.topografix.com/GPX/1/1");
    EXPECT_EQ(xml.attributes().value("version").toString(), "1.1");
    EXPECT_EQ(xml.attributes().value("creator").toString(), "Fenmarrow Utilities");
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));

    QStringList seen;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        const QString name = xml.name().toString();
        if (name == "wpt" || name == "rtept")
            seen << name + " " + xml.attributes().value("lat").toString() + " " +
                        xml.attributes().value("lon").toString();
        else if (name == "sym" || name == "type" || name == "ele")
            seen << name + " " + xml.readElementText();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString();
    EXPECT_EQ(seen,
              QStringList({"wpt 46.2500000 -93.6000000", "ele 3.6576", "sym Summit", "type Rock",
                           "rtept 46.4000000 -93.8000000", "rtept 46.1000000 -93.4000000"}));
}

TEST(GpxSymbols, EveryIconHasItsOwnSymbolAndComesBackFromIt) {
    QStringList symbols;
    for (int icon = CUserInfoPoint::kFirstIconId; icon <= CUserInfoPoint::kLastIconId; ++icon) {
        const QString sym = gpx::IconSymbol(icon);
        EXPECT_FALSE(symbols.contains(sym)) << sym;
        symbols << sym;
        EXPECT_EQ(gpx::IconForSymbol(sym), icon) << sym;
        EXPECT_EQ(gpx::IconForSymbol(sym.toUpper()), icon) << "letter case is ignored";
    }
    EXPECT_EQ(symbols.size(), 32);
}

TEST(GpxSymbols, CommonNamesAndUnknownOnes) {
    const struct {
        const char* sym;
        int icon;
    } cases[] = {
        {"Fishing Area", 5000}, {"Boat Ramp", 5029}, {"Anchor", 5002},
        {"Flag, Red", 5003},    {" anchor ", 5002},  {"Pin, Red", 5030},
        {"Waypoint", 5030},     {"Crab Pot", 5030},  {"", 5030},
    };
    for (const auto& c : cases) EXPECT_EQ(gpx::IconForSymbol(c.sym), c.icon) << c.sym;
    EXPECT_EQ(gpx::IconSymbol(4999), gpx::IconSymbol(5030));
}

TEST(GpxSymbols, MapPointTypesByName) {
    const struct {
        int type;
        const char* name;
    } cases[] = {{CMapPoint::Water, "Water"},
                 {CMapPoint::Land, "Land"},
                 {CMapPoint::Rock, "Rock"},
                 {CMapPoint::City, "City"},
                 {CMapPoint::Landmark, "Landmark"}};
    for (const auto& c : cases) {
        EXPECT_EQ(gpx::MapPointTypeName(c.type), c.name);
        EXPECT_EQ(gpx::MapPointTypeFromName(c.name), c.type);
        EXPECT_EQ(gpx::MapPointTypeFromName(QString(c.name).toLower()), c.type);
        EXPECT_EQ(gpx::IconForSymbol(gpx::MapPointSymbol(c.type)), 5030)
            << "map point symbols are not user icons";
    }
    EXPECT_FALSE(gpx::MapPointTypeFromName("Marsh").has_value());
    EXPECT_FALSE(gpx::MapPointTypeFromName("").has_value());
}

TEST(GpxExport, ExportGpxWritesTheFileAndRefusesAnUnwritablePlace) {
    auto l = Populated();
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString dir = temp.path();
    const QString path = dir + "/out.gpx";
    ASSERT_EQ(gpx::ExportGpx(*l, path), CAtomicFile::Status::Ok);
    EXPECT_EQ(testutil::ReadAll(path), gpx::WriteGpx(*l));
    EXPECT_NE(gpx::ExportGpx(*l, dir + "/missing/folder/out.gpx"), CAtomicFile::Status::Ok);
}

}  // namespace
