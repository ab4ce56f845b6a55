// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <limits>

#include "GpxTestSupport.h"
#include "TestUtil.h"
#include "interchange/Gpx.h"
#include "points/MapPoint.h"
#include "resources/Strings.h"

namespace {

using gpxtest::CalibratedLocation;
using gpxtest::Gpx;

// A pixel of the test location as GPX writes it: 5000 pixels a degree.
QByteArray At(const char* element, int x, int y) {
    return QString("<%1 lat=\"%2\" lon=\"%3\"/>")
        .arg(element)
        .arg(46.40 - y / 5000.0, 0, 'f', 7)
        .arg(-(93.80 - x / 5000.0), 0, 'f', 7)
        .toUtf8();
}

TEST(GpxAltitude, FeetGoOutAsExactMetresAndComeBackRounded) {
    const struct {
        int32_t feet;
        const char* metres;
    } cases[] = {
        {0, "0"},
        {1, "0.3048"},
        {10, "3.048"},
        {12, "3.6576"},
        {1251, "381.3048"},
        {-3, "-0.9144"},
        {40000, "12192"},
        {-282, "-85.9536"},
        {std::numeric_limits<int32_t>::max(), "654553015.6056"},
        {std::numeric_limits<int32_t>::min(), "-654553015.9104"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.feet);
        EXPECT_EQ(gpx::FeetToMetresText(c.feet), c.metres);
        EXPECT_EQ(gpx::MetresToFeet(QString(c.metres).toDouble()), c.feet);
    }
    const struct {
        double metres;
        int32_t feet;
    } readings[] = {
        {381.0, 1250},
        {381.3, 1251},
        {12.6, 41},
        {-0.1, 0},
        {0.1524, 1},  // half a foot rounds away from zero
        {1e300, std::numeric_limits<int32_t>::max()},
        {-1e300, std::numeric_limits<int32_t>::min()},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& r : readings) EXPECT_EQ(gpx::MetresToFeet(r.metres), r.feet) << r.metres;
}

TEST(GpxAltitude, ImportedElevationsAreFeet) {
    auto l = CalibratedLocation();
    gpx::AddParsed(*l, gpx::ParseGpx(Gpx("<wpt lat=\"46.25\" lon=\"-93.6\"><ele>381.3</ele></wpt>"
                                         "<wpt lat=\"46.25\" lon=\"-93.6\"><ele>-2</ele>"
                                         "<type>Water</type></wpt>")));
    ASSERT_EQ(l->userInfoPoints.points.size(), 1u);
    EXPECT_EQ(l->userInfoPoints.points[0]->altitude, 1251);
    ASSERT_EQ(l->mapPoints.items.size(), 1u);
    EXPECT_EQ(l->mapPoints.items[0]->elevation, -7);
}

// Every kind of drawing, written and read back into an empty location.
struct Drawn {
    std::unique_ptr<CTarnLocation> source = CalibratedLocation();
    std::unique_ptr<CTarnLocation> target = CalibratedLocation();
    gpx::ImportReport report;
    QByteArray bytes;

    Drawn() {
        source->lineDraws.AddNew().points = {{10, 10}, {500, 600}, {1000, 20}};
        source->rectElipDraws.AddNew(false).rect = RectL{900, 700, 100, 200};  // dragged up-left
        source->rectElipDraws.AddNew(true).rect = RectL{200, 300, 600, 500};
        CFreeHand& stroke = source->freeHands.AddNew();
        stroke.points = {{30, 40}, {31, 42}, {33, 45}, {40, 41}};
        stroke.ComputeBounds();
        CFreeHand& dot = source->freeHands.AddNew();
        dot.points = {{1500, 1200}};
        dot.ComputeBounds();
        source->mapPoints.AddPoint(300, 300, -1, 12, "Untyped", "");
        source->mapPoints.AddPoint(400, 300, 7, 0, "Seventh", "");
        bytes = gpx::WriteGpx(*source);
        report = gpx::AddParsed(*target, gpx::ParseGpx(bytes));
    }
};

TEST(GpxPaths, EveryDrawingComesBackIn) {
    const Drawn d;
    EXPECT_TRUE(d.report.problems.isEmpty()) << d.report.Message();
    EXPECT_EQ(d.report.Skipped(), 0) << d.report.Message();
    EXPECT_EQ(d.report.routes.added, 3) << "the polyline, the rectangle and the ellipse";
    EXPECT_EQ(d.report.segments.added, 2);
    EXPECT_EQ(d.report.waypoints.added, 2);

    const auto& lines = d.target->lineDraws.items;
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0]->points, d.source->lineDraws.items[0]->points);
    EXPECT_EQ(lines[1]->points,
              (std::vector<QPoint>{{900, 700}, {100, 700}, {100, 200}, {900, 200}, {900, 700}}))
        << "a rectangle is its closed outline";
    const std::vector<QPoint>& ellipse = lines[2]->points;
    ASSERT_EQ(ellipse.size(), 37u);
    EXPECT_EQ(ellipse.front(), ellipse.back()) << "closed";
    EXPECT_EQ(ellipse[0], QPoint(600, 400));
    EXPECT_EQ(ellipse[9], QPoint(400, 500));
    EXPECT_EQ(ellipse[18], QPoint(200, 400));
    EXPECT_EQ(ellipse[27], QPoint(400, 300));
    for (const QPoint& p : ellipse) {
        const double u = (p.x() - 400) / 200.0;
        const double v = (p.y() - 400) / 100.0;
        EXPECT_NEAR(u * u + v * v, 1.0, 0.02) << p.x() << "," << p.y();
    }
    for (const auto& line : lines) {
        EXPECT_EQ(line->penWidth, 2) << "the list's current pen";
        EXPECT_EQ(line->penColor, 180u);
    }

    const auto& strokes = d.target->freeHands.items;
    ASSERT_EQ(strokes.size(), 2u);
    for (size_t i = 0; i < strokes.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(strokes[i]->points, d.source->freeHands.items[i]->points);
        EXPECT_EQ(strokes[i]->bounds, d.source->freeHands.items[i]->bounds)
            << "bounds computed, so the stroke is drawn";
    }

    const auto& points = d.target->mapPoints.items;
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0]->type, -1);
    EXPECT_EQ(points[0]->elevation, 12);
    EXPECT_EQ(points[1]->type, 7);
    EXPECT_TRUE(d.target->userInfoPoints.points.empty());
}

TEST(GpxPaths, TypesOutsideTheFiveAreWrittenAsTheirNumbers) {
    const Drawn d;
    EXPECT_TRUE(
        d.bytes.contains("<name>Untyped</name>\n    <sym>Block, Green</sym>\n"
                         "    <type>-1</type>"))
        << d.bytes.toStdString();
    EXPECT_TRUE(d.bytes.contains("<type>7</type>"));
    EXPECT_FALSE(d.bytes.contains("<type>Water</type>"));
    for (const char* name : {"Line 1", "Rectangle 1", "Ellipse 1", "Stroke 1", "Stroke 2"})
        EXPECT_TRUE(d.bytes.contains(QByteArray("<name>") + name + "</name>")) << name;
}

struct PathCase {
    const char* what;
    QByteArray points;
    int added;
    int quarter;
    int outside;
    int empty;
};

const PathCase kPathCases[] = {
    {"inside", At("P", 10, 10) + At("P", 1990, 1490), 1, 0, 0, 0},
    {"one point", At("P", 700, 700), 1, 0, 0, 0},
    {"no points", "", 0, 0, 0, 1},
    {"one point beyond the maps", At("P", 10, 10) + At("P", 2100, 10), 0, 0, 1, 0},
    {"on the right edge", At("P", 10, 10) + At("P", 2000, 10), 0, 0, 1, 0},
    {"one point south of the equator",
     At("P", 10, 10) + "<P lat=\"-1\" lon=\"-93.6\"/>" + At("P", 2100, 10), 0, 1, 0, 0},
    {"one point east of Greenwich", "<P lat=\"46.2\" lon=\"1\"/>" + At("P", 10, 10), 0, 1, 0, 0},
};

TEST(GpxPaths, RoutesAndTrackSegmentsAreTakenWholeOrSkippedWhole) {
    for (const PathCase& c : kPathCases) {
        for (const bool track : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (track ? " (track)" : " (route)"));
            QByteArray points = c.points;
            points.replace("<P ", track ? "<trkpt " : "<rtept ");
            const QByteArray body =
                track ? "<trk><name>t</name><trkseg>" + points + "</trkseg></trk>\n"
                      : "<rte><name>r</name>" + points + "</rte>\n";
            auto l = CalibratedLocation();
            const gpx::ImportReport report = gpx::AddParsed(*l, gpx::ParseGpx(Gpx(body)));
            const gpx::Counts& counts = track ? report.segments : report.routes;
            const gpx::Counts& other = track ? report.routes : report.segments;
            EXPECT_EQ(counts.added, c.added);
            EXPECT_EQ(counts.skippedQuarter, c.quarter);
            EXPECT_EQ(counts.skippedOutside, c.outside);
            EXPECT_EQ(counts.skippedEmpty, c.empty);
            EXPECT_EQ(other.Offered(), 0);
            EXPECT_EQ(report.waypoints.Offered(), 0);
            EXPECT_TRUE(report.problems.isEmpty()) << report.Message();
            EXPECT_EQ(l->freeHands.items.size(), track ? size_t(c.added) : 0u);
            EXPECT_EQ(l->lineDraws.items.size(), track ? 0u : size_t(c.added));
        }
    }
}

TEST(GpxPaths, OneMessageCountsEachKind) {
    const QByteArray body =
        At("wpt", 100, 100) + "<wpt lat=\"47\" lon=\"-93.6\"/>" + "<rte>" + At("rtept", 5, 5) +
        At("rtept", 50, 50) + "</rte><rte/><rte><rtept lat=\"-3\" lon=\"-93\"/></rte>" +
        "<trk><trkseg>" + At("trkpt", 9, 9) + "</trkseg><trkseg>" + At("trkpt", 9, 9) +
        At("trkpt", 2500, 9) + "</trkseg><trkseg>" + At("trkpt", 19, 19) + "</trkseg></trk>";
    auto l = CalibratedLocation();
    const gpx::ImportReport report = gpx::AddParsed(*l, gpx::ParseGpx(Gpx(body)));
    EXPECT_EQ(report.Message(),
              "1 waypoint(s) added.\n"
              "1 skipped: outside the allowed mapping area.\n"
              "1 route(s) added as lines.\n"
              "1 skipped: south of the equator or east of Greenwich.\n"
              "1 skipped: no points.\n"
              "2 track segment(s) added as free-hand strokes.\n"
              "1 skipped: outside the allowed mapping area.");
    EXPECT_EQ(report.Added(), 4);
    EXPECT_EQ(report.Skipped(), 4);

    // Without waypoints the message starts with what the file did hold.
    auto m = CalibratedLocation();
    EXPECT_EQ(
        gpx::AddParsed(*m, gpx::ParseGpx(Gpx("<rte>" + At("rtept", 5, 5) + "</rte>"))).Message(),
        "1 route(s) added as lines.");
}

TEST(GpxPaths, VersionsNamespacesCdataAndExtensions) {
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"GPX 1.0", "<gpx version=\"1.0\" xmlns=\"http://www.topografix.com/GPX/1/0\">" +
                        At("wpt", 5, 5) + "<rte><name><![CDATA[Drift <1>]]></name>" +
                        At("rtept", 5, 5) + At("rtept", 6, 6) + "</rte><trk><trkseg>" +
                        At("trkpt", 7, 7) + "</trkseg></trk></gpx>"},
        {"no namespace", "<gpx>" + At("wpt", 5, 5) + "<rte>" + At("rtept", 5, 5) +
                             At("rtept", 6, 6) + "</rte><trk><trkseg>" + At("trkpt", 7, 7) +
                             "</trkseg></trk></gpx>"},
        {"prefixed", "<g:gpx xmlns:g=\"http://www.topografix.com/GPX/1/1\">" + At("g:wpt", 5, 5) +
                         "<g:rte>" + At("g:rtept", 5, 5) + At("g:rtept", 6, 6) +
                         "</g:rte><g:trk><g:trkseg>" + At("g:trkpt", 7, 7) +
                         "</g:trkseg></g:trk></g:gpx>"},
        {"extensions everywhere",
         "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" xmlns:x=\"urn:x\"><metadata>"
         "<extensions><x:colour>red</x:colour></extensions></metadata>" +
             At("wpt", 5, 5) + "<rte><extensions><x:rtept lat=\"1\" lon=\"1\"/></extensions>" +
             At("rtept", 5, 5) +
             "<rtept lat=\"46.3988\" lon=\"-93.7988\"><ele>3</ele><extensions><x:d>1</x:d>"
             "</extensions></rtept></rte><trk><name>t</name><extensions/><trkseg>" +
             At("trkpt", 7, 7) + "<extensions/></trkseg></trk></gpx>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto l = CalibratedLocation();
        const gpx::ImportReport report = gpx::AddParsed(*l, gpx::ParseGpx(c.bytes));
        EXPECT_TRUE(report.problems.isEmpty()) << report.Message();
        EXPECT_EQ(report.waypoints.added, 1);
        EXPECT_EQ(report.routes.added, 1);
        EXPECT_EQ(report.segments.added, 1);
        ASSERT_EQ(l->lineDraws.items.size(), 1u);
        EXPECT_EQ(l->lineDraws.items[0]->points, (std::vector<QPoint>{{5, 5}, {6, 6}}));
        ASSERT_EQ(l->freeHands.items.size(), 1u);
        EXPECT_EQ(l->freeHands.items[0]->points, (std::vector<QPoint>{{7, 7}}));
    }
}

TEST(GpxPaths, DamageInsideARouteOrTrack) {
    auto l = CalibratedLocation();
    // A point without a position is reported and left out; the rest stays.
    gpx::ImportReport report = gpx::AddParsed(
        *l, gpx::ParseGpx(Gpx("<rte>\n" + At("rtept", 5, 5) + "\n<rtept lat=\"x\"/>\n" +
                              At("rtept", 8, 8) + "</rte>\n")));
    EXPECT_EQ(report.problems, QStringList{"line 5: a point without a valid lat and lon"});
    ASSERT_EQ(l->lineDraws.items.size(), 1u);
    EXPECT_EQ(l->lineDraws.items[0]->points, (std::vector<QPoint>{{5, 5}, {8, 8}}));

    // A file broken off inside a segment keeps what came before it only.
    const QByteArray whole = Gpx("<rte>" + At("rtept", 5, 5) + "</rte>\n<trk><trkseg>" +
                                 At("trkpt", 6, 6) + "</trkseg><trkseg>" + At("trkpt", 7, 7));
    auto m = CalibratedLocation();
    report = gpx::AddParsed(*m, gpx::ParseGpx(whole.left(whole.lastIndexOf("</gpx>"))));
    EXPECT_EQ(report.routes.added, 1);
    EXPECT_EQ(report.segments.added, 1);
    ASSERT_EQ(report.problems.size(), 1);
    EXPECT_EQ(m->freeHands.items.size(), 1u);
}

TEST(GpxPaths, PointsBeyondTheLimitAreNotRead) {
    const QByteArray body = At("wpt", 5, 5) + "<rte>" + At("rtept", 5, 5) + At("rtept", 6, 6) +
                            "</rte>\n<trk><trkseg>" + At("trkpt", 6, 6) + At("trkpt", 7, 7) +
                            "</trkseg></trk>";
    const struct {
        int limit;
        int waypoints;
        int routes;
        int segments;
    } cases[] = {{5, 1, 1, 1}, {4, 1, 1, 0}, {2, 1, 0, 0}, {0, 0, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.limit);
        const gpx::ParsedGpx parsed = gpx::ParseGpx(Gpx(body), c.limit);
        EXPECT_EQ(int(parsed.waypoints.size()), c.waypoints);
        EXPECT_EQ(int(parsed.routes.size()), c.routes);
        EXPECT_EQ(int(parsed.segments.size()), c.segments);
        if (c.limit < 5) {
            ASSERT_EQ(parsed.problems.size(), 1);
            EXPECT_TRUE(parsed.problems[0].endsWith(
                QString("more than %1 points; the rest is not read").arg(c.limit)))
                << parsed.problems[0];
        } else {
            EXPECT_TRUE(parsed.problems.isEmpty());
        }
    }
    EXPECT_EQ(gpx::kMaxPoints, 1000000);
}

class GpxSource : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Path(const char* name) const { return QDir(dir.path()).filePath(name); }
    QTemporaryDir dir;
};

TEST_F(GpxSource, OnlyRegularFilesWithinTheLimitAreRead) {
    ASSERT_TRUE(testutil::WriteAll(Path("in.gpx"), Gpx(At("wpt", 5, 5))));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe.gpx")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.gpx"));
    {
        // Sparse: costs no disk.
        QFile big(Path("big.gpx"));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(gpx::kMaxFileBytes + 1));
    }
    const struct {
        QString path;
        gpx::Source source;
        QString problem;
    } cases[] = {
        {Path("in.gpx"), gpx::Source::Read, ""},
        {Path("pipe.gpx"), gpx::Source::NotRegular,
         Path("pipe.gpx") + ": only regular files are read."},
        {"/dev/zero", gpx::Source::NotRegular, "/dev/zero: only regular files are read."},
        {"/dev/null", gpx::Source::NotRegular, "/dev/null: only regular files are read."},
        {Path("folder.gpx"), gpx::Source::NotRegular,
         Path("folder.gpx") + ": only regular files are read."},
        {Path("big.gpx"), gpx::Source::TooLarge,
         Path("big.gpx") + ": a GPX file may have at most 64 MB."},
        {Path("missing.gpx"), gpx::Source::CannotOpen,
         "Unable to open " + Path("missing.gpx") + "."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const gpx::SourceBytes read = gpx::ReadGpxFile(c.path);
        EXPECT_EQ(read.source, c.source);
        if (c.source != gpx::Source::Read) {
            EXPECT_TRUE(read.bytes.isEmpty());
            EXPECT_EQ(gpx::SourceProblem(read.source, c.path).remove("Unable to open "),
                      QString(c.problem).remove("Unable to open "));
            EXPECT_TRUE(gpx::SourceProblem(read.source, c.path).startsWith("Unable to open "));
        }

        // The import says the same and adds nothing.
        auto l = CalibratedLocation();
        const gpx::ImportReport report = gpx::ImportGpx(*l, c.path);
        EXPECT_EQ(report.readable, c.source == gpx::Source::Read);
        if (c.source != gpx::Source::Read) {
            EXPECT_EQ(report.problems, QStringList{gpx::SourceProblem(c.source, c.path)});
            EXPECT_EQ(report.Added(), 0);
        }
    }
    EXPECT_EQ(gpx::ReadGpxFile(Path("in.gpx")).bytes, Gpx(At("wpt", 5, 5)));
}

}  // namespace
