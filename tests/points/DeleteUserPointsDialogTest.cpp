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

TEST(DeleteUserPointsDialog, ListsTheNamesUnticked) {
    CDeleteUserPointsDialog dlg(kNames);
    EXPECT_EQ(dlg.windowTitle(), "Delete User Points");
    QListWidget* list = List(dlg);
    ASSERT_EQ(list->count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(list->item(i)->text(), kNames[i]);
        EXPECT_EQ(list->item(i)->checkState(), Qt::Unchecked);
        EXPECT_FALSE(list->item(i)->flags() & Qt::ItemIsSelectable);
    }
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::NoSelection);
}

TEST(DeleteUserPointsDialog, OkReturnsTickedNamesInListOrder) {
    struct Case {
        QList<int> tick;
        QStringList expected;
    } cases[] = {
        {{3, 1}, {"Dock", "Weed bed"}},
        {{2, 0}, {"Point 1", "Point 1"}},
        {{}, {}},
        {{0, 1, 2, 3}, kNames},
    };
    for (const Case& c : cases) {
        PromptsFixtureGuard guard;
        CDeleteUserPointsDialog dlg(kNames);
        scripted().dialog([&c](QDialog& d) {
            for (int row : c.tick) List(d)->item(row)->setCheckState(Qt::Checked);
            d.accept();
        });
        ASSERT_EQ(Prompts::instance().runModal(dlg), QDialog::Accepted);
        EXPECT_EQ(dlg.ticked, c.expected);
    }
}

TEST(DeleteUserPointsDialog, CancelReturnsNothing) {
    PromptsFixtureGuard guard;
    CDeleteUserPointsDialog dlg(kNames);
    scripted().dialog([](QDialog& d) {
        List(d)->item(1)->setCheckState(Qt::Checked);
        d.reject();
    });
    EXPECT_EQ(Prompts::instance().runModal(dlg), QDialog::Rejected);
    EXPECT_TRUE(dlg.ticked.isEmpty());
}

TEST(DeleteUserPointsDialog, EmptyListIsFine) {
    PromptsFixtureGuard guard;
    CDeleteUserPointsDialog dlg({});
    scripted().dialog([](QDialog& d) { d.accept(); });
    EXPECT_EQ(Prompts::instance().runModal(dlg), QDialog::Accepted);
    EXPECT_EQ(List(dlg)->count(), 0);
    EXPECT_TRUE(dlg.ticked.isEmpty());
}

}  // namespace
