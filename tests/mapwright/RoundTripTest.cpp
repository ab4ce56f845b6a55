// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QLineEdit>
#include <QTemporaryDir>
#include <array>

#include "MapwrightTestSupport.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "document/TarnlightDoc.h"
#include "framework/DataExchange.h"
#include "geo/DegMinSec.h"
#include "mapwright/EditorDoc.h"

namespace {

ScriptedPrompts::DialogScript SetPoint(int point, std::array<int, 6> dms) {
    return [point, dms](QDialog& d) {
        Control<QComboBox>(&d, 1034)->setCurrentIndex(point);
        const int ids[6] = {1030, 1031, 1032, 1026, 1027, 1029};
        for (int i = 0; i < 6; ++i)
            Control<QLineEdit>(&d, ids[i])->setText(QString::number(dms[i]));
        d.accept();
    };
}

QByteArray Le32(int32_t v) {
    QByteArray b;
    QDataStream s(&b, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s << v;
    return b;
}

// Reads a location with the program's own reader, headless.
struct ReadBack {
    explicit ReadBack(const QString& path) {
        doc.SetLocation(&location);
        ok = doc.OnOpenDocument(path);
    }
    CTarnLocation location;
    CTarnlightDoc doc;
    bool ok = false;
};

class RoundTripTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    CLocationEditor& editor() { return doc.Editor(); }

    PromptsFixtureGuard guard;
    QTemporaryDir dir;
    CEditorDoc doc;
};

TEST_F(RoundTripTest, MilleLacsBuiltWithTheEditorReadsBackExactly) {
    const QString west = mwtest::SampleImage(dir, "millelacs-west.jpg");
    const QString east = mwtest::SampleImage(dir, "millelacs-east.jpg");
    doc.OnNewDocument();

    // Placed out of line first, so arranging has work to do.
    ASSERT_EQ(editor().AddImages({west}), 1);
    ASSERT_TRUE(editor().SetPlacement(0, {120, 300, 920, 2124}, "Move"));
    ASSERT_EQ(editor().AddImages({east}), 1);
    ASSERT_EQ(editor().Entry(1)->placement, (RectL{920, 0, 1720, 1824}));
    ASSERT_TRUE(editor().ArrangeInRow());

    scripted().dialog(SetPoint(0, {46, 25, 48, 93, 51, 36}));
    ASSERT_TRUE(editor().CalibrateAt({0, 0}));
    scripted().dialog(SetPoint(1, {46, 3, 0, 93, 22, 48}));
    ASSERT_TRUE(editor().CalibrateAt({1600, 1824}));

    const QString saved = dir.filePath("millelacs.fnm");
    scripted().saveFile(saved);
    ASSERT_TRUE(doc.DoFileSave());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), saved);

    QString error;
    const QJsonObject info = mwtest::FnmInfo(saved, &error);
    ASSERT_FALSE(info.isEmpty()) << error.toStdString();

    const QJsonArray maps = info["maps"].toArray();
    ASSERT_EQ(maps.size(), 2);
    const std::pair<QString, std::array<int, 4>> expected[2] = {{west, {0, 0, 800, 1824}},
                                                                {east, {800, 0, 1600, 1824}}};
    for (int i = 0; i < 2; ++i) {
        const QJsonObject m = maps[i].toObject();
        EXPECT_EQ(m["fileName"].toString(), expected[i].first);
        const QJsonArray p = m["placement"].toArray();
        ASSERT_EQ(p.size(), 4);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(p[k].toInt(), expected[i].second[k]) << i << k;
        EXPECT_TRUE(m["loaded"].toBool());
    }

    const QJsonObject cal = info["calibration"].toObject();
    EXPECT_EQ(cal["lat1"].toDouble(), CDegMinSec(46, 25, 48).ToDecimalDegrees());
    EXPECT_EQ(cal["lon1"].toDouble(), CDegMinSec(93, 51, 36).ToDecimalDegrees());
    EXPECT_EQ(cal["lat2"].toDouble(), CDegMinSec(46, 3, 0).ToDecimalDegrees());
    EXPECT_EQ(cal["lon2"].toDouble(), CDegMinSec(93, 22, 48).ToDecimalDegrees());
    EXPECT_NEAR(cal["lat1"].toDouble(), 46.43, 1e-12);
    EXPECT_NEAR(cal["lon2"].toDouble(), 93.38, 1e-12);
    EXPECT_EQ(cal["x1"].toDouble(), 0.0);
    EXPECT_EQ(cal["y1"].toDouble(), 0.0);
    EXPECT_EQ(cal["x2"].toDouble(), 1600.0);
    EXPECT_EQ(cal["y2"].toDouble(), 1824.0);

    EXPECT_EQ(info["extent"].toArray(), (QJsonArray{1600, 1824}));
}

// A location with something of every kind, written by the program's writer.
QString WriteRichLocation(const QTemporaryDir& dir) {
    CTarnLocation loc;
    loc.zoom = 1.5;
    loc.showRedLines = 0;
    loc.reservedFlag = 7;
    loc.lat1 = 44.5, loc.lon1 = 93.25, loc.x1 = 12, loc.y1 = 34;
    loc.lat2 = 44.25, loc.lon2 = 93.0, loc.x2 = 900, loc.y2 = 700;
    const QString images[2] = {mwtest::MakeBitmap(dir, "first.bmp", {300, 200}),
                               mwtest::MakeBitmap(dir, "second.bmp", {100, 400})};
    const RectL places[2] = {{0, 0, 300, 200}, {300, 0, 400, 400}};
    for (int i = 0; i < 2; ++i) {
        auto entry = std::make_unique<CMapLocation>();
        entry->SetImage(places[i], images[i]);
        entry->reserved1 = 11 * (i + 1);
        entry->reserved2 = 22 * (i + 1);
        loc.maps.entries.push_back(std::move(entry));
    }
    CUserInfoPoint& user = loc.userInfoPoints.AddNew();
    user.name = "Dock";
    user.SetInfo("launch here");
    loc.mapPoints.AddPoint(40, 50, 2, 1250, "Rock pile", "walleye in June");
    loc.freeHands.penWidth = 5;
    loc.freeHands.penColor = 0x00FF00;
    CFreeHand& stroke = loc.freeHands.AddNew();
    for (QPoint p : {QPoint(10, 10), QPoint(20, 15), QPoint(30, 40)}) stroke.AppendPoint(p);
    stroke.ComputeBounds();
    CLineDraw& line = loc.lineDraws.AddNew();
    line.AppendPoint({100, 100});
    line.AppendPoint({200, 150});
    loc.rectElipDraws.AddNew(true).rect = RectL{50, 60, 150, 120};

    CTarnlightDoc writer;
    writer.SetLocation(&loc);
    const QString path = dir.filePath("rich.fnm");
    EXPECT_TRUE(writer.OnSaveDocument(path));
    return path;
}

TEST_F(RoundTripTest, MovingAMapChangesOnlyItsPlacementBytes) {
    const QString path = WriteRichLocation(dir);
    const QByteArray before = testutil::ReadAll(path);
    ASSERT_GT(before.size(), 134);

    ASSERT_TRUE(doc.OnOpenDocument(path));
    ASSERT_EQ(editor().Count(), 2);
    ASSERT_TRUE(editor().SetPlacement(1, {320, 16, 420, 416}, "Move"));
    ASSERT_TRUE(doc.DoFileSave());
    const QByteArray after = testutil::ReadAll(path);

    // Head, map count, the first entry, then the second's reserved values
    // and name come before its placement.
    const int first = 4 + 4 + 1 + int(dir.filePath("first.bmp").toLatin1().size()) + 16;
    const int placement = 92 + 4 + first + 4 + 4 + 1 + int(dir.filePath("second.bmp").size());
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.left(placement), before.left(placement));
    EXPECT_EQ(testutil::Hex(after.mid(placement, 16)),
              testutil::Hex(Le32(320) + Le32(16) + Le32(420) + Le32(416)));
    EXPECT_EQ(after.mid(placement + 16), before.mid(placement + 16));
}

TEST_F(RoundTripTest, UndoingBackToTheSavedStateWritesTheSameBytes) {
    const QString path = WriteRichLocation(dir);
    const QByteArray before = testutil::ReadAll(path);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    ASSERT_TRUE(editor().Nudge(0, 5, 5));
    ASSERT_TRUE(editor().BringForward(0));
    EXPECT_TRUE(doc.IsModified());
    doc.Undo().undo();
    doc.Undo().undo();
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.OnSaveDocument(dir.filePath("again.fnm")));
    EXPECT_EQ(testutil::ReadAll(dir.filePath("again.fnm")), before);
}

TEST_F(RoundTripTest, PathsAreStoredAsPickedOrRelativeToTheLocation) {
    const QString image = mwtest::MakeBitmap(dir, "lake.bmp", {64, 48});
    QDir(dir.path()).mkpath("trips/2024");
    struct Case {
        bool relative;
        QString location;
        QString stored;
    } cases[] = {
        {false, "lake.fnm", image},
        {true, "lake.fnm", "lake.bmp"},
        {true, "trips/2024/lake.fnm", "../../lake.bmp"},
        {false, "trips/2024/lake.fnm", image},
    };
    for (const Case& c : cases) {
        CEditorDoc editorDoc;
        editorDoc.relativePaths = c.relative;
        ASSERT_EQ(editorDoc.Editor().AddImages({image}), 1);
        const QString path = dir.filePath(c.location);
        ASSERT_TRUE(editorDoc.OnSaveDocument(path)) << c.location.toStdString();
        EXPECT_EQ(editorDoc.Editor().Entry(0)->fileName, image)
            << "the entry keeps the picked name";

        ReadBack back(path);
        ASSERT_TRUE(back.ok);
        ASSERT_EQ(back.location.maps.entries.size(), 1u);
        EXPECT_EQ(back.location.maps.entries[0]->fileName, c.stored) << c.location.toStdString();
        EXPECT_TRUE(back.location.maps.entries[0]->HasImage()) << c.location.toStdString();
    }
    EXPECT_TRUE(scripted().messages.isEmpty());
}

TEST_F(RoundTripTest, RelativeNamesStillFindTheirImagesWhenSavedElsewhere) {
    mwtest::MakeBitmap(dir, "lake.bmp", {64, 48});
    doc.relativePaths = true;
    ASSERT_EQ(editor().AddImages({dir.filePath("lake.bmp")}), 1);
    ASSERT_TRUE(doc.OnSaveDocument(dir.filePath("lake.fnm")));

    CEditorDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(dir.filePath("lake.fnm")));
    ASSERT_EQ(reopened.Editor().Entry(0)->fileName, "lake.bmp");
    QDir(dir.path()).mkpath("elsewhere");
    ASSERT_TRUE(reopened.OnSaveDocument(dir.filePath("elsewhere/copy.fnm")));

    ReadBack back(dir.filePath("elsewhere/copy.fnm"));
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.location.maps.entries[0]->fileName, dir.filePath("lake.bmp"));
    EXPECT_TRUE(scripted().messages.isEmpty());
}

TEST_F(RoundTripTest, SaveAsElsewhereRewritesRelativeNamesForTheNewFolder) {
    mwtest::MakeBitmap(dir, "lake.bmp", {64, 48});
    QDir(dir.path()).mkpath("maps/old");
    QDir(dir.path()).mkpath("maps/new/deeper");
    QDir(dir.path()).mkpath("other");
    const QString image = dir.filePath("maps/old/west.bmp");
    ASSERT_TRUE(QFile::copy(dir.filePath("lake.bmp"), image));
    struct Case {
        bool relative;
        const char* savedAs;
        QString stored;
    } cases[] = {
        {false, "maps/old/again.fnm", "west.bmp"},
        {false, "maps/copy.fnm", "old/west.bmp"},
        {false, "copy.fnm", "maps/old/west.bmp"},
        {false, "other/copy.fnm", image},
        {false, "maps/new/deeper/copy.fnm", image},
        {true, "other/copy.fnm", "../maps/old/west.bmp"},
    };
    for (const Case& c : cases) {
        // A location in maps/old naming its image by the bare name.
        {
            CEditorDoc first;
            first.relativePaths = true;
            ASSERT_EQ(first.Editor().AddImages({image}), 1);
            ASSERT_TRUE(first.OnSaveDocument(dir.filePath("maps/old/lake.fnm")));
        }
        CEditorDoc editorDoc;
        ASSERT_TRUE(editorDoc.OnOpenDocument(dir.filePath("maps/old/lake.fnm")));
        ASSERT_EQ(editorDoc.Editor().Entry(0)->fileName, "west.bmp");
        editorDoc.relativePaths = c.relative;
        scripted().saveFile(dir.filePath(c.savedAs));
        ASSERT_TRUE(editorDoc.OnFileSaveAs()) << c.savedAs;
        EXPECT_EQ(editorDoc.GetPathName(), dir.filePath(c.savedAs));

        ReadBack back(dir.filePath(c.savedAs));
        ASSERT_TRUE(back.ok);
        ASSERT_EQ(back.location.maps.entries.size(), 1u);
        EXPECT_EQ(back.location.maps.entries[0]->fileName, c.stored) << c.savedAs;
        EXPECT_TRUE(back.location.maps.entries[0]->HasImage()) << c.savedAs;
    }
    EXPECT_TRUE(scripted().messages.isEmpty());
}

TEST_F(RoundTripTest, AnOpenedImageIsSavedAsANewLocation) {
    const QString west = mwtest::SampleImage(dir, "millelacs-west.jpg");
    const QByteArray image = testutil::ReadAll(west);
    ASSERT_TRUE(doc.OnOpenDocument(west));
    ASSERT_EQ(editor().Count(), 1);
    EXPECT_EQ(editor().Entry(0)->placement, (RectL{0, 0, 800, 1824}));
    EXPECT_FALSE(doc.IsModified());

    const QString fnm = dir.filePath("millelacs-west.fnm");
    scripted().saveFile(fnm);
    doc.DoFileSave();
    EXPECT_EQ(scripted().proposedSaveNames, QStringList{fnm});
    EXPECT_EQ(doc.GetPathName(), fnm);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(testutil::ReadAll(west), image) << "the image is never written";
    ReadBack back(fnm);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.location.maps.entries.size(), 1u);
}

TEST_F(RoundTripTest, AnOlderQltLocationOpensAndSavesAsANewLocation) {
    const QString image = mwtest::MakeBitmap(dir, "old.bmp", {120, 80});
    QByteArray qlt;
    {
        QDataStream s(&qlt, QIODevice::WriteOnly);
        s.setByteOrder(QDataStream::LittleEndian);
        s.setFloatingPointPrecision(QDataStream::DoublePrecision);
        for (double v : {93.5, 93.0, 45.0, 44.5, 0.0, 1000.0, 0.0, 800.0}) s << v;
        s << quint32(1) << qint32(0) << qint32(0);
        const QByteArray name = image.toLatin1();
        s << quint8(name.size());
        s.writeRawData(name.constData(), int(name.size()));
        for (int32_t v : {10, 20, 130, 100}) s << v;
        s << quint16(0);
    }
    const QString path = dir.filePath("old.qlt");
    ASSERT_TRUE(testutil::WriteAll(path, qlt));

    scripted().openFile(path);
    ASSERT_TRUE(doc.OpenWithDialog());
    ASSERT_EQ(editor().Count(), 1);
    EXPECT_EQ(editor().Entry(0)->placement, (RectL{10, 20, 130, 100}));
    EXPECT_EQ(doc.Loc().lon1, 93.5);
    EXPECT_TRUE(scripted().openFilters[0].contains("*.qlt"));

    ASSERT_TRUE(editor().Nudge(0, 1, 0));
    scripted().saveFile(dir.filePath("old.fnm"));
    doc.DoFileSave();
    EXPECT_EQ(scripted().proposedSaveNames, QStringList{dir.filePath("old.fnm")});
    EXPECT_EQ(testutil::ReadAll(path), qlt);
    ReadBack back(dir.filePath("old.fnm"));
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.location.maps.entries[0]->placement, (RectL{11, 20, 131, 100}));
}

TEST_F(RoundTripTest, UnsavedChangesAreOfferedForSaving) {
    const QString image = mwtest::MakeBitmap(dir, "lake.bmp", {64, 48});
    ASSERT_EQ(editor().AddImages({image}), 1);

    scripted().answer(Prompts::Answer::Cancel);
    EXPECT_FALSE(doc.NewDocument());
    EXPECT_EQ(scripted().messages, QStringList{"Save changes to Untitled?"});
    EXPECT_EQ(editor().Count(), 1);

    scripted().answer(Prompts::Answer::Yes);
    scripted().saveFile(dir.filePath("kept.fnm"));
    EXPECT_TRUE(doc.NewDocument());
    EXPECT_EQ(editor().Count(), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Undo().count(), 0) << "a new location starts a new history";
    ReadBack back(dir.filePath("kept.fnm"));
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.location.maps.entries.size(), 1u);
}

TEST_F(RoundTripTest, OpeningStartsANewHistory) {
    const QString path = WriteRichLocation(dir);
    ASSERT_EQ(editor().AddImages({dir.filePath("first.bmp")}), 1);
    scripted().answer(Prompts::Answer::No);
    scripted().openFile(path);
    ASSERT_TRUE(doc.OpenWithDialog());
    EXPECT_EQ(doc.Undo().count(), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Loc().zoom, 1.5);
    EXPECT_EQ(editor().Count(), 2);
}

TEST_F(RoundTripTest, ADamagedFileLeavesTheWorkAndItsHistory) {
    const QString path = WriteRichLocation(dir);
    const QByteArray whole = testutil::ReadAll(path);
    ASSERT_TRUE(testutil::WriteAll(dir.filePath("damaged.fnm"), whole.left(whole.size() / 2)));
    ASSERT_EQ(editor().AddImages({dir.filePath("first.bmp")}), 1);
    ASSERT_EQ(doc.Undo().count(), 1);

    scripted().answer(Prompts::Answer::No);
    scripted().openFile(dir.filePath("damaged.fnm"));
    EXPECT_FALSE(doc.OpenWithDialog());
    EXPECT_EQ(scripted().messages.value(scripted().messages.size() - 1), "Unexpected file format.");
    EXPECT_EQ(editor().Count(), 1) << "the map added before is still there";
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.Undo().count(), 1);
    doc.Undo().undo();
    EXPECT_EQ(editor().Count(), 0) << "and the step that added it still undoes";
}

}  // namespace
