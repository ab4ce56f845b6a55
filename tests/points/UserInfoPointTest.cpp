// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QWidget>

#include "TestUtil.h"
#include "framework/ArchiveBytes.h"
#include "points/UserInfoPointList.h"
#include "resources/Art.h"

using archivebytes::Load;
using archivebytes::Store;
using testutil::Hex;

namespace {

// Restores the plain window after a test installs its own factory.
struct FactoryGuard {
    ~FactoryGuard() { CUserInfoPointList::SetWindowFactory({}); }
};

TEST(UserInfoPointList, AddNewNamesByCountAndPlacesAtTwenty) {
    CUserInfoPointList list;
    CUserInfoPoint& first = list.AddNew();
    EXPECT_EQ(first.name, "Point 1");
    EXPECT_EQ(first.iconId, 5030);
    EXPECT_EQ(first.position, QPoint(20, 20));
    EXPECT_EQ(first.altitude, 0);
    EXPECT_EQ(first.date.dayCount, 0.0);
    EXPECT_EQ(first.date.status, 0);
    EXPECT_EQ(first.Window(), nullptr) << "no parent, no window";
    list.AddNew();
    EXPECT_EQ(list.RemoveByName("Point 1"), 1);
    EXPECT_EQ(list.AddNew().name, "Point 2") << "names follow the count, so they can repeat";
    EXPECT_EQ(list.points[0]->name, "Point 2");
}

TEST(UserInfoPointList, RemoveByNameTakesTheFirstExactMatch) {
    CUserInfoPointList list;
    for (const char* name : {"Dock", "dock", "Dock"}) {
        auto p = std::make_unique<CUserInfoPoint>();
        p->name = name;
        p->altitude = int(list.points.size());
        list.Append(std::move(p));
    }
    EXPECT_EQ(list.RemoveByName("DOCK"), 0);
    EXPECT_EQ(list.RemoveByName("Dock"), 1);
    ASSERT_EQ(list.points.size(), 2u);
    EXPECT_EQ(list.points[0]->name, "dock");
    EXPECT_EQ(list.points[1]->altitude, 2);
    EXPECT_EQ(list.RemoveByName("Dock"), 1);
    EXPECT_EQ(list.RemoveByName("Dock"), 0);
    EXPECT_EQ(list.points.size(), 1u);
}

TEST(UserInfoPointList, RecordsArePlainAndUntagged) {
    CUserInfoPointList list;
    CUserInfoPoint& p = list.AddNew();
    p.name = "Bar";
    p.info = "8 ft";
    p.altitude = -2;
    p.date.dayCount = 1.5;
    p.date.status = 1;
    const QByteArray bytes = Store([&](CArchive& ar) { list.Serialize(ar); });
    EXPECT_EQ(Hex(bytes),
              "01 00 00 00 "                             // plain count
              "A6 13 00 00 03 42 61 72 04 38 20 66 74 "  // 5030, name, info
              "14 00 00 00 14 00 00 00 FE FF FF FF "     // position, altitude
              "01 00 00 00 00 00 00 00 00 00 F8 3F");    // status, day count
    CUserInfoPointList back;
    back.AddNew();
    ASSERT_EQ(Load(bytes, [&](CArchive& ar) { back.Serialize(ar); }), CArchive::Error::None);
    ASSERT_EQ(back.points.size(), 1u) << "reading replaces the points";
    EXPECT_EQ(back.points[0]->name, "Bar");
    EXPECT_EQ(back.points[0]->date.dayCount, 1.5);
    EXPECT_EQ(back.points[0]->date.status, 1);
    EXPECT_EQ(Store([&](CArchive& ar) { back.Serialize(ar); }), bytes);
}

TEST(UserInfoPointList, HugeCountFailsBeforeAllocating) {
    const QByteArray bytes = testutil::FromHex("FF FF FF FF A6 13 00 00");
    CUserInfoPointList back;
    EXPECT_NE(Load(bytes, [&](CArchive& ar) { back.Serialize(ar); }), CArchive::Error::None);
    EXPECT_TRUE(back.points.empty());
}

TEST(UserInfoPointList, WindowsOnlyWithAParent) {
    QWidget view;
    view.resize(400, 300);
    CUserInfoPointList list;
    CUserInfoPoint& headless = list.AddNew();
    EXPECT_EQ(headless.Window(), nullptr);

    list.SetParent(&view);
    ASSERT_NE(headless.Window(), nullptr) << "a parent gives existing points windows";
    QWidget* w = list.AddNew().Window();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->parentWidget(), &view);
    EXPECT_EQ(w->size(), QSize(16, 16));
    EXPECT_EQ(w->pos(), QPoint(20, 20));
    EXPECT_EQ(w->toolTip(), "Point 2");
    list.points[1]->SetName("Weed edge");
    EXPECT_EQ(w->toolTip(), "Weed edge");

    list.SetParent(nullptr);
    EXPECT_EQ(list.points[1]->Window(), nullptr);
    EXPECT_TRUE(view.findChildren<QWidget*>().isEmpty()) << "windows are destroyed";
}

TEST(UserInfoPointList, WindowSitsAtZoomedPositionLessTheScrollOffset) {
    QWidget view;
    CUserInfoPointList list;
    list.SetParent(&view);
    CUserInfoPoint& p = list.AddNew();
    p.position = QPoint(300, 200);
    list.SetScrollOffset(QPoint(250, 50));
    EXPECT_EQ(p.Window()->pos(), QPoint(50, 150));
    list.SetZoom(1.5);
    EXPECT_EQ(p.Window()->pos(), QPoint(200, 250));
    EXPECT_EQ(list.PositionFromWindow(QPoint(200, 250)), QPoint(300, 200));
    list.RemoveAll();
    EXPECT_TRUE(view.findChildren<QWidget*>().isEmpty());
}

TEST(UserInfoPointList, ReadingWithAParentCreatesWindowsAtStoredPositions) {
    CUserInfoPointList source;
    source.AddNew().position = QPoint(40, 60);
    source.AddNew().position = QPoint(70, 10);
    const QByteArray bytes = Store([&](CArchive& ar) { source.Serialize(ar); });

    QWidget view;
    CUserInfoPointList list;
    list.SetParent(&view);
    ASSERT_EQ(Load(bytes, [&](CArchive& ar) { list.Serialize(ar); }), CArchive::Error::None);
    ASSERT_EQ(list.points.size(), 2u);
    EXPECT_EQ(list.points[0]->Window()->pos(), QPoint(40, 60));
    EXPECT_EQ(list.points[1]->Window()->pos(), QPoint(70, 10));
    EXPECT_EQ(view.findChildren<QWidget*>().size(), 2);
}

TEST(UserInfoPointList, FactoryMakesEveryWindow) {
    FactoryGuard guard;
    int made = 0;
    CUserInfoPointList::SetWindowFactory([&](CUserInfoPoint& point, QWidget* parent) {
        ++made;
        auto* w = new QWidget(parent);
        w->setObjectName(point.name);
        return w;
    });
    QWidget view;
    CUserInfoPointList list;
    list.SetParent(&view);
    QWidget* w = list.AddNew().Window();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(w->objectName(), "Point 1");
    EXPECT_EQ(w->pos(), QPoint(20, 20)) << "the list places what the factory made";
    EXPECT_TRUE(w->isVisibleTo(&view));
}

TEST(UserInfoPointList, DrawAllPaintsEachIconAtItsPosition) {
    CUserInfoPointList list;
    CUserInfoPoint& a = list.AddNew();
    a.position = QPoint(4, 4);
    CUserInfoPoint& b = list.AddNew();
    b.position = QPoint(30, 10);
    b.SetIcon(5000);
    QImage image(60, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    list.DrawAll(p);
    p.end();

    for (const CUserInfoPoint* point : {&a, &b}) {
        QImage expected(16, 16, QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::white);
        QPainter q(&expected);
        q.drawPixmap(0, 0, art::UserPointIcon(point->iconId, 16));
        q.end();
        EXPECT_EQ(image.copy(QRect(point->position, QSize(16, 16))), expected) << point->iconId;
    }
    EXPECT_EQ(image.pixel(50, 35), qRgb(255, 255, 255));
}

}  // namespace
