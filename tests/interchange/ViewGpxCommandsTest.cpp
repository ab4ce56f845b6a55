// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>

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

// A large file is read and parsed on a worker while the user waits with a
// Cancel button; cancelling leaves the location exactly as it was, even
// though the worker finishes afterwards.
TEST_F(ViewGpxTest, ImportWaitsWithTheUserAndACancelledOneAddsNothing) {
    const QString path = dir.filePath("many.gpx");
    QByteArray many = "<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
    for (int i = 0; i < 2000; ++i) many += "<wpt lat=\"46.37\" lon=\"-93.76\"/>\n";
    many += "</gpx>\n";
    ASSERT_TRUE(testutil::WriteAll(path, many));

    const qsizetype waitsBefore = scripted().waitTexts.size();
    scripted().openFile(path);
    scripted().cancelWait(true);
    ASSERT_TRUE(table.execute(cmd::ImportGpx));
    EXPECT_EQ(scripted().waitTexts.mid(waitsBefore), QStringList{"Importing GPX waypoints..."});
    EXPECT_TRUE(view->Location().userInfoPoints.points.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(scripted().messages.isEmpty());
    // The worker's late result goes nowhere.
    QTest::qWait(200);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(view->Location().userInfoPoints.points.empty());

    scripted().openFile(path);
    ASSERT_TRUE(table.execute(cmd::ImportGpx));
    EXPECT_EQ(view->Location().userInfoPoints.points.size(), 2000u);
    EXPECT_EQ(scripted().messages, QStringList{"2000 waypoint(s) added."});
}

// The program's own wait: past half a second a dialog shows the text with a
// busy bar, its Cancel ends the wait at once, and a wait that ends by itself
// closes the dialog.
TEST(GuiWait, ShowsADialogPastHalfASecondAndCancelEndsIt) {
    GuiPrompts gui;
    Prompts* before = Prompts::install(&gui);
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(gui.waitFor("quick", [&] { return clock.elapsed() > 100; }));
    EXPECT_LT(clock.elapsed(), 450) << "a short wait shows no dialog";

    QString shownText;
    QTimer::singleShot(800, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dlg = qobject_cast<QProgressDialog*>(w); dlg && dlg->isVisible()) {
                shownText = dlg->labelText();
                dlg->cancel();
            }
    });
    EXPECT_FALSE(gui.waitFor("Importing GPX waypoints...", [] { return false; }));
    EXPECT_EQ(shownText, "Importing GPX waypoints...");

    clock.restart();
    EXPECT_TRUE(gui.waitFor("ends", [&] { return clock.elapsed() > 900; }));
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<QProgressDialog*>(w) && w->isVisible());
    Prompts::install(before);
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
