// SPDX-License-Identifier: GPL-3.0-or-later
// Polylines drawn with the platform's own click sequence (a double-click
// reaches the widget as press, release, double-click, release), read back from what the
// window shows on the screen, not from a fresh rendering.
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "ViewFixture.h"
#include "resources/CommandIds.h"

namespace {

class PolylineScreenTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        table.execute(cmd::DrawingMode);
        table.execute(cmd::DrawLine);
        QApplication::processEvents();
    }
    QWindow* Window() { return view->window()->windowHandle(); }
    QPoint InWindow(QPoint p) { return vp()->mapTo(view->window(), p); }
    void Click(QPoint p) { QTest::mouseClick(Window(), Qt::LeftButton, {}, InWindow(p)); }
    // As a user double-clicks: the window is repainted between the two
    // clicks; the second press comes close enough in time to be a
    // double-click.
    void DoubleClick(QPoint p) {
        const QPointF local = InWindow(p);
        const QPointF global = Window()->mapToGlobal(local);
        int& t = QTest::lastMouseTimestamp;
        for (int click = 0; click < 2; ++click) {
            qt_handleMouseEvent(Window(), local, global, Qt::LeftButton, Qt::LeftButton,
                                QEvent::MouseButtonPress, {}, ++t);
            QApplication::processEvents();
            qt_handleMouseEvent(Window(), local, global, Qt::NoButton, Qt::LeftButton,
                                QEvent::MouseButtonRelease, {}, ++t);
            QApplication::processEvents();
        }
        t += QTest::mouseDoubleClickInterval;
    }
    // The window's pixels as the screen has them, after pending paints.
    QImage OnScreen() {
        QApplication::processEvents();
        const QImage whole = Window()->screen()->grabWindow(Window()->winId()).toImage();
        const QRect area(InWindow({0, 0}) * whole.devicePixelRatio(),
                         vp()->size() * whole.devicePixelRatio());
        return whole.copy(area).convertToFormat(QImage::Format_RGB32);
    }
    const std::vector<QPoint>& Points(size_t i) {
        return view->Location().lineDraws.items[i]->points;
    }
};

TEST_F(PolylineScreenTest, EndingWithADoubleClickLeavesNoMarkAndNoSecondVertex) {
    const QRgb red = qRgb(180, 0, 0);
    const struct {
        const char* name;
        std::vector<QPoint> clicks;  // the last one is double-clicked
    } cases[] = {
        {"three vertices", {{20, 20}, {120, 20}, {120, 120}}},
        {"two vertices", {{40, 200}, {200, 200}}},
        {"a double-click alone", {{300, 60}}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.name);
        for (size_t k = 0; k + 1 < c.clicks.size(); ++k) Click(c.clicks[k]);
        DoubleClick(c.clicks.back());
        ASSERT_EQ(view->Location().lineDraws.items.size(), i + 1);
        // Each click a vertex once: the double-click's second press adds none.
        EXPECT_EQ(Points(i), c.clicks);
        EXPECT_FALSE(view->lineInProgress);
        const QImage shown = OnScreen();
        const QImage fresh = view->RenderViewport();
        EXPECT_TRUE(shown == fresh);
        // Around the last vertex: the line's red and the map's white only.
        const QPoint last = c.clicks.back();
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx) {
                const QRgb px = shown.pixel(last + QPoint(dx, dy));
                EXPECT_TRUE(px == red || px == qRgb(255, 255, 255))
                    << dx << "," << dy << " " << std::hex << px;
            }
    }
    EXPECT_EQ(view->drawingKinds, (std::vector<int>{1, 1, 1}));
}

// A click that does not end the line keeps its vertex, even one at the same
// place as the last (the user clicked twice, slowly).
TEST_F(PolylineScreenTest, SlowClicksOnOneSpotAreTwoVertices) {
    Click({50, 50});
    Click({90, 50});
    Click({90, 50});
    DoubleClick({90, 90});
    EXPECT_EQ(Points(0), (std::vector<QPoint>{{50, 50}, {90, 50}, {90, 50}, {90, 90}}));
}

// A measurement ended by a double-click leaves neither its path nor its
// band on the screen.
TEST_F(PolylineScreenTest, MeasuringEndedByADoubleClickLeavesNothing) {
    table.execute(cmd::MeasureDistance);
    QApplication::processEvents();
    Click({30, 40});
    Click({150, 40});
    QTest::mouseMove(Window(), InWindow({150, 160}));
    QApplication::processEvents();
    DoubleClick({150, 160});
    EXPECT_TRUE(OnScreen() == view->RenderViewport());
}

}  // namespace
