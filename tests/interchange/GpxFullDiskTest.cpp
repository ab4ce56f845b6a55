// SPDX-License-Identifier: GPL-3.0-or-later
#include <QProcess>

#include "../view/ViewFixture.h"
#include "GpxTestSupport.h"
#include "TmpfsVolume.h"
#include "interchange/Gpx.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"

namespace {

constexpr qint64 kPage = 4096;

class GpxFullDisk : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        if (!volume.mounted()) {
            GTEST_SKIP() << volume.why();
        }
        CTarnLocation& l = view->Location();
        gpxtest::Calibrate(l);
        // Enough waypoints for a file of several pages.
        for (int i = 0; i < 150; ++i)
            l.mapPoints.AddPoint(10 + i * 12, 20 + i * 9, i % 5, i, QString("Spot %1").arg(i),
                                 "gravel bar along the drop-off");
        doc.SetModifiedFlag(false);
    }
    TmpfsVolume volume{512 * 1024};
};

// Export from the menu over an older export at every free size: the new
// file lands whole or the old one stays, with the disk-full message.
TEST_F(GpxFullDisk, MenuExportIsWholeOrRefused) {
    const QString path = volume.filePath("waypoints.gpx");
    const QByteArray old = "<gpx/>\n";
    const QByteArray fresh = gpx::WriteGpx(view->Location());
    ASSERT_GT(fresh.size(), 3 * kPage);
    ExpectSaveWholeOrRefused(volume, path, old, fresh,
                             [&] { ASSERT_TRUE(table.execute(cmd::ExportGpx)); });
}

// The command-line export says the same and fails with status 2.
TEST_F(GpxFullDisk, ToolExportFailsOnAFullDisk) {
    QTemporaryDir dir;
    const QString in = dir.filePath("lake.fnm");
    ASSERT_TRUE(testutil::WriteAll(in, gpxtest::LocationBytes(view->Location())));
    const QString out = volume.filePath("out.gpx");
    ASSERT_TRUE(testutil::WriteAll(out, "<gpx/>\n"));
    ASSERT_TRUE(volume.LeaveFree(0));
    QProcess fnm;
    fnm.start(FNM_BINARY, {"export-gpx", in, out});
    ASSERT_TRUE(fnm.waitForFinished(60000));
    EXPECT_EQ(fnm.exitCode(), 2);
    EXPECT_TRUE(QString::fromLocal8Bit(fnm.readAllStandardError()).contains(str::DiskFull));
    EXPECT_EQ(testutil::ReadAll(out), "<gpx/>\n");
}

}  // namespace
