// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QListWidget>

#include "ScriptedPrompts.h"
#include "framework/DataExchange.h"
#include "points/DeleteUserPointsDialog.h"

namespace {

QListWidget* List(QDialog& d) {
    return Control<QListWidget>(&d, 1000);
}

const QStringList kNames = {"Point 1", "Dock", "Point 1", "Weed bed"};

TEST(DeleteUserPointsDialog, ListsTheNamesUntickedInOrder) {
    CDeleteUserPointsDialog dlg(kNames);
    EXPECT_EQ(dlg.windowTitle(), "Delete User Points");
    ASSERT_EQ(List(dlg)->count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(List(dlg)->item(i)->text(), kNames[i]);
        EXPECT_EQ(List(dlg)->item(i)->checkState(), Qt::Unchecked);
        EXPECT_FALSE(List(dlg)->item(i)->flags() & Qt::ItemIsSelectable);
    }
}

TEST(DeleteUserPointsDialog, OkReturnsTickedNamesInListOrder) {
    struct Case {
        QList<int> tick;
        bool ok;
        QStringList expected;
    } cases[] = {
        {{3, 1}, true, {"Dock", "Weed bed"}},
        {{2, 0}, true, {"Point 1", "Point 1"}},
        {{}, true, {}},
        {{1}, false, {}},
    };
    for (const Case& c : cases) {
        PromptsFixtureGuard guard;
        CDeleteUserPointsDialog dlg(kNames);
        scripted().dialog([&c](QDialog& d) {
            for (int row : c.tick) List(d)->item(row)->setCheckState(Qt::Checked);
            c.ok ? d.accept() : d.reject();
        });
        EXPECT_EQ(Prompts::instance().runModal(dlg) == QDialog::Accepted, c.ok);
        EXPECT_EQ(dlg.ticked, c.expected);
    }
}

}  // namespace
