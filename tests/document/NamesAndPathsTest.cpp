// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include "LocationFixtures.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "document/TarnlightDoc.h"
#include "framework/FileNames.h"
#include "resources/Strings.h"

using testutil::ReadAll;
using testutil::WriteAll;

namespace {

class NamesAndPaths : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        testutil::ClearSettings();
        doc.SetLocation(&location);
    }
    QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    // A small BMP at name (folders made as needed).
    QString Bitmap(const QString& name) {
        const QString path = Path(name);
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        QImage image(QSize(12, 9), QImage::Format_RGB32);
        image.fill(QColor(20, 120, 200));
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }
    // A location file at name whose map entries carry the given names.
    QString LocationFile(const QString& name, const QStringList& mapNames) {
        CTarnLocation source;
        for (const QString& mapName : mapNames) {
            auto entry = std::make_unique<CMapLocation>();
            entry->fileName = mapName;
            entry->placement = RectL{0, 0, 12, 9};
            source.maps.entries.push_back(std::move(entry));
        }
        const QString path = Path(name);
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        EXPECT_TRUE(WriteAll(path, fixtures::Store(source)));
        return path;
    }
    // What a fresh reader finds in path: the entries' names, all images found.
    QStringList ReadNames(const QString& path, bool* allFound = nullptr) {
        CTarnLocation back;
        CTarnlightDoc reader;
        reader.SetLocation(&back);
        EXPECT_TRUE(reader.OnOpenDocument(path)) << path;
        QStringList names;
        bool found = true;
        for (const auto& entry : back.maps.entries) {
            names << entry->fileName;
            found = found && entry->HasImage();
        }
        if (allFound) *allFound = found;
        return names;
    }

    PromptsFixtureGuard prompts;
    QTemporaryDir dir;
    CTarnLocation location;
    CTarnlightDoc doc;
};

TEST_F(NamesAndPaths, TextOutsideWindows1252SurvivesSaveAndOpen) {
    struct Case {
        const char* label;
        const char* text;
        bool wide;
    } cases[] = {
        {"Polish", "\u0141\u00f3d\u017a \u017c\u00f3\u0142w", true},
        {"Cyrillic", "\u041e\u0437\u0435\u0440\u043e", true},
        {"CJK", "\u6e56\u7554", true},
        {"emoji", "\U0001F3A3 \U0001F41F", true},
        {"Windows-1252", "Caf\u00e9 \u20ac5", false},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const QString image = Bitmap(text + "/" + text + ".bmp");
        location.Reset();
        auto entry = std::make_unique<CMapLocation>();
        ASSERT_EQ(entry->SetImage(RectL{0, 0, 12, 9}, image), 1) << c.label;
        location.maps.entries.push_back(std::move(entry));
        CUserInfoPoint& point = location.userInfoPoints.AddNew();
        point.name = text;
        point.info = text + "\r\n" + text;
        location.mapPoints.AddPoint(3, 4, 2, 10, text, "note " + text);

        const QString path = Path(text + ".fnm");
        ASSERT_TRUE(doc.DoSave(path)) << c.label;
        const QByteArray bytes = ReadAll(path);
        EXPECT_EQ(bytes.contains("\xFF\xFE\xFF"), c.wide) << c.label;
        // Text the 8-bit form holds is written in it, as it always was.
        if (!c.wide)
            EXPECT_TRUE(
                bytes.contains("\x07"
                               "Caf\xE9 \x80"
                               "5"))
                << c.label;

        CTarnLocation back;
        CTarnlightDoc reader;
        reader.SetLocation(&back);
        ASSERT_TRUE(reader.OnOpenDocument(path)) << c.label;
        ASSERT_EQ(back.maps.entries.size(), 1u);
        EXPECT_EQ(back.maps.entries[0]->fileName, image) << c.label;
        EXPECT_TRUE(back.maps.entries[0]->HasImage()) << c.label;
        ASSERT_EQ(back.userInfoPoints.points.size(), 1u);
        EXPECT_EQ(back.userInfoPoints.points[0]->name, text) << c.label;
        EXPECT_EQ(back.userInfoPoints.points[0]->info, text + "\r\n" + text) << c.label;
        fixtures::ExpectSameContent(location, back);
        // Written again, the file comes back byte for byte.
        reader.SetModifiedFlag(true);
        ASSERT_TRUE(reader.DoFileSave());
        EXPECT_EQ(ReadAll(path), bytes) << c.label;
    }
    EXPECT_TRUE(scripted().messages.isEmpty()) << scripted().messages.join('|');
}

TEST_F(NamesAndPaths, MapEntryWithAWideNameByteForByte) {
    // "Łó.bmp" at (0, 0, 640, 480).
    auto entry = std::make_unique<CMapLocation>();
    entry->fileName = QString::fromUtf8("\u0141\u00f3.bmp");
    entry->placement = RectL{0, 0, 640, 480};
    location.maps.entries.push_back(std::move(entry));
    const QByteArray bytes = fixtures::Store(location);
    EXPECT_EQ(testutil::Hex(bytes.mid(92, 4 + 4 + 4 + 4 + 6 * 2 + 16)),
              "01 00 00 00 00 00 00 00 00 00 00 00 FF FE FF 06 41 01 F3 00 2E 00 62 00 6D 00 70 "
              "00 00 00 00 00 00 00 00 00 80 02 00 00 E0 01 00 00");
}

TEST_F(NamesAndPaths, SaveAsIntoAnotherFolderKeepsRelativeNamesPointingAtTheirFiles) {
    Bitmap("lake/west.bmp");
    Bitmap("lake/maps/east.bmp");
    Bitmap("lake/a:b.bmp");
    QDir().mkpath(Path("lake/maps/copies"));
    QDir().mkpath(Path("elsewhere"));
    const QString absolute = Bitmap("fixed/north.bmp");
    struct Case {
        const char* stored;  // in lake/lake.fnm
        const char* savedAs;
        QString written;  // empty: an absolute path below the test folder
        const char* absoluteTarget;
    } cases[] = {
        {"west.bmp", "lake/again.fnm", "west.bmp", nullptr},
        {"maps/east.bmp", "lake/again.fnm", "maps/east.bmp", nullptr},
        {"west.bmp", "copy.fnm", "lake/west.bmp", nullptr},
        {"maps/east.bmp", "lake/maps/copy.fnm", "east.bmp", nullptr},
        {"./maps/../west.bmp", "copy.fnm", "lake/west.bmp", nullptr},
        {"west.bmp", "elsewhere/copy.fnm", {}, "lake/west.bmp"},
        {"maps/east.bmp", "lake/maps/copies/copy.fnm", {}, "lake/maps/east.bmp"},
        {"../fixed/north.bmp", "fixed/copy.fnm", "north.bmp", nullptr},
        {"../fixed/north.bmp", "elsewhere/copy.fnm", {}, "fixed/north.bmp"},
        {"a:b.bmp", "copy.fnm", "lake/a:b.bmp", nullptr},
    };
    for (const Case& c : cases) {
        const QString source = LocationFile("lake/lake.fnm", {c.stored});
        ASSERT_TRUE(doc.OnOpenDocument(source)) << c.stored;
        ASSERT_TRUE(doc.DoSave(Path(c.savedAs))) << c.savedAs;
        EXPECT_EQ(location.maps.entries[0]->fileName, c.stored) << "the entry keeps its name";
        const QString expected =
            c.absoluteTarget ? QDir::cleanPath(Path(c.absoluteTarget)) : c.written;
        bool found = false;
        EXPECT_EQ(ReadNames(Path(c.savedAs), &found), QStringList{expected})
            << c.stored << " -> " << c.savedAs;
        EXPECT_TRUE(found) << c.stored << " -> " << c.savedAs;
        // Saved on from its new folder, the location keeps the same names.
        ASSERT_TRUE(doc.DoSave(Path(c.savedAs)));
        EXPECT_EQ(ReadNames(Path(c.savedAs)), QStringList{expected}) << c.savedAs;
    }
    // Names that no folder makes relative are written as they were.
    const QStringList kept = {absolute, "C:\\Charts\\gone.jpg", "D:/Charts/gone.jpg"};
    ASSERT_TRUE(doc.OnOpenDocument(LocationFile("lake/kept.fnm", kept)));
    scripted().reset();
    ASSERT_TRUE(doc.DoSave(Path("elsewhere/kept.fnm")));
    EXPECT_TRUE(scripted().messages.isEmpty());
    EXPECT_EQ(ReadNames(Path("elsewhere/kept.fnm")), kept);
}

TEST_F(NamesAndPaths, AFolderOfLocationAndImagesStaysPortable) {
    Bitmap("trip/west.bmp");
    const QString path = LocationFile("trip/trip.fnm", {"/gone/old machine/west.bmp"});
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_TRUE(scripted().messages.isEmpty());
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.DoFileSave());
    ASSERT_TRUE(QDir(dir.path()).rename("trip", "moved"));

    bool found = false;
    EXPECT_EQ(ReadNames(Path("moved/trip.fnm"), &found), QStringList{"west.bmp"});
    EXPECT_TRUE(found);
    EXPECT_TRUE(scripted().messages.isEmpty());
    EXPECT_TRUE(scripted().openFilters.isEmpty());
}

TEST_F(NamesAndPaths, APickedReplacementAnswersForEveryEntryNamingTheSameFile) {
    const QString picked = Bitmap("found/bay.bmp");
    const QStringList stored = {"/gone/bay.bmp", "/gone/point.bmp", "/gone/bay.bmp",
                                "/gone/point.bmp", "/gone/bay.bmp"};
    const QString path = LocationFile("bay.fnm", stored);
    scripted().openFile(picked);
    scripted().openFile(std::nullopt);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(scripted().messages,
              (QStringList{QString(str::ImageNotFound).arg("/gone/bay.bmp"),
                           QString(str::ImageNotFound).arg("/gone/point.bmp")}));
    EXPECT_EQ(scripted().openFilters.size(), 2);
    ASSERT_EQ(location.maps.entries.size(), stored.size());
    for (int i = 0; i < stored.size(); ++i) {
        const bool bay = stored[i].endsWith("bay.bmp");
        EXPECT_EQ(location.maps.entries[i]->fileName, bay ? picked : stored[i]) << i;
        EXPECT_EQ(location.maps.entries[i]->HasImage(), bay) << i;
    }
    // The answers last for that read only.
    scripted().reset();
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(scripted().messages.size(), 2);
}

TEST_F(NamesAndPaths, AnImpossiblyLongNameIsMissingAtOnceAndShownShort) {
    struct Case {
        QString stored;
    } cases[] = {
        {"/maps/" + QString(4 * 1024 * 1024, 'n') + "/tail.jpg"},
        {"/maps/" + QString(300, 'n') + ".bmp"},
        {QString(5000, 'r') + "/tail.bmp"},
    };
    for (const Case& c : cases) {
        scripted().reset();
        const QString path = LocationFile("long.fnm", {c.stored});
        ASSERT_TRUE(doc.OnOpenDocument(path));
        ASSERT_EQ(scripted().messages.size(), 1);
        const QString& shown = scripted().messages[0];
        EXPECT_LT(shown.size(), filenames::kShownLength + 100) << filenames::Shown(shown);
        EXPECT_EQ(shown, QString(str::ImageNotFound).arg(filenames::Shown(c.stored)));
        EXPECT_TRUE(shown.contains(c.stored.left(20)));
        EXPECT_TRUE(shown.contains(c.stored.right(20)));
        ASSERT_EQ(location.maps.entries.size(), 1u);
        EXPECT_EQ(location.maps.entries[0]->fileName, c.stored) << "kept for the next save";
        EXPECT_FALSE(location.maps.entries[0]->HasImage());
    }
}

}  // namespace
