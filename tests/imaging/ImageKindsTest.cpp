// SPDX-License-Identifier: GPL-3.0-or-later
// Less common files that maps arrive in: bitmaps stored top row first and
// four-channel (prepress) JPEGs.
#include <gtest/gtest.h>

#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

#include "ImagingTestSupport.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "imaging/DecodedImage.h"
#include "imaging/JpegFile.h"

using namespace imagingtest;

namespace {

const std::vector<QColor> kInks = {QColor(220, 20, 30),  QColor(20, 200, 40),   QColor(30, 40, 210),
                                   QColor(240, 230, 20), QColor(255, 255, 255), QColor(0, 0, 0),
                                   QColor(128, 128, 128)};

void Put16(QByteArray& b, int v) {
    const quint16 le = qToLittleEndian(quint16(v));
    b.append(reinterpret_cast<const char*>(&le), 2);
}
void Put32(QByteArray& b, qint32 v) {
    const qint32 le = qToLittleEndian(v);
    b.append(reinterpret_cast<const char*>(&le), 4);
}

// A bitmap file written field by field: 8 bits (grey palette), 24 or 32
// bits per pixel; topDown stores a negative height and the top row first.
QByteArray Bitmap(const QImage& picture, int bits, bool topDown) {
    const int w = picture.width();
    const int h = picture.height();
    const int stride = ((w * bits + 31) / 32) * 4;
    const int paletteBytes = bits == 8 ? 256 * 4 : 0;
    const int offset = 14 + 40 + paletteBytes;
    QByteArray b("BM");
    Put32(b, offset + stride * h);
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, w);
    Put32(b, topDown ? -h : h);
    Put16(b, 1);
    Put16(b, bits);
    for (int i = 0; i < 6; ++i) Put32(b, 0);
    for (int i = 0; i < paletteBytes / 4; ++i) b.append(QByteArray(3, char(i)) + '\0');
    for (int row = 0; row < h; ++row) {
        const int y = topDown ? row : h - 1 - row;
        QByteArray line;
        for (int x = 0; x < w; ++x) {
            const QRgb c = picture.pixel(x, y);
            if (bits == 8) {
                line.append(char(qGray(c)));
                continue;
            }
            line.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c)));
            if (bits == 32) line.append('\0');
        }
        b.append(line.leftJustified(stride, '\0'));
    }
    return b;
}

QImage Drawn(DecodedImage& e, QSize size) {
    QImage out(size, QImage::Format_RGB32);
    out.fill(Qt::magenta);
    QPainter p(&out);
    e.Draw(p, QRect(QPoint(0, 0), size), 1.0, out.rect());
    return out;
}

class ImageKindsTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(testutil::WriteAll(path, bytes));
        return path;
    }
    PromptsFixtureGuard guard;
    QTemporaryDir dir;
};

}  // namespace

TEST_F(ImageKindsTest, TopDownBitmapsLoadLikeTheirBottomUpTwins) {
    const QImage picture = Noise(7, 5, 11);  // odd sizes: row padding in play
    for (const int bits : {8, 24, 32}) {
        SCOPED_TRACE(bits);
        DecodedImage up;
        DecodedImage down;
        ASSERT_EQ(up.Load(Write(QString("up%1.bmp").arg(bits), Bitmap(picture, bits, false))), 1);
        ASSERT_EQ(down.Load(Write(QString("down%1.bmp").arg(bits), Bitmap(picture, bits, true))),
                  1);
        EXPECT_EQ(QSize(down.width, down.height), QSize(7, 5));
        EXPECT_EQ(down.isBitmap, 1);
        const QImage a = Drawn(up, {7, 5});
        const QImage b = Drawn(down, {7, 5});
        EXPECT_TRUE(a == b);
        // The top row is the top row, whichever way the file stores it.
        const QRgb expected = bits == 8
                                  ? qRgb(qGray(picture.pixel(3, 0)), qGray(picture.pixel(3, 0)),
                                         qGray(picture.pixel(3, 0)))
                                  : picture.pixel(3, 0) | 0xff000000u;
        EXPECT_EQ(b.pixel(3, 0), expected);
    }
    EXPECT_TRUE(scripted().messages.isEmpty());
}

TEST_F(ImageKindsTest, FourChannelJpegsShowTheirColours) {
    const QImage picture = Stripes(7 * 8, 8, kInks);
    const struct {
        const char* name;
        JpegOptions options;
    } cases[] = {
        {"CMYK, Adobe-inverted", {.cmyk = true}},
        {"CMYK, plain inks", {.cmyk = true, .adobeMarker = false}},
        {"YCCK", {.cmyk = true, .ycck = true}},
        {"YCCK, subsampled", {.subsampled = true, .cmyk = true, .ycck = true}},
        {"RGB", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file =
            Write(QString(c.name).remove(' ').remove(',') + ".jpg", EncodeJpeg(picture, c.options));
        // Both layouts the decoder offers.
        uint32_t w = 0, h = 0;
        const auto rgb = JpegFile::ReadRgb(file, w, h);
        ASSERT_TRUE(rgb);
        ASSERT_EQ(QSize(w, h), picture.size());
        DecodedImage e;
        ASSERT_EQ(e.Load(file), 1);
        const QImage shown = Drawn(e, picture.size());
        for (size_t s = 0; s < kInks.size(); ++s) {
            const int x = int(s) * 8 + 4;
            const QColor want = kInks[s];
            const uint8_t* px = rgb.get() + (size_t(4) * w + x) * 3;
            const QColor got = shown.pixelColor(x, 4);
            for (const auto& [r, g, b] : {std::tuple{int(px[0]), int(px[1]), int(px[2])},
                                          std::tuple{got.red(), got.green(), got.blue()}}) {
                EXPECT_NEAR(r, want.red(), 6) << s;
                EXPECT_NEAR(g, want.green(), 6) << s;
                EXPECT_NEAR(b, want.blue(), 6) << s;
            }
        }
    }
    EXPECT_TRUE(scripted().messages.isEmpty());
}
