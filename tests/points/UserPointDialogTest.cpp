// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ScriptedPrompts.h"
#include "framework/DataExchange.h"
#include "points/UserPointDialog.h"

namespace {

constexpr int kNumberIds[6] = {1030, 1031, 1032, 1026, 1027, 1029};

QListWidget* Icons(QDialog& d) {
    return Control<QListWidget>(&d, 1000);
}
QLineEdit* Edit(QDialog& d, int id) {
    return Control<QLineEdit>(&d, id);
}
QPlainTextEdit* Info(QDialog& d) {
    return Control<QPlainTextEdit>(&d, 1011);
}

UserPointValues Sample() {
    return {5030, "Point 1", "Crappie", 850, 44, 30, 5, 93, 0, 59};
}

QList<int> SelectedRows(QDialog& d) {
    QList<int> rows;
    for (int i = 0; i < Icons(d)->count(); ++i)
        if (Icons(d)->item(i)->isSelected()) rows << i;
    return rows;
}

void SelectIcons(QDialog& d, QList<int> rows) {
    Icons(d)->clearSelection();
    for (int r : rows) Icons(d)->item(r)->setSelected(true);
}

TEST(UserPointDialog, OpensOnThePointsValues) {
    UserPointValues v = Sample();
    CUserPointDialog dlg(v);
    EXPECT_EQ(dlg.windowTitle(), "User Point Setup");
    ASSERT_EQ(Icons(dlg)->count(), 32);
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(Icons(dlg)->item(i)->text(), QString::number(i));
        EXPECT_FALSE(Icons(dlg)->item(i)->icon().isNull()) << i;
    }
    EXPECT_EQ(Icons(dlg)->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(SelectedRows(dlg), QList<int>{30});
    EXPECT_EQ(Edit(dlg, 1002)->text(), "Point 1");
    EXPECT_EQ(Info(dlg)->toPlainText(), "Crappie");
    EXPECT_EQ(Edit(dlg, 1013)->text(), "850");
    QStringList numbers;
    for (int id : kNumberIds) numbers << Edit(dlg, id)->text();
    EXPECT_EQ(numbers, QStringList({"44", "30", "5", "93", "0", "59"}));
    QPushButton* fromFile = Control<QPushButton>(&dlg, 1004);
    ASSERT_NE(fromFile, nullptr);
    EXPECT_EQ(fromFile->text(), "From file...");
    EXPECT_TRUE(fromFile->isHidden());

    UserPointValues outside;
    outside.iconId = 4999;
    CUserPointDialog none(outside);
    EXPECT_TRUE(SelectedRows(none).isEmpty());
}

TEST(UserPointDialog, OkAppliesEverything) {
    struct Case {
        QList<int> selected;
        int iconId;
    } cases[] = {{{12, 3}, 5003}, {{}, 5030}};  // the first selected entry, or no change
    for (const Case& c : cases) {
        PromptsFixtureGuard guard;
        UserPointValues v = Sample();
        CUserPointDialog dlg(v);
        scripted().dialog([&c](QDialog& d) {
            SelectIcons(d, c.selected);
            Edit(d, 1002)->setText("Dock");
            Info(d)->setPlainText("Line 1\nLine 2");
            Edit(d, 1013)->setText("910");
            const char* dms[6] = {"45", "75", "0", "92", "1", "2"};
            for (int i = 0; i < 6; ++i) Edit(d, kNumberIds[i])->setText(dms[i]);
            d.accept();
        });
        ASSERT_EQ(Prompts::instance().runModal(dlg), QDialog::Accepted);
        EXPECT_EQ(v.iconId, c.iconId);
        EXPECT_EQ(v.name, "Dock");
        EXPECT_EQ(v.info, "Line 1\nLine 2");
        EXPECT_EQ(v.altitude, 910);
        EXPECT_EQ(QList<int>({v.latDeg, v.latMin, v.latSec, v.lonDeg, v.lonMin, v.lonSec}),
                  QList<int>({45, 75, 0, 92, 1, 2}));  // no range check
    }
}

TEST(UserPointDialog, AltitudeIsTheLeadingNumber) {
    struct Case {
        const char* text;
        int altitude;
    } cases[] = {{"123", 123},
                 {"  42ft", 42},
                 {"-7", -7},
                 {"+15", 15},
                 {"abc", 0},
                 {"", 0},
                 {"3.9", 3},
                 {"- 5", 0},
                 {"0042", 42},
                 {"12 34", 12},
                 {"99999999999", 2147483647}};
    for (const Case& c : cases)
        EXPECT_EQ(CUserPointDialog::LeadingInt(c.text), c.altitude) << c.text;
}

TEST(UserPointDialog, ChangesStayAppliedWhenANumberIsRefused) {
    for (int bad : kNumberIds) {
        PromptsFixtureGuard guard;
        UserPointValues v = Sample();
        CUserPointDialog dlg(v);
        scripted().dialog([bad](QDialog& d) {
            SelectIcons(d, {8});
            Edit(d, 1002)->setText("Renamed");
            Info(d)->setPlainText("New note");
            Edit(d, 1013)->setText("12m");
            Edit(d, bad)->clear();
            d.accept();
            if (d.result() != QDialog::Accepted) d.reject();  // the user gives up
        });
        EXPECT_EQ(Prompts::instance().runModal(dlg), QDialog::Rejected) << bad;
        EXPECT_EQ(scripted().messages, QStringList{"Please enter an integer."}) << bad;
        EXPECT_EQ(dlg.focusWidget(), Edit(dlg, bad)) << bad;
        EXPECT_EQ(v.iconId, 5008);
        EXPECT_EQ(v.name, "Renamed");
        EXPECT_EQ(v.info, "New note");
        EXPECT_EQ(v.altitude, 12);
    }
}

TEST(UserPointDialog, CancelTouchesNothing) {
    PromptsFixtureGuard guard;
    UserPointValues v = Sample();
    CUserPointDialog dlg(v);
    scripted().dialog([](QDialog& d) {
        Edit(d, 1002)->setText("Other");
        SelectIcons(d, {0});
        Control<QPushButton>(&d, 1004)->click();  // does nothing
        d.reject();
    });
    EXPECT_EQ(Prompts::instance().runModal(dlg), QDialog::Rejected);
    EXPECT_TRUE(scripted().messages.isEmpty());
    EXPECT_EQ(v.name, "Point 1");
    EXPECT_EQ(v.iconId, 5030);
}

}  // namespace
