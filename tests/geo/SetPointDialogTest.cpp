#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>

#include "ScriptedPrompts.h"
#include "framework/DataExchange.h"
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

TEST(SetPointDialog, ListsBothPoints) {
    CSetPointDialog dlg{Calibration{}};
    EXPECT_EQ(dlg.windowTitle(), "Set Point");
    QComboBox* combo = Choice(dlg);
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), "Point 1");
    EXPECT_EQ(combo->itemText(1), "Point 2");
}

TEST(SetPointDialog, InitialChoiceDependsOnTheFirstLatitude) {
    struct Case {
        double lat1;
        int selected;
        QStringList shown;
    } cases[] = {
        {0.0, 0, {"0", "0", "0", "93", "15", "0"}},
        {44.5, 1, {"44", "58", "30", "92", "30", "0"}},
    };
    for (const Case& c : cases) {
        CSetPointDialog dlg(TwoPoints(c.lat1));
        EXPECT_EQ(dlg.selection, c.selected) << c.lat1;
        EXPECT_EQ(Choice(dlg)->currentIndex(), c.selected) << c.lat1;
        EXPECT_EQ(Shown(dlg), c.shown) << c.lat1;
    }
}

TEST(SetPointDialog, SwitchingPointsDiscardsTypedValues) {
    CSetPointDialog dlg(TwoPoints(44.5));
    Fill(dlg, {"1", "2", "3", "4", "5", "6"});
    Choice(dlg)->setCurrentIndex(0);
    EXPECT_EQ(Shown(dlg), QStringList({"44", "30", "0", "93", "15", "0"}));
    Control<QLineEdit>(&dlg, 1030)->setText("77");
    Choice(dlg)->setCurrentIndex(1);
    EXPECT_EQ(Shown(dlg), QStringList({"44", "58", "30", "92", "30", "0"}));
    Choice(dlg)->setCurrentIndex(0);
    EXPECT_EQ(Shown(dlg), QStringList({"44", "30", "0", "93", "15", "0"}));
}

TEST(SetPointDialog, OkWithPointTwoLeavesPointOneAlone) {
    PromptsFixtureGuard guard;
    CSetPointDialog dlg(TwoPoints(44.5));
    scripted().dialog([](QDialog& d) {
        Fill(d, {"45", "1", "0", "92", "75", "0"});
        d.accept();
    });
    ASSERT_EQ(Prompts::instance().runModal(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.selection, CSetPointDialog::Point2);
    EXPECT_EQ(dlg.Chosen().latitude.ToDecimalDegrees(), CDegMinSec(45, 1, 0).ToDecimalDegrees());
    EXPECT_EQ(dlg.Chosen().longitude.ToDecimalDegrees(), 93.25);  // no range check
    EXPECT_EQ(dlg.points[0].latitude.ToDecimalDegrees(), 44.5);
    EXPECT_EQ(dlg.points[0].longitude.ToDecimalDegrees(), 93.25);
}

TEST(SetPointDialog, SelectionIsReadAgainOnOk) {
    PromptsFixtureGuard guard;
    CSetPointDialog dlg(TwoPoints(44.5));
    scripted().dialog([](QDialog& d) {
        Choice(d)->setCurrentIndex(0);
        Fill(d, {"10", "20", "30", "40", "50", "0"});
        d.accept();
    });
    ASSERT_EQ(Prompts::instance().runModal(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.selection, CSetPointDialog::Point1);
    EXPECT_EQ(dlg.Chosen().latitude.degrees, 10);
    EXPECT_EQ(dlg.Chosen().latitude.minutes, 20);
    EXPECT_EQ(dlg.Chosen().latitude.seconds, 30);
    EXPECT_EQ(dlg.Chosen().longitude.ToDecimalDegrees(), CDegMinSec(40, 50, 0).ToDecimalDegrees());
    // The other point keeps its stored values.
    EXPECT_EQ(dlg.points[1].latitude.degrees, 44);
    EXPECT_EQ(dlg.points[1].latitude.minutes, 58);
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
        EXPECT_EQ(dlg.points[0].longitude.degrees, 93) << id;
    }
}

}  // namespace
