// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QProcessEnvironment>
#include <QTime>

#include "TestUtil.h"
#include "ToolRun.h"

namespace {

QString Calc(const QStringList& args, const char* tz, int* status = nullptr) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TZ", tz);
    const testutil::ToolRun run = testutil::RunTool(FNM_BINARY, args, env);
    if (status) *status = run.status;
    return run.out.trimmed();
}

int MinutesOf(const QString& hhmm) {
    QTime t = QTime::fromString(hhmm, "HH:mm");
    return t.isValid() ? t.hour() * 60 + t.minute() : -1;
}

TEST(FnmCalculators, SunTimesInTheZoneOfTZ) {
    struct Case {
        const char* lat;
        const char* lon;
        const char* date;
        const char* tz;
        const char* rise;  // published almanac values
        const char* set;
    } cases[] = {
        {"44.98", "93.27", "2026-06-21", "America/Chicago", "05:26", "21:03"},  // daylight saving
        {"44.98", "93.27", "2026-12-21", "America/Chicago", "07:46", "16:34"},
        {"46.25", "93.60", "2026-03-20", "UTC", "12:19", "00:30"},  // sunset on the next day
    };
    for (const Case& c : cases) {
        int status = -1;
        QString out =
            Calc({"sun", "--lat", c.lat, "--lon", c.lon, "--date", c.date}, c.tz, &status);
        EXPECT_EQ(status, 0);
        QStringList parts = out.split(' ');
        ASSERT_EQ(parts.size(), 2) << out;
        EXPECT_NEAR(MinutesOf(parts[0]), MinutesOf(c.rise), 4) << c.date << " " << out;
        EXPECT_NEAR(MinutesOf(parts[1]), MinutesOf(c.set), 4) << c.date << " " << out;
    }
    // No sunrise or sunset in the polar night.
    EXPECT_EQ(Calc({"sun", "--lat", "80", "--lon", "20", "--date", "2026-12-21"}, "UTC"),
              "--:-- --:--");
    int status = 0;
    Calc({"sun", "--lat", "x"}, "UTC", &status);
    EXPECT_EQ(status, 64);
}

TEST(FnmCalculators, BassWeight) {
    struct Case {
        const char* length;
        const char* girth;
        const char* text;
    } cases[] = {
        {"15", "12", "2.25"}, {"20", "15", "5.00"}, {"18", "14", "3.78"}, {"0", "14", "0.00"}};
    for (const Case& c : cases) EXPECT_EQ(Calc({"bass", c.length, c.girth}, "UTC"), c.text);
}

}  // namespace
