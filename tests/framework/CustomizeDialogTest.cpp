// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QComboBox>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "framework/customize/CustomizeDialog.h"
#include "resources/Art.h"
#include "resources/CommandCatalog.h"
#include "resources/CommandIds.h"

using namespace customize;

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

bool Enabled(QWidget& d, const char* name) {
    return W<QWidget>(d, name)->isEnabled();
}

// Selects the item whose data is value (a command id or a toolbar slot).
void Select(QWidget& d, const char* list, int value) {
    QListWidget* l = W<QListWidget>(d, list);
    for (int i = 0; i < l->count(); ++i)
        if (l->item(i)->data(Qt::UserRole).toInt() == value) return l->setCurrentRow(i);
    ADD_FAILURE() << list << " has no " << value;
}

QStringList Texts(QWidget& d, const char* list) {
    QStringList out;
    QListWidget* l = W<QListWidget>(d, list);
    for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
    return out;
}

void ScriptName(const QString& name) {
    scripted().dialog([name](QDialog& d) {
        d.findChild<QLineEdit*>("toolbarName")->setText(name);
        d.accept();
    });
}

class CustomizeDialogTest : public ::testing::Test {
protected:
    PromptsFixtureGuard guard;
};

TEST_F(CustomizeDialogTest, PagesAndTitle) {
    CustomizeDialog dlg{CustomizationState{}, QImage{}};
    EXPECT_EQ(dlg.windowTitle(), "Customize");
    QTabWidget* tabs = W<QTabWidget>(dlg, "pages");
    QStringList pages;
    for (int i = 0; i < tabs->count(); ++i) pages << tabs->tabText(i);
    EXPECT_EQ(pages, (QStringList{"Toolbars", "Commands", "Keyboard", "Mouse", "Tools"}));
    // Every catalogue command is offered, with the toolbars' images where they have one.
    int count = 0;
    catalog::All(count);
    QListWidget* commands = W<QListWidget>(dlg, "commandList");
    EXPECT_EQ(commands->count(), count);
    for (int id : {cmd::FileOpen, cmd::MapLocationEditor}) {  // toolbars 128 and 152
        Select(dlg, "commandList", id);
        EXPECT_EQ(commands->currentItem()->icon().cacheKey(), art::CommandIcon(id).cacheKey());
    }
    EXPECT_EQ(Texts(dlg, "toolbarList"), QStringList{"Standard"});
    EXPECT_FALSE(Enabled(dlg, "buttonImage"));  // no user images
}

TEST_F(CustomizeDialogTest, ToolbarsAreMadeRenamedHiddenAndDeleted) {
    CustomizeDialog dlg{CustomizationState{}, QImage{}};
    ScriptName("Bait");
    Click(dlg, "newToolbar");
    EXPECT_EQ(scripted().dialogsRun, 1);
    EXPECT_EQ(Texts(dlg, "toolbarList"), (QStringList{"Standard", "Bait"}));
    ASSERT_TRUE(dlg.State().toolbars[0]);
    EXPECT_EQ(dlg.State().toolbars[0]->title, "Bait");

    // Cancelled or empty names change nothing; an empty one is refused.
    Click(dlg, "newToolbar");  // nothing scripted: cancelled
    ScriptName("   ");
    Click(dlg, "newToolbar");
    EXPECT_EQ(scripted().messages, QStringList{"Please enter a name for the toolbar."});
    EXPECT_EQ(dlg.State().ToolbarCount(), 1);

    Select(dlg, "toolbarList", 0);
    ScriptName("Lures");
    Click(dlg, "renameToolbar");
    EXPECT_EQ(dlg.State().toolbars[0]->title, "Lures");
    EXPECT_EQ(W<QComboBox>(dlg, "targetToolbar")->currentText(), "Lures");

    // The check boxes show and hide, Standard included.
    QListWidget* list = W<QListWidget>(dlg, "toolbarList");
    list->item(1)->setCheckState(Qt::Unchecked);
    list->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(dlg.State().toolbars[0]->visible);
    EXPECT_FALSE(dlg.State().standardToolbarVisible);

    // Standard can be neither renamed nor deleted.
    Select(dlg, "toolbarList", -1);
    EXPECT_FALSE(Enabled(dlg, "renameToolbar"));
    EXPECT_FALSE(Enabled(dlg, "deleteToolbar"));
    Select(dlg, "toolbarList", 0);
    Click(dlg, "deleteToolbar");
    EXPECT_EQ(dlg.State().ToolbarCount(), 0);
    EXPECT_EQ(W<QComboBox>(dlg, "targetToolbar")->count(), 0);
}

TEST_F(CustomizeDialogTest, NoMoreThanTenToolbars) {
    CustomizationState s;
    for (int i = 0; i < kMaxToolbars - 1; ++i) s.AddToolbar(QString("Bar %1").arg(i + 1));
    CustomizeDialog dlg(s, QImage());
    EXPECT_TRUE(Enabled(dlg, "newToolbar"));
    ScriptName("Last");
    Click(dlg, "newToolbar");
    EXPECT_EQ(dlg.State().toolbars[9]->title, "Last");
    EXPECT_FALSE(Enabled(dlg, "newToolbar"));
    Click(dlg, "newToolbar");
    EXPECT_EQ(scripted().dialogsRun, 1);
}

TEST_F(CustomizeDialogTest, ButtonsAreAddedOrderedAndRemoved) {
    CustomizationState s;
    s.AddToolbar("Bait");
    CustomizeDialog dlg(s, QImage());
    for (int id : {cmd::Pan, cmd::MeasureDistance, cmd::BassWeight}) {
        Select(dlg, "commandList", id);
        Click(dlg, "addButton");
    }
    Select(dlg, "buttonList", cmd::Pan);
    Click(dlg, "separatorButton");  // after the selected button
    EXPECT_EQ(dlg.State().toolbars[0]->commands,
              (std::vector<int>{cmd::Pan, kSeparator, cmd::MeasureDistance, cmd::BassWeight}));
    EXPECT_EQ(Texts(dlg, "buttonList"),
              (QStringList{"Pan", "--------", "Measure Distance", "Bass Weight Calc."}));

    struct Step {
        const char* button;
        int select;
        std::vector<int> after;
    } steps[] = {
        {"upButton",
         cmd::BassWeight,
         {cmd::Pan, kSeparator, cmd::BassWeight, cmd::MeasureDistance}},
        {"downButton", cmd::Pan, {kSeparator, cmd::Pan, cmd::BassWeight, cmd::MeasureDistance}},
        {"removeButton", cmd::BassWeight, {kSeparator, cmd::Pan, cmd::MeasureDistance}},
    };
    for (const Step& st : steps) {
        Select(dlg, "buttonList", st.select);
        Click(dlg, st.button);
        EXPECT_EQ(dlg.State().toolbars[0]->commands, st.after) << st.button;
    }
    // The first cannot go up, the last cannot go down.
    W<QListWidget>(dlg, "buttonList")->setCurrentRow(0);
    EXPECT_FALSE(Enabled(dlg, "upButton"));
    W<QListWidget>(dlg, "buttonList")->setCurrentRow(2);
    EXPECT_FALSE(Enabled(dlg, "downButton"));
}

TEST_F(CustomizeDialogTest, UserImagesGiveButtonsTheirPictures) {
    CustomizationState s;
    s.AddToolbar("Bait");
    s.toolbars[0]->commands = {cmd::Query};
    QImage strip(48, 16, QImage::Format_RGB32);
    strip.fill(Qt::green);
    CustomizeDialog dlg(s, strip);
    QComboBox* images = W<QComboBox>(dlg, "buttonImage");
    EXPECT_EQ(images->count(), 4);  // the default and three cells
    Select(dlg, "buttonList", cmd::Query);
    ASSERT_TRUE(images->isEnabled());
    images->setCurrentIndex(3);
    EXPECT_EQ(dlg.State().buttonImages.at(cmd::Query), 2);
    QImage shown = W<QListWidget>(dlg, "buttonList")->item(0)->icon().pixmap(16, 16).toImage();
    EXPECT_EQ(shown.pixelColor(8, 8), QColor(Qt::green));
    images->setCurrentIndex(0);
    EXPECT_TRUE(dlg.State().buttonImages.empty());
}

TEST_F(CustomizeDialogTest, KeysAreAssignedWithConflictsReported) {
    CustomizeDialog dlg{CustomizationState{}, QImage{}};
    auto* edit = W<QKeySequenceEdit>(dlg, "newKey");
    Select(dlg, "keyCommandList", cmd::BassWeight);
    EXPECT_TRUE(Texts(dlg, "currentKeys").isEmpty());
    EXPECT_FALSE(Enabled(dlg, "assignKey"));

    edit->setKeySequence(QKeySequence("Ctrl+Shift+B"));
    EXPECT_TRUE(W<QLabel>(dlg, "assignedTo")->text().isEmpty());
    Click(dlg, "assignKey");
    EXPECT_EQ(dlg.State().Keys(cmd::BassWeight), QList<QKeySequence>{QKeySequence("Ctrl+Shift+B")});
    EXPECT_TRUE(edit->keySequence().isEmpty());

    // Ctrl+L is Layers': the label says so, and No keeps it there.
    edit->setKeySequence(QKeySequence("Ctrl+L"));
    EXPECT_EQ(W<QLabel>(dlg, "assignedTo")->text(), "Currently assigned to: Layers");
    scripted().answer(Prompts::Answer::No);
    Click(dlg, "assignKey");
    ASSERT_EQ(scripted().messages.size(), 1);
    EXPECT_EQ(scripted().messages[0],
              QString("%1 is already assigned to Layers.\nAssign it to Bass Weight Calc. instead?")
                  .arg(QKeySequence("Ctrl+L").toString(QKeySequence::NativeText)));
    EXPECT_EQ(dlg.State().CommandForKey(QKeySequence("Ctrl+L")), cmd::Layers);
    // Yes moves it.
    edit->setKeySequence(QKeySequence("Ctrl+L"));
    scripted().answer(Prompts::Answer::Yes);
    Click(dlg, "assignKey");
    EXPECT_EQ(dlg.State().CommandForKey(QKeySequence("Ctrl+L")), cmd::BassWeight);
    EXPECT_TRUE(dlg.State().Keys(cmd::Layers).isEmpty());
    EXPECT_EQ(Texts(dlg, "currentKeys").size(), 2);

    W<QListWidget>(dlg, "currentKeys")->setCurrentRow(0);
    Click(dlg, "removeKey");
    EXPECT_EQ(dlg.State().Keys(cmd::BassWeight), QList<QKeySequence>{QKeySequence("Ctrl+L")});
    Click(dlg, "resetKeys");
    EXPECT_TRUE(dlg.State().keys.empty());
    EXPECT_EQ(dlg.State().CommandForKey(QKeySequence("Ctrl+L")), cmd::Layers);
}

TEST_F(CustomizeDialogTest, DoubleClickBinding) {
    CustomizationState s;
    s.doubleClickCommand = cmd::Pan;
    CustomizeDialog dlg(s, QImage());
    QComboBox* combo = W<QComboBox>(dlg, "doubleClick");
    EXPECT_EQ(combo->currentText(), "Pan");
    EXPECT_EQ(combo->itemText(0), "(none)");
    EXPECT_EQ(Texts(dlg, "viewList"), QStringList{"My view"});
    combo->setCurrentIndex(combo->findData(cmd::ShowPointDisplay));
    EXPECT_EQ(dlg.State().doubleClickCommand, cmd::ShowPointDisplay);
    combo->setCurrentIndex(0);
    EXPECT_EQ(dlg.State().doubleClickCommand, 0);
}

TEST_F(CustomizeDialogTest, ToolsAreDefinedUpToSixteen) {
    CustomizeDialog dlg{CustomizationState{}, QImage{}};
    EXPECT_FALSE(Enabled(dlg, "toolTitle"));
    Click(dlg, "newTool");
    W<QLineEdit>(dlg, "toolTitle")->setText("Tide chart");
    scripted().openFile(QString("/opt/tides/tide"));
    Click(dlg, "browseProgram");
    W<QLineEdit>(dlg, "toolArguments")->setText("--lake \"Mille Lacs\"");
    Click(dlg, "newTool");
    EXPECT_EQ(Texts(dlg, "toolList"), (QStringList{"Tide chart", "Tool 2"}));
    ASSERT_EQ(dlg.State().tools.size(), 2u);
    EXPECT_EQ(dlg.State().tools[0],
              (UserTool{"Tide chart", "/opt/tides/tide", "--lake \"Mille Lacs\""}));

    // A tool without a program keeps the dialog open.
    scripted().dialog([](QDialog& d) { d.accept(); });
    EXPECT_EQ(scripted().runModal(dlg), QDialog::Rejected);
    EXPECT_EQ(scripted().messages, QStringList{"The tool \"Tool 2\" needs a program."});
    EXPECT_EQ(W<QTabWidget>(dlg, "pages")->currentIndex(), 4);
    EXPECT_EQ(W<QListWidget>(dlg, "toolList")->currentRow(), 1);

    W<QLineEdit>(dlg, "toolProgram")->setText("mousepad");
    Click(dlg, "toolUp");
    EXPECT_EQ(Texts(dlg, "toolList"), (QStringList{"Tool 2", "Tide chart"}));
    Click(dlg, "deleteTool");  // the moved one stays selected
    EXPECT_EQ(Texts(dlg, "toolList"), QStringList{"Tide chart"});
    for (int i = 1; i < kMaxTools; ++i) {
        Click(dlg, "newTool");
        W<QLineEdit>(dlg, "toolProgram")->setText("true");
    }
    EXPECT_EQ(dlg.State().tools.size(), 16u);
    EXPECT_FALSE(Enabled(dlg, "newTool"));
    scripted().dialog([](QDialog& d) { d.accept(); });
    EXPECT_EQ(scripted().runModal(dlg), QDialog::Accepted);
}

}  // namespace
