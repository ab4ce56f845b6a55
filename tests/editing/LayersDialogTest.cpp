// SPDX-License-Identifier: GPL-3.0-or-later
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

TEST(LayersDialog, ListsTheLayersCheckedFromTheFlags) {
    CLayersDialog dlg(1, 0, 1, 0);
    EXPECT_EQ(dlg.windowTitle(), "Layers");
    QStringList names;
    for (int i = 0; i < List(dlg)->count(); ++i) {
        names << List(dlg)->item(i)->text();
        EXPECT_FALSE(List(dlg)->item(i)->flags() & Qt::ItemIsSelectable);
    }
    EXPECT_EQ(names, QStringList({"Maps", "Map Points", "User Points", "RedLines"}));
    EXPECT_EQ(Checks(dlg), QList<int>({1, 0, 1, 0}));
    EXPECT_EQ(Checks(*std::make_unique<CLayersDialog>()), QList<int>({1, 1, 1, 1}));
}

TEST(LayersDialog, OkReadsEveryItemCancelNone) {
    struct Case {
        bool ok;
        QList<int> expected;  // maps, map points, user points, red lines
    } cases[] = {{true, {0, 1, 0, 1}}, {false, {1, 0, 1, 0}}};
    for (const Case& c : cases) {
        PromptsFixtureGuard guard;
        CLayersDialog dlg(1, 0, 1, 0);
        scripted().dialog([&c](QDialog& d) {
            for (int i = 0; i < 4; ++i) {
                QListWidgetItem* item = List(d)->item(i);
                item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked
                                                                      : Qt::Checked);
            }
            c.ok ? d.accept() : d.reject();
        });
        EXPECT_EQ(Prompts::instance().runModal(dlg) == QDialog::Accepted, c.ok);
        EXPECT_EQ(
            QList<int>({dlg.showMaps, dlg.showMapPoints, dlg.showUserPoints, dlg.showRedLines}),
            c.expected);
    }
}

}  // namespace
