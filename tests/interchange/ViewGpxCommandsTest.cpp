// SPDX-License-Identifier: GPL-3.0-or-later
#include "../view/ViewFixture.h"
#include "GpxTestSupport.h"
#include "interchange/Gpx.h"
#include "resources/CommandIds.h"

namespace {

class ViewGpxTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        CTarnLocation& l = view->Location();
        gpxtest::Calibrate(l);
        doc.SetModifiedFlag(false);
    }
    QTemporaryDir dir;
};

TEST_F(ViewGpxTest, ImportAddsTheWaypointsMarksModifiedAndSaysWhatHappened) {
    const QString path = dir.filePath("in.gpx");
    ASSERT_TRUE(testutil::WriteAll(
        path,
        "<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
        "<wpt lat=\"46.37\" lon=\"-93.76\"><name>Reef</name><sym>Anchor</sym></wpt>\n"
        "<wpt lat=\"46.35\" lon=\"-93.70\"><name>Hump</name><type>Rock</type></wpt>\n"
        "<wpt lat=\"-46.37\" lon=\"-93.76\"/>\n"
        "</gpx>\n"));
    scripted().openFile(path);
    ASSERT_TRUE(table.execute(cmd::ImportGpx));

    CTarnLocation& l = view->Location();
    ASSERT_EQ(l.userInfoPoints.points.size(), 1u);
    EXPECT_EQ(l.userInfoPoints.points[0]->name, "Reef");
    EXPECT_EQ(l.userInfoPoints.points[0]->iconId, 5002);
    EXPECT_EQ(l.userInfoPoints.points[0]->position, QPoint(200, 150));
    EXPECT_NE(l.userInfoPoints.points[0]->Window(), nullptr) << "shown on the map like any point";
    ASSERT_EQ(l.mapPoints.items.size(), 1u);
    EXPECT_EQ(l.mapPoints.items[0]->position, QPoint(500, 250));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(scripted().messages,
              QStringList{"2 waypoint(s) added.\n"
                          "1 skipped: south of the equator or east of Greenwich."});
    EXPECT_EQ(scripted().openFilters, QStringList{"GPX Files (*.gpx);;All Files (*)"});
}

TEST_F(ViewGpxTest, CancelledImportChangesNothing) {
    scripted().openFile(std::nullopt);
    ASSERT_TRUE(table.execute(cmd::ImportGpx));
    EXPECT_TRUE(view->Location().userInfoPoints.points.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(scripted().messages.isEmpty());
}

TEST_F(ViewGpxTest, ExportWritesTheLocationsPointsWhereTheUserSays) {
    view->Location().mapPoints.AddPoint(300, 300, 0, 5, "Hole", "");
    const QString path = dir.filePath("out.gpx");
    scripted().saveFile(path);
    ASSERT_TRUE(table.execute(cmd::ExportGpx));
    EXPECT_EQ(scripted().proposedSaveNames, QStringList{"waypoints.gpx"});
    EXPECT_EQ(testutil::ReadAll(path), gpx::WriteGpx(view->Location()));
    EXPECT_TRUE(scripted().messages.isEmpty());
    EXPECT_FALSE(doc.IsModified()) << "exporting changes nothing in the location";

    scripted().saveFile(dir.filePath("no/such/folder/out.gpx"));
    ASSERT_TRUE(table.execute(cmd::ExportGpx));
    EXPECT_EQ(scripted().messages.size(), 1);
    EXPECT_TRUE(scripted().messages.value(0).startsWith("Unable to write "))
        << scripted().messages.value(0);
}

}  // namespace

namespace {

TEST_F(ViewGpxTest, ImportBringsRoutesAndTracksAndCountsEachKind) {
    const QString path = dir.filePath("paths.gpx");
    ASSERT_TRUE(testutil::WriteAll(
        path,
        "<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
        "<rte><rtept lat=\"46.37\" lon=\"-93.76\"/><rtept lat=\"46.35\" lon=\"-93.70\"/></rte>\n"
        "<rte/>\n"
        "<trk><trkseg><trkpt lat=\"46.37\" lon=\"-93.76\"/><trkpt lat=\"46.36\" lon=\"-93.75\"/>"
        "</trkseg></trk>\n"
        "</gpx>\n"));
    scripted().openFile(path);
    ASSERT_TRUE(table.execute(cmd::ImportGpx));
    CTarnLocation& l = view->Location();
    ASSERT_EQ(l.lineDraws.items.size(), 1u);
    EXPECT_EQ(l.lineDraws.items[0]->points, (std::vector<QPoint>{{200, 150}, {500, 250}}));
    ASSERT_EQ(l.freeHands.items.size(), 1u);
    EXPECT_EQ(l.freeHands.items[0]->points, (std::vector<QPoint>{{200, 150}, {250, 200}}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(scripted().messages, QStringList{"1 route(s) added as lines.\n"
                                               "1 skipped: no points.\n"
                                               "1 track segment(s) added as free-hand strokes."});
}

}  // namespace
