#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "ScriptedPrompts.h"
#include "framework/DataExchange.h"
#include "view/ConfigurationDialog.h"

namespace {

QCheckBox* Box(QDialog& d, int id) {
    return Control<QCheckBox>(&d, id);
}
QComboBox* Icons(QDialog& d) {
    return Control<QComboBox>(&d, 1036);
}

TEST(ConfigurationDialog, ShowsItsControls) {
    CConfigurationDialog dlg(0, 1, 1, 0);
    EXPECT_EQ(dlg.windowTitle(), "Configuration...");
    EXPECT_EQ(Box(dlg, 1025)->text(), "Open last Map file on Restart");
    EXPECT_EQ(Box(dlg, 1028)->text(), "Use Cross Hair Cursor");
    EXPECT_EQ(Box(dlg, 1061)->text(), "Show X,Y on Status Bar");
    QComboBox* icons = Icons(dlg);
    ASSERT_EQ(icons->count(), 3);
    EXPECT_EQ(icons->itemText(0), "Red Icon");
    EXPECT_EQ(icons->itemText(1), "Blue Icon");
    EXPECT_EQ(icons->itemText(2), "Green Icon");
    EXPECT_FALSE(icons->isEditable());
    bool labelled = false;
    for (QLabel* l : dlg.findChildren<QLabel*>())
        if (l->text() == "Moving Map Icon:" && l->buddy() == icons) labelled = true;
    EXPECT_TRUE(labelled);
}

TEST(ConfigurationDialog, OpensOnTheCurrentValues) {
    struct Case {
        int loadLast, crossHair, showXY, icon;
        int shownIcon;
    } cases[] = {{0, 1, 1, 0, 0}, {1, 0, 0, 2, 2}, {1, 1, 0, 1, 1}, {0, 0, 1, 3, -1}};
    for (const Case& c : cases) {
        CConfigurationDialog dlg(c.loadLast, c.crossHair, c.showXY, c.icon);
        EXPECT_EQ(Box(dlg, 1025)->isChecked(), c.loadLast != 0);
        EXPECT_EQ(Box(dlg, 1028)->isChecked(), c.crossHair != 0);
        EXPECT_EQ(Box(dlg, 1061)->isChecked(), c.showXY != 0);
        EXPECT_EQ(Icons(dlg)->currentIndex(), c.shownIcon);
    }
}

TEST(ConfigurationDialog, OkReadsEveryControl) {
    PromptsFixtureGuard guard;
    CConfigurationDialog dlg(0, 1, 1, 0);
    scripted().dialog([](QDialog& d) {
        Box(d, 1025)->setChecked(true);
        Box(d, 1028)->setChecked(false);
        Box(d, 1061)->setChecked(false);
        Icons(d)->setCurrentIndex(2);
        d.accept();
    });
    ASSERT_EQ(Prompts::instance().runModal(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.loadLastFile, 1);
    EXPECT_EQ(dlg.useCrossHair, 0);
    EXPECT_EQ(dlg.showXY, 0);
    EXPECT_EQ(dlg.movingMapIcon, 2);
}

TEST(ConfigurationDialog, CancelKeepsTheValues) {
    PromptsFixtureGuard guard;
    CConfigurationDialog dlg(1, 1, 1, 1);
    scripted().dialog([](QDialog& d) {
        Box(d, 1025)->setChecked(false);
        Icons(d)->setCurrentIndex(0);
        d.reject();
    });
    EXPECT_EQ(Prompts::instance().runModal(dlg), QDialog::Rejected);
    EXPECT_EQ(dlg.loadLastFile, 1);
    EXPECT_EQ(dlg.movingMapIcon, 1);
}

}  // namespace
