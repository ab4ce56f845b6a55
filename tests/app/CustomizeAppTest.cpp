// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDockWidget>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QToolBar>

#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "app/Assembly.h"
#include "app/MainFrame.h"
#include "app/TarnlightApp.h"
#include "framework/Settings.h"
#include "framework/Shell.h"
#include "framework/customize/Customizer.h"
#include "resources/CommandIds.h"
#include "view/TarnlightView.h"

namespace {

template <typename T>
T* W(QWidget& d, const char* name) {
    T* w = d.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void Click(QWidget& d, const char* name) {
    W<QPushButton>(d, name)->click();
}

void Select(QWidget& d, const char* list, int value) {
    QListWidget* l = W<QListWidget>(d, list);
    for (int i = 0; i < l->count(); ++i)
        if (l->item(i)->data(Qt::UserRole).toInt() == value) return l->setCurrentRow(i);
    ADD_FAILURE() << list << " has no " << value;
}

QList<int> Buttons(QToolBar* tb) {
    QList<int> ids;
    for (QAction* a : tb->actions()) ids << (a->isSeparator() ? 0 : a->data().toInt());
    return ids;
}

QStringList ToolbarMenu(CMainFrame& f) {
    std::unique_ptr<QMenu> menu(f.createPopupMenu());
    QStringList texts;
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) texts << a->text();
    return texts;
}

QMenu* ToolsMenu(CMainFrame& f) {
    for (QAction* a : f.menuBar()->actions())
        if (a->text() == "&Tools") return a->menu();
    return nullptr;
}

// The Tools menu as the user sees it: visible entries, "-" for separators.
QStringList ToolsMenuTexts(CMainFrame& f) {
    QStringList texts;
    for (QAction* a : ToolsMenu(f)->actions())
        if (a->isVisible()) texts << (a->isSeparator() ? "-" : a->text());
    return texts;
}

// Opens Customize and lets the script work in it, then presses OK.
void Customize(CMainFrame& f, std::function<void(QDialog&)> script) {
    scripted().dialog([script](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Customize");
        script(d);
        d.accept();
    });
    EXPECT_TRUE(f.Commands().execute(cmd::Customize));
}

void NameNextToolbar(const QString& name) {
    scripted().dialog([name](QDialog& d) {
        d.findChild<QLineEdit*>("toolbarName")->setText(name);
        d.accept();
    });
}

class CustomizeAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        testutil::ClearSettings();
        SettingsStore::instance().SetInt(setting::Splash, 0);
    }
    void TearDown() override { shell::Install(shell::Defaults()); }
    PromptsFixtureGuard guard;

    // One run of the program; the settings are read back from the file the
    // way the next start would.
    template <typename F>
    void Run(F during) {
        SettingsStore::instance().Sync();
        SettingsStore::instance().Reload();
        CTarnlightApp app;
        ASSERT_TRUE(AssembleApplication(app, {}));
        during(*app.Frame());
        app.ExitInstance();
    }
};

TEST_F(CustomizeAppTest, UserToolbarIsMadeFilledRenamedHiddenAndRestored) {
    const QList<int> buttons = {cmd::Pan, 0, cmd::MeasureDistance, cmd::RouteSetup};
    Run([&](CMainFrame& f) {
        EXPECT_FALSE(f.Commands().state(cmd::userToolbarCommand(0)).enabled);
        Customize(f, [](QDialog& d) {
            NameNextToolbar("Bait");
            Click(d, "newToolbar");
            for (int id : {cmd::Pan, cmd::MeasureDistance, cmd::RouteSetup}) {
                Select(d, "commandList", id);
                Click(d, "addButton");
            }
            Select(d, "buttonList", cmd::Pan);
            Click(d, "separatorButton");
        });
        QToolBar* tb = f.findChild<QToolBar*>("59432");
        ASSERT_NE(tb, nullptr);
        EXPECT_EQ(tb, f.Customization().UserToolbar(0));
        EXPECT_EQ(tb->windowTitle(), "Bait");
        EXPECT_FALSE(tb->isHidden());
        EXPECT_EQ(Buttons(tb), buttons);
        // The buttons are the commands' own actions: greyed where the command is.
        EXPECT_EQ(tb->actions()[0], f.Commands().action(cmd::Pan));
        EXPECT_FALSE(tb->actions()[3]->isEnabled());
        EXPECT_TRUE(f.Commands().state(cmd::userToolbarCommand(0)).checked);

        Customize(f, [](QDialog& d) {
            Select(d, "toolbarList", 0);
            NameNextToolbar("Lures");
            Click(d, "renameToolbar");
        });
        EXPECT_EQ(tb->windowTitle(), "Lures");
        EXPECT_EQ(ToolbarMenu(f), (QStringList{"Standard Toolbar", "&Point", "&Sunrise/Sunset",
                                               "&Fenmarrow Ad", "Lures", "&Customize..."}));
        // Moved to the left edge, then hidden through its toggle command,
        // whose check mark follows.
        f.addToolBar(Qt::LeftToolBarArea, tb);
        ASSERT_TRUE(f.Commands().execute(cmd::userToolbarCommand(0)));
        EXPECT_TRUE(tb->isHidden());
        EXPECT_FALSE(f.Commands().state(cmd::userToolbarCommand(0)).checked);
    });
    Run([&](CMainFrame& f) {
        QToolBar* tb = f.findChild<QToolBar*>("59432");
        ASSERT_NE(tb, nullptr);
        EXPECT_EQ(tb->windowTitle(), "Lures");
        EXPECT_TRUE(tb->isHidden());
        EXPECT_EQ(Buttons(tb), buttons);
        EXPECT_EQ(f.toolBarArea(tb), Qt::LeftToolBarArea);
        EXPECT_EQ(ToolbarMenu(f).value(4), "Lures");
        QAction* toggle = f.Commands().action(cmd::userToolbarCommand(0));
        f.Commands().refresh();
        EXPECT_TRUE(toggle->isEnabled());
        EXPECT_FALSE(toggle->isChecked());
        toggle->trigger();
        EXPECT_FALSE(tb->isHidden());
        EXPECT_TRUE(toggle->isChecked());

        // Deleted, it leaves the toolbar menu and stays gone.
        Customize(f, [](QDialog& d) {
            Select(d, "toolbarList", 0);
            Click(d, "deleteToolbar");
        });
        EXPECT_EQ(f.Customization().UserToolbar(0), nullptr);
        EXPECT_FALSE(ToolbarMenu(f).contains("Lures"));
    });
    Run([](CMainFrame& f) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(f.findChild<QToolBar*>("59432"), nullptr);
        EXPECT_EQ(ToolbarMenu(f).size(), 5);
    });
}

TEST_F(CustomizeAppTest, CancelChangesNothing) {
    Run([](CMainFrame& f) {
        scripted().dialog([](QDialog& d) {
            NameNextToolbar("Bait");
            Click(d, "newToolbar");
            d.reject();
        });
        EXPECT_TRUE(f.Commands().execute(cmd::Customize));
        EXPECT_EQ(scripted().dialogsRun, 2);
        EXPECT_EQ(f.Customization().UserToolbar(0), nullptr);
        EXPECT_EQ(f.Customization().Collect(), CustomizationState());
    });
}

TEST_F(CustomizeAppTest, ShortcutIsAssignedAndRestored) {
    Run([](CMainFrame& f) {
        EXPECT_TRUE(f.Commands().action(cmd::BassWeight)->shortcut().isEmpty());
        Customize(f, [](QDialog& d) {
            Select(d, "keyCommandList", cmd::BassWeight);
            W<QKeySequenceEdit>(d, "newKey")->setKeySequence(QKeySequence("Ctrl+Shift+B"));
            Click(d, "assignKey");
            // Layers gives up its Ctrl+L to Bass Weight Calc.
            W<QKeySequenceEdit>(d, "newKey")->setKeySequence(QKeySequence("Ctrl+L"));
            scripted().answer(Prompts::Answer::Yes);
            Click(d, "assignKey");
        });
        EXPECT_EQ(f.Commands().action(cmd::BassWeight)->shortcuts(),
                  (QList<QKeySequence>{QKeySequence("Ctrl+Shift+B"), QKeySequence("Ctrl+L")}));
        EXPECT_TRUE(f.Commands().action(cmd::Layers)->shortcuts().isEmpty());
    });
    Run([](CMainFrame& f) {
        EXPECT_EQ(f.Commands().action(cmd::BassWeight)->shortcuts(),
                  (QList<QKeySequence>{QKeySequence("Ctrl+Shift+B"), QKeySequence("Ctrl+L")}));
        EXPECT_TRUE(f.Commands().action(cmd::Layers)->shortcuts().isEmpty());
        // Reset All brings back the catalogue's keys.
        Customize(f, [](QDialog& d) { Click(d, "resetKeys"); });
        EXPECT_TRUE(f.Commands().action(cmd::BassWeight)->shortcuts().isEmpty());
        EXPECT_EQ(f.Commands().action(cmd::Layers)->shortcut(), QKeySequence("Ctrl+L"));
    });
}

TEST_F(CustomizeAppTest, DoubleClickRunsTheBoundCommand) {
    Run([](CMainFrame& f) {
        // Unbound, a double-click on nothing beeps.
        EXPECT_FALSE(f.View().onUnhandledDoubleClick);
        QTest::mouseDClick(f.View().viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(scripted().beeps, 1);

        Customize(f, [](QDialog& d) {
            QComboBox* combo = W<QComboBox>(d, "doubleClick");
            combo->setCurrentIndex(combo->findData(cmd::ShowPointDisplay));
        });
        ASSERT_TRUE(f.View().onUnhandledDoubleClick);
        EXPECT_FALSE(f.PointDock()->isHidden());
        QTest::mouseDClick(f.View().viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_TRUE(f.PointDock()->isHidden());
        EXPECT_EQ(scripted().beeps, 1);
    });
    Run([](CMainFrame& f) {
        ASSERT_TRUE(f.View().onUnhandledDoubleClick);
        bool hidden = f.PointDock()->isHidden();
        f.View().onUnhandledDoubleClick();
        EXPECT_NE(f.PointDock()->isHidden(), hidden);
        // A greyed command is not run by the double-click either.
        Customize(f, [](QDialog& d) {
            QComboBox* combo = W<QComboBox>(d, "doubleClick");
            combo->setCurrentIndex(combo->findData(cmd::RouteSetup));
        });
        int runs = 0;
        QObject counter;
        QObject::connect(&f.Commands(), &CommandTable::executed, &counter, [&](int) { ++runs; });
        f.View().onUnhandledDoubleClick();
        EXPECT_EQ(runs, 0);
        Customize(f, [](QDialog& d) { W<QComboBox>(d, "doubleClick")->setCurrentIndex(0); });
        EXPECT_FALSE(f.View().onUnhandledDoubleClick);
    });
}

TEST_F(CustomizeAppTest, UserToolRunsItsProgram) {
    struct Start {
        QString program;
        QStringList args;
    };
    std::vector<Start> started;
    shell::Services s = shell::Defaults();
    s.startDetached = [&](const QString& program, const QStringList& args) {
        started.push_back({program, args});
        return program != "/missing";
    };
    shell::Install(s);

    Run([&](CMainFrame& f) {
        // No tools: the entry stands greyed where they go.
        EXPECT_EQ(ToolsMenuTexts(f), (QStringList{"&Bass Weight Calc.", "Map Location&Editor", "-",
                                                  "&<User-defined tools", "-", "&Customize..."}));
        f.Commands().refresh();
        EXPECT_FALSE(f.Commands().action(cmd::UserToolsEntry)->isEnabled());
        Customize(f, [](QDialog& d) {
            Click(d, "newTool");
            W<QLineEdit>(d, "toolTitle")->setText("Tide chart");
            W<QLineEdit>(d, "toolProgram")->setText("/opt/tides/tide");
            W<QLineEdit>(d, "toolArguments")->setText("--lake \"Mille Lacs\" -v");
            Click(d, "newTool");
            W<QLineEdit>(d, "toolTitle")->setText("Broken");
            W<QLineEdit>(d, "toolProgram")->setText("/missing");
        });
        EXPECT_EQ(ToolsMenuTexts(f), (QStringList{"&Bass Weight Calc.", "Map Location&Editor", "-",
                                                  "Tide chart", "Broken", "-", "&Customize..."}));
    });
    Run([&](CMainFrame& f) {
        const QList<QAction*>& tools = f.Customization().ToolActions();
        ASSERT_EQ(tools.size(), 2);
        EXPECT_EQ(tools[0]->data().toInt(), cmd::UserToolFirst);
        EXPECT_EQ(tools[1]->data().toInt(), cmd::UserToolFirst + 1);
        EXPECT_TRUE(ToolsMenu(f)->actions().contains(tools[0]));
        tools[0]->trigger();
        ASSERT_EQ(started.size(), 1u);
        EXPECT_EQ(started[0].program, "/opt/tides/tide");
        EXPECT_EQ(started[0].args, (QStringList{"--lake", "Mille Lacs", "-v"}));
        EXPECT_TRUE(scripted().messages.isEmpty());
        tools[1]->trigger();
        EXPECT_EQ(scripted().messages, QStringList{"Unable to start /missing."});

        Customize(f, [](QDialog& d) {
            Click(d, "deleteTool");
            Click(d, "deleteTool");
        });
        EXPECT_TRUE(f.Customization().ToolActions().isEmpty());
        EXPECT_TRUE(ToolsMenuTexts(f).contains("&<User-defined tools"));
    });
}

TEST_F(CustomizeAppTest, DamagedSavedStateStartsWithTheDefaults) {
    QSettings& raw = SettingsStore::instance().Raw();
    raw.setValue("Settings/Customization/Version", 1);
    raw.setValue("Settings/Customization/StandardToolbar", 1);
    raw.setValue("Settings/Customization/DoubleClick", 0);
    raw.setValue("Settings/Customization/Toolbar0/Title", "Fine");
    raw.setValue("Settings/Customization/Toolbar0/Buttons", "32806");
    raw.setValue("Settings/Customization/Toolbar0/Visible", 1);
    raw.setValue("Settings/Customization/Toolbar12/Title", "One too many");
    raw.setValue("Settings/Customization/Tool0/Title", QByteArray("\xff\x00garbage", 9));
    raw.setValue("Settings/Customization/Keys/32806", "Ctrl+Nonsense+");
    Run([](CMainFrame& f) {
        EXPECT_EQ(f.Customization().UserToolbar(0), nullptr);
        EXPECT_TRUE(f.Customization().ToolActions().isEmpty());
        EXPECT_EQ(f.Commands().action(cmd::Pan)->shortcut(), QKeySequence("F4"));
        EXPECT_EQ(f.Customization().Collect(), CustomizationState());
        EXPECT_FALSE(f.MainToolBar()->isHidden());
    });
    // The next close wrote a good state over the damaged one.
    SettingsStore::instance().Sync();
    SettingsStore::instance().Reload();
    CustomizationState s;
    EXPECT_TRUE(s.Load(SettingsStore::instance()));
}

}  // namespace
