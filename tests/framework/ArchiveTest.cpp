// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QBuffer>

#include "TestUtil.h"
#include "framework/Archive.h"
#include "framework/ArchiveBytes.h"

namespace {

struct Thing : CObject {
    static const ClassInfo classInfo;
    int32_t value = 0;
    const ClassInfo& GetRuntimeClass() const override { return classInfo; }
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring())
            ar.WriteI32(value);
        else
            value = ar.ReadI32();
    }
};
const ClassInfo Thing::classInfo{"CThing", 1, [] { return static_cast<CObject*>(new Thing); }};

struct Other : Thing {
    static const ClassInfo classInfo;
    const ClassInfo& GetRuntimeClass() const override { return classInfo; }
};
const ClassInfo Other::classInfo{"COther", 1, [] { return static_cast<CObject*>(new Other); }};

using archivebytes::Load;
using archivebytes::Store;

TEST(Archive, PrimitivesAreLittleEndian) {
    QByteArray b = Store([](CArchive& ar) {
        ar.WriteU16(0x1234);
        ar.WriteU32(0xA1B2C3D4);
        ar.WriteF64(1.0);
        ar.WriteF64(200.0);
        ar.WriteRect(RectL{0, 0, 640, 480});
    });
    EXPECT_EQ(testutil::Hex(b),
              "34 12 D4 C3 B2 A1 00 00 00 00 00 00 F0 3F 00 00 00 00 00 00 69 40 "
              "00 00 00 00 00 00 00 00 80 02 00 00 E0 01 00 00");
}

TEST(Archive, StringPrefixes) {
    struct Case {
        int length;
        const char* prefix;
    } cases[] = {{0, "00"},
                 {5, "05"},
                 {254, "FE"},
                 {255, "FF FF 00"},
                 {65533, "FF FD FF"},
                 {65534, "FF FF FF FE FF 00 00"},
                 {70000, "FF FF FF 70 11 01 00"}};
    for (const Case& c : cases) {
        QString s(c.length, 'a');
        QByteArray b = Store([&](CArchive& ar) { ar.WriteString(s); });
        QByteArray prefix = testutil::FromHex(c.prefix);
        ASSERT_EQ(b.size(), prefix.size() + c.length) << c.length;
        EXPECT_EQ(b.left(prefix.size()), prefix) << c.length;
        QString back;
        EXPECT_EQ(Load(b, [&](CArchive& ar) { back = ar.ReadString(); }), CArchive::Error::None);
        EXPECT_EQ(back, s) << c.length;
    }
}

TEST(Archive, EveryByteStringSurvivesReadAndWrite) {
    QByteArray all;
    for (int i = 0; i < 256; ++i) all.append(char(i));
    QByteArray file = Store([&](CArchive& ar) {
        ar.WriteU8(0xFF);
        ar.WriteU16(256);
        ar.WriteBytes(all.data(), 256);
    });
    QString s;
    Load(file, [&](CArchive& ar) { s = ar.ReadString(); });
    EXPECT_EQ(s[0x80], QChar(0x20AC));  // euro sign
    EXPECT_EQ(s[0x81], QChar(0x81));
    QByteArray again = Store([&](CArchive& ar) { ar.WriteString(s); });
    EXPECT_EQ(again, file);
    // What the 8-bit form cannot hold takes the 16-bit form, never a '?'.
    QByteArray unwritable =
        Store([](CArchive& ar) { ar.WriteString(QString::fromUtf8("a\u4e2db")); });
    EXPECT_EQ(testutil::Hex(unwritable), "FF FE FF 03 61 00 2D 4E 62 00");
}

TEST(Archive, WideStringsAreRead) {
    // 0xFF 0xFFFE announces 16-bit characters, then a length prefix.
    QByteArray b = testutil::FromHex("FF FE FF 02 41 00 2D 4E");
    QString s;
    EXPECT_EQ(Load(b, [&](CArchive& ar) { s = ar.ReadString(); }), CArchive::Error::None);
    EXPECT_EQ(s, QString::fromUtf8("A\u4e2d"));
}

TEST(Archive, TextBeyondWindows1252TakesTheWideForm) {
    struct Case {
        const char* utf8;
        int repeat;
        int head;            // bytes before the characters
        const char* prefix;  // the record's first bytes
    } cases[] = {
        {"\u0141\u00f3d\u017a", 1, 4, "FF FE FF 04 41 01 F3 00 64 00 7A 01"},  // Polish
        {"\u041e\u0437", 1, 4, "FF FE FF 02 1E 04 37 04"},                     // Cyrillic
        {"\u6e56", 1, 4, "FF FE FF 01 56 6E"},                                 // CJK
        {"\U0001F3A3", 1, 4, "FF FE FF 02 3C D8 A3 DF"},                       // a surrogate pair
        {"\u6e56", 254, 4, "FF FE FF FE 56 6E"},
        {"\u6e56", 255, 6, "FF FE FF FF FF 00 56 6E"},
        {"\u6e56", 65533, 6, "FF FE FF FF FD FF 56 6E"},
        {"\u6e56", 65534, 10, "FF FE FF FF FF FF FE FF 00 00 56 6E"},
        {"\u6e56", 70000, 10, "FF FE FF FF FF FF 70 11 01 00 56 6E"},
        // Everything Windows-1252 holds stays in the 8-bit form.
        {"Caf\u00e9 \u20ac\u0160\u0178", 1, 1, "08 43 61 66 E9 20 80 8A 9F"},
    };
    for (const Case& c : cases) {
        const QString s = QString::fromUtf8(c.utf8).repeated(c.repeat);
        const QByteArray b = Store([&](CArchive& ar) { ar.WriteString(s); });
        const QByteArray prefix = testutil::FromHex(c.prefix);
        EXPECT_EQ(testutil::Hex(b.left(prefix.size())), testutil::Hex(prefix)) << c.utf8;
        const bool wide = b.startsWith("\xFF\xFE\xFF");
        EXPECT_EQ(b.size(), c.head + s.size() * (wide ? 2 : 1)) << c.utf8;
        QString back;
        EXPECT_EQ(Load(b, [&](CArchive& ar) { back = ar.ReadString(); }), CArchive::Error::None);
        EXPECT_EQ(back, s) << c.utf8;
    }
}

TEST(Archive, Counts) {
    EXPECT_EQ(testutil::Hex(Store([](CArchive& ar) { ar.WriteCount(2); })), "02 00");
    EXPECT_EQ(testutil::Hex(Store([](CArchive& ar) { ar.WriteCount(0xFFFE); })), "FE FF");
    EXPECT_EQ(testutil::Hex(Store([](CArchive& ar) { ar.WriteCount(70000); })),
              "FF FF 70 11 01 00");
}

TEST(Archive, TaggedObjectsShareOneIndexTable) {
    Thing a, b;
    Other c;
    a.value = 1;
    b.value = 2;
    c.value = 3;
    QByteArray bytes = Store([&](CArchive& ar) {
        ar.WriteObject(a);  // class 1, object 2
        ar.WriteObject(b);  // class tag 0x8001, object 3
        ar.WriteObject(c);  // class 4, object 5
        ar.WriteObject(a);  // back reference 2
    });
    EXPECT_EQ(testutil::Hex(bytes),
              "FF FF 01 00 06 00 43 54 68 69 6E 67 01 00 00 00 "
              "01 80 02 00 00 00 "
              "FF FF 01 00 06 00 43 4F 74 68 65 72 03 00 00 00 "
              "02 00");
    std::vector<int> values;
    CArchive::Error e = Load(bytes.left(bytes.size() - 2), [&](CArchive& ar) {
        for (const ClassInfo* ci : {&Thing::classInfo, &Thing::classInfo, &Other::classInfo}) {
            auto o = ar.ReadObject(*ci);
            ASSERT_TRUE(o);
            values.push_back(static_cast<Thing*>(o.get())->value);
        }
    });
    EXPECT_EQ(e, CArchive::Error::None);
    EXPECT_EQ(values, (std::vector<int>{1, 2, 3}));
}

TEST(Archive, MalformedTagsFailCleanly) {
    struct Case {
        const char* name;
        const char* hex;
        CArchive::Error error;
    } cases[] = {
        {"null object", "00 00", CArchive::Error::BadFormat},
        {"object index not in table", "05 00", CArchive::Error::BadFormat},
        {"class index 0", "00 80", CArchive::Error::BadFormat},
        {"class index out of range", "07 80", CArchive::Error::BadFormat},
        {"big class index out of range", "FF 7F 09 00 00 80", CArchive::Error::BadFormat},
        {"big object index", "FF 7F 09 00 00 00", CArchive::Error::BadFormat},
        {"wrong class name", "FF FF 01 00 06 00 43 4F 74 68 65 72 01 00 00 00",
         CArchive::Error::BadClass},
        {"wrong schema", "FF FF 02 00 06 00 43 54 68 69 6E 67 01 00 00 00",
         CArchive::Error::BadSchema},
        {"name too long", "FF FF 01 00 40 00", CArchive::Error::BadFormat},
        {"truncated record", "FF FF 01 00 06 00 43 54 68 69 6E 67 01 00",
         CArchive::Error::EndOfFile},
        {"truncated tag", "FF", CArchive::Error::EndOfFile},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CObject> o;
        CArchive::Error e = Load(testutil::FromHex(c.hex),
                                 [&](CArchive& ar) { o = ar.ReadObject(Thing::classInfo); });
        EXPECT_EQ(e, c.error) << c.name;
        EXPECT_FALSE(o) << c.name;
    }
}

TEST(Archive, HugeCountsAreRefusedBeforeAllocating) {
    // A point array claiming 2^32-1 points in a 10-byte file.
    QByteArray b = testutil::FromHex("FF FF FF FF FF FF 00 00 00 00");
    std::vector<QPoint> pts;
    EXPECT_NE(Load(b, [&](CArchive& ar) { pts = ar.ReadPointArray(); }), CArchive::Error::None);
    EXPECT_TRUE(pts.empty());
    // A string claiming 4 GB.
    QString s;
    EXPECT_NE(
        Load(testutil::FromHex("FF FF FF FF FF FF FF"), [&](CArchive& ar) { s = ar.ReadString(); }),
        CArchive::Error::None);
}

TEST(Archive, LongPointArraysRoundTrip) {
    std::vector<QPoint> pts;
    for (int i = 0; i < 70000; ++i) pts.emplace_back(i, -i);
    QByteArray b = Store([&](CArchive& ar) { ar.WritePointArray(pts); });
    ASSERT_EQ(b.size(), 6 + 70000 * 8);
    EXPECT_EQ(testutil::Hex(b.left(6)), "FF FF 70 11 01 00");
    std::vector<QPoint> back;
    EXPECT_EQ(Load(b, [&](CArchive& ar) { back = ar.ReadPointArray(); }), CArchive::Error::None);
    EXPECT_EQ(back, pts);
}

TEST(Archive, FailureIsSticky) {
    QByteArray b = testutil::FromHex("01 00");
    Load(b, [](CArchive& ar) {
        EXPECT_EQ(ar.ReadU32(), 0u);
        EXPECT_TRUE(ar.Failed());
        EXPECT_EQ(ar.ReadU16(), 0u);  // nothing more is read after a failure
        EXPECT_EQ(ar.GetError(), CArchive::Error::EndOfFile);
    });
}

}  // namespace
