// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "GpxTestSupport.h"
#include "TestUtil.h"
#include "interchange/Gpx.h"
#include "points/MapPoint.h"
#include "resources/Strings.h"

namespace {

using gpxtest::CalibratedLocation;
using gpxtest::Gpx;

// Inside the test location (46.10..46.40 N, 93.40..93.80 W).
const QByteArray kInside =
    "<wpt lat=\"46.25\" lon=\"-93.6\"><name>Inside</name><sym>Anchor</sym></wpt>\n";

size_t PointCount(const CTarnLocation& l) {
    return l.userInfoPoints.points.size() + l.mapPoints.items.size();
}

struct SkipCase {
    const char* what;
    QByteArray waypoint;
    int quarter;
    int outside;
};

TEST(GpxImport, SkipsWaypointsOutsideTheQuarterOrTheMappingArea) {
    const SkipCase cases[] = {
        {"south of the equator", "<wpt lat=\"-46.25\" lon=\"-93.6\"/>", 1, 0},
        {"east of Greenwich", "<wpt lat=\"46.25\" lon=\"93.6\"/>", 1, 0},
        {"north of the maps", "<wpt lat=\"46.5\" lon=\"-93.6\"/>", 0, 1},
        {"west of the maps", "<wpt lat=\"46.25\" lon=\"-94.0\"/>", 0, 1},
        {"on the top edge", "<wpt lat=\"46.4\" lon=\"-93.6\"/>", 0, 1},
        {"on the right edge", "<wpt lat=\"46.25\" lon=\"-93.4\"/>", 0, 1},
    };
    for (const SkipCase& c : cases) {
        SCOPED_TRACE(c.what);
        auto l = CalibratedLocation();
        const gpx::ImportReport report =
            gpx::AddParsed(*l, gpx::ParseGpx(Gpx(kInside + c.waypoint + kInside)));
        EXPECT_EQ(report.waypoints.added, 2);
        EXPECT_EQ(report.waypoints.skippedQuarter, c.quarter);
        EXPECT_EQ(report.waypoints.skippedOutside, c.outside);
        EXPECT_EQ(PointCount(*l), 2u);
        EXPECT_TRUE(report.problems.isEmpty());
    }
}

TEST(GpxImport, OneMessageCountsEveryKindOfSkip) {
    auto l = CalibratedLocation();
    const gpx::ImportReport report =
        gpx::AddParsed(*l, gpx::ParseGpx(Gpx(kInside + "<wpt lat=\"-1\" lon=\"-93.6\"/>"
                                                       "<wpt lat=\"46.2\" lon=\"10\"/>"
                                                       "<wpt lat=\"47\" lon=\"-93.6\"/>")));
    EXPECT_EQ(report.Message(),
              "1 waypoint(s) added.\n"
              "2 skipped: south of the equator or east of Greenwich.\n"
              "1 skipped: outside the allowed mapping area.");
}

TEST(GpxImport, AnUncalibratedLocationTakesNothing) {
    CTarnLocation l;
    l.lon1 = l.lon2 = l.x1 = l.x2 = 0;
    const gpx::ImportReport report = gpx::AddParsed(l, gpx::ParseGpx(Gpx(kInside)));
    EXPECT_EQ(report.waypoints.added, 0);
    EXPECT_EQ(report.waypoints.skippedOutside, 1);
    EXPECT_EQ(PointCount(l), 0u);
}

TEST(GpxImport, AWaypointWithoutAPositionIsReportedAndTheRestAdded) {
    const struct {
        const char* what;
        QByteArray waypoint;
    } cases[] = {
        {"missing lat", "<wpt lon=\"-93.6\"><name>No lat</name></wpt>\n"},
        {"missing lon", "<wpt lat=\"46.2\"><name>No lon</name></wpt>\n"},
        {"lat not a number", "<wpt lat=\"north\" lon=\"-93.6\"/>\n"},
        {"lat beyond the pole", "<wpt lat=\"91\" lon=\"-93.6\"/>\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto l = CalibratedLocation();
        const gpx::ImportReport report =
            gpx::AddParsed(*l, gpx::ParseGpx(Gpx(kInside + c.waypoint)));
        EXPECT_EQ(report.waypoints.added, 1);
        EXPECT_EQ(report.Skipped(), 0);
        EXPECT_EQ(report.problems, QStringList{"line 4: a waypoint without a valid lat and lon"});
        EXPECT_TRUE(report.Message().contains("Could not read:\nline 4:")) << report.Message();
        ASSERT_EQ(l->userInfoPoints.points.size(), 1u);
        EXPECT_EQ(l->userInfoPoints.points[0]->name, "Inside");
    }
}

TEST(GpxImport, ATruncatedFileKeepsItsWholeWaypointsOnly) {
    const QByteArray whole =
        Gpx(kInside + kInside + "<wpt lat=\"46.3\" lon=\"-93.5\"><name>Cut</name><sym>Anc");
    const QByteArray cut = whole.left(whole.lastIndexOf("<sym>Anc") + 8);
    auto l = CalibratedLocation();
    const gpx::ImportReport report = gpx::AddParsed(*l, gpx::ParseGpx(cut));
    EXPECT_EQ(report.waypoints.added, 2);
    ASSERT_EQ(report.problems.size(), 1);
    EXPECT_TRUE(report.problems[0].startsWith("line 5: ")) << report.problems[0];
    for (const auto& p : l->userInfoPoints.points) EXPECT_EQ(p->name, "Inside");
    EXPECT_EQ(PointCount(*l), 2u);
}

TEST(GpxImport, FilesThatAreNotGpxAddNothing) {
    const struct {
        const char* what;
        QByteArray bytes;
        const char* problem;
    } cases[] = {
        {"empty", "", "the file is not a GPX file"},
        {"other XML", "<kml><wpt lat=\"46.25\" lon=\"-93.6\"/></kml>",
         "the file is not a GPX file"},
        {"not XML", "\x01\x02 binary", "line 1: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto l = CalibratedLocation();
        const gpx::ImportReport report = gpx::AddParsed(*l, gpx::ParseGpx(c.bytes));
        EXPECT_EQ(report.waypoints.added, 0);
        ASSERT_EQ(report.problems.size(), 1);
        EXPECT_TRUE(report.problems[0].startsWith(c.problem)) << report.problems[0];
        EXPECT_EQ(PointCount(*l), 0u);
    }
}

TEST(GpxImport, TypesMakeMapPointsAndSymbolsPickIcons) {
    auto l = CalibratedLocation();
    const gpx::ImportReport report = gpx::AddParsed(
        *l, gpx::ParseGpx(Gpx("<wpt lat=\"46.25\" lon=\"-93.6\"><ele>12.6</ele><name>Hump</name>"
                              "<desc>weeds</desc><sym>Summit</sym><type>rock</type></wpt>"
                              "<wpt lat=\"46.25\" lon=\"-93.6\"><sym>Boat Ramp</sym>"
                              "<type>Fishing</type></wpt>"
                              "<wpt lat=\"46.25\" lon=\"-93.6\"><sym>Crab Pot</sym></wpt>"
                              "<rte><rtept lat=\"46.2\" lon=\"-93.5\"/></rte>")));
    EXPECT_EQ(report.waypoints.added, 3);
    ASSERT_EQ(l->mapPoints.items.size(), 1u);
    const CMapPoint& hump = *l->mapPoints.items[0];
    EXPECT_EQ(hump.type, CMapPoint::Rock);
    EXPECT_EQ(hump.elevation, 41) << "12.6 m is 41.3 ft";
    EXPECT_EQ(hump.name, "Hump");
    EXPECT_EQ(hump.info, "weeds");
    EXPECT_EQ(hump.position, QPoint(1000, 750));
    ASSERT_EQ(l->userInfoPoints.points.size(), 2u);
    EXPECT_EQ(l->userInfoPoints.points[0]->iconId, 5029);
    EXPECT_EQ(l->userInfoPoints.points[1]->iconId, 5030);
    EXPECT_EQ(l->userInfoPoints.points[1]->altitude, 0);
}

TEST(GpxImport, PositionsAreTruncatedToWholePixels) {
    auto l = CalibratedLocation();
    // 93.6 - 0.0001234 degrees west is 1000.617 pixels; 46.25 - 0.0001 north is 750.5.
    gpx::AddParsed(*l, gpx::ParseGpx(Gpx("<wpt lat=\"46.2499\" lon=\"-93.5998766\"/>")));
    ASSERT_EQ(l->userInfoPoints.points.size(), 1u);
    EXPECT_EQ(l->userInfoPoints.points[0]->position, QPoint(1000, 750));
}

TEST(GpxImport, AFileThatCannotBeOpenedSaysSo) {
    auto l = CalibratedLocation();
    const gpx::ImportReport report = gpx::ImportGpx(*l, "/nonexistent/folder/in.gpx");
    EXPECT_EQ(report.waypoints.added, 0);
    EXPECT_EQ(report.problems, QStringList{"Unable to open /nonexistent/folder/in.gpx."});
}

TEST(GpxImport, ImportGpxReadsAFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("in.gpx");
    ASSERT_TRUE(testutil::WriteAll(path, Gpx(kInside)));
    auto l = CalibratedLocation();
    EXPECT_EQ(gpx::ImportGpx(*l, path).waypoints.added, 1);
    EXPECT_EQ(PointCount(*l), 1u);
}

}  // namespace
