// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QValidator>
#include <utility>
#include <vector>

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

TEST(CoordSetupDialog, OpensOnTheNearestSecondOrTruncated) {
    Calibration c;                // a new location's values for point 2
    c.lat1 = 44.975;              // 44 58 30.000000000005
    c.lon1 = 45.016666666666666;  // 45 0 59.99999999999659: really 45 1 0
    c.x1 = 12.9;
    c.y1 = 7.2;
    c.lat2 = CDegMinSec(46, 2, 59.9).ToDecimalDegrees();  // a real fraction: cut
    CCoordSetupDialog dlg(c);
    EXPECT_EQ(dlg.windowTitle(), "Coord Setup");
    EXPECT_EQ(Shown(dlg), QStringList({"44", "58", "30", "45", "1", "0", "12", "7",  //
                                       "46", "2", "59", "1", "0", "0", "200", "200"}));
}

// OK without an edit stores exactly what was there; an edit changes only
// the angle or pixel it touched.
TEST(CoordSetupDialog, WritesBackOnlyWhatWasChanged) {
    Calibration start;
    start.lat1 = 27.2;
    start.lon1 = 93.86;
    start.lat2 = 46.05;
    start.lon2 = 93.38;
    start.x1 = 0.5;
    start.y1 = 10.25;
    start.x2 = 1600;
    start.y2 = 1824.75;
    struct Case {
        std::vector<std::pair<int, const char*>> edits;
        Calibration expected;
    };
    Calibration secondsEdited = start;
    secondsEdited.lat1 = CDegMinSec(27, 12, 5).ToDecimalDegrees();
    Calibration pixelEdited = start;
    pixelEdited.y2 = 1800;
    Calibration sameDigits = start;  // leading zeros are the same number
    const Case cases[] = {
        {{}, start},
        {{{1032, "5"}}, secondsEdited},
        {{{1062, "1800"}}, pixelEdited},
        {{{1030, "027"}, {1060, "01600"}}, sameDigits},
    };
    for (const Case& k : cases) {
        PromptsFixtureGuard guard;
        CCoordSetupDialog dlg(start);
        scripted().dialog([&k](QDialog& d) {
            for (auto [id, text] : k.edits) Control<QLineEdit>(&d, id)->setText(text);
            d.accept();
        });
        ASSERT_EQ(Prompts::instance().runModal(dlg), QDialog::Accepted);
        const Calibration& got = dlg.calibration;
        const Calibration& want = k.expected;
        const double gotValues[8] = {got.lat1, got.lon1, got.lat2, got.lon2,
                                     got.x1,   got.y1,   got.x2,   got.y2};
        const double wantValues[8] = {want.lat1, want.lon1, want.lat2, want.lon2,
                                      want.x1,   want.y1,   want.x2,   want.y2};
        for (int i = 0; i < 8; ++i) EXPECT_EQ(gotValues[i], wantValues[i]) << i;
        // Opening again shows the same fields: no drift on repeated OKs.
        CCoordSetupDialog again(got);
        if (k.edits.empty()) {
            EXPECT_EQ(Shown(again), Shown(dlg));
        }
    }
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

    // 45° 1′ 0″ reopens as typed, although the double is 45° 0′ 59.99999″.
    Calibration entered;
    entered.lat1 = CDegMinSec(45, 1, 0).ToDecimalDegrees();
    CCoordSetupDialog again(entered);
    EXPECT_EQ(Shown(again).mid(0, 3), QStringList({"45", "1", "0"}));
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
