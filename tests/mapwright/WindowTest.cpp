// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <cmath>

#include "MapwrightTestSupport.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "framework/DataExchange.h"
#include "framework/Shell.h"
#include "geo/Coordinate.h"
#include "mapwright/EditorSettings.h"
#include "mapwright/EditorWindow.h"
#include "mapwright/MapCanvas.h"

namespace {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        a = mwtest::MakeBitmap(dir, "a.bmp", {300, 200}, 0xCC3333);
        b = mwtest::MakeBitmap(dir, "b.bmp", {100, 400}, 0x33CC33);
        window.resize(1000, 760);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        canvas().ActualSize();
    }
    void TearDown() override { window.Doc().SetModifiedFlag(false); }

    CMapCanvas& canvas() { return window.Canvas(); }
    CLocationEditor& editor() { return window.Doc().Editor(); }
    QWidget* viewport() { return canvas().viewport(); }
    // The screen position of the middle of a location pixel.
    QPoint At(QPointF pixel) { return canvas().ToViewport(pixel + QPointF(0.5, 0.5)).toPoint(); }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = {}) {
        QTest::mousePress(viewport(), Qt::LeftButton, keys, from);
        QTest::mouseMove(viewport(), (from + to) / 2);
        QTest::mouseMove(viewport(), to);
        QTest::mouseRelease(viewport(), Qt::LeftButton, keys, to);
    }
    void AddBoth() {
        window.pickImages = [this] { return QStringList{a, b}; };
        window.Action("addImages")->trigger();
        ASSERT_EQ(editor().Count(), 2);
        // The first images are fitted into the window; the tests work at 1:1.
        canvas().ActualSize();
    }

    PromptsFixtureGuard guard;
    QTemporaryDir dir;
    CEditorWindow window;
    QString a, b;
};

TEST_F(WindowTest, TitleCarriesTheNameAndTheModifiedMark) {
    EXPECT_EQ(window.windowTitle(), "Untitled[*] - Mapwright");
    EXPECT_FALSE(window.isWindowModified());
    AddBoth();
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_EQ(canvas().SelectedIndex(), 1) << "the last added map is selected";

    scripted().saveFile(dir.filePath("lake.fnm"));
    window.Action("save")->trigger();
    EXPECT_EQ(window.windowTitle(), "lake.fnm[*] - Mapwright");
    EXPECT_FALSE(window.isWindowModified());
    ASSERT_TRUE(window.Action("recent1"));
    EXPECT_TRUE(window.Action("recent1")->text().endsWith(dir.filePath("lake.fnm")));
}

TEST_F(WindowTest, TheCanvasShowsEachMapInItsPlacement) {
    AddBoth();
    canvas().SetScale(0.5);
    const QImage shown = viewport()->grab().toImage();
    const std::pair<QPointF, QRgb> cases[] = {
        {{150, 100}, 0xFFCC3333},  // a.bmp
        {{350, 300}, 0xFF33CC33},  // b.bmp
        {{750, 650}, 0xFFFFFFFF},  // the empty surface, between grid lines
    };
    for (auto [pixel, rgb] : cases)
        EXPECT_EQ(shown.pixel(At(pixel)), rgb) << pixel.x() << "," << pixel.y();
    const QPoint offSurface = canvas().ToViewport(QPointF(-20, 500)).toPoint();
    EXPECT_NE(shown.pixel(offSurface), 0xFFFFFFFF);

    ASSERT_TRUE(editor().SetPlacement(1, {0, 0, 300, 200}, "Move"));
    EXPECT_EQ(viewport()->grab().toImage().pixel(At({150, 100})), 0xFF33CC33u)
        << "the later map covers the earlier";
}

TEST_F(WindowTest, DraggingAMapSnapsItsEdgesAndUndoPutsItBack) {
    AddBoth();
    ASSERT_TRUE(editor().SetPlacement(1, {500, 300, 600, 700}, "Move"));
    // 4 and 3 pixels short of the first map's right edge and the top.
    Drag(At({550, 350}), At({354, 53}));
    EXPECT_EQ(editor().Entry(1)->placement, (RectL{300, 0, 400, 400}));
    EXPECT_EQ(window.Doc().Undo().undoText(), "Move Map");
    window.Action("undo")->trigger();
    EXPECT_EQ(editor().Entry(1)->placement, (RectL{500, 300, 600, 700}));
}

TEST_F(WindowTest, DraggingFarFromOtherEdgesMovesByTheMouse) {
    AddBoth();
    ASSERT_TRUE(editor().SetPlacement(1, {500, 300, 600, 700}, "Move"));
    Drag(At({550, 350}), At({570, 330}));
    EXPECT_EQ(editor().Entry(1)->placement, (RectL{520, 280, 620, 680}));
}

TEST_F(WindowTest, AnUndoDuringADragWinsOverTheDrag) {
    AddBoth();
    ASSERT_TRUE(editor().SetPlacement(0, {0, 300, 300, 500}, "Move"));
    const QPoint from = At({350, 100});
    QTest::mousePress(viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(viewport(), from + QPoint(40, 40));
    window.Action("undo")->trigger();
    QTest::mouseMove(viewport(), from + QPoint(60, 60));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, from + QPoint(60, 60));
    EXPECT_EQ(editor().Entry(0)->placement, (RectL{0, 0, 300, 200}));
    EXPECT_EQ(editor().Entry(1)->placement, (RectL{300, 0, 400, 400}));
    EXPECT_EQ(window.Doc().Undo().count(), 2) << "the drag left no step of its own";
    EXPECT_EQ(window.Doc().Undo().index(), 1);
}

TEST_F(WindowTest, CornersStretchTheSelectedMap) {
    AddBoth();
    canvas().Select(0);
    const QPoint corner = canvas().ToViewport(QPointF(300, 200)).toPoint();
    Drag(corner, corner + QPoint(50, 100));
    EXPECT_EQ(editor().Entry(0)->placement, (RectL{0, 0, 350, 300}));
    EXPECT_EQ(window.Doc().Undo().undoText(), "Stretch Map");

    // Shift keeps the image's 3:2.
    const QPoint again = canvas().ToViewport(QPointF(350, 300)).toPoint();
    Drag(again, again + QPoint(100, 0), Qt::ShiftModifier);
    EXPECT_EQ(editor().Entry(0)->placement, (RectL{0, 0, 450, 300}));

    window.Action("undo")->trigger();
    window.Action("undo")->trigger();
    EXPECT_EQ(editor().Entry(0)->placement, (RectL{0, 0, 300, 200}));
}

TEST_F(WindowTest, ArrowKeysNudgeTheSelectedMapByOnePixel) {
    AddBoth();
    canvas().setFocus();
    const std::pair<Qt::Key, RectL> cases[] = {
        {Qt::Key_Right, {301, 0, 401, 400}},
        {Qt::Key_Down, {300, 1, 400, 401}},
        {Qt::Key_Left, {299, 0, 399, 400}},
        {Qt::Key_Up, {300, 0, 400, 400}},  // already at the top
    };
    for (auto [key, expected] : cases) {
        QTest::keyClick(&canvas(), key);
        EXPECT_EQ(editor().Entry(1)->placement, expected) << key;
        if (window.Doc().Undo().canUndo() && window.Doc().Undo().undoText() == "Nudge Map")
            window.Doc().Undo().undo();
        EXPECT_EQ(editor().Entry(1)->placement, (RectL{300, 0, 400, 400})) << key;
    }
}

TEST_F(WindowTest, OrderCommandsFollowTheSelectionAndItsPlace) {
    AddBoth();
    canvas().Select(0);
    EXPECT_TRUE(window.Action("bringForward")->isEnabled());
    EXPECT_FALSE(window.Action("sendBackward")->isEnabled());
    window.Action("bringForward")->trigger();
    EXPECT_EQ(QFileInfo(editor().Entry(1)->fileName).fileName(), "a.bmp");
    EXPECT_EQ(canvas().SelectedIndex(), 1) << "the selection moves with the map";
    EXPECT_FALSE(window.Action("bringForward")->isEnabled());

    window.Action("remove")->trigger();
    EXPECT_EQ(editor().Count(), 1);
    EXPECT_EQ(canvas().SelectedIndex(), -1);
    EXPECT_FALSE(window.Action("remove")->isEnabled());
    window.Action("undo")->trigger();
    EXPECT_EQ(editor().Count(), 2);
}

TEST_F(WindowTest, ClickingInCalibrateModeSetsThePointAtTheClickedPixel) {
    AddBoth();
    window.Action("calibrate")->trigger();
    ASSERT_EQ(canvas().GetMode(), CMapCanvas::Mode::Calibrate);
    scripted().dialog([](QDialog& d) {
        Control<QComboBox>(&d, 1034)->setCurrentIndex(0);
        for (auto [id, text] : {std::pair{1030, "46"},
                                {1031, "25"},
                                {1032, "48"},
                                {1026, "93"},
                                {1027, "51"},
                                {1029, "36"}})
            Control<QLineEdit>(&d, id)->setText(text);
        d.accept();
    });
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, At({120, 80}));
    EXPECT_EQ(window.Doc().Loc().x1, 120);
    EXPECT_EQ(window.Doc().Loc().y1, 80);
    EXPECT_NEAR(window.Doc().Loc().lat1, 46.43, 1e-9);
    EXPECT_EQ(editor().Entry(0)->placement, (RectL{0, 0, 300, 200})) << "no map moved";
    EXPECT_FALSE(window.Action("arrangeRow")->isEnabled());
}

TEST_F(WindowTest, StatusBarShowsPositionsOnlyWithBothPoints) {
    canvas().SetScale(0.4);
    const QPoint spot = At({800, 912});
    QTest::mouseMove(viewport(), spot);
    EXPECT_EQ(window.PositionText(), "X:800 , Y:912");
    EXPECT_EQ(window.LatitudeText(), "");

    Calibration c;
    c.lat1 = 46.43, c.lon1 = 93.86, c.x1 = 0, c.y1 = 0;
    c.lat2 = 46.05, c.lon2 = 93.38, c.x2 = 1600, c.y2 = 1824;
    ASSERT_TRUE(editor().SetCalibration(c, "Coord Setup"));
    QTest::mouseMove(viewport(), spot + QPoint(1, 0));
    QTest::mouseMove(viewport(), spot);
    CCoordinate expected;
    c.PixelToCoordinate(800, 912, expected);
    EXPECT_EQ(window.LatitudeText(), "Lat: " + expected.LatitudeText(true));
    EXPECT_EQ(window.LongitudeText(), "Lon: " + expected.LongitudeText(true));
    EXPECT_TRUE(window.LatitudeText().startsWith("Lat: N046-14-"));
    EXPECT_TRUE(window.LongitudeText().startsWith("Lon: W093-37-"));
}

TEST_F(WindowTest, ClosingWithChangesAsksFirst) {
    AddBoth();
    scripted().answer(Prompts::Answer::Cancel);
    EXPECT_FALSE(window.close());
    EXPECT_EQ(scripted().messages, QStringList{"Save changes to Untitled?"});
    EXPECT_TRUE(window.isVisible());
}

TEST_F(WindowTest, HelpWritesItsOwnPageAndHandsItToTheDesktop) {
    QUrl opened;
    shell::Services services = shell::Defaults();
    services.openUrl = [&opened](const QUrl& url) {
        opened = url;
        return true;
    };
    const shell::Services old = shell::Install(services);
    window.Action("help")->trigger();
    shell::Install(old);

    ASSERT_TRUE(opened.isLocalFile());
    EXPECT_EQ(QFileInfo(opened.toLocalFile()).fileName(), "index.html");
    const QByteArray page = testutil::ReadAll(opened.toLocalFile());
    EXPECT_TRUE(page.contains("<title>Mapwright Help</title>"));
    EXPECT_TRUE(scripted().messages.isEmpty());
}

// With no stored placement the window opens within the screen's room, so
// its status bar is on the screen (the offscreen screen is 800 x 600).
TEST(MapwrightProgram, FirstWindowFitsTheScreen) {
    PromptsFixtureGuard guard;
    editorsettings::SetWindowLayout({}, {});
    CEditorWindow window;
    const QSize room = window.screen()->availableGeometry().size();
    EXPECT_LE(window.width(), room.width());
    EXPECT_LE(window.height(), room.height());
}

TEST(MapwrightProgram, LandsNextToTheOtherProgramsAndStarts) {
    EXPECT_EQ(QFileInfo(FM_MAPWRIGHT_PATH).absolutePath(), QFileInfo(FM_FNM_PATH).absolutePath());
    EXPECT_EQ(QFileInfo(FM_MAPWRIGHT_PATH).fileName(), "mapwright");
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.start(FM_MAPWRIGHT_PATH, {"--version"});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(program.readAllStandardOutput().startsWith("Mapwright "));
}

}  // namespace

namespace {

// A map larger than its preview is drawn from its own pixels once shown at
// full size; at any device pixel ratio it must fill its whole placement.
TEST_F(WindowTest, AFullSizeMapCoversItsPlacementAtEveryRatio) {
    const QRgb colour = 0xFF3366CC;
    const QString big = mwtest::MakeBitmap(dir, "big.bmp", {2100, 500}, colour & 0xFFFFFF);
    window.pickImages = [&] { return QStringList{big}; };
    window.Action("addImages")->trigger();
    ASSERT_EQ(editor().Count(), 1);
    canvas().ActualSize();
    auto render = [&](qreal r) {
        QImage img((QSizeF(viewport()->size()) * r).toSize(), QImage::Format_RGB32);
        img.setDevicePixelRatio(r);
        img.fill(Qt::black);
        viewport()->render(&img);
        return img;
    };
    const QImage one = render(1.0);
    const QRect shown = QRect(At({0, 0}), At({2099, 499})) & one.rect();
    ASSERT_GT(shown.width(), 500);
    ASSERT_EQ(one.pixel(shown.center()), colour);
    for (const qreal r : {1.25, 1.5, 2.0}) {
        const QImage hi = render(r);
        // Inside the placement, a pixel's width clear of its edges.
        const QRect inside(
            QPoint(int(std::ceil((shown.left() + 1) * r)), int(std::ceil((shown.top() + 1) * r))),
            QPoint(int((shown.right() - 1) * r), int((shown.bottom() - 1) * r)));
        // Each device pixel shows the ratio-1 pixel it lies over (or, where
        // rounding differs, a neighbour): the selection frame stays as it was.
        int wrong = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x) {
                const QPoint under(int((x + 0.5) / r), int((y + 0.5) / r));
                bool found = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        found |= one.pixel(under + QPoint(dx, dy)) == hi.pixel(x, y);
                wrong += !found;
            }
        EXPECT_EQ(wrong, 0) << "ratio " << r;
    }
}

}  // namespace
