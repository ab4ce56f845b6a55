// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <functional>
#include <iostream>
#include <map>

#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "AllocationMeter.h"
#include "LocationFixtures.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "document/TarnLocTemplate.h"
#include "document/TarnLocation.h"
#include "document/TarnlightDoc.h"
#include "framework/ArchiveBytes.h"
#include "resources/Strings.h"

using testutil::FromHex;
using testutil::ReadAll;
using testutil::WriteAll;

namespace {

// What opening a hostile file may end in.
enum class Expect {
    Opens,               // read completely, no message but a missing-image search
    FormatFault,         // "Unexpected file format." and the previous location kept
    OpensOrFormatFault,  // damaged somewhere the format cannot tell: either of the above
    Refused,             // not read at all: the given message, nothing changed
};

struct Case {
    std::string what;
    QString fileName;
    QByteArray bytes;
    Expect expect;
    QString message = {};                           // for Refused
    std::function<void(const QString&)> make = {};  // makes the file instead of bytes
    std::function<void()> afterwards = {};          // extra checks after an Opens
};

// Runs blocks as another user, so permissions count even for root: the
// filesystem uid is per thread and only affects access checks.
class AsNobody {
public:
    AsNobody() : active(geteuid() == 0) {
        if (active) setfsuid(65534);
    }
    ~AsNobody() {
        if (active) setfsuid(0);
    }

private:
    bool active;
};

constexpr int64_t kFixedAllowance = 2 << 20;
constexpr int64_t kPerFileByte = 16;

QByteArray JpegBytes(QSize size, bool progressive = false) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x * 6, y * 8, (x * y) & 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPG");
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

// The frame header's height and width replaced.
QByteArray WithDeclaredSize(QByteArray jpeg, int width, int height) {
    const qsizetype sof = jpeg.indexOf(QByteArray::fromHex("FFC0")) >= 0
                              ? jpeg.indexOf(QByteArray::fromHex("FFC0"))
                              : jpeg.indexOf(QByteArray::fromHex("FFC2"));
    if (sof < 0) return {};
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 255);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 255);
    return jpeg;
}

// Every file below folder with its bytes; what a failed open must not change.
std::map<QString, QByteArray> Snapshot(const QString& folder) {
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (QFileInfo(path).isFile() && QFileInfo(path).isReadable()) files[path] = ReadAll(path);
    }
    return files;
}

class BadInputMatrix : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        fixtures::WriteRichImages(dir.path());
        CTarnLocation rich;
        fixtures::FillRich(rich);
        richBytes = fixtures::Store(rich);
        CTarnLocTemplate old;
        static_cast<Calibration&>(old) = static_cast<const Calibration&>(rich);
        old.maps.SetSearchFolder(dir.path());
        old.maps.CopyFrom(rich.maps);
        old.mapPoints.CopyFrom(rich.mapPoints);
        qltBytes = archivebytes::Store([&](CArchive& ar) { old.Serialize(ar); });
        previousPath = Path("previous.fnm");
        ASSERT_TRUE(WriteAll(previousPath, richBytes));
        doc.SetLocation(&location);
        OpenPrevious();
    }

    QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }

    // The document before every case: the rich location with one unsaved
    // change.
    void OpenPrevious() {
        scripted().reset();
        ASSERT_TRUE(doc.OpenDocumentFile(previousPath));
        location.mapPoints.AddPoint(7, 7, 0, 0, "unsaved", "");
        doc.SetModifiedFlag(true);
        previousContent = fixtures::Store(location);
        previousTitle = doc.GetTitle();
        scripted().reset();
    }

    void ExpectPreviousDocument(const std::string& what) {
        EXPECT_EQ(fixtures::Store(location), previousContent) << what;
        EXPECT_EQ(doc.GetTitle(), previousTitle) << what;
        EXPECT_EQ(doc.GetPathName(), previousPath) << what;
        EXPECT_TRUE(doc.IsModified()) << what;
    }

    void Run(const Case& c) {
        ++casesRun;
        const QString path = Path(c.fileName);
        if (c.make)
            c.make(path);
        else
            ASSERT_TRUE(WriteAll(path, c.bytes)) << c.what;
        const auto before = Snapshot(dir.path());
        const int64_t size = QFileInfo(path).isFile() ? QFileInfo(path).size() : 0;

        scripted().reset();
        const int64_t heldBefore = allocmeter::Current();
        allocmeter::ResetPeak();
        QElapsedTimer clock;
        clock.start();
        const bool opened = doc.OnOpenDocument(path);
        slowest = std::max<int64_t>(slowest, clock.elapsed());
        if (allocmeter::Enabled()) {
            EXPECT_LT(allocmeter::Peak() - heldBefore, kFixedAllowance + kPerFileByte * size)
                << c.what;
        }
        EXPECT_EQ(Snapshot(dir.path()), before) << c.what << ": files on disk changed";

        const QStringList shown = scripted().messages;
        auto onlySearches = [&] {
            // The search for a missing image, and the report of one that
            // cannot be opened, are the only messages a complete read gives.
            for (const QString& m : shown)
                if (!m.startsWith(QString(str::ImageNotFound).section("%1", 0, 0)) &&
                    !m.startsWith(QString(str::JpegCantOpen).section("%1", 0, 0)))
                    return false;
            return true;
        };
        const bool fault = !opened && shown.size() == 1 && shown[0] == str::UnexpectedFileFormat;
        switch (c.expect) {
            case Expect::Opens:
                EXPECT_TRUE(opened) << c.what << " " << shown.join(" | ");
                EXPECT_TRUE(onlySearches()) << c.what << " " << shown.join(" | ");
                break;
            case Expect::FormatFault:
                EXPECT_TRUE(fault) << c.what << " " << shown.join(" | ");
                break;
            case Expect::OpensOrFormatFault:
                EXPECT_TRUE(fault || (opened && onlySearches()))
                    << c.what << " " << shown.join(" | ");
                break;
            case Expect::Refused:
                EXPECT_FALSE(opened) << c.what;
                EXPECT_EQ(shown, QStringList{c.message}) << c.what;
                break;
        }
        if (!opened) {
            ExpectPreviousDocument(c.what);
        } else {
            EXPECT_FALSE(doc.IsModified()) << c.what;
            if (c.afterwards) c.afterwards();
            OpenPrevious();
        }
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(path);
    }

    void RunAll(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            Run(c);
            if (HasFatalFailure()) return;
        }
    }

    // Truncation at every length and single-byte damage at every offset.
    std::vector<Case> EveryCutAndByte(const QByteArray& good, const QString& name) {
        std::vector<Case> cases;
        for (int length = 1; length < good.size(); ++length)
            cases.push_back(
                {"cut at " + std::to_string(length), name, good.left(length), Expect::FormatFault});
        for (int at = 0; at < good.size(); ++at) {
            for (int flip : {0xFF, 0x01, 0x80}) {
                QByteArray bad = good;
                bad[at] = char(uint8_t(bad[at]) ^ flip);
                cases.push_back({"byte " + std::to_string(at) + " ^ " + std::to_string(flip), name,
                                 bad, Expect::OpensOrFormatFault});
            }
        }
        return cases;
    }

    // The matrix's size and its slowest open, for the record.
    static void TearDownTestSuite() {
        std::cout << "bad-input matrix: " << casesRun << " cases, slowest open " << slowest
                  << " ms\n";
    }
    static inline int casesRun = 0;
    static inline int64_t slowest = 0;

    PromptsFixtureGuard prompts;
    QTemporaryDir dir;
    QByteArray richBytes;
    QByteArray qltBytes;
    QString previousPath;
    QByteArray previousContent;
    QString previousTitle;
    CTarnLocation location;
    CTarnlightDoc doc;
};

TEST_F(BadInputMatrix, EveryTruncationAndDamagedByteOfALocation) {
    RunAll(EveryCutAndByte(richBytes, "damaged.fnm"));
}

TEST_F(BadInputMatrix, EveryTruncationAndDamagedByteOfAnOlderTemplate) {
    RunAll(EveryCutAndByte(qltBytes, "damaged.qlt"));
}

TEST_F(BadInputMatrix, FilesThatAreNotLocations) {
    const std::vector<Case> cases = {
        {"zero-length file",
         "empty.fnm",
         QByteArray(),
         Expect::Opens,
         {},
         {},
         [&] { EXPECT_EQ(fixtures::Store(location), previousContent) << "nothing read"; }},
        {"a folder",
         "folder.fnm",
         {},
         Expect::Refused,
         QString(str::NotAFile).arg(Path("folder.fnm")),
         [](const QString& p) { QDir().mkpath(p); }},
        {"a missing file",
         "gone.fnm",
         {},
         Expect::Refused,
         QString(str::FileNotFound).arg(Path("gone.fnm")),
         [](const QString&) {}},
        {"a link to nowhere",
         "dangling.fnm",
         {},
         Expect::Refused,
         QString(str::FileNotFound).arg(Path("dangling.fnm")),
         [&](const QString& p) { QFile::link(Path("nowhere.fnm"), p); }},
        {"a named pipe",
         "pipe.fnm",
         {},
         Expect::Refused,
         str::FailedToOpenDocument,
         [](const QString& p) { mkfifo(QFile::encodeName(p).constData(), 0644); }},
        {"a NUL-filled file", "zeros.fnm", QByteArray(4096, '\0'), Expect::OpensOrFormatFault},
        {"random text", "text.fnm", QByteArray("Mille Lacs, north shore\r\n", 25),
         Expect::FormatFault},
        {"an image under a location name", "photo.fnm", JpegBytes({8, 8}), Expect::FormatFault},
        {"a location under a template name", "swapped.qlt", richBytes, Expect::OpensOrFormatFault},
        {"a template under a location name", "swapped.fnm", qltBytes, Expect::FormatFault},
    };
    RunAll(cases);
}

TEST_F(BadInputMatrix, AnUnreadableFile) {
    const QString path = Path("locked.fnm");
    ASSERT_TRUE(WriteAll(path, richBytes));
    QFile::setPermissions(path, QFileDevice::Permissions());
    // Others may pass through the folder, not read the file.
    chmod(QFile::encodeName(dir.path()).constData(), 0711);
    {
        AsNobody nobody;
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
        if (fd >= 0) {
            ::close(fd);
            GTEST_SKIP() << "permissions do not apply here";
        }
        scripted().reset();
        EXPECT_FALSE(doc.OnOpenDocument(path));
    }
    EXPECT_EQ(scripted().messages, QStringList{QString(str::AccessDenied).arg(path)});
    ExpectPreviousDocument("unreadable");
    EXPECT_EQ(ReadAll(path), richBytes);
    ++casesRun;
}

// Byte-level damage at the named structures of the rich file.
TEST_F(BadInputMatrix, StringsIndexesAndCounts) {
    const int freeHand = int(richBytes.indexOf("CFreeHand"));
    const int mapPoint = int(richBytes.indexOf("CMapPoint"));
    const int deep = int(richBytes.indexOf("Deep"));
    ASSERT_GT(freeHand, 0);
    ASSERT_GT(deep, mapPoint);
    const int secondStrokeTag = freeHand + 9 + 64;
    const int mapsCount = 92;
    ASSERT_EQ(richBytes.mid(secondStrokeTag, 2), FromHex("01 80"));
    auto at = [&](int offset, int length, const QByteArray& with) {
        return QByteArray(richBytes).replace(offset, length, with);
    };
    auto hex = [](const char* h) { return FromHex(h); };
    auto wide = [](const QString& s) {
        QByteArray out = FromHex("FF FE FF");
        out.append(char(s.size()));
        for (QChar c : s) out.append(char(c.unicode() & 255)).append(char(c.unicode() >> 8));
        return out;
    };
    auto named = [&](const char* name) {
        return [this, name] {
            ASSERT_EQ(location.mapPoints.items.size(), 3u);
            EXPECT_EQ(location.mapPoints.items[0]->name, QString::fromUtf8(name));
        };
    };
    const std::vector<Case> cases = {
        // Strings stored with 16-bit characters.
        {"16-bit name",
         "wide1.fnm",
         at(deep - 1, 5, wide("Deep")),
         Expect::Opens,
         {},
         {},
         named("Deep")},
        {"16-bit name beyond Latin",
         "wide2.fnm",
         at(deep - 1, 5, wide(QString::fromUtf8("\u6e56\u00e9\u20ac"))),
         Expect::Opens,
         {},
         {},
         named("\u6e56\u00e9\u20ac")},
        {"16-bit name with a lone surrogate", "wide3.fnm",
         at(deep - 1, 5, FromHex("FF FE FF 02 00 D8 41 00")), Expect::Opens},
        {"16-bit name of zero characters",
         "wide4.fnm",
         at(deep - 1, 5, hex("FF FE FF 00")),
         Expect::Opens,
         {},
         {},
         named("")},
        {"16-bit name cut in a character", "wide5.fnm",
         richBytes.left(deep - 1) + hex("FF FE FF 05 41 00 42"), Expect::FormatFault},
        {"16-bit length 2^32 - 1", "wide6.fnm", at(deep - 1, 5, hex("FF FE FF FF FF FF FF FF FF")),
         Expect::FormatFault},
        {"a NUL inside a map's name",
         "nul.fnm",
         at(richBytes.indexOf("west.bmp") + 1, 1, hex("00")),
         Expect::Opens,
         {},
         {},
         [this] {
             ASSERT_EQ(location.maps.entries.size(), 2u);
             EXPECT_FALSE(location.maps.entries[0]->HasImage());
             EXPECT_EQ(scripted().messages.size(), 1) << "one search, for the damaged name";
         }},
        // Tagged-object indexes.
        {"class index 0", "tag1.fnm", at(secondStrokeTag, 2, hex("00 80")), Expect::FormatFault},
        {"object index 0 (null)", "tag2.fnm", at(secondStrokeTag, 2, hex("00 00")),
         Expect::FormatFault},
        {"class index out of range", "tag3.fnm", at(secondStrokeTag, 2, hex("7E 80")),
         Expect::FormatFault},
        {"0x7FFF escape to a 32-bit class index", "tag4.fnm",
         at(secondStrokeTag, 2, hex("FF 7F 01 00 00 80")), Expect::OpensOrFormatFault},
        {"0x7FFF escape out of range", "tag5.fnm", at(secondStrokeTag, 2, hex("FF 7F FF FF FF FF")),
         Expect::FormatFault},
        {"0x7FFF escape cut short", "tag6.fnm", richBytes.left(secondStrokeTag) + hex("FF 7F 01"),
         Expect::FormatFault},
        {"a new-class tag with a huge name", "tag7.fnm",
         at(secondStrokeTag, 2, hex("FF FF 01 00 FF FF")), Expect::FormatFault},
        // Counts near 2^32.
        {"maps count 2^32 - 1", "count1.fnm", at(mapsCount, 4, hex("FF FF FF FF")),
         Expect::FormatFault},
        {"maps count 2^31", "count2.fnm", at(mapsCount, 4, hex("00 00 00 80")),
         Expect::FormatFault},
        {"maps count 2^32 - 2", "count3.fnm", at(mapsCount, 4, hex("FE FF FF FF")),
         Expect::FormatFault},
        {"stroke count escaped to 2^32 - 1", "count4.fnm",
         at(freeHand - 8, 2, hex("FF FF FF FF FF FF")), Expect::FormatFault},
    };
    RunAll(cases);
}

// Map images that cannot or must not be decoded: the location opens, the
// entry stays without its picture, and nothing is allocated for it.
TEST_F(BadInputMatrix, HostileImages) {
    const QByteArray jpeg = JpegBytes({40, 30});
    const QByteArray progressive = JpegBytes({40, 30}, true);
    QByteArray badBitmap = ReadAll(Path("west.bmp"));
    badBitmap[14] = char(0x7F);  // info header size
    QByteArray hugeBitmap = ReadAll(Path("west.bmp"));
    hugeBitmap.replace(18, 8, FromHex("FF FF 00 00 FF FF 00 00"));  // 65535 x 65535

    struct Image {
        std::string what;
        QString name;
        QByteArray bytes;
        bool decodes;
    };
    const std::vector<Image> images = {
        {"a JPEG declaring 65500 x 65500", "huge.jpg", WithDeclaredSize(jpeg, 65500, 65500), false},
        {"a progressive JPEG declaring 65500 x 65500", "hugep.jpg",
         WithDeclaredSize(progressive, 65500, 65500), false},
        {"a JPEG cut inside its picture data", "cut.jpg", jpeg.left(jpeg.size() - 40), true},
        {"a JPEG cut inside its header", "cuthead.jpg", jpeg.left(40), false},
        {"an empty JPEG", "none.jpg", QByteArray(), false},
        {"a BMP with a bad header", "bad.bmp", badBitmap, false},
        {"a BMP declaring 65535 x 65535", "huge.bmp", hugeBitmap, false},
        {"a BMP cut inside its pixels", "cut.bmp", ReadAll(Path("west.bmp")).left(600), true},
        {"a BMP cut inside its header", "cuthead.bmp", ReadAll(Path("west.bmp")).left(30), false},
    };
    std::vector<Case> cases;
    for (const Image& image : images) {
        ASSERT_TRUE(WriteAll(Path(image.name), image.bytes));
        CTarnLocation one;
        auto entry = std::make_unique<CMapLocation>();
        entry->fileName = image.name;
        entry->placement = RectL{0, 0, 40, 30};
        one.maps.entries.push_back(std::move(entry));
        const bool decodes = image.decodes;
        const std::string what = image.what;
        cases.push_back({image.what + " in a location",
                         "with-" + image.name + ".fnm",
                         fixtures::Store(one),
                         Expect::Opens,
                         {},
                         {},
                         [this, decodes, what] {
                             ASSERT_EQ(location.maps.entries.size(), 1u);
                             EXPECT_EQ(location.maps.entries[0]->HasImage(), decodes) << what;
                         }});
        // Opened directly as a one-image location.
        cases.push_back(
            {image.what + " opened", "direct-" + image.name, image.bytes, Expect::Opens});
    }
    // A pipe named as a map image must not block the read.
    cases.push_back({"a named pipe as a map image",
                     "pipe-image.fnm",
                     {},
                     Expect::Opens,
                     {},
                     [this](const QString& p) {
                         mkfifo(QFile::encodeName(Path("pipe.jpg")).constData(), 0644);
                         mkfifo(QFile::encodeName(Path("pipe.bmp")).constData(), 0644);
                         CTarnLocation two;
                         for (const char* name : {"pipe.jpg", "pipe.bmp"}) {
                             auto entry = std::make_unique<CMapLocation>();
                             entry->fileName = name;
                             entry->placement = RectL{0, 0, 40, 30};
                             two.maps.entries.push_back(std::move(entry));
                         }
                         WriteAll(p, fixtures::Store(two));
                     }});
    RunAll(cases);
    QFile::remove(Path("pipe.jpg"));
    QFile::remove(Path("pipe.bmp"));
}

// One chart named a thousand times costs one decode and, when it is
// missing, one question.
TEST_F(BadInputMatrix, OneImageNamedManyTimes) {
    QImage big(1000, 800, QImage::Format_RGB32);
    big.fill(QColor(10, 80, 160));
    ASSERT_TRUE(big.save(Path("big.jpg"), "JPG"));
    CTarnLocation many;
    for (int i = 0; i < 1000; ++i) {
        auto entry = std::make_unique<CMapLocation>();
        entry->fileName = (i % 2) ? "big.jpg" : "./big.jpg";
        entry->placement = RectL{0, 0, 1000, 800};
        many.maps.entries.push_back(std::move(entry));
    }
    const QByteArray bytes = fixtures::Store(many);
    ASSERT_TRUE(WriteAll(Path("many.fnm"), bytes));
    const int64_t heldBefore = allocmeter::Current();
    allocmeter::ResetPeak();
    ASSERT_TRUE(doc.OnOpenDocument(Path("many.fnm")));
    if (allocmeter::Enabled()) {
        const int64_t oneDecode = 1000 * 800 * 3;
        EXPECT_LT(allocmeter::Peak() - heldBefore,
                  kFixedAllowance + kPerFileByte * bytes.size() + 2 * oneDecode);
    }
    ASSERT_EQ(location.maps.entries.size(), 1000u);
    EXPECT_EQ(location.maps.entries[0]->image.source, location.maps.entries[999]->image.source);
    EXPECT_TRUE(location.maps.entries[999]->HasImage());

    // Missing: asked once, declined once, every entry kept for the next save.
    ASSERT_TRUE(QFile::remove(Path("big.jpg")));
    scripted().reset();
    ASSERT_TRUE(doc.OnOpenDocument(Path("many.fnm")));
    EXPECT_EQ(scripted().messages.size(), 2) << "one question per distinct name";
    EXPECT_EQ(location.maps.entries.size(), 1000u);
    EXPECT_EQ(fixtures::Store(location), bytes);
    casesRun += 2;
}

// Saving must never cost the previous file: each failure leaves it byte for
// byte, shows a message and keeps the document modified.
class SaveUnderFailure : public BadInputMatrix {
protected:
    static void TearDownTestSuite() {}  // not part of the matrix's count
    void ExpectFailedSave(const QString& target, const QByteArray& onDisk, const QString& message,
                          const std::string& what) {
        scripted().reset();
        EXPECT_FALSE(doc.OnSaveDocument(target)) << what;
        EXPECT_EQ(scripted().messages, QStringList{message}) << what;
        EXPECT_TRUE(doc.IsModified()) << what;
        if (!onDisk.isNull()) {
            EXPECT_EQ(ReadAll(target), onDisk) << what;
        }
        EXPECT_EQ(QDir(QFileInfo(target).absolutePath())
                      .entryList(QDir::Files | QDir::Hidden)
                      .filter(QFileInfo(target).fileName() + "."),
                  QStringList())
            << what << ": no temporary file left behind";
    }
};

TEST_F(SaveUnderFailure, ReadOnlyFolderAndFolderTarget) {
    QDir(dir.path()).mkpath("shelf");
    const QString kept = Path("shelf/kept.fnm");
    ASSERT_TRUE(WriteAll(kept, richBytes));
    chmod(QFile::encodeName(Path("shelf")).constData(), 0555);
    chmod(QFile::encodeName(dir.path()).constData(), 0755);
    {
        AsNobody nobody;
        if (QFile(Path("shelf/probe")).open(QIODevice::WriteOnly))
            GTEST_SKIP() << "permissions do not apply here";
        ExpectFailedSave(kept, richBytes, QString(str::AccessDenied).arg(kept), "read-only folder");
        ExpectFailedSave(Path("shelf/new.fnm"), QByteArray(),
                         QString(str::AccessDenied).arg(Path("shelf/new.fnm")), "new file there");
    }
    EXPECT_FALSE(QFile::exists(Path("shelf/new.fnm")));
    chmod(QFile::encodeName(Path("shelf")).constData(), 0755);

    QDir(dir.path()).mkpath("target.fnm");
    ExpectFailedSave(Path("target.fnm"), QByteArray(),
                     QString(str::NotAFile).arg(Path("target.fnm")), "folder as target");
    EXPECT_TRUE(QFileInfo(Path("target.fnm")).isDir());
}

TEST_F(SaveUnderFailure, DiskFull) {
    const QString mountPoint = Path("small");
    QDir().mkpath(mountPoint);
    if (mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no small file system can be mounted here";
    struct Unmount {
        QByteArray at;
        ~Unmount() { umount2(at.constData(), MNT_DETACH); }
    } unmount{QFile::encodeName(mountPoint)};

    const QString kept = mountPoint + "/kept.fnm";
    ASSERT_TRUE(WriteAll(kept, richBytes));
    // A location larger than what is left on the disk.
    for (int i = 0; i < 4000; ++i)
        location.mapPoints.AddPoint(i, i, 0, 0, QString("spot %1").arg(i), "a long note to fill");
    doc.SetModifiedFlag(true);
    ExpectFailedSave(kept, richBytes, str::DiskFull, "disk full");
    // Space was given back: the next save of a small location succeeds.
    location.mapPoints.RemoveAll();
    scripted().reset();
    EXPECT_TRUE(doc.OnSaveDocument(kept));
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
