// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <memory>

#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "app/Assembly.h"
#include "app/MainFrame.h"
#include "framework/Settings.h"

// The program as main() builds it, started on demand with fresh settings and
// no About box, and closed after each test.
class AssembledApp : public ::testing::Test {
protected:
    void SetUp() override {
        testutil::ClearSettings();
        SettingsStore::instance().SetInt(setting::Splash, 0);
    }
    void TearDown() override {
        if (app) app->ExitInstance();
    }
    void Start(StartupOptions options = {}) {
        app = std::make_unique<CTarnlightApp>();
        ASSERT_TRUE(AssembleApplication(*app, options));
        frame = app->Frame();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    }
    QAction* Act(int id) { return frame->Commands().action(id); }

    PromptsFixtureGuard guard;
    std::unique_ptr<CTarnlightApp> app;
    CMainFrame* frame = nullptr;
};
