// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "LocationFixtures.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "TmpfsVolume.h"
#include "document/TarnlightDoc.h"
#include "drawings/FreeHand.h"
#include "resources/Strings.h"

namespace {

constexpr qint64 kPage = 4096;

// A free-hand stroke long enough to make the file `bytes` larger.
void AddLongStroke(CTarnLocation& location, int bytes) {
    CFreeHand& stroke = location.freeHands.AddNew();
    for (int k = 0; k < bytes / 8; ++k) stroke.AppendPoint({k % 700, k / 700});
    stroke.ComputeBounds();
}

// File Save over a location file on a disk with every free size from none
// to the new file's size plus 64 kB: the save lands whole or it is refused
// with the disk-full message, the old file byte for byte and the document
// still modified under its old name.
TEST(FullDiskSave, SaveIsWholeOrRefusedAtEveryFreeSize) {
    struct Case {
        const char* what;
        int grow;  // bytes the change adds
    };
    const Case cases[] = {
        {"one changed value, same size", 0},
        {"a change that needs 110 kB", 110 * 1024},
    };
    for (const Case& c : cases) {
        TmpfsVolume volume(1024 * 1024);
        if (!volume.mounted()) {
            GTEST_SKIP() << volume.why();
        }
        PromptsFixtureGuard prompts;
        const QString path = volume.filePath("lake.fnm");
        CTarnLocation location;
        fixtures::FillRich(location);
        CTarnlightDoc doc;
        doc.SetLocation(&location);
        ASSERT_TRUE(doc.DoSave(path));
        const QByteArray old = testutil::ReadAll(path);
        const QString title = doc.GetTitle();

        location.zoom = 2.0;
        if (c.grow) AddLongStroke(location, c.grow);
        const QByteArray fresh = fixtures::Store(location);
        const qint64 needed = (fresh.size() + kPage - 1) / kPage * kPage;
        for (qint64 free : TmpfsVolume::FreeSizes(fresh.size() + 64 * 1024)) {
            SCOPED_TRACE(std::string(c.what) + ", free " + std::to_string(free));
            volume.Unfill();
            ASSERT_TRUE(testutil::WriteAll(path, old));
            ASSERT_TRUE(volume.LeaveFree(free));
            scripted().reset();
            doc.SetModifiedFlag(true);
            QSignalSpy modified(&doc, &CDocument::modifiedChanged);

            const bool saved = doc.DoFileSave();
            EXPECT_EQ(saved, free >= needed);
            EXPECT_EQ(doc.GetPathName(), path);
            EXPECT_EQ(doc.GetTitle(), title);
            if (saved) {
                EXPECT_EQ(testutil::ReadAll(path), fresh);
                EXPECT_TRUE(scripted().messages.isEmpty());
                EXPECT_FALSE(doc.IsModified());
            } else {
                EXPECT_EQ(testutil::ReadAll(path), old);
                EXPECT_EQ(scripted().messages, QStringList{str::DiskFull});
                EXPECT_TRUE(doc.IsModified());
                EXPECT_EQ(modified.count(), 0);
            }
        }
    }
}

// The same refusal for Save As to a new name: no file appears and the
// document keeps the name it had.
TEST(FullDiskSave, SaveAsToAFullDiskLeavesNoFile) {
    TmpfsVolume volume(256 * 1024);
    if (!volume.mounted()) {
        GTEST_SKIP() << volume.why();
    }
    PromptsFixtureGuard prompts;
    CTarnLocation location;
    fixtures::FillRich(location);
    CTarnlightDoc doc;
    doc.SetLocation(&location);
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(volume.LeaveFree(0));
    scripted().saveFile(volume.filePath("new.fnm"));
    EXPECT_FALSE(doc.DoSave(QString()));
    EXPECT_EQ(scripted().messages, QStringList{str::DiskFull});
    EXPECT_FALSE(QFile::exists(volume.filePath("new.fnm")));
    EXPECT_TRUE(doc.GetPathName().isEmpty());
    EXPECT_TRUE(doc.IsModified());
}

}  // namespace
