// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "TestUtil.h"
#include "ToolRun.h"

using testutil::ToolRun;

namespace {

const QString kData = QStringLiteral(FM_TESTDATA_DIR "/georef/");

ToolRun Fnm(const QStringList& args) {
    return testutil::RunTool(FNM_BINARY, args);
}

TEST(FnmGeoref, InfoReportsTheGeoreferenceFound) {
    struct Case {
        QString file;
        const char* expected;
    } cases[] = {
        {kData + "millelacs.tif", "georeference: GeoTIFF tags, WGS 84\n"},
        {kData + "millelacs-utm15n.tif", "GeoTIFF tags, WGS 84 / UTM zone 15N"},
        {kData + "east-quarter.jpeg", "world file east-quarter.jgw with east-quarter.prj"},
        {kData + "east-ozi.jpg", "OziExplorer map east-ozi.map"},
        {QString(FM_SAMPLES_DIR "/millelacs-west.jpg"), "Georeference: none\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        const ToolRun run = Fnm({"info", c.file});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(c.expected)) << run.out.toStdString();
    }
    const ToolRun tif = Fnm({"info", kData + "millelacs.tif"});
    EXPECT_TRUE(tif.out.contains("pixel (1600, 1824) = N 46.0500000 W 93.3800000"))
        << tif.out.toStdString();
    EXPECT_TRUE(tif.err.isEmpty()) << tif.err.toStdString();
    const ToolRun utm = Fnm({"info", kData + "millelacs-utm15n.tif"});
    EXPECT_TRUE(utm.out.contains("the projection bends")) << utm.out.toStdString();
    // A location file has no such line.
    EXPECT_FALSE(Fnm({"info", FM_SAMPLES_DIR "/millelacs.fnm"}).out.contains("Georeference"));
}

TEST(FnmGeoref, CalibrateWritesTheCalibratedLocation) {
    QTemporaryDir dir;
    const QString out = dir.filePath("Øvre Sjø 湖.fnm");
    const ToolRun run = Fnm({"calibrate", kData + "millelacs.tif", out});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const ToolRun info = Fnm({"info", out});
    EXPECT_TRUE(info.out.contains("calibration: pixel (0, 0) = N 46.43 W 93.86"))
        << info.out.toStdString();
    EXPECT_TRUE(info.out.contains("millelacs.tif\" at (0, 0, 1600, 1824) 1600 x 1824"))
        << info.out.toStdString();

    // Nothing to calibrate from, or nowhere to write: a failure, nothing written.
    QImage plain(10, 10, QImage::Format_RGB32);
    plain.fill(Qt::white);
    ASSERT_TRUE(plain.save(dir.filePath("plain.png")));
    ASSERT_TRUE(testutil::WriteAll(dir.filePath("bad.png"), QByteArray()));
    plain.save(dir.filePath("bad.png"));
    ASSERT_TRUE(testutil::WriteAll(dir.filePath("bad.pgw"), "0\n0\n0\n0\n1\n1\n"));
    struct Case {
        QStringList args;
        int status;
        const char* err;
    } cases[] = {
        {{"calibrate", dir.filePath("plain.png"), dir.filePath("a.fnm")}, 1, "has no georeference"},
        {{"calibrate", dir.filePath("bad.png"), dir.filePath("a.fnm")}, 1, "bad.pgw"},
        {{"calibrate", FM_SAMPLES_DIR "/millelacs.fnm", dir.filePath("a.fnm")},
         1,
         "is not a map image"},
        {{"calibrate", kData + "millelacs.tif", dir.filePath("a.png")}, 2, "not written under"},
        {{"calibrate", kData + "millelacs.tif"}, 64, "usage: fnm calibrate"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const ToolRun r = Fnm(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.err.contains(c.err)) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath("a.fnm")));
        EXPECT_FALSE(QFile::exists(dir.filePath("a.png")));
    }
}

}  // namespace
