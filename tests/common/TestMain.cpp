// SPDX-License-Identifier: GPL-3.0-or-later
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
    // A test that starts copies of itself hands them its home, so they share
    // its settings file.
    static QTemporaryDir home;
    const char* given = getenv("FM_TEST_HOME");
    const QString homePath = given ? QString::fromLocal8Bit(given) : home.path();
    setenv("HOME", homePath.toLocal8Bit().constData(), 1);
    setenv("XDG_CONFIG_HOME", (homePath + "/config").toLocal8Bit().constData(), 1);
    setenv("XDG_DATA_HOME", (homePath + "/data").toLocal8Bit().constData(), 1);
    setenv("XDG_CACHE_HOME", (homePath + "/cache").toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(SettingsStore::kCompany);
    QApplication::setApplicationName(SettingsStore::kApplication);
    Prompts::install(&scripted());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
