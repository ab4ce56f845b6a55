// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a user runs it: built by the same function as main(),
// driven with real mouse and key events, read through what is on screen.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "AssembledApp.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "app/Assembly.h"
#include "app/MainFrame.h"
#include "document/TarnLocation.h"
#include "document/TarnlightDoc.h"
#include "framework/Settings.h"
#include "framework/customize/Customizer.h"
#include "magnifier/MagnifyWnd.h"
#include "magnifier/PropMagn.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"
#include "view/TarnlightView.h"

namespace {

const QString kSample = QStringLiteral(FM_SAMPLES_DIR "/millelacs.fnm");

class AssembledProgram : public AssembledApp {
protected:
    CTarnlightView& View() { return frame->View(); }
    QWidget* Map() { return View().viewport(); }
    CTarnlightDoc& Doc() { return frame->Document(); }
    // Clicks the command's button on the standard toolbar.
    void Button(int id) {
        QWidget* b = frame->MainToolBar()->widgetForAction(Act(id));
        ASSERT_NE(b, nullptr) << id;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void Stroke(QPoint from, QPoint to) {
        QTest::mousePress(Map(), Qt::LeftButton, {}, from);
        QTest::mouseMove(Map(), (from + to) / 2);
        QTest::mouseMove(Map(), to);
        QTest::mouseRelease(Map(), Qt::LeftButton, {}, to);
    }
    size_t Strokes() { return View().Location().freeHands.items.size(); }
    // A location with one stroke, written where asked.
    void WriteLocationWithStroke(const QString& path, QPoint from) {
        Button(cmd::DrawingMode);
        Stroke(from, from + QPoint(40, 30));
        scripted().saveFile(path);
        Act(cmd::FileSaveAs)->trigger();
        ASSERT_TRUE(QFile::exists(path));
    }

    QTemporaryDir dir;
};

TEST_F(AssembledProgram, RightClickOnTheMapShowsItsMenu) {
    Start();
    EXPECT_EQ(frame->Customization().MenuName(res::ViewContextMenu), "My menu");
    const QPoint at(120, 90);
    QTest::mouseClick(Map(), Qt::RightButton, {}, at);
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, Map()->mapToGlobal(at));
    QApplication::sendEvent(Map(), &request);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), "132");
    struct Item {
        const char* text;
        bool enabled;
    } expected[] = {{"Zoom &In", false}, {"Zoom &Out", false}, {"&Pan", true}};
    ASSERT_EQ(menu->actions().size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(menu->actions()[i]->text(), expected[i].text);
        EXPECT_EQ(menu->actions()[i]->isEnabled(), expected[i].enabled) << expected[i].text;
    }
    menu->close();
}

TEST_F(AssembledProgram, RightClickOnTheLensOpensItsSheet) {
    Start();
    Button(cmd::Magnifier);
    EXPECT_TRUE(Act(cmd::Magnifier)->isChecked());
    CMagnifyWnd* lens = View().MagnifierWindow();
    ASSERT_TRUE(lens && lens->isVisible());
    bool sheet = false;
    scripted().dialog([&](QDialog& d) {
        sheet = qobject_cast<CPropMagn*>(&d) != nullptr;
        d.reject();
    });
    QTest::mouseClick(lens, Qt::RightButton, {}, lens->rect().center());
    EXPECT_EQ(scripted().dialogsRun, 1);
    EXPECT_TRUE(sheet);
}

TEST_F(AssembledProgram, StatesFollowEveryChangeAtOnce) {
    Start();
    QWidget* eraseButton = frame->MainToolBar()->widgetForAction(Act(cmd::EraseLastDrawing));
    ASSERT_NE(eraseButton, nullptr);
    // Modes from the toolbar: the buttons' checks follow without a menu opening.
    struct ModeCase {
        int command;
        int mode;
    } modes[] = {{cmd::Pan, CTarnlightView::Pan},
                 {cmd::MeasureDistance, CTarnlightView::Measure},
                 {cmd::DrawingMode, CTarnlightView::Drawing}};
    for (const ModeCase& c : modes) {
        Button(c.command);
        EXPECT_EQ(View().mode, c.mode);
        for (const ModeCase& other : modes)
            EXPECT_EQ(Act(other.command)->isChecked(), other.command == c.command) << c.command;
        EXPECT_EQ(Act(cmd::DrawFreeHand)->isEnabled(), c.mode == CTarnlightView::Drawing);
    }
    EXPECT_FALSE(eraseButton->isEnabled());
    Stroke({60, 60}, {140, 110});
    ASSERT_EQ(Strokes(), 1u);
    EXPECT_TRUE(Act(cmd::EraseLastDrawing)->isEnabled());
    EXPECT_TRUE(eraseButton->isEnabled());
    // Its key takes the stroke back and greys the command again.
    QTest::keyClick(frame, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Strokes(), 0u);
    EXPECT_FALSE(Act(cmd::EraseLastDrawing)->isEnabled());
    EXPECT_FALSE(eraseButton->isEnabled());
}

// The first window fits the screen, so its status bar with the read-out
// is on it (a screen small in logical pixels, as a scaled one is).
TEST_F(AssembledProgram, FirstWindowFitsTheScreen) {
    Start();
    const QRect room = frame->screen()->availableGeometry();
    EXPECT_LE(frame->height(), room.height());
    EXPECT_LE(frame->width(), room.width());
}

TEST_F(AssembledProgram, ReadoutPanesHoldTheirTexts) {
    for (bool showXY : {true, false}) {
        SCOPED_TRACE(showXY);
        if (app) app->ExitInstance();
        SettingsStore::instance().SetInt(setting::ShowXY, showXY ? 1 : 0);
        Start({.file = kSample});
        for (QPoint at : {QPoint(5, 5), QPoint(300, 200), QPoint(611, 433)}) {
            QTest::mouseMove(Map(), at);
            frame->statusBar()->layout()->activate();
            for (int pane = 1; pane <= 3; ++pane) {
                QLabel* l = frame->Pane(pane);
                if (pane == 1 && !showXY) {
                    EXPECT_FALSE(l->isVisible());
                    EXPECT_EQ(l->maximumWidth(), 0);
                    continue;
                }
                EXPECT_GE(l->contentsRect().width(),
                          l->fontMetrics().boundingRect(l->text()).width())
                    << l->text().toStdString();
            }
        }
        EXPECT_TRUE(frame->Pane(3)->text().startsWith("Lon: W093-"))
            << frame->Pane(3)->text().toStdString();
        // X,Y, then latitude, then longitude.
        EXPECT_LT(frame->Pane(2)->x(), frame->Pane(3)->x());
        if (showXY) EXPECT_LT(frame->Pane(1)->x(), frame->Pane(2)->x());
    }
}

TEST_F(AssembledProgram, EraseLastLeavesAFilesDrawingsAlone) {
    Start();
    const QString saved = dir.filePath("one.fnm");
    WriteLocationWithStroke(saved, {50, 50});
    // Reading the file back, by the Open command and by the recent list.
    for (int way : {cmd::FileOpen, cmd::FileMru1}) {
        SCOPED_TRACE(way);
        Button(cmd::DrawingMode);
        Stroke({200, 100}, {260, 160});  // one more entry in the undo record
        scripted().answer(Prompts::Answer::No);
        if (way == cmd::FileOpen) scripted().openFile(saved);
        Act(way)->trigger();
        ASSERT_EQ(Doc().GetPathName(), saved);
        ASSERT_EQ(Strokes(), 1u);
        Button(cmd::DrawingMode);
        EXPECT_FALSE(Act(cmd::EraseLastDrawing)->isEnabled());
        QTest::keyClick(frame, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Strokes(), 1u);
        // The user's own new stroke is the only one it takes.
        Stroke({300, 100}, {320, 140});
        QTest::keyClick(frame, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(frame, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Strokes(), 1u);
    }
    // File New starts an empty record as well as an empty location.
    Stroke({200, 100}, {260, 160});
    scripted().answer(Prompts::Answer::No);
    Act(cmd::FileNew)->trigger();
    EXPECT_EQ(Strokes(), 0u);
    Button(cmd::DrawingMode);
    EXPECT_FALSE(Act(cmd::EraseLastDrawing)->isEnabled());
}

TEST_F(AssembledProgram, SavingAfterARecentReopenWritesThatFile) {
    Start();
    const QString a = dir.filePath("a.fnm"), b = dir.filePath("b.fnm");
    WriteLocationWithStroke(b, {40, 40});
    scripted().answer(Prompts::Answer::No);
    Act(cmd::FileNew)->trigger();
    WriteLocationWithStroke(a, {90, 90});
    ASSERT_EQ(app->Recent().Files(), (QStringList{a, b}));
    for (int entry : {1, 0}) {
        SCOPED_TRACE(entry);
        const QString chosen = app->Recent().Files()[entry];
        const QString other = app->Recent().Files()[1 - entry];
        const QByteArray otherBytes = testutil::ReadAll(other);
        Act(cmd::FileMru1 + entry)->trigger();
        ASSERT_EQ(Doc().GetPathName(), chosen);
        Button(cmd::DrawingMode);
        Stroke({150, 150}, {190, 170});
        Act(cmd::FileSave)->trigger();
        EXPECT_EQ(testutil::ReadAll(other), otherBytes);
        EXPECT_EQ(Doc().GetPathName(), chosen);
        EXPECT_EQ(app->Recent().Files().value(0), chosen);
    }
    // A file that will not open is no recent file.
    const QString damaged = dir.filePath("damaged.fnm");
    ASSERT_TRUE(testutil::WriteAll(damaged, QByteArray("not a location")));
    const QStringList before = app->Recent().Files();
    for (const QString& path : {damaged, dir.filePath("missing.fnm")}) {
        scripted().openFile(path);
        Act(cmd::FileOpen)->trigger();
        EXPECT_EQ(app->Recent().Files(), before) << path.toStdString();
        for (int i = 0; i < 3; ++i)
            EXPECT_FALSE(Act(cmd::FileMru1 + i)->text().contains("damaged"));
    }
    EXPECT_EQ(scripted().messages.size(), 2);
}

TEST_F(AssembledProgram, FileNewAfterTheCommandLinesFileIsEmpty) {
    Start({.file = kSample});
    ASSERT_FALSE(View().Location().maps.entries.empty());
    Act(cmd::FileNew)->trigger();
    EXPECT_TRUE(View().Location().maps.entries.empty());
    EXPECT_TRUE(Doc().GetPathName().isEmpty());
    EXPECT_EQ(Doc().GetTitle(), "Untitled");
    EXPECT_EQ(frame->windowTitle(), "Untitled[*] - Fenmarrow");
}

TEST_F(AssembledProgram, OpenDialogOffersEveryFormOnce) {
    Start();
    scripted().openFile(std::nullopt);
    Act(cmd::FileOpen)->trigger();
    ASSERT_EQ(scripted().openFilters.size(), 1);
    const QStringList entries = scripted().openFilters[0].split(";;");
    const char* patterns[] = {"*.fnm", "*.qlt", "*.jpg", "*.bmp", "*.png", "*.tif", "*.gif", "*"};
    ASSERT_EQ(entries.size(), int(std::size(patterns)));
    for (int i = 0; i < entries.size(); ++i) {
        // One pattern list per entry, so the dialog shows each only once.
        EXPECT_EQ(entries[i].count('('), 1) << entries[i].toStdString();
        EXPECT_TRUE(entries[i].contains(QString("(%1").arg(patterns[i])))
            << entries[i].toStdString();
    }
}

TEST_F(AssembledProgram, TitleIsTheFramesOwn) {
    Start();
    // Window systems add the display name to a title that does not end with it.
    const auto shown = [&] {
        QString t = frame->windowTitle().replace("[*]", frame->isWindowModified() ? "*" : "");
        const QString name = QGuiApplication::applicationDisplayName();
        return t.endsWith(name) ? t : t + " \u2014 " + name;
    };
    EXPECT_EQ(shown(), "Untitled - Fenmarrow");
    Button(cmd::DrawingMode);
    Stroke({60, 60}, {100, 100});
    EXPECT_EQ(shown(), "Untitled* - Fenmarrow");
}

TEST_F(AssembledProgram, AFailedCommandLineOpenWritesNoSettings) {
    SettingsStore& s = SettingsStore::instance();
    s.SetString(setting::LastFile, kSample);
    s.SetInt(setting::LoadLastFile, 1);
    s.Sync();
    {
        CTarnlightApp failing;
        EXPECT_FALSE(AssembleApplication(failing, {.file = dir.filePath("gone.fnm")}));
    }
    EXPECT_EQ(scripted().messages.size(), 1);
    EXPECT_EQ(s.String(setting::LastFile), kSample);
    EXPECT_EQ(s.Int(setting::LoadLastFile), 1);
}

}  // namespace
