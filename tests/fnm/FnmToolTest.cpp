// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "TestUtil.h"
#include "ToolRun.h"
#include "document/TarnLocation.h"
#include "framework/ArchiveBytes.h"
#include "resources/Strings.h"

using testutil::ReadAll;
using testutil::ToolRun;
using testutil::WriteAll;

namespace {

const QString kSample = QString(FM_SAMPLES_DIR) + "/millelacs.fnm";

ToolRun Fnm(const QStringList& args,
            const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    return testutil::RunTool(FNM_BINARY, args, env);
}

QByteArray Bytes(CTarnLocation& location) {
    return archivebytes::Store([&](CArchive& ar) { location.SerializeLocation(ar); });
}

// Every kind of content, with names that need more than ASCII.
QByteArray Drawn() {
    CTarnLocation l;
    l.zoom = 0.1;
    l.lat1 = 46.43;
    l.showRedLines = 0;
    auto entry = std::make_unique<CMapLocation>();
    entry->fileName = "C:\\Charts\\gone.jpg";
    entry->placement = RectL{0, 0, 1200, 900};
    entry->reserved1 = 7;
    l.maps.entries.push_back(std::move(entry));
    CUserInfoPoint& dock = l.userInfoPoints.AddNew();
    dock.name = QString::fromUtf8("Caf\u00e9 dock \u20ac5");
    dock.info = "line 1\r\nline \"2\"";
    dock.date.dayCount = 45123.75;
    dock.date.status = 1;
    CFreeHand& stroke = l.freeHands.AddNew();
    stroke.points = {{1, 2}, {3, 4}};
    stroke.ComputeBounds();
    l.lineDraws.reserved = 9;
    l.lineDraws.AddNew().points = {{5, 6}};
    l.rectElipDraws.AddNew(true).rect = RectL{40, 30, 10, 20};
    l.mapPoints.AddPoint(-5, 8, 4, -12, "Reef", "");
    return Bytes(l);
}

class FnmTool : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QTemporaryDir dir;
};

TEST_F(FnmTool, HelpListsEverySubcommand) {
    const ToolRun run = Fnm({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* usage :
         {"fnm info FILE [--json]", "fnm resave IN OUT", "fnm distance LAT1 LON1 LAT2 LON2"})
        EXPECT_TRUE(run.out.contains(usage)) << usage;
}

TEST_F(FnmTool, WrongCommandLines) {
    for (const QStringList& args :
         {QStringList{}, QStringList{"frobnicate"}, QStringList{"info"},
          QStringList{"resave", "a.fnm"}, QStringList{"distance", "44", "93", "45"},
          QStringList{"distance", "44", "93", "north", "93"}}) {
        const ToolRun run = Fnm(args);
        EXPECT_EQ(run.status, 64) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains("usage")) << args.join(' ').toStdString();
    }
}

struct DistanceCase {
    QStringList args;
    double miles;
};

TEST_F(FnmTool, DistanceInStatuteMiles) {
    // WGS 84 geodesics, as GeodSolve -i gives them, in statute miles.
    const DistanceCase cases[] = {
        {{"44", "93", "45", "93"}, 69.048015},
        {{"44", "93", QString::number(44 + 1 / 60.0, 'g', 17), "93"}, 1.150701},
        {{"44", "93", "44", QString::number(93 + 1 / 60.0, 'g', 17)}, 0.830630},
        {{"0", "0", "1", "0"}, 68.707740},
        {{"46.43", "93.86", "46.43", "93.86"}, 0.0},
    };
    for (const DistanceCase& c : cases) {
        const ToolRun run = Fnm(QStringList{"distance"} << c.args);
        ASSERT_EQ(run.status, 0);
        const QString text = run.out.trimmed();
        EXPECT_EQ(text.size() - text.indexOf('.') - 1, 6) << text.toStdString();
        EXPECT_NEAR(text.toDouble(), c.miles, 0.0000015) << text.toStdString();
    }
    EXPECT_EQ(Fnm({"distance", "44", "93", "44", "93"}).out, "0.000000\n");
}

TEST_F(FnmTool, RunsWithoutADisplay) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(name);
    const ToolRun run = Fnm({"info", kSample}, env);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("Map points: 8"));
}

TEST_F(FnmTool, InfoJsonOfTheSample) {
    const ToolRun run = Fnm({"info", kSample, "--json"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("\"lon1\":93.86,\"lon2\":93.38,\"lat1\":46.43,\"lat2\":46.05"));
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    // The members, in this order.
    const char* const members[] = {"zoom",          "calibration",    "layers",    "extent",
                                   "maps",          "userInfoPoints", "freeHands", "lineDraws",
                                   "rectElipDraws", "mapPoints"};
    EXPECT_EQ(o.keys().size(), int(std::size(members)));
    qsizetype previous = -1;
    for (const char* member : members) {
        const qsizetype at = run.out.indexOf(QString("\"%1\":").arg(member));
        EXPECT_GT(at, previous) << member;
        previous = at;
    }
    EXPECT_EQ(o["zoom"].toDouble(), 1.0);
    EXPECT_EQ(o["calibration"]["x2"].toDouble(), 1600);
    EXPECT_EQ(o["calibration"]["y2"].toDouble(), 1824);
    EXPECT_EQ(o["layers"]["showMaps"].toInt(), 1);
    EXPECT_EQ(o["extent"].toArray(), (QJsonArray{1600, 1824}));
    const QJsonArray maps = o["maps"].toArray();
    ASSERT_EQ(maps.size(), 2);
    EXPECT_EQ(maps[1]["fileName"].toString(), "millelacs-east.jpg");
    EXPECT_EQ(maps[1]["placement"].toArray(), (QJsonArray{800, 0, 1600, 1824}));
    EXPECT_TRUE(maps[1]["loaded"].toBool());
    EXPECT_EQ(maps[1]["width"].toInt(), 800);
    EXPECT_EQ(maps[1]["height"].toInt(), 1824);
    EXPECT_EQ(o["userInfoPoints"].toArray().size(), 3);
    EXPECT_EQ(o["userInfoPoints"][0]["name"].toString(), "Garrison launch");
    const QJsonArray points = o["mapPoints"].toArray();
    ASSERT_EQ(points.size(), 8);
    EXPECT_EQ(points[0]["name"].toString(), "Garrison");
    EXPECT_EQ(points[0]["type"].toInt(), 3);
    EXPECT_EQ(o["freeHands"]["penColor"].toInt(), 180);
    EXPECT_TRUE(o["lineDraws"]["items"].toArray().isEmpty());
}

TEST_F(FnmTool, InfoJsonOfEveryKindOfContent) {
    ASSERT_TRUE(WriteAll(Path("drawn.fnm"), Drawn()));
    const ToolRun run = Fnm({"info", "--json", Path("drawn.fnm")});
    ASSERT_EQ(run.status, 0) << "a missing image is no failure";
    EXPECT_TRUE(run.err.contains(QString(str::ImageNotFound).arg("C:\\Charts\\gone.jpg")));
    EXPECT_TRUE(run.out.contains("\"zoom\":0.1,"));
    const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8()).object();
    ASSERT_FALSE(o.isEmpty());
    const QJsonObject map = o["maps"][0].toObject();
    EXPECT_EQ(map["fileName"].toString(), "C:\\Charts\\gone.jpg");
    EXPECT_FALSE(map["loaded"].toBool());
    EXPECT_EQ(map["reserved1"].toInt(), 7);
    EXPECT_EQ(o["extent"].toArray(), (QJsonArray{1200, 1000}));
    EXPECT_EQ(o["layers"]["showRedLines"].toInt(), 0);
    const QJsonObject dock = o["userInfoPoints"][0].toObject();
    EXPECT_EQ(dock["name"].toString(), QString::fromUtf8("Caf\u00e9 dock \u20ac5"));
    EXPECT_EQ(dock["info"].toString(), "line 1\r\nline \"2\"");
    EXPECT_EQ(dock["iconId"].toInt(), 5030);
    EXPECT_EQ(dock["position"].toArray(), (QJsonArray{20, 20}));
    EXPECT_EQ(dock["date"].toDouble(), 45123.75);
    EXPECT_EQ(dock["dateStatus"].toInt(), 1);
    const QJsonObject stroke = o["freeHands"]["items"][0].toObject();
    EXPECT_EQ(stroke["bounds"].toArray(), (QJsonArray{-1, 0, 5, 6}));
    EXPECT_EQ(stroke["points"].toArray(), (QJsonArray{QJsonArray{1, 2}, QJsonArray{3, 4}}));
    EXPECT_EQ(o["lineDraws"]["reserved"].toInt(), 9);
    EXPECT_EQ(o["lineDraws"]["items"][0]["bounds"].toArray(), (QJsonArray{0, 0, 0, 0}));
    const QJsonObject ellipse = o["rectElipDraws"]["items"][0].toObject();
    EXPECT_EQ(ellipse["rect"].toArray(), (QJsonArray{40, 30, 10, 20}));
    EXPECT_EQ(ellipse["isEllipse"].toInt(), 1);
    EXPECT_EQ(ellipse["penWidth"].toInt(), 2);
    const QJsonObject reef = o["mapPoints"][0].toObject();
    EXPECT_EQ(reef["position"].toArray(), (QJsonArray{-5, 8}));
    EXPECT_EQ(reef["elevation"].toInt(), -12);
}

TEST_F(FnmTool, ResaveGivesBackTheSameBytes) {
    // Beside its images, so its relative map names stay as they are.
    for (const QString& name : QDir(FM_SAMPLES_DIR).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(QDir(FM_SAMPLES_DIR).filePath(name), Path(name)));
    const QString copy = Path("millelacs.fnm");
    const ToolRun sample = Fnm({"resave", copy, Path("sample.fnm")});
    EXPECT_EQ(sample.status, 0) << sample.err.toStdString();
    EXPECT_EQ(ReadAll(Path("sample.fnm")), ReadAll(kSample));

    ASSERT_TRUE(WriteAll(Path("drawn.fnm"), Drawn()));
    const ToolRun drawn = Fnm({"resave", Path("drawn.fnm"), Path("again.fnm")});
    EXPECT_EQ(drawn.status, 0);
    EXPECT_EQ(ReadAll(Path("again.fnm")), Drawn()) << "a missing image is written back unchanged";

    // Over an existing file too.
    ASSERT_TRUE(WriteAll(Path("over.fnm"), "old"));
    EXPECT_EQ(Fnm({"resave", copy, Path("over.fnm")}).status, 0);
    EXPECT_EQ(ReadAll(Path("over.fnm")), ReadAll(kSample));
}

TEST_F(FnmTool, ResaveOfAnImageWritesALocation) {
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(Path("pond.bmp"), "BMP"));
    ASSERT_EQ(Fnm({"resave", Path("pond.bmp"), Path("pond.fnm")}).status, 0);
    const ToolRun info = Fnm({"info", Path("pond.fnm"), "--json"});
    const QJsonObject o = QJsonDocument::fromJson(info.out.toUtf8()).object();
    EXPECT_EQ(o["maps"][0]["fileName"].toString(), Path("pond.bmp"));
    EXPECT_EQ(o["maps"][0]["placement"].toArray(), (QJsonArray{0, 0, 64, 48}));
    EXPECT_TRUE(o["maps"][0]["loaded"].toBool());
}

TEST_F(FnmTool, ReadFaultsExitOne) {
    const QByteArray good = ReadAll(kSample);
    for (int length : {1, 91, 92, 200, int(good.size()) - 1}) {
        ASSERT_TRUE(WriteAll(Path("cut.fnm"), good.left(length)));
        for (const char* command : {"info", "resave"}) {
            QStringList args{command, Path("cut.fnm")};
            if (QString(command) == "resave") args << Path("out.fnm");
            const ToolRun run = Fnm(args);
            EXPECT_EQ(run.status, 1) << command << " " << length;
            EXPECT_TRUE(run.err.contains(str::UnexpectedFileFormat)) << length;
            EXPECT_TRUE(run.out.isEmpty());
        }
    }
    EXPECT_FALSE(QFile::exists(Path("out.fnm")));
}

TEST_F(FnmTool, FileFaultsExitTwo) {
    const ToolRun missing = Fnm({"info", Path("gone.fnm")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains(QString(str::FileNotFound).arg(Path("gone.fnm"))));

    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.fnm"));
    const ToolRun folderIn = Fnm({"info", Path("folder.fnm")});
    EXPECT_EQ(folderIn.status, 2);

    const ToolRun folderOut = Fnm({"resave", kSample, Path("folder.fnm")});
    EXPECT_EQ(folderOut.status, 2);
    EXPECT_TRUE(folderOut.err.contains(QString(str::NotAFile).arg(Path("folder.fnm"))));

    const ToolRun nowhere = Fnm({"resave", kSample, Path("no/such/dir/x.fnm")});
    EXPECT_EQ(nowhere.status, 2);

    // Never a location under an image's name: the image stays as it was.
    ASSERT_TRUE(WriteAll(Path("chart.jpg"), "precious"));
    const ToolRun image = Fnm({"resave", kSample, Path("chart.jpg")});
    EXPECT_EQ(image.status, 2);
    EXPECT_EQ(ReadAll(Path("chart.jpg")), "precious");
}

}  // namespace
