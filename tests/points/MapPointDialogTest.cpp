#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QValidator>

#include "ScriptedPrompts.h"
#include "framework/DataExchange.h"
#include "points/MapPointDialog.h"

namespace {

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
    MapPointValues v;
    v.name = "Weed bed";
    v.type = 2;
    v.elevation = 312;
    v.info = "North shore\nrocky drop";
    v.latDeg = 44;
    v.latMin = 58;
    v.latSec = 30;
    v.lonDeg = 93;
    v.lonMin = 15;
    v.lonSec = 7;
    return v;
}

// Runs the dialog with `fill` as the user pressing OK at the end.
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
    EXPECT_EQ(Type(dlg)->currentIndex(), 2);
    EXPECT_EQ(Type(dlg)->currentText(), "Rock");
    EXPECT_EQ(Info(dlg)->toPlainText(), "North shore\nrocky drop");
    QStringList numbers;
    for (int id : {1005, 1006, 1008, 1010, 1012, 1015, 1018}) numbers << Edit(dlg, id)->text();
    EXPECT_EQ(numbers, QStringList({"44", "58", "30", "93", "15", "7", "312"}));
}

TEST(MapPointDialog, TypeListIsEditableWithTheFiveTypes) {
    CMapPointDialog dlg;
    QComboBox* type = Type(dlg);
    EXPECT_TRUE(type->isEditable());
    QStringList items;
    for (int i = 0; i < type->count(); ++i) items << type->itemText(i);
    EXPECT_EQ(items, QStringList({"Water", "Land", "Rock", "City", "Landmark"}));
    EXPECT_EQ(type->currentIndex(), 0);  // a new point is Water
}

TEST(MapPointDialog, UnknownTypeOpensWithNothingChosen) {
    for (int t : {-1, 5, 99}) {
        MapPointValues v;
        v.type = t;
        CMapPointDialog dlg(v);
        EXPECT_EQ(Type(dlg)->currentIndex(), -1) << t;
        EXPECT_EQ(Type(dlg)->currentText(), "") << t;
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
                        Edit(d, 1018)->setText("1200");
                        const char* dms[6] = {"45", "0", "59", "92", "59", "0"};
                        int ids[6] = {1005, 1006, 1008, 1010, 1012, 1015};
                        for (int i = 0; i < 6; ++i) Edit(d, ids[i])->setText(dms[i]);
                    }),
              QDialog::Accepted);
    EXPECT_TRUE(scripted().messages.isEmpty());
    const MapPointValues& v = dlg.values;
    EXPECT_EQ(v.name, "Sunken island");
    EXPECT_EQ(v.type, 4);
    EXPECT_EQ(v.info, "Walleye at dusk");
    EXPECT_EQ(v.elevation, 1200);
    EXPECT_EQ(v.latDeg, 45);
    EXPECT_EQ(v.latMin, 0);
    EXPECT_EQ(v.latSec, 59);
    EXPECT_EQ(v.lonDeg, 92);
    EXPECT_EQ(v.lonMin, 59);
    EXPECT_EQ(v.lonSec, 0);
}

TEST(MapPointDialog, BadNumbersKeepTheDialogOpen) {
    struct Case {
        int id;
        const char* text;
        const char* message;
    } cases[] = {
        {1006, "60", "Please enter an integer between 0 and 59."},
        {1008, "60", "Please enter an integer between 0 and 59."},
        {1012, "60", "Please enter an integer between 0 and 59."},
        {1015, "75", "Please enter an integer between 0 and 59."},
        {1005, "", "Please enter an integer."},
        {1006, "", "Please enter an integer."},
        {1010, "", "Please enter an integer."},
        {1018, "", "Please enter an integer."},
    };
    for (const Case& c : cases) {
        PromptsFixtureGuard guard;
        CMapPointDialog dlg(Sample());
        EXPECT_EQ(RunOk(dlg, [&c](QDialog& d) { Edit(d, c.id)->setText(c.text); }),
                  QDialog::Rejected)
            << c.id << " " << c.text;
        EXPECT_EQ(scripted().messages, QStringList{c.message}) << c.id << " " << c.text;
        EXPECT_EQ(dlg.focusWidget(), Edit(dlg, c.id)) << c.id;
    }
}

TEST(MapPointDialog, DegreesAndElevationHaveNoRange) {
    PromptsFixtureGuard guard;
    CMapPointDialog dlg;
    ASSERT_EQ(RunOk(dlg,
                    [](QDialog& d) {
                        Edit(d, 1005)->setText("200");
                        Edit(d, 1010)->setText("400");
                        Edit(d, 1018)->setText("99999");
                        Edit(d, 1006)->setText("59");
                        Edit(d, 1015)->setText("0");
                    }),
              QDialog::Accepted);
    EXPECT_EQ(dlg.values.latDeg, 200);
    EXPECT_EQ(dlg.values.lonDeg, 400);
    EXPECT_EQ(dlg.values.elevation, 99999);
    EXPECT_EQ(dlg.values.latMin, 59);
}

TEST(MapPointDialog, ElevationIsCheckedBeforeThePosition) {
    PromptsFixtureGuard guard;
    CMapPointDialog dlg(Sample());
    RunOk(dlg, [](QDialog& d) {
        Edit(d, 1006)->setText("60");
        Edit(d, 1018)->clear();
        Edit(d, 1001)->setText("Renamed");
    });
    EXPECT_EQ(scripted().messages, QStringList{"Please enter an integer."});
    EXPECT_EQ(dlg.focusWidget(), Edit(dlg, 1018));
    // Fields ahead of the elevation were taken before it was refused.
    EXPECT_EQ(dlg.values.name, "Renamed");
}

TEST(MapPointDialog, TypedTypeWithoutChoiceIsMinusOne) {
    PromptsFixtureGuard guard;
    CMapPointDialog dlg(Sample());
    ASSERT_EQ(RunOk(dlg,
                    [](QDialog& d) {
                        Type(d)->lineEdit()->selectAll();
                        QTest::keyClicks(Type(d)->lineEdit(), "Swamp");
                    }),
              QDialog::Accepted);
    EXPECT_EQ(dlg.values.type, -1);
}

TEST(MapPointDialog, ChoosingAfterTypingCounts) {
    PromptsFixtureGuard guard;
    CMapPointDialog dlg(Sample());
    ASSERT_EQ(RunOk(dlg,
                    [](QDialog& d) {
                        Type(d)->setEditText("Pond");
                        Type(d)->setCurrentIndex(3);
                    }),
              QDialog::Accepted);
    EXPECT_EQ(dlg.values.type, 3);
}

TEST(MapPointDialog, EnterInTheInfoStartsANewLine) {
    PromptsFixtureGuard guard;
    CMapPointDialog dlg;
    QPlainTextEdit* info = Info(dlg);
    QTest::keyClicks(info, "first");
    QTest::keyClick(info, Qt::Key_Return);
    QTest::keyClicks(info, "second");
    EXPECT_EQ(info->toPlainText(), "first\nsecond");
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST(MapPointDialog, NumberFieldsTakeDigitsOnly) {
    CMapPointDialog dlg;
    for (int id : {1005, 1006, 1008, 1010, 1012, 1015, 1018}) {
        QLineEdit* e = Edit(dlg, id);
        e->clear();
        QTest::keyClicks(e, "-4.2e1");
        EXPECT_EQ(e->text(), "421") << id;
    }
}

TEST(MapPointDialog, CancelKeepsTheValues) {
    PromptsFixtureGuard guard;
    CMapPointDialog dlg(Sample());
    scripted().dialog([](QDialog& d) {
        Edit(d, 1001)->setText("Other");
        d.reject();
    });
    EXPECT_EQ(Prompts::instance().runModal(dlg), QDialog::Rejected);
    EXPECT_EQ(dlg.values.name, "Weed bed");
}

}  // namespace
