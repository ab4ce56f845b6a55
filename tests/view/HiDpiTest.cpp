// SPDX-License-Identifier: GPL-3.0-or-later
// The map at fractional and whole device pixel ratios: rendered into images
// of a given ratio, and grabbed from the real window when the run sets
// QT_SCALE_FACTOR (CTest runs this file at 1.25, 1.5 and 2 as well).
#include <QPainter>
#include <cmath>

#include "ViewFixture.h"
#include "imaging/TileCache.h"
#include "magnifier/MagnifyWnd.h"

namespace {

const QString kSample = QString(FM_SAMPLES_DIR) + "/millelacs.fnm";
const QRgb kUnpainted = qRgb(255, 0, 255);

QImage Blank(QSize logical, qreal ratio) {
    QImage img(
        QSize(int(std::ceil(logical.width() * ratio)), int(std::ceil(logical.height() * ratio))),
        QImage::Format_RGB32);
    img.setDevicePixelRatio(ratio);
    img.fill(kUnpainted);
    return img;
}

// How the picture at ratio r differs from the ratio-1 picture scaled up:
// device pixels left unpainted, and those matching no logical pixel next to
// the one they lie over (rounding may pick a neighbour at fractional ratios).
struct Comparison {
    int unpainted = 0;
    int foreign = 0;
};

Comparison Compare(const QImage& one, const QImage& scaled, qreal r, QRect deviceArea) {
    Comparison c;
    for (int y = deviceArea.top(); y <= deviceArea.bottom(); ++y)
        for (int x = deviceArea.left(); x <= deviceArea.right(); ++x) {
            const QRgb got = scaled.pixel(x, y);
            if (got == kUnpainted) {
                ++c.unpainted;
                continue;
            }
            const int lx = std::min(int((x + 0.5) / r), one.width() - 1);
            const int ly = std::min(int((y + 0.5) / r), one.height() - 1);
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy)
                for (int dx = -1; dx <= 1 && !found; ++dx) {
                    const QPoint at(lx + dx, ly + dy);
                    found = one.rect().contains(at) && one.pixel(at) == got;
                }
            c.foreign += !found;
        }
    return c;
}

class HiDpiTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        ASSERT_TRUE(doc.OnOpenDocument(kSample));
        const QSize extent = view->Location().Extent();
        ASSERT_GT(extent.width(), vp()->width());
        ASSERT_GT(extent.height(), vp()->height());
    }
    QImage Render(qreal ratio, QWidget* w = nullptr) {
        if (!w) w = vp();
        // Painted again until no map picture is still being decoded.
        QImage img;
        for (int round = 0; round < 64; ++round) {
            img = Blank(w->size(), ratio);
            w->render(&img);
            if (view->PaintComplete()) break;
            TileCache::Instance().WaitForWorkers();
        }
        return img.convertToFormat(QImage::Format_RGB32);
    }
};

TEST_F(HiDpiTest, RenderedAtEveryRatioCoversTheWholeMap) {
    const QImage one = Render(1.0);
    ASSERT_EQ(Compare(one, one, 1.0, one.rect()).unpainted, 0);
    for (const qreal r : {1.25, 1.5, 2.0}) {
        SCOPED_TRACE(r);
        // Scrolled too, so the part of the map drawn is not the origin's.
        for (const QPoint scroll : {QPoint(0, 0), QPoint(130, 70)}) {
            view->ScrollTo(scroll);
            const QImage ref = Render(1.0);
            const QImage hi = Render(r);
            ASSERT_EQ(hi.size(), Blank(vp()->size(), r).size());
            const Comparison c = Compare(ref, hi, r, hi.rect());
            EXPECT_EQ(c.unpainted, 0);
            EXPECT_EQ(c.foreign, 0);
            if (r == 2.0) {  // whole ratio: every logical pixel becomes a 2 x 2 block
                EXPECT_TRUE(hi == ref.scaled(ref.size() * 2, Qt::IgnoreAspectRatio,
                                             Qt::FastTransformation));
            }
        }
        view->ScrollTo({0, 0});
    }
}

// The window as the platform shows it, at whatever ratio this run has.
TEST_F(HiDpiTest, GrabbedWindowShowsTheWholeMap) {
    const qreal r = vp()->devicePixelRatioF();
    // Rendered first, so the grab finds every picture decoded.
    const QImage one = Render(1.0);
    const QImage grabbed = vp()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(grabbed.size(), Blank(vp()->size(), r).size());
    const Comparison c = Compare(one, grabbed, r, grabbed.rect());
    EXPECT_EQ(c.unpainted, 0) << "ratio " << r;
    EXPECT_EQ(c.foreign, 0) << "ratio " << r;
    // The map reaches the bottom-right device pixel, not a quarter of the way.
    EXPECT_EQ(grabbed.pixel(grabbed.width() - 1, grabbed.height() - 1),
              one.pixel(one.width() - 1, one.height() - 1));
}

// The lens magnifies what the view shows, wherever on the view it is held.
TEST_F(HiDpiTest, MagnifierShowsTheMapInTheFarCorner) {
    view->ToggleMagnifier();
    QWidget* overlay = view->MagnifierWindow();
    ASSERT_TRUE(overlay && overlay->isVisible());
    const QImage one = Render(1.0);
    const QPoint far(vp()->width() - 40, vp()->height() - 40);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(far), overlay->mapToGlobal(QPointF(far)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(overlay, &press);
    QWidget* lens = nullptr;
    for (QWidget* child : overlay->findChildren<QWidget*>())
        if (child->isVisible()) lens = child;
    ASSERT_TRUE(lens);
    const qreal r = lens->devicePixelRatioF();
    const QImage shown = lens->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Inside the frame every pixel is a map pixel of the ratio-1 view near
    // the lens: none unpainted, none from the fill of an unpainted view.
    QSet<QRgb> nearby;
    const QRect around = QRect(lens->geometry()).adjusted(-2, -2, 2, 2) & one.rect();
    for (int y = around.top(); y <= around.bottom(); ++y)
        for (int x = around.left(); x <= around.right(); ++x) nearby.insert(one.pixel(x, y));
    // Within the square inscribed in a round lens, clear of its frame.
    const int inset = shown.width() / 5;
    const QRect inner = shown.rect().adjusted(inset, inset, -inset, -inset);
    int strangers = 0;
    for (int y = inner.top(); y <= inner.bottom(); y += 3)
        for (int x = inner.left(); x <= inner.right(); x += 3)
            strangers += !nearby.contains(shown.pixel(x, y));
    EXPECT_EQ(strangers, 0) << "ratio " << r;

    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(far),
                        overlay->mapToGlobal(QPointF(far)), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(overlay, &release);
}

}  // namespace
