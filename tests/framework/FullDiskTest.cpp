// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cerrno>

#include "TestUtil.h"
#include "TmpfsVolume.h"
#include "framework/AtomicFile.h"
#include "framework/Settings.h"
#include "resources/Strings.h"

namespace {

using Status = CAtomicFile::Status;

constexpr qint64 kPage = 4096;
constexpr qint64 kMargin = 64 * 1024;

qint64 Pages(qint64 bytes) {
    return (bytes + kPage - 1) / kPage * kPage;
}

// Every free size from none to the new file plus a margin: a write either
// lands whole or leaves the old bytes, and it lands exactly when it fits.
TEST(FullDisk, AtomicWriteKeepsTheOldFileUntilTheNewOneFits) {
    struct Case {
        const char* what;
        qint64 oldSize;
        qint64 newSize;
    };
    const Case cases[] = {
        {"same size as before", 1799, 1799},
        {"growing past a page", 1799, 110 * 1024},
        {"a new file", -1, 9000},
        {"shrinking", 30000, 5000},
    };
    for (const Case& c : cases) {
        TmpfsVolume volume(512 * 1024);
        if (!volume.mounted()) {
            GTEST_SKIP() << volume.why();
        }
        const QString path = volume.filePath("target.bin");
        const QByteArray old(c.oldSize < 0 ? 0 : c.oldSize, 'o');
        const QByteArray fresh(c.newSize, 'n');
        for (qint64 free : TmpfsVolume::FreeSizes(c.newSize + kMargin)) {
            volume.Unfill();
            QFile::remove(path);
            if (c.oldSize >= 0) {
                ASSERT_TRUE(testutil::WriteAll(path, old));
            }
            ASSERT_TRUE(volume.LeaveFree(free)) << free;
            const Status status = CAtomicFile::Write(path, fresh);
            const bool fits = free >= Pages(c.newSize);
            SCOPED_TRACE(std::string(c.what) + ", free " + std::to_string(free));
            EXPECT_EQ(status, fits ? Status::Ok : Status::DiskFull);
            if (status == Status::Ok) {
                EXPECT_EQ(testutil::ReadAll(path), fresh);
            } else if (c.oldSize >= 0) {
                EXPECT_EQ(testutil::ReadAll(path), old);
            } else {
                EXPECT_FALSE(QFile::exists(path));
            }
            // No hidden half-written file is left behind.
            EXPECT_EQ(QDir(volume.path()).entryList(QDir::Files | QDir::Hidden).size(),
                      (c.oldSize >= 0 || status == Status::Ok ? 1 : 0) + 1);
        }
    }
}

TEST(FullDisk, EachFailureHasItsMessage) {
    struct Case {
        Status status;
        QString text;
    };
    const Case cases[] = {
        {Status::DiskFull, str::DiskFull},
        {Status::WriteFault, QString(str::WriteFault).arg("/x/a.fnm")},
        {Status::AccessDenied, QString(str::AccessDenied).arg("/x/a.fnm")},
        {Status::NotAFile, QString(str::NotAFile).arg("/x/a.fnm")},
        {Status::Ok, QString()},
    };
    for (const Case& c : cases) EXPECT_EQ(CAtomicFile::Message(c.status, "/x/a.fnm"), c.text);
    EXPECT_EQ(CAtomicFile::FromErrno(ENOSPC), Status::DiskFull);
    EXPECT_EQ(CAtomicFile::FromErrno(EDQUOT), Status::DiskFull);
    EXPECT_EQ(CAtomicFile::FromErrno(EACCES), Status::AccessDenied);
    EXPECT_EQ(CAtomicFile::FromErrno(EIO), Status::WriteFault);
}

TEST(FullDisk, ImpossibleTargetsReportWhy) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(CAtomicFile::Write(dir.path(), "x"), Status::NotAFile);
    EXPECT_NE(CAtomicFile::Write(dir.filePath("no/such/folder/f"), "x"), Status::Ok);
    // A writer that saw its own failure first: nothing is written.
    const QString path = dir.filePath("kept");
    ASSERT_TRUE(testutil::WriteAll(path, "old"));
    {
        CAtomicFile file(path);
        ASSERT_EQ(file.Open(), Status::Ok);
        file.Device().write("new bytes");
        file.Fail(Status::WriteFault);
        EXPECT_EQ(file.Commit(), Status::WriteFault);
    }
    {
        CAtomicFile file(path);
        ASSERT_EQ(file.Open(), Status::Ok);
        file.Device().write("abandoned");
    }
    EXPECT_EQ(testutil::ReadAll(path), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept"});
}

// The settings store on a volume of its own, put back afterwards.
class SettingsOnVolume : public ::testing::Test {
protected:
    void SetUp() override {
        if (!volume.mounted()) {
            GTEST_SKIP() << volume.why();
        }
        QSettings::setPath(SettingsStore::FileFormat(), QSettings::UserScope, volume.path());
        SettingsStore::instance().Reload();
    }
    void TearDown() override {
        volume.Unfill();
        QSettings::setPath(SettingsStore::FileFormat(), QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
        SettingsStore::instance().Reload();
    }
    TmpfsVolume volume{512 * 1024};
};

TEST_F(SettingsOnVolume, AFullDiskKeepsTheOldSettingsFile) {
    SettingsStore& store = SettingsStore::instance();
    const QString path = store.Raw().fileName();
    ASSERT_TRUE(path.startsWith(volume.path())) << path;
    // A customized layout is the largest thing the store keeps.
    const QByteArray layout(40000, '\x7f');
    qint64 newSize = 0;
    for (qint64 free : TmpfsVolume::FreeSizes(Pages(layout.size() * 4) + kMargin)) {
        volume.Unfill();
        store.Raw().clear();
        store.SetInt(setting::MagZoom, 15);
        store.SetString(setting::LastFile, "/home/angler/lake.fnm");
        ASSERT_EQ(store.Sync(), Status::Ok);
        const QByteArray old = testutil::ReadAll(path);
        ASSERT_FALSE(old.isEmpty());

        ASSERT_TRUE(volume.LeaveFree(free));
        store.SetValue("Frame/State", layout);
        store.SetInt(setting::MagZoom, 25);
        const Status status = store.Sync();
        SCOPED_TRACE("free " + std::to_string(free));
        if (free == 0) {
            EXPECT_EQ(status, Status::DiskFull);
        }
        if (status == Status::Ok) {
            newSize = QFile(path).size();
            // Read from a copy, as another program would see it.
            QTemporaryDir elsewhere;
            const QString copy = elsewhere.filePath("copy.ini");
            ASSERT_TRUE(testutil::WriteAll(copy, testutil::ReadAll(path)));
            QSettings written(copy, QSettings::IniFormat);
            EXPECT_EQ(written.value("Settings/Frame/State").toByteArray(), layout);
            EXPECT_EQ(written.value("Settings/MagZoom").toInt(), 25);
        } else {
            EXPECT_EQ(status, Status::DiskFull);
            EXPECT_EQ(testutil::ReadAll(path), old);
            // Still there to be written once there is room.
            EXPECT_EQ(store.Int(setting::MagZoom), 25);
        }
    }
    EXPECT_GT(newSize, layout.size()) << "the largest free size must fit the new file";
}

}  // namespace
