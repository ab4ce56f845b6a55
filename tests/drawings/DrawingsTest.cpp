// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>

#include "TestUtil.h"
#include "drawings/ColorRef.h"
#include "drawings/FreeHandList.h"
#include "drawings/LineDrawList.h"
#include "drawings/RectElipDrawList.h"
#include "framework/ArchiveBytes.h"

using archivebytes::Load;
using archivebytes::Store;
using testutil::Hex;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kRed180 = 0xFFB40000;

QImage Canvas(int w = 60, int h = 60) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

int CountColor(const QImage& image, QRgb color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == color;
    return n;
}

// ---- colours

struct ColorCase {
    uint32_t ref;
    QColor color;
};

TEST(ColorRef, ConvertsBothWays) {
    const ColorCase cases[] = {
        {180, QColor(180, 0, 0)},
        {0x00FF0000, QColor(0, 0, 255)},
        {0x0000FF00, QColor(0, 255, 0)},
        {0x00123456, QColor(0x56, 0x34, 0x12)},
        {0, QColor(0, 0, 0)},
    };
    for (const ColorCase& c : cases) {
        EXPECT_EQ(FromColorRef(c.ref), c.color) << c.ref;
        EXPECT_EQ(ToColorRef(c.color), c.ref) << c.ref;
    }
}

TEST(ColorRef, PenCannotBeMadeWithoutWidth) {
    ASSERT_TRUE(MakeSolidPen(0, 180));
    EXPECT_EQ(MakeSolidPen(0, 180)->width(), 1);
    EXPECT_FALSE(MakeSolidPen(-3, 180));
    EXPECT_FALSE(MakeSolidPen(0x10000, 180));
    ASSERT_TRUE(MakeSolidPen(1, 180));
    EXPECT_EQ(MakeSolidPen(7, 180)->width(), 7);
    EXPECT_EQ(MakeSolidPen(7, 180)->color(), QColor(180, 0, 0));
}

// ---- bounds

struct BoundsCase {
    std::vector<QPoint> points;
    int32_t penWidth;
    RectL bounds;
};

TEST(FreeHand, ComputeBoundsGrowsByThePenWidth) {
    const BoundsCase cases[] = {
        {{{10, 20}}, 2, {8, 18, 12, 22}},
        {{{10, 20}, {30, 5}, {-4, 12}}, 1, {-5, 4, 31, 21}},
        {{{0, 0}, {100, 100}}, 5, {-5, -5, 105, 105}},
        {{}, 2, {0, 0, 0, 0}},
    };
    for (const BoundsCase& c : cases) {
        CFreeHand stroke;
        stroke.penWidth = c.penWidth;
        stroke.bounds = RectL{1, 2, 3, 4};
        stroke.points = c.points;
        stroke.ComputeBounds();
        EXPECT_EQ(stroke.bounds, c.bounds) << c.points.size() << " points";
    }
}

TEST(FreeHand, ComputeBoundsSaturatesAtTheIntRange) {
    CFreeHand stroke;
    stroke.penWidth = 10;
    stroke.points = {{INT32_MAX - 1, INT32_MIN + 1}};
    stroke.ComputeBounds();
    EXPECT_EQ(stroke.bounds.right, INT32_MAX);
    EXPECT_EQ(stroke.bounds.top, INT32_MIN);
}

// ---- lists and pens

TEST(DrawingLists, NewObjectsTakeTheCurrentPen) {
    CFreeHandList strokes;
    CLineDrawList lines;
    CRectElipDrawList shapes;
    EXPECT_EQ(strokes.AddNew().penWidth, 2);
    EXPECT_EQ(strokes.items[0]->penColor, 180u);
    strokes.penWidth = 6;
    strokes.penColor = 0x00FF00;
    EXPECT_EQ(strokes.AddNew().penWidth, 6);
    EXPECT_EQ(strokes.items[0]->penWidth, 2) << "existing strokes keep their pen";

    lines.penWidth = 3;
    lines.reserved = 77;
    CLineDraw& line = lines.AddNew();
    EXPECT_EQ(line.penWidth, 3);
    EXPECT_EQ(line.reserved, 0u);
    EXPECT_EQ(line.bounds, RectL{});

    CRectElipDraw& ellipse = shapes.AddNew(true);
    CRectElipDraw& rect = shapes.AddNew(false);
    EXPECT_EQ(ellipse.isEllipse, 1);
    EXPECT_EQ(rect.isEllipse, 0);
    EXPECT_EQ(rect.rect, RectL{});
    EXPECT_EQ(rect.penColor, 180u);
}

TEST(DrawingLists, RemoveLastTakesTheTailAndToleratesEmpty) {
    CLineDrawList lines;
    lines.AddNew().AppendPoint({1, 1});
    lines.AddNew().AppendPoint({2, 2});
    lines.RemoveLast();
    ASSERT_EQ(lines.items.size(), 1u);
    EXPECT_EQ(lines.items[0]->points[0], QPoint(1, 1));
    lines.RemoveLast();
    lines.RemoveLast();
    EXPECT_TRUE(lines.items.empty());

    CRectElipDrawList shapes;
    shapes.AddNew(true);
    shapes.AddNew(false);
    shapes.RemoveAll();
    EXPECT_TRUE(shapes.items.empty());
}

// ---- records

TEST(DrawingRecords, FreeHandListBytes) {
    CFreeHandList strokes;
    CFreeHand& a = strokes.AddNew();
    a.points = {{10, 20}, {11, 21}};
    a.ComputeBounds();
    strokes.AddNew().points = {{-1, 0}};
    const QByteArray bytes = Store([&](CArchive& ar) { strokes.Serialize(ar); });
    EXPECT_EQ(Hex(bytes),
              "02 00 B4 00 00 00 "                                // list pen
              "02 00 "                                            // count
              "FF FF 01 00 09 00 43 46 72 65 65 48 61 6E 64 "     // new class "CFreeHand"
              "08 00 00 00 12 00 00 00 0D 00 00 00 17 00 00 00 "  // bounds
              "02 00 B4 00 00 00 02 00 "                          // pen, point count
              "0A 00 00 00 14 00 00 00 0B 00 00 00 15 00 00 00 "
              "01 80 "  // class index 1
              "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
              "02 00 B4 00 00 00 01 00 FF FF FF FF 00 00 00 00");
}

TEST(DrawingRecords, LineAndShapeListBytes) {
    CLineDrawList lines;
    lines.reserved = 0x01020304;
    CLineDraw& line = lines.AddNew();
    line.reserved = 9;
    line.points = {{1, 2}};
    CRectElipDrawList shapes;
    CRectElipDraw& shape = shapes.AddNew(true);
    shape.rect = RectL{50, 60, 10, 20};
    const QByteArray bytes = Store([&](CArchive& ar) {
        lines.Serialize(ar);
        shapes.Serialize(ar);
    });
    EXPECT_EQ(Hex(bytes),
              "02 00 B4 00 00 00 04 03 02 01 01 00 "
              "FF FF 01 00 09 00 43 4C 69 6E 65 44 72 61 77 "  // "CLineDraw"
              "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
              "02 00 B4 00 00 00 09 00 00 00 01 00 01 00 00 00 02 00 00 00 "
              "02 00 B4 00 00 00 00 00 00 00 01 00 "
              "FF FF 01 00 0D 00 43 52 65 63 74 45 6C 69 70 44 72 61 77 "  // "CRectElipDraw"
              "32 00 00 00 3C 00 00 00 0A 00 00 00 14 00 00 00 "
              "02 00 B4 00 00 00 00 00 00 00 01 00 00 00");
}

TEST(DrawingRecords, PenWidthIsSixteenBitsOnDiskAndWidenedUnsigned) {
    CRectElipDrawList shapes;
    shapes.penWidth = 0x10003;  // only the low 16 bits reach the file
    shapes.AddNew(false).penWidth = 0xFFFF;
    const QByteArray bytes = Store([&](CArchive& ar) { shapes.Serialize(ar); });
    EXPECT_EQ(Hex(bytes.left(2)), "03 00");
    CRectElipDrawList back;
    ASSERT_EQ(Load(bytes, [&](CArchive& ar) { back.Serialize(ar); }), CArchive::Error::None);
    EXPECT_EQ(back.penWidth, 3);
    ASSERT_EQ(back.items.size(), 1u);
    EXPECT_EQ(back.items[0]->penWidth, 65535);
}

TEST(DrawingRecords, ReadingAppendsAndRejectsAnotherClass) {
    CLineDrawList lines;
    lines.AddNew().points = {{3, 4}};
    const QByteArray bytes = Store([&](CArchive& ar) { lines.Serialize(ar); });
    CLineDrawList back;
    back.AddNew();
    ASSERT_EQ(Load(bytes, [&](CArchive& ar) { back.Serialize(ar); }), CArchive::Error::None);
    EXPECT_EQ(back.items.size(), 2u);

    // The same bytes are no rectangle list: the class differs.
    QByteArray asShapes = bytes;
    CRectElipDrawList shapes;
    EXPECT_NE(Load(asShapes, [&](CArchive& ar) { shapes.Serialize(ar); }), CArchive::Error::None);
    EXPECT_TRUE(shapes.items.empty());
}

// ---- drawing

TEST(DrawingPixels, PolylineInItsPenColour) {
    QImage image = Canvas();
    CLineDraw line;
    line.penWidth = 1;
    line.points = {{5, 10}, {50, 10}, {50, 40}};
    QPainter p(&image);
    EXPECT_EQ(line.Draw(p), 1);
    p.end();
    EXPECT_EQ(image.pixel(20, 10), kRed180);
    EXPECT_EQ(image.pixel(50, 25), kRed180);
    EXPECT_EQ(image.pixel(20, 11), kWhite);
    EXPECT_EQ(image.pixel(20, 25), kWhite);
}

TEST(DrawingPixels, SinglePointsDrawNothing) {
    QImage image = Canvas();
    QPainter p(&image);
    CLineDraw single;
    single.points = {{30, 30}};
    EXPECT_EQ(single.Draw(p), 1);
    CFreeHand empty;
    EXPECT_EQ(empty.Draw(p), 1);
    p.end();
    EXPECT_EQ(CountColor(image, kWhite), 60 * 60);
}

// Files can hold a pen of width 0: every kind draws it one pixel wide.
TEST(DrawingPixels, WidthZeroDrawsOnePixelWide) {
    const std::vector<QPoint> path = {{5, 10}, {50, 10}, {50, 40}, {8, 52}};
    auto freeHand = [&](int w, QPainter& p) {
        CFreeHand s;
        s.penWidth = w;
        s.points = path;
        return s.Draw(p);
    };
    auto line = [&](int w, QPainter& p) {
        CLineDraw l;
        l.penWidth = w;
        l.points = path;
        return l.Draw(p);
    };
    auto shape = [](int isEllipse) {
        return [isEllipse](int w, QPainter& p) {
            CRectElipDraw s;
            s.penWidth = w;
            s.isEllipse = isEllipse;
            s.rect = RectL{44, 37, 8, 9};
            return s.Draw(p);
        };
    };
    const struct {
        const char* name;
        std::function<int(int, QPainter&)> draw;
    } cases[] = {
        {"free hand", freeHand}, {"line", line}, {"rectangle", shape(0)}, {"ellipse", shape(1)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QImage zero = Canvas();
        QImage one = Canvas();
        {
            QPainter p(&zero);
            EXPECT_EQ(c.draw(0, p), 1);
        }
        {
            QPainter p(&one);
            EXPECT_EQ(c.draw(1, p), 1);
        }
        EXPECT_GT(CountColor(zero, kRed180), 40);
        EXPECT_TRUE(zero == one);
    }
}

// The same, read from a file: a straight width-0 stroke has bounds without
// area and still shows, whichever clip the repaint has.
TEST(DrawingPixels, WidthZeroStrokesFromAFileMeetTheirClip) {
    CFreeHandList strokes;
    CFreeHand& flat = strokes.AddNew();
    flat.penWidth = 0;
    flat.points = {{5, 20}, {50, 20}};
    flat.ComputeBounds();
    CFreeHand& upright = strokes.AddNew();
    upright.penWidth = 0;
    upright.points = {{30, 5}, {30, 50}};
    upright.ComputeBounds();
    const QByteArray bytes = Store([&](CArchive& ar) { strokes.Serialize(ar); });
    CFreeHandList read;
    ASSERT_EQ(Load(bytes, [&](CArchive& ar) { read.Serialize(ar); }), CArchive::Error::None);
    ASSERT_EQ(read.items.size(), 2u);
    EXPECT_EQ(read.items[0]->penWidth, 0);
    EXPECT_EQ(read.items[0]->bounds, (RectL{5, 20, 50, 20}));
    for (const QRect clip : {QRect(0, 0, 60, 60), QRect(0, 20, 60, 1), QRect(30, 0, 1, 60)}) {
        QImage image = Canvas();
        QPainter p(&image);
        p.setClipRect(clip);
        read.Draw(p, clip);
        p.end();
        SCOPED_TRACE(testing::Message() << clip.x() << "," << clip.y());
        for (const QPoint on : {QPoint(10, 20), QPoint(30, 40), QPoint(30, 8)}) {
            if (clip.contains(on)) {
                EXPECT_EQ(image.pixel(on), kRed180) << on.x() << "," << on.y();
            }
        }
    }
}

TEST(DrawingPixels, RectanglesAndEllipsesAreHollow) {
    for (int isEllipse : {0, 1}) {
        QImage image = Canvas();
        CRectElipDraw shape;
        shape.penWidth = 1;
        shape.penColor = 0x00FF0000;  // blue
        shape.isEllipse = isEllipse;
        shape.rect = RectL{10, 10, 51, 41};
        QPainter p(&image);
        EXPECT_EQ(shape.Draw(p), 1);
        p.end();
        EXPECT_EQ(image.pixel(30, 25), kWhite) << "inside stays unfilled";
        EXPECT_EQ(image.pixel(30, 10), 0xFF0000FFu) << isEllipse;
        EXPECT_EQ(image.pixel(30, 40), 0xFF0000FFu) << isEllipse;
        EXPECT_EQ(image.pixel(30, 41), kWhite) << "bottom edge is exclusive";
        EXPECT_EQ(image.pixel(10, 10) == kWhite, isEllipse == 1) << "corners only for rectangles";
    }
}

TEST(DrawingPixels, ShapeDraggedBackwardsDrawsLikeForwards) {
    QImage forward = Canvas();
    QImage backward = Canvas();
    CRectElipDraw shape;
    shape.rect = RectL{8, 9, 44, 37};
    {
        QPainter p(&forward);
        shape.Draw(p);
    }
    shape.rect = RectL{44, 37, 8, 9};
    {
        QPainter p(&backward);
        shape.Draw(p);
    }
    EXPECT_EQ(shape.rect.left, 44) << "the stored corners stay as dragged";
    EXPECT_EQ(forward, backward);
    EXPECT_GT(CountColor(forward, kRed180), 0);
}

TEST(DrawingPixels, FreeHandListDrawsOnlyStrokesMeetingTheClip) {
    CFreeHandList strokes;
    CFreeHand& left = strokes.AddNew();
    left.points = {{5, 5}, {5, 50}};
    left.ComputeBounds();
    CFreeHand& right = strokes.AddNew();
    right.points = {{50, 5}, {50, 50}};
    right.ComputeBounds();
    CFreeHand& inProgress = strokes.AddNew();  // bounds not computed yet
    inProgress.points = {{30, 5}, {30, 50}};

    QImage image = Canvas();
    QPainter p(&image);
    strokes.Draw(p, QRect(0, 0, 20, 60));
    p.end();
    EXPECT_EQ(image.pixel(5, 20), kRed180);
    EXPECT_EQ(image.pixel(50, 20), kWhite);
    EXPECT_EQ(image.pixel(30, 20), kWhite);

    // A clip that starts exactly at the right edge of the bounds misses.
    QImage edge = Canvas();
    QPainter q(&edge);
    strokes.Draw(q, QRect(left.bounds.right, 0, 1, 60));
    q.end();
    EXPECT_EQ(edge.pixel(5, 20), kWhite);
}

}  // namespace
