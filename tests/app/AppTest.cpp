// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "app/AboutDialog.h"
#include "app/AdPanel.h"
#include "app/Assembly.h"
#include "app/MainFrame.h"
#include "app/TarnlightApp.h"
#include "document/TarnLocation.h"
#include "document/TarnlightDoc.h"
#include "framework/Settings.h"
#include "resources/CommandIds.h"

namespace {

class AppTest : public ::testing::Test {
protected:
    void SetUp() override { testutil::ClearSettings(); }
    PromptsFixtureGuard guard;
    QTemporaryDir dir;

    // One run of the program: start-up, then the caller's checks, then exit.
    template <typename F>
    void Run(F during, StartupOptions options = {}) {
        CTarnlightApp app;
        ASSERT_TRUE(AssembleApplication(app, options));
        during(app);
        app.ExitInstance();
    }
};

TEST_F(AppTest, AboutBoxAtStartupFollowsItsCheckBox) {
    // First run: the About box comes after the main window, nothing reopened.
    bool frameVisibleWhenAbout = false;
    scripted().dialog([&](QDialog& d) {
        frameVisibleWhenAbout = d.parentWidget() && d.parentWidget()->isVisible();
        d.findChild<QCheckBox*>("1057")->setChecked(true);
        d.accept();
    });
    Run([](CTarnlightApp& app) {
        EXPECT_EQ(app.Frame()->Document().GetTitle(), "Untitled");
        EXPECT_EQ(app.showSplash, 0);
    });
    EXPECT_TRUE(frameVisibleWhenAbout);
    EXPECT_EQ(scripted().dialogsRun, 1);
    EXPECT_EQ(SettingsStore::instance().Int(setting::Splash), 0);

    // Ticked: no About at the next start. The menu's About shows it ticked;
    // clearing it brings it back at the start after.
    scripted().reset();
    bool shownTicked = false;
    scripted().dialog([&](QDialog& d) {
        shownTicked = d.findChild<QCheckBox*>("1057")->isChecked();
        d.findChild<QCheckBox*>("1057")->setChecked(false);
        d.accept();
    });
    Run([](CTarnlightApp& app) {
        EXPECT_EQ(scripted().dialogsRun, 0);
        EXPECT_TRUE(app.Frame()->Commands().execute(cmd::AppAbout));
    });
    EXPECT_TRUE(shownTicked);
    scripted().reset();
    Run([](CTarnlightApp&) { EXPECT_EQ(scripted().dialogsRun, 1); });
    // Leaving the box any other way changes nothing.
    EXPECT_EQ(SettingsStore::instance().Int(setting::Splash), 1);
}

TEST_F(AppTest, LastFileAtShutdown) {
    struct Case {
        QString path;
        QString stored;
    } cases[] = {
        {"", ""},                              // never saved: empty
        {"/maps/lake.fnm", "/maps/lake.fnm"},  // remembered
        {"/maps/old.QLT", "/previous.fnm"},    // the older form is not
        {"/maps/old.qlt", "/previous.fnm"},
        {"/maps/pond.bmp", "/maps/pond.bmp"},  // an image is, by its path
    };
    for (const Case& c : cases) {
        SettingsStore::instance().SetInt(setting::Splash, 0);
        SettingsStore::instance().SetString(setting::LastFile, "/previous.fnm");
        Run([&](CTarnlightApp& app) { app.Frame()->Document().SetPathName(c.path, false); });
        EXPECT_EQ(SettingsStore::instance().String(setting::LastFile), c.stored) << c.path;
        EXPECT_TRUE(SettingsStore::instance().Contains(setting::LoadLastFile));
    }
}

TEST_F(AppTest, PanelTogglesKeepThePanelAndItsPlace) {
    SettingsStore::instance().SetInt(setting::Splash, 0);
    Run([](CTarnlightApp& app) {
        CMainFrame& f = *app.Frame();
        struct Case {
            int id;
            QDockWidget* dock;
        } cases[] = {{cmd::ShowPointDisplay, f.PointDock()},
                     {cmd::ShowSunDisplay, f.SunDock()},
                     {cmd::ShowAdPanel, f.AdDock()}};
        for (const Case& c : cases) {
            QWidget* content = c.dock->widget();
            Qt::DockWidgetArea area = f.dockWidgetArea(c.dock);
            EXPECT_EQ(area, Qt::RightDockWidgetArea);
            EXPECT_TRUE(f.Commands().state(c.id).checked);
            ASSERT_TRUE(f.Commands().execute(c.id));
            EXPECT_TRUE(c.dock->isHidden());
            EXPECT_FALSE(f.Commands().state(c.id).checked);
            ASSERT_TRUE(f.Commands().execute(c.id));
            EXPECT_FALSE(c.dock->isHidden());
            EXPECT_TRUE(f.Commands().state(c.id).checked);
            EXPECT_EQ(c.dock->widget(), content);  // the same panel, not a new one
            EXPECT_EQ(f.dockWidgetArea(c.dock), area);
        }
        // The column: ad panel above Sun Display above Point Display.
        EXPECT_LT(f.AdDock()->y(), f.SunDock()->y());
        EXPECT_LT(f.SunDock()->y(), f.PointDock()->y());
        EXPECT_GE(f.AdDock()->widget()->minimumHeight(), 130);
    });
}

TEST_F(AppTest, BannerPlacement) {
    struct Case {
        QSize size;
        QPoint origin;
    } cases[] = {{{150, 130}, {25, 21}}, {{90, 130}, {2, 21}}, {{150, 80}, {25, 2}}};
    for (const Case& c : cases) {
        EXPECT_EQ(CAdPanel::BannerOrigin(c.size), c.origin);
        CAdPanel panel;
        panel.resize(c.size);
        QImage img(c.size, QImage::Format_RGB32);
        panel.render(&img);
        // Frame black, white left of the banner, banner pixels start at x.
        EXPECT_EQ(img.pixelColor(0, c.size.height() / 2), QColor(Qt::black));
        int y = c.origin.y() + 44;
        if (c.origin.x() > 1) EXPECT_EQ(img.pixelColor(c.origin.x() - 1, y), QColor(Qt::white));
        bool bannerPainted = false;
        for (int x = c.origin.x(); x < c.origin.x() + 10; ++x)
            bannerPainted |= img.pixelColor(x, y) != QColor(Qt::white);
        EXPECT_TRUE(bannerPainted) << c.size.width();
    }
}

TEST_F(AppTest, CommandStates) {
    SettingsStore::instance().SetInt(setting::Splash, 0);
    Run([](CTarnlightApp& app) {
        CommandTable& t = app.Frame()->Commands();
        // Enabled but inert.
        for (int id : {cmd::ViewGps, cmd::ToggleQuery}) {
            EXPECT_TRUE(t.state(id).enabled) << id;
            bool modified = app.Frame()->Document().IsModified();
            EXPECT_TRUE(t.execute(id));
            EXPECT_EQ(app.Frame()->Document().IsModified(), modified);
        }
        // Always greyed, whichever way they are asked for.
        for (int id : {cmd::ZoomIn, cmd::ZoomOut, cmd::RouteSetup}) {
            EXPECT_FALSE(t.state(id).enabled) << id;
            EXPECT_FALSE(t.execute(id)) << id;
            t.refresh();
            EXPECT_FALSE(t.action(id)->isEnabled()) << id;
        }
        // The toolbar holds the main buttons in order.
        QList<QAction*> buttons = app.Frame()->MainToolBar()->actions();
        QList<int> ids;
        for (QAction* a : buttons) ids.append(a->isSeparator() ? 0 : a->data().toInt());
        QList<int> expected = {cmd::FileOpen,
                               cmd::FileSave,
                               cmd::FilePrint,
                               0,
                               cmd::AddUserPoint,
                               0,
                               cmd::StandardMode,
                               cmd::Magnifier,
                               cmd::Pan,
                               cmd::MeasureDistance,
                               cmd::CalibrateMode,
                               cmd::DrawingMode,
                               0,
                               cmd::DrawSquare,
                               cmd::DrawEllipse,
                               cmd::DrawFreeHand,
                               cmd::DrawLine,
                               cmd::EraseAllDrawing,
                               cmd::EraseLastDrawing};
        EXPECT_EQ(ids, expected);
        EXPECT_EQ(app.Frame()->MainToolBar()->windowTitle(), "Standard");
    });
}

TEST_F(AppTest, ToolbarMenuListsPanelsAndNoMissingUserToolbars) {
    SettingsStore::instance().SetInt(setting::Splash, 0);
    Run([](CTarnlightApp& app) {
        std::unique_ptr<QMenu> menu(app.Frame()->createPopupMenu());
        QStringList texts;
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) texts << a->text();
        EXPECT_EQ(texts, (QStringList{"Standard Toolbar", "&Point", "&Sunrise/Sunset",
                                      "&Fenmarrow Ad", "&Customize..."}));
    });
}

TEST_F(AppTest, FileNewAsksToSaveChangesAndCancelKeepsEverything) {
    SettingsStore::instance().SetInt(setting::Splash, 0);
    Run([&](CTarnlightApp& app) {
        CMainFrame& f = *app.Frame();
        CTarnlightDoc& doc = f.Document();
        doc.Location()->mapPoints.AddPoint(10, 10, 0, 0, "Reef", "");
        doc.SetModifiedFlag();
        scripted().answer(Prompts::Answer::Cancel);
        EXPECT_TRUE(f.Commands().execute(cmd::FileNew));
        EXPECT_EQ(scripted().messages.value(0), "Save changes to Untitled?");
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.Location()->mapPoints.items.size(), 1u);
        scripted().answer(Prompts::Answer::No);
        EXPECT_TRUE(f.Commands().execute(cmd::FileNew));
        EXPECT_FALSE(doc.IsModified());
        EXPECT_TRUE(doc.Location()->mapPoints.items.empty());
    });
}

TEST_F(AppTest, WindowTitleAndStatusPanes) {
    SettingsStore::instance().SetInt(setting::Splash, 0);
    Run([](CTarnlightApp& app) {
        CMainFrame& f = *app.Frame();
        EXPECT_EQ(f.windowTitle(), "Untitled[*] - Fenmarrow");
        EXPECT_EQ(f.Pane(1)->objectName(), "40002");
        EXPECT_EQ(f.Pane(2)->objectName(), "40000");
        EXPECT_EQ(f.Pane(3)->objectName(), "40001");
        QStringList menus;
        for (QAction* a : f.menuBar()->actions()) menus << a->text();
        EXPECT_EQ(menus, (QStringList{"&File", "&View", "&Drawing", "&Points", "&Setup", "&Tools",
                                      "&Help"}));
    });
}

}  // namespace
