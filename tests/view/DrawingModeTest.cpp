// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewFixture.h"
#include "resources/CommandIds.h"

namespace {

class DrawingModeTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        table.execute(cmd::DrawingMode);
    }
    CTarnLocation& loc() { return view->Location(); }
};

TEST_F(DrawingModeTest, FreeHandStroke) {
    table.execute(cmd::DrawFreeHand);
    Press({10, 10});
    Move({20, 15}, Qt::LeftButton);
    Move({30, 30}, Qt::LeftButton);
    // The stroke in progress shows even when the view repaints meanwhile.
    QImage during = view->RenderViewport();
    EXPECT_NE(during.pixelColor(20, 15), QColor(Qt::white));
    Release({40, 30});
    ASSERT_EQ(loc().freeHands.items.size(), 1u);
    const CFreeHand& s = *loc().freeHands.items[0];
    EXPECT_EQ(s.points, (std::vector<QPoint>{{10, 10}, {20, 15}, {30, 30}, {40, 30}}));
    EXPECT_EQ(s.bounds, (RectL{8, 8, 42, 32}));
    EXPECT_EQ(view->drawingKinds, (std::vector<int>{0}));
    EXPECT_TRUE(doc.IsModified());
    // Width 2 in red 180 on a new location.
    QImage after = view->RenderViewport();
    EXPECT_EQ(after.pixelColor(35, 30), QColor(180, 0, 0));
}

TEST_F(DrawingModeTest, PolylineEndedByDoubleClickOrClickOutside) {
    table.execute(cmd::DrawLine);
    Click({10, 10});
    Click({100, 10});
    DoubleClick({100, 100});  // its first click adds the vertex
    ASSERT_EQ(loc().lineDraws.items.size(), 1u);
    EXPECT_EQ(loc().lineDraws.items[0]->points,
              (std::vector<QPoint>{{10, 10}, {100, 10}, {100, 100}}));
    EXPECT_FALSE(view->lineInProgress);
    // A second line ended by a click outside: that point is not added.
    Click({50, 50});
    Click({60, 60});
    Click({-10, 60});
    ASSERT_EQ(loc().lineDraws.items.size(), 2u);
    EXPECT_EQ(loc().lineDraws.items[1]->points, (std::vector<QPoint>{{50, 50}, {60, 60}}));
    EXPECT_EQ(view->drawingKinds, (std::vector<int>{1, 1}));
}

TEST_F(DrawingModeTest, RectangleIsStoredAsDragged) {
    table.execute(cmd::DrawSquare);
    Press({80, 90});
    Move({40, 50}, Qt::LeftButton);
    Release({30, 20});
    ASSERT_EQ(loc().rectElipDraws.items.size(), 1u);
    EXPECT_EQ(loc().rectElipDraws.items[0]->rect, (RectL{80, 90, 30, 20}));
    EXPECT_EQ(loc().rectElipDraws.items[0]->isEllipse, 0);
    table.execute(cmd::DrawEllipse);
    Press({10, 10});
    Release({50, 40});
    EXPECT_EQ(loc().rectElipDraws.items[1]->isEllipse, 1);
    EXPECT_EQ(view->drawingKinds, (std::vector<int>{2, 2}));
}

TEST_F(DrawingModeTest, UndoOrderAndEraseAll) {
    table.execute(cmd::DrawFreeHand);
    Press({10, 10});
    Release({20, 20});
    table.execute(cmd::DrawLine);
    Click({30, 30});
    DoubleClick({40, 40});
    table.execute(cmd::DrawEllipse);
    Press({50, 50});
    Release({70, 70});
    EXPECT_TRUE(table.state(cmd::EraseLastDrawing).enabled);
    table.execute(cmd::EraseLastDrawing);
    EXPECT_TRUE(loc().rectElipDraws.items.empty());
    EXPECT_EQ(loc().lineDraws.items.size(), 1u);
    table.execute(cmd::EraseLastDrawing);
    EXPECT_TRUE(loc().lineDraws.items.empty());
    EXPECT_EQ(loc().freeHands.items.size(), 1u);
    table.execute(cmd::EraseLastDrawing);
    EXPECT_TRUE(loc().freeHands.items.empty());
    EXPECT_FALSE(table.state(cmd::EraseLastDrawing).enabled);

    // Erase All: No changes nothing; Yes empties the lists but keeps the history.
    Press({10, 10});  // still the ellipse shape
    Release({30, 30});
    table.execute(cmd::DrawFreeHand);
    Press({5, 5});
    Release({9, 9});
    scripted().answer(Prompts::Answer::No);
    table.execute(cmd::EraseAllDrawing);
    EXPECT_EQ(scripted().messages.value(0),
              "Are your sure You want to remove all of the drawings?");
    EXPECT_EQ(loc().freeHands.items.size() + loc().rectElipDraws.items.size(), 2u);
    scripted().answer(Prompts::Answer::Yes);
    table.execute(cmd::EraseAllDrawing);
    EXPECT_TRUE(loc().freeHands.items.empty());
    EXPECT_TRUE(loc().rectElipDraws.items.empty());
    EXPECT_EQ(view->drawingKinds.size(), 2u);
    // The history now names drawings that are gone: Erase Last takes nothing.
    EXPECT_TRUE(table.execute(cmd::EraseLastDrawing));
    EXPECT_TRUE(table.execute(cmd::EraseLastDrawing));
    EXPECT_TRUE(view->drawingKinds.empty());
}

TEST_F(DrawingModeTest, PenChangeAffectsOnlyLaterDrawingsAndLayerHides) {
    table.execute(cmd::DrawLine);
    Click({10, 50});
    DoubleClick({200, 50});
    loc().lineDraws.penColor = 0x00FF0000;  // blue
    loc().lineDraws.penWidth = 4;
    Click({10, 150});
    DoubleClick({200, 150});
    QImage img = view->RenderViewport();
    EXPECT_EQ(img.pixelColor(100, 50), QColor(180, 0, 0));
    EXPECT_EQ(img.pixelColor(100, 151), QColor(0, 0, 255));
    loc().showRedLines = 0;
    img = view->RenderViewport();
    EXPECT_EQ(img.pixelColor(100, 50), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(100, 151), QColor(Qt::white));
}

TEST_F(DrawingModeTest, EraseLastDuringALineInProgressEndsIt) {
    table.execute(cmd::DrawLine);
    Click({10, 10});
    Click({20, 20});
    table.execute(cmd::EraseLastDrawing);
    EXPECT_TRUE(loc().lineDraws.items.empty());
    EXPECT_FALSE(view->lineInProgress);
    Click({30, 30});  // starts a fresh line instead of touching the erased one
    ASSERT_EQ(loc().lineDraws.items.size(), 1u);
    EXPECT_EQ(loc().lineDraws.items[0]->points, (std::vector<QPoint>{{30, 30}}));
}

}  // namespace
