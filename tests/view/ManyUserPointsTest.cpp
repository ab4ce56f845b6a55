// SPDX-License-Identifier: GPL-3.0-or-later
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QToolTip>
#include <functional>

#include "ViewFixture.h"
#include "document/MapLocation.h"
#include "magnifier/MagnifyWnd.h"
#include "points/UserInfoPoint.h"
#include "points/UserPointWindow.h"
#include "points/UserPointWindowKeeper.h"
#include "resources/Art.h"

namespace {

constexpr int kBound =
    CUserPointWindowKeeper::kMaxWindows + CUserPointWindowKeeper::kMaxExtraWindows;
const QColor kChart(170, 200, 230);

class ManyUserPointsTest : public ViewTest {
protected:
    CUserInfoPointList& users() { return view->Location().userInfoPoints; }
    QList<CUserPointWindow*> Windows() {
        return vp()->findChildren<CUserPointWindow*>(Qt::FindDirectChildrenOnly);
    }
    // Writes a location whose chart covers extent, with count points placed
    // by at(i), named "Point i", and opens it in the view.
    void Open(QSize extent, int count, const std::function<QPoint(int)>& at) {
        QImage chart(32, 24, QImage::Format_RGB888);
        chart.fill(kChart);
        const QString chartPath = dir.filePath("chart.bmp");
        ASSERT_TRUE(chart.save(chartPath, "BMP"));
        CTarnlightDoc writer;
        CTarnLocation loc;
        writer.SetLocation(&loc);
        auto entry = std::make_unique<CMapLocation>();
        entry->SetImage(RectL{0, 0, extent.width(), extent.height()}, chartPath);
        loc.maps.entries.push_back(std::move(entry));
        for (int i = 0; i < count; ++i) {
            auto p = std::make_unique<CUserInfoPoint>();
            p->name = QString("Point %1").arg(i);
            p->iconId = CUserInfoPoint::kFirstIconId + i % 32;
            p->position = at(i);
            loc.userInfoPoints.points.push_back(std::move(p));
        }
        const QString path = dir.filePath("many.fnm");
        ASSERT_TRUE(writer.DoSave(path));
        ASSERT_TRUE(doc.OnOpenDocument(path));
        ASSERT_EQ(users().points.size(), size_t(count));
    }
    // Every window belongs to a point in view, and there are few of them.
    void ExpectBoundedWindows(const char* where) {
        const QList<CUserPointWindow*> windows = Windows();
        EXPECT_LE(windows.size(), kBound) << where;
        for (CUserPointWindow* w : windows) {
            EXPECT_TRUE(w->geometry().intersects(vp()->rect())) << where;
            EXPECT_EQ(w->pos(), users().WindowTopLeft(w->Point().position)) << where;
        }
        // The magnifier's overlay stays above every point window.
        const QObjectList children = vp()->children();
        const qsizetype overlay = children.indexOf(static_cast<QObject*>(view->MagnifierWindow()));
        for (CUserPointWindow* w : windows) EXPECT_LT(children.indexOf(w), overlay) << where;
    }
    // Where the opaque pixels of the point's icon show, the picture shows them.
    void ExpectIconShown(const QImage& picture, const CUserInfoPoint& p) {
        const QImage icon = art::UserPointIcon(p.iconId, 16).toImage();
        const QPoint at = users().WindowTopLeft(p.position);
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const QRgb c = icon.pixel(x, y);
                if (qAlpha(c) != 255 || !picture.rect().contains(at + QPoint(x, y))) continue;
                ++opaque;
                EXPECT_EQ(picture.pixel(at + QPoint(x, y)), c | 0xFF000000u)
                    << p.name.toStdString();
            }
        EXPECT_GT(opaque, 20) << p.name.toStdString();
    }
    // The widget a real mouse at pos would reach: a point window or the viewport.
    QWidget* Under(QPoint pos) {
        QWidget* w = vp()->childAt(pos);
        return w ? w : vp();
    }
    void Mouse(QEvent::Type type, QPoint pos, Qt::MouseButton b, Qt::MouseButtons held) {
        QWidget* w = Under(pos);
        if (type != QEvent::MouseButtonPress && grabbed) w = grabbed;
        const QPoint local = w == vp() ? pos : pos - w->pos();
        QMouseEvent e(type, QPointF(local), w->mapToGlobal(QPointF(local)), b, held,
                      Qt::NoModifier);
        if (type == QEvent::MouseButtonPress) grabbed = w;  // Qt's implicit grab
        QApplication::sendEvent(w, &e);
        if (type == QEvent::MouseButtonRelease) grabbed = nullptr;
    }
    void Hover(QPoint pos) { Mouse(QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton); }
    void DragBy(QPoint from, QPoint delta) {
        Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        Mouse(QEvent::MouseMove, from + delta, Qt::NoButton, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, from + delta, Qt::LeftButton, Qt::NoButton);
    }
    QString ToolTipAt(QPoint pos) {
        QWidget* w = Under(pos);
        const QPoint local = w == vp() ? pos : pos - w->pos();
        QHelpEvent e(QEvent::ToolTip, local, w->mapToGlobal(local));
        QApplication::sendEvent(w, &e);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
    // Opens the context menu at pos and picks the entry with text, after
    // running during() while the menu is up.
    void MenuAt(QPoint pos, const QString& text, const std::function<void()>& during = {}) {
        bool picked = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_TRUE(menu);
            if (during) during();
            for (QAction* a : menu->actions())
                if (a->text() == text) a->trigger(), picked = true;
            menu->close();
        });
        QWidget* w = Under(pos);
        const QPoint local = w == vp() ? pos : pos - w->pos();
        QContextMenuEvent e(QContextMenuEvent::Mouse, local, w->mapToGlobal(local));
        QApplication::sendEvent(w, &e);
        EXPECT_TRUE(picked) << text.toStdString();
    }

    QTemporaryDir dir;
    QWidget* grabbed = nullptr;
};

struct Layout {
    const char* name;
    std::function<QPoint(int)> at;
    int maxWindows;  // with the view at its first scroll positions
};

TEST_F(ManyUserPointsTest, ThreeHundredThousandPointsOpenScrollAndRepaint) {
    const Layout layouts[] = {
        // About 1,500 in the 400 x 300 view: more than get windows.
        {"spread",
         [](int i) { return QPoint(int(qint64(i) * 7919 % 6000), int(qint64(i) * 104729 % 4500)); },
         kBound},
        // All on one spot: only the topmost can ever be reached.
        {"stacked", [](int) { return QPoint(150, 100); }, 1},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        Open(QSize(6000, 4500), 300'000, layout.at);
        ExpectBoundedWindows("opened");
        EXPECT_LE(Windows().size(), layout.maxWindows);
        EXPECT_GT(Windows().size(), 0);
        for (QPoint scroll : {QPoint(0, 0), QPoint(2500, 1800), QPoint(2600, 1800), QPoint(0, 0)}) {
            view->ScrollTo(scroll);
            ASSERT_EQ(view->ScrollPosition(), scroll);
            const QImage picture = view->RenderViewport();
            ExpectBoundedWindows("scrolled");
            // The topmost point in view shows its icon.
            const CUserInfoPoint* top = nullptr;
            for (const auto& p : users().points)
                if (users().ParentRect(*p).intersects(vp()->rect().adjusted(0, 0, -16, -16)))
                    top = p.get();
            if (layout.maxWindows == 1 && scroll != QPoint(0, 0)) {
                EXPECT_EQ(top, nullptr);
                EXPECT_EQ(picture.pixelColor(200, 150), kChart) << "nothing but the chart";
                continue;
            }
            ASSERT_TRUE(top);
            ExpectIconShown(picture, *top);
        }
    }
}

TEST_F(ManyUserPointsTest, PictureIsTheIconsInListOrderOverTheMap) {
    Open(QSize(3000, 3000), 0, {});
    view->ScrollTo({1000, 1000});
    const QImage bare = view->RenderViewport();
    // Overlapping icons, one cut by the right edge, one just above the view.
    const struct {
        QPoint at;
        int icon;
    } points[] = {{{1100, 1100}, 5000}, {{1106, 1104}, 5007}, {{1392, 1200}, 5015},
                  {{1200, 990}, 5021},  {{1250, 980}, 5030},  {{1020, 1290}, 5031}};
    for (const auto& p : points) {
        auto point = std::make_unique<CUserInfoPoint>();
        point->iconId = p.icon;
        point->position = p.at;
        users().Append(std::move(point));
    }
    auto compose = [&](bool reversed) {
        QImage expected = bare;
        QPainter painter(&expected);
        for (size_t i = 0; i < std::size(points); ++i) {
            const auto& p = points[reversed ? std::size(points) - 1 - i : i];
            painter.drawPixmap(p.at - view->ScrollPosition(), art::UserPointIcon(p.icon, 16));
        }
        return expected;
    };
    const QImage picture = view->RenderViewport();
    EXPECT_EQ(picture, compose(false));
    EXPECT_NE(picture, compose(true)) << "later points lie on top";
    EXPECT_EQ(Windows().size(), 5) << "the one above the view has none";
}

// Each behaviour of a point scrolled into view, for a point that gets a
// window on the way and for one below more points than get windows.
struct Crowd {
    const char* name;
    int others;  // placed after the point, around it
};
const Crowd kCrowds[] = {{"alone", 0}, {"crowded", 2000}};

class PointBehaviourTest : public ManyUserPointsTest, public ::testing::WithParamInterface<Crowd> {
protected:
    void SetUp() override {
        ManyUserPointsTest::SetUp();
        const int others = GetParam().others;
        // The point at (2000, 1500); the others on a grid around it in the
        // view's area, leaving its icon uncovered.
        std::vector<QPoint> places{{2000, 1500}};
        const QRect clear(1960, 1460, 120, 100);  // room to drag it in
        for (int k = 0; int(places.size()) <= others; ++k) {
            const QPoint at(1900 + (k % 50) * 8, 1400 + (k / 50) * 7);
            if (!QRect(at, QSize(16, 16)).intersects(clear)) places.push_back(at);
        }
        Open(QSize(4000, 3000), 1 + others, [&](int i) { return places[i]; });
        users().points[0]->name = "Far reef";
        users().points[0]->iconId = 5003;
        target = users().points[0].get();
        view->ScrollTo({1900, 1400});
        EXPECT_EQ(users().WindowTopLeft(target->position), QPoint(100, 100));
        ASSERT_EQ(vp()->childAt(104, 104) != nullptr, others == 0);
        doc.SetModifiedFlag(false);
    }
    CUserInfoPoint* target = nullptr;
    const QPoint icon{104, 104};
};

TEST_P(PointBehaviourTest, ToolTipDoubleClickAndHover) {
    EXPECT_EQ(ToolTipAt(icon), "Far reef");
    Hover(icon);
    auto* w = qobject_cast<CUserPointWindow*>(vp()->childAt(icon));
    ASSERT_TRUE(w) << "the mouse on the icon gives the point its window";
    EXPECT_EQ(&w->Point(), target);
    EXPECT_EQ(w->toolTip(), "Far reef");
    ExpectBoundedWindows("hovered");
    Mouse(QEvent::MouseButtonDblClick, icon, Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, icon, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(frame.pointDisplay.name, "Far reef");
    EXPECT_EQ(frame.pointDisplay.iconId, 5003);
}

TEST_P(PointBehaviourTest, DraggingMovesThePointAndModifiesTheDocument) {
    DragBy(icon, {30, 20});
    EXPECT_EQ(target->position, QPoint(2030, 1520));
    EXPECT_TRUE(doc.IsModified());
    ExpectIconShown(view->RenderViewport(), *target);
    // Dragged again from its new place.
    DragBy(icon + QPoint(30, 20), {-10, 5});
    EXPECT_EQ(target->position, QPoint(2020, 1525));
}

TEST_P(PointBehaviourTest, MenuSetupAndInformation) {
    scripted().dialog([](QDialog& d) {
        d.findChild<QLineEdit*>("1002")->setText("Near reef");
        d.accept();
    });
    MenuAt(icon, "&Setup");
    EXPECT_EQ(scripted().dialogsRun, 1);
    EXPECT_EQ(target->name, "Near reef");
    EXPECT_TRUE(doc.IsModified());
    const QPoint now = users().WindowTopLeft(target->position) + QPoint(4, 4);
    EXPECT_EQ(ToolTipAt(now), "Near reef");
    MenuAt(now, "&Information");
    EXPECT_EQ(frame.pointDisplay.name, "Near reef");
}

TEST_P(PointBehaviourTest, AWindowOutlivesItsGestureWhenScrolledAway) {
    // A drag: the view scrolls away under the held button; the point then
    // follows the mouse to where it is on the new part of the map.
    Mouse(QEvent::MouseButtonPress, icon, Qt::LeftButton, Qt::LeftButton);
    QPointer<QWidget> w = target->Window();
    ASSERT_TRUE(w);
    view->ScrollTo({0, 0});
    ASSERT_TRUE(w) << "not destroyed mid-drag";
    Mouse(QEvent::MouseMove, icon + QPoint(5, 5), Qt::NoButton, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, icon + QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(target->position, QPoint(105, 105));
    EXPECT_TRUE(doc.IsModified());
    view->ScrollTo({1000, 1000});
    EXPECT_FALSE(w) << "gone once the drag is over and the point out of view";
    ExpectBoundedWindows("after the drag");

    // The menu: the view scrolls away while it is up.
    view->ScrollTo({0, 0});
    MenuAt({109, 109}, "&Information", [&] {
        w = target->Window();
        view->ScrollTo({1000, 1000});
        EXPECT_TRUE(w) << "not destroyed while its menu is up";
    });
    EXPECT_EQ(frame.pointDisplay.name, "Far reef");
    view->ScrollTo({1010, 1000});
    EXPECT_FALSE(w);
}

INSTANTIATE_TEST_SUITE_P(Crowds, PointBehaviourTest, ::testing::ValuesIn(kCrowds),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
