// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>

#include "ScriptedPrompts.h"
#include "framework/DataExchange.h"
#include "geo/DegMinSec.h"
#include "geo/SetPointDialog.h"

namespace {

constexpr int kIds[6] = {1030, 1031, 1032, 1026, 1027, 1029};

QStringList Shown(QDialog& d) {
    QStringList out;
    for (int id : kIds) out << Control<QLineEdit>(&d, id)->text();
    return out;
}

void Fill(QDialog& d, const QStringList& texts) {
    for (int i = 0; i < 6; ++i) Control<QLineEdit>(&d, kIds[i])->setText(texts[i]);
}

QComboBox* Choice(QDialog& d) {
    return Control<QComboBox>(&d, 1034);
}

Calibration TwoPoints(double lat1) {
    Calibration c;
    c.lat1 = lat1;
    c.lon1 = 93.25;
    c.lat2 = 44.975;
    c.lon2 = 92.5;
    return c;
}

const QStringList kPoint1 = {"44", "30", "0", "93", "15", "0"};
const QStringList kPoint2 = {"44", "58", "30", "92", "30", "0"};

TEST(SetPointDialog, PointTwoIsOfferedOncePointOneHasALatitude) {
    struct Case {
        double lat1;
        int selected;
        QStringList shown;
    } cases[] = {{0.0, 0, {"0", "0", "0", "93", "15", "0"}}, {44.5, 1, kPoint2}};
    for (const Case& c : cases) {
        CSetPointDialog dlg(TwoPoints(c.lat1));
        EXPECT_EQ(dlg.windowTitle(), "Set Point");
        ASSERT_EQ(Choice(dlg)->count(), 2);
        EXPECT_EQ(Choice(dlg)->itemText(0), "Point 1");
        EXPECT_EQ(Choice(dlg)->itemText(1), "Point 2");
        EXPECT_EQ(Choice(dlg)->currentIndex(), c.selected) << c.lat1;
        EXPECT_EQ(Shown(dlg), c.shown) << c.lat1;
    }
}

TEST(SetPointDialog, SwitchingPointsDiscardsTypedValues) {
    CSetPointDialog dlg(TwoPoints(44.5));
    Fill(dlg, {"1", "2", "3", "4", "5", "6"});
    Choice(dlg)->setCurrentIndex(0);
    EXPECT_EQ(Shown(dlg), kPoint1);
    Control<QLineEdit>(&dlg, 1030)->setText("77");
    Choice(dlg)->setCurrentIndex(1);
    EXPECT_EQ(Shown(dlg), kPoint2);
}

TEST(SetPointDialog, OkTakesTheChosenPointOnly) {
    struct Case {
        int choose;
        int untouched;
        QStringList untouchedShown;
    } cases[] = {{1, 0, kPoint1}, {0, 1, kPoint2}};
    for (const Case& c : cases) {
        PromptsFixtureGuard guard;
        CSetPointDialog dlg(TwoPoints(44.5));
        scripted().dialog([&c](QDialog& d) {
            Choice(d)->setCurrentIndex(c.choose);
            Fill(d, {"45", "1", "0", "92", "75", "0"});
            d.accept();
        });
        ASSERT_EQ(Prompts::instance().runModal(dlg), QDialog::Accepted);
        EXPECT_EQ(dlg.selection, c.choose);
        EXPECT_EQ(dlg.ChosenLatitude(), CDegMinSec(45, 1, 0).ToDecimalDegrees());
        EXPECT_EQ(dlg.ChosenLongitude(), 93.25);  // 75 minutes accepted
        // The other point keeps its stored values.
        Choice(dlg)->setCurrentIndex(c.untouched);
        EXPECT_EQ(Shown(dlg), c.untouchedShown);
    }
}

// OK without an edit must not move a reference point: 27.2 is
// 27 11 59.99999999999 in binary and shows as 27 12 0.
TEST(SetPointDialog, UnchangedFieldsKeepTheStoredValue) {
    Calibration c;
    c.lat1 = 27.2;
    c.lon1 = 93.86;  // 93 51 35.99999999998
    c.lat2 = 46.05;  // 46 2 59.99999999999
    c.lon2 = CDegMinSec(93, 22, 48.5).ToDecimalDegrees();
    struct Case {
        int choose;
        QStringList shown;
        QStringList typed;  // empty: OK as shown
        double lat, lon;
    } cases[] = {
        {0, {"27", "12", "0", "93", "51", "36"}, {}, 27.2, 93.86},
        {1, {"46", "3", "0", "93", "22", "48"}, {}, 46.05, c.lon2},
        // A changed latitude is taken as typed; the longitude stays exact.
        {0,
         {"27", "12", "0", "93", "51", "36"},
         {"27", "12", "1", "93", "51", "36"},
         CDegMinSec(27, 12, 1).ToDecimalDegrees(),
         93.86},
        // Retyping the shown digits is no change.
        {1,
         {"46", "3", "0", "93", "22", "48"},
         {"046", "3", "0", "93", "22", "049"},
         46.05,
         CDegMinSec(93, 22, 49).ToDecimalDegrees()},
    };
    for (const Case& k : cases) {
        PromptsFixtureGuard guard;
        CSetPointDialog dlg(c);
        QStringList shown;
        scripted().dialog([&](QDialog& d) {
            Choice(d)->setCurrentIndex(k.choose);
            shown = Shown(d);
            if (!k.typed.isEmpty()) Fill(d, k.typed);
            d.accept();
        });
        ASSERT_EQ(Prompts::instance().runModal(dlg), QDialog::Accepted);
        EXPECT_EQ(shown, k.shown) << k.choose;
        EXPECT_EQ(dlg.ChosenLatitude(), k.lat) << k.choose;
        EXPECT_EQ(dlg.ChosenLongitude(), k.lon) << k.choose;
    }
}

TEST(SetPointDialog, AnEmptyFieldKeepsTheDialogOpen) {
    for (int id : kIds) {
        PromptsFixtureGuard guard;
        CSetPointDialog dlg(TwoPoints(0.0));
        QLineEdit* field = Control<QLineEdit>(&dlg, id);
        scripted().dialog([field](QDialog& d) {
            field->clear();
            d.accept();
        });
        EXPECT_EQ(Prompts::instance().runModal(dlg), QDialog::Rejected) << id;
        EXPECT_EQ(scripted().messages, QStringList{"Please enter an integer."}) << id;
        EXPECT_EQ(dlg.focusWidget(), field) << id;
    }
}

}  // namespace
