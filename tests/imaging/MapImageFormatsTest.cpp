// SPDX-License-Identifier: GPL-3.0-or-later
// Maps in PNG, TIFF and GIF, and JPEGs under any name: which reader takes a
// file, and what it keeps.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#include "ImagingTestSupport.h"
#include "TestUtil.h"
#include "imaging/DecodedImage.h"
#include "imaging/ImageKind.h"
#include "imaging/ImageSource.h"

using imagekind::Kind;

namespace {

class MapImageFormats : public ::testing::Test {
protected:
    QString Path(const QString& name) { return dir.filePath(name); }
    void Write(const QString& name, const QByteArray& bytes) {
        QFile f(Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray Encoded(const QImage& image, const char* format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(image.save(&buffer, format)) << format;
        return bytes;
    }
    QTemporaryDir dir;
};

// The kind a GIF file would have; Qt writes none, so one is made by hand:
// 2 x 1 pixels, red then blue.
QByteArray TwoPixelGif() {
    return QByteArray::fromHex(
        "47494638396102000100800000"  // header, 2 x 1, global table of 2 colours
        "ff00000000ff"                // red, blue
        "2c00000000020001000002"      // image descriptor, LZW minimum code size 2
        "02440a00"                    // clear, 0, 1, end
        "3b");
}

TEST_F(MapImageFormats, TheReaderFollowsTheContentWhereTheNameSaysNothingCertain) {
    const QImage picture = imagingtest::Stripes(8, 4, {Qt::red, Qt::green});
    const QByteArray png = Encoded(picture, "png");
    const QByteArray tiff = Encoded(picture, "tiff");
    const QByteArray jpeg = imagingtest::EncodeJpeg(picture);
    struct Case {
        const char* name;
        QByteArray bytes;
        Kind kind;
    } cases[] = {
        {"a.png", png, Kind::Png},
        {"a.PNG", png, Kind::Png},
        {"a.tif", tiff, Kind::Tiff},
        {"a.TIFF", tiff, Kind::Tiff},
        {"a.gif", TwoPixelGif(), Kind::Gif},
        {"a.jpeg", jpeg, Kind::Jpeg},
        {"a.JPE", jpeg, Kind::Jpeg},
        // Content wins over a misleading or missing ending...
        {"png-named.jpeg", png, Kind::Png},
        {"no-ending", tiff, Kind::Tiff},
        {"chart.map-image", jpeg, Kind::Jpeg},
        // ...but ".jpg" and ".bmp" keep their readers whatever they hold.
        {"png-inside.jpg", png, Kind::Jpeg},
        {"png-inside.bmp", png, Kind::Bitmap},
        // Unrecognised content: the ending decides, and with none the BMP reader.
        {"damaged.png", "garbage", Kind::Png},
        {"damaged", "garbage", Kind::Bitmap},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Write(c.name, c.bytes);
        EXPECT_EQ(imagekind::Detect(Path(c.name)), c.kind);
    }
    EXPECT_TRUE(imagekind::IsImageName("x/Øvre Sjø 湖.TiF"));
    EXPECT_FALSE(imagekind::IsImageName("x.png/lake"));
    EXPECT_FALSE(imagekind::IsImageName("lake.fnm"));
}

TEST_F(MapImageFormats, PngTiffAndGifKeepBottomUpBgrPixels) {
    const QImage picture = imagingtest::Stripes(6, 3, {QColor(10, 20, 30), QColor(200, 100, 50)});
    struct Case {
        const char* name;
        QByteArray bytes;
        int w, h;
    } cases[] = {
        {"a.png", Encoded(picture, "png"), 6, 3},
        {"a.tif", Encoded(picture, "tiff"), 6, 3},
        {"Øvre Sjø 湖.gif", TwoPixelGif(), 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Write(c.name, c.bytes);
        DecodedImage image;
        ASSERT_EQ(image.Load(Path(c.name)), 1);
        EXPECT_EQ(image.isBitmap, 0);
        ASSERT_TRUE(image.HasPicture());
        ASSERT_EQ(image.width, c.w);
        ASSERT_EQ(image.height, c.h);
        // Every pixel against the picture: top row first, B G R.
        const uint8_t* rows = image.source->MemoryRows();
        ASSERT_NE(rows, nullptr);
        QImage expected;
        ASSERT_TRUE(expected.loadFromData(c.bytes));
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x) {
                const uint8_t* px = rows + (size_t(y) * c.w + x) * 3;
                const QRgb want = expected.pixel(x, y);
                EXPECT_EQ(px[0], qBlue(want));
                EXPECT_EQ(px[1], qGreen(want));
                EXPECT_EQ(px[2], qRed(want));
            }
    }
}

TEST_F(MapImageFormats, TransparencyLiesOnWhitePaper) {
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(0, 0, 0, 0));
    picture.setPixel(1, 0, qRgba(0, 0, 255, 255));
    Write("alpha.png", Encoded(picture, "png"));
    DecodedImage image;
    ASSERT_EQ(image.Load(Path("alpha.png")), 1);
    ASSERT_TRUE(image.HasPicture());
    const uint8_t* px = image.source->MemoryRows();
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(px), 6),
              QByteArray::fromHex("ffffffff0000"));
}

TEST_F(MapImageFormats, DamagedOrOversizedFilesGiveNoPicture) {
    const QImage picture = imagingtest::Stripes(64, 64, {Qt::red, Qt::green});
    const QByteArray png = Encoded(picture, "png");
    const QByteArray tiff = Encoded(picture, "tiff");
    struct Case {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"cut.png", png.left(png.size() / 2)},
        {"cut.tif", tiff.left(40)},
        {"header-only.gif", QByteArray("GIF89a\x10\x00\x10\x00", 10)},
        {"empty.png", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Write(c.name, c.bytes);
        DecodedImage image;
        // A readable header is taken at its word, as a JPEG's is; the
        // damage shows when the picture is drawn, and then nothing is.
        const int loaded = image.Load(Path(c.name));
        EXPECT_EQ(loaded == 1, image.width == 64);
        EXPECT_TRUE(image.Picture(1, true).isNull());
        EXPECT_FALSE(image.HasPicture());
    }
    {
        // The whole picture is read only when it is first drawn.
        Write("later.png", png);
        DecodedImage image;
        ASSERT_EQ(image.Load(Path("later.png")), 1);
        EXPECT_EQ(image.width, 64);
        Write("later.png", png.left(png.size() / 2));
        EXPECT_TRUE(image.Picture(1, true).isNull());
        EXPECT_FALSE(image.HasPicture());
    }
    // Past the pixel limit nothing is decoded.
    Write("big.png", png);
    const int64_t before = DecodedImage::SetBitmapPixelLimit(64 * 64 - 1);
    DecodedImage image;
    EXPECT_EQ(image.Load(Path("big.png")), 0);
    DecodedImage::SetBitmapPixelLimit(64 * 64);
    EXPECT_EQ(image.Load(Path("big.png")), 1);
    DecodedImage::SetBitmapPixelLimit(before);
}

}  // namespace

// The overview and the magnifier ask for a picture reduced 2, 4 or 8 times;
// a picture held whole gives each pixel the mean of its block, rows and
// columns alike, right to the cut-short edges.
TEST_F(MapImageFormats, ReducedPicturesOfPngTiffAndGifFollowTheWholeOne) {
    // 16 x 16 cells of 8 x 8 pixels, each its own colour, plus a ragged edge.
    const int side = 16 * 8 + 3;
    QImage picture(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            picture.setPixel(x, y, qRgb((x / 8) * 16, (y / 8) * 16, ((x / 8) ^ (y / 8)) * 8));
    Write("cells.png", Encoded(picture, "png"));
    Write("cells.tiff", Encoded(picture, "tiff"));
    for (const char* name : {"cells.png", "cells.tiff"}) {
        DecodedImage image;
        ASSERT_EQ(image.Load(Path(name)), 1) << name;
        for (const int level : {1, 2, 8}) {
            SCOPED_TRACE(QString("%1 at 1/%2").arg(name).arg(level).toStdString());
            const QImage reduced = image.Picture(level, true);
            const int n = (side + level - 1) / level;
            ASSERT_EQ(reduced.size(), QSize(n, n));
            // Inside a cell every block is flat: the mean is the cell's colour.
            for (int cy = 0; cy < 16; ++cy)
                for (int cx = 0; cx < 16; ++cx) {
                    const int x = cx * 8 / level;
                    const int y = cy * 8 / level;
                    ASSERT_EQ(reduced.pixel(x, y), picture.pixel(cx * 8, cy * 8)) << x << "," << y;
                }
            // The last column and row stand for the three pixels left over.
            EXPECT_EQ(reduced.pixel(n - 1, n - 1), picture.pixel(side - 1, side - 1));
        }
    }
}
