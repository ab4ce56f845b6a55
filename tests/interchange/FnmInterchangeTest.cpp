// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>

#include "GpxTestSupport.h"
#include "TestUtil.h"
#include "ToolRun.h"
#include "interchange/Gpx.h"
#include "points/MapPoint.h"

namespace {

using testutil::ToolRun;

const QString kSample = QString(FM_SAMPLES_DIR) + "/millelacs.fnm";

ToolRun RunProgram(const QString& program, const QStringList& args) {
    return testutil::RunTool(program, args);
}

ToolRun Fnm(const QStringList& args) {
    return RunProgram(FNM_BINARY, args);
}

QPoint JsonPoint(const QJsonValue& v) {
    if (v.isArray()) return QPoint(v.toArray()[0].toInt(), v.toArray()[1].toInt());
    return QPoint(v.toObject()["x"].toInt(), v.toObject()["y"].toInt());
}

class FnmInterchange : public ::testing::Test {
public:
    QString Path(const QString& name) const { return dir.filePath(name); }

protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QTemporaryDir dir;
};

// A location with one map point of each type along a row, saved to name.
// Without maps a location read back spans the smallest extent, 1000 x 1000.
QString WriteRow(const FnmInterchange* t, const QString& name, bool layersOn) {
    auto l = gpxtest::CalibratedLocation();
    for (int type = 0; type < 5; ++type)
        l->mapPoints.AddPoint(100 + 180 * type, 400, type, 0, QString("P%1").arg(type), "");
    l->showMaps = l->showMapPoints = l->showRedLines = layersOn ? 1 : 0;
    const QString path = t->Path(name);
    testutil::WriteAll(path, gpxtest::LocationBytes(*l));
    return path;
}

TEST_F(FnmInterchange, HelpListsTheNewSubcommands) {
    const ToolRun run = Fnm({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* usage :
         {"fnm export-gpx FILE OUT.gpx", "fnm import-gpx FILE IN.gpx OUT.fnm",
          "fnm render FILE OUT.png|OUT.pdf [--x X --y Y --width W --height H] [--whole] [--scale "
          "N] [--pages N] [--overlap MM] [--landscape] [--paper SIZE] [--dpi DPI]"})
        EXPECT_TRUE(run.out.contains(usage)) << usage;
}

TEST_F(FnmInterchange, ExportThenImportThroughTheToolAddsEveryPoint) {
    const QString row = WriteRow(this, "row.fnm", true);
    const ToolRun exported = Fnm({"export-gpx", row, Path("row.gpx")});
    ASSERT_EQ(exported.status, 0) << exported.err;

    auto empty = gpxtest::CalibratedLocation();
    ASSERT_TRUE(testutil::WriteAll(Path("empty.fnm"), gpxtest::LocationBytes(*empty)));
    const ToolRun imported =
        Fnm({"import-gpx", Path("empty.fnm"), Path("row.gpx"), Path("filled.fnm")});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out,
              "added 5\nskipped 0\nwaypoints: 5 added, 0 skipped\nroutes: 0 added, 0 skipped\n"
              "track segments: 0 added, 0 skipped\n");
    EXPECT_EQ(testutil::ReadAll(Path("filled.fnm")), testutil::ReadAll(row))
        << "the same points at the same pixels, written as Save writes them";
}

TEST_F(FnmInterchange, ImportReportsSkipsAndDamage) {
    auto empty = gpxtest::CalibratedLocation();
    ASSERT_TRUE(testutil::WriteAll(Path("empty.fnm"), gpxtest::LocationBytes(*empty)));
    ASSERT_TRUE(
        testutil::WriteAll(Path("mixed.gpx"),
                           "<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
                           "<wpt lat=\"46.37\" lon=\"-93.76\"/>\n"
                           "<wpt lat=\"-46.25\" lon=\"-93.6\"/>\n"
                           "<wpt lat=\"47\" lon=\"-93.6\"/>\n"
                           "<wpt lat=\"46.2\" lon=\"-93.5\"><name>cut"));
    const ToolRun run = Fnm({"import-gpx", Path("empty.fnm"), Path("mixed.gpx"), Path("out.fnm")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.startsWith("added 1\nskipped 2\nwaypoints: 1 added, 2 skipped\n"))
        << run.out;
    EXPECT_TRUE(run.err.contains("1 skipped: south of the equator or east of Greenwich."))
        << run.err;
    EXPECT_TRUE(run.err.contains("1 skipped: outside the allowed mapping area.")) << run.err;
    EXPECT_TRUE(run.err.contains("Could not read:\nline 5: ")) << run.err;

    const ToolRun info = Fnm({"info", "--json", Path("out.fnm")});
    ASSERT_EQ(info.status, 0) << info.err;
    const QJsonObject json = QJsonDocument::fromJson(info.out.toUtf8()).object();
    EXPECT_EQ(json["userInfoPoints"].toArray().size(), 1) << "only the whole, placeable waypoint";
    EXPECT_EQ(json["mapPoints"].toArray().size(), 0);
}

TEST_F(FnmInterchange, WrongCommandLinesAndMissingFiles) {
    const struct {
        QStringList args;
        int status;
    } cases[] = {
        {{"export-gpx", kSample}, 64},
        {{"import-gpx", kSample, "in.gpx"}, 64},
        {{"render", kSample}, 64},
        {{"render", kSample, "out.png", "--width"}, 64},
        {{"render", kSample, "out.png", "--width", "wide"}, 64},
        {{"render", kSample, "out.png", "--depth", "3"}, 64},
        {{"render", kSample, "out.png", "--width", "0"}, 64},
        {{"export-gpx", "/nonexistent/a.fnm", "out.gpx"}, 2},
        {{"import-gpx", kSample, "/nonexistent/in.gpx", "out.fnm"}, 2},
        {{"render", "/nonexistent/a.fnm", "out.png"}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        EXPECT_EQ(Fnm(c.args).status, c.status);
    }
}

TEST_F(FnmInterchange, RenderRefusesAbsurdSizes) {
    const ToolRun run =
        Fnm({"render", kSample, Path("big.png"), "--width", "20001", "--height", "10"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains("20001 x 10")) << run.err;
    EXPECT_FALSE(QFile::exists(Path("big.png")));
}

TEST_F(FnmInterchange, RenderPaintsMapPointsInTheirTypeColours) {
    const QString row = WriteRow(this, "row.fnm", true);
    const ToolRun run = Fnm({"render", row, Path("row.png")});
    ASSERT_EQ(run.status, 0) << run.err;
    const QImage image(Path("row.png"));
    ASSERT_EQ(image.size(), QSize(1000, 1000));
    for (int type = 0; type < 5; ++type) {
        SCOPED_TRACE(type);
        const QColor colour = CMapPoint::TypeColor(type);
        for (const QPoint& d : {QPoint(0, 0), QPoint(-4, -4), QPoint(3, 3)})
            EXPECT_EQ(image.pixelColor(QPoint(100 + 180 * type, 400) + d), colour);
        EXPECT_EQ(image.pixelColor(100 + 180 * type, 410), QColor(Qt::white));
    }
}

TEST_F(FnmInterchange, RenderWithLayersOffIsWhite) {
    const QString row = WriteRow(this, "off.fnm", false);
    const ToolRun run = Fnm({"render", row, Path("off.png"), "--x", "50", "--y", "300", "--width",
                             "900", "--height", "200"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QImage image(Path("off.png"));
    ASSERT_EQ(image.size(), QSize(900, 200));
    for (int type = 0; type < 5; ++type)
        EXPECT_EQ(image.pixelColor(50 + 180 * type, 100), QColor(Qt::white)) << type;
}

TEST_F(FnmInterchange, RenderOfTheSampleShowsItsMapPoints) {
    const ToolRun info = Fnm({"info", "--json", kSample});
    ASSERT_EQ(info.status, 0) << info.err;
    const QJsonObject json = QJsonDocument::fromJson(info.out.toUtf8()).object();
    const QJsonArray mapPoints = json["mapPoints"].toArray();
    ASSERT_FALSE(mapPoints.isEmpty());

    const ToolRun run = Fnm({"render", kSample, Path("sample.png")});
    ASSERT_EQ(run.status, 0) << run.err;
    const QImage image(Path("sample.png"));
    ASSERT_FALSE(image.isNull());

    // Only squares nothing later is drawn over: no later map point near,
    // and no user point icon on it.
    QList<QRect> icons;
    for (const QJsonValue& u : json["userInfoPoints"].toArray())
        icons << QRect(JsonPoint(u.toObject()["position"]), QSize(16, 16));
    int checked = 0;
    for (qsizetype i = 0; i < mapPoints.size(); ++i) {
        const QJsonObject p = mapPoints[i].toObject();
        const QPoint at = JsonPoint(p["position"]);
        bool covered = false;
        for (qsizetype j = i + 1; j < mapPoints.size(); ++j) {
            const QPoint other = JsonPoint(mapPoints[j].toObject()["position"]);
            covered |= std::abs(other.x() - at.x()) <= 11 && std::abs(other.y() - at.y()) <= 11;
        }
        for (const QRect& icon : icons) covered |= icon.adjusted(-6, -6, 6, 6).contains(at);
        if (covered || !image.rect().contains(at)) continue;
        SCOPED_TRACE(p["name"].toString().toStdString());
        EXPECT_EQ(image.pixelColor(at), CMapPoint::TypeColor(p["type"].toInt()));
        ++checked;
    }
    EXPECT_GE(checked, 1);
}

TEST_F(FnmInterchange, GpsbabelReadsTheExportAndWritesWhatImports) {
    const QString gpsbabel = QStandardPaths::findExecutable("gpsbabel");
    if (gpsbabel.isEmpty()) GTEST_SKIP() << "gpsbabel is not installed";
    const QString row = WriteRow(this, "row.fnm", true);
    ASSERT_EQ(Fnm({"export-gpx", row, Path("row.gpx")}).status, 0);

    // Read by a real GPX reader into its comma-separated form:
    // No,Latitude,Longitude,Name,... with six decimals.
    const ToolRun csv = RunProgram(
        gpsbabel, {"-i", "gpx", "-f", Path("row.gpx"), "-o", "unicsv", "-F", Path("row.csv")});
    ASSERT_EQ(csv.status, 0) << csv.err;
    QStringList rows =
        QString::fromUtf8(testutil::ReadAll(Path("row.csv"))).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 6) << rows.join('\n');
    EXPECT_TRUE(rows.takeFirst().startsWith("No,Latitude,Longitude,Name"));
    for (int type = 0; type < 5; ++type) {
        SCOPED_TRACE(type);
        const QStringList fields = rows[type].trimmed().split(',');
        ASSERT_GE(fields.size(), 4);
        // Pixel (100 + 180 t, 400) through the test calibration.
        const double lat = 46.40 - 400 * 0.30 / 1500;
        const double lon = -(93.80 - (100 + 180 * type) * 0.40 / 2000);
        EXPECT_EQ(fields[1], QString::number(lat, 'f', 6));
        EXPECT_EQ(fields[2], QString::number(lon, 'f', 6));
        EXPECT_EQ(fields[3], QString("\"P%1\"").arg(type));
    }

    // And what gpsbabel writes as GPX comes in.
    const ToolRun back = RunProgram(
        gpsbabel, {"-i", "gpx", "-f", Path("row.gpx"), "-o", "gpx", "-F", Path("babel.gpx")});
    ASSERT_EQ(back.status, 0) << back.err;
    auto l = gpxtest::CalibratedLocation();
    const gpx::ImportReport report = gpx::ImportGpx(*l, Path("babel.gpx"));
    EXPECT_EQ(report.waypoints.added, 5) << report.Message();
    EXPECT_TRUE(report.problems.isEmpty()) << report.Message();
    ASSERT_EQ(l->mapPoints.items.size(), 5u);
    for (int type = 0; type < 5; ++type)
        EXPECT_EQ(l->mapPoints.items[type]->position, QPoint(100 + 180 * type, 400));
}

}  // namespace

namespace {

TEST_F(FnmInterchange, GpsbabelReadsAltitudesAsMetresAndEveryDrawing) {
    const QString gpsbabel = QStandardPaths::findExecutable("gpsbabel");
    if (gpsbabel.isEmpty()) GTEST_SKIP() << "gpsbabel is not installed";
    auto l = gpxtest::CalibratedLocation();
    const struct {
        int feet;
        const char* metres;  // as gpsbabel prints them, one decimal
    } altitudes[] = {{1251, "381.3"}, {0, "0.0"}, {-20, "-6.1"}, {3000, "914.4"}};
    for (const auto& a : altitudes) {
        CUserInfoPoint& p = l->userInfoPoints.AddNew();
        p.altitude = a.feet;
        p.position = QPoint(100, 100);
    }
    l->lineDraws.AddNew().points = {{10, 10}, {20, 20}};
    l->rectElipDraws.AddNew(true).rect = RectL{100, 100, 300, 200};
    l->freeHands.AddNew().points = {{30, 30}, {31, 33}, {35, 34}};
    const QString fnm = Path("drawn.fnm");
    ASSERT_TRUE(testutil::WriteAll(fnm, gpxtest::LocationBytes(*l)));
    ASSERT_EQ(Fnm({"export-gpx", fnm, Path("out.gpx")}).status, 0);

    const ToolRun csv =
        RunProgram(gpsbabel, {"-i", "gpx", "-f", Path("out.gpx"), "-o", "unicsv", "-F", "-"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    QStringList rows = csv.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 5) << csv.out;
    const QStringList header = rows.takeFirst().trimmed().split(',');
    const qsizetype altitude = header.indexOf("Altitude");
    ASSERT_GE(altitude, 0) << header.join(',');
    for (qsizetype i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].trimmed().split(',').value(altitude), altitudes[i].metres) << rows[i];

    // Routes and tracks as gpsbabel counts them: 2 + 37 route points, 3 track points.
    for (const auto& [flag, points] : {std::pair{"-r", 39}, std::pair{"-t", 3}}) {
        const ToolRun run = RunProgram(
            gpsbabel, {flag, "-i", "gpx", "-f", Path("out.gpx"), "-o", "unicsv", "-F", "-"});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out.split('\n', Qt::SkipEmptyParts).size(), points + 1) << flag << run.out;
    }
}

}  // namespace
