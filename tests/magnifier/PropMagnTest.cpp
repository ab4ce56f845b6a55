// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTabWidget>

#include "ScriptedPrompts.h"
#include "framework/DataExchange.h"
#include "magnifier/PropMagn.h"

namespace {

constexpr int kRadioIds[6] = {418, 419, 420, 421, 1014, 1016};

QTabWidget* Tabs(QDialog& d) {
    return d.findChild<QTabWidget*>();
}
QRadioButton* Radio(QDialog& d, int page, int index) {
    return Control<QRadioButton>(Tabs(d)->widget(page), kRadioIds[index]);
}
// The checked button's text on a page, or "" when none is.
QString Checked(QDialog& d, int page) {
    for (QRadioButton* b : Tabs(d)->widget(page)->findChildren<QRadioButton*>())
        if (b->isChecked()) return b->text();
    return {};
}

struct Lens {
    int shape, size, zoom;
    bool operator==(const Lens&) const = default;
};

// Runs the sheet as the program does. `page` < 0 presses OK untouched.
bool RunSheet(Lens& lens, int page, int button, bool ok = true) {
    scripted().dialog([=](QDialog& d) {
        if (page >= 0) Radio(d, page, button)->setChecked(true);
        ok ? d.accept() : d.reject();
    });
    return RunMagnifierProperties(lens.shape, lens.size, lens.zoom);
}

TEST(PropMagn, PagesAndTheButtonsStoredValuesCheck) {
    struct Case {
        Lens stored;
        const char* shown[3];  // size, zoom, shape
    } cases[] = {
        {{1, 100, 18}, {"100", "x1.5", "Round"}}, {{0, 120, 20}, {"120", "x2", "Rectangular"}},
        {{1, 150, 25}, {"150", "x2.5", "Round"}}, {{1, 180, 30}, {"180", "x3", "Round"}},
        {{1, 220, 50}, {"220", "x5", "Round"}},   {{1, 250, 15}, {"250", "x2", "Round"}},
        {{3, 130, 0}, {"100", "x2", ""}}};
    for (const Case& c : cases) {
        CPropMagn sheet(CPropMagn::SizeIndex(c.stored.size), CPropMagn::ZoomIndex(c.stored.zoom),
                        c.stored.shape);
        EXPECT_EQ(sheet.windowTitle(), "Magnifying Glass Properties");
        EXPECT_EQ(Tabs(sheet)->tabText(0), "Size");
        EXPECT_EQ(Tabs(sheet)->tabText(1), "Zoom");
        EXPECT_EQ(Tabs(sheet)->tabText(2), "Shape");
        for (int page = 0; page < 3; ++page)
            EXPECT_EQ(Checked(sheet, page), c.shown[page]) << c.stored.size << " page " << page;
    }
}

TEST(PropMagn, EveryButtonStoresItsValue) {
    struct Case {
        int page, button;
        Lens expected;
    } cases[] = {
        {0, 0, {1, 100, 20}}, {0, 1, {1, 120, 20}}, {0, 2, {1, 150, 20}}, {0, 3, {1, 180, 20}},
        {0, 4, {1, 220, 20}}, {0, 5, {1, 250, 20}}, {1, 0, {1, 100, 18}}, {1, 1, {1, 100, 20}},
        {1, 2, {1, 100, 25}}, {1, 3, {1, 100, 30}}, {1, 4, {1, 100, 50}}, {2, 0, {0, 100, 20}},
        {2, 1, {1, 100, 20}},  // round on a first start's defaults keeps all three
    };
    for (const Case& c : cases) {
        PromptsFixtureGuard guard;
        Lens lens{1, 100, 20};
        EXPECT_TRUE(RunSheet(lens, c.page, c.button));
        EXPECT_EQ(lens, c.expected) << c.page << "/" << c.button;
    }
}

TEST(PropMagn, OkReplacesUnknownValuesCancelKeepsThem) {
    struct Case {
        bool ok;
        Lens expected;
    } cases[] = {{true, {3, 100, 20}}, {false, {3, 130, 15}}};
    for (const Case& c : cases) {
        PromptsFixtureGuard guard;
        Lens lens{3, 130, 15};  // an unknown shape has no button and so stays
        EXPECT_EQ(RunSheet(lens, -1, 0, c.ok), c.ok);
        EXPECT_EQ(lens, c.expected);
    }
}

TEST(PropMagn, OneAndAHalfReopensChecked) {
    PromptsFixtureGuard guard;
    Lens lens{1, 100, 20};
    ASSERT_TRUE(RunSheet(lens, 1, 0));
    ASSERT_EQ(lens.zoom, 18);
    CPropMagn again(0, CPropMagn::ZoomIndex(lens.zoom), 1);
    EXPECT_EQ(Checked(again, 1), "x1.5");
}

}  // namespace
