// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QBuffer>
#include <QProcess>
#include <QTemporaryDir>

#include "TestUtil.h"
#include "TmpfsVolume.h"
#include "document/TarnLocation.h"
#include "drawings/FreeHand.h"
#include "framework/ArchiveBytes.h"
#include "resources/Strings.h"

namespace {

constexpr qint64 kPage = 4096;

QByteArray Bytes(CTarnLocation& location) {
    return archivebytes::Store([&](CArchive& ar) { location.SerializeLocation(ar); });
}

// A location of about `bytes`: one long stroke.
QByteArray LocationOf(int bytes) {
    CTarnLocation location;
    CFreeHand& stroke = location.freeHands.AddNew();
    for (int k = 0; k < bytes / 8; ++k) stroke.AppendPoint({k % 500, k / 500});
    stroke.ComputeBounds();
    return Bytes(location);
}

// fnm resave onto a disk at every free size from none to the file's size
// plus 64 kB: exit status 0 and the whole file, or 2, the disk-full message
// and the old file unchanged.
TEST(FnmFullDisk, ResaveIsWholeOrFailsWithStatusTwo) {
    struct Case {
        const char* what;
        int size;
    };
    const Case cases[] = {{"a small location", 1799}, {"a 110 kB location", 110 * 1024}};
    for (const Case& c : cases) {
        TmpfsVolume volume(512 * 1024);
        if (!volume.mounted()) {
            GTEST_SKIP() << volume.why();
        }
        QTemporaryDir dir;
        const QString in = dir.filePath("in.fnm");
        const QByteArray fresh = LocationOf(c.size);
        ASSERT_TRUE(testutil::WriteAll(in, fresh));
        const QString out = volume.filePath("out.fnm");
        const QByteArray old = LocationOf(c.size / 2);
        const qint64 needed = (fresh.size() + kPage - 1) / kPage * kPage;
        for (qint64 free : TmpfsVolume::FreeSizes(fresh.size() + 64 * 1024, 4 * kPage)) {
            SCOPED_TRACE(std::string(c.what) + ", free " + std::to_string(free));
            volume.Unfill();
            ASSERT_TRUE(testutil::WriteAll(out, old));
            ASSERT_TRUE(volume.LeaveFree(free));
            QProcess fnm;
            fnm.start(FNM_BINARY, {"resave", in, out});
            ASSERT_TRUE(fnm.waitForFinished(60000));
            const QString err = QString::fromLocal8Bit(fnm.readAllStandardError());
            if (free >= needed) {
                EXPECT_EQ(fnm.exitCode(), 0) << err;
                EXPECT_EQ(testutil::ReadAll(out), fresh);
            } else {
                EXPECT_EQ(fnm.exitCode(), 2);
                EXPECT_TRUE(err.contains(str::DiskFull)) << err;
                EXPECT_EQ(testutil::ReadAll(out), old);
            }
        }
    }
}

}  // namespace
