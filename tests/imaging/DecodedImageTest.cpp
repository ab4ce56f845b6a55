// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include "ImagingTestSupport.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "framework/RectL.h"
#include "imaging/DecodedImage.h"
#include "imaging/ImageSource.h"

using namespace imagingtest;

namespace {

const QColor kBackground(1, 2, 3);
const std::vector<QColor> kBlocks = {QColor(220, 20, 30), QColor(20, 200, 40), QColor(30, 40, 210),
                                     QColor(240, 230, 20)};

QImage canvas(int w = 80, int h = 60) {
    QImage c(w, h, QImage::Format_RGB32);
    c.fill(kBackground);
    return c;
}

QImage drawn(DecodedImage& e, const QRect& placement, double zoom, const QRect& clip,
             QImage target = canvas()) {
    QPainter p(&target);
    e.Draw(p, placement, zoom, clip);
    p.end();
    return target;
}

QImage stretched(const QImage& picture, const QRect& placement, double zoom, const QRect& clip) {
    QImage expected = canvas();
    ReferenceStretch(expected, picture, DecodedImage::DestinationRect(placement, zoom), clip);
    return expected;
}

// A JPEG entry holding picture exactly, without going through the codec.
DecodedImage entryHolding(const QImage& picture) {
    DecodedImage e;
    e.isBitmap = 0;
    e.width = picture.width();
    e.height = picture.height();
    std::shared_ptr<uint8_t[]> rows(new uint8_t[size_t(e.width) * e.height * 3]);
    for (int y = 0; y < e.height; ++y)
        for (int x = 0; x < e.width; ++x) {
            const QRgb c = picture.pixel(x, y);
            uint8_t* px = rows.get() + (size_t(y) * e.width + x) * 3;
            px[0] = uint8_t(qBlue(c));
            px[1] = uint8_t(qGreen(c));
            px[2] = uint8_t(qRed(c));
        }
    e.source = ImageSource::FromRows(rows, uint32_t(e.width), uint32_t(e.height));
    return e;
}

class DecodedImageTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QString jpeg(const QString& name, const QImage& img, const JpegOptions& o = {}) const {
        EXPECT_TRUE(testutil::WriteAll(path(name), EncodeJpeg(img, o)));
        return path(name);
    }
    QString bmp(const QString& name, const QImage& img) const {
        EXPECT_TRUE(QImageWriter(path(name), "bmp").write(img));
        return path(name);
    }

    PromptsFixtureGuard guard;
    QTemporaryDir dir;
};

}  // namespace

TEST_F(DecodedImageTest, JpgSuffixInAnyCaseDecodesAsJpeg) {
    DecodedImage fresh;
    EXPECT_EQ(fresh.isBitmap, 1);
    EXPECT_FALSE(fresh.HasPicture());
    EXPECT_TRUE(fresh.bitmap.isNull());

    QImage img = Stripes(8, 16, {QColor(230, 20, 20)});  // red over blue
    QPainter(&img).fillRect(0, 8, 8, 8, QColor(20, 20, 230));
    for (const char* name : {"a.JPG", "b.jpg", "c.JpG", "d.map.jPg"}) {
        SCOPED_TRACE(name);
        DecodedImage e;
        EXPECT_EQ(e.Load(jpeg(name, img)), 1);
        EXPECT_EQ(e.isBitmap, 0);
        ASSERT_TRUE(e.HasPicture());
        ASSERT_EQ(QSize(e.width, e.height), QSize(8, 16));
        const QImage picture = e.Picture(1, true);
        ASSERT_EQ(picture.size(), QSize(8, 16));
        EXPECT_NEAR(qRed(picture.pixel(0, 0)), 230, 3);
        EXPECT_NEAR(qBlue(picture.pixel(0, 0)), 20, 3);
        EXPECT_NEAR(qRed(picture.pixel(0, 15)), 20, 3);
        EXPECT_NEAR(qBlue(picture.pixel(0, 15)), 230, 3);
    }
    EXPECT_TRUE(scripted().messages.isEmpty());
}

// What the BMP reader gets and cannot read fails quietly.
TEST_F(DecodedImageTest, BitmapReaderFailuresAreQuiet) {
    EXPECT_TRUE(testutil::WriteAll(path("text.bmp"), "hello, not a picture"));
    // A 54-byte header for a 20000 x 20000 24-bit bitmap: too many pixels.
    EXPECT_TRUE(testutil::WriteAll(
        path("huge.bmp"),
        testutil::FromHex("42 4D 36 00 00 00 00 00 00 00 36 00 00 00 28 00 00 00 "
                          "20 4E 00 00 20 4E 00 00 01 00 18 00 00 00 00 00 00 00 "
                          "00 00 13 0B 00 00 13 0B 00 00 00 00 00 00 00 00 00 00")));
    // The same stored top row first (height -20000).
    EXPECT_TRUE(testutil::WriteAll(
        path("huge-down.bmp"),
        testutil::FromHex("42 4D 36 00 00 00 00 00 00 00 36 00 00 00 28 00 00 00 "
                          "20 4E 00 00 E0 B1 FF FF 01 00 18 00 00 00 00 00 00 00 "
                          "00 00 13 0B 00 00 13 0B 00 00 00 00 00 00 00 00 00 00")));
    for (const char* name : {"text.bmp", "huge.bmp", "huge-down.bmp", "absent.bmp", "noext"}) {
        SCOPED_TRACE(name);
        DecodedImage e;
        EXPECT_EQ(e.Load(path(name)), 0);
        EXPECT_EQ(e.isBitmap, 1);
        EXPECT_TRUE(e.bitmap.isNull());
        EXPECT_FALSE(e.HasPicture());
    }
    EXPECT_TRUE(scripted().messages.isEmpty());
}

TEST_F(DecodedImageTest, MissingJpgIsReportedButStillLoads) {
    DecodedImage e;
    ASSERT_EQ(e.Load(bmp("first.bmp", Noise(5, 5, 3))), 1);
    EXPECT_EQ(e.Load(path("gone.jpg")), 1);
    EXPECT_EQ(e.isBitmap, 0);
    EXPECT_FALSE(e.HasPicture());
    EXPECT_TRUE(e.bitmap.isNull());  // the old picture is gone
    EXPECT_EQ(QSize(e.width, e.height), QSize(0, 0));
    EXPECT_EQ(scripted().messages, QStringList{"JPEG :\nCan't open " + path("gone.jpg") + "\n"});
}

TEST_F(DecodedImageTest, BrokenJpegKeepsHeaderSizeAndDrawsNothing) {
    const QByteArray good = EncodeJpeg(Noise(24, 16, 2), {.quality = 80});
    const qsizetype sos = FindMarker(good, 0xDA);
    const QByteArray secondScan = good.mid(sos, ScanDataStart(good) - sos) + QByteArray(4, 0);
    ASSERT_TRUE(testutil::WriteAll(path("broken.jpg"), InsertBeforeEnd(good, secondScan)));

    DecodedImage e;
    EXPECT_EQ(e.Load(path("broken.jpg")), 1);
    EXPECT_EQ(e.isBitmap, 0);
    EXPECT_EQ(QSize(e.width, e.height), QSize(24, 16));
    EXPECT_TRUE(scripted().messages.isEmpty());
    // Only decoding finds the damage; the picture is then drawn as nothing.
    EXPECT_EQ(drawn(e, QRect(0, 0, 24, 16), 1.0, canvas().rect()), canvas());
    EXPECT_FALSE(e.HasPicture());
}

TEST(DecodedImageDestination, EachProductIsTruncated) {
    const struct {
        RectL placement;
        double zoom;
        QRect expected;
    } cases[] = {
        {{1, 1, 4, 4}, 0.5, QRect(0, 0, 1, 1)},   {{1, 1, 4, 4}, 1.0, QRect(1, 1, 3, 3)},
        {{1, 1, 4, 4}, 1.5, QRect(1, 1, 4, 4)},   {{1, 1, 4, 4}, 2.0, QRect(2, 2, 6, 6)},
        {{3, 5, 10, 12}, 0.3, QRect(0, 1, 2, 2)}, {{-3, -5, 4, 2}, 0.5, QRect(-1, -2, 3, 3)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodedImage::DestinationRect(c.placement.ToQRect(), c.zoom), c.expected)
            << c.zoom;
}

// Drawing only what the clip asks for must give exactly the pixels that
// stretching the whole picture would.
TEST(DecodedImageDraw, ClippedJpegMatchesWholeStretch) {
    const QSize sizes[] = {{1, 1}, {1, 3}, {7, 5}, {13, 9}, {4, 11}};
    const QRect placements[] = {RectL{3, 2, 20, 15}.ToQRect(), RectL{-4, 1, 9, 30}.ToQRect()};
    const QRect clips[] = {QRect(0, 0, 80, 60), QRect(5, 4, 7, 9),       QRect(2, 0, 1, 60),
                           QRect(0, 13, 80, 1), QRect(-10, -10, 15, 16), QRect(60, 50, 30, 30)};
    uint32_t seed = 1;
    for (const QSize size : sizes) {
        const QImage picture = Noise(size.width(), size.height(), ++seed);
        DecodedImage e = entryHolding(picture);
        for (const QRect& placement : {QRect(QPoint(2, 3), size), placements[0], placements[1]})
            for (const double zoom : {0.5, 1.0, 1.5, 2.0, 0.37, 3.3})
                for (const QRect& clip : clips) {
                    SCOPED_TRACE(testing::Message()
                                 << size.width() << "x" << size.height() << " zoom " << zoom
                                 << " clip " << clip.x() << "," << clip.y());
                    ASSERT_EQ(drawn(e, placement, zoom, clip),
                              stretched(picture, placement, zoom, clip));
                }
    }
}

TEST(DecodedImageDraw, BitmapMatchesWholeStretchInEveryFormat) {
    QImage palette(11, 7, QImage::Format_Indexed8);
    palette.setColorTable({qRgb(250, 0, 0), qRgb(0, 250, 0), qRgb(0, 0, 250)});
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 11; ++x) palette.setPixel(x, y, uint((x + 2 * y) % 3));
    const QImage noise = Noise(11, 7, 42);
    const QImage pictures[] = {noise, noise.convertToFormat(QImage::Format_ARGB32),
                               noise.convertToFormat(QImage::Format_RGB888),
                               noise.convertToFormat(QImage::Format_RGB16), palette};
    for (const QImage& picture : pictures) {
        SCOPED_TRACE(picture.format());
        DecodedImage e;
        e.bitmap = picture;
        const QImage source = picture.convertToFormat(QImage::Format_RGB32);
        for (const double zoom : {0.5, 1.0, 1.5, 2.0}) {
            const QRect placement(4, 3, 11, 7);
            const QRect clip(3, 2, 12, 9);
            EXPECT_EQ(drawn(e, placement, zoom, clip), stretched(source, placement, zoom, clip))
                << "zoom " << zoom;
        }
    }
}

TEST(DecodedImageDraw, FollowsThePainterTransform) {
    const QImage picture = Noise(9, 6, 77);
    DecodedImage e = entryHolding(picture);
    const QRect placement(10, 20, 9, 6);
    QImage target = canvas(64, 40);
    {
        QPainter p(&target);
        p.translate(-8, -15);  // scrolled: logical (8,15) is the top-left pixel
        e.Draw(p, placement, 1.5, QRect(8, 15, 64, 40));
    }
    EXPECT_EQ(target, stretched(picture, placement, 1.5, QRect(0, 0, 80, 60)).copy(8, 15, 64, 40));
}

TEST_F(DecodedImageTest, DrawnPicturesShowTheirColours) {
    const QImage picture = Stripes(32, 8, kBlocks);
    const struct {
        QString file;
        int tolerance;
    } cases[] = {{jpeg("blocks.jpg", picture), 4}, {bmp("blocks.bmp", picture), 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        DecodedImage e;
        ASSERT_EQ(e.Load(c.file), 1);
        ASSERT_EQ(QSize(e.width, e.height), QSize(32, 8));
        // Zoom 1.5 on (2,2)-(34,10): drawn at (3,3), 48 x 12; stripes 12 wide.
        const QImage out = drawn(e, QRect(2, 2, 32, 8), 1.5, canvas().rect());
        for (int s = 0; s < 4; ++s)
            for (const QPoint at : {QPoint(3 + 12 * s, 3), QPoint(3 + 12 * s + 11, 14)}) {
                const QColor got = out.pixelColor(at);
                EXPECT_NEAR(got.red(), kBlocks[s].red(), c.tolerance) << s;
                EXPECT_NEAR(got.green(), kBlocks[s].green(), c.tolerance) << s;
                EXPECT_NEAR(got.blue(), kBlocks[s].blue(), c.tolerance) << s;
            }
        for (const QPoint outside : {QPoint(2, 3), QPoint(51, 3), QPoint(3, 2), QPoint(3, 15)})
            EXPECT_EQ(out.pixelColor(outside), kBackground);
    }
}

TEST_F(DecodedImageTest, BitmapAllocationLimitIsRaisedForLargeScans) {
    // A 1200x900 scan needs 4 MB as 32-bit pixels; Qt alone would refuse it
    // under a 1 MB limit.
    const int saved = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1);
    DecodedImage e;
    const int loaded = e.Load(bmp("scan.bmp", Stripes(1200, 900, kBlocks)));
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(saved);
    EXPECT_EQ(loaded, 1);
    EXPECT_EQ(e.bitmap.size(), QSize(1200, 900));
    EXPECT_GE(int64_t(limit) * 1024 * 1024, DecodedImage::kMaxBitmapPixels * 4);
}
