// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "TestUtil.h"
#include "ToolRun.h"

namespace {

using testutil::ToolRun;

ToolRun Fnm(const QStringList& args, const char* tz = "UTC") {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TZ", tz);
    return testutil::RunTool(FNM_BINARY, args, env);
}

const QStringList kPlace = {"almanac", "--lat", "46.25", "--lon", "93.6"};

TEST(FnmAlmanac, RefusesAWrongCommandLine) {
    const struct {
        QStringList args;
        const char* message;
    } cases[] = {
        {{"almanac", "--lon", "93.6"}, "usage: fnm almanac --lat LAT --lon LON"},
        {{"almanac", "--lat", "91", "--lon", "93.6"},
         "--lat must be a decimal number from -90 to 90, not \"91\""},
        {kPlace + QStringList{"--date", "2026-02-30"},
         "fnm almanac: --date must be a date YYYY-MM-DD from 1800 to 2200-12-31, not "
         "\"2026-02-30\""},
        {kPlace + QStringList{"--date", "26-1-1"}, "not \"26-1-1\""},
        {kPlace + QStringList{"--date", "1799-12-31"}, "not \"1799-12-31\""},
        {kPlace + QStringList{"--from", "2200-12-30", "--days", "5"},
         "No almanac for 2201-01-03: the calendar covers the years 1800 to 2200."},
        {kPlace + QStringList{"--date", "2026-01-01", "--from", "2026-01-01"},
         "fnm almanac: give either --date or --from with --days"},
        {kPlace + QStringList{"--from", "2026-01-01", "--days", "0"},
         "--days must be a whole number from 1 to 3660, not \"0\""},
        {kPlace + QStringList{"--from", "2026-01-01", "--days", "-3"}, "not \"-3\""},
        {kPlace + QStringList{"--days", "3.5"}, "not \"3.5\""},
        {kPlace + QStringList{"--zone", "Mars/Olympus"},
         "fnm almanac: unknown time zone \"Mars/Olympus\""},
        {kPlace + QStringList{"extra"}, "usage: fnm almanac"},
    };
    for (const auto& c : cases) {
        const ToolRun run = Fnm(c.args);
        EXPECT_EQ(run.status, 64) << c.args.join(' ');
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err;
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST(FnmAlmanac, JsonGivesEachDayInTheZone) {
    const ToolRun run = Fnm(kPlace + QStringList{"--from", "2026-03-07", "--days", "3", "--zone",
                                                 "America/Chicago", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(o["zone"].toString(), "America/Chicago");
    EXPECT_EQ(o["longitude"].toDouble(), 93.6);
    const QJsonArray days = o["days"].toArray();
    ASSERT_EQ(days.size(), 3);
    // The clocks go forward on the 8th: the offset follows.
    const char* offsets[] = {"-06:00", "-05:00", "-05:00"};
    for (int i = 0; i < 3; ++i) {
        const QJsonObject d = days[i].toObject();
        EXPECT_EQ(d["date"].toString(), QString("2026-03-%1").arg(7 + i, 2, 10, QChar('0')));
        const QString rise = d["sun"].toObject()["rise"].toString();
        EXPECT_TRUE(rise.startsWith(d["date"].toString() + "T0")) << rise;
        EXPECT_TRUE(rise.endsWith(offsets[i])) << rise;
        const QJsonObject moon = d["moon"].toObject();
        EXPECT_GE(moon["illuminated"].toDouble(), 0.0);
        EXPECT_LE(moon["illuminated"].toDouble(), 1.0);
        EXPECT_FALSE(moon["phase"].toString().isEmpty());
        const int rating = d["rating"].toInt();
        EXPECT_TRUE(rating >= 1 && rating <= 4) << rating;
        // A period for each passage and each rising and setting of the moon.
        const qsizetype events = moon["rises"].toArray().size() + moon["sets"].toArray().size() +
                                 moon["transits"].toArray().size() +
                                 moon["underfoots"].toArray().size();
        EXPECT_EQ(d["periods"].toArray().size(), events);
    }
}

TEST(FnmAlmanac, TextSaysWhatDoesNotHappen) {
    const struct {
        QStringList args;
        QStringList lines;
    } cases[] = {
        {{"almanac", "--lat", "70", "--lon", "-19", "--date", "2026-06-21", "--zone",
          "Europe/Oslo"},
         {"2026-06-21 (Europe/Oslo)", "  Sunrise:         sun up all day",
          "  Civil dawn:      light all night"}},
        {{"almanac", "--lat", "70", "--lon", "-19", "--date", "2026-12-21"},
         {"2026-12-21 (UTC)", "  Sunset:          sun down all day"}},
        // Mille Lacs, 9 January 2026 in its own zone: no moonrise that day.
        {{"almanac", "--lat", "46.25", "--lon", "93.6", "--date", "2026-01-09", "--zone",
          "America/Chicago"},
         {"  Moonrise:        no moonrise", "  Rating:          "}},
    };
    for (const auto& c : cases) {
        const ToolRun run = Fnm(c.args);
        ASSERT_EQ(run.status, 0) << run.err;
        for (const QString& line : c.lines)
            EXPECT_TRUE(run.out.contains(line)) << run.out << "\nlacks: " << line;
    }
}

TEST(FnmAlmanac, TodayInTheMachineZoneByDefault) {
    const ToolRun run = Fnm(kPlace, "Asia/Tokyo");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.contains("(Asia/Tokyo)")) << run.out;
    EXPECT_TRUE(run.out.contains("Major periods:"));
}

}  // namespace
