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
void Calculate(QDialog& d) {
    Control<QPushButton>(&d, 1063)->click();
}

TEST(BassWeightDialog, OpensWithZeros) {
    CBassWeightDialog dlg;
    EXPECT_EQ(dlg.windowTitle(), "Bass Weight Estimator");
    EXPECT_EQ(Length(dlg)->text(), "0");
    EXPECT_EQ(Girth(dlg)->text(), "0");
    EXPECT_EQ(Weight(dlg), "0.0");
    EXPECT_EQ(Control<QPushButton>(&dlg, 1063)->text(), "Calculate");
    QPushButton* close = Control<QPushButton>(&dlg, 1);
    EXPECT_EQ(close->text(), "Close");
    EXPECT_TRUE(close->isDefault());
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
        Length(dlg)->setText(c.length);
        Girth(dlg)->setText(c.girth);
        Calculate(dlg);
        EXPECT_EQ(Weight(dlg), c.weight) << c.length << "x" << c.girth;
        EXPECT_EQ(dlg.weightText, c.weight);
        EXPECT_TRUE(scripted().messages.isEmpty());
    }
}

TEST(BassWeightDialog, NumbersAreShownInShortForm) {
    CBassWeightDialog dlg;
    Length(dlg)->setText("015");
    Girth(dlg)->setText("12");
    Calculate(dlg);
    EXPECT_EQ(Length(dlg)->text(), "15");
    EXPECT_EQ(dlg.length, 15.0);
    EXPECT_EQ(dlg.girth, 12.0);
}

TEST(BassWeightDialog, ClearedGirthBringsBackThePreviousValues) {
    PromptsFixtureGuard guard;
    CBassWeightDialog dlg;
    Length(dlg)->setText("15");
    Girth(dlg)->setText("12");
    Calculate(dlg);
    ASSERT_EQ(Weight(dlg), "2.25");

    // Girth is read first, so a bad girth leaves the new length unread too.
    Girth(dlg)->clear();
    Length(dlg)->setText("20");
    Calculate(dlg);
    EXPECT_EQ(scripted().messages, QStringList{"Please enter a number."});
    EXPECT_EQ(Girth(dlg)->text(), "12");
    EXPECT_EQ(Length(dlg)->text(), "15");
    EXPECT_EQ(Weight(dlg), "2.25");
    EXPECT_EQ(dlg.focusWidget(), Girth(dlg));
}

TEST(BassWeightDialog, ClearedLengthKeepsTheNewGirth) {
    PromptsFixtureGuard guard;
    CBassWeightDialog dlg;
    Length(dlg)->setText("15");
    Girth(dlg)->setText("12");
    Calculate(dlg);

    Girth(dlg)->setText("16");
    Length(dlg)->clear();
    Calculate(dlg);
    EXPECT_EQ(scripted().messages, QStringList{"Please enter a number."});
    EXPECT_EQ(Length(dlg)->text(), "15");
    EXPECT_EQ(Girth(dlg)->text(), "16");
    EXPECT_EQ(Weight(dlg), "3.00");  // 15 x 15 x 16 / 1200
}

TEST(BassWeightDialog, FieldsTakeDigitsOnly) {
    CBassWeightDialog dlg;
    for (QLineEdit* e : {Length(dlg), Girth(dlg)}) {
        e->clear();
        QTest::keyClicks(e, "1-2.5a");
        EXPECT_EQ(e->text(), "125") << e->objectName().toStdString();
    }
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
