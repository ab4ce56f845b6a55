#include <gtest/gtest.h>

#include <QListWidget>

#include "ScriptedPrompts.h"
#include "editing/LayersDialog.h"
#include "framework/DataExchange.h"

namespace {

QListWidget* List(QDialog& d) {
    return Control<QListWidget>(&d, 1000);
}

QList<int> Checks(QDialog& d) {
    QList<int> out;
    for (int i = 0; i < List(d)->count(); ++i)
        out << (List(d)->item(i)->checkState() == Qt::Checked ? 1 : 0);
    return out;
}

void Toggle(QDialog& d, int row) {
    QListWidgetItem* item = List(d)->item(row);
    item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

TEST(LayersDialog, ListsTheLayersWithoutSelection) {
    CLayersDialog dlg;
    EXPECT_EQ(dlg.windowTitle(), "Layers");
    QListWidget* list = List(dlg);
    ASSERT_EQ(list->count(), 4);
    QStringList names;
    for (int i = 0; i < 4; ++i) {
        names << list->item(i)->text();
        EXPECT_TRUE(list->item(i)->flags() & Qt::ItemIsUserCheckable);
        EXPECT_FALSE(list->item(i)->flags() & Qt::ItemIsSelectable);
    }
    EXPECT_EQ(names, QStringList({"Maps", "Map Points", "User Points", "RedLines"}));
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::NoSelection);
    EXPECT_EQ(Checks(dlg), QList<int>({1, 1, 1, 1}));
}

TEST(LayersDialog, ChecksFollowTheFlags) {
    struct Case {
        int maps, mapPoints, userPoints, redLines;
    } cases[] = {{1, 0, 1, 0}, {0, 1, 0, 1}, {0, 0, 0, 0}, {1, 1, 0, 1}};
    for (const Case& c : cases) {
        CLayersDialog dlg(c.maps, c.mapPoints, c.userPoints, c.redLines);
        EXPECT_EQ(Checks(dlg), QList<int>({c.maps, c.mapPoints, c.userPoints, c.redLines}));
    }
}

TEST(LayersDialog, OkReadsEveryItem) {
    PromptsFixtureGuard guard;
    CLayersDialog dlg(1, 1, 1, 0);
    scripted().dialog([](QDialog& d) {
        Toggle(d, 0);  // Maps off
        Toggle(d, 3);  // RedLines on
        d.accept();
    });
    ASSERT_EQ(Prompts::instance().runModal(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.showMaps, 0);
    EXPECT_EQ(dlg.showMapPoints, 1);
    EXPECT_EQ(dlg.showUserPoints, 1);
    EXPECT_EQ(dlg.showRedLines, 1);
}

TEST(LayersDialog, OkTurnsAnyTrueFlagIntoOne) {
    PromptsFixtureGuard guard;
    CLayersDialog dlg(5, 0, -1, 1);
    scripted().dialog([](QDialog& d) { d.accept(); });
    ASSERT_EQ(Prompts::instance().runModal(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.showMaps, 1);
    EXPECT_EQ(dlg.showMapPoints, 0);
    EXPECT_EQ(dlg.showUserPoints, 1);
    EXPECT_EQ(dlg.showRedLines, 1);
}

TEST(LayersDialog, CancelKeepsTheFlags) {
    PromptsFixtureGuard guard;
    CLayersDialog dlg(1, 0, 1, 0);
    scripted().dialog([](QDialog& d) {
        for (int i = 0; i < 4; ++i) Toggle(d, i);
        d.reject();
    });
    EXPECT_EQ(Prompts::instance().runModal(dlg), QDialog::Rejected);
    EXPECT_EQ(dlg.showMaps, 1);
    EXPECT_EQ(dlg.showMapPoints, 0);
    EXPECT_EQ(dlg.showUserPoints, 1);
    EXPECT_EQ(dlg.showRedLines, 0);
}

}  // namespace
