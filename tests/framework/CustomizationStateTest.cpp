// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QPoint>
#include <QSettings>

#include "TestUtil.h"
#include "framework/Settings.h"
#include "framework/customize/CustomizationState.h"
#include "resources/CommandIds.h"

using namespace customize;

namespace {

class CustomizationStateTest : public ::testing::Test {
protected:
    void SetUp() override { testutil::ClearSettings(); }
    void TearDown() override { testutil::ClearSettings(); }

    // What a later run reads: the file, not this run's cache.
    static void Restart() {
        SettingsStore::instance().Sync();
        SettingsStore::instance().Reload();
    }

    static CustomizationState Full() {
        CustomizationState s;
        s.toolbars[0] = UserToolbar{"Bait, lures & \"jigs\"",
                                    {cmd::FileOpen, kSeparator, cmd::Pan, cmd::MeasureDistance},
                                    true};
        s.toolbars[7] = UserToolbar{"Empty", {}, false};
        s.standardToolbarVisible = false;
        s.keys[cmd::BassWeight] = {QKeySequence("Ctrl+Shift+B"), QKeySequence("F9")};
        s.keys[cmd::Layers] = {};  // its Ctrl+L taken away
        s.keys[cmd::Query] = {QKeySequence("Ctrl+,")};
        s.doubleClickCommand = cmd::ShowPointDisplay;
        s.tools.push_back({"Tide chart", "/opt/tides/tide", "--lake \"Mille Lacs\", -v"});
        s.tools.push_back({"Notes", "mousepad", ""});
        s.buttonImages[cmd::Query] = 3;
        return s;
    }
};

TEST_F(CustomizationStateTest, NothingSavedGivesTheDefaults) {
    CustomizationState s = Full();
    EXPECT_TRUE(s.Load(SettingsStore::instance()));
    EXPECT_EQ(s, CustomizationState());
    EXPECT_EQ(s.ToolbarCount(), 0);
    EXPECT_TRUE(s.standardToolbarVisible);
    EXPECT_EQ(s.doubleClickCommand, 0);
}

TEST_F(CustomizationStateTest, SavedStateReadsBackTheSame) {
    Full().Save(SettingsStore::instance());
    Restart();
    CustomizationState s;
    ASSERT_TRUE(s.Load(SettingsStore::instance()));
    EXPECT_EQ(s, Full());
    EXPECT_EQ(s.toolbars[0]->title, "Bait, lures & \"jigs\"");
    EXPECT_EQ(s.tools[0].arguments, "--lake \"Mille Lacs\", -v");
    EXPECT_TRUE(s.Keys(cmd::Layers).isEmpty());

    // Saving again replaces what was there: a deleted toolbar and tool stay gone.
    s.toolbars[7].reset();
    s.tools.pop_back();
    s.Save(SettingsStore::instance());
    Restart();
    CustomizationState again;
    ASSERT_TRUE(again.Load(SettingsStore::instance()));
    EXPECT_EQ(again, s);
    EXPECT_EQ(again.ToolbarCount(), 1);
}

TEST_F(CustomizationStateTest, DamagedValuesFallBackToTheDefaults) {
    const QString g = "Settings/Customization/";
    QStringList tooMany;
    for (int i = 0; i <= kMaxButtons; ++i) tooMany << QString::number(cmd::Pan);
    struct Case {
        const char* what;
        QString key;
        QVariant value;
    } cases[] = {
        {"unknown version", g + "Version", "2"},
        {"version not a number", g + "Version", "one"},
        {"visibility out of range", g + "StandardToolbar", "7"},
        {"double-click on no command", g + "DoubleClick", "12345"},
        {"double-click negative", g + "DoubleClick", "-1"},
        {"double-click text", g + "DoubleClick", "Pan"},
        {"an eleventh toolbar", g + "Toolbar10/Title", "More"},
        {"toolbar slot not a number", g + "ToolbarX/Title", "More"},
        {"toolbar with a leading zero", g + "Toolbar07/Title", "More"},
        {"button of no command", g + "Toolbar0/Buttons", "32845 99999"},
        {"button not a number", g + "Toolbar0/Buttons", "open save"},
        {"too many buttons", g + "Toolbar0/Buttons", tooMany.join(' ')},
        {"empty title", g + "Toolbar0/Title", "   "},
        {"title as a list", g + "Toolbar0/Title", QStringList{"a", "b"}},
        {"title as bytes", g + "Toolbar0/Title", QByteArray("\x01\x02\xff", 3)},
        {"visible not a flag", g + "Toolbar0/Visible", "yes"},
        {"unknown toolbar value", g + "Toolbar0/Colour", "red"},
        {"key of no command", g + "Keys/99999", "Ctrl+K"},
        {"key command not a number", g + "Keys/open", "Ctrl+K"},
        {"unreadable key", g + "Keys/32867", "Ctrl+Nonsense"},
        {"key already another command's", g + "Keys/32867", "Ctrl+O"},
        {"the same key twice", g + "Keys/32867", "F9; F9"},
        {"image cell out of range", g + "ButtonImages/32843", "5000"},
        {"image of no command", g + "ButtonImages/1", "2"},
        {"a seventeenth tool", g + "Tool16/Title", "More"},
        {"tools with a gap", g + "Tool5/Title", "Gap"},
        {"tool without a program", g + "Tool1/Program", " "},
        {"tool program not text", g + "Tool1/Program", QPoint(1, 2)},
        {"unknown value", g + "Colour", "1"},
        {"unknown group", g + "Menus/File", "1"},
    };
    for (const Case& c : cases) {
        testutil::ClearSettings();
        Full().Save(SettingsStore::instance());
        SettingsStore::instance().Raw().setValue(c.key, c.value);
        Restart();
        CustomizationState s = Full();
        EXPECT_FALSE(s.Load(SettingsStore::instance())) << c.what;
        EXPECT_EQ(s, CustomizationState()) << c.what;
    }
}

TEST_F(CustomizationStateTest, GarbageFileGivesTheDefaults) {
    SettingsStore::instance().Sync();
    QString file = SettingsStore::instance().Raw().fileName();
    QByteArray junk =
        "[Settings]\nCustomization\\Version=1\nCustomization\\Toolbar3\\Title=@Variant(\x07\x01)\n"
        "Customization\\Toolbar3\\Buttons=\xff\xfe\x01\nCustomization\\Tool0\\Title=\n\x80\x81=";
    QDir().mkpath(QFileInfo(file).path());
    ASSERT_TRUE(testutil::WriteAll(file, junk));
    SettingsStore::instance().Reload();
    CustomizationState s;
    EXPECT_FALSE(s.Load(SettingsStore::instance()));
    EXPECT_EQ(s, CustomizationState());
}

TEST_F(CustomizationStateTest, ToolbarsTakeTheFirstFreeSlotUpToTen) {
    CustomizationState s;
    for (int i = 0; i < kMaxToolbars; ++i) EXPECT_EQ(s.AddToolbar(QString("Bar %1").arg(i)), i);
    EXPECT_EQ(s.AddToolbar("Eleventh"), -1);
    EXPECT_EQ(s.ToolbarCount(), kMaxToolbars);
    s.toolbars[4].reset();
    EXPECT_EQ(s.AddToolbar("Again"), 4);
    EXPECT_EQ(s.toolbars[4]->title, "Again");
    EXPECT_TRUE(s.toolbars[4]->visible);
}

TEST_F(CustomizationStateTest, KeysDifferFromTheCatalogueOnlyWhereChanged) {
    CustomizationState s;
    struct Case {
        const char* key;
        int command;
    } defaults[] = {{"Ctrl+O", cmd::FileOpen},
                    {"Ctrl+L", cmd::Layers},
                    {"F4", cmd::Pan},
                    {"Ctrl+I", cmd::AddUserPoint},
                    {"Ctrl+Alt+F12", 0}};
    for (const Case& c : defaults)
        EXPECT_EQ(s.CommandForKey(QKeySequence(c.key)), c.command) << c.key;
    EXPECT_EQ(s.CommandForKey(QKeySequence("Ctrl+O"), cmd::FileOpen), 0);

    s.SetKeys(cmd::Layers, {});
    EXPECT_EQ(s.CommandForKey(QKeySequence("Ctrl+L")), 0);
    s.SetKeys(cmd::BassWeight, {QKeySequence("Ctrl+L")});
    EXPECT_EQ(s.CommandForKey(QKeySequence("Ctrl+L")), cmd::BassWeight);
    // Giving a command its catalogue keys back forgets the change.
    s.SetKeys(cmd::Layers, DefaultKeys(cmd::Layers));
    s.SetKeys(cmd::BassWeight, {});
    EXPECT_EQ(s.keys.size(), 0u);
    EXPECT_EQ(s.Keys(cmd::Layers), QList<QKeySequence>{QKeySequence("Ctrl+L")});
}

TEST_F(CustomizationStateTest, CommandNamesAndImageCells) {
    struct Case {
        int id;
        const char* name;
    } names[] = {{cmd::FileOpen, "Open"},
                 {cmd::Customize, "Customize"},
                 {cmd::MapLocationEditor, "Map LocationEditor"},
                 {cmd::FileMru1, "Recent file 1"}};
    for (const Case& c : names) EXPECT_EQ(CommandName(c.id), c.name) << c.id;
    EXPECT_TRUE(IsCommand(cmd::Pan));
    EXPECT_FALSE(IsCommand(kSeparator));
    EXPECT_FALSE(IsCommand(cmd::UserToolFirst));

    EXPECT_TRUE(ImageCells(QImage()).isEmpty());
    QImage strip(40, 16, QImage::Format_RGB32);  // two cells and a remainder
    strip.fill(QColor(192, 192, 192));
    strip.setPixelColor(3, 4, Qt::red);
    strip.setPixelColor(20, 5, Qt::blue);
    QList<QPixmap> cells = ImageCells(strip);
    ASSERT_EQ(cells.size(), 2);
    QImage first = cells[0].toImage();
    EXPECT_EQ(first.size(), QSize(16, 16));
    EXPECT_EQ(first.pixelColor(3, 4), QColor(Qt::red));
    EXPECT_EQ(first.pixelColor(0, 0).alpha(), 0);  // the grey background is see-through
    EXPECT_EQ(cells[1].toImage().pixelColor(4, 5), QColor(Qt::blue));
}

}  // namespace
