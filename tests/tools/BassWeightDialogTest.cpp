// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ScriptedPrompts.h"
#include "framework/DataExchange.h"
#include "tools/BassWeightDialog.h"

namespace {

QLineEdit* Length(QDialog& d) {
    return Control<QLineEdit>(&d, 1064);
}
QLineEdit* Girth(QDialog& d) {
    return Control<QLineEdit>(&d, 1065);
}
QString Weight(QDialog& d) {
    return Control<QLabel>(&d, 1066)->text();
}

void Calculate(QDialog& d, const char* length, const char* girth) {
    Length(d)->setText(length);
    Girth(d)->setText(girth);
    Control<QPushButton>(&d, 1063)->click();
}

TEST(BassWeightDialog, OpensWithZerosAndCloseAsDefault) {
    CBassWeightDialog dlg;
    EXPECT_EQ(dlg.windowTitle(), "Bass Weight Estimator");
    EXPECT_EQ(Length(dlg)->text(), "0");
    EXPECT_EQ(Girth(dlg)->text(), "0");
    EXPECT_EQ(Weight(dlg), "0.0");
    EXPECT_TRUE(Control<QPushButton>(&dlg, 1)->isDefault());
}

TEST(BassWeightDialog, CalculatesLengthSquaredTimesGirth) {
    struct Case {
        const char* length;
        const char* girth;
        const char* weight;
    } cases[] = {{"15", "12", "2.25"}, {"20", "15", "5.00"}, {"18", "14", "3.78"},
                 {"0", "14", "0.00"},  {"18", "0", "0.00"},  {"12", "15", "1.80"}};
    for (const Case& c : cases) {
        PromptsFixtureGuard guard;
        CBassWeightDialog dlg;
        Calculate(dlg, c.length, c.girth);
        EXPECT_EQ(Weight(dlg), c.weight) << c.length << "x" << c.girth;
        EXPECT_TRUE(scripted().messages.isEmpty());
    }
}

TEST(BassWeightDialog, BadFieldBringsBackThePreviousValues) {
    // Girth is read first: a bad girth leaves the new length unread too,
    // while a bad length comes after the new girth was taken.
    struct Case {
        const char* length;
        const char* girth;
        const char* lengthShown;
        const char* girthShown;
        const char* weight;
    } cases[] = {{"20", "", "15", "12", "2.25"}, {"", "16", "15", "16", "3.00"}};
    for (const Case& c : cases) {
        PromptsFixtureGuard guard;
        CBassWeightDialog dlg;
        Calculate(dlg, "015", "12");
        ASSERT_EQ(Length(dlg)->text(), "15");  // shown in short form
        Calculate(dlg, c.length, c.girth);
        EXPECT_EQ(scripted().messages, QStringList{"Please enter a number."});
        EXPECT_EQ(Length(dlg)->text(), c.lengthShown);
        EXPECT_EQ(Girth(dlg)->text(), c.girthShown);
        EXPECT_EQ(Weight(dlg), c.weight);
    }
}

TEST(BassWeightDialog, FieldsTakeDecimalInches) {
    // What the user types, key by key, and what the field keeps.
    struct Case {
        const char* typed;
        const char* kept;
    } cases[] = {{"18.5", "18.5"}, {"1-2.5a", "12.5"}, {"18.5.2", "18.52"},
                 {".5", ".5"},     {"+3", "3"},        {"1,5", "15"}};
    CBassWeightDialog dlg;
    for (QLineEdit* e : {Length(dlg), Girth(dlg)})
        for (const Case& c : cases) {
            e->clear();
            QTest::keyClicks(e, c.typed);
            EXPECT_EQ(e->text(), c.kept) << c.typed;
        }
}

TEST(BassWeightDialog, HalfInchesCount) {
    struct Case {
        const char* length;
        const char* girth;
        const char* lengthShown;
        const char* weight;
    } cases[] = {
        {"18.5", "14", "18.5", "3.99"},  // 18.5 x 18.5 x 14 / 1200 = 3.9929
        {"16", "12.5", "16", "2.67"},    // 16 x 16 x 12.5 / 1200 = 2.6667
        {"20.25", "15.5", "20.25", "5.30"},
        {"15.", "12", "15", "2.25"},  // a trailing point is a whole number
        {".5", "12", "0.5", "0.00"},
    };
    for (const Case& c : cases) {
        PromptsFixtureGuard guard;
        CBassWeightDialog dlg;
        scripted().dialog([&c](QDialog& d) {
            for (QLineEdit* e : {Length(d), Girth(d)}) e->clear();
            QTest::keyClicks(Length(d), c.length);
            QTest::keyClicks(Girth(d), c.girth);
            Control<QPushButton>(&d, 1063)->click();
            Control<QPushButton>(&d, 1)->click();
        });
        ASSERT_EQ(Prompts::instance().runModal(dlg), QDialog::Accepted);
        EXPECT_TRUE(scripted().messages.isEmpty()) << c.length;
        EXPECT_EQ(Weight(dlg), c.weight) << c.length << "x" << c.girth;
        EXPECT_EQ(Length(dlg)->text(), c.lengthShown) << c.length;
    }
    // A lone point is no number.
    PromptsFixtureGuard guard;
    CBassWeightDialog dlg;
    Calculate(dlg, ".", "12");
    EXPECT_EQ(scripted().messages, QStringList{"Please enter a number."});
}

TEST(BassWeightDialog, CloseEndsWithoutChecking) {
    PromptsFixtureGuard guard;
    CBassWeightDialog dlg;
    scripted().dialog([](QDialog& d) {
        Girth(d)->clear();
        Control<QPushButton>(&d, 1)->click();
    });
    EXPECT_EQ(Prompts::instance().runModal(dlg), QDialog::Accepted);
    EXPECT_TRUE(scripted().messages.isEmpty());
}

}  // namespace
