// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "LocationFixtures.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "document/MapLocationList.h"
#include "resources/Strings.h"

namespace {

class MapEntries : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path();
    }
    QString Path(const QString& name) const { return QDir(folder).filePath(name); }
    QString Image(const QString& name, QSize size, QColor color, const char* format = "BMP") {
        QImage image(size, QImage::Format_RGB32);
        image.fill(color);
        EXPECT_TRUE(image.save(Path(name), format));
        return Path(name);
    }
    static QString NotFound(const QString& name) { return QString(str::ImageNotFound).arg(name); }

    PromptsFixtureGuard prompts;
    QTemporaryDir dir;
    QString folder;
};

TEST_F(MapEntries, NewEntryHasNoImage) {
    CMapLocation entry;
    EXPECT_EQ(entry.reserved1, 0);
    EXPECT_EQ(entry.reserved2, 0);
    EXPECT_TRUE(entry.fileName.isEmpty());
    EXPECT_EQ(entry.image.isBitmap, 1);
    EXPECT_FALSE(entry.HasImage());
}

struct DecoderCase {
    const char* name;
    const char* format;
    int result;
    int isBitmap;
    bool hasImage;
};

TEST_F(MapEntries, TheEndingOrTheContentChoosesTheDecoder) {
    const DecoderCase cases[] = {
        {"map.bmp", "BMP", 1, 1, true},
        {"map.BMP", "BMP", 1, 1, true},
        {"map.jpg", "JPG", 1, 0, true},
        {"map.JpG", "JPG", 1, 0, true},
        {"map.jpeg", "JPG", 1, 0, true},
        {"map.JPE", "JPG", 1, 0, true},
        {"map.png", "PNG", 1, 0, true},
        {"map.tiff", "TIFF", 1, 0, true},
        // The content decides where the ending is no image's.
        {"map.chart", "PNG", 1, 0, true},
        {"bmp-in.png", "BMP", 1, 1, true},
        // ".jpg" and ".bmp" keep their readers whatever the file holds.
        {"png-in.bmp", "PNG", 0, 1, false},
    };
    for (const DecoderCase& c : cases) {
        const QString path = Image(c.name, QSize(6, 4), Qt::red, c.format);
        CMapLocation entry;
        EXPECT_EQ(entry.SetImage(RectL{0, 0, 6, 4}, path), c.result) << c.name;
        EXPECT_EQ(entry.image.isBitmap, c.isBitmap) << c.name;
        EXPECT_EQ(entry.HasImage(), c.hasImage) << c.name;
        if (c.hasImage) EXPECT_EQ(entry.image.width, 6) << c.name;
    }
    EXPECT_TRUE(scripted().messages.isEmpty());
}

TEST_F(MapEntries, MissingImageBesideTheLocationIsTakenWithoutAsking) {
    const QString beside = Image("west.bmp", QSize(8, 8), Qt::blue);
    for (const char* stored : {"/gone/maps/west.bmp", "C:\\Maps\\Lake\\west.bmp", "west.bmp"}) {
        CMapLocation entry;
        entry.searchFolder = folder;
        EXPECT_EQ(entry.SetImage(RectL{0, 0, 8, 8}, stored), 1) << stored;
        EXPECT_TRUE(entry.HasImage()) << stored;
    }
    EXPECT_TRUE(scripted().messages.isEmpty());
    EXPECT_TRUE(scripted().openFilters.isEmpty());

    CMapLocation moved;
    moved.searchFolder = folder;
    moved.SetImage(RectL{}, "/gone/maps/west.bmp");
    EXPECT_EQ(moved.fileName, "west.bmp") << "a found image keeps a name relative to the folder";
    EXPECT_EQ(moved.ResolvedPath(), beside);
    CMapLocation relative;
    relative.searchFolder = folder;
    relative.SetImage(RectL{}, "west.bmp");
    EXPECT_EQ(relative.fileName, "west.bmp") << "a relative name counts from the folder";
}

TEST_F(MapEntries, MissingImageAsksAndCancelKeepsTheEntryAsItWas) {
    CMapLocation entry;
    entry.searchFolder = folder;
    ASSERT_EQ(entry.SetImage(RectL{0, 0, 8, 8}, Image("old.bmp", QSize(8, 8), Qt::green)), 1);
    EXPECT_EQ(entry.SetImage(RectL{1, 2, 3, 4}, "/nowhere/lake.jpg"), 0);
    EXPECT_EQ(scripted().messages, QStringList{NotFound("/nowhere/lake.jpg")});
    EXPECT_EQ(scripted().openFilters, QStringList{str::ImageFilter});
    EXPECT_EQ(entry.fileName, "/nowhere/lake.jpg");
    EXPECT_EQ(entry.placement, (RectL{1, 2, 3, 4}));
    EXPECT_TRUE(entry.HasImage()) << "the image it had stays";
}

TEST_F(MapEntries, RelocatingAJpegToABitmapSwitchesTheDecoder) {
    const QString picked = Image("found.bmp", QSize(5, 7), Qt::yellow);
    scripted().openFile(picked);
    CMapLocation entry;
    EXPECT_EQ(entry.SetImage(RectL{0, 0, 5, 7}, "/nowhere/lake.jpg"), 1);
    EXPECT_EQ(entry.fileName, picked);
    EXPECT_EQ(entry.image.isBitmap, 1);
    EXPECT_EQ(entry.image.height, 7);
    EXPECT_EQ(scripted().messages.size(), 1);
}

TEST_F(MapEntries, EmptyNameIsMissing) {
    CMapLocation entry;
    entry.searchFolder = folder;
    EXPECT_EQ(entry.SetImage(RectL{}, ""), 0);
    EXPECT_EQ(scripted().messages, QStringList{NotFound("")});
}

struct ExtentCase {
    std::vector<RectL> placements;
    QSize extent;
};

TEST_F(MapEntries, ReadingRebuildsTheExtent) {
    const ExtentCase cases[] = {
        {{{0, 0, 1600, 1200}}, {1600, 1200}},
        {{{0, 0, 800, 600}}, {1000, 1000}},
        {{{0, 0, 1000, 1000}}, {1000, 1000}},
        {{{0, 0, 800, 600}, {800, 0, 1500, 600}}, {1500, 1000}},
        {{{0, 0, 10, 10}, {0, 900, 10, 1824}}, {1000, 1824}},
        {{{-500, -500, -10, -10}}, {1000, 1000}},
        {{}, {1000, 1000}},
    };
    for (const ExtentCase& c : cases) {
        CTarnLocation location;
        for (const RectL& r : c.placements) {
            auto entry = std::make_unique<CMapLocation>();
            entry->fileName = Image("e.bmp", QSize(2, 2), Qt::red);
            entry->placement = r;
            location.maps.entries.push_back(std::move(entry));
        }
        CTarnLocation back;
        back.maps.extentWidth = 5000;
        ASSERT_EQ(fixtures::Load(fixtures::Store(location), back), CArchive::Error::None);
        EXPECT_EQ(back.maps.Extent(), c.extent) << c.placements.size() << " entries";
    }
}

TEST_F(MapEntries, SingleImageCoversItsSizeAndWidensTheExtent) {
    struct Case {
        QSize image;
        QSize extent;
    };
    for (Case c : {Case{{2000, 1500}, {2000, 1500}}, Case{{300, 200}, {1000, 1000}},
                   Case{{1200, 40}, {1200, 1000}}}) {
        CMapLocationList maps;
        maps.zoom = 1.25;
        maps.entries.push_back(std::make_unique<CMapLocation>());
        EXPECT_EQ(maps.SetSingleImage(Image("pond.bmp", c.image, Qt::cyan)), 1);
        ASSERT_EQ(maps.entries.size(), 1u);
        EXPECT_EQ(maps.entries[0]->placement, (RectL{0, 0, c.image.width(), c.image.height()}));
        EXPECT_EQ(maps.Extent(), c.extent);
        EXPECT_EQ(maps.zoom, 1.25);
    }
}

TEST_F(MapEntries, RemoveAllRestoresTheExtentButNotTheZoom) {
    CMapLocationList maps;
    maps.SetSingleImage(Image("big.bmp", QSize(1800, 10), Qt::cyan));
    maps.zoom = 2;
    maps.RemoveAll();
    EXPECT_TRUE(maps.entries.empty());
    EXPECT_EQ(maps.Extent(), QSize(1000, 1000));
    EXPECT_EQ(maps.zoom, 2);
}

TEST_F(MapEntries, CopyFromReloadsAndTakesExtentAndZoom) {
    CMapLocationList source;
    source.SetSearchFolder(folder);
    auto a = std::make_unique<CMapLocation>();
    a->reserved1 = 4;
    a->reserved2 = 5;
    a->searchFolder = folder;
    a->SetImage(RectL{0, 0, 30, 20}, Image("a.bmp", QSize(3, 2), Qt::red));
    source.entries.push_back(std::move(a));
    auto missing = std::make_unique<CMapLocation>();
    missing->fileName = "/nowhere/b.jpg";
    missing->placement = RectL{30, 0, 60, 20};
    source.entries.push_back(std::move(missing));
    source.extentWidth = 1234;
    source.extentHeight = 1111;
    source.zoom = 0.5;

    CMapLocationList copy;
    copy.SetSearchFolder(folder);
    copy.CopyFrom(source);
    ASSERT_EQ(copy.entries.size(), 2u);
    EXPECT_EQ(copy.entries[0]->reserved1, 4);
    EXPECT_EQ(copy.entries[0]->reserved2, 5);
    EXPECT_TRUE(copy.entries[0]->HasImage());
    EXPECT_EQ(copy.entries[1]->fileName, "/nowhere/b.jpg");
    EXPECT_EQ(copy.entries[1]->placement, (RectL{30, 0, 60, 20}));
    EXPECT_FALSE(copy.entries[1]->HasImage());
    EXPECT_TRUE(scripted().messages.isEmpty()) << "a file already searched for is not asked again";
    EXPECT_EQ(copy.Extent(), QSize(1234, 1111));
    EXPECT_EQ(copy.zoom, 0.5);
}

TEST_F(MapEntries, LaterEntriesCoverEarlierOnesAndEveryEntryIsDrawn) {
    CMapLocationList maps;
    for (auto [name, color, rect] :
         {std::tuple{"red.bmp", QColor(Qt::red), RectL{0, 0, 20, 20}},
          std::tuple{"blue.bmp", QColor(Qt::blue), RectL{10, 10, 30, 30}}}) {
        auto e = std::make_unique<CMapLocation>();
        e->SetImage(rect, Image(name, QSize(4, 4), color));
        maps.entries.push_back(std::move(e));
    }
    QImage canvas(40, 40, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    maps.DrawAll(p, QRect(0, 0, 40, 40));
    p.end();
    EXPECT_EQ(canvas.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(15, 15), qRgb(0, 0, 255));
    EXPECT_EQ(canvas.pixel(35, 35), qRgb(255, 255, 255));
}

TEST_F(MapEntries, ImpossiblePlacementsDrawNothing) {
    CMapLocation entry;
    entry.SetImage(RectL{0, 0, 4, 4}, Image("x.bmp", QSize(4, 4), Qt::black));
    QImage canvas(20, 20, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    for (RectL r : {RectL{10, 10, 0, 0}, RectL{INT32_MIN, 0, INT32_MAX, 10}, RectL{5, 5, 5, 9}}) {
        entry.placement = r;
        entry.Draw(p, 1.0, QRect(0, 0, 20, 20));
    }
    p.end();
    QImage white(20, 20, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(canvas, white);
}

}  // namespace
