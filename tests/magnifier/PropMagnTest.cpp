#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTabWidget>

#include "ScriptedPrompts.h"
#include "framework/DataExchange.h"
#include "magnifier/PPShape.h"
#include "magnifier/PPSize.h"
#include "magnifier/PPZoom.h"
#include "magnifier/PropMagn.h"

namespace {

constexpr int kRadioIds[6] = {418, 419, 420, 421, 1014, 1016};

QTabWidget* Tabs(QDialog& d) {
    return d.findChild<QTabWidget*>();
}
QRadioButton* Radio(QDialog& d, int page, int index) {
    return Control<QRadioButton>(Tabs(d)->widget(page), kRadioIds[index]);
}
// The checked button's text, or "" when none is.
QString Checked(QDialog& d, int page) {
    for (QRadioButton* b : Tabs(d)->widget(page)->findChildren<QRadioButton*>())
        if (b->isChecked()) return b->text();
    return {};
}

struct Lens {
    int shape, size, zoom;
};

// Runs the sheet the way the program does, with `script` as the user.
bool RunSheet(Lens& lens, ScriptedPrompts::DialogScript script) {
    scripted().dialog(std::move(script));
    return RunMagnifierProperties(lens.shape, lens.size, lens.zoom);
}

TEST(PropMagn, PagesAndChoices) {
    CPropMagn sheet(0, 1, 1);
    EXPECT_EQ(sheet.windowTitle(), "Magnifying Glass Properties");
    QTabWidget* tabs = Tabs(sheet);
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "Size");
    EXPECT_EQ(tabs->tabText(1), "Zoom");
    EXPECT_EQ(tabs->tabText(2), "Shape");
    struct Page {
        int index;
        QStringList texts;
    } pages[] = {{0, {"100", "120", "150", "180", "220", "250"}},
                 {1, {"x1.5", "x2", "x2.5", "x3", "x5"}},
                 {2, {"Rectangular", "Round"}}};
    for (const Page& p : pages) {
        QStringList texts;
        for (int i = 0; i < p.texts.size(); ++i) {
            QRadioButton* b = Radio(sheet, p.index, i);
            ASSERT_NE(b, nullptr) << p.index << " " << i;
            texts << b->text();
        }
        EXPECT_EQ(texts, p.texts);
        EXPECT_EQ(tabs->widget(p.index)->findChildren<QRadioButton*>().size(), p.texts.size());
    }
}

TEST(PropMagn, StoredValuesPickTheirButtons) {
    struct Case {
        int size;
        const char* sizeShown;
        int zoom;
        const char* zoomShown;
    } cases[] = {{100, "100", 18, "x1.5"}, {120, "120", 20, "x2"}, {150, "150", 25, "x2.5"},
                 {180, "180", 30, "x3"},   {220, "220", 50, "x5"}, {250, "250", 15, "x2"},
                 {130, "100", 0, "x2"},    {0, "100", 35, "x2"}};
    for (const Case& c : cases) {
        CPropMagn sheet(CPropMagn::SizeIndex(c.size), CPropMagn::ZoomIndex(c.zoom), 1);
        EXPECT_EQ(Checked(sheet, 0), c.sizeShown) << c.size;
        EXPECT_EQ(Checked(sheet, 1), c.zoomShown) << c.zoom;
        EXPECT_EQ(Checked(sheet, 2), "Round");
    }
}

TEST(PropMagn, UnknownStoredValuesAreReplacedOnOk) {
    PromptsFixtureGuard guard;
    Lens lens{0, 130, 15};
    EXPECT_TRUE(RunSheet(lens, [](QDialog& d) { d.accept(); }));
    EXPECT_EQ(lens.size, 100);
    EXPECT_EQ(lens.zoom, 20);
    EXPECT_EQ(lens.shape, 0);
}

TEST(PropMagn, EveryButtonStoresItsValue) {
    struct Case {
        int page, button;
        Lens expected;
    } cases[] = {
        {0, 0, {1, 100, 20}}, {0, 1, {1, 120, 20}}, {0, 2, {1, 150, 20}}, {0, 3, {1, 180, 20}},
        {0, 4, {1, 220, 20}}, {0, 5, {1, 250, 20}}, {1, 0, {1, 100, 18}}, {1, 1, {1, 100, 20}},
        {1, 2, {1, 100, 25}}, {1, 3, {1, 100, 30}}, {1, 4, {1, 100, 50}}, {2, 0, {0, 100, 20}},
        {2, 1, {1, 100, 20}},
    };
    for (const Case& c : cases) {
        PromptsFixtureGuard guard;
        Lens lens{1, 100, 20};
        EXPECT_TRUE(RunSheet(lens, [&c](QDialog& d) {
            Radio(d, c.page, c.button)->setChecked(true);
            d.accept();
        }));
        EXPECT_EQ(lens.shape, c.expected.shape) << c.page << "/" << c.button;
        EXPECT_EQ(lens.size, c.expected.size) << c.page << "/" << c.button;
        EXPECT_EQ(lens.zoom, c.expected.zoom) << c.page << "/" << c.button;
    }
}

TEST(PropMagn, OneAndAHalfIsStoredAsEighteenAndReopensChecked) {
    PromptsFixtureGuard guard;
    Lens lens{1, 100, 20};
    ASSERT_TRUE(RunSheet(lens, [](QDialog& d) {
        Radio(d, 1, 0)->setChecked(true);
        d.accept();
    }));
    EXPECT_EQ(lens.zoom, 18);
    QString shown;
    RunSheet(lens, [&shown](QDialog& d) {
        shown = Checked(d, 1);
        d.reject();
    });
    EXPECT_EQ(shown, "x1.5");
}

TEST(PropMagn, RoundOnFirstStartDefaultsKeepsEverything) {
    PromptsFixtureGuard guard;
    Lens lens{1, 100, 20};
    EXPECT_TRUE(RunSheet(lens, [](QDialog& d) {
        Radio(d, 2, 1)->setChecked(true);
        d.accept();
    }));
    EXPECT_EQ(lens.shape, 1);
    EXPECT_EQ(lens.size, 100);
    EXPECT_EQ(lens.zoom, 20);
}

TEST(PropMagn, CancelChangesNothing) {
    PromptsFixtureGuard guard;
    Lens lens{0, 130, 15};
    EXPECT_FALSE(RunSheet(lens, [](QDialog& d) {
        Radio(d, 0, 5)->setChecked(true);
        Radio(d, 1, 4)->setChecked(true);
        Radio(d, 2, 1)->setChecked(true);
        d.reject();
    }));
    EXPECT_EQ(lens.shape, 0);
    EXPECT_EQ(lens.size, 130);
    EXPECT_EQ(lens.zoom, 15);
}

TEST(PropMagn, UnknownShapeStaysWhenNothingIsChosen) {
    PromptsFixtureGuard guard;
    Lens lens{3, 150, 25};
    QString shown = "unset";
    EXPECT_TRUE(RunSheet(lens, [&shown](QDialog& d) {
        shown = Checked(d, 2);
        d.accept();
    }));
    EXPECT_EQ(shown, "");
    EXPECT_EQ(lens.shape, 3);
    EXPECT_EQ(lens.size, 150);
    EXPECT_EQ(lens.zoom, 25);
}

}  // namespace
