// SPDX-License-Identifier: GPL-3.0-or-later
// fnm gps-log against a receiver played by socat, read back by gpsbabel.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cmath>

#include "NmeaPlayer.h"
#include "TestUtil.h"
#include "ToolRun.h"

namespace {

testutil::ToolRun Fnm(const QStringList& args) {
    return testutil::RunTool(FNM_BINARY, args);
}

TEST(GpsLogTool, RecordsTheLoopAsAGpxTrack) {
    const QString socat = QStandardPaths::findExecutable("socat");
    const QString gpsbabel = QStandardPaths::findExecutable("gpsbabel");
    if (socat.isEmpty() || gpsbabel.isEmpty()) GTEST_SKIP() << "socat or gpsbabel is not installed";
    QTemporaryDir dir;
    const QString port = dir.filePath("receiver");
    // The receiver starts talking a moment after the port appears.
    QProcess receiver;
    receiver.start(socat, {"pty,raw,echo=0,link=" + port, "SYSTEM:sleep 0.5; cat " FM_TESTDATA_DIR
                                                          "/gps/millelacs-loop.nmea; sleep 30"});
    ASSERT_TRUE(receiver.waitForStarted());
    for (int i = 0; i < 100 && !QFileInfo::exists(port); ++i) QThread::msleep(20);
    ASSERT_TRUE(QFileInfo::exists(port));

    const QString out = dir.filePath("Øvre Sjø 湖.gpx");
    const testutil::ToolRun run = Fnm({"gps-log", "--source", port, "--seconds", "2.5", out});
    receiver.kill();
    receiver.waitForFinished();
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.contains("from 300 fix(es)")) << run.out;

    QProcess babel;
    babel.start(gpsbabel, {"-t", "-i", "gpx", "-f", out, "-o", "unicsv,utc=0", "-F", "-"});
    ASSERT_TRUE(babel.waitForFinished(30000));
    const QStringList lines =
        QString::fromUtf8(babel.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 10) << babel.readAllStandardError().toStdString();
    const QStringList header = lines[0].split(',');
    const int latCol = header.indexOf("Latitude"), lonCol = header.indexOf("Longitude");
    const int eleCol = header.indexOf("Altitude");
    ASSERT_GE(latCol, 0);
    ASSERT_GE(lonCol, 0);
    const std::vector<GpsFix> fixes = LoopFixes();
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList f = lines[i].split(',');
        const double lat = f[latCol].toDouble(), lon = f[lonCol].toDouble();
        // Every track point is one of the receiver's fixes, elevation and all.
        auto it = std::find_if(fixes.begin(), fixes.end(), [&](const GpsFix& x) {
            return std::fabs(x.lat - lat) < 1e-6 && std::fabs(x.lon - lon) < 1e-6;
        });
        ASSERT_NE(it, fixes.end()) << lines[i].toStdString();
        if (eleCol >= 0) EXPECT_NEAR(f[eleCol].toDouble(), it->elevation, 0.05);
    }
    // The loop's two ends are there.
    EXPECT_TRUE(lines[1].contains("46.250000")) << lines[1].toStdString();
}

TEST(GpsLogTool, FailuresHaveTheirExitStatus) {
    QTemporaryDir dir;
    const QString out = dir.filePath("t.gpx");
    struct Case {
        QStringList args;
        int status;
    } cases[] = {
        {{"gps-log", "--source", dir.filePath("no-such-port"), "--seconds", "1", out}, 2},
        {{"gps-log", "--source", "gpsd", "--address", "localhost:1", "--seconds", "1.5", out}, 2},
        {{"gps-log", "--source", "gpsd", "--address", "localhost:99999", "--seconds", "1", out},
         64},
        {{"gps-log", "--source", "gpsd", "--seconds", "-1", out}, 64},
        {{"gps-log", "--source", "gpsd", out}, 64},
        {{"gps-log", "--seconds", "1", out}, 64},
        {{"gps-log", "--source", "gpsd", "--seconds", "1"}, 64},
    };
    for (const Case& c : cases) {
        const testutil::ToolRun run = Fnm(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.join(' ').toStdString() << run.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out));
    }
}

}  // namespace
