// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>

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

TEST(ConfigurationDialog, OpensOnTheCurrentValues) {
    struct Case {
        int loadLast, crossHair, showXY, icon;
        int shownIcon;
    } cases[] = {{0, 1, 1, 0, 0}, {1, 0, 0, 2, 2}, {0, 0, 1, 3, -1}};
    for (const Case& c : cases) {
        CConfigurationDialog dlg(c.loadLast, c.crossHair, c.showXY, c.icon);
        EXPECT_EQ(dlg.windowTitle(), "Configuration...");
        EXPECT_EQ(Box(dlg, 1025)->text(), "Open last Map file on Restart");
        EXPECT_EQ(Box(dlg, 1028)->text(), "Use Cross Hair Cursor");
        EXPECT_EQ(Box(dlg, 1061)->text(), "Show X,Y on Status Bar");
        EXPECT_EQ(Icons(dlg)->itemText(0), "Red Icon");
        EXPECT_EQ(Icons(dlg)->itemText(1), "Blue Icon");
        EXPECT_EQ(Icons(dlg)->itemText(2), "Green Icon");
        EXPECT_EQ(Box(dlg, 1025)->isChecked(), c.loadLast != 0);
        EXPECT_EQ(Box(dlg, 1028)->isChecked(), c.crossHair != 0);
        EXPECT_EQ(Box(dlg, 1061)->isChecked(), c.showXY != 0);
        EXPECT_EQ(Icons(dlg)->currentIndex(), c.shownIcon);
    }
}

TEST(ConfigurationDialog, OkReadsEveryControlCancelNone) {
    for (bool ok : {true, false}) {
        PromptsFixtureGuard guard;
        CConfigurationDialog dlg(0, 1, 1, 0);
        scripted().dialog([ok](QDialog& d) {
            Box(d, 1025)->setChecked(true);
            Box(d, 1028)->setChecked(false);
            Box(d, 1061)->setChecked(false);
            Icons(d)->setCurrentIndex(2);
            ok ? d.accept() : d.reject();
        });
        EXPECT_EQ(Prompts::instance().runModal(dlg) == QDialog::Accepted, ok);
        EXPECT_EQ(dlg.loadLastFile, ok ? 1 : 0);
        EXPECT_EQ(dlg.useCrossHair, ok ? 0 : 1);
        EXPECT_EQ(dlg.showXY, ok ? 0 : 1);
        EXPECT_EQ(dlg.movingMapIcon, ok ? 2 : 0);
    }
}

}  // namespace
