// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "AllocationMeter.h"
#include "LocationFixtures.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "document/TarnLocation.h"
#include "document/TarnlightDoc.h"
#include "resources/Strings.h"

using testutil::FromHex;

namespace {

// A read may cost a fixed amount (buffers, file handles, a decoded image
// of the test's small maps) plus a small multiple of the file's size.
constexpr int64_t kFixedAllowance = 2 << 20;
constexpr int64_t kPerFileByte = 16;

class CorruptFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        fixtures::WriteRichImages(dir.path());
        CTarnLocation rich;
        fixtures::FillRich(rich);
        good = fixtures::Store(rich);
        doc.SetLocation(&location);
        // Warm up once, so first-use caches do not count against a read.
        Read(good);
    }

    // Reads bytes as a location file through the document; returns whether
    // the read succeeded and checks it stayed within its memory allowance.
    bool Read(const QByteArray& bytes) {
        const QString path = QDir(dir.path()).filePath("damaged.fnm");
        EXPECT_TRUE(testutil::WriteAll(path, bytes));
        scripted().reset();
        const int64_t before = allocmeter::Current();
        allocmeter::ResetPeak();
        const bool ok = doc.OnOpenDocument(path);
        const int64_t grew = allocmeter::Peak() - before;
        if (allocmeter::Enabled()) {
            EXPECT_LT(grew, kFixedAllowance + kPerFileByte * bytes.size()) << bytes.size();
        }
        // Each element takes at least 20 bytes of the file; a failed read
        // keeps what the location held before.
        if (ok) {
            EXPECT_LE(fixtures::ElementCount(location), size_t(bytes.size() / 20));
        } else {
            EXPECT_EQ(fixtures::Store(location), good);
        }
        return ok;
    }

    void ExpectFormatFault(const QByteArray& bytes, const std::string& what) {
        EXPECT_FALSE(Read(bytes)) << what;
        EXPECT_EQ(scripted().messages.value(scripted().messages.size() - 1),
                  str::UnexpectedFileFormat)
            << what;
    }

    // Offsets inside the rich file.
    int Find(const char* text) const { return int(good.indexOf(text)); }

    PromptsFixtureGuard prompts;
    QTemporaryDir dir;
    QByteArray good;
    CTarnLocation location;
    CTarnlightDoc doc;
};

// The memory checks below mean something only if the meter sees both
// operator new and Qt's own allocations.
TEST(AllocationMeter, SeesEveryKindOfAllocation) {
    if (!allocmeter::Enabled()) GTEST_SKIP() << "the sanitizer owns the allocator";
    const int64_t before = allocmeter::Current();
    allocmeter::ResetPeak();
    {
        std::vector<char> vector(8 << 20, 'v');
        QByteArray bytes(4 << 20, 'b');
        EXPECT_GE(allocmeter::Current() - before, 12 << 20);
    }
    EXPECT_GE(allocmeter::Peak() - before, 12 << 20);
    EXPECT_LT(allocmeter::Current() - before, 1 << 20);
}

TEST_F(CorruptFiles, TheUndamagedFileReads) {
    EXPECT_TRUE(Read(good));
    EXPECT_EQ(fixtures::ElementCount(location), 14u);
    EXPECT_TRUE(scripted().messages.isEmpty());
}

TEST_F(CorruptFiles, EveryTruncationFailsCleanly) {
    for (int length = 1; length < good.size(); ++length)
        ExpectFormatFault(good.left(length), "length " + std::to_string(length));
}

QByteArray Replaced(QByteArray bytes, int at, int length, const char* hex) {
    return bytes.replace(at, length, FromHex(hex));
}

TEST_F(CorruptFiles, DamagedStructuresFailCleanly) {
    const int freeHand = Find("CFreeHand");
    const int lineDraw = Find("CLineDraw");
    const int rectElip = Find("CRectElipDraw");
    const int mapPoint = Find("CMapPoint");
    ASSERT_GT(freeHand, 0);
    ASSERT_GT(mapPoint, rectElip);
    // The first stroke: 5 points, so its record is 16 + 6 + 2 + 40 bytes.
    const int firstPointCount = freeHand + 9 + 16 + 6;
    const int secondStrokeTag = freeHand + 9 + 64;
    const int freeHandCount = freeHand - 8;
    const int firstEntryName = 92 + 4 + 8;
    const int mapsCount = 92;
    const int userPointsCount = firstEntryName + 9 + 16 + 8 + 9 + 16;
    ASSERT_EQ(good.mid(secondStrokeTag, 2), FromHex("01 80"));
    ASSERT_EQ(good.mid(userPointsCount, 4), FromHex("02 00 00 00"));

    struct Case {
        std::string what;
        QByteArray bytes;
    };
    auto at = [&](int offset, int length, const char* hex) {
        return Replaced(good, offset, length, hex);
    };
    const Case cases[] = {
        {"wrong name in the free-hand block", at(freeHand + 8, 1, "58")},
        {"wrong name in the line block", at(lineDraw + 8, 1, "58")},
        {"wrong name in the rectangle block", at(rectElip + 12, 1, "58")},
        {"wrong name in the map point block", at(mapPoint + 8, 1, "58")},
        {"a free-hand class in the map point block", at(mapPoint, 9, "43 46 72 65 65 48 61 6E 64")},
        {"a map point class in the free-hand block", at(freeHand, 9, "43 4D 61 70 50 6F 69 6E 74")},
        {"wrong schema", at(lineDraw - 4, 2, "02 00")},
        {"schema 0", at(mapPoint - 4, 2, "00 00")},
        {"class name longer than 63", at(freeHand - 2, 2, "40 00")},
        {"class name length beyond the file", at(freeHand - 2, 2, "FF FF")},
        {"class index 0", at(secondStrokeTag, 2, "00 80")},
        {"class index out of range", at(secondStrokeTag, 2, "7F 80")},
        {"long class index out of range", at(secondStrokeTag, 2, "FF 7F 00 00 01 80")},
        {"object index instead of a class", at(secondStrokeTag, 2, "02 00")},
        {"null object", at(secondStrokeTag, 2, "00 00")},
        {"maps count larger than the file", at(mapsCount, 4, "FF FF FF 7F")},
        {"maps count 2^32 - 1", at(mapsCount, 4, "FF FF FF FF")},
        {"user point count 2^32 - 1", at(userPointsCount, 4, "FF FF FF FF")},
        {"user point count one too many", at(userPointsCount, 4, "03 00 00 00")},
        {"stroke count 2^32 - 1", at(freeHandCount, 2, "FF FF FF FF FF FF")},
        {"stroke count 0xFFFE", at(freeHandCount, 2, "FE FF")},
        {"point count 2^32 - 1", at(firstPointCount, 2, "FF FF FF FF FF FF")},
        {"point count larger than the file", at(firstPointCount, 2, "FF FF 00 00 01 00")},
        {"name length 2^32 - 1", at(firstEntryName, 1, "FF FF FF FF FF FF FF")},
        {"name length 65533 beyond the file", at(firstEntryName, 1, "FF FD FF")},
        {"wide name longer than the file", at(firstEntryName, 1, "FF FE FF FF FF FF FF FF 7F")},
        {"wide name 2^32 - 1 characters", at(firstEntryName, 1, "FF FE FF FF FF FF FF FF FF")},
        {"wide name cut in a character",
         good.left(firstEntryName) + FromHex("FF FE FF 05 41 00 42")},
        {"last byte missing", good.left(good.size() - 1)},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.bytes, good) << c.what;
        ExpectFormatFault(c.bytes, c.what);
    }
}

}  // namespace
