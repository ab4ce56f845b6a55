// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "LocationFixtures.h"
#include "ScriptedPrompts.h"
#include "document/TarnLocation.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

class LocationDraw : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        fixtures::WriteRichImages(dir.path());
        CTarnLocation rich;
        fixtures::FillRich(rich);
        ASSERT_EQ(fixtures::Load(fixtures::Store(rich), location, dir.path()),
                  CArchive::Error::None);
        ASSERT_TRUE(location.maps.entries[0]->HasImage());
        ASSERT_TRUE(location.maps.entries[1]->HasImage());
        // Thin outlines too: one-pixel pens are where rasterizers differ.
        CRectElipDraw& thin = location.rectElipDraws.AddNew(false);
        thin.penWidth = 1;
        thin.rect = RectL{25, 4, 41, 27};  // edges on the scroll positions below
        CRectElipDraw& thinEllipse = location.rectElipDraws.AddNew(true);
        thinEllipse.penWidth = 1;
        thinEllipse.rect = RectL{3, 30, 77, 2};
        CLineDraw& hairline = location.lineDraws.AddNew();
        hairline.penWidth = 1;
        hairline.points = {{0, 39}, {89, 0}, {60, 39}};
    }

    // The picture of the area (0, 0, w, h) composed at once.
    QImage Whole(int w = 90, int h = 40) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter p(&image);
        location.Draw(p, QRect(0, 0, w, h));
        return image;
    }

    PromptsFixtureGuard prompts;
    QTemporaryDir dir;
    CTarnLocation location;
};

TEST_F(LocationDraw, TilesComposeTheSamePictureAsTheWhole) {
    const QImage whole = Whole();
    for (QSize tile : {QSize(7, 5), QSize(16, 16), QSize(33, 9), QSize(1, 40), QSize(90, 1)}) {
        QImage tiled(whole.size(), QImage::Format_RGB32);
        tiled.fill(Qt::black);
        QPainter p(&tiled);
        for (int y = 0; y < tiled.height(); y += tile.height())
            for (int x = 0; x < tiled.width(); x += tile.width())
                location.Draw(p, QRect(QPoint(x, y), tile));
        p.end();
        EXPECT_EQ(tiled, whole) << tile.width() << "x" << tile.height();
    }
}

TEST_F(LocationDraw, ScrolledTargetShowsTheSameLogicalPixels) {
    const QImage whole = Whole();
    // A view scrolled to (sx, sy) paints logical (sx, sy, 40, 20) at device
    // (0, 0), in strips as the window system asks for them.
    std::vector<QPoint> scrolls;
    for (int y = 0; y <= 20; y += 3)
        for (int x = 0; x <= 50; x += 2) scrolls.emplace_back(x, y);
    scrolls.emplace_back(25, 10);
    scrolls.emplace_back(40, 19);
    for (QPoint scroll : scrolls) {
        for (int strip : {20, 7, 1}) {
            QImage view(40, 20, QImage::Format_RGB32);
            view.fill(Qt::black);
            QPainter p(&view);
            p.translate(-scroll);
            for (int y = 0; y < 20; y += strip)
                location.Draw(p, QRect(scroll + QPoint(0, y), QSize(40, strip)));
            p.end();
            EXPECT_EQ(view, whole.copy(QRect(scroll, QSize(40, 20))))
                << scroll.x() << "," << scroll.y() << " strip " << strip;
        }
    }
}

TEST_F(LocationDraw, OnlyTheClipIsTouched) {
    QImage image(90, 40, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    location.Draw(p, QRect(30, 10, 20, 15));
    p.end();
    for (QPoint outside : {QPoint(29, 12), QPoint(50, 12), QPoint(35, 9), QPoint(35, 25)})
        EXPECT_EQ(image.pixel(outside), 0xFF000000u) << outside.x() << "," << outside.y();
    EXPECT_NE(image.pixel(35, 12), 0xFF000000u);
}

TEST_F(LocationDraw, LayersInOrderAndBehindTheirFlags) {
    // Map point "Deep" (Water) at (20, 15) sits on the west map and on the
    // first stroke's neighbourhood; the maps fill (0..80, 0..30).
    const QImage all = Whole();
    const QRgb water = qRgb(0, 0, 140);
    EXPECT_EQ(all.pixel(20, 15), water) << "map points are drawn last";
    EXPECT_EQ(all.pixel(85, 35), kWhite) << "outside the maps the clip is white";
    const QRgb westMap = all.pixel(2, 28);
    EXPECT_EQ(qBlue(westMap) > 150 && qRed(westMap) < 80, true);

    location.showMapPoints = 0;
    EXPECT_NE(Whole().pixel(20, 15), water);
    location.showMapPoints = 1;

    location.showMaps = 0;
    const QImage noMaps = Whole();
    EXPECT_EQ(noMaps.pixel(2, 28), kWhite);
    EXPECT_EQ(noMaps.pixel(20, 15), water);
    location.showMaps = 1;

    // The line from (2, 2) to (70, 25) is green; without red lines it is gone.
    const QImage withLines = Whole();
    location.showRedLines = 0;
    const QImage withoutLines = Whole();
    int differing = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 90; ++x) differing += withLines.pixel(x, y) != withoutLines.pixel(x, y);
    EXPECT_GT(differing, 100);
    EXPECT_EQ(withoutLines.pixel(20, 15), water);
}

TEST_F(LocationDraw, EmptyClipDrawsNothing) {
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    location.Draw(p, QRect());
    p.end();
    EXPECT_EQ(image.pixel(5, 5), 0xFF000000u);
}

}  // namespace
