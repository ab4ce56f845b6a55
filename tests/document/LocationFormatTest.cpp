// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "LocationFixtures.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "document/TarnLocation.h"
#include "framework/ArchiveBytes.h"

using testutil::FromHex;
using testutil::Hex;

namespace {

constexpr const char* kEmptyLocation =
    "00 00 00 00 00 00 F0 3F "                          // zoom 1.0
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 F0 3F "  // lon1 0, lon2 1
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 F0 3F "  // lat1 0, lat2 1
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 69 40 "  // x1 0, x2 200
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 69 40 "  // y1 0, y2 200
    "01 00 00 00 01 00 00 00 01 00 00 00 01 00 00 00 01 00 00 00 "
    "00 00 00 00 "                          // maps
    "00 00 00 00 "                          // user info points
    "02 00 B4 00 00 00 00 00 "              // free hands
    "02 00 B4 00 00 00 00 00 00 00 00 00 "  // lines
    "02 00 B4 00 00 00 00 00 00 00 00 00 "  // rectangles and ellipses
    "00 00";                                // map points

class LocationFormat : public ::testing::Test {
protected:
    PromptsFixtureGuard prompts;
};

TEST_F(LocationFormat, EmptyLocationIs134KnownBytes) {
    CTarnLocation location;
    const QByteArray bytes = fixtures::Store(location);
    ASSERT_EQ(bytes.size(), 134);
    EXPECT_EQ(Hex(bytes), Hex(FromHex(kEmptyLocation)));

    CTarnLocation back;
    back.zoom = 3;
    back.showMaps = 0;
    back.mapPoints.AddPoint(1, 1, 0, 0, "x", "");
    ASSERT_EQ(fixtures::Load(bytes, back), CArchive::Error::None);
    fixtures::ExpectSameContent(location, back);
    EXPECT_EQ(back.maps.Extent(), QSize(1000, 1000));
    EXPECT_EQ(fixtures::Store(back), bytes);
}

TEST_F(LocationFormat, ZoomComesFirstAndTheFlagsAreStoredAsGiven) {
    CTarnLocation location;
    location.zoom = 2.0;
    location.y2 = -1.5;
    location.showRedLines = 0;
    location.reservedFlag = -7;
    const QByteArray bytes = fixtures::Store(location);
    EXPECT_EQ(Hex(bytes.left(8)), "00 00 00 00 00 00 00 40");
    EXPECT_EQ(Hex(bytes.mid(64, 8)), "00 00 00 00 00 00 F8 BF");
    EXPECT_EQ(Hex(bytes.mid(80, 4)), "00 00 00 00");
    EXPECT_EQ(Hex(bytes.mid(88, 4)), "F9 FF FF FF");
    CTarnLocation back;
    ASSERT_EQ(fixtures::Load(bytes, back), CArchive::Error::None);
    EXPECT_EQ(back.zoom, 2.0);
    EXPECT_EQ(back.showRedLines, 0);
    EXPECT_EQ(back.reservedFlag, -7);
}

TEST_F(LocationFormat, TwoMapPointsAreTaggedOnceByClass) {
    CTarnLocation location;
    location.mapPoints.AddPoint(10, 20, 1, 5, "A", "");
    location.mapPoints.AddPoint(30, 40, 3, 0, "", "B");
    const QByteArray bytes = fixtures::Store(location);
    EXPECT_EQ(Hex(bytes.left(132)), Hex(FromHex(kEmptyLocation).left(132)));
    EXPECT_EQ(Hex(bytes.mid(132)),
              "02 00 FF FF 01 00 09 00 43 4D 61 70 50 6F 69 6E 74 "
              "0A 00 00 00 14 00 00 00 01 00 00 00 05 00 00 00 01 41 00 "
              "01 80 "
              "1E 00 00 00 28 00 00 00 03 00 00 00 00 00 00 00 00 01 42");
    fixtures::ExpectRoundTrip(location);
}

TEST_F(LocationFormat, MapEntryTakesThirtyBytes) {
    CTarnLocation location;
    auto entry = std::make_unique<CMapLocation>();
    entry->fileName = "a.bmp";
    entry->placement = RectL{0, 0, 640, 480};
    location.maps.entries.push_back(std::move(entry));
    const QByteArray bytes = fixtures::Store(location);
    ASSERT_EQ(bytes.size(), 134 + 30);
    EXPECT_EQ(Hex(bytes.mid(92, 4)), "01 00 00 00");
    EXPECT_EQ(Hex(bytes.mid(96, 30)),
              "00 00 00 00 00 00 00 00 05 61 2E 62 6D 70 "
              "00 00 00 00 00 00 00 00 80 02 00 00 E0 01 00 00");

    CTarnLocation back;
    ASSERT_EQ(fixtures::Load(bytes, back), CArchive::Error::None);
    ASSERT_EQ(back.maps.entries.size(), 1u);
    EXPECT_EQ(back.maps.entries[0]->fileName, "a.bmp") << "a missing image keeps its name";
    EXPECT_EQ(back.maps.entries[0]->placement, (RectL{0, 0, 640, 480}));
    EXPECT_EQ(fixtures::Store(back), bytes);
}

TEST_F(LocationFormat, ReservedIntegersOfAnEntryAreStoredSecondFirst) {
    CTarnLocation location;
    auto entry = std::make_unique<CMapLocation>();
    entry->reserved1 = 1;
    entry->reserved2 = 2;
    location.maps.entries.push_back(std::move(entry));
    const QByteArray bytes = fixtures::Store(location);
    EXPECT_EQ(Hex(bytes.mid(96, 8)), "02 00 00 00 01 00 00 00");
    CTarnLocation back;
    ASSERT_EQ(fixtures::Load(bytes, back), CArchive::Error::None);
    EXPECT_EQ(back.maps.entries[0]->reserved1, 1);
    EXPECT_EQ(back.maps.entries[0]->reserved2, 2);
}

struct PrefixCase {
    int length;
    const char* prefix;
};

TEST_F(LocationFormat, NameLengthPrefixes) {
    const PrefixCase cases[] = {{0, "00"},
                                {1, "01"},
                                {254, "FE"},
                                {255, "FF FF 00"},
                                {256, "FF 00 01"},
                                {65533, "FF FD FF"},
                                {65534, "FF FF FF FE FF 00 00"}};
    for (const PrefixCase& c : cases) {
        CTarnLocation location;
        location.mapPoints.AddPoint(0, 0, 0, 0, QString(c.length, QChar('w')), "");
        const QByteArray bytes = fixtures::Store(location);
        const int nameAt = 132 + 2 + 15 + 16;
        const QByteArray expected = FromHex(c.prefix);
        EXPECT_EQ(Hex(bytes.mid(nameAt, expected.size())), Hex(expected)) << c.length;
        EXPECT_EQ(bytes.size(), nameAt + expected.size() + c.length + 1) << c.length;
        fixtures::ExpectRoundTrip(location);
    }
}

TEST_F(LocationFormat, SeventyThousandPointStroke) {
    CTarnLocation location;
    CFreeHand& stroke = location.freeHands.AddNew();
    for (int i = 0; i < 70000; ++i) stroke.AppendPoint({i % 640, i % 480});
    stroke.ComputeBounds();
    const QByteArray bytes = fixtures::Store(location);
    // head, two empty blocks, list pen, count, class description, bounds, pen.
    const int countAt = 92 + 4 + 4 + 6 + 2 + 15 + 16 + 6;
    EXPECT_EQ(Hex(bytes.mid(countAt, 6)), "FF FF 70 11 01 00");
    fixtures::ExpectRoundTrip(location);
}

TEST_F(LocationFormat, ClassesAreNumberedInBlockOrder) {
    CTarnLocation location;
    location.freeHands.AddNew().AppendPoint({1, 1});
    location.lineDraws.AddNew();
    location.lineDraws.AddNew();
    location.rectElipDraws.AddNew(false);
    location.rectElipDraws.AddNew(true);
    location.mapPoints.AddPoint(0, 0, 0, 0, "", "");
    location.mapPoints.AddPoint(0, 0, 0, 0, "", "");
    const QByteArray bytes = fixtures::Store(location);
    ASSERT_EQ(bytes.size(), 388);
    // CFreeHand 1, its stroke 2, CLineDraw 3, lines 4 and 5, CRectElipDraw
    // 6, shapes 7 and 8, CMapPoint 9.
    EXPECT_EQ(Hex(bytes.mid(108, 2)), "FF FF");
    EXPECT_EQ(Hex(bytes.mid(167, 2)), "FF FF");
    EXPECT_EQ(Hex(bytes.mid(210, 2)), "03 80");
    EXPECT_EQ(Hex(bytes.mid(252, 2)), "FF FF");
    EXPECT_EQ(Hex(bytes.mid(301, 2)), "06 80");
    EXPECT_EQ(Hex(bytes.mid(335, 2)), "FF FF");
    EXPECT_EQ(Hex(bytes.mid(368, 2)), "09 80");
    fixtures::ExpectRoundTrip(location);
}

TEST_F(LocationFormat, RichLocationReadsBackAndWritesTheSameBytes) {
    CTarnLocation location;
    fixtures::FillRich(location);
    fixtures::ExpectRoundTrip(location);
}

TEST_F(LocationFormat, PastIndex0x7FFEObjectsStillTakeTheShortClassTag) {
    CTarnLocation location;
    for (int i = 0; i < 33000; ++i) location.mapPoints.AddPoint(i, -i, i % 5, i, "", "");
    const QByteArray bytes = fixtures::Store(location);
    EXPECT_EQ(Hex(bytes.mid(132, 6)), "E8 80 FF FF 01 00");
    // The last point's object index is far above 0x7FFE; its class is 1.
    EXPECT_EQ(Hex(bytes.mid(bytes.size() - 20, 2)), "01 80");
    fixtures::ExpectRoundTrip(location);
}

TEST_F(LocationFormat, WideStringsAreReadAndWrittenBackNarrow) {
    CTarnLocation location;
    location.mapPoints.AddPoint(0, 0, 0, 0, "abc", "");
    QByteArray bytes = fixtures::Store(location);
    const int nameAt = 132 + 2 + 15 + 16;
    // "abc" as two-byte characters, and "é" too.
    bytes.replace(nameAt, 4, FromHex("FF FE FF 04 61 00 62 00 63 00 E9 00"));
    CTarnLocation back;
    ASSERT_EQ(fixtures::Load(bytes, back), CArchive::Error::None);
    EXPECT_EQ(back.mapPoints.items[0]->name, QString::fromUtf8("abc\u00e9"));
    const QByteArray rewritten = fixtures::Store(back);
    EXPECT_EQ(Hex(rewritten.mid(nameAt, 5)), "04 61 62 63 E9");
}

TEST_F(LocationFormat, EveryEightBitNameSurvives) {
    QByteArray raw;
    for (int b = 1; b < 256; ++b) raw.append(char(b));
    CTarnLocation location;
    location.mapPoints.AddPoint(0, 0, 0, 0, "", "");
    QByteArray bytes = fixtures::Store(location);
    const int nameAt = 132 + 2 + 15 + 16;
    bytes.replace(nameAt, 1, FromHex("FF FF 00") + raw);
    CTarnLocation back;
    ASSERT_EQ(fixtures::Load(bytes, back), CArchive::Error::None);
    EXPECT_EQ(fixtures::Store(back), bytes);
}

}  // namespace
