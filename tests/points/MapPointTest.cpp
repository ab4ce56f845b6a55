// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "TestUtil.h"
#include "framework/ArchiveBytes.h"
#include "points/MapPointList.h"

using archivebytes::Load;
using archivebytes::Store;
using testutil::Hex;

namespace {

TEST(MapPoint, DefaultsAndFullConstructor) {
    CMapPoint blank;
    EXPECT_EQ(blank.position, QPoint(0, 0));
    EXPECT_EQ(blank.type, 0);
    EXPECT_EQ(blank.halfSize, 5);
    CMapPoint full(3, 4, 2, 1250, "Reef", "rocks at 8 ft");
    EXPECT_EQ(full.position, QPoint(3, 4));
    EXPECT_EQ(full.type, 2);
    EXPECT_EQ(full.elevation, 1250);
    EXPECT_EQ(full.name, "Reef");
    EXPECT_EQ(full.info, "rocks at 8 ft");
    EXPECT_EQ(full.halfSize, 5);
}

struct HitCase {
    int x, y;
    bool hit;
};

TEST(MapPointList, HitTestTakesLeftAndTopEdgesOnly) {
    CMapPointList list;
    list.AddPoint(100, 100, 0, 0, "a", "");
    const HitCase cases[] = {
        {100, 100, true},  {95, 95, true},   {104, 104, true}, {95, 104, true},   {105, 100, false},
        {100, 105, false}, {94, 100, false}, {100, 94, false}, {105, 105, false},
    };
    for (const HitCase& c : cases)
        EXPECT_EQ(list.HitTest(c.x, c.y) != nullptr, c.hit) << c.x << "," << c.y;
}

TEST(MapPointList, FirstAddedWinsWhereSquaresOverlap) {
    CMapPointList list;
    list.AddPoint(100, 100, 0, 0, "first", "");
    list.AddPoint(104, 104, 1, 0, "second", "");
    ASSERT_NE(list.HitTest(102, 102), nullptr);
    EXPECT_EQ(list.HitTest(102, 102)->name, "first");
    EXPECT_EQ(list.HitTest(107, 107)->name, "second");
    EXPECT_EQ(list.HitTest(0, 0), nullptr);
}

struct ColorCase {
    int type;
    QRgb fill;
};

TEST(MapPoint, DrawsAnElevenPixelSquareInTheTypeColour) {
    const ColorCase cases[] = {
        {0, qRgb(0, 0, 140)},    {1, qRgb(0, 140, 0)},     {2, qRgb(131, 131, 65)},
        {3, qRgb(255, 255, 74)}, {4, qRgb(176, 176, 176)}, {-1, qRgb(0, 140, 0)},
        {5, qRgb(0, 140, 0)},    {1000, qRgb(0, 140, 0)},
    };
    for (const ColorCase& c : cases) {
        QImage image(30, 30, QImage::Format_RGB32);
        image.fill(Qt::white);
        CMapPoint point(15, 15, c.type, 0, "", "");
        QPainter p(&image);
        EXPECT_EQ(point.Draw(p), 1);
        p.end();
        // Outline on x, y = 10 and 20; fill inside; white outside.
        EXPECT_EQ(image.pixel(15, 15), c.fill) << c.type;
        EXPECT_EQ(image.pixel(11, 19), c.fill) << c.type;
        for (QPoint edge : {QPoint(10, 10), QPoint(20, 20), QPoint(10, 15), QPoint(15, 20)})
            EXPECT_EQ(image.pixel(edge), qRgb(0, 0, 0))
                << c.type << " " << edge.x() << "," << edge.y();
        for (QPoint out : {QPoint(9, 15), QPoint(21, 15), QPoint(15, 9), QPoint(15, 21)})
            EXPECT_EQ(image.pixel(out), qRgb(255, 255, 255)) << c.type;
    }
}

TEST(MapPointList, LaterPointsAreDrawnOnTop) {
    CMapPointList list;
    list.AddPoint(10, 10, CMapPoint::Water, 0, "", "");
    list.AddPoint(14, 14, CMapPoint::City, 0, "", "");
    QImage image(30, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    list.DrawAll(p);
    p.end();
    EXPECT_EQ(image.pixel(12, 12), qRgb(255, 255, 74));
    EXPECT_EQ(image.pixel(7, 7), qRgb(0, 0, 140));
}

TEST(MapPointList, TwoPointsAreOneClassDescriptionAndOneClassTag) {
    CMapPointList list;
    list.AddPoint(1, 2, 3, 4, "ab", "");
    list.AddPoint(-1, 0, 0, 0, "", "x");
    const QByteArray bytes = Store([&](CArchive& ar) { list.Serialize(ar); });
    EXPECT_EQ(Hex(bytes),
              "02 00 "
              "FF FF 01 00 09 00 43 4D 61 70 50 6F 69 6E 74 "  // "CMapPoint"
              "01 00 00 00 02 00 00 00 03 00 00 00 04 00 00 00 02 61 62 00 "
              "01 80 "
              "FF FF FF FF 00 00 00 00 00 00 00 00 00 00 00 00 00 01 78");
    CMapPointList back;
    ASSERT_EQ(Load(bytes, [&](CArchive& ar) { back.Serialize(ar); }), CArchive::Error::None);
    ASSERT_EQ(back.items.size(), 2u);
    EXPECT_EQ(back.items[0]->name, "ab");
    EXPECT_EQ(back.items[0]->elevation, 4);
    EXPECT_EQ(back.items[1]->position, QPoint(-1, 0));
    EXPECT_EQ(back.items[1]->info, "x");
    EXPECT_EQ(Store([&](CArchive& ar) { back.Serialize(ar); }), bytes);
}

TEST(MapPointList, CopyFromAppendsCopies) {
    CMapPointList a;
    a.AddPoint(1, 2, 3, 4, "one", "i1");
    a.AddPoint(5, 6, 0, 7, "two", "i2");
    CMapPointList b;
    b.AddPoint(9, 9, 1, 1, "own", "");
    b.CopyFrom(a);
    ASSERT_EQ(b.items.size(), 3u);
    EXPECT_EQ(b.items[1]->name, "one");
    EXPECT_EQ(b.items[2]->position, QPoint(5, 6));
    EXPECT_EQ(b.items[2]->elevation, 7);
    EXPECT_NE(b.items[1].get(), a.items[0].get());
    a.CopyFrom(a);
    EXPECT_EQ(a.items.size(), 4u);
    EXPECT_EQ(a.items[3]->name, "two");
    a.RemoveAll();
    EXPECT_TRUE(a.items.empty());
}

}  // namespace
