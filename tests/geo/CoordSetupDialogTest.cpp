#include <gtest/gtest.h>

#include <QLineEdit>
#include <QValidator>

#include "ScriptedPrompts.h"
#include "framework/DataExchange.h"
#include "geo/CoordSetupDialog.h"
#include "geo/DegMinSec.h"

namespace {

// Point 1 lat d/m/s, lon d/m/s, x, y; then the same for point 2.
constexpr int kIds[16] = {1030, 1031, 1032, 1026, 1027, 1029, 1033, 1035,
                          1054, 1056, 1058, 1037, 1051, 1053, 1060, 1062};

QStringList Shown(QDialog& d) {
    QStringList out;
    for (int id : kIds) out << Control<QLineEdit>(&d, id)->text();
    return out;
}

TEST(CoordSetupDialog, OpensWithTruncatedParts) {
    Calibration c;                // a new location's values for point 2
    c.lat1 = 44.975;              // 44 58 30.000000000005
    c.lon1 = 45.016666666666666;  // 45 0 59.99999999999659
    c.x1 = 12.9;
    c.y1 = 7.2;
    CCoordSetupDialog dlg(c);
    EXPECT_EQ(dlg.windowTitle(), "Coord Setup");
    EXPECT_EQ(Shown(dlg), QStringList({"44", "58", "30", "45", "0", "59", "12", "7",  //
                                       "1", "0", "0", "1", "0", "0", "200", "200"}));
}

TEST(CoordSetupDialog, OkStoresEnteredValuesWithoutRangeCheck) {
    PromptsFixtureGuard guard;
    CCoordSetupDialog dlg{Calibration{}};
    scripted().dialog([](QDialog& d) {
        const char* texts[16] = {"44", "30", "0",  "93", "75", "90", "10",   "20",
                                 "95", "1",  "60", "92", "0",  "30", "1000", "800"};
        for (int i = 0; i < 16; ++i) Control<QLineEdit>(&d, kIds[i])->setText(texts[i]);
        d.accept();
    });
    ASSERT_EQ(Prompts::instance().runModal(dlg), QDialog::Accepted);
    EXPECT_TRUE(scripted().messages.isEmpty());
    const Calibration& c = dlg.calibration;
    EXPECT_EQ(c.lat1, 44.5);
    EXPECT_EQ(c.lon1, CDegMinSec(93, 75, 90).ToDecimalDegrees());
    EXPECT_EQ(c.lat2, CDegMinSec(95, 1, 60).ToDecimalDegrees());
    EXPECT_EQ(c.lon2, CDegMinSec(92, 0, 30).ToDecimalDegrees());
    EXPECT_EQ(c.x1, 10.0);
    EXPECT_EQ(c.y1, 20.0);
    EXPECT_EQ(c.x2, 1000.0);
    EXPECT_EQ(c.y2, 800.0);

    // 45° 1′ 0″ reopens as 45° 0′ 59″: the seconds are cut, not rounded.
    Calibration entered;
    entered.lat1 = CDegMinSec(45, 1, 0).ToDecimalDegrees();
    CCoordSetupDialog again(entered);
    EXPECT_EQ(Shown(again).mid(0, 3), QStringList({"45", "0", "59"}));
}

TEST(CoordSetupDialog, AnEmptyFieldKeepsTheDialogOpen) {
    Calibration start;
    start.lat1 = 44.5;
    for (int id : kIds) {
        PromptsFixtureGuard guard;
        CCoordSetupDialog dlg(start);
        QLineEdit* field = Control<QLineEdit>(&dlg, id);
        scripted().dialog([field](QDialog& d) {
            field->clear();
            d.accept();
        });
        EXPECT_EQ(Prompts::instance().runModal(dlg), QDialog::Rejected) << id;
        EXPECT_EQ(scripted().messages, QStringList{"Please enter an integer."}) << id;
        EXPECT_EQ(dlg.focusWidget(), field) << id;
        EXPECT_EQ(dlg.calibration.lat1, 44.5) << id;
        EXPECT_EQ(dlg.calibration.x2, 200.0) << id;
    }
}

TEST(CoordSetupDialog, FieldsTakeDigitsOnly) {
    CCoordSetupDialog dlg{Calibration{}};
    for (int id : kIds) {
        const QValidator* v = Control<QLineEdit>(&dlg, id)->validator();
        ASSERT_NE(v, nullptr) << id;
        for (QString typed : {"-5", "1.5", "+3", "x"}) {
            int pos = 0;
            EXPECT_EQ(v->validate(typed, pos), QValidator::Invalid) << id;
        }
        QString digits = "123";
        int pos = 0;
        EXPECT_EQ(v->validate(digits, pos), QValidator::Acceptable) << id;
    }
}

}  // namespace
