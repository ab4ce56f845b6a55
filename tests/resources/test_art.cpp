// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPixmap>

#include <vector>

#include "resources/Art.h"
#include "resources/CommandIds.h"

namespace {

QImage argb(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

int opaquePixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) >= 128) ++n;
    return n;
}

int differingPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int d = qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) +
                          qAbs(qBlue(p) - qBlue(q)) + qAbs(qAlpha(p) - qAlpha(q));
            if (d > 96) ++n;
        }
    return n;
}

// Mean colour of the clearly opaque pixels.
QColor meanColour(const QImage& image) {
    long r = 0, g = 0, b = 0, n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) < 200) continue;
            r += qRed(p), g += qGreen(p), b += qBlue(p), ++n;
        }
    if (n == 0) return {};
    return QColor(int(r / n), int(g / n), int(b / n));
}

bool isDark(QRgb p) {
    return qAlpha(p) > 200 && qGray(p) < 80;
}
bool isLight(QRgb p) {
    return qAlpha(p) > 200 && qGray(p) > 200;
}

const std::vector<int> kCommandsWithImages = {
    cmd::FileOpen,
    cmd::FileSave,
    cmd::FilePrint,
    cmd::AddUserPoint,
    cmd::StandardMode,
    cmd::Magnifier,
    cmd::Pan,
    cmd::MeasureDistance,
    cmd::CalibrateMode,
    cmd::DrawingMode,
    cmd::DrawSquare,
    cmd::DrawEllipse,
    cmd::DrawFreeHand,
    cmd::DrawLine,
    cmd::EraseAllDrawing,
    cmd::EraseLastDrawing,
    cmd::MapLocationEditor,
    cmd::SetupUserPoint,
    cmd::SetupRedlinePen,
    cmd::Query,
    cmd::SetupGps,
    cmd::MagnifySetup,
    cmd::FileSendMail,
    cmd::CoordSetup,
    cmd::ConnectGps,
    cmd::AppAbout,
    cmd::BassWeight,
    cmd::FileNew,
    cmd::Layers,
    cmd::SystemConfiguration,
    cmd::HelpContents,
};

std::vector<int> userIconIds() {
    std::vector<int> ids;
    for (int id = res::FirstUserIcon; id <= res::LastUserIcon; ++id) ids.push_back(id);
    ids.push_back(res::SunIcon);
    return ids;
}

TEST(Art, EveryListedCommandHasAVisibleImage) {
    for (int id : kCommandsWithImages) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(art::HasCommandImage(id));
        const QIcon icon = art::CommandIcon(id);
        ASSERT_FALSE(icon.isNull());
        const QImage image = argb(icon.pixmap(16, 16));
        EXPECT_EQ(image.size(), QSize(16, 16));
        EXPECT_GT(opaquePixels(image), 30);
    }
}

TEST(Art, CommandImagesAreDistinct) {
    std::vector<QImage> images;
    for (int id : kCommandsWithImages) images.push_back(argb(art::CommandIcon(id).pixmap(16, 16)));
    for (size_t i = 0; i < images.size(); ++i)
        for (size_t j = i + 1; j < images.size(); ++j)
            EXPECT_GT(differingPixels(images[i], images[j]), 20)
                << kCommandsWithImages[i] << " vs " << kCommandsWithImages[j];
}

TEST(Art, CommandsWithoutImagesGiveNullIcons) {
    for (int id : {0, -1, cmd::FileSaveAs, cmd::AppExit, cmd::ZoomIn, 400000}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(art::HasCommandImage(id));
        EXPECT_TRUE(art::CommandIcon(id).isNull());
    }
}

TEST(Art, UserIconsRenderAtRequestedSizes) {
    for (int id : userIconIds()) {
        SCOPED_TRACE(id);
        for (int size : {16, 32}) {
            const QImage image = argb(art::UserPointIcon(id, size));
            ASSERT_EQ(image.size(), QSize(size, size));
            EXPECT_GT(opaquePixels(image), size * size / 5);
        }
    }
}

TEST(Art, UserIconsArePairwiseDistinct) {
    const std::vector<int> ids = userIconIds();
    std::vector<QImage> images;
    for (int id : ids) images.push_back(argb(art::UserPointIcon(id)));
    for (size_t i = 0; i < images.size(); ++i)
        for (size_t j = i + 1; j < images.size(); ++j)
            EXPECT_GT(differingPixels(images[i], images[j]), 30) << ids[i] << " vs " << ids[j];
}

TEST(Art, DefaultMarkerIsRed) {
    const QColor c = meanColour(argb(art::UserPointIcon(res::DefaultUserIcon)));
    EXPECT_GT(c.red(), 2 * c.green());
    EXPECT_GT(c.red(), 2 * c.blue());
}

TEST(Art, IconStripHoldsTheUserIconsInOrder) {
    const QImage strip = argb(art::IconStrip141());
    ASSERT_EQ(strip.size(), QSize(512, 16));
    for (int i = 0; i < 32; ++i) {
        SCOPED_TRACE(i);
        const QImage cell = strip.copy(16 * i, 0, 16, 16);
        EXPECT_EQ(cell, argb(art::UserPointIcon(res::FirstUserIcon + i)));
    }
}

TEST(Art, MovingMapMarkersCarryTheirColour) {
    struct Case {
        int id;
        int channel;  // 0 red, 1 green, 2 blue
    };
    for (const Case& c :
         {Case{res::MovingMapRed, 0}, Case{res::MovingMapGreen, 1}, Case{res::MovingMapBlue, 2}}) {
        SCOPED_TRACE(c.id);
        const QImage image = argb(art::MovingMapIcon(c.id));
        ASSERT_EQ(image.size(), QSize(16, 16));
        const QColor m = meanColour(image);
        const int rgb[3] = {m.red(), m.green(), m.blue()};
        for (int k = 0; k < 3; ++k)
            if (k != c.channel) {
                EXPECT_GT(rgb[c.channel], rgb[k] + 40);
            }
    }
    EXPECT_EQ(art::MovingMapIcon(res::MovingMapBlue, 24).size(), QSize(24, 24));
}

TEST(Art, BitmapsHaveExactSizes) {
    struct Case {
        int id;
        QSize size;
    };
    for (const Case& c : {Case{res::LogoBitmap, {300, 90}}, Case{res::BannerBitmap, {100, 88}}}) {
        SCOPED_TRACE(c.id);
        const QImage image = argb(art::Bitmap(c.id));
        EXPECT_EQ(image.size(), c.size);
        EXPECT_EQ(opaquePixels(image), c.size.width() * c.size.height());
    }
}

TEST(Art, UnknownIdsGiveNothing) {
    for (int id : {0, 400000, res::FirstUserIcon - 1, res::SunIcon + 1}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(art::UserPointIcon(id).isNull());
        EXPECT_TRUE(art::MovingMapIcon(id).isNull());
        EXPECT_TRUE(art::Bitmap(id).isNull());
        EXPECT_EQ(art::Cursor(id).shape(), Qt::ArrowCursor);
    }
    EXPECT_TRUE(art::UserPointIcon(res::DefaultUserIcon, 0).isNull());
    EXPECT_TRUE(art::Bitmap(res::IconStrip).isNull());
}

TEST(Art, CursorsAreOutlinedWithHotSpotsInside) {
    struct Case {
        int id;
        bool darkAtHotSpot;  // crosshair centres and the pencil tip
    };
    for (const Case& c : {Case{res::CursorCrossHair, true}, Case{res::CursorDrawing, true},
                          Case{res::CursorCalibrate, true}, Case{res::CursorMeasure, true},
                          Case{res::CursorPan, false}, Case{res::CursorMagnifier, false}}) {
        SCOPED_TRACE(c.id);
        const QCursor cursor = art::Cursor(c.id);
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
        const QImage image = argb(cursor.pixmap());
        ASSERT_EQ(image.size(), QSize(32, 32));
        const QPoint hot = cursor.hotSpot();
        EXPECT_TRUE(QRect(0, 0, 32, 32).contains(hot));
        if (c.darkAtHotSpot) {
            EXPECT_TRUE(isDark(image.pixel(hot)));
        }
        int dark = 0, light = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                dark += isDark(image.pixel(x, y));
                light += isLight(image.pixel(x, y));
            }
        EXPECT_GT(dark, 20);
        EXPECT_GT(light, 20);  // the outline that keeps it visible on dark maps
    }
}

TEST(Art, RenderedArtIsCached) {
    EXPECT_EQ(art::UserPointIcon(5005).cacheKey(), art::UserPointIcon(5005).cacheKey());
    EXPECT_EQ(art::Bitmap(res::LogoBitmap).cacheKey(), art::Bitmap(res::LogoBitmap).cacheKey());
    EXPECT_NE(art::UserPointIcon(5005, 16).cacheKey(), art::UserPointIcon(5005, 32).cacheKey());
}

TEST(Art, AppIconScales) {
    const QIcon icon = art::AppIcon();
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 32, 256}) {
        SCOPED_TRACE(size);
        const QImage image = argb(icon.pixmap(size, size));
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_GT(opaquePixels(image), size * size / 2);
    }
}

}  // namespace
