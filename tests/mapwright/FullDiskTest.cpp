// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>

#include "MapwrightTestSupport.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "TmpfsVolume.h"
#include "mapwright/EditorWindow.h"
#include "mapwright/MapCanvas.h"
#include "resources/Strings.h"

namespace {

constexpr qint64 kPage = 4096;

// Save from the editor's window over its file at every free size up to the
// file's size plus 64 kB: saved whole and the modified mark gone, or the
// disk-full message, the old file as it was and the mark still shown.
TEST(MapwrightFullDisk, SaveKeepsTheModifiedMarkWhenTheDiskIsFull) {
    TmpfsVolume volume(256 * 1024);
    if (!volume.mounted()) {
        GTEST_SKIP() << volume.why();
    }
    PromptsFixtureGuard guard;
    QTemporaryDir dir;
    const QString image = mwtest::MakeBitmap(dir, "a.bmp", {300, 200}, 0xCC3333);
    CEditorWindow window;
    window.resize(900, 700);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.pickImages = [&] { return QStringList{image}; };
    window.Action("addImages")->trigger();
    ASSERT_EQ(window.Doc().Editor().Count(), 1);

    const QString path = volume.filePath("lake.fnm");
    scripted().saveFile(path);
    window.Action("save")->trigger();
    ASSERT_FALSE(window.isWindowModified());
    const QString title = window.windowTitle();
    EXPECT_EQ(title, "lake.fnm[*] - Mapwright");

    for (qint64 free : TmpfsVolume::FreeSizes(testutil::ReadAll(path).size() + 64 * 1024)) {
        SCOPED_TRACE("free " + std::to_string(free));
        const QByteArray old = testutil::ReadAll(path);
        const int left = int(free / kPage) + 1;
        ASSERT_TRUE(window.Doc().Editor().SetPlacement(0, {left, 0, left + 300, 200}, "Move"));
        ASSERT_TRUE(window.isWindowModified());
        ASSERT_TRUE(volume.LeaveFree(free));
        scripted().reset();
        window.Action("save")->trigger();
        EXPECT_EQ(window.windowTitle(), title);
        if (free >= kPage) {
            EXPECT_FALSE(window.isWindowModified());
            EXPECT_NE(testutil::ReadAll(path), old);
            EXPECT_TRUE(scripted().messages.isEmpty());
        } else {
            EXPECT_TRUE(window.isWindowModified());
            EXPECT_EQ(testutil::ReadAll(path), old);
            EXPECT_EQ(scripted().messages, QStringList{str::DiskFull});
        }
        volume.Unfill();
    }
    window.Doc().SetModifiedFlag(false);
}

}  // namespace
