// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>

#include "ViewFixture.h"
#include "document/MapLocation.h"
#include "framework/Settings.h"
#include "geo/SetPointDialog.h"
#include "magnifier/MagnifyWnd.h"
#include "resources/CommandIds.h"

namespace {

TEST_F(ViewTest, StatusReadout) {
    Move({100, 100});
    EXPECT_EQ(frame.texts[1], "X:100 , Y:100");
    EXPECT_EQ(frame.texts[2], "Lat: N000-30-00");
    EXPECT_EQ(frame.texts[3], "Lon: W000-30-00");
    EXPECT_EQ(frame.widths[1], 100);
    // Scrolled: X,Y stays the viewport position, the coordinate follows the map.
    view->ScrollTo({100, 0});
    ASSERT_EQ(view->ScrollPosition(), QPoint(100, 0));
    Move({100, 100});
    EXPECT_EQ(frame.texts[1], "X:100 , Y:100");
    EXPECT_EQ(frame.texts[3], "Lon: W001-00-00");
    // X,Y off: no room at all, Lat and Lon keep theirs.
    view->showXY = false;
    Move({10, 10});
    EXPECT_EQ(frame.widths[1], 0);
    EXPECT_TRUE(frame.disabled[1]);
    EXPECT_EQ(frame.widths[2], 100);
    EXPECT_EQ(frame.widths[3], 100);
}

TEST_F(ViewTest, ModeCommands) {
    struct Case {
        int command;
        int mode;
    } cases[] = {{cmd::DrawingMode, CTarnlightView::Drawing},
                 {cmd::Pan, CTarnlightView::Pan},
                 {cmd::MeasureDistance, CTarnlightView::Measure},
                 {cmd::CalibrateMode, CTarnlightView::Calibrate},
                 {cmd::Magnifier, CTarnlightView::Magnifier},
                 {cmd::StandardMode, CTarnlightView::Standard}};
    const int modeCommands[] = {cmd::StandardMode,    cmd::DrawingMode,   cmd::Pan,
                                cmd::MeasureDistance, cmd::CalibrateMode, cmd::Magnifier};
    for (const Case& c : cases) {
        ASSERT_TRUE(table.execute(c.command));
        EXPECT_EQ(view->mode, c.mode);
        for (int id : modeCommands) EXPECT_EQ(table.state(id).checked, id == c.command) << id;
    }
    // Shapes: checked but greyed outside Drawing.
    EXPECT_FALSE(table.execute(cmd::DrawLine));
    EXPECT_TRUE(table.state(cmd::DrawFreeHand).checked);
    EXPECT_FALSE(table.state(cmd::DrawFreeHand).enabled);
    table.execute(cmd::DrawingMode);
    EXPECT_TRUE(table.execute(cmd::DrawLine));
    EXPECT_TRUE(table.state(cmd::DrawLine).checked);
    table.execute(cmd::StandardMode);
    EXPECT_TRUE(table.state(cmd::DrawLine).checked);
    EXPECT_FALSE(table.state(cmd::DrawLine).enabled);
    // Calibrate twice returns to Standard.
    table.execute(cmd::CalibrateMode);
    table.execute(cmd::CalibrateMode);
    EXPECT_EQ(view->mode, CTarnlightView::Standard);
    // Calibrate from the magnifier hides the overlay first.
    table.execute(cmd::Magnifier);
    EXPECT_TRUE(view->MagnifierWindow()->isVisible());
    table.execute(cmd::CalibrateMode);
    EXPECT_EQ(view->mode, CTarnlightView::Calibrate);
    EXPECT_FALSE(view->MagnifierWindow()->isVisible());
    // Zoom is always greyed.
    EXPECT_FALSE(table.state(cmd::ZoomIn).enabled);
    EXPECT_FALSE(table.state(cmd::ZoomOut).enabled);
}

TEST_F(ViewTest, OpeningOrSavingReturnsToStandard) {
    QTemporaryDir dir;
    table.execute(cmd::MeasureDistance);
    ASSERT_TRUE(doc.DoSave(dir.filePath("a.fnm")));
    EXPECT_EQ(view->mode, CTarnlightView::Standard);
    table.execute(cmd::DrawingMode);
    ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.fnm")));
    EXPECT_EQ(view->mode, CTarnlightView::Standard);
}

TEST_F(ViewTest, Measuring) {
    table.execute(cmd::MeasureDistance);
    Click({0, 0});
    EXPECT_EQ(frame.texts[0], "Current Distance: 0.0 Total Distance: 0.0 (miles)");
    EXPECT_EQ(view->measurePoints.size(), 1u);
    // One degree of latitude at the equator on a new location: 68.708 miles.
    Move({0, 200});
    EXPECT_EQ(frame.texts[0], "Current Distance: 68.7 Total Distance: 68.7 (miles)");
    EXPECT_EQ(view->totalDistance, 0.0);  // the rubber band is not stored
    Click({0, 200});
    EXPECT_EQ(frame.texts[0], "Current Distance: 68.7 Total Distance: 68.7 (miles)");
    EXPECT_NEAR(view->totalDistance, 68.707740, 1e-6);
    Move({0, 400});
    EXPECT_EQ(frame.texts[0], "Current Distance: 68.7 Total Distance: 137.4 (miles)");
    // A double-click's first click adds its vertex, then the measurement ends.
    DoubleClick({100, 200});
    EXPECT_EQ(view->measurePoints.size(), 3u);
    EXPECT_FALSE(view->measuring);
    EXPECT_FALSE(view->HasCapture());
    // The same pixel twice: a zero-length segment, stored twice.
    Click({50, 50});
    Click({50, 50});
    EXPECT_EQ(view->measurePoints.size(), 2u);
    EXPECT_EQ(view->totalDistance, 0.0);
    // A click outside ends it without adding the point.
    Click({-5, 50});
    EXPECT_FALSE(view->measuring);
    EXPECT_EQ(view->measurePoints.size(), 2u);
}

// Across Mille Lacs in the bundled sample: west shore to east shore on one
// row, then up to Malmo. GeodSolve -i gives 20815.639 m and 7696.307 m.
TEST_F(ViewTest, MeasuringAcrossTheSampleLake) {
    ASSERT_TRUE(doc.OnOpenDocument(QString(FM_SAMPLES_DIR) + "/millelacs.fnm"));
    view->resize(1300, 1000);
    ASSERT_TRUE(vp()->rect().contains(1100, 800));
    table.execute(cmd::MeasureDistance);
    Click({100, 800});
    Move({1000, 800});
    EXPECT_EQ(frame.texts[0], "Current Distance: 12.9 Total Distance: 12.9 (miles)");
    Click({1000, 800});
    EXPECT_NEAR(view->totalDistance, 12.934239, 1e-6);
    Click({1100, 483});
    EXPECT_EQ(frame.texts[0], "Current Distance: 4.8 Total Distance: 17.7 (miles)");
    EXPECT_NEAR(view->currentDistance, 4.782263, 1e-6);
    EXPECT_NEAR(view->totalDistance, 12.934239 + 4.782263, 2e-6);
}

TEST_F(ViewTest, MeasuredPathIsPaintedOnlyWithASegment) {
    table.execute(cmd::MeasureDistance);
    Click({20, 20});
    QImage one = view->RenderViewport();
    EXPECT_EQ(one.pixelColor(18, 18), QColor(Qt::white));  // one vertex: no path
    Click({120, 20});
    QImage two = view->RenderViewport();
    EXPECT_EQ(two.pixelColor(18, 18), QColor(Qt::black));   // vertex square
    EXPECT_EQ(two.pixelColor(118, 18), QColor(Qt::black));  // last vertex square
    bool yellow = false;                                    // the dashed path between
    for (int x = 30; x < 110; ++x) yellow |= two.pixelColor(x, 20) == QColor(255, 255, 0);
    EXPECT_TRUE(yellow);
}

TEST_F(ViewTest, SetPointDialog) {
    struct Case {
        double lat1;
        int choose;  // -1: cancel
        int expectedInitial;
    } cases[] = {{0.0, CSetPointDialog::Point1, CSetPointDialog::Point1},
                 {45.0, CSetPointDialog::Point2, CSetPointDialog::Point2},
                 {45.0, -1, CSetPointDialog::Point2}};
    for (const Case& c : cases) {
        scripted().reset();
        view->Location().Reset();
        view->Location().lat1 = c.lat1;
        doc.SetModifiedFlag(false);
        table.execute(cmd::CalibrateMode);
        int initial = -2;
        scripted().dialog([&](QDialog& d) {
            auto* combo = d.findChild<QComboBox*>("1034");
            initial = combo->currentIndex();
            if (c.choose < 0) return d.reject();
            combo->setCurrentIndex(c.choose);
            d.findChild<QLineEdit*>("1030")->setText("46");
            d.findChild<QLineEdit*>("1031")->setText("15");
            d.findChild<QLineEdit*>("1032")->setText("0");
            d.findChild<QLineEdit*>("1026")->setText("93");
            d.findChild<QLineEdit*>("1027")->setText("30");
            d.findChild<QLineEdit*>("1029")->setText("0");
            d.accept();
        });
        Click({30, 40});
        EXPECT_EQ(initial, c.expectedInitial);
        const CTarnLocation& l = view->Location();
        if (c.choose == CSetPointDialog::Point1) {
            EXPECT_EQ(l.x1, 30);
            EXPECT_EQ(l.y1, 40);
            EXPECT_DOUBLE_EQ(l.lat1, 46.25);
            EXPECT_DOUBLE_EQ(l.lon1, 93.5);
        } else if (c.choose == CSetPointDialog::Point2) {
            EXPECT_EQ(l.x1, 0);
            EXPECT_EQ(l.lat1, 45.0);
            EXPECT_EQ(l.x2, 30);
            EXPECT_DOUBLE_EQ(l.lat2, 46.25);
        } else {
            EXPECT_EQ(l.x2, 200);
            EXPECT_EQ(l.lat2, 1.0);
        }
        EXPECT_EQ(doc.IsModified(), c.choose >= 0);
        EXPECT_EQ(view->mode, CTarnlightView::Calibrate);
        table.execute(cmd::StandardMode);
    }
}

TEST_F(ViewTest, PanMovesThreePixelsPerMessage) {
    // A surface larger than the view to scroll over.
    view->Location().maps.extentWidth = 3000;
    view->Location().maps.extentHeight = 3000;
    doc.resetAfterLoad();
    table.execute(cmd::Pan);
    view->ScrollTo({100, 100});
    Press({200, 150});
    Move({250, 150}, Qt::LeftButton);  // first move after the press: no scroll
    EXPECT_EQ(view->ScrollPosition(), QPoint(100, 100));
    Move({300, 100}, Qt::LeftButton);  // 50 pixels right and up: 3 each way
    EXPECT_EQ(view->ScrollPosition(), QPoint(103, 97));
    Move({280, 120}, Qt::LeftButton);
    EXPECT_EQ(view->ScrollPosition(), QPoint(100, 100));
    Release({280, 120});
    Move({100, 100});  // no button: the drag is over
    EXPECT_EQ(view->panLast, QPoint(-1, -1));
}

TEST_F(ViewTest, PaintingOutsideTheExtentAndWithLayersOff) {
    view->resize(1200, 1100);
    QImage img = view->RenderViewport();
    QColor window = view->palette().color(QPalette::Window);
    EXPECT_EQ(img.pixelColor(500, 500), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(1100, 500), window);
    EXPECT_EQ(img.pixelColor(500, 1050), window);
    // A map point drawn, then hidden with its layer.
    view->Location().mapPoints.AddPoint(300, 300, 0, 0, "Deep", "");
    img = view->RenderViewport();
    EXPECT_EQ(img.pixelColor(300, 300), QColor(0, 0, 140));
    view->Location().showMapPoints = 0;
    img = view->RenderViewport();
    EXPECT_EQ(img.pixelColor(300, 300), QColor(Qt::white));
}

TEST_F(ViewTest, SettingsReadAtStartAndWrittenAtTeardown) {
    EXPECT_EQ(view->MagnifierWindow()->size, 100);
    EXPECT_EQ(view->MagnifierWindow()->shape, 1);
    EXPECT_EQ(view->MagnifierWindow()->zoom, 20);
    EXPECT_TRUE(view->useCrossHair);
    EXPECT_TRUE(view->printLS);
    EXPECT_TRUE(view->showXY);
    EXPECT_EQ(view->movingMapIcon, 0);
    EXPECT_FALSE(view->movingMapPixmap.isNull());
    view->movingMapIcon = 3;
    view->showXY = false;
    doc.SetPathName("/maps/lake.fnm", false);
    view->Teardown(1);
    SettingsStore& s = SettingsStore::instance();
    EXPECT_EQ(s.Int(setting::MMIcon), 3);
    EXPECT_EQ(s.Int(setting::ShowXY), 0);
    EXPECT_EQ(s.String(setting::LastFile), "/maps/lake.fnm");
    EXPECT_EQ(s.Int(setting::LoadLastFile), 1);
    // An icon value outside the three loads nothing and survives unchanged.
    view->OnInitialUpdate();
    EXPECT_EQ(view->movingMapIcon, 3);
    EXPECT_TRUE(view->movingMapPixmap.isNull());
}

}  // namespace
