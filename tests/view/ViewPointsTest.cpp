// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <utility>
#include <vector>

#include "ViewFixture.h"
#include "points/MapPoint.h"
#include "points/UserInfoPoint.h"
#include "points/UserPointWindow.h"
#include "resources/CommandIds.h"

namespace {

class ViewPointsTest : public ViewTest {
protected:
    CUserInfoPointList& users() { return view->Location().userInfoPoints; }
    CUserPointWindow* win(int i) {
        return qobject_cast<CUserPointWindow*>(users().points[i]->Window());
    }
    void SendTo(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton b,
                Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), b, held, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    // Drags a point window by (dx, dy) in one move.
    void Drag(QWidget* w, QPoint delta) {
        SendTo(w, QEvent::MouseButtonPress, {4, 4}, Qt::LeftButton, Qt::LeftButton);
        SendTo(w, QEvent::MouseMove, QPoint(4, 4) + delta, Qt::NoButton, Qt::LeftButton);
        SendTo(w, QEvent::MouseButtonRelease, QPoint(4, 4) + delta, Qt::LeftButton, Qt::NoButton);
    }
    static void Fill(QDialog& d, std::initializer_list<std::pair<int, const char*>> fields) {
        for (auto [id, text] : fields) d.findChild<QLineEdit*>(QString::number(id))->setText(text);
    }
};

TEST_F(ViewPointsTest, NewPointsAreNamedByCount) {
    table.execute(cmd::AddUserPoint);
    ASSERT_EQ(users().points.size(), 1u);
    EXPECT_EQ(users().points[0]->name, "Point 1");
    EXPECT_EQ(users().points[0]->iconId, 5030);
    EXPECT_EQ(users().points[0]->position, QPoint(20, 20));
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(win(0));
    EXPECT_EQ(win(0)->pos(), QPoint(20, 20));
    EXPECT_EQ(win(0)->toolTip(), "Point 1");
    users().RemoveByName("Point 1");
    table.execute(cmd::AddUserPoint);
    EXPECT_EQ(users().points[0]->name, "Point 1");
}

TEST_F(ViewPointsTest, DraggingStaysInsideAndMarksModified) {
    table.execute(cmd::AddUserPoint);
    doc.SetModifiedFlag(false);
    QWidget* w = win(0);
    Drag(w, {30, 40});
    EXPECT_EQ(w->pos(), QPoint(50, 60));
    EXPECT_EQ(users().points[0]->position, QPoint(50, 60));
    EXPECT_TRUE(doc.IsModified());
    // Reaching the right or bottom edge, or past the left or top: no move.
    for (QPoint delta :
         {QPoint(400 - 16 - 50, 0), QPoint(0, 300 - 16 - 60), QPoint(-51, 0), QPoint(0, -61)}) {
        Drag(w, delta);
        EXPECT_EQ(w->pos(), QPoint(50, 60)) << delta.x() << "," << delta.y();
    }
    Drag(w, {400 - 17 - 50, 0});  // one pixel short of the edge is fine
    EXPECT_EQ(w->pos(), QPoint(400 - 17, 60));
}

TEST_F(ViewPointsTest, DraggedOnAScrolledViewStaysOnItsMapSpot) {
    view->Location().maps.extentWidth = 3000;
    view->Location().maps.extentHeight = 3000;
    doc.resetAfterLoad();
    table.execute(cmd::AddUserPoint);
    view->ScrollTo({500, 200});
    EXPECT_EQ(win(0), nullptr) << "scrolled out of view: no window";
    users().points[0]->position = QPoint(600, 300);
    view->ScrollTo({500, 200});
    view->ScrollTo({0, 0});
    view->ScrollTo({500, 200});
    QWidget* w = win(0);
    EXPECT_EQ(w->pos(), QPoint(100, 100));
    Drag(w, {10, 5});
    EXPECT_EQ(users().points[0]->position, QPoint(610, 305));
    QTemporaryDir dir;
    ASSERT_TRUE(doc.DoSave(dir.filePath("drag.fnm")));
    ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("drag.fnm")));
    EXPECT_EQ(users().points[0]->position, QPoint(610, 305));
    view->ScrollTo({500, 200});
    EXPECT_EQ(win(0)->pos(), QPoint(110, 105));
}

TEST_F(ViewPointsTest, SetupRenamesAtOnceAndCancelChangesNothing) {
    table.execute(cmd::AddUserPoint);
    CUserInfoPoint& p = *users().points[0];
    // A failed number after a new name, then Cancel: nothing changed.
    scripted().dialog([](QDialog& d) {
        d.findChild<QLineEdit*>("1002")->setText("Weed bed");
        d.findChild<QLineEdit*>("1030")->setText("");
        d.accept();
        d.reject();
    });
    EXPECT_FALSE(view->SetupUserPoint(p));
    EXPECT_EQ(scripted().messages.value(0), "Please enter an integer.");
    EXPECT_EQ(p.name, "Point 1");
    EXPECT_EQ(win(0)->toolTip(), "Point 1");
    // OK renames, and the tool tip follows at once.
    scripted().dialog([](QDialog& d) {
        d.findChild<QLineEdit*>("1002")->setText("Weed bed");
        d.findChild<QLineEdit*>("1013")->setText("1250 ft");
        d.accept();
    });
    EXPECT_TRUE(view->SetupUserPoint(p));
    EXPECT_EQ(p.name, "Weed bed");
    EXPECT_EQ(p.altitude, 1250);
    EXPECT_EQ(win(0)->toolTip(), "Weed bed");
}

TEST_F(ViewPointsTest, NewPointOutsideTheMapsAsksAgain) {
    // A calibration where 46 N 93 W lands at pixel (500, 400).
    CTarnLocation& l = view->Location();
    l.lat1 = 47, l.lon1 = 94, l.x1 = 0, l.y1 = 0;
    l.lat2 = 46, l.lon2 = 93, l.x2 = 500, l.y2 = 400;
    int round = 0;
    auto fill = [&](const char* latDeg) {
        return [&, latDeg](QDialog& d) {
            ++round;
            Fill(
                d,
                {{1030, latDeg}, {1031, "0"}, {1032, "0"}, {1026, "93"}, {1027, "0"}, {1029, "0"}});
            d.findChild<QLineEdit*>("1002")->setText("Hump");
            d.accept();
        };
    };
    scripted().dialog(fill("50"));  // far north: y < 0
    scripted().dialog(fill("46"));
    table.execute(cmd::SetupUserPoint);
    EXPECT_EQ(round, 2);
    EXPECT_EQ(scripted().messages.value(0),
              "Point not in current allowed mapping area, please Re-Enter");
    ASSERT_EQ(users().points.size(), 1u);
    EXPECT_EQ(users().points[0]->position, QPoint(500, 400));
    // Shown once it is in view.
    EXPECT_EQ(win(0), nullptr) << "below the 400 x 300 view";
    view->ScrollTo({300, 200});
    ASSERT_TRUE(win(0));
    EXPECT_TRUE(win(0)->isVisible());
    EXPECT_EQ(win(0)->pos(), QPoint(200, 200));
    // Cancel adds nothing.
    table.execute(cmd::SetupUserPoint);
    EXPECT_EQ(users().points.size(), 1u);
}

// A calibration where 46.5 N 93.5 W lands at pixel (250, 200) and one
// degree of latitude is 400 pixels: typing 4 for 46 is far off the map.
void CalibrateForEdits(CTarnLocation& l) {
    l.lat1 = 47, l.lon1 = 94, l.x1 = 0, l.y1 = 0;
    l.lat2 = 46, l.lon2 = 93, l.x2 = 500, l.y2 = 400;
}

// One dialog round: fields to type (id, text), then OK, or Cancel when the
// list is {{0, nullptr}}.
using Round = std::vector<std::pair<int, const char*>>;
const Round kCancel = {{0, nullptr}};

void Script(const std::vector<Round>& rounds) {
    for (const Round& r : rounds)
        scripted().dialog([r](QDialog& d) {
            if (r == kCancel) return d.reject();
            for (auto [id, text] : r) d.findChild<QLineEdit*>(QString::number(id))->setText(text);
            d.accept();
        });
}

struct EditCase {
    const char* what;
    std::vector<Round> rounds;
    int messages;
    QPoint position;
    const char* name;
};

TEST_F(ViewPointsTest, AnEditedMapPointMustStayOnTheMap) {
    // Map point fields: name 1001, lat 1005/1006/1008, lon 1010/1012/1015.
    const EditCase cases[] = {
        // The dialog comes back with what was typed, so the 4 is corrected.
        {"re-entered",
         {{{1005, "4"}}, {{1005, "46"}, {1001, "Hump"}, {1006, "45"}}},
         1,
         {250, 100},
         "Hump"},
        {"then cancelled", {{{1005, "4"}, {1001, "Hump"}}, kCancel}, 1, {250, 200}, "Bar"},
        {"huge degrees", {{{1010, "2147483647"}}, kCancel}, 1, {250, 200}, "Bar"},
        {"north of the map", {{{1005, "48"}}, {{1005, "46"}}}, 1, {250, 200}, "Bar"},
        {"on the map", {{{1006, "15"}, {1012, "45"}}}, 0, {125, 300}, "Bar"},
        {"not moved", {{{1001, "Hump"}}}, 0, {250, 200}, "Hump"},
    };
    for (const EditCase& c : cases) {
        scripted().reset();
        view->Location().mapPoints.RemoveAll();
        CalibrateForEdits(view->Location());
        CMapPoint& p = view->Location().mapPoints.AddPoint(250, 200, 0, 0, "Bar", "");
        Script(c.rounds);
        Send(QEvent::MouseButtonPress, {250, 200}, Qt::RightButton, Qt::RightButton);
        EXPECT_EQ(scripted().dialogsRun, int(c.rounds.size())) << c.what;
        EXPECT_EQ(scripted().messages.size(), c.messages) << c.what;
        if (c.messages) {
            EXPECT_EQ(scripted().messages.value(0),
                      "Point not in current allowed mapping area, please Re-Enter");
        }
        EXPECT_EQ(p.position, c.position) << c.what;
        EXPECT_EQ(p.name, c.name) << c.what;
    }
}

TEST_F(ViewPointsTest, AnEditedUserPointMustStayOnTheMap) {
    // User point fields: name 1002, lat 1030/1031/1032, lon 1026/1027/1029.
    const EditCase cases[] = {
        {"re-entered",
         {{{1030, "4"}}, {{1030, "46"}, {1002, "Hump"}, {1031, "45"}}},
         1,
         {250, 100},
         "Hump"},
        {"then cancelled", {{{1030, "4"}, {1002, "Hump"}}, kCancel}, 1, {250, 200}, "Point 1"},
        {"huge degrees", {{{1030, "2147483647"}}, kCancel}, 1, {250, 200}, "Point 1"},
        {"west of the map", {{{1026, "95"}}, {{1026, "93"}}}, 1, {250, 200}, "Point 1"},
        {"on the map", {{{1031, "15"}, {1027, "45"}}}, 0, {125, 300}, "Point 1"},
    };
    // Tall enough that every point below stays in view with its window.
    view->resize(400, 400);
    for (const EditCase& c : cases) {
        scripted().reset();
        users().RemoveAll();
        table.execute(cmd::AddUserPoint);
        CalibrateForEdits(view->Location());
        CUserInfoPoint& p = *users().points[0];
        p.position = QPoint(250, 200);
        Script(c.rounds);
        EXPECT_EQ(view->SetupUserPoint(p), c.rounds.back() != kCancel) << c.what;
        EXPECT_EQ(scripted().dialogsRun, int(c.rounds.size())) << c.what;
        EXPECT_EQ(scripted().messages.size(), c.messages) << c.what;
        EXPECT_EQ(p.position, c.position) << c.what;
        EXPECT_EQ(p.name, c.name) << c.what;
        ASSERT_TRUE(win(0)) << c.what;
        EXPECT_EQ(win(0)->toolTip(), c.name) << c.what;
    }
    // A point already beyond the maps' edge may still be renamed where it is.
    view->Location().maps.extentWidth = 300;
    CUserInfoPoint& p = *users().points[0];
    p.position = QPoint(500, 100);  // 93 0 0, 46 45 0: no drift on the way back
    scripted().reset();
    Script({{{1002, "Far bank"}}});
    EXPECT_TRUE(view->SetupUserPoint(p));
    EXPECT_TRUE(scripted().messages.isEmpty());
    EXPECT_EQ(p.position, QPoint(500, 100));
    EXPECT_EQ(p.name, "Far bank");
}

TEST_F(ViewPointsTest, HugeDegreesForANewMapPointArePinned) {
    CalibrateForEdits(view->Location());
    Script({{{1005, "2147483647"}, {1010, "2147483647"}}});
    ASSERT_TRUE(table.execute(cmd::SetupMapPoints));
    ASSERT_EQ(view->Location().mapPoints.items.size(), 1u);
    // Far north and far west: negative pixels, held at the limit.
    EXPECT_EQ(view->Location().mapPoints.items[0]->position, QPoint(-(1 << 30), -(1 << 30)));
    EXPECT_EQ(view->RenderViewport().pixelColor(10, 10), QColor(Qt::white));
}

TEST_F(ViewPointsTest, DeleteUserPointsWithDuplicateNames) {
    for (int i = 0; i < 3; ++i) table.execute(cmd::AddUserPoint);
    users().points[0]->SetName("Dock");
    users().points[1]->SetName("Dock");
    users().points[2]->altitude = 7;
    users().points[2]->SetName("Dock");
    users().points[1]->altitude = 5;
    scripted().dialog([](QDialog& d) {
        auto* list = d.findChild<QListWidget*>();
        ASSERT_EQ(list->count(), 3);
        list->item(1)->setCheckState(Qt::Checked);
        list->item(2)->setCheckState(Qt::Checked);
        d.accept();
    });
    table.execute(cmd::RemoveUserPoints);
    // Each ticked entry removes the first remaining point of that name.
    ASSERT_EQ(users().points.size(), 1u);
    EXPECT_EQ(users().points[0]->altitude, 7);
}

TEST_F(ViewPointsTest, MapPointsOnAScrolledView) {
    view->Location().maps.extentWidth = 3000;
    view->Location().maps.extentHeight = 3000;
    doc.resetAfterLoad();
    CMapPoint& p = view->Location().mapPoints.AddPoint(700, 500, 3, 12, "Marina", "Fuel dock");
    view->ScrollTo({600, 400});
    // Double-click on it: the Point Display shows it, without an icon.
    DoubleClick({100 - 5, 100 - 5});
    EXPECT_EQ(frame.pointDisplay.name, "Marina");
    EXPECT_EQ(frame.pointDisplay.iconId, 0);
    EXPECT_EQ(frame.pointDisplay.altitude, 12);
    // Right click on it edits it; OK without a change recomputes the position.
    view->Location().lat2 = 0.5;  // 1 pixel = an awkward fraction of a second
    scripted().dialog([](QDialog& d) { d.accept(); });
    Send(QEvent::MouseButtonPress, {100, 100}, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(scripted().dialogsRun, 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(p.name, "Marina");
    EXPECT_LE(std::abs(p.position.y() - 500), 1);
    // Edge rule: right/bottom edges miss.
    scripted().reset();
    Send(QEvent::MouseButtonPress, {p.position.x() + 5 - 600, 100}, Qt::RightButton,
         Qt::RightButton);
    EXPECT_EQ(scripted().dialogsRun, 0);
}

TEST_F(ViewPointsTest, MapPointAddedAtTypedPositionWithUnchosenType) {
    scripted().dialog([](QDialog& d) {
        d.findChild<QLineEdit*>("1001")->setText("Rock pile");
        Fill(d, {{1005, "0"}, {1006, "30"}, {1008, "0"}, {1010, "0"}, {1012, "15"}, {1015, "0"}});
        auto* combo = d.findChild<QComboBox*>("1017");
        combo->setCurrentIndex(-1);
        combo->setEditText("boulder");
        d.accept();
    });
    ASSERT_TRUE(table.execute(cmd::SetupMapPoints));
    ASSERT_EQ(view->Location().mapPoints.items.size(), 1u);
    const CMapPoint& p = *view->Location().mapPoints.items[0];
    EXPECT_EQ(p.position, QPoint(50, 100));
    EXPECT_EQ(p.type, -1);
    EXPECT_EQ(view->RenderViewport().pixelColor(50, 100), QColor(0, 140, 0));
}

}  // namespace
