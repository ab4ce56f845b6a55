// Shared main of every test executable: an offscreen QApplication, a private
// home and settings folder (tests never touch the user's settings) and the
// scripted prompts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

#include "ScriptedPrompts.h"
#include "framework/Settings.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QTemporaryDir home;
    setenv("HOME", home.path().toLocal8Bit().constData(), 1);
    setenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit().constData(), 1);
    setenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit().constData(), 1);
    setenv("XDG_CACHE_HOME", (home.path() + "/cache").toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(SettingsStore::kCompany);
    QApplication::setApplicationName(SettingsStore::kApplication);
    Prompts::install(&scripted());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
