// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "TestUtil.h"
#include "ToolRun.h"

namespace {

using testutil::ToolRun;

const QString kSample = QString(FM_SAMPLES_DIR) + "/millelacs.fnm";

ToolRun Fnm(const QStringList& args, const QString& workingDirectory = QString()) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TZ", "UTC");
    return testutil::RunTool(FNM_BINARY, args, env, workingDirectory);
}

class FnmArguments : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QTemporaryDir dir;
};

TEST_F(FnmArguments, NumbersMustBeFiniteDecimalsInRange) {
    const struct {
        QStringList args;
        const char* message;  // empty: accepted
    } cases[] = {
        {{"bass", "-5", "12"},
         "fnm bass: LENGTH must be a decimal number from 0 to 100, not \"-5\""},
        {{"bass", "nan", "12"}, "LENGTH must be a decimal number from 0 to 100, not \"nan\""},
        {{"bass", "12", "inf"}, "GIRTH must be a decimal number from 0 to 100, not \"inf\""},
        {{"bass", "0x10", "12"}, "not \"0x10\""},
        {{"bass", "1e1", "12"}, "not \"1e1\""},
        {{"bass", "12", "101"}, "GIRTH must be a decimal number from 0 to 100"},
        {{"bass", "12", ""}, "not \"\""},
        {{"bass", "12", " 4"}, "not \" 4\""},
        {{"sun", "--lat", "1000", "--lon", "93", "--date", "2026-06-21"},
         "fnm sun: --lat must be a decimal number from -90 to 90, not \"1000\""},
        {{"sun", "--lat", "46", "--lon", "-inf", "--date", "2026-06-21"},
         "--lon must be a decimal number from -180 to 180"},
        {{"sun", "--lat=NaN", "--lon", "93", "--date", "2026-06-21"}, "not \"NaN\""},
        {{"distance", "nan", "93", "45", "93"},
         "fnm distance: LAT1 must be a decimal number from -90 to 90, not \"nan\""},
        {{"distance", "44", "93", "45", "180.5"}, "LON2 must be a decimal number from -180 to 180"},
        {{"distance", "44", "93", "91", "93"}, "LAT2 must be"},
        {{"bass", "0", "14"}, ""},
        {{"bass", "+18.", "14"}, ""},
        {{"bass", "100", ".5"}, ""},
        {{"sun", "--lat", "-33.9", "--lon", "-18.4", "--date", "2026-06-21"}, ""},
        {{"distance", "-44", "93", "45", "-180"}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const ToolRun run = Fnm(c.args);
        if (QString(c.message).isEmpty()) {
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_FALSE(run.out.isEmpty());
            continue;
        }
        EXPECT_EQ(run.status, 64);
        EXPECT_TRUE(run.out.isEmpty()) << "no number printed: " << run.out;
        EXPECT_TRUE(run.err.contains(c.message)) << run.err;
        EXPECT_TRUE(run.err.contains("usage: fnm " + c.args[0])) << run.err;
    }
}

TEST_F(FnmArguments, EveryWordIsFnmsOwn) {
    // Words Qt would have taken for itself reach fnm as operands.
    for (const char* name : {"-reverse", "-style", "-platform", "-qwindowgeometry", "-session"}) {
        SCOPED_TRACE(name);
        const ToolRun missing = Fnm({"info", name}, dir.path());
        EXPECT_EQ(missing.status, 2) << missing.err;
        EXPECT_TRUE(missing.err.contains(QString(name) + "\nCannot find this file."))
            << missing.err;
        ASSERT_TRUE(QFile::copy(kSample, Path(name)));
        const ToolRun found = Fnm({"info", name}, dir.path());
        EXPECT_EQ(found.status, 0) << found.err;
        EXPECT_TRUE(found.out.startsWith(QString("Location ") + name + "\n")) << found.out;
    }
}

TEST_F(FnmArguments, DoubleDashEndsTheOptions) {
    ASSERT_TRUE(QFile::copy(kSample, Path("--json")));
    const ToolRun plain = Fnm({"info", "--", "--json"}, dir.path());
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_TRUE(plain.out.startsWith("Location --json\n")) << plain.out;
    const ToolRun json = Fnm({"info", "--json", "--", "--json"}, dir.path());
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_TRUE(json.out.startsWith("{\"zoom\":")) << json.out;
    const ToolRun copied = Fnm({"resave", "--", "--json", "--help"}, dir.path());
    EXPECT_EQ(copied.status, 0) << copied.err;
    EXPECT_EQ(testutil::ReadAll(Path("--help")), testutil::ReadAll(kSample));
}

TEST_F(FnmArguments, WrongOptions) {
    const struct {
        QStringList args;
        const char* message;
    } cases[] = {
        {{"info", "--bogus", kSample}, "fnm info: unknown option --bogus"},
        {{"info", "--json", "--json", kSample}, "fnm info: --json is given twice"},
        {{"info", "--json=1", kSample}, "fnm info: unknown option --json=1"},
        {{"resave", "--json", kSample, "x.fnm"}, "fnm resave: unknown option --json"},
        {{"sun", "--lat", "46", "--lat", "47", "--lon", "93", "--date", "2026-01-01"},
         "fnm sun: --lat is given twice"},
        {{"sun", "--lat", "46", "--lon", "93", "--date"}, "fnm sun: --date needs a value"},
        {{"sun", "--lat", "46", "--lon", "93", "--date", "2026-13-01"}, "usage: fnm sun"},
        {{"sun", "--lat", "46", "--lon", "93", "--date", "2026-01-01", "extra"}, "usage: fnm sun"},
        {{"render", kSample, "out.png", "--depth", "3"}, "fnm render: unknown option --depth"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const ToolRun run = Fnm(c.args, dir.path());
        EXPECT_EQ(run.status, 64);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err;
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(Path("x.fnm")));
}

TEST_F(FnmArguments, HelpForEverySubcommandAndTheVersion) {
    const struct {
        const char* command;
        const char* usage;
    } cases[] = {
        {"info", "usage: fnm info FILE [--json]"},
        {"resave", "usage: fnm resave IN OUT"},
        {"distance", "usage: fnm distance LAT1 LON1 LAT2 LON2"},
        {"sun", "usage: fnm sun --lat LAT --lon LON --date YYYY-MM-DD"},
        {"bass", "usage: fnm bass LENGTH GIRTH"},
        {"export-gpx", "usage: fnm export-gpx FILE OUT.gpx"},
        {"import-gpx", "usage: fnm import-gpx FILE IN.gpx OUT.fnm"},
        {"render",
         "usage: fnm render FILE OUT.png|OUT.pdf [--x X --y Y --width W --height H] [--whole] "
         "[--scale N] [--pages N] [--overlap MM] [--landscape] [--paper SIZE] [--dpi DPI]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        for (const QStringList& args :
             {QStringList{c.command, "--help"}, QStringList{"help", c.command},
              QStringList{c.command, "a", "--help", "b"}}) {
            const ToolRun run = Fnm(args);
            EXPECT_EQ(run.status, 0);
            EXPECT_TRUE(run.out.startsWith(QString(c.usage) + "\n")) << run.out;
            EXPECT_TRUE(run.out.contains("64 a wrong command line")) << run.out;
        }
    }
    const ToolRun version = Fnm({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.startsWith("fnm (Fenmarrow Utilities) 1.0.0\n"))
        << version.out.toStdString();
    EXPECT_TRUE(version.out.contains("GPL-3.0-or-later"));
    const ToolRun general = Fnm({"--help"});
    EXPECT_EQ(general.status, 0);
    for (const auto& c : cases)
        EXPECT_TRUE(general.out.contains(QString(c.usage).mid(7))) << c.command;
}

TEST_F(FnmArguments, ImportGpxWritesNothingFromAFileThatIsNotGpx) {
    ASSERT_TRUE(testutil::WriteAll(
        Path("lake.kml"),
        "<?xml version=\"1.0\"?><kml xmlns=\"http://www.opengis.net/kml/2.2\"><Placemark>"
        "<Point><coordinates>-93.6,46.25</coordinates></Point></Placemark></kml>"));
    ASSERT_TRUE(testutil::WriteAll(Path("points.csv"), "lat,lon,name\n46.25,-93.6,Reef\n"));
    ASSERT_TRUE(testutil::WriteAll(Path("empty.gpx"), ""));
    ASSERT_TRUE(testutil::WriteAll(Path("blank.gpx"), " \n\t\n"));
    ASSERT_TRUE(testutil::WriteAll(Path("binary.gpx"), QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)));
    ASSERT_TRUE(testutil::WriteAll(Path("html.gpx"), "<html><body>404</body></html>"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe.gpx")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.gpx"));
    const struct {
        QString in;
        int status;
        const char* message;
    } cases[] = {
        {Path("lake.kml"), 1, "fnm import-gpx: %1 is not a GPX file; nothing was written"},
        {Path("points.csv"), 1, "fnm import-gpx: %1 is not a GPX file; nothing was written"},
        {Path("empty.gpx"), 1, "fnm import-gpx: %1 is not a GPX file; nothing was written"},
        {Path("blank.gpx"), 1, "fnm import-gpx: %1 is not a GPX file; nothing was written"},
        {Path("binary.gpx"), 1, "fnm import-gpx: %1 is not a GPX file; nothing was written"},
        {Path("html.gpx"), 1, "fnm import-gpx: %1 is not a GPX file; nothing was written"},
        {Path("pipe.gpx"), 2, "Unable to open %1: only regular files are read."},
        {"/dev/zero", 2, "Unable to open %1: only regular files are read."},
        {Path("folder.gpx"), 2, "Unable to open %1: only regular files are read."},
        {Path("gone.gpx"), 2, "Unable to open %1."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        const ToolRun run = Fnm({"import-gpx", kSample, c.in, Path("out.fnm")});
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_TRUE(run.err.contains(QString(c.message).arg(c.in))) << run.err;
        EXPECT_TRUE(run.out.isEmpty()) << "no counts: " << run.out;
        EXPECT_FALSE(QFile::exists(Path("out.fnm")));
    }
}

}  // namespace
