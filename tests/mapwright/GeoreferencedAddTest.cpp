// SPDX-License-Identifier: GPL-3.0-or-later
// Add Images with georeferenced maps: they go where they lie, and the first
// one may give the location its calibration.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "MapwrightTestSupport.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "mapwright/EditorDoc.h"

namespace {

const QString kData = QStringLiteral(FM_TESTDATA_DIR "/georef/");

class GeoreferencedAdd : public ::testing::Test {
protected:
    CLocationEditor& editor() { return doc.Editor(); }
    Calibration Cal() { return editor().CurrentCalibration(); }

    PromptsFixtureGuard guard;
    QTemporaryDir dir;
    CEditorDoc doc;
};

TEST_F(GeoreferencedAdd, TheFirstOffersItsCalibrationAndTheNextGoesWhereItLies) {
    scripted().answer(Prompts::Answer::Yes);
    ASSERT_EQ(editor().AddImages({kData + "millelacs.tif"}), 1);
    ASSERT_EQ(scripted().messages.size(), 1);
    EXPECT_TRUE(scripted().messages[0].contains("Take its calibration")) << scripted().messages[0];
    EXPECT_TRUE(editor().CanReadPositions());
    EXPECT_NEAR(Cal().lon1, 93.86, 1e-9);
    EXPECT_NEAR(Cal().lat2, 46.05, 1e-9);

    // A quarter-size copy of the east half, calibrated by a world file: at
    // the location's scale it spans the east half of the surface.
    ASSERT_EQ(editor().AddImages({kData + "east-quarter.jpeg"}), 1);
    EXPECT_EQ(editor().Entry(1)->placement, (RectL{800, 0, 1600, 1824}));
    EXPECT_EQ(scripted().messages.size(), 1) << "a calibrated location asks nothing";

    // Undoing the first add takes its calibration away with it.
    doc.Undo().undo();
    doc.Undo().undo();
    EXPECT_EQ(editor().Count(), 0);
    EXPECT_FALSE(editor().CanReadPositions());
}

TEST_F(GeoreferencedAdd, DecliningKeepsTheLocationUncalibrated) {
    const QString plain = mwtest::MakeBitmap(dir, "plain.bmp", {100, 50}, 0x3333CC);
    scripted().answer(Prompts::Answer::No);
    ASSERT_EQ(editor().AddImages({plain, kData + "east-quarter.jpeg"}), 2);
    EXPECT_EQ(editor().Entry(1)->placement, (RectL{100, 0, 300, 456}));
    EXPECT_FALSE(editor().CanReadPositions());
    EXPECT_EQ(scripted().messages.size(), 1);
}

TEST(GeoreferencedPlacement, SameScaleKeepsTheSizeAndSnapsToWholePixels) {
    Calibration location;  // 0.001 degree a pixel both ways
    location.lon1 = 94;
    location.lon2 = 93;
    location.lat1 = 47;
    location.lat2 = 46;
    location.x2 = location.y2 = 1000;
    struct Case {
        double lon1, lat1, degreesPerPixel;
        int w, h;
        std::optional<RectL> expected;
    } cases[] = {
        {93.8, 46.9, 0.001, 100, 50, RectL{200, 100, 300, 150}},
        // A third of a pixel off the grid: still on it.
        {93.8003, 46.9, 0.001, 100, 50, RectL{200, 100, 300, 150}},
        // Twice as coarse: twice as large on the surface.
        {93.8, 46.9, 0.002, 100, 50, RectL{200, 100, 400, 200}},
        // West or north of the surface's edge: no place for it.
        {94.1, 46.9, 0.001, 100, 50, std::nullopt},
    };
    for (const Case& c : cases) {
        Calibration image;
        image.lon1 = c.lon1;
        image.lat1 = c.lat1;
        image.x1 = image.y1 = 0;
        image.x2 = c.w;
        image.y2 = c.h;
        image.lon2 = c.lon1 - c.degreesPerPixel * c.w;
        image.lat2 = c.lat1 - c.degreesPerPixel * c.h;
        EXPECT_EQ(CLocationEditor::GeoreferencedPlacement(location, image, c.w, c.h), c.expected)
            << c.lon1 << " " << c.degreesPerPixel;
    }
}

}  // namespace
