// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QProcess>

#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "mapwright/EditorWindow.h"
#include "resources/Strings.h"
#include "resources/Version.h"

namespace {

// --version answers without a display: no platform plugin is asked for, so
// it works on a server, in a package check and over ssh.
TEST(MapwrightVersion, AnswersWithoutADisplay) {
    for (const char* option : {"--version", "-v"}) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(name);
        program.setProcessEnvironment(env);
        program.start(FM_MAPWRIGHT_PATH, {option});
        ASSERT_TRUE(program.waitForFinished(60000)) << option;
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << option;
        EXPECT_EQ(program.exitCode(), 0) << option;
        EXPECT_EQ(QString::fromUtf8(program.readAllStandardOutput()),
                  QString("Mapwright %1\n%2\n").arg(version::Number, str::LicenceNotice))
            << option;
        EXPECT_TRUE(program.readAllStandardError().isEmpty()) << option;
    }
}

TEST(MapwrightVersion, AboutNamesReleaseAndLicence) {
    PromptsFixtureGuard guard;
    CEditorWindow window;
    QCoreApplication::setApplicationVersion(version::Number);
    window.Action("about")->trigger();
    ASSERT_EQ(scripted().messages.size(), 1);
    EXPECT_TRUE(scripted().messages[0].contains(QString("Mapwright ") + version::Number))
        << scripted().messages[0];
    EXPECT_TRUE(scripted().messages[0].endsWith(str::LicenceNotice)) << scripted().messages[0];
}

}  // namespace
