#include <gtest/gtest.h>

#include <QLineEdit>
#include <QValidator>

#include "ScriptedPrompts.h"
#include "framework/DataExchange.h"
#include "geo/CoordSetupDialog.h"
#include "geo/DegMinSec.h"

namespace {

// Field order: p1 lat d/m/s, p1 lon d/m/s, x1, y1, p2 lat d/m/s, p2 lon d/m/s, x2, y2.
constexpr int kIds[16] = {1030, 1031, 1032, 1026, 1027, 1029, 1033, 1035,
                          1054, 1056, 1058, 1037, 1051, 1053, 1060, 1062};

QString Text(QDialog& d, int id) {
    return Control<QLineEdit>(&d, id)->text();
}

QStringList AllTexts(QDialog& d) {
    QStringList out;
    for (int id : kIds) out << Text(d, id);
    return out;
}

void Fill(QDialog& d, const QStringList& texts) {
    for (int i = 0; i < 16; ++i) Control<QLineEdit>(&d, kIds[i])->setText(texts[i]);
}

bool SameCalibration(const Calibration& a, const Calibration& b) {
    return a.lat1 == b.lat1 && a.lon1 == b.lon1 && a.lat2 == b.lat2 && a.lon2 == b.lon2 &&
           a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

TEST(CoordSetupDialog, NewLocationValuesShowAsWholeNumbers) {
    CCoordSetupDialog dlg{Calibration{}};
    EXPECT_EQ(dlg.windowTitle(), "Coord Setup");
    EXPECT_EQ(AllTexts(dlg), QStringList({"0", "0", "0", "0", "0", "0", "0", "0",  //
                                          "1", "0", "0", "1", "0", "0", "200", "200"}));
}

TEST(CoordSetupDialog, OpeningTruncatesEveryPart) {
    Calibration c;
    c.lat1 = 44.975;              // 44 58 30.000000000005
    c.lon1 = 93.25;               // 93 15 0
    c.lat2 = 45.016666666666666;  // 45 0 59.99999999999659
    c.lon2 = 92.5;
    c.x1 = 12.9;
    c.y1 = 7.2;
    c.x2 = 640.99;
    c.y2 = 480.5;
    CCoordSetupDialog dlg(c);
    EXPECT_EQ(AllTexts(dlg), QStringList({"44", "58", "30", "93", "15", "0", "12", "7",  //
                                          "45", "0", "59", "92", "30", "0", "640", "480"}));
}

TEST(CoordSetupDialog, OkStoresTheEnteredValues) {
    PromptsFixtureGuard guard;
    CCoordSetupDialog dlg{Calibration{}};
    scripted().dialog([](QDialog& d) {
        Fill(d, {"44", "30", "0", "93", "15", "0", "10", "20",  //
                 "45", "1", "0", "92", "0", "30", "1000", "800"});
        d.accept();
    });
    ASSERT_EQ(Prompts::instance().runModal(dlg), QDialog::Accepted);
    EXPECT_TRUE(scripted().messages.isEmpty());
    const Calibration& c = dlg.calibration;
    EXPECT_EQ(c.lat1, 44.5);
    EXPECT_EQ(c.lon1, 93.25);
    EXPECT_EQ(c.lat2, CDegMinSec(45, 1, 0).ToDecimalDegrees());
    EXPECT_EQ(c.lon2, CDegMinSec(92, 0, 30).ToDecimalDegrees());
    EXPECT_EQ(c.x1, 10.0);
    EXPECT_EQ(c.y1, 20.0);
    EXPECT_EQ(c.x2, 1000.0);
    EXPECT_EQ(c.y2, 800.0);
}

TEST(CoordSetupDialog, EnteredValueReopensTruncated) {
    // 45° 1′ 0″ comes back as 45° 0′ 59″: the seconds are cut, not rounded.
    PromptsFixtureGuard guard;
    CCoordSetupDialog first{Calibration{}};
    scripted().dialog([](QDialog& d) {
        Control<QLineEdit>(&d, 1030)->setText("45");
        Control<QLineEdit>(&d, 1031)->setText("1");
        d.accept();
    });
    ASSERT_EQ(Prompts::instance().runModal(first), QDialog::Accepted);
    CCoordSetupDialog again(first.calibration);
    EXPECT_EQ(Text(again, 1030), "45");
    EXPECT_EQ(Text(again, 1031), "0");
    EXPECT_EQ(Text(again, 1032), "59");
}

TEST(CoordSetupDialog, RangesAreNotChecked) {
    PromptsFixtureGuard guard;
    CCoordSetupDialog dlg{Calibration{}};
    scripted().dialog([](QDialog& d) {
        Fill(d, {"95", "75", "90", "200", "60", "60", "0", "0",  //
                 "5", "0", "0", "5", "0", "0", "5", "5"});
        d.accept();
    });
    ASSERT_EQ(Prompts::instance().runModal(dlg), QDialog::Accepted);
    EXPECT_TRUE(scripted().messages.isEmpty());
    EXPECT_EQ(dlg.calibration.lat1, CDegMinSec(95, 75, 90).ToDecimalDegrees());
    EXPECT_DOUBLE_EQ(dlg.calibration.lon1, 201.01666666666667);
    // Equal points are stored too.
    EXPECT_EQ(dlg.calibration.x1, 0.0);
    EXPECT_EQ(dlg.calibration.x2, 5.0);
}

TEST(CoordSetupDialog, AnEmptyFieldKeepsTheDialogOpen) {
    Calibration start;
    start.lat1 = 44.5;
    start.x2 = 640;
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
        EXPECT_TRUE(SameCalibration(dlg.calibration, start)) << id;
    }
}

TEST(CoordSetupDialog, CancelKeepsTheValues) {
    PromptsFixtureGuard guard;
    Calibration start;
    start.lon1 = 93;
    CCoordSetupDialog dlg(start);
    scripted().dialog([](QDialog& d) {
        Fill(d, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15",
                 "16"});
        d.reject();
    });
    EXPECT_EQ(Prompts::instance().runModal(dlg), QDialog::Rejected);
    EXPECT_TRUE(SameCalibration(dlg.calibration, start));
}

TEST(CoordSetupDialog, FieldsTakeDigitsOnly) {
    CCoordSetupDialog dlg{Calibration{}};
    struct Case {
        const char* typed;
        QValidator::State state;
    } cases[] = {{"123", QValidator::Acceptable}, {"", QValidator::Acceptable},
                 {"-5", QValidator::Invalid},     {"1.5", QValidator::Invalid},
                 {"+3", QValidator::Invalid},     {"x", QValidator::Invalid}};
    for (int id : kIds) {
        const QValidator* v = Control<QLineEdit>(&dlg, id)->validator();
        ASSERT_NE(v, nullptr) << id;
        for (const Case& c : cases) {
            QString s = c.typed;
            int pos = 0;
            EXPECT_EQ(v->validate(s, pos), c.state) << id << " " << c.typed;
        }
    }
}

}  // namespace
