// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <thread>
#include <vector>

#include "ImagingTestSupport.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "imaging/DecodedImage.h"
#include "imaging/ImageSource.h"
#include "imaging/JpegFile.h"
#include "imaging/TileCache.h"

using namespace imagingtest;

namespace {

// Large enough for several bands (a band is about 4 MB of rows).
constexpr int kWidth = 1400;
constexpr int kHeight = 3100;
constexpr int64_t kRoomy = TileCache::kDefaultBudgetBytes;

QImage Canvas(QSize size) {
    QImage c(size, QImage::Format_RGB32);
    c.fill(QColor(1, 2, 3));
    return c;
}

// What drawing must give: the whole file decoded in one piece and
// stretched the obvious way.
QImage Expected(const QString& file, const QRect& dest, const QRect& clip, QSize canvas) {
    uint32_t w = 0;
    uint32_t h = 0;
    std::unique_ptr<uint8_t[]> rgb = JpegFile::ReadRgb(file, w, h);
    EXPECT_TRUE(rgb);
    QImage picture(rgb.get(), int(w), int(h), int(w) * 3, QImage::Format_RGB888);
    QImage out = Canvas(canvas);
    ReferenceStretch(out, picture.copy(), dest, clip);
    return out;
}

QImage Draw(DecodedImage& e, const QRect& placement, double zoom, const QRect& clip, QSize canvas) {
    QImage out = Canvas(canvas);
    QPainter p(&out);
    e.Draw(p, placement, zoom, clip);
    return out;
}

// Paints the way the view does, again and again as the workers deliver,
// until a paint needed no placeholder. Returns the first and the last.
std::pair<QImage, QImage> DrawAsTheViewDoes(DecodedImage& e, const QRect& placement, double zoom,
                                            const QRect& clip, QSize canvas, int* rounds) {
    QImage first;
    for (*rounds = 1; *rounds < 100; ++*rounds) {
        QImage out = Canvas(canvas);
        bool complete = false;
        {
            QPainter p(&out);
            DecodedImage::NoWaiting noWaiting;
            e.Draw(p, placement, zoom, clip);
            complete = noWaiting.Complete();
        }
        if (first.isNull()) first = out;
        if (complete) return {first, out};
        TileCache::Instance().WaitForWorkers();
        QCoreApplication::processEvents();
    }
    return {first, QImage()};
}

class TiledDecodeTest : public ::testing::Test {
protected:
    void TearDown() override {
        TileCache::Instance().WaitForWorkers();
        TileCache::Instance().SetBudget(TileCache::kDefaultBudgetBytes);
    }
    QString Jpeg(const QString& name, const JpegOptions& o = {}) {
        const QString file = dir.filePath(name);
        EXPECT_TRUE(testutil::WriteAll(file, EncodeJpeg(Noise(kWidth, kHeight, 7), o)));
        return file;
    }
    PromptsFixtureGuard guard;
    QTemporaryDir dir;
};

}  // namespace

// Whether the bands come from the workers, are decoded on the spot, or are
// dropped and decoded again for want of room, the picture is the one a
// whole-file decode gives, at every zoom and across band boundaries.
TEST_F(TiledDecodeTest, BandsComposeTheWholePicturePixelForPixel) {
    const struct {
        const char* name;
        bool progressive;
        double zoom;
        QRect placement;
        QRect clip;
        int64_t budget;
    } cases[] = {
        {"zoom1.jpg", false, 1.0, {5, 7, kWidth, kHeight}, {600, 800, 120, 1900}, kRoomy},
        {"half.jpg", false, 0.5, {0, 0, kWidth, kHeight}, {500, 0, 120, 1550}, kRoomy},
        {"double.jpg", false, 2.0, {0, 0, kWidth, kHeight}, {1000, 1700, 100, 900}, kRoomy},
        {"progressive.jpg", true, 1.0, {0, 0, kWidth, kHeight}, {0, 900, 100, 1600}, kRoomy},
        // Room for one band only: every band is dropped as the next comes.
        {"tight.jpg", false, 0.5, {0, 0, kWidth, kHeight}, {500, 0, 120, 1550}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TileCache::Instance().SetBudget(c.budget);
        JpegOptions options;
        options.quality = 85;
        options.progressive = c.progressive;
        const QString file = Jpeg(c.name, options);
        const QSize canvas(c.clip.right() + 1, c.clip.bottom() + 1);
        const QImage expected =
            Expected(file, DecodedImage::DestinationRect(c.placement, c.zoom), c.clip, canvas);

        DecodedImage waiting;
        ASSERT_EQ(waiting.Load(file), 1);
        ASSERT_TRUE(waiting.source);
        ASSERT_GT(waiting.source->Bands(1), 2);
        EXPECT_TRUE(Draw(waiting, c.placement, c.zoom, c.clip, canvas) == expected);

        // The view needs a screenful of bands at once; the budget always
        // holds that much (at least 64 MB).
        if (c.budget < kRoomy) continue;
        TileCache::Instance().Drop(waiting.source->Id());
        int rounds = 0;
        auto [first, last] =
            DrawAsTheViewDoes(waiting, c.placement, c.zoom, c.clip, canvas, &rounds);
        EXPECT_GT(rounds, 1) << "nothing was left to the workers";
        EXPECT_EQ(first.pixel(c.clip.center()), DecodedImage::kPlaceholder);
        EXPECT_TRUE(last == expected);
        EXPECT_LE(TileCache::Instance().Bytes(),
                  std::max<int64_t>(c.budget,
                                    waiting.source->BandBytes(8) + waiting.source->BandBytes(1)));
    }
    EXPECT_TRUE(scripted().messages.isEmpty());
}

// A file opened is only its header: nothing decoded until drawn, and every
// entry naming the file shares what is decoded.
TEST_F(TiledDecodeTest, LoadingReadsTheHeaderOnlyAndSharesTheSource) {
    const QString file = Jpeg("shared.jpg");
    DecodedImage a;
    DecodedImage b;
    ASSERT_EQ(a.Load(file), 1);
    ASSERT_EQ(b.Load(file), 1);
    EXPECT_EQ(a.source, b.source);
    EXPECT_EQ(QSize(a.width, a.height), QSize(kWidth, kHeight));
    for (int band = 0; band < a.source->Bands(1); ++band)
        EXPECT_FALSE(TileCache::Instance().Contains({a.source->Id(), 1, band}));
    const QImage reduced = a.Picture(8, true);
    EXPECT_EQ(reduced.size(), QSize((kWidth + 7) / 8, (kHeight + 7) / 8));
    const uint64_t id = a.source->Id();
    a = DecodedImage();
    b = DecodedImage();
    // The last entry gone, its tiles go too.
    EXPECT_FALSE(TileCache::Instance().Contains({id, 8, 0}));
}

// Many threads asking for and drawing the same and different pictures at
// once (run under ThreadSanitizer too).
TEST_F(TiledDecodeTest, ConcurrentDrawsAgree) {
    JpegOptions options;
    options.quality = 70;
    const QString one = Jpeg("one.jpg", options);
    options.progressive = true;
    // 4:2:0, as cameras and scanners write: its coefficients (13 MB) fit
    // within the decoder's share of the small budget below.
    options.subsampled = true;
    const QString two = Jpeg("two.jpg", options);
    const QRect placement(0, 0, kWidth, kHeight);
    const QRect clip(100, 1500, 300, 1200);
    const QSize canvas(400, 2700);
    const QImage expectedOne = Expected(one, placement, clip, canvas);
    const QImage expectedTwo = Expected(two, placement, clip, canvas);
    TileCache::Instance().SetBudget(int64_t(24) << 20);
    DecodedImage first;
    DecodedImage second;
    ASSERT_EQ(first.Load(one), 1);
    ASSERT_EQ(second.Load(two), 1);
    std::vector<std::thread> threads;
    std::atomic<int> wrong{0};
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            DecodedImage& e = t % 2 ? second : first;
            const QImage& expected = t % 2 ? expectedTwo : expectedOne;
            for (int i = 0; i < 3; ++i) {
                if (i == 1) {
                    // Not waiting: placeholders at first, whatever the others do.
                    QImage out = Canvas(canvas);
                    QPainter p(&out);
                    DecodedImage::NoWaiting noWaiting;
                    e.Draw(p, placement, 1.0, clip);
                    continue;
                }
                if (!(Draw(e, placement, 1.0, clip, canvas) == expected)) ++wrong;
            }
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(wrong.load(), 0);
}

// A picture that turns out damaged only when decoded: the view's paint
// shows the placeholder, then, once the workers found out, nothing.
TEST_F(TiledDecodeTest, DamageFoundByTheWorkersEndsInNothingDrawn) {
    const QByteArray good = EncodeJpeg(Noise(64, 48, 2), {.quality = 80});
    const qsizetype sos = FindMarker(good, 0xDA);
    const QByteArray secondScan = good.mid(sos, ScanDataStart(good) - sos) + QByteArray(4, 0);
    const QString file = dir.filePath("broken.jpg");
    ASSERT_TRUE(testutil::WriteAll(file, InsertBeforeEnd(good, secondScan)));
    DecodedImage e;
    ASSERT_EQ(e.Load(file), 1);
    ASSERT_TRUE(e.HasPicture());
    int rounds = 0;
    auto [first, last] =
        DrawAsTheViewDoes(e, QRect(0, 0, 64, 48), 1.0, QRect(0, 0, 64, 48), QSize(64, 48), &rounds);
    EXPECT_EQ(first.pixel(10, 10), DecodedImage::kPlaceholder);
    EXPECT_FALSE(e.HasPicture());
    EXPECT_TRUE(last == Canvas(QSize(64, 48)));
    EXPECT_TRUE(scripted().messages.isEmpty());
}

// A progressive file keeps the coefficients of the whole picture while it
// decodes (two bytes a pixel of a grey one). That memory comes out of the
// tile cache's allowance: beyond half the budget the picture fails at once,
// as a damaged one does, instead of costing what the file declares.
TEST_F(TiledDecodeTest, ProgressiveWorkingMemoryComesOutOfTheCacheBudget) {
    constexpr int kSide = 3000;  // 9 MP: 18 MB of coefficients
    QImage blocks(kSide, kSide, QImage::Format_Grayscale8);
    // Flat 8 x 8 blocks of random greys: real scan data (so the file is
    // not refused as too small for its size) that encodes quickly.
    for (int y = 0; y < kSide; ++y) {
        uint8_t* row = blocks.scanLine(y);
        for (int x = 0; x < kSide; x += 8) {
            const uint32_t h = (uint32_t(x / 8) * 2654435761u) ^ (uint32_t(y / 8) * 40503u);
            std::fill(row + x, row + std::min(x + 8, kSide), uint8_t(h >> 13));
        }
    }
    JpegOptions progressive;
    progressive.grayscale = true;
    progressive.progressive = true;
    progressive.quality = 90;
    const QString file = dir.filePath("progressive.jpg");
    ASSERT_TRUE(testutil::WriteAll(file, EncodeJpeg(blocks, progressive)));

    struct Case {
        int64_t budget;
        bool decodes;
    };
    for (const Case c : {Case{32 << 20, false}, Case{64 << 20, true}}) {
        SCOPED_TRACE(c.budget);
        TileCache::Instance().SetBudget(c.budget);
        TileCache::Instance().Clear();
        DecodedImage e;
        ASSERT_EQ(e.Load(file), 1);  // the header alone is fine either way
        const QRect placement(0, 0, kSide, kSide);
        const QImage drawn = Draw(e, placement, 1.0, QRect(0, 0, 64, 64), QSize(64, 64));
        EXPECT_EQ(e.HasPicture(), c.decodes);
        if (c.decodes)
            EXPECT_EQ(drawn, Expected(file, placement, QRect(0, 0, 64, 64), QSize(64, 64)));
    }
}

// A PNG cannot be read in pieces: it is decoded whole, on a worker, the
// first time it is drawn; the view shows the placeholder until then, and
// then the picture a waiting draw gives.
TEST_F(TiledDecodeTest, PngPicturesAreDecodedByTheWorkersWhenFirstDrawn) {
    const QString file = dir.filePath("noise.png");
    ASSERT_TRUE(Noise(kWidth, kHeight, 5).save(file, "PNG"));
    DecodedImage e;
    ASSERT_EQ(e.Load(file), 1);
    EXPECT_EQ(TileCache::Instance().PendingCount(), 0) << "opening decoded nothing";
    const QRect placement(0, 0, kWidth, kHeight);
    const QRect clip(200, 1000, 640, 480);
    int rounds = 0;
    const auto [first, last] =
        DrawAsTheViewDoes(e, placement, 1.0, clip, QSize(900, 1600), &rounds);
    EXPECT_GT(rounds, 1);
    EXPECT_EQ(first.pixel(clip.center()), DecodedImage::kPlaceholder);
    DecodedImage waited;
    ASSERT_EQ(waited.Load(file), 1);
    EXPECT_EQ(last, Draw(waited, placement, 1.0, clip, QSize(900, 1600)));
    EXPECT_NE(last.pixel(clip.center()), DecodedImage::kPlaceholder);
}
