// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "ImagingTestSupport.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "imaging/JpegFile.h"

using namespace imagingtest;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// Also keeps buttons and icon, which ScriptedPrompts does not.
class RecordingPrompts : public ScriptedPrompts {
public:
    Answer message(const QString& text, Buttons b, Icon icon) override {
        shown.push_back({b, icon});
        return ScriptedPrompts::message(text, b, icon);
    }
    std::vector<std::pair<Buttons, Icon>> shown;
};

class UsePrompts {
public:
    explicit UsePrompts(Prompts* p) : old_(Prompts::install(p)) {}
    ~UsePrompts() { Prompts::install(old_); }

private:
    Prompts* old_;
};

class JpegFileTest : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes) const {
        const QString path = dir.filePath(QString("f%1.jpg").arg(++count));
        EXPECT_TRUE(testutil::WriteAll(path, bytes));
        return path;
    }

    PromptsFixtureGuard guard;
    QTemporaryDir dir;
    mutable int count = 0;
};

}  // namespace

TEST_F(JpegFileTest, GrayscaleBecomesThreeEqualBytes) {
    const QImage img = Stripes(24, 8, {QColor(10, 10, 10), QColor(128, 128, 128), Qt::white});
    uint32_t w = 0, h = 0;
    const auto buf = JpegFile::ReadRgb(write(EncodeJpeg(img, {.grayscale = true})), w, h);
    ASSERT_TRUE(buf);
    ASSERT_EQ(w, 24u);
    ASSERT_EQ(h, 8u);
    for (size_t i = 0; i < size_t(w) * h; ++i) {
        ASSERT_EQ(buf[i * 3], buf[i * 3 + 1]) << "pixel " << i;
        ASSERT_EQ(buf[i * 3 + 1], buf[i * 3 + 2]) << "pixel " << i;
    }
    const int expected[] = {10, 128, 255};
    for (int s = 0; s < 3; ++s)
        EXPECT_NEAR(buf[(3 * w + 8 * s + 4) * 3], expected[s], 2) << "stripe " << s;
}

// Decoding straight into the bitmap layout must give exactly what reading,
// swapping and flipping give, for every kind of file.
TEST_F(JpegFileTest, BottomUpBgrEqualsReadSwapFlip) {
    const struct {
        const char* name;
        QSize size;
        JpegOptions options;
    } cases[] = {
        {"4:4:4", {13, 9}, {.quality = 90}},
        {"4:2:0, odd size", {37, 23}, {.quality = 85, .subsampled = true}},
        {"4:2:0, 1 wide", {1, 17}, {.quality = 85, .subsampled = true}},
        {"progressive", {40, 33}, {.quality = 75, .progressive = true, .subsampled = true}},
        {"grayscale", {19, 7}, {.grayscale = true}},
        {"cmyk", {8, 8}, {.cmyk = true}},
        {"one row", {50, 1}, {}},
    };
    uint32_t seed = 20;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file =
            write(EncodeJpeg(Noise(c.size.width(), c.size.height(), ++seed), c.options));
        uint32_t w1 = 0, h1 = 0, w2 = 0, h2 = 0;
        const auto expected = JpegFile::ReadRgb(file, w1, h1);
        ASSERT_TRUE(expected);
        const size_t bytes = size_t(w1) * h1 * 3;
        ASSERT_TRUE(JpegFile::SwapRedBlue(expected.get(), int(w1), int(h1)));
        ASSERT_TRUE(JpegFile::FlipRows(expected.get(), int(w1) * 3, int(h1)));
        const auto direct = JpegFile::ReadBgrBottomUp(file, w2, h2);
        ASSERT_TRUE(direct);
        ASSERT_EQ(QSize(w1, h1), c.size);
        ASSERT_EQ(QSize(w2, h2), c.size);
        EXPECT_EQ(0, std::memcmp(expected.get(), direct.get(), bytes));
    }
    EXPECT_TRUE(scripted().messages.isEmpty());
}

TEST_F(JpegFileTest, MissingFileIsReportedWithOkAndNoIcon) {
    RecordingPrompts prompts;
    UsePrompts use(&prompts);
    const QString file = dir.filePath("absent.jpg");
    uint32_t w = 5, h = 5;
    EXPECT_FALSE(JpegFile::ReadRgb(file, w, h));
    EXPECT_EQ(QSize(w, h), QSize(0, 0));
    EXPECT_EQ(prompts.messages, QStringList{"JPEG :\nCan't open " + file + "\n"});
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].first, Prompts::Buttons::Ok);
    EXPECT_EQ(prompts.shown[0].second, Prompts::Icon::None);
}

// Damage libjpeg cannot recover from is never reported to the user; once the
// output exists the header's size stays. Missing scan data is only a warning:
// libjpeg fills the picture in.
TEST_F(JpegFileTest, DamagedFiles) {
    const QByteArray good = EncodeJpeg(Noise(24, 16, 1), {.quality = 80});
    const qsizetype sos = FindMarker(good, 0xDA);
    const QByteArray scanHeader = good.mid(sos, ScanDataStart(good) - sos);
    // Code counts adding up to more than 256 codes.
    const QByteArray badTable = QByteArray("\xFF\xC4\x00\x13\x00", 5) + QByteArray(16, char(0xFF));
    const QByteArray prog = EncodeJpeg(Noise(16, 16, 6), {.progressive = true});
    // The last scan of a progressive file again and again: libjpeg only warns.
    const qsizetype lastScan = prog.lastIndexOf(QByteArray("\xFF\xDA", 2));
    const QByteArray scan = prog.mid(lastScan, prog.size() - 2 - lastScan);

    const struct {
        const char* name;
        QByteArray bytes;
        QSize size;  // reported size
        bool picture;
    } cases[] = {
        {"second scan in a single-scan file",
         InsertBeforeEnd(good, scanHeader + QByteArray(8, 0)),
         {24, 16},
         false},
        {"impossible Huffman table", InsertBeforeEnd(good, badTable), {24, 16}, false},
        {"second frame header",
         InsertBeforeEnd(good, good.mid(FindMarker(good, 0xC0), 19)),
         {24, 16},
         false},
        {"empty file", QByteArray(), {0, 0}, false},
        {"not a JPEG", QByteArray("BM not a jpeg at all"), {0, 0}, false},
        {"cut inside the tables", good.left(FindMarker(good, 0xC4) + 6), {0, 0}, false},
        {"cut before the scan", good.left(sos), {0, 0}, false},
        {"cut right after the scan header", good.left(ScanDataStart(good)), {24, 16}, true},
        {"65500 x 65500 declared", WithDeclaredSize(good, 65500, 65500), {0, 0}, false},
        {"scans just under the cap",
         InsertBeforeEnd(prog, scan.repeated(JpegFile::kMaxScans - 20)),
         {16, 16},
         true},
        {"too many scans",
         InsertBeforeEnd(prog, scan.repeated(JpegFile::kMaxScans)),
         {0, 0},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        uint32_t w = 7, h = 7;
        const auto buf = JpegFile::ReadRgb(write(c.bytes), w, h);
        EXPECT_EQ(bool(buf), c.picture);
        EXPECT_EQ(QSize(w, h), c.size);
        EXPECT_TRUE(scripted().messages.isEmpty());
    }
    // The zero bits that stand in for the missing data decode to near-flat
    // grey with the standard tables at quality 100.
    const QByteArray fine = EncodeJpeg(Noise(24, 16, 3));
    uint32_t w = 0, h = 0;
    const auto grey = JpegFile::ReadRgb(write(fine.left(ScanDataStart(fine))), w, h);
    ASSERT_TRUE(grey);
    for (size_t i = 0; i < size_t(w) * h * 3; ++i) ASSERT_NEAR(grey[i], 128, 16) << "byte " << i;
}

// What a file may declare follows from its size: a small file declaring a
// huge picture is refused before anything is allocated, as is a
// progressive file whose scans would walk the picture too often; real
// pictures, flat colour at its most compressed included, still decode.
TEST_F(JpegFileTest, SmallFilesCannotCostGigabytes) {
    const QByteArray small = EncodeJpeg(Noise(24, 16, 1), {.quality = 80});
    const int side = 1 << 12;  // side * side is the free allowance
    const QByteArray comment = QByteArray("\xFF\xFE\xFF\xFF", 4) + QByteArray(65533, 'c');
    const QByteArray comments = comment.repeated(16);
    ASSERT_EQ(uint64_t(side) * side, JpegFile::kFreePixels);
    auto filled = [](int w, int h, QColor c) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(c);
        return image;
    };
    const QByteArray flatJpeg =
        EncodeJpeg(filled(6000, 3000, QColor(224, 208, 160)), {.quality = 90, .subsampled = true});
    const QByteArray prog =
        EncodeJpeg(filled(side, side, QColor(40, 90, 200)), {.progressive = true});
    const qsizetype lastScan = prog.lastIndexOf(QByteArray("\xFF\xDA", 2));
    const QByteArray scan = prog.mid(lastScan, prog.size() - 2 - lastScan);
    const int scansAllowed = int(JpegFile::kScanPixelBudget / JpegFile::kFreePixels);

    const struct {
        const char* name;
        QByteArray bytes;
        QSize size;  // reported size; a picture whenever it is not empty
    } cases[] = {
        {"900 megapixels declared in 600 bytes", WithDeclaredSize(small, 30000, 30000), {}},
        {"the free allowance declared", WithDeclaredSize(small, side, side), {side, side}},
        {"one column more", WithDeclaredSize(small, side + 1, side), {}},
        {"900 megapixels, a megabyte of padding after the end",
         WithDeclaredSize(small, 30000, 30000) + QByteArray(1'000'000, 0),
         {}},
        {"900 megapixels, a megabyte of comments",
         WithDeclaredSize(small, 30000, 30000).insert(2, comments),
         {}},
        {"flat colour, 18 megapixels", flatJpeg, {6000, 3000}},
        {"progressive within the scan budget",
         InsertBeforeEnd(prog, scan.repeated(scansAllowed / 2)),
         {side, side}},
        {"progressive past the scan budget",
         InsertBeforeEnd(prog, scan.repeated(scansAllowed + 20)),
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        uint32_t w = 7, h = 7;
        const auto buf = JpegFile::ReadRgb(write(c.bytes), w, h);
        EXPECT_EQ(bool(buf), !c.size.isEmpty());
        EXPECT_EQ(QSize(w, h), c.size.isEmpty() ? QSize(0, 0) : c.size);
        EXPECT_TRUE(scripted().messages.isEmpty());
    }
}

namespace {

// Child side of the tests below: caps the address space to what is in use
// plus 1 GB, so gigabytes cannot be allocated lazily, reads the file and
// exits with 0 when the outcome and the message (if any) are as expected.
[[noreturn]] void readUnderCap(const QString& file, std::optional<QString> message) {
    long pages = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld", &pages) != 1) pages = 0;
        std::fclose(f);
    }
    const rlim_t limit = rlim_t(pages) * 4096 + (rlim_t(1) << 30);
    const rlimit r{limit, limit};
    setrlimit(RLIMIT_AS, &r);

    RecordingPrompts prompts;
    UsePrompts use(&prompts);
    uint32_t w = 0, h = 0;
    const bool failed = !JpegFile::ReadRgb(file, w, h) && w == 0 && h == 0;
    const bool told = message ? prompts.messages == QStringList{*message} &&
                                    prompts.shown[0].first == Prompts::Buttons::Ok &&
                                    prompts.shown[0].second == Prompts::Icon::Critical
                              : prompts.messages.isEmpty();
    std::_Exit(failed && told ? 0 : 1);
}

}  // namespace

using JpegFileDeathTest = JpegFileTest;

TEST_F(JpegFileDeathTest, HugeImageIsRefusedBeforeAllocating) {
    if (kAddressSanitizer) GTEST_SKIP() << "address space limits do not mix with ASan";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const QString file = write(WithDeclaredSize(EncodeJpeg(Noise(16, 16, 7)), 65500, 65500));
    // Had it tried, the allocation would fail and say so; refusing is silent.
    EXPECT_EXIT(readUnderCap(file, std::nullopt), ::testing::ExitedWithCode(0), "");
}

TEST_F(JpegFileDeathTest, FailedAllocationIsReportedAsCritical) {
    if (kAddressSanitizer) GTEST_SKIP() << "address space limits do not mix with ASan";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // Under the pixel limit, but 2.7 GB of output; a megabyte more of scan
    // data makes the file large enough to declare that much.
    const QString file = write(InsertBeforeEnd(
        WithDeclaredSize(EncodeJpeg(Noise(16, 16, 8)), 30000, 30000), QByteArray(1'000'000, 1)));
    EXPECT_EXIT(readUnderCap(file, QString("JpegFile :\nOut of memory")),
                ::testing::ExitedWithCode(0), "");
}

TEST(JpegFileBytes, SwapRedBlue) {
    uint8_t buf[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 99};
    EXPECT_TRUE(JpegFile::SwapRedBlue(buf, 3, 2));
    const uint8_t expected[] = {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13, 18, 17, 16, 99};
    EXPECT_TRUE(std::equal(std::begin(buf), std::end(buf), std::begin(expected)));
    EXPECT_FALSE(JpegFile::SwapRedBlue(nullptr, 3, 2));
}

TEST(JpegFileBytes, FlipRowsReversesRowOrder) {
    constexpr int rowBytes = 6;
    for (int rows = 1; rows <= 5; ++rows) {
        SCOPED_TRACE(rows);  // odd counts keep their middle row
        std::vector<uint8_t> buf(size_t(rowBytes) * rows);
        for (size_t i = 0; i < buf.size(); ++i)
            buf[i] = uint8_t(i / rowBytes + 10 * (i % rowBytes));
        EXPECT_TRUE(JpegFile::FlipRows(buf.data(), rowBytes, rows));
        for (size_t i = 0; i < buf.size(); ++i)
            EXPECT_EQ(buf[i], rows - 1 - int(i / rowBytes) + 10 * int(i % rowBytes)) << i;
    }
    EXPECT_FALSE(JpegFile::FlipRows(nullptr, 6, 3));
}

TEST(JpegFileBytes, PadRowsPadsEveryRowToFourBytes) {
    const int strides[] = {0, 4, 8, 12, 12, 16, 20, 24};  // by width
    for (int width = 1; width <= 7; ++width) {
        SCOPED_TRACE(width);
        constexpr int height = 3;
        std::vector<uint8_t> src(size_t(width) * 3 * height);
        for (size_t i = 0; i < src.size(); ++i) src[i] = uint8_t(i + 1);
        int stride = -1;
        const auto out = JpegFile::PadRows(src.data(), width, height, stride);
        ASSERT_TRUE(out);
        EXPECT_EQ(stride, strides[width]);
        for (int y = 0; y < height; ++y)
            EXPECT_EQ(0, std::memcmp(out.get() + y * stride, &src[size_t(y) * width * 3],
                                     size_t(width) * 3));
    }
    int stride = 42;
    EXPECT_FALSE(JpegFile::PadRows(nullptr, 4, 4, stride));
    EXPECT_EQ(stride, 42);
}
