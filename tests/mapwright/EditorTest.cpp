// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <array>
#include <functional>

#include "MapwrightTestSupport.h"
#include "ScriptedPrompts.h"
#include "framework/DataExchange.h"
#include "geo/DegMinSec.h"
#include "mapwright/EditorDoc.h"
#include "mapwright/PlacementDialog.h"

namespace {

// What a location's maps look like: each entry's file name and placement, in
// drawing order.
using Snapshot = std::vector<std::pair<QString, RectL>>;

Snapshot Take(CLocationEditor& editor) {
    Snapshot s;
    for (int i = 0; i < editor.Count(); ++i)
        s.emplace_back(QFileInfo(editor.Entry(i)->fileName).fileName(), editor.Entry(i)->placement);
    return s;
}

// Fills the Set Point dialog: which point, then latitude and longitude as
// degrees, minutes, seconds.
ScriptedPrompts::DialogScript SetPoint(int point, std::array<int, 6> dms) {
    return [point, dms](QDialog& d) {
        Control<QComboBox>(&d, 1034)->setCurrentIndex(point);
        const int ids[6] = {1030, 1031, 1032, 1026, 1027, 1029};
        for (int i = 0; i < 6; ++i)
            Control<QLineEdit>(&d, ids[i])->setText(QString::number(dms[i]));
        d.accept();
    };
}

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        a = mwtest::MakeBitmap(dir, "a.bmp", {300, 200}, 0xCC3333);
        b = mwtest::MakeBitmap(dir, "b.bmp", {100, 400}, 0x33CC33);
        c = mwtest::MakeBitmap(dir, "c.bmp", {50, 50}, 0x3333CC);
    }
    CLocationEditor& editor() { return doc.Editor(); }

    PromptsFixtureGuard guard;
    QTemporaryDir dir;
    CEditorDoc doc;
    QString a, b, c;
};

TEST_F(EditorTest, AddedImagesLineUpToTheRightAndUndoTogether) {
    EXPECT_EQ(editor().AddImages({a, b}), 2);
    EXPECT_EQ(Take(editor()),
              (Snapshot{{"a.bmp", {0, 0, 300, 200}}, {"b.bmp", {300, 0, 400, 400}}}));
    EXPECT_EQ(editor().Entry(0)->fileName, a) << "stored as picked";
    EXPECT_TRUE(doc.IsModified());

    EXPECT_EQ(editor().AddImages({c}), 1);
    EXPECT_EQ(editor().Entry(2)->placement, (RectL{400, 0, 450, 50}));

    doc.Undo().undo();
    EXPECT_EQ(editor().Count(), 2);
    doc.Undo().undo();
    EXPECT_EQ(editor().Count(), 0);
    EXPECT_FALSE(doc.IsModified());
    doc.Undo().redo();
    EXPECT_EQ(Take(editor()),
              (Snapshot{{"a.bmp", {0, 0, 300, 200}}, {"b.bmp", {300, 0, 400, 400}}}));
    EXPECT_TRUE(editor().Entry(1)->HasImage()) << "the image comes back with its entry";
}

TEST_F(EditorTest, UnreadableImagesAreReportedAndLeftOut) {
    const QString bogus = dir.filePath("notes.bmp");
    QFile f(bogus);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();

    EXPECT_EQ(editor().AddImages({bogus, a}), 1);
    ASSERT_EQ(scripted().messages.size(), 1);
    EXPECT_EQ(scripted().messages[0], bogus + "\ncould not be read as a map image.");
    EXPECT_EQ(Take(editor()), (Snapshot{{"a.bmp", {0, 0, 300, 200}}}));
    EXPECT_EQ(doc.Undo().count(), 1);
}

TEST_F(EditorTest, EveryEditUndoesToTheStateBeforeIt) {
    const Snapshot start{
        {"a.bmp", {0, 0, 300, 200}}, {"b.bmp", {300, 0, 400, 400}}, {"c.bmp", {400, 0, 450, 50}}};
    struct Case {
        const char* what;
        std::function<bool(CLocationEditor&)> edit;
        Snapshot after;
    } cases[] = {
        {"nudge right",
         [](CLocationEditor& e) { return e.Nudge(1, 1, 0); },
         {start[0], {"b.bmp", {301, 0, 401, 400}}, start[2]}},
        {"nudge down",
         [](CLocationEditor& e) { return e.Nudge(2, 0, 1); },
         {start[0], start[1], {"c.bmp", {400, 1, 450, 51}}}},
        {"stretch",
         [](CLocationEditor& e) {
             return e.SetPlacement(0, {0, 0, 600, 400}, "Stretch");
         },
         {{"a.bmp", {0, 0, 600, 400}}, start[1], start[2]}},
        {"shrink",
         [](CLocationEditor& e) {
             return e.SetPlacement(1, {300, 0, 350, 200}, "Stretch");
         },
         {start[0], {"b.bmp", {300, 0, 350, 200}}, start[2]}},
        {"bring forward",
         [](CLocationEditor& e) { return e.BringForward(0); },
         {start[1], start[0], start[2]}},
        {"send backward",
         [](CLocationEditor& e) { return e.SendBackward(2); },
         {start[0], start[2], start[1]}},
        {"remove", [](CLocationEditor& e) { return e.Remove(1); }, {start[0], start[2]}},
        {"arrange in a grid",
         [](CLocationEditor& e) { return e.ArrangeInGrid(); },
         {start[0], {"b.bmp", {300, 0, 400, 400}}, {"c.bmp", {0, 400, 50, 450}}}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Take(editor()), Snapshot{}) << c.what;
        ASSERT_EQ(editor().AddImages({a, b, this->c}), 3);
        ASSERT_EQ(Take(editor()), start);
        const int steps = doc.Undo().count();

        EXPECT_TRUE(c.edit(editor())) << c.what;
        EXPECT_EQ(Take(editor()), c.after) << c.what;
        EXPECT_EQ(doc.Undo().count(), steps + 1) << c.what;
        doc.Undo().undo();
        EXPECT_EQ(Take(editor()), start) << c.what;
        doc.Undo().redo();
        EXPECT_EQ(Take(editor()), c.after) << c.what;

        doc.OnNewDocument();
    }
}

TEST_F(EditorTest, EditsThatChangeNothingLeaveNoStep) {
    ASSERT_EQ(editor().AddImages({a, b}), 2);
    const std::function<bool(CLocationEditor&)> edits[] = {
        [](CLocationEditor& e) { return e.Nudge(0, -1, 0); },  // already at the left edge
        [](CLocationEditor& e) { return e.Nudge(0, 0, -5); },  // already at the top
        [](CLocationEditor& e) {
            return e.SetPlacement(1, {300, 0, 400, 400}, "Move");
        },
        [](CLocationEditor& e) { return e.BringForward(1); },  // already on top
        [](CLocationEditor& e) { return e.SendBackward(0); },  // already at the bottom
        [](CLocationEditor& e) { return e.ArrangeInRow(); },   // already in a row
        [](CLocationEditor& e) { return e.Remove(7); },
    };
    for (const auto& edit : edits) EXPECT_FALSE(edit(editor()));
    EXPECT_EQ(doc.Undo().count(), 1);
}

TEST_F(EditorTest, ANudgeStopsAtTheSurfaceEdge) {
    ASSERT_EQ(editor().AddImages({a, b}), 2);
    ASSERT_TRUE(editor().SetPlacement(1, {3, 5, 103, 405}, "Move"));
    EXPECT_TRUE(editor().Nudge(1, -10, -10));
    EXPECT_EQ(editor().Entry(1)->placement, (RectL{0, 0, 100, 400}));
}

TEST_F(EditorTest, NudgesInARowUndoAtOnceButNotAcrossASave) {
    ASSERT_EQ(editor().AddImages({a, b}), 2);
    const RectL before = editor().Entry(1)->placement;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(editor().Nudge(1, 1, 0));
    EXPECT_EQ(editor().Entry(1)->placement, (RectL{303, 0, 403, 400}));
    doc.Undo().undo();
    EXPECT_EQ(editor().Entry(1)->placement, before);

    ASSERT_TRUE(editor().Nudge(1, 0, 1));
    ASSERT_TRUE(doc.OnSaveDocument(dir.filePath("saved.fnm")));
    ASSERT_TRUE(editor().Nudge(1, 0, 1));
    doc.Undo().undo();
    EXPECT_EQ(editor().Entry(1)->placement, (RectL{300, 1, 400, 401})) << "the saved state";
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(EditorTest, TheExtentFollowsTheEntries) {
    ASSERT_EQ(editor().AddImages({a, b}), 2);
    EXPECT_EQ(doc.Loc().Extent(), QSize(1000, 1000));
    ASSERT_TRUE(editor().SetPlacement(1, {1500, 700, 1600, 1100}, "Move"));
    EXPECT_EQ(doc.Loc().Extent(), QSize(1600, 1100));
    doc.Undo().undo();
    EXPECT_EQ(doc.Loc().Extent(), QSize(1000, 1000));
}

TEST_F(EditorTest, SetPointStoresTheClickedPixelWithTheTypedPosition) {
    scripted().dialog(SetPoint(0, {46, 25, 48, 93, 51, 36}));
    EXPECT_TRUE(editor().CalibrateAt({10, 20}));
    EXPECT_EQ(doc.Loc().x1, 10);
    EXPECT_EQ(doc.Loc().y1, 20);
    EXPECT_DOUBLE_EQ(doc.Loc().lat1, CDegMinSec(46, 25, 48).ToDecimalDegrees());
    EXPECT_DOUBLE_EQ(doc.Loc().lon1, CDegMinSec(93, 51, 36).ToDecimalDegrees());
    EXPECT_EQ(doc.Loc().x2, 200) << "point 2 untouched";
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(editor().CanReadPositions());

    scripted().dialog(SetPoint(1, {46, 3, 0, 93, 22, 48}));
    EXPECT_TRUE(editor().CalibrateAt({1600, 1824}));
    EXPECT_TRUE(editor().CanReadPositions());
    EXPECT_EQ(doc.Undo().undoText(), "Set Point 2");

    doc.Undo().undo();
    EXPECT_EQ(doc.Loc().x2, 200);
    EXPECT_EQ(doc.Loc().lat2, 1.0);
    doc.Undo().undo();
    EXPECT_EQ(doc.Loc().lat1, 0.0);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(EditorTest, CancelledDialogsChangeNothing) {
    ASSERT_EQ(editor().AddImages({a}), 1);
    const int steps = doc.Undo().count();
    EXPECT_FALSE(editor().CalibrateAt({5, 5}));  // no script: the dialog is cancelled
    EXPECT_FALSE(editor().EditCalibration());
    EXPECT_FALSE(editor().EditPlacement(0));
    EXPECT_EQ(scripted().dialogsRun, 3);
    EXPECT_EQ(doc.Undo().count(), steps);
    EXPECT_EQ(doc.Loc().lat1, 0.0);
}

TEST_F(EditorTest, CoordSetupSetsBothPointsInOneStep) {
    scripted().dialog([](QDialog& d) {
        const std::pair<int, const char*> fields[] = {
            {1030, "46"}, {1031, "25"}, {1032, "48"},   {1026, "93"},  {1027, "51"}, {1029, "36"},
            {1033, "0"},  {1035, "0"},  {1054, "46"},   {1056, "3"},   {1058, "0"},  {1037, "93"},
            {1051, "22"}, {1053, "48"}, {1060, "1600"}, {1062, "1824"}};
        for (auto [id, text] : fields) Control<QLineEdit>(&d, id)->setText(text);
        d.accept();
    });
    EXPECT_TRUE(editor().EditCalibration());
    EXPECT_EQ(doc.Loc().x2, 1600);
    EXPECT_EQ(doc.Loc().y2, 1824);
    EXPECT_DOUBLE_EQ(doc.Loc().lat2, CDegMinSec(46, 3, 0).ToDecimalDegrees());
    EXPECT_EQ(doc.Undo().count(), 1);
    doc.Undo().undo();
    EXPECT_EQ(doc.Loc().x2, 200);
}

TEST_F(EditorTest, PlacementDialogTakesAnExactPlacementAndRefusesAnEmptySize) {
    ASSERT_EQ(editor().AddImages({a, b}), 2);
    scripted().dialog([](QDialog& d) {
        auto& dlg = static_cast<CPlacementDialog&>(d);
        EXPECT_EQ(dlg.LeftField()->text(), "300");
        EXPECT_EQ(dlg.WidthField()->text(), "100");
        dlg.WidthField()->setText("0");
        dlg.accept();
        EXPECT_EQ(dlg.result(), QDialog::Rejected) << "stays open";
        dlg.LeftField()->setText("12");
        dlg.TopField()->setText("34");
        dlg.WidthField()->setText("250");
        dlg.HeightField()->setText("500");
        dlg.accept();
    });
    EXPECT_TRUE(editor().EditPlacement(1));
    EXPECT_EQ(scripted().messages, QStringList{"Please enter an integer between 1 and 1000000."});
    EXPECT_EQ(editor().Entry(1)->placement, (RectL{12, 34, 262, 534}));
    doc.Undo().undo();
    EXPECT_EQ(editor().Entry(1)->placement, (RectL{300, 0, 400, 400}));
}

TEST_F(EditorTest, PlacementDialogPutsBackTheImageSize) {
    ASSERT_EQ(editor().AddImages({a}), 1);
    ASSERT_TRUE(editor().SetPlacement(0, {0, 0, 30, 20}, "Stretch"));
    scripted().dialog([](QDialog& d) {
        d.findChild<QPushButton*>("imageSize")->click();
        d.accept();
    });
    EXPECT_TRUE(editor().EditPlacement(0));
    EXPECT_EQ(editor().Entry(0)->placement, (RectL{0, 0, 300, 200}));
}

TEST(CalibrationPoints, APointCountsAsSetOnceItDiffersFromANewLocation) {
    struct Case {
        const char* what;
        std::function<void(Calibration&)> change;
        bool point1;
        bool point2;
    } cases[] = {
        {"new location", [](Calibration&) {}, false, false},
        {"point 1 typed", [](Calibration& c) { c.lat1 = 46.43, c.lon1 = 93.86; }, true, false},
        {"point 2 typed", [](Calibration& c) { c.lat2 = 46.05, c.lon2 = 93.38, c.x2 = 1600; },
         false, true},
        {"point 2 moved only", [](Calibration& c) { c.x2 = 1600; }, false, true},
        {"point 2 at zero", [](Calibration& c) { c.lat2 = 0, c.lon2 = 0, c.x2 = 5; }, false, false},
    };
    for (const Case& c : cases) {
        Calibration cal;
        c.change(cal);
        EXPECT_EQ(CLocationEditor::HasPoint(cal, 0), c.point1) << c.what;
        EXPECT_EQ(CLocationEditor::HasPoint(cal, 1), c.point2) << c.what;
    }
}

}  // namespace
