// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFile>
#include <QTest>

#include "ViewFixture.h"
#include "framework/Shell.h"
#include "resources/CommandIds.h"

namespace {

// The companion editor is started from the program's own folder, with no
// arguments and without waiting; a missing one is simply not started.
TEST_F(ViewTest, CompanionEditorStartsAStubWithoutArguments) {
    QTemporaryDir folder;
    view->companionFolder = folder.path();
    // Missing: nothing happens and nothing is said.
    EXPECT_TRUE(table.execute(cmd::MapLocationEditor));
    EXPECT_TRUE(scripted().messages.isEmpty());

    // Present: a stub that records how many arguments it got.
    QString stub = folder.filePath("mapwright");
    QString record = folder.filePath("started");
    QFile f(stub);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QString("#!/bin/sh\necho $# > '%1'\n").arg(record).toUtf8());
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(table.execute(cmd::MapLocationEditor));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile(record).size() > 0; }, 20000));
    EXPECT_EQ(testutil::ReadAll(record).trimmed(), "0");
    EXPECT_EQ(view->mode, CTarnlightView::Standard);
    EXPECT_TRUE(scripted().messages.isEmpty());
}

}  // namespace
