// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include "ViewFixture.h"
#include "framework/Settings.h"
#include "resources/CommandIds.h"

namespace {

TEST_F(ViewTest, LayersDialogOkMarksModifiedEvenUnchangedAndCancelChangesNothing) {
    struct Case {
        bool ok;
        bool uncheckMaps;
        int maps;
        bool modified;
    } cases[] = {{true, false, 1, true}, {true, true, 0, true}, {false, true, 1, false}};
    for (const Case& c : cases) {
        view->Location().showMaps = 1;
        doc.SetModifiedFlag(false);
        scripted().dialog([&](QDialog& d) {
            auto* list = d.findChild<QListWidget*>("1000");
            ASSERT_EQ(list->count(), 4);
            EXPECT_EQ(list->item(0)->text(), "Maps");
            EXPECT_EQ(list->item(3)->text(), "RedLines");
            if (c.uncheckMaps) list->item(0)->setCheckState(Qt::Unchecked);
            c.ok ? d.accept() : d.reject();
        });
        ASSERT_TRUE(table.execute(cmd::Layers));
        EXPECT_EQ(view->Location().showMaps, c.maps);
        EXPECT_EQ(doc.IsModified(), c.modified);
    }
}

TEST_F(ViewTest, PenSheetSetsTheListsPens) {
    scripted().color(QColor());  // the colour dialog cancelled: black
    scripted().dialog([](QDialog& d) {
        auto* tabs = d.findChild<QTabWidget*>();
        ASSERT_EQ(tabs->count(), 3);
        EXPECT_EQ(tabs->tabText(0), "Line");
        tabs->widget(0)->findChild<QLineEdit*>("1052")->setText("4");
        tabs->widget(1)->findChild<QPushButton*>("221")->click();
        d.accept();
    });
    ASSERT_TRUE(table.execute(cmd::SetupRedlinePen));
    EXPECT_EQ(view->Location().lineDraws.penWidth, 4);
    EXPECT_EQ(view->Location().freeHands.penColor, 0u);
    EXPECT_EQ(view->Location().rectElipDraws.penColor, 180u);
    EXPECT_TRUE(doc.IsModified());
    // Saved and reopened with the same pens.
    QTemporaryDir dir;
    ASSERT_TRUE(doc.DoSave(dir.filePath("pens.fnm")));
    view->Location().lineDraws.penWidth = 2;
    ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("pens.fnm")));
    EXPECT_EQ(view->Location().lineDraws.penWidth, 4);
    EXPECT_EQ(view->Location().freeHands.penColor, 0u);
}

TEST_F(ViewTest, ConfigurationTakesEffectAndIsStoredAtOnce) {
    scripted().dialog([](QDialog& d) {
        d.findChild<QCheckBox*>("1061")->setChecked(false);
        d.findChild<QCheckBox*>("1025")->setChecked(true);
        d.findChild<QComboBox*>("1036")->setCurrentIndex(2);
        d.accept();
    });
    ASSERT_TRUE(table.execute(cmd::SystemConfiguration));
    EXPECT_FALSE(view->showXY);
    EXPECT_EQ(view->movingMapIcon, 2);
    EXPECT_EQ(frame.loadLastFile, 1);
    Move({10, 10});
    EXPECT_EQ(frame.widths[1], 0);
    // A later initial update (File New) reads the store again and keeps them.
    view->OnInitialUpdate();
    EXPECT_FALSE(view->showXY);
    EXPECT_EQ(view->movingMapIcon, 2);
    EXPECT_EQ(SettingsStore::instance().Int(setting::LoadLastFile), 1);
    // Cancel changes nothing.
    scripted().dialog([](QDialog& d) {
        d.findChild<QCheckBox*>("1061")->setChecked(true);
        d.reject();
    });
    table.execute(cmd::SystemConfiguration);
    EXPECT_FALSE(view->showXY);
}

TEST_F(ViewTest, SunTimesNeedACalibratedPointOne) {
    view->UpdateSunDisplay();
    EXPECT_TRUE(frame.sunrise.isEmpty());  // latitude 0: nothing shown
    view->Location().lat1 = 46.43;
    view->Location().lon1 = 93.86;
    view->UpdateSunDisplay();
    EXPECT_TRUE(QTime::fromString(frame.sunrise, "HH:mm").isValid()) << frame.sunrise.toStdString();
    EXPECT_TRUE(QTime::fromString(frame.sunset, "HH:mm").isValid());
}

}  // namespace
