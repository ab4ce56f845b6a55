// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include "ScriptedPrompts.h"
#include "framework/DataExchange.h"

namespace {

TEST(DataExchange, ParsesLikeTheDialogsDo) {
    struct Case {
        const char* text;
        bool ok;
        int value;
    } ints[] = {{"12", true, 12},  {" 7 ", true, 7},  {"-3", true, -3},  {"", false, 0},
                {"1.5", false, 0}, {"abc", false, 0}, {"12x", false, 0}, {"99999999999", false, 0}};
    for (const Case& c : ints) {
        int v = 0;
        EXPECT_EQ(DataExchange::ParseInt(c.text, v), c.ok) << c.text;
        if (c.ok) EXPECT_EQ(v, c.value) << c.text;
    }
    double d = 0;
    EXPECT_TRUE(DataExchange::ParseDouble("15", d));
    EXPECT_EQ(d, 15.0);
    EXPECT_FALSE(DataExchange::ParseDouble("", d));
    EXPECT_EQ(DataExchange::FormatDouble(15.0), "15");
    EXPECT_EQ(DataExchange::FormatDouble(2.25), "2.25");
}

TEST(DataExchange, FirstBadFieldStopsTheExchangeAndTakesFocus) {
    PromptsFixtureGuard guard;
    QDialog dlg;
    auto* a = new QLineEdit("5", &dlg);
    auto* b = new QLineEdit("60", &dlg);
    auto* c = new QLineEdit("x", &dlg);
    int va = 0, vb = 0, vc = 42;
    DataExchange dx(true);
    dx.Int(a, va);
    dx.IntRange(b, vb, 0, 59);
    dx.Int(c, vc);
    EXPECT_FALSE(dx.Ok());
    EXPECT_EQ(va, 5);
    EXPECT_EQ(vb, 0);
    EXPECT_EQ(vc, 42);  // never read
    ASSERT_EQ(scripted().messages.size(), 1);
    EXPECT_EQ(scripted().messages[0], "Please enter an integer between 0 and 59.");

    scripted().reset();
    DataExchange dx2(true);
    double d = 3;
    auto* e = new QLineEdit("", &dlg);
    dx2.Double(e, d);
    EXPECT_EQ(scripted().messages.value(0), "Please enter a number.");
    EXPECT_EQ(d, 3);
}

TEST(DataExchange, ShowingFillsControls) {
    QDialog dlg;
    auto* e = new QLineEdit(&dlg);
    auto* box = new QCheckBox(&dlg);
    auto* combo = new QComboBox(&dlg);
    combo->addItems({"Water", "Land"});
    int n = 17, check = 1, idx = 1;
    DataExchange dx(false);
    dx.Int(e, n);
    dx.Check(box, check);
    dx.ComboIndex(combo, idx);
    EXPECT_EQ(e->text(), "17");
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(combo->currentIndex(), 1);
}

}  // namespace
