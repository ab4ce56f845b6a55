// SPDX-License-Identifier: GPL-3.0-or-later
// Map pictures decoded in the background, as the user sees them: the
// window paints at once, placeholders give way to the maps, and the
// overview panel moves the view.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QMenuBar>
#include <QPaintEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <future>

#include "AssembledApp.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "app/Assembly.h"
#include "app/MainFrame.h"
#include "framework/Settings.h"
#include "imaging/DecodedImage.h"
#include "imaging/TileCache.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"
#include "view/OverviewPanel.h"
#include "view/TarnlightView.h"

namespace {

const QString kSample = QStringLiteral(FM_SAMPLES_DIR "/millelacs.fnm");

class AtlasView : public AssembledApp {
protected:
    void SetUp() override {
        AssembledApp::SetUp();
        // Nothing decoded before: the first paint has to wait for the workers.
        TileCache::Instance().WaitForWorkers();
        TileCache::Instance().Clear();
        StartupOptions options;
        options.file = kSample;
        Start(options);
    }
    QImage OnScreen() {
        QWidget* map = frame->View().viewport();
        return map->screen()
            ->grabWindow(map->winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
};

int CountPixels(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
    return n;
}

}  // namespace

TEST_F(AtlasView, MapsArriveOnScreenAsTheCompletePicture) {
    // Whatever was on screen first, the window settles on the picture a
    // waiting render gives, with no placeholder left.
    const QImage complete = frame->View().RenderViewport();
    ASSERT_EQ(CountPixels(complete, DecodedImage::kPlaceholder), 0);
    QTRY_VERIFY_WITH_TIMEOUT(OnScreen() == complete, 10000);
    EXPECT_EQ(TileCache::Instance().PendingCount(), 0);
}

TEST_F(AtlasView, OverviewIsHiddenUntilAskedForAndMovesTheView) {
    QAction* toggle = frame->Commands().action(cmd::ShowOverview);
    ASSERT_NE(toggle, nullptr);
    QDockWidget* dock = frame->OverviewDock();
    EXPECT_FALSE(dock->isVisible());
    frame->Commands().refresh();
    EXPECT_FALSE(toggle->isChecked());
    // In the View menu, by its text.
    bool listed = false;
    for (QAction* menu : frame->menuBar()->actions())
        if (menu->text() == "&View")
            for (QAction* a : menu->menu()->actions()) listed = listed || a == toggle;
    EXPECT_TRUE(listed);

    toggle->trigger();
    QTRY_VERIFY(dock->isVisible());
    frame->Commands().refresh();
    EXPECT_TRUE(toggle->isChecked());

    COverviewPanel* panel = frame->Overview();
    CTarnlightView& view = frame->View();
    view.ScrollTo(QPoint(0, 0));
    const QRectF whole = panel->LocationRect();
    ASSERT_FALSE(whole.isEmpty());
    // The outline covers the part in view, from the top-left corner.
    EXPECT_NEAR(panel->VisibleRect().left(), whole.left(), 1.0);
    EXPECT_NEAR(panel->VisibleRect().top(), whole.top(), 1.0);
    QTest::mouseClick(panel, Qt::LeftButton, {}, whole.bottomRight().toPoint() - QPoint(2, 2));
    const QPoint moved = view.ScrollPosition();
    EXPECT_GT(moved.x() + moved.y(), 0) << "the click did not move the view";
    EXPECT_GT(panel->VisibleRect().left() + panel->VisibleRect().top(), whole.left() + whole.top());
    // The reduced pictures come in: the panel is not left grey.
    QTRY_VERIFY_WITH_TIMEOUT(TileCache::Instance().PendingCount() == 0, 10000);
    const QImage shown = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QTRY_VERIFY(CountPixels(panel->grab().toImage().convertToFormat(QImage::Format_RGB32),
                            DecodedImage::kPlaceholder) == 0);
    EXPECT_FALSE(shown.isNull());

    toggle->trigger();
    QTRY_VERIFY(!dock->isVisible());
}

namespace {

// Collects the rectangles a widget is asked to paint.
class PaintLog : public QObject {
public:
    QRegion painted;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

}  // namespace

TEST_F(AtlasView, AScrollPaintsOnlyWhatCameIntoView) {
    CTarnlightView& view = frame->View();
    // Settled first: the whole map on screen, nothing left to decode.
    QTRY_VERIFY_WITH_TIMEOUT(OnScreen() == view.RenderViewport(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(TileCache::Instance().PendingCount() == 0, 10000);
    QApplication::processEvents();
    PaintLog log;
    view.viewport()->installEventFilter(&log);
    const QPoint from = view.ScrollPosition();
    view.ScrollTo(from + QPoint(0, 100));
    ASSERT_EQ(view.ScrollPosition().y() - from.y(), 100) << "the sample cannot scroll 100 px";
    QTRY_VERIFY(!log.painted.isEmpty());
    QApplication::processEvents();
    const QSize size = view.viewport()->size();
    // The bottom 100 rows, nothing above them.
    EXPECT_EQ(log.painted.boundingRect(), QRect(0, size.height() - 100, size.width(), 100));
    view.viewport()->removeEventFilter(&log);
    // And what is on screen is the map as a fresh paint gives it.
    const QImage shown = OnScreen();
    const QImage fresh = view.RenderViewport();
    ASSERT_EQ(shown.size(), fresh.size());
    QRect wrong;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) != fresh.pixel(x, y)) wrong |= QRect(x, y, 1, 1);
    EXPECT_TRUE(wrong.isEmpty()) << wrong.x() << "," << wrong.y() << " " << wrong.width() << "x"
                                 << wrong.height();
}

namespace {

// The sample opened while every decoding worker is held up, so that its
// pictures wait in the queue for as long as the test wants.
class StoppedDecoding : public AtlasView {
protected:
    void SetUp() override {
        AssembledApp::SetUp();
        TileCache& cache = TileCache::Instance();
        cache.WaitForWorkers();
        cache.Clear();
        const std::shared_future<void> open = gate.get_future().share();
        for (int i = 0; i < cache.Workers(); ++i) {
            const TileCache::Key key{~uint64_t(0) - uint64_t(i), 1, 0};
            ASSERT_TRUE(cache.Request(key, false, [open, key] {
                open.wait();
                TileCache::Instance().Finished(key);
            }));
        }
        StartupOptions options;
        options.file = kSample;
        Start(options);
    }
    void TearDown() override {
        if (!released) gate.set_value();
        TileCache::Instance().WaitForWorkers();
        TileCache::Instance().Resume();
        AtlasView::TearDown();
    }
    void Release() {
        released = true;
        gate.set_value();
    }
    QWidget* Named(const char* name) { return frame->findChild<QWidget*>(name); }

    std::promise<void> gate;
    bool released = false;
};

}  // namespace

TEST_F(StoppedDecoding, CancelStopsTheWaitAndMovingTheMapTakesItUp) {
    QWidget* cancel = Named("decodeCancel");
    QWidget* progress = Named("decodeProgress");
    ASSERT_NE(cancel, nullptr);
    ASSERT_NE(progress, nullptr);
    // Half a second of waiting shows the progress and the button.
    QTRY_VERIFY_WITH_TIMEOUT(cancel->isVisible(), 5000);
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(frame->statusBar()->currentMessage(), str::DecodingMaps);
    QTRY_VERIFY_WITH_TIMEOUT(CountPixels(OnScreen(), DecodedImage::kPlaceholder) > 0, 5000);

    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_FALSE(cancel->isVisible());
    EXPECT_FALSE(progress->isVisible());
    EXPECT_EQ(frame->statusBar()->currentMessage(), str::Ready);

    // The workers free again: what was asked for before the cancel is not
    // decoded, and the repaints do not ask for it anew.
    Release();
    TileCache::Instance().WaitForWorkers();
    QTest::qWait(600);
    EXPECT_EQ(TileCache::Instance().PendingCount(), 0);
    EXPECT_GT(CountPixels(OnScreen(), DecodedImage::kPlaceholder), 0);
    EXPECT_FALSE(cancel->isVisible());

    // Moving the map takes the decoding up again, for all of the view.
    CTarnlightView& view = frame->View();
    view.ScrollTo(view.ScrollPosition() + QPoint(0, 20));
    QTRY_VERIFY_WITH_TIMEOUT(CountPixels(OnScreen(), DecodedImage::kPlaceholder) == 0, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(OnScreen() == view.RenderViewport(), 10000);
}
