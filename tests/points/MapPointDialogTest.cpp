// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "ScriptedPrompts.h"
#include "framework/DataExchange.h"
#include "points/MapPointDialog.h"

namespace {

// Latitude d/m/s, longitude d/m/s, elevation.
constexpr int kNumberIds[7] = {1005, 1006, 1008, 1010, 1012, 1015, 1018};

QLineEdit* Edit(QDialog& d, int id) {
    return Control<QLineEdit>(&d, id);
}
QComboBox* Type(QDialog& d) {
    return Control<QComboBox>(&d, 1017);
}
QPlainTextEdit* Info(QDialog& d) {
    return Control<QPlainTextEdit>(&d, 1003);
}

MapPointValues Sample() {
    return {"Weed bed", 2, 312, "North shore\nrocky drop", 44, 58, 30, 93, 15, 7};
}

// The user fills the dialog with `fill` and presses OK.
int RunOk(CMapPointDialog& dlg, std::function<void(QDialog&)> fill) {
    scripted().dialog([fill](QDialog& d) {
        fill(d);
        d.accept();
    });
    return Prompts::instance().runModal(dlg);
}

TEST(MapPointDialog, OpensOnThePointsValues) {
    CMapPointDialog dlg(Sample());
    EXPECT_EQ(dlg.windowTitle(), "Setup MapPoint");
    EXPECT_EQ(Edit(dlg, 1001)->text(), "Weed bed");
    QStringList types;
    for (int i = 0; i < Type(dlg)->count(); ++i) types << Type(dlg)->itemText(i);
    EXPECT_EQ(types, QStringList({"Water", "Land", "Rock", "City", "Landmark"}));
    EXPECT_EQ(Type(dlg)->currentText(), "Rock");
    EXPECT_EQ(Info(dlg)->toPlainText(), "North shore\nrocky drop");
    QStringList numbers;
    for (int id : kNumberIds) numbers << Edit(dlg, id)->text();
    EXPECT_EQ(numbers, QStringList({"44", "58", "30", "93", "15", "7", "312"}));
    for (int t : {-1, 5}) {
        CMapPointDialog unknown(MapPointValues{.type = t});
        EXPECT_EQ(Type(unknown)->currentIndex(), -1) << t;
    }
}

TEST(MapPointDialog, OkReturnsEveryField) {
    PromptsFixtureGuard guard;
    CMapPointDialog dlg;
    ASSERT_EQ(RunOk(dlg,
                    [](QDialog& d) {
                        Edit(d, 1001)->setText("Sunken island");
                        Type(d)->setCurrentIndex(4);
                        Info(d)->setPlainText("Walleye at dusk");
                        const char* texts[7] = {"200", "0", "59", "92", "59", "0", "1200"};
                        for (int i = 0; i < 7; ++i) Edit(d, kNumberIds[i])->setText(texts[i]);
                    }),
              QDialog::Accepted);
    EXPECT_TRUE(scripted().messages.isEmpty());
    const MapPointValues& v = dlg.values;
    EXPECT_EQ(v.name, "Sunken island");
    EXPECT_EQ(v.type, 4);
    EXPECT_EQ(v.info, "Walleye at dusk");
    EXPECT_EQ(v.elevation, 1200);
    EXPECT_EQ(QList<int>({v.latDeg, v.latMin, v.latSec, v.lonDeg, v.lonMin, v.lonSec}),
              QList<int>({200, 0, 59, 92, 59, 0}));  // degrees have no range
}

TEST(MapPointDialog, BadNumbersKeepTheDialogOpen) {
    struct Case {
        std::vector<std::pair<int, const char*>> typed;
        int refused;
        const char* message;
    } cases[] = {
        {{{1006, "60"}}, 1006, "Please enter an integer between 0 and 59."},
        {{{1008, "60"}}, 1008, "Please enter an integer between 0 and 59."},
        {{{1012, "60"}}, 1012, "Please enter an integer between 0 and 59."},
        {{{1015, "75"}}, 1015, "Please enter an integer between 0 and 59."},
        {{{1005, ""}}, 1005, "Please enter an integer."},
        {{{1010, ""}}, 1010, "Please enter an integer."},
        // Elevation is read before the position.
        {{{1006, "60"}, {1018, ""}}, 1018, "Please enter an integer."},
    };
    for (const Case& c : cases) {
        PromptsFixtureGuard guard;
        CMapPointDialog dlg(Sample());
        EXPECT_EQ(RunOk(dlg,
                        [&c](QDialog& d) {
                            for (auto [id, text] : c.typed) Edit(d, id)->setText(text);
                        }),
                  QDialog::Rejected);
        EXPECT_EQ(scripted().messages, QStringList{c.message}) << c.refused;
        EXPECT_EQ(dlg.focusWidget(), Edit(dlg, c.refused)) << c.refused;
    }
}

TEST(MapPointDialog, OnlyAChosenTypeCounts) {
    struct Case {
        std::function<void(QComboBox*)> act;
        int type;
    } cases[] = {
        {[](QComboBox* box) {
             box->lineEdit()->selectAll();
             QTest::keyClicks(box->lineEdit(), "Swamp");
         },
         -1},
        {[](QComboBox* box) { box->setEditText("Pond"); }, -1},
        {[](QComboBox* box) {
             box->setEditText("Pond");
             box->setCurrentIndex(3);
         },
         3},
    };
    for (const Case& c : cases) {
        PromptsFixtureGuard guard;
        CMapPointDialog dlg(Sample());
        ASSERT_EQ(RunOk(dlg, [&c](QDialog& d) { c.act(Type(d)); }), QDialog::Accepted);
        EXPECT_EQ(dlg.values.type, c.type);
    }
}

TEST(MapPointDialog, TypingRules) {
    CMapPointDialog dlg;
    QTest::keyClicks(Info(dlg), "first");
    QTest::keyClick(Info(dlg), Qt::Key_Return);
    QTest::keyClicks(Info(dlg), "second");
    EXPECT_EQ(Info(dlg)->toPlainText(), "first\nsecond");
    EXPECT_EQ(dlg.result(), QDialog::Rejected);  // Enter did not close the dialog
    for (int id : kNumberIds) {
        Edit(dlg, id)->clear();
        QTest::keyClicks(Edit(dlg, id), "-4.2e1");
        EXPECT_EQ(Edit(dlg, id)->text(), "421") << id;
    }
}

}  // namespace
