// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocationFixtures.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "framework/ArchiveBytes.h"

namespace fixtures {

void WriteRichImages(const QString& folder) {
    QImage west(40, 30, QImage::Format_RGB32);
    west.fill(QColor(30, 90, 200));
    QImage east(40, 30, QImage::Format_RGB32);
    east.fill(QColor(200, 190, 150));
    ASSERT_TRUE(west.save(QDir(folder).filePath("west.bmp"), "BMP"));
    ASSERT_TRUE(east.save(QDir(folder).filePath("east.jpg"), "JPG", 100));
}

void FillRich(CTarnLocation& loc) {
    loc.zoom = 1.0;
    loc.lon1 = 93.86;
    loc.lat1 = 46.43;
    loc.lon2 = 93.38;
    loc.lat2 = 46.05;
    loc.x1 = 0;
    loc.y1 = 0;
    loc.x2 = 80;
    loc.y2 = 30;
    loc.showMapPoints = 1;
    loc.showUserPoints = 0;
    loc.reservedFlag = 7;

    auto entry = [&](const char* name, RectL placement, int32_t r1, int32_t r2) {
        auto e = std::make_unique<CMapLocation>();
        e->fileName = name;
        e->placement = placement;
        e->reserved1 = r1;
        e->reserved2 = r2;
        loc.maps.entries.push_back(std::move(e));
    };
    entry("west.bmp", RectL{0, 0, 40, 30}, 0, 0);
    entry("east.jpg", RectL{40, 0, 80, 30}, 3, -4);

    CUserInfoPoint& dock = loc.userInfoPoints.AddNew();
    dock.name = "Dock";
    dock.info = "Launch here\r\nfee 5 $";
    dock.position = QPoint(12, 8);
    dock.altitude = 1251;
    dock.date.dayCount = 45000.25;
    CUserInfoPoint& hole = loc.userInfoPoints.AddNew();
    hole.SetIcon(5003);
    hole.name = QString::fromUtf8("Walleye hole \u00e9\u20ac");
    hole.position = QPoint(60, 20);
    hole.date.status = 2;

    loc.freeHands.penWidth = 4;
    loc.freeHands.penColor = 0x00FF8800;
    for (int i = 0; i < 3; ++i) {
        CFreeHand& s = loc.freeHands.AddNew();
        for (int k = 0; k < 5 + i; ++k) s.AppendPoint({5 + 10 * i + k, 3 + 4 * k});
        s.ComputeBounds();
        loc.freeHands.penWidth = 1 + i;
    }
    loc.lineDraws.penColor = 0x0000FF00;
    loc.lineDraws.reserved = 11;
    CLineDraw& l1 = loc.lineDraws.AddNew();
    l1.points = {{2, 2}, {70, 25}, {75, 3}};
    CLineDraw& l2 = loc.lineDraws.AddNew();
    l2.penWidth = 3;
    l2.reserved = 5;
    l2.bounds = RectL{1, 2, 3, 4};
    l2.points = {{10, 28}, {30, 1}};
    CRectElipDraw& r = loc.rectElipDraws.AddNew(false);
    r.rect = RectL{50, 20, 20, 5};
    CRectElipDraw& e = loc.rectElipDraws.AddNew(true);
    e.rect = RectL{44, 2, 78, 28};
    e.penWidth = 1;
    loc.rectElipDraws.reserved = 0xABCDEF;

    loc.mapPoints.AddPoint(20, 15, CMapPoint::Water, 0, "Deep", "34 ft");
    loc.mapPoints.AddPoint(45, 10, CMapPoint::Rock, 12, "Reef", "");
    loc.mapPoints.AddPoint(70, 25, 9, -3, "", "odd type");
}

QByteArray Store(CTarnLocation& location) {
    return archivebytes::Store([&](CArchive& ar) { location.SerializeLocation(ar); });
}

CArchive::Error Load(const QByteArray& bytes, CTarnLocation& location, const QString& folder) {
    location.Reset();
    location.maps.SetSearchFolder(folder);
    return archivebytes::Load(bytes, [&](CArchive& ar) { location.SerializeLocation(ar); });
}

void ExpectSameContent(const CTarnLocation& a, const CTarnLocation& b) {
    EXPECT_EQ(a.zoom, b.zoom);
    EXPECT_EQ(a.lon1, b.lon1);
    EXPECT_EQ(a.lon2, b.lon2);
    EXPECT_EQ(a.lat1, b.lat1);
    EXPECT_EQ(a.lat2, b.lat2);
    EXPECT_EQ(a.x1, b.x1);
    EXPECT_EQ(a.x2, b.x2);
    EXPECT_EQ(a.y1, b.y1);
    EXPECT_EQ(a.y2, b.y2);
    EXPECT_EQ(a.showMaps, b.showMaps);
    EXPECT_EQ(a.showMapPoints, b.showMapPoints);
    EXPECT_EQ(a.showRedLines, b.showRedLines);
    EXPECT_EQ(a.showUserPoints, b.showUserPoints);
    EXPECT_EQ(a.reservedFlag, b.reservedFlag);

    ASSERT_EQ(a.maps.entries.size(), b.maps.entries.size());
    for (size_t i = 0; i < a.maps.entries.size(); ++i) {
        const CMapLocation& x = *a.maps.entries[i];
        const CMapLocation& y = *b.maps.entries[i];
        EXPECT_EQ(x.fileName, y.fileName);
        EXPECT_EQ(x.placement, y.placement);
        EXPECT_EQ(x.reserved1, y.reserved1);
        EXPECT_EQ(x.reserved2, y.reserved2);
    }
    ASSERT_EQ(a.userInfoPoints.points.size(), b.userInfoPoints.points.size());
    for (size_t i = 0; i < a.userInfoPoints.points.size(); ++i) {
        const CUserInfoPoint& x = *a.userInfoPoints.points[i];
        const CUserInfoPoint& y = *b.userInfoPoints.points[i];
        EXPECT_EQ(x.iconId, y.iconId);
        EXPECT_EQ(x.name, y.name);
        EXPECT_EQ(x.info, y.info);
        EXPECT_EQ(x.position, y.position);
        EXPECT_EQ(x.altitude, y.altitude);
        EXPECT_EQ(x.date.dayCount, y.date.dayCount);
        EXPECT_EQ(x.date.status, y.date.status);
    }
    EXPECT_EQ(a.freeHands.penWidth, b.freeHands.penWidth);
    EXPECT_EQ(a.freeHands.penColor, b.freeHands.penColor);
    ASSERT_EQ(a.freeHands.items.size(), b.freeHands.items.size());
    for (size_t i = 0; i < a.freeHands.items.size(); ++i) {
        EXPECT_EQ(a.freeHands.items[i]->bounds, b.freeHands.items[i]->bounds);
        EXPECT_EQ(a.freeHands.items[i]->penWidth, b.freeHands.items[i]->penWidth);
        EXPECT_EQ(a.freeHands.items[i]->penColor, b.freeHands.items[i]->penColor);
        EXPECT_EQ(a.freeHands.items[i]->points, b.freeHands.items[i]->points);
    }
    EXPECT_EQ(a.lineDraws.penWidth, b.lineDraws.penWidth);
    EXPECT_EQ(a.lineDraws.penColor, b.lineDraws.penColor);
    EXPECT_EQ(a.lineDraws.reserved, b.lineDraws.reserved);
    ASSERT_EQ(a.lineDraws.items.size(), b.lineDraws.items.size());
    for (size_t i = 0; i < a.lineDraws.items.size(); ++i) {
        EXPECT_EQ(a.lineDraws.items[i]->bounds, b.lineDraws.items[i]->bounds);
        EXPECT_EQ(a.lineDraws.items[i]->penWidth, b.lineDraws.items[i]->penWidth);
        EXPECT_EQ(a.lineDraws.items[i]->penColor, b.lineDraws.items[i]->penColor);
        EXPECT_EQ(a.lineDraws.items[i]->reserved, b.lineDraws.items[i]->reserved);
        EXPECT_EQ(a.lineDraws.items[i]->points, b.lineDraws.items[i]->points);
    }
    EXPECT_EQ(a.rectElipDraws.penWidth, b.rectElipDraws.penWidth);
    EXPECT_EQ(a.rectElipDraws.penColor, b.rectElipDraws.penColor);
    EXPECT_EQ(a.rectElipDraws.reserved, b.rectElipDraws.reserved);
    ASSERT_EQ(a.rectElipDraws.items.size(), b.rectElipDraws.items.size());
    for (size_t i = 0; i < a.rectElipDraws.items.size(); ++i) {
        EXPECT_EQ(a.rectElipDraws.items[i]->rect, b.rectElipDraws.items[i]->rect);
        EXPECT_EQ(a.rectElipDraws.items[i]->penWidth, b.rectElipDraws.items[i]->penWidth);
        EXPECT_EQ(a.rectElipDraws.items[i]->penColor, b.rectElipDraws.items[i]->penColor);
        EXPECT_EQ(a.rectElipDraws.items[i]->reserved, b.rectElipDraws.items[i]->reserved);
        EXPECT_EQ(a.rectElipDraws.items[i]->isEllipse, b.rectElipDraws.items[i]->isEllipse);
    }
    ASSERT_EQ(a.mapPoints.items.size(), b.mapPoints.items.size());
    for (size_t i = 0; i < a.mapPoints.items.size(); ++i) {
        const CMapPoint& x = *a.mapPoints.items[i];
        const CMapPoint& y = *b.mapPoints.items[i];
        EXPECT_EQ(x.position, y.position);
        EXPECT_EQ(x.type, y.type);
        EXPECT_EQ(x.elevation, y.elevation);
        EXPECT_EQ(x.name, y.name);
        EXPECT_EQ(x.info, y.info);
    }
}

void ExpectRoundTrip(CTarnLocation& location) {
    const QByteArray bytes = Store(location);
    CTarnLocation back;
    ASSERT_EQ(Load(bytes, back), CArchive::Error::None);
    ExpectSameContent(location, back);
    EXPECT_EQ(Store(back), bytes);
}

size_t ElementCount(const CTarnLocation& l) {
    return l.maps.entries.size() + l.userInfoPoints.points.size() + l.freeHands.items.size() +
           l.lineDraws.items.size() + l.rectElipDraws.items.size() + l.mapPoints.items.size();
}

}  // namespace fixtures
