// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "tools/SunTimes.h"

namespace {

// Switches the process time zone for one test and puts the old one back.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) previous = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone() {
        if (previous)
            setenv("TZ", previous->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> previous;
};

std::optional<QDateTime> Event(bool sunrise, double lat, double lonWest, QDate date) {
    return sunrise ? SunriseTime(lat, lonWest, date) : SunsetTime(lat, lonWest, date);
}

TEST(SunTimes, DayOfYear) {
    struct Case {
        QDate date;
        int day;
    };
    const Case cases[] = {
        {{2026, 1, 1}, 1},  {{2026, 2, 1}, 32},   {{2026, 3, 1}, 60},    {{2024, 2, 29}, 60},
        {{2024, 3, 1}, 61}, {{2026, 6, 21}, 172}, {{2026, 12, 31}, 365}, {{2024, 12, 31}, 366},
        {{1900, 3, 1}, 60}, {{2000, 3, 1}, 61},   {{2100, 12, 31}, 365}, {{2400, 12, 31}, 366},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DayOfYear(c.date), c.day) << c.date.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(IsLeapYear(c.date.year()), QDate::isLeapYear(c.date.year()));
    }
}

// Minneapolis (44.98 N, 93.27 W) against published tables, within 3 minutes.
// Summer times must carry daylight saving (UTC-5), winter ones not (UTC-6).
TEST(SunTimes, MinneapolisMatchesAlmanac) {
    ScopedTimeZone zone("America/Chicago");
    struct Case {
        QDate date;
        bool sunrise;
        int minuteOfDay, offsetHours;
    };
    const Case cases[] = {
        {{2026, 6, 21}, true, 5 * 60 + 26, -5},
        {{2026, 6, 21}, false, 21 * 60 + 3, -5},
        {{2026, 12, 21}, true, 7 * 60 + 46, -6},
        {{2026, 12, 21}, false, 16 * 60 + 34, -6},
    };
    for (const Case& c : cases) {
        const auto t = Event(c.sunrise, 44.98, 93.27, c.date);
        ASSERT_TRUE(t.has_value());
        EXPECT_EQ(t->date(), c.date);
        EXPECT_NEAR(t->time().hour() * 60 + t->time().minute(), c.minuteOfDay, 3);
        EXPECT_EQ(t->offsetFromUtc(), c.offsetHours * 3600);
    }
}

// Worked by hand for Minneapolis, 21 June 2026 (n = 172), sunrise:
//   g    = 171 * 0.01721420602739726 = 2.9436292
//   decl = 0.006918 + 0.3921014 + 0.0138177 - 0.0062352 - 0.0003498 = 0.4062520
//   E    = 229.18 * (0.000075 - 0.0018315 - 0.0063087 - 0.0134844 + 0.0157540) = -1.32824
//   c    = cos(1.5853349) / (cos 44.98° cos decl) - tan 44.98° tan decl = -0.4522560
//   H    = acos(c) = 2.0400895 rad = 116.888521°
//   T    = (93.27 - 116.888521) * 4 + 720 + 1.32824 = 626.85415 min after 0:00 UTC
// which is 10:26:51 UTC; T / 1440 truncates to 0, so the second pass uses the
// same g. The other rows are the same formula; times past 24:00 or before 0:00
// UTC land on the neighbouring day or year.
TEST(SunTimes, ExactUtcResults) {
    ScopedTimeZone zone("UTC");
    struct Case {
        double lat, lonWest;
        QDate date;
        bool sunrise;
        QDateTime expected;
    };
    const Case cases[] = {
        {44.98, 93.27, {2026, 6, 21}, true, {{2026, 6, 21}, {10, 26, 51}}},
        {44.98, 93.27, {2026, 6, 21}, false, {{2026, 6, 22}, {2, 2, 11}}},
        {44.98, 93.27, {2026, 12, 21}, true, {{2026, 12, 21}, {13, 46, 56}}},
        {0, 0, {2026, 3, 20}, false, {{2026, 3, 20}, {18, 11, 29}}},
        {46, 150, {2026, 12, 31}, false, {{2027, 1, 1}, {2, 24, 52}}},
        {46, -150, {2026, 6, 21}, true, {{2026, 6, 20}, {18, 9, 39}}},
        // North of the Arctic circle the ordinary computation still applies.
        {70, 20, {2026, 3, 20}, true, {{2026, 3, 20}, {7, 23, 50}}},
    };
    for (const Case& c : cases) {
        const auto t = Event(c.sunrise, c.lat, c.lonWest, c.date);
        ASSERT_TRUE(t.has_value()) << c.lat << " " << c.lonWest;
        EXPECT_EQ(t->date(), c.expected.date()) << c.lat << " " << c.lonWest;
        EXPECT_EQ(t->time(), c.expected.time()) << c.lat << " " << c.lonWest;
    }
    EXPECT_EQ(SunTimeText(SunriseTime(44.98, 93.27, {2026, 6, 21})), "10:26");
}

// 150° west is ten hours behind Berlin: sunrise comes in the afternoon and
// sunset on the next calendar day there; 150° east rises the evening before.
TEST(SunTimes, FarFromTimeZoneMovesIntoNeighbouringDay) {
    ScopedTimeZone zone("Europe/Berlin");
    const QDate date(2026, 6, 21);
    const auto rise = SunriseTime(46, 150, date);
    const auto set = SunsetTime(46, 150, date);
    const auto eastRise = SunriseTime(46, -150, date);
    ASSERT_TRUE(rise && set && eastRise);
    EXPECT_EQ(*rise, QDateTime(date, QTime(16, 9, 38), Qt::OffsetFromUTC, 7200));
    EXPECT_EQ(set->date(), QDate(2026, 6, 22));
    EXPECT_EQ(SunTimeText(set), "07:53");
    EXPECT_EQ(eastRise->date(), QDate(2026, 6, 20));
    EXPECT_EQ(SunTimeText(eastRise), "20:09");
}

TEST(SunTimes, NoEvent) {
    const struct {
        double lat, lonWest;
        QDate date;
    } cases[] = {
        {80, 20, {2026, 12, 21}},       // polar night
        {80, 20, {2026, 6, 21}},        // midnight sun
        {-80, 20, {2026, 6, 21}},       // southern polar night
        {66.5, 20, {2026, 6, 21}},      // just inside the circle
        {44.98, 1e300, {2026, 6, 21}},  // nonsense longitude
        {44.98, 93.27, QDate()},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(SunriseTime(c.lat, c.lonWest, c.date).has_value()) << c.lat;
        EXPECT_FALSE(SunsetTime(c.lat, c.lonWest, c.date).has_value()) << c.lat;
    }
    EXPECT_EQ(SunTimeText(std::nullopt), QString());
}

}  // namespace
