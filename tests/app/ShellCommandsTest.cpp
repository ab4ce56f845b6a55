// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "app/Assembly.h"
#include "app/MainFrame.h"
#include "app/TarnlightApp.h"
#include "document/TarnlightDoc.h"
#include "framework/Settings.h"
#include "framework/Shell.h"
#include "resources/CommandIds.h"
#include "view/TarnlightView.h"

namespace {

// Records what would have been opened or started.
class ShellCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        testutil::ClearSettings();
        SettingsStore::instance().SetInt(setting::Splash, 0);
        shell::Services s;
        s.openUrl = [this](const QUrl& u) {
            opened << u.toString();
            return openWorks;
        };
        s.startDetached = [this](const QString& program, const QStringList& args) {
            started << program;
            startedArgs << args;
            return QFile::exists(program);
        };
        s.findProgram = [this](const QString& name) { return programs.value(name); };
        previous = shell::Install(s);
        app = std::make_unique<CTarnlightApp>();
        ASSERT_TRUE(AssembleApplication(*app, {}));
    }
    void TearDown() override {
        app->ExitInstance();
        app.reset();
        shell::Install(previous);
    }
    CommandTable& table() { return app->Frame()->Commands(); }

    PromptsFixtureGuard guard;
    shell::Services previous;
    std::unique_ptr<CTarnlightApp> app;
    QStringList opened, started;
    QList<QStringList> startedArgs;
    QHash<QString, QString> programs;
    bool openWorks = true;
    QTemporaryDir dir;
};

TEST_F(ShellCommandsTest, WebSite) {
    EXPECT_TRUE(table().execute(cmd::WebSite));
    EXPECT_EQ(opened.value(0), "https://fenmarrow.example.org/");
    EXPECT_TRUE(scripted().messages.isEmpty());
    openWorks = false;
    table().execute(cmd::WebSite);
    EXPECT_EQ(scripted().messages.value(0),
              "Unable to access the requested URL.\nhttps://fenmarrow.example.org/");
}

TEST_F(ShellCommandsTest, HelpOpensTheShippedPage) {
    EXPECT_TRUE(table().execute(cmd::HelpContents));
    ASSERT_EQ(opened.size(), 1);
    QString page = QUrl(opened[0]).toLocalFile();
    EXPECT_TRUE(page.endsWith("/help/index.html"));
    QByteArray html = testutil::ReadAll(page);
    for (const char* topic : {"Measuring distance", "Calibration", "Red-line drawings",
                              "Magnifying glass", "Printing", "Layers"})
        EXPECT_TRUE(html.contains(topic)) << topic;
    openWorks = false;
    table().execute(cmd::HelpContents);
    EXPECT_EQ(scripted().messages.value(0), "Failed to launch help.");
}

TEST_F(ShellCommandsTest, HelpWithALauncherThatFindsNoBrowser) {
    // The launcher starts, then exits saying it could not open the page.
    struct Case {
        const char* script;
        const char* said;
    } cases[] = {
        {"#!/bin/sh\nexit 3\n", "Failed to launch help."},
        {"#!/bin/sh\nexec /nonexistent/browser \"$1\"\n", "Failed to launch help."},
    };
    for (const Case& c : cases) {
        scripted().reset();
        const QString launcher = dir.filePath("xdg-open");
        QFile::remove(launcher);
        ASSERT_TRUE(testutil::WriteAll(launcher, c.script));
        QFile::setPermissions(launcher, QFile::ReadOwner | QFile::ExeOwner);
        programs["xdg-open"] = launcher;
        EXPECT_TRUE(table().execute(cmd::HelpContents));
        EXPECT_TRUE(QTest::qWaitFor([] { return !scripted().messages.isEmpty(); }, 30000));
        EXPECT_EQ(scripted().messages, QStringList{c.said});
    }
}

TEST_F(ShellCommandsTest, CompanionEditorStartsFromTheProgramsFolderWithoutArguments) {
    CTarnlightView& view = app->Frame()->View();
    view.companionFolder = dir.path();
    // Missing: nothing happens and nothing is said.
    EXPECT_TRUE(table().execute(cmd::MapLocationEditor));
    EXPECT_EQ(started.value(0), dir.filePath("mapwright"));
    EXPECT_TRUE(startedArgs.value(0).isEmpty());
    EXPECT_TRUE(scripted().messages.isEmpty());
    EXPECT_EQ(view.mode, CTarnlightView::Standard);
}

TEST_F(ShellCommandsTest, SendMailNeedsAMailProgramAndSavesFirst) {
    EXPECT_FALSE(table().state(cmd::FileSendMail).enabled);
    EXPECT_FALSE(table().execute(cmd::FileSendMail));
    programs["xdg-email"] = "/nonexistent/xdg-email";
    EXPECT_TRUE(table().state(cmd::FileSendMail).enabled);
    // An image-based location is saved as .fnm first.
    QString bmp = dir.filePath("pond.bmp");
    QImage(40, 30, QImage::Format_RGB32).save(bmp, "BMP");
    CTarnlightDoc& doc = app->Frame()->Document();
    ASSERT_TRUE(doc.OnOpenDocument(bmp));
    scripted().saveFile(dir.filePath("pond.fnm"));
    EXPECT_TRUE(table().execute(cmd::FileSendMail));
    EXPECT_EQ(scripted().proposedSaveNames.value(0), dir.filePath("pond.fnm"));
    EXPECT_TRUE(QFile::exists(dir.filePath("pond.fnm")));
}

TEST_F(ShellCommandsTest, GpsCommands) {
    for (int id : {cmd::SetupGps, cmd::ConnectGps, cmd::ViewGps, cmd::ToggleQuery})
        EXPECT_TRUE(table().state(id).enabled) << id;
    EXPECT_FALSE(table().state(cmd::RouteSetup).enabled);
    bool modified = app->Frame()->Document().IsModified();
    // Setup GPS opens its dialog; cancelled, it stores nothing.
    EXPECT_TRUE(table().execute(cmd::SetupGps));
    EXPECT_EQ(scripted().dialogsRun, 1);
    EXPECT_FALSE(SettingsStore::instance().Contains(setting::GpsPortChoices));
    // Connect GPS is checked while connected (to gpsd, by default), whether
    // or not a daemon answers; a second time disconnects.
    EXPECT_TRUE(table().execute(cmd::ConnectGps));
    EXPECT_TRUE(table().state(cmd::ConnectGps).checked);
    EXPECT_TRUE(table().execute(cmd::ConnectGps));
    EXPECT_FALSE(table().state(cmd::ConnectGps).checked);
    EXPECT_EQ(app->Frame()->Document().IsModified(), modified);
    EXPECT_TRUE(scripted().messages.isEmpty());
}

}  // namespace
