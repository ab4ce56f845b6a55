// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "framework/Document.h"
#include "framework/RecentFileList.h"

namespace {

// A document whose content is one integer.
class IntDoc : public CDocument {
public:
    int32_t value = 0;
    bool failWrite = false;
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar.WriteI32(value);
            if (failWrite) ar.SetError(CArchive::Error::DiskFull);
        } else {
            value = ar.ReadI32();
        }
    }
};

class DocumentTest : public ::testing::Test {
protected:
    PromptsFixtureGuard guard;
    QTemporaryDir dir;
    QString path(const char* name) { return dir.filePath(name); }
};

TEST_F(DocumentTest, SaveChangesQuestion) {
    struct Case {
        Prompts::Answer answer;
        bool proceeds;
        bool saved;
    } cases[] = {{Prompts::Answer::Cancel, false, false},
                 {Prompts::Answer::No, true, false},
                 {Prompts::Answer::Yes, true, true}};
    for (const Case& c : cases) {
        scripted().reset();
        IntDoc doc;
        doc.SetTitle(path("a.fnm"));
        doc.SetPathName(path("a.fnm"), false);
        doc.value = 7;
        doc.SetModifiedFlag();
        QFile::remove(path("a.fnm"));
        scripted().answer(c.answer);
        EXPECT_EQ(doc.NewDocument(), c.proceeds);
        EXPECT_EQ(scripted().messages.value(0), QString("Save changes to %1?").arg(path("a.fnm")));
        EXPECT_EQ(QFile::exists(path("a.fnm")), c.saved);
        if (!c.proceeds) {
            EXPECT_TRUE(doc.IsModified());
            EXPECT_EQ(doc.value, 7);
        }
    }
}

TEST_F(DocumentTest, FailedSaveKeepsThePreviousFile) {
    IntDoc doc;
    doc.value = 1;
    ASSERT_TRUE(doc.DoSave(path("keep.fnm")));
    QByteArray before = testutil::ReadAll(path("keep.fnm"));
    doc.value = 2;
    doc.SetModifiedFlag();
    doc.failWrite = true;
    EXPECT_FALSE(doc.DoSave(path("keep.fnm")));
    EXPECT_EQ(testutil::ReadAll(path("keep.fnm")), before);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(scripted().messages.value(0), "Destination disk drive is full.");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.fnm"});
}

TEST_F(DocumentTest, SaveToImpossiblePlaces) {
    IntDoc doc;
    QDir(dir.path()).mkdir("folder");
    EXPECT_FALSE(doc.DoSave(path("folder")));
    QDir(dir.path()).mkdir("ro");
    QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::ExeOwner);
    if (!QFileInfo(path("ro")).isWritable()) {  // root can write anywhere
        EXPECT_FALSE(doc.DoSave(path("ro/x.fnm")));
        EXPECT_FALSE(QFile::exists(path("ro/x.fnm")));
    }
    EXPECT_GE(scripted().messages.size(), 1);
}

TEST_F(DocumentTest, OpenFailures) {
    IntDoc doc;
    doc.value = 5;
    EXPECT_FALSE(doc.OnOpenDocument(path("missing.fnm")));
    EXPECT_EQ(scripted().messages.value(0),
              QString("%1\nCannot find this file.\nPlease verify that the correct path and file "
                      "name are given.")
                  .arg(path("missing.fnm")));
    testutil::WriteAll(path("short.fnm"), QByteArray("\x01", 1));
    EXPECT_FALSE(doc.OnOpenDocument(path("short.fnm")));
    EXPECT_EQ(scripted().messages.value(1), "Unexpected file format.");
    // A zero-length file is not read; the content stays and the flag clears.
    testutil::WriteAll(path("empty.fnm"), QByteArray());
    doc.value = 9;
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.OnOpenDocument(path("empty.fnm")));
    EXPECT_EQ(doc.value, 9);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentTest, RecentFilesKeepTheThreeNewest) {
    testutil::ClearSettings();
    RecentFileList list;
    for (const char* n : {"1.fnm", "2.fnm", "3.fnm", "4.fnm", "2.fnm"}) list.Add(path(n));
    EXPECT_EQ(list.Files(), (QStringList{path("2.fnm"), path("4.fnm"), path("3.fnm")}));
    RecentFileList again;
    again.Load();
    EXPECT_EQ(again.Files(), list.Files());
}

}  // namespace
