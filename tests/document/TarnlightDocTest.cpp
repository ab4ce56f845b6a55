// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>

#include "LocationFixtures.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "document/TarnLocTemplate.h"
#include "document/TarnlightDoc.h"
#include "framework/ArchiveBytes.h"
#include "framework/Settings.h"
#include "resources/Strings.h"

using testutil::ReadAll;
using testutil::WriteAll;

namespace {

class Document : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        testutil::ClearSettings();
        doc.SetLocation(&location);
    }
    QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QString Bitmap(const QString& name, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(20, 120, 200));
        EXPECT_TRUE(image.save(Path(name), "BMP"));
        return Path(name);
    }
    // A rich location file with its images beside it.
    QString RichFile(const QString& name) {
        fixtures::WriteRichImages(dir.path());
        CTarnLocation rich;
        fixtures::FillRich(rich);
        EXPECT_TRUE(WriteAll(Path(name), fixtures::Store(rich)));
        return Path(name);
    }

    PromptsFixtureGuard prompts;
    QTemporaryDir dir;
    CTarnLocation location;
    CTarnlightDoc doc;
};

TEST_F(Document, NewLocationDefaults) {
    EXPECT_EQ(location.zoom, 1.0);
    EXPECT_EQ(location.Extent(), QSize(1000, 1000));
    for (int32_t flag : {location.showMaps, location.showMapPoints, location.showRedLines,
                         location.showUserPoints, location.reservedFlag})
        EXPECT_EQ(flag, 1);
    CCoordinate c;
    location.PixelToCoordinate(100, 100, c);
    EXPECT_EQ(c.LatitudeText(true), "N000-30-00");
    EXPECT_EQ(c.LongitudeText(true), "W000-30-00");
    c.latitude.FromDecimalDegrees(1.0);
    c.longitude.FromDecimalDegrees(1.0);
    EXPECT_DOUBLE_EQ(location.LongitudeToX(c), 200.0);
    EXPECT_DOUBLE_EQ(location.LatitudeToY(c), 200.0);
}

TEST_F(Document, ResetEmptiesButKeepsFlagsPensAndDrawingZooms) {
    fixtures::FillRich(location);
    location.showMaps = 0;
    location.zoom = 3;
    location.maps.zoom = 2;
    location.userInfoPoints.zoom = 2;
    location.maps.extentWidth = 4000;
    location.Reset();
    EXPECT_EQ(fixtures::ElementCount(location), 0u);
    EXPECT_EQ(location.zoom, 1.0);
    EXPECT_EQ(location.lon1, 0.0);
    EXPECT_EQ(location.y2, 200.0);
    EXPECT_EQ(location.Extent(), QSize(1000, 1000));
    EXPECT_EQ(location.showMaps, 0);
    EXPECT_EQ(location.showUserPoints, 0);
    EXPECT_EQ(location.reservedFlag, 7);
    EXPECT_EQ(location.freeHands.penWidth, 3);
    EXPECT_EQ(location.lineDraws.reserved, 11u);
    EXPECT_EQ(location.maps.zoom, 2);
    EXPECT_EQ(location.userInfoPoints.zoom, 2);
}

TEST_F(Document, OpeningABitmapMakesAOneMapLocation) {
    const QString pond = Bitmap("pond.BMP", QSize(120, 80));
    const QByteArray image = ReadAll(pond);
    location.mapPoints.AddPoint(1, 1, 0, 0, "", "");
    location.zoom = 2;
    ASSERT_TRUE(doc.OpenDocumentFile(pond));
    ASSERT_EQ(location.maps.entries.size(), 1u);
    EXPECT_EQ(location.maps.entries[0]->placement, (RectL{0, 0, 120, 80}));
    EXPECT_TRUE(location.maps.entries[0]->HasImage());
    EXPECT_TRUE(location.mapPoints.items.empty());
    EXPECT_EQ(location.zoom, 1.0);
    EXPECT_EQ(doc.GetTitle(), pond);
    EXPECT_EQ(doc.GetPathName(), pond);
    EXPECT_FALSE(doc.IsModified());

    // Save never writes an image name: it proposes pond.fnm instead.
    scripted().saveFile(Path("pond.fnm"));
    EXPECT_FALSE(doc.DoFileSave());
    EXPECT_EQ(scripted().proposedSaveNames, QStringList{Path("pond.fnm")});
    EXPECT_EQ(ReadAll(pond), image);
    EXPECT_EQ(doc.GetPathName(), Path("pond.fnm"));
    CTarnLocation saved;
    ASSERT_EQ(fixtures::Load(ReadAll(Path("pond.fnm")), saved, dir.path()), CArchive::Error::None);
    EXPECT_EQ(saved.maps.entries[0]->fileName, pond);
    EXPECT_EQ(saved.maps.entries[0]->placement, (RectL{0, 0, 120, 80}));
}

TEST_F(Document, OpeningAnOlderTemplateFile) {
    CTarnLocTemplate old;
    old.lon1 = 93.5;
    old.lat1 = 46.5;
    old.x2 = 640;
    old.y2 = 480;
    auto entry = std::make_unique<CMapLocation>();
    entry->fileName = "lake.bmp";
    entry->placement = RectL{0, 0, 1200, 900};
    old.maps.entries.push_back(std::move(entry));
    old.mapPoints.AddPoint(10, 20, CMapPoint::Rock, 3, "Reef", "shallow");
    old.mapPoints.AddPoint(30, 40, CMapPoint::City, 0, "Isle", "");
    Bitmap("lake.bmp", QSize(12, 9));
    const QString qlt = Path("lake.qlt");
    ASSERT_TRUE(WriteAll(qlt, archivebytes::Store([&](CArchive& ar) { old.Serialize(ar); })));

    fixtures::FillRich(location);
    location.zoom = 4;
    ASSERT_TRUE(doc.OpenDocumentFile(qlt));
    EXPECT_EQ(location.zoom, 1.0);
    EXPECT_EQ(location.lon1, 93.5);
    EXPECT_EQ(location.lat1, 46.5);
    EXPECT_EQ(location.x2, 640);
    EXPECT_EQ(location.y2, 480);
    EXPECT_EQ(location.lon2, 1.0);
    ASSERT_EQ(location.maps.entries.size(), 1u);
    EXPECT_TRUE(location.maps.entries[0]->HasImage()) << "found beside the file";
    EXPECT_EQ(location.Extent(), QSize(1200, 1000));
    ASSERT_EQ(location.mapPoints.items.size(), 2u);
    EXPECT_EQ(location.mapPoints.items[1]->name, "Isle");
    EXPECT_TRUE(location.freeHands.items.empty());
    EXPECT_TRUE(location.lineDraws.items.empty());
    EXPECT_TRUE(location.rectElipDraws.items.empty());
    EXPECT_TRUE(location.userInfoPoints.points.empty());
    EXPECT_TRUE(scripted().messages.isEmpty());
}

TEST_F(Document, SavedLocationReadsBackByteForByte) {
    const QString rich = RichFile("rich.fnm");
    const QByteArray original = ReadAll(rich);
    QSignalSpy resets(&doc, &CTarnlightDoc::resetAfterLoad);
    QSignalSpy invalidations(&doc, &CTarnlightDoc::invalidateView);
    ASSERT_TRUE(doc.OpenDocumentFile(rich));
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(invalidations.count(), 1);
    EXPECT_TRUE(location.maps.entries[0]->HasImage());
    EXPECT_TRUE(location.maps.entries[1]->HasImage());
    EXPECT_EQ(location.maps.entries[1]->image.isBitmap, 0);
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.DoFileSave());
    EXPECT_EQ(resets.count(), 2) << "the view resets after a write too";
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(ReadAll(rich), original);
    EXPECT_TRUE(scripted().messages.isEmpty());
}

TEST_F(Document, MissingImageCancelledIsKeptAndSavedUnchanged) {
    CTarnLocation source;
    auto entry = std::make_unique<CMapLocation>();
    entry->fileName = "/nowhere/charts/bay.jpg";
    entry->placement = RectL{0, 0, 1600, 1200};
    source.maps.entries.push_back(std::move(entry));
    const QString path = Path("bay.fnm");
    const QByteArray bytes = fixtures::Store(source);
    ASSERT_TRUE(WriteAll(path, bytes));

    ASSERT_TRUE(doc.OpenDocumentFile(path));
    EXPECT_EQ(scripted().messages,
              QStringList{QString(str::ImageNotFound).arg("/nowhere/charts/bay.jpg")});
    ASSERT_EQ(location.maps.entries.size(), 1u);
    EXPECT_FALSE(location.maps.entries[0]->HasImage());
    EXPECT_EQ(location.Extent(), QSize(1600, 1200));
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.DoFileSave());
    EXPECT_EQ(ReadAll(path), bytes);
}

TEST_F(Document, MissingImageFoundBesideTheFileIsNotAskedFor) {
    CTarnLocation source;
    auto entry = std::make_unique<CMapLocation>();
    entry->fileName = "D:\\Old PC\\Maps\\bay.bmp";
    entry->placement = RectL{0, 0, 30, 20};
    source.maps.entries.push_back(std::move(entry));
    const QString path = Path("bay.fnm");
    ASSERT_TRUE(WriteAll(path, fixtures::Store(source)));
    const QString bay = Bitmap("bay.bmp", QSize(30, 20));

    ASSERT_TRUE(doc.OpenDocumentFile(path));
    EXPECT_TRUE(scripted().messages.isEmpty());
    EXPECT_TRUE(scripted().openFilters.isEmpty());
    EXPECT_TRUE(location.maps.entries[0]->HasImage());
    EXPECT_EQ(location.maps.entries[0]->fileName, "bay.bmp");
    EXPECT_EQ(location.maps.entries[0]->ResolvedPath(), bay);
}

TEST_F(Document, FailedReadLeavesThePreviousLocationAndName) {
    const QString rich = RichFile("rich.fnm");
    const QByteArray original = ReadAll(rich);
    const QString broken = Path("broken.fnm");
    ASSERT_TRUE(WriteAll(broken, original.left(original.size() - 7)));
    ASSERT_TRUE(doc.OpenDocumentFile(rich));
    location.mapPoints.AddPoint(5, 6, 0, 0, "unsaved", "");
    doc.SetModifiedFlag(true);
    const QString title = doc.GetTitle();

    QSignalSpy resets(&doc, &CTarnlightDoc::resetAfterLoad);
    EXPECT_FALSE(doc.OnOpenDocument(broken));
    EXPECT_EQ(scripted().messages, QStringList{str::UnexpectedFileFormat});
    EXPECT_GE(resets.count(), 1) << "the view is told to show the location again";
    EXPECT_EQ(doc.GetTitle(), title);
    EXPECT_EQ(doc.GetPathName(), rich);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(location.mapPoints.items.size(), 4u) << "nothing of the damaged file is kept";
    EXPECT_EQ(location.mapPoints.items.back()->name, "unsaved");
    EXPECT_EQ(location.maps.entries.size(), 2u);
    EXPECT_TRUE(location.maps.entries[0]->HasImage());
    EXPECT_EQ(ReadAll(broken), original.left(original.size() - 7));
}

TEST_F(Document, ZeroLengthFileIsNotRead) {
    fixtures::FillRich(location);
    ASSERT_TRUE(WriteAll(Path("empty.fnm"), QByteArray()));
    doc.SetModifiedFlag(true);
    EXPECT_TRUE(doc.OnOpenDocument(Path("empty.fnm")));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(location.mapPoints.items.size(), 3u);
}

TEST_F(Document, MissingFileLeavesTheLocation) {
    fixtures::FillRich(location);
    EXPECT_FALSE(doc.OnOpenDocument(Path("gone.fnm")));
    EXPECT_EQ(scripted().messages, QStringList{QString(str::FileNotFound).arg(Path("gone.fnm"))});
    EXPECT_EQ(location.mapPoints.items.size(), 3u);
}

TEST_F(Document, OpenCommandAsksToSaveChangesFirst) {
    const QString rich = RichFile("rich.fnm");
    location.mapPoints.AddPoint(1, 2, 0, 0, "unsaved", "");
    doc.SetModifiedFlag(true);

    scripted().answer(Prompts::Answer::Cancel);
    doc.OnFileOpen();
    EXPECT_EQ(scripted().messages, QStringList{QString(str::SaveChanges).arg(str::Untitled)});
    EXPECT_TRUE(scripted().openFilters.isEmpty()) << "Cancel stops the command";
    EXPECT_EQ(location.mapPoints.items.size(), 1u);

    scripted().answer(Prompts::Answer::No);
    scripted().openFile(rich);
    doc.OnFileOpen();
    EXPECT_EQ(scripted().openFilters, QStringList{str::OpenFilter});
    EXPECT_EQ(location.mapPoints.items.size(), 3u);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), rich);
}

TEST_F(Document, SaveAsUnderAnImageNameLeavesTheImageAlone) {
    for (const char* name : {"lake.jpg", "chart.BMP", "old.qlt"}) {
        const QString target = Path(name);
        const QByteArray image("not really an image, but precious");
        ASSERT_TRUE(WriteAll(target, image));
        fixtures::FillRich(location);
        scripted().reset();
        scripted().saveFile(target);
        EXPECT_FALSE(doc.OnFileSaveAs());
        EXPECT_EQ(ReadAll(target), image) << name;
        ASSERT_EQ(scripted().proposedSaveNames.size(), 2) << name;
        EXPECT_EQ(scripted().proposedSaveNames[1], target.left(target.size() - 3) + "fnm") << name;
        location.Reset();
    }
}

TEST_F(Document, SaveAsAfterOpeningAnImageProposesTheLocationName) {
    const QString lake = Bitmap("lake.bmp", QSize(10, 10));
    ASSERT_TRUE(doc.OpenDocumentFile(lake));
    scripted().saveFile(Path("chosen.fnm"));
    EXPECT_TRUE(doc.OnFileSaveAs());
    EXPECT_EQ(scripted().proposedSaveNames, QStringList{Path("lake.fnm")});
    EXPECT_EQ(doc.GetPathName(), Path("chosen.fnm"));
    EXPECT_EQ(doc.GetTitle(), Path("chosen.fnm"));
    EXPECT_TRUE(QFile::exists(Path("chosen.fnm")));
}

// A document whose writes fail half-way, as a full disk or a pulled stick
// would make them.
class FailingDoc : public CTarnlightDoc {
public:
    void Serialize(CArchive& ar) override {
        CTarnlightDoc::Serialize(ar);
        if (ar.IsStoring()) ar.SetError(CArchive::Error::WriteFault);
    }
};

TEST_F(Document, FailedSaveKeepsTheOldFileAndTheChanges) {
    const QString rich = RichFile("rich.fnm");
    const QByteArray original = ReadAll(rich);
    FailingDoc failing;
    failing.SetLocation(&location);
    ASSERT_TRUE(failing.OpenDocumentFile(rich));
    location.mapPoints.RemoveAll();
    failing.SetModifiedFlag(true);
    EXPECT_FALSE(failing.DoFileSave());
    EXPECT_EQ(ReadAll(rich), original);
    EXPECT_TRUE(failing.IsModified());
    EXPECT_EQ(failing.GetPathName(), rich);
    EXPECT_EQ(scripted().messages, QStringList{QString(str::WriteFault).arg(rich)});
    EXPECT_EQ(QDir(dir.path()).entryList(QStringList{"rich.fnm*"}, QDir::Files),
              QStringList{"rich.fnm"})
        << "no temporary left behind";
}

TEST_F(Document, ImpossibleSavesLeaveEverythingAsItWas) {
    const QString rich = RichFile("rich.fnm");
    ASSERT_TRUE(doc.OpenDocumentFile(rich));
    const QByteArray original = ReadAll(rich);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.fnm"));
    struct Case {
        QString target;
        QString message;
    };
    std::vector<Case> cases = {
        {Path("folder.fnm"), QString(str::NotAFile).arg(Path("folder.fnm"))},
        {Path("no/such/folder/x.fnm"), QString(str::WriteFault).arg(Path("no/such/folder/x.fnm"))},
    };
    // Permissions do not stop root; the case only means something for users.
    const QString locked = Path("locked");
    if (geteuid() != 0) {
        QDir(dir.path()).mkdir("locked");
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        cases.push_back({locked + "/x.fnm", QString(str::AccessDenied).arg(locked + "/x.fnm")});
    }
    for (const Case& c : cases) {
        scripted().reset();
        doc.SetModifiedFlag(true);
        EXPECT_FALSE(doc.DoSave(c.target)) << c.target.toStdString();
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.GetPathName(), rich);
        EXPECT_EQ(doc.GetTitle(), rich);
        EXPECT_EQ(scripted().messages, QStringList{c.message});
    }
    EXPECT_EQ(ReadAll(rich), original);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(Document, FirstNewDocumentReopensTheLastFile) {
    const QString rich = RichFile("rich.fnm");
    SettingsStore::instance().SetString(setting::LastFile, rich);
    doc.loadLastFile = 1;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.startupDone, 1);
    EXPECT_EQ(location.mapPoints.items.size(), 3u);
    EXPECT_EQ(doc.GetTitle(), rich);
    EXPECT_EQ(doc.GetPathName(), rich);
    EXPECT_FALSE(doc.IsModified());

    // Every later New empties the location but keeps the layer flags.
    location.showMaps = 0;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(fixtures::ElementCount(location), 0u);
    EXPECT_EQ(location.showMaps, 0);
    EXPECT_EQ(doc.GetTitle(), str::Untitled);
    EXPECT_TRUE(doc.GetPathName().isEmpty());
}

TEST_F(Document, FirstNewDocumentCarriesAMissingLastFileAsItsName) {
    const QString gone = Path("gone.fnm");
    SettingsStore::instance().SetString(setting::LastFile, gone);
    doc.loadLastFile = 1;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(scripted().messages, QStringList{QString(str::FileNotFound).arg(gone)});
    EXPECT_EQ(doc.GetTitle(), gone);
    EXPECT_EQ(doc.GetPathName(), gone);
}

TEST_F(Document, FirstNewDocumentDoesNotNameAnUnreadableLastFile) {
    const QString broken = Path("broken.fnm");
    ASSERT_TRUE(WriteAll(broken, QByteArray(40, '\x01')));
    SettingsStore::instance().SetString(setting::LastFile, broken);
    doc.loadLastFile = 1;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(scripted().messages, QStringList{str::UnexpectedFileFormat});
    EXPECT_TRUE(doc.GetPathName().isEmpty());
    EXPECT_EQ(doc.GetTitle(), str::Untitled);
}

TEST_F(Document, WithoutLoadLastFileNothingIsOpened) {
    SettingsStore::instance().SetString(setting::LastFile, RichFile("rich.fnm"));
    fixtures::FillRich(location);
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.startupDone, 1);
    // Even the first New of a run gives the empty location when nothing is reopened.
    EXPECT_TRUE(location.mapPoints.items.empty());
    EXPECT_TRUE(location.freeHands.items.empty());
    EXPECT_TRUE(scripted().messages.isEmpty());
}

TEST_F(Document, UserInfoPointsGetWindowsInTheViewWindow) {
    const QString rich = RichFile("rich.fnm");
    QWidget view;
    doc.SetViewWindow(&view);
    ASSERT_TRUE(doc.OpenDocumentFile(rich));
    ASSERT_EQ(location.userInfoPoints.points.size(), 2u);
    QWidget* w = location.userInfoPoints.points[0]->Window();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->parentWidget(), &view);
    EXPECT_EQ(w->pos(), QPoint(12, 8));

    doc.SetViewWindow(nullptr);
    ASSERT_TRUE(doc.OpenDocumentFile(rich));
    EXPECT_EQ(location.userInfoPoints.points[0]->Window(), nullptr);
    EXPECT_TRUE(view.findChildren<QWidget*>().isEmpty());
}

}  // namespace
