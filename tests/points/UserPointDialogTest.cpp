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
    UserPointValues v;
    v.iconId = 5030;
    v.name = "Point 1";
    v.info = "Crappie";
    v.altitude = 850;
    v.latDeg = 44;
    v.latMin = 30;
    v.latSec = 5;
    v.lonDeg = 93;
    v.lonMin = 0;
    v.lonSec = 59;
    return v;
}

QList<int> SelectedRows(QDialog& d) {
    QList<int> rows;
    for (int i = 0; i < Icons(d)->count(); ++i)
        if (Icons(d)->item(i)->isSelected()) rows << i;
    return rows;
}

int RunOk(CUserPointDialog& dlg, std::function<void(QDialog&)> fill) {
    scripted().dialog([fill](QDialog& d) {
        fill(d);
        d.accept();
    });
    return Prompts::instance().runModal(dlg);
}

TEST(UserPointDialog, IconListHoldsThirtyTwoIcons) {
    UserPointValues v = Sample();
    CUserPointDialog dlg(v);
    EXPECT_EQ(dlg.windowTitle(), "User Point Setup");
    QListWidget* icons = Icons(dlg);
    ASSERT_EQ(icons->count(), 32);
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(icons->item(i)->text(), QString::number(i));
        EXPECT_FALSE(icons->item(i)->icon().isNull()) << i;
    }
    EXPECT_EQ(icons->viewMode(), QListView::IconMode);
    EXPECT_EQ(icons->iconSize(), QSize(16, 16));
    EXPECT_EQ(icons->selectionMode(), QAbstractItemView::ExtendedSelection);
}

TEST(UserPointDialog, OpensOnThePointsValues) {
    UserPointValues v = Sample();
    CUserPointDialog dlg(v);
    EXPECT_EQ(SelectedRows(dlg), QList<int>{30});
    EXPECT_EQ(Edit(dlg, 1002)->text(), "Point 1");
    EXPECT_EQ(Info(dlg)->toPlainText(), "Crappie");
    EXPECT_EQ(Edit(dlg, 1013)->text(), "850");
    QStringList numbers;
    for (int id : kNumberIds) numbers << Edit(dlg, id)->text();
    EXPECT_EQ(numbers, QStringList({"44", "30", "5", "93", "0", "59"}));
}

TEST(UserPointDialog, IconOutsideTheListSelectsNothing) {
    for (int id : {0, 4999, 5032}) {
        UserPointValues v;
        v.iconId = id;
        CUserPointDialog dlg(v);
        EXPECT_TRUE(SelectedRows(dlg).isEmpty()) << id;
    }
}

TEST(UserPointDialog, FromFileButtonIsHiddenAndDoesNothing) {
    PromptsFixtureGuard guard;
    UserPointValues v = Sample();
    CUserPointDialog dlg(v);
    QPushButton* fromFile = Control<QPushButton>(&dlg, 1004);
    ASSERT_NE(fromFile, nullptr);
    EXPECT_EQ(fromFile->text(), "From file...");
    EXPECT_TRUE(fromFile->isHidden());
    fromFile->click();
    EXPECT_TRUE(scripted().messages.isEmpty());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(v.name, "Point 1");
}

TEST(UserPointDialog, OkAppliesEverything) {
    PromptsFixtureGuard guard;
    UserPointValues v = Sample();
    CUserPointDialog dlg(v);
    ASSERT_EQ(RunOk(dlg,
                    [](QDialog& d) {
                        Icons(d)->clearSelection();
                        Icons(d)->item(12)->setSelected(true);
                        Icons(d)->item(3)->setSelected(true);
                        Edit(d, 1002)->setText("Dock");
                        Info(d)->setPlainText("Line 1\nLine 2");
                        Edit(d, 1013)->setText("910");
                        const char* dms[6] = {"45", "75", "0", "92", "1", "2"};
                        for (int i = 0; i < 6; ++i) Edit(d, kNumberIds[i])->setText(dms[i]);
                    }),
              QDialog::Accepted);
    EXPECT_TRUE(scripted().messages.isEmpty());
    EXPECT_EQ(v.iconId, 5003);  // the first selected entry
    EXPECT_EQ(v.name, "Dock");
    EXPECT_EQ(v.info, "Line 1\nLine 2");
    EXPECT_EQ(v.altitude, 910);
    EXPECT_EQ(v.latDeg, 45);
    EXPECT_EQ(v.latMin, 75);  // no range check here
    EXPECT_EQ(v.latSec, 0);
    EXPECT_EQ(v.lonDeg, 92);
    EXPECT_EQ(v.lonMin, 1);
    EXPECT_EQ(v.lonSec, 2);
}

TEST(UserPointDialog, NoSelectionKeepsTheIcon) {
    PromptsFixtureGuard guard;
    UserPointValues v = Sample();
    v.iconId = 5007;
    CUserPointDialog dlg(v);
    ASSERT_EQ(RunOk(dlg, [](QDialog& d) { Icons(d)->clearSelection(); }), QDialog::Accepted);
    EXPECT_EQ(v.iconId, 5007);
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
                 {"12 34", 12},
                 {"3.9", 3},
                 {"- 5", 0},
                 {"0042", 42},
                 {"99999999999", 2147483647}};
    for (const Case& c : cases) {
        PromptsFixtureGuard guard;
        UserPointValues v = Sample();
        CUserPointDialog dlg(v);
        ASSERT_EQ(RunOk(dlg, [&c](QDialog& d) { Edit(d, 1013)->setText(c.text); }),
                  QDialog::Accepted)
            << c.text;
        EXPECT_EQ(v.altitude, c.altitude) << c.text;
        EXPECT_TRUE(scripted().messages.isEmpty()) << c.text;
    }
}

TEST(UserPointDialog, ChangesStayAppliedWhenANumberIsRefused) {
    for (int bad : kNumberIds) {
        PromptsFixtureGuard guard;
        UserPointValues v = Sample();
        CUserPointDialog dlg(v);
        scripted().dialog([bad](QDialog& d) {
            Icons(d)->clearSelection();
            Icons(d)->item(8)->setSelected(true);
            Edit(d, 1002)->setText("Renamed");
            Info(d)->setPlainText("New note");
            Edit(d, 1013)->setText("12m");
            Edit(d, bad)->clear();
            d.accept();
            // The user gives up after the message.
            if (d.result() != QDialog::Accepted) d.reject();
        });
        EXPECT_EQ(Prompts::instance().runModal(dlg), QDialog::Rejected) << bad;
        EXPECT_EQ(scripted().messages, QStringList{"Please enter an integer."}) << bad;
        EXPECT_EQ(dlg.focusWidget(), Edit(dlg, bad)) << bad;
        EXPECT_EQ(v.iconId, 5008) << bad;
        EXPECT_EQ(v.name, "Renamed") << bad;
        EXPECT_EQ(v.info, "New note") << bad;
        EXPECT_EQ(v.altitude, 12) << bad;
    }
}

TEST(UserPointDialog, CancelTouchesNothing) {
    PromptsFixtureGuard guard;
    UserPointValues v = Sample();
    CUserPointDialog dlg(v);
    scripted().dialog([](QDialog& d) {
        Edit(d, 1002)->setText("Other");
        Icons(d)->clearSelection();
        Icons(d)->item(0)->setSelected(true);
        d.reject();
    });
    EXPECT_EQ(Prompts::instance().runModal(dlg), QDialog::Rejected);
    EXPECT_EQ(v.name, "Point 1");
    EXPECT_EQ(v.iconId, 5030);
}

}  // namespace
