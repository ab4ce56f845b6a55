// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QSet>
#include <QTest>
#include <memory>

#include "magnifier/LensWnd.h"
#include "magnifier/MagnifyWnd.h"
#include "resources/Art.h"

namespace {

// Every pixel of the pattern names its own position, so a pixel read back
// from the lens tells which view pixel it shows. Blue stays below 255,
// the frame's blue.
QRgb PatternPixel(int x, int y) {
    return qRgb(x & 0xFF, y & 0xFF, 0x40 + ((x >> 8) << 2) + (y >> 8));
}

QPoint Decode(QRgb c) {
    const int hi = qBlue(c) - 0x40;
    return {((hi >> 2) << 8) | qRed(c), ((hi & 3) << 8) | qGreen(c)};
}

// Stands in for the map view's viewport.
class PatternWidget : public QWidget {
public:
    explicit PatternWidget(QSize size) : pattern(size, QImage::Format_RGB32) {
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) pattern.setPixel(x, y, PatternPixel(x, y));
        resize(size);
    }
    QImage pattern;
    QColor fill;  // once set, the view paints this instead of the pattern

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (fill.isValid())
            p.fillRect(rect(), fill);
        else
            p.drawImage(0, 0, pattern);
    }
};

// The offscreen platform cannot grab the mouse and says so at every press;
// Qt still routes the grab itself, which is what the tests look at.
QtMessageHandler previousHandler = nullptr;
void QuietAboutGrabs(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("does not support grabbing the mouse"))) return;
    if (previousHandler) previousHandler(type, context, text);
}

QImage Grab(QWidget* w) {
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

class MagnifyWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousHandler = qInstallMessageHandler(QuietAboutGrabs);
        view = std::make_unique<PatternWidget>(QSize(400, 300));
        mag = new CMagnifyWnd;
        ASSERT_TRUE(mag->Create(view.get(), view.get()));
        view->show();
        mag->Show();
    }
    void TearDown() override {
        if (mag->active) QTest::mouseRelease(mag, Qt::LeftButton, {}, mag->centre);
        qInstallMessageHandler(previousHandler);
    }
    void Use(int shape, int size, int zoom) {
        mag->shape = shape;
        mag->size = size;
        mag->zoom = zoom;
    }
    void Press(QPoint p) { QTest::mousePress(mag, Qt::LeftButton, {}, p); }

    std::unique_ptr<PatternWidget> view;
    CMagnifyWnd* mag = nullptr;  // a child of the view
};

TEST_F(MagnifyWndTest, CreatedHiddenAndCoveringTheView) {
    auto other = std::make_unique<PatternWidget>(QSize(320, 200));
    CMagnifyWnd* m = new CMagnifyWnd;
    ASSERT_TRUE(m->Create(other.get(), other.get()));
    EXPECT_TRUE(m->isHidden());
    EXPECT_EQ(m->parentWidget(), other.get());
    EXPECT_EQ(m->geometry(), QRect(0, 0, 320, 200));
    EXPECT_EQ(m->bounds, (RectL{0, 0, 320, 200}));
    ASSERT_NE(m->lens, nullptr);
    EXPECT_TRUE(m->lens->isHidden());
    EXPECT_EQ(m->active, 0);
    EXPECT_FALSE(m->testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST_F(MagnifyWndTest, InactiveOverlayLetsTheViewShowThrough) {
    const QImage shot = Grab(view.get());
    for (QPoint p : {QPoint(0, 0), QPoint(123, 45), QPoint(399, 299)})
        EXPECT_EQ(shot.pixel(p), PatternPixel(p.x(), p.y()));
}

TEST_F(MagnifyWndTest, PressShowsTheLensAroundTheMouse) {
    Use(lens::kRectangular, 100, 20);
    Press({200, 150});
    EXPECT_EQ(mag->active, 1);
    EXPECT_TRUE(mag->lens->isVisible());
    EXPECT_EQ(mag->lens->geometry(), QRect(150, 100, 100, 100));
    EXPECT_EQ(mag->centre, QPoint(200, 150));
    EXPECT_EQ(QWidget::mouseGrabber(), mag);
    EXPECT_EQ(mag->snapshot.size(), QSize(400, 300));
}

// Nearest neighbour: lens pixel i shows the view pixel under its centre,
// (i + 1/2) * src / size. A centre falling exactly on a pixel edge may go
// either way.
bool ShowsNearest(int got, int i, int src, int size) {
    const int num = (2 * i + 1) * src;
    const int den = 2 * size;
    return got == num / den || (num % den == 0 && got == num / den - 1);
}

// Every lens pixel inside the frame shows the enlarged source square.
void ExpectEnlarged(const QImage& lensImage, QPoint source, int src, int size) {
    int wrong = 0;
    for (int j = 3; j < size - 3; ++j) {
        for (int i = 3; i < size - 3; ++i) {
            const QPoint shown = Decode(lensImage.pixel(i, j)) - source;
            if (ShowsNearest(shown.x(), i, src, size) && ShowsNearest(shown.y(), j, src, size))
                continue;
            if (wrong++ < 5)
                ADD_FAILURE() << "lens pixel " << i << "," << j << " shows offset " << shown.x()
                              << "," << shown.y();
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(MagnifyWndTest, RectangularLensEnlargesTheSourceSquare) {
    struct Case {
        int size, zoom;
        QPoint press;
        QRect lens;
        QPoint source;
        int src;
    };
    const Case cases[] = {
        {100, 18, {200, 150}, {150, 100, 100, 100}, {175, 125}, 50},  // "x1.5" enlarges twice
        {100, 20, {200, 150}, {150, 100, 100, 100}, {175, 125}, 50},
        {100, 50, {200, 150}, {150, 100, 100, 100}, {190, 140}, 20},
        {120, 25, {200, 150}, {140, 90, 120, 120}, {180, 130}, 40},
        {250, 30, {200, 150}, {75, 25, 250, 250}, {160, 110}, 80},    // 3.125 times
        {100, 20, {10, 150}, {0, 100, 100, 100}, {0, 125}, 50},       // flush left
        {100, 20, {395, 295}, {300, 200, 100, 100}, {350, 250}, 50},  // last 50 x 50
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.size << "@" << c.zoom << " at " << c.press.x() << "," << c.press.y());
        Use(lens::kRectangular, c.size, c.zoom);
        Press(c.press);
        EXPECT_EQ(mag->lens->geometry(), c.lens);
        ExpectEnlarged(Grab(mag->lens), c.source, c.src, c.size);
        QTest::mouseRelease(mag, Qt::LeftButton, {}, c.press);
    }
}

TEST_F(MagnifyWndTest, RectangularLensHasABlueFrame) {
    Use(lens::kRectangular, 100, 20);
    Press({200, 150});
    const QImage img = Grab(mag->lens);
    const QRgb blue = qRgb(0, 0, 255);
    for (int k : {0, 1, 50, 98, 99}) {
        SCOPED_TRACE(k);
        EXPECT_EQ(img.pixel(k, 0), blue);
        EXPECT_EQ(img.pixel(k, 1), blue);
        EXPECT_EQ(img.pixel(k, 98), blue);
        EXPECT_EQ(img.pixel(k, 99), blue);
        EXPECT_EQ(img.pixel(0, k), blue);
        EXPECT_EQ(img.pixel(1, k), blue);
        EXPECT_EQ(img.pixel(98, k), blue);
        EXPECT_EQ(img.pixel(99, k), blue);
    }
    EXPECT_NE(img.pixel(2, 50), blue);
    EXPECT_NE(img.pixel(50, 97), blue);
}

TEST_F(MagnifyWndTest, RoundLensCornersShowTheViewUnmagnified) {
    Use(lens::kRound, 100, 20);
    Press({200, 150});
    const QImage img = Grab(mag->lens);
    // Corners: the view's own pixels under the lens at (150, 100).
    for (QPoint p : {QPoint(0, 0), QPoint(5, 3), QPoint(99, 0), QPoint(96, 2), QPoint(0, 99),
                     QPoint(3, 95), QPoint(99, 99), QPoint(95, 96)}) {
        SCOPED_TRACE(testing::Message() << p.x() << "," << p.y());
        EXPECT_EQ(Decode(img.pixel(p)), QPoint(150, 100) + p);
    }
    // Inside the circle: enlarged twice around the centre.
    for (QPoint p : {QPoint(50, 50), QPoint(30, 60), QPoint(70, 20), QPoint(20, 50)}) {
        SCOPED_TRACE(testing::Message() << p.x() << "," << p.y());
        EXPECT_EQ(Decode(img.pixel(p)), QPoint(175, 125) + p / 2);
    }
    // The outline just inside the circle's edge, in the frame's blue.
    const QRgb blue = qRgb(0, 0, 255);
    for (QPoint p : {QPoint(50, 2), QPoint(2, 50), QPoint(97, 50), QPoint(50, 97)}) {
        SCOPED_TRACE(testing::Message() << p.x() << "," << p.y());
        EXPECT_EQ(img.pixel(p), blue);
    }
}

TEST_F(MagnifyWndTest, RoundLensNearTheEdgeTakesCornersFromTheEdge) {
    Use(lens::kRound, 100, 20);
    Press({395, 295});
    const QImage img = Grab(mag->lens);
    EXPECT_EQ(mag->lens->geometry(), QRect(300, 200, 100, 100));
    EXPECT_EQ(Decode(img.pixel(99, 99)), QPoint(399, 299));
    EXPECT_EQ(Decode(img.pixel(0, 0)), QPoint(300, 200));
    EXPECT_EQ(Decode(img.pixel(50, 50)), QPoint(375, 275));
}

TEST_F(MagnifyWndTest, MovingTheLensShowsTheSnapshotNotTheLiveView) {
    Use(lens::kRectangular, 100, 20);
    Press({200, 150});
    view->fill = Qt::red;  // the map changes under the held button
    QTest::mouseMove(mag, {300, 120});
    EXPECT_EQ(mag->centre, QPoint(300, 120));
    EXPECT_EQ(mag->lens->geometry(), QRect(250, 70, 100, 100));
    EXPECT_EQ(mag->QWidget::cursor().shape(), Qt::BlankCursor);
    ExpectEnlarged(Grab(mag->lens), {275, 95}, 50, 100);
    // The overlay covers the view with the frozen picture.
    const QImage shot = Grab(view.get());
    EXPECT_EQ(shot.pixel(10, 10), PatternPixel(10, 10));
    EXPECT_EQ(shot.pixel(390, 290), PatternPixel(390, 290));
}

TEST_F(MagnifyWndTest, ReleaseHidesTheLensAndUncoversTheView) {
    Use(lens::kRectangular, 100, 20);
    Press({200, 150});
    view->fill = Qt::red;
    QTest::mouseRelease(mag, Qt::LeftButton, {}, {200, 150});
    EXPECT_EQ(mag->active, 0);
    EXPECT_FALSE(mag->lens->isVisible());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    const QImage shot = Grab(view.get());
    for (QPoint p : {QPoint(10, 10), QPoint(200, 150), QPoint(390, 290)})
        EXPECT_EQ(shot.pixel(p), qRgb(255, 0, 0));
}

TEST_F(MagnifyWndTest, EachPressTakesAFreshSnapshot) {
    Use(lens::kRectangular, 100, 20);
    Press({200, 150});
    QTest::mouseRelease(mag, Qt::LeftButton, {}, {200, 150});
    view->fill = QColor(0, 128, 0);
    Press({200, 150});
    EXPECT_EQ(Grab(mag->lens).pixel(50, 50), qRgb(0, 128, 0));
}

TEST_F(MagnifyWndTest, MovingWithoutAButtonShowsTheMagnifierCursorAndNoLens) {
    QMouseEvent move(QEvent::MouseMove, QPointF(120, 80), mag->mapToGlobal(QPointF(120, 80)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    mag->setCursor(Qt::BlankCursor);
    QApplication::sendEvent(mag, &move);
    EXPECT_EQ(mag->active, 0);
    EXPECT_FALSE(mag->lens->isVisible());
    EXPECT_EQ(mag->QWidget::cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(mag->QWidget::cursor().pixmap().toImage(), art::Cursor(147).pixmap().toImage());
    EXPECT_EQ(mag->QWidget::cursor().hotSpot(), art::Cursor(147).hotSpot());
}

TEST_F(MagnifyWndTest, RightPressAsksForTheProperties) {
    int asked = 0;
    mag->onProperties = [&] { ++asked; };
    QTest::mousePress(mag, Qt::RightButton, {}, {100, 100});
    QTest::mouseRelease(mag, Qt::RightButton, {}, {100, 100});
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(mag->active, 0);
    EXPECT_FALSE(mag->lens->isVisible());
}

TEST_F(MagnifyWndTest, HarmfulStoredValuesFallBackToTheDefaultLens) {
    struct Case {
        int size, zoom;
    };
    const Case cases[] = {{100, 0}, {100, -20}, {0, 20}, {-100, 20}, {5000, 20}, {100, 500}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << "@" << c.zoom);
        Use(lens::kRectangular, c.size, c.zoom);
        Press({200, 150});
        EXPECT_EQ(mag->lens->geometry(), QRect(150, 100, 100, 100));
        ExpectEnlarged(Grab(mag->lens), {175, 125}, 50, 100);
        QTest::mouseRelease(mag, Qt::LeftButton, {}, {200, 150});
        // The fields keep what was stored; only the lens ignores them.
        EXPECT_EQ(mag->size, c.size);
        EXPECT_EQ(mag->zoom, c.zoom);
    }
}

TEST_F(MagnifyWndTest, HarmlessValuesOutsideTheTablesWorkAsStored) {
    Use(lens::kRectangular, 130, 15);  // src = (130 / 15) * 10 = 80
    Press({200, 150});
    EXPECT_EQ(mag->lens->geometry(), QRect(135, 85, 130, 130));
    ExpectEnlarged(Grab(mag->lens), {160, 110}, 80, 130);
}

TEST_F(MagnifyWndTest, HidingDuringAPressEndsIt) {
    Press({200, 150});
    mag->Hide();
    EXPECT_EQ(mag->active, 0);
    EXPECT_FALSE(mag->lens->isVisible());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    QTest::mouseRelease(mag, Qt::LeftButton, {}, {200, 150});  // the button comes up later
    EXPECT_EQ(mag->active, 0);
}

TEST_F(MagnifyWndTest, ShowTakesTheParentsCurrentArea) {
    mag->Hide();
    view->resize(350, 250);
    mag->Show();
    EXPECT_EQ(mag->geometry(), QRect(0, 0, 350, 250));
    EXPECT_EQ(mag->bounds, (RectL{0, 0, 350, 250}));
    mag->SetBounds(QRect(10, 20, 200, 100));
    EXPECT_EQ(mag->bounds, (RectL{10, 20, 210, 120}));
}

}  // namespace
