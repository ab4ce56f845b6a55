// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/SunTimes.h"

#include <QTime>
#include <cmath>
#include <ctime>

namespace {

constexpr double kDegToRad = 0.017453292222222222;
constexpr double kRadToDeg = 57.295780490442965;
constexpr double kDayAngle = 0.01721420602739726;  // one day of the year, in radians
constexpr double kZenith = 1.5853348924211113;     // 90°50': refraction plus solar radius
constexpr double kPerSixty = 0.016666666666666666;

constexpr int kCommonMonths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int kLeapMonths[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

enum class Event { Sunrise, Sunset };

// Minutes after midnight UTC of the event for the fractional-year angle g,
// or nullopt when the sun stays above or below the horizon.
std::optional<double> EventMinutes(double g, double lat, double lonWest, Event event) {
    const double decl = 0.006918 - 0.399912 * std::cos(g) + 0.070257 * std::sin(g) -
                        0.006758 * std::cos(2 * g) + 0.000907 * std::sin(2 * g);
    const double eqTime = 229.18 * (0.000075 + 0.001868 * std::cos(g) - 0.032077 * std::sin(g) -
                                    0.014615 * std::cos(2 * g) - 0.040849 * std::sin(2 * g));
    const double phi = lat * kDegToRad;
    const double c =
        std::cos(kZenith) / (std::cos(phi) * std::cos(decl)) - std::tan(phi) * std::tan(decl);
    if (!(std::fabs(c) <= 1.0)) return std::nullopt;
    const double h = event == Event::Sunrise ? std::acos(c) : -std::acos(c);
    return (lonWest - h * kRadToDeg) * 4 + 720 - eqTime;
}

// The first pass tells on which UTC day the event really falls (far west it
// spills into the next one); the second redoes the sun's position for that day.
std::optional<double> EventMinutesForDay(double lat, double lonWest, int n, Event event) {
    const double g1 = (event == Event::Sunrise ? n - 1 : n) * kDayAngle;
    const std::optional<double> first = EventMinutes(g1, lat, lonWest, event);
    // Only a nonsense longitude gets anywhere near this bound; refusing it keeps
    // the integer conversions below and in ToLocal well defined.
    constexpr double kSaneMinutes = 1e6;
    if (!first || !(std::fabs(*first) < kSaneMinutes)) return std::nullopt;
    const int k = static_cast<int>(std::trunc(*first)) / 1440;
    const std::optional<double> second = EventMinutes((k + n - 1) * kDayAngle, lat, lonWest, event);
    if (!second || !(std::fabs(*second) < kSaneMinutes)) return std::nullopt;
    return second;
}

// Turns UTC minutes on `date` into local clock time. Going through the C
// library (rather than subtracting the standard zone offset) gets daylight
// saving right.
QDateTime ToLocal(QDate date, double minutes) {
    const double h = minutes * kPerSixty;
    const int hour = static_cast<int>(std::trunc(h));
    const double f = (h - hour) * 60;
    const int minute = static_cast<int>(std::trunc(f));
    const int second = static_cast<int>(std::trunc((f - minute) * 60));

    std::tm utc{};
    utc.tm_year = date.year() - 1900;
    utc.tm_mon = date.month() - 1;
    utc.tm_mday = date.day();
    utc.tm_hour = hour;  // may be negative or past 23: timegm normalises
    utc.tm_min = minute;
    utc.tm_sec = second;
    const std::time_t instant = timegm(&utc);

    tzset();
    std::tm local{};
    localtime_r(&instant, &local);
    // Keep the offset with the value so the local fields survive whatever
    // Qt thinks the local zone is.
    return QDateTime(QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                     QTime(local.tm_hour, local.tm_min, local.tm_sec), Qt::OffsetFromUTC,
                     static_cast<int>(local.tm_gmtoff));
}

std::optional<QDateTime> SunEvent(double lat, double lonWest, QDate date, Event event) {
    if (!date.isValid()) return std::nullopt;
    const std::optional<double> minutes = EventMinutesForDay(lat, lonWest, DayOfYear(date), event);
    if (!minutes) return std::nullopt;
    return ToLocal(date, *minutes);
}

}  // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DayOfYear(QDate date) {
    const int* months = IsLeapYear(date.year()) ? kLeapMonths : kCommonMonths;
    int n = date.day();
    for (int m = 1; m < date.month(); ++m) n += months[m - 1];
    return n;
}

std::optional<QDateTime> SunriseTime(double lat, double lonWest, QDate date) {
    return SunEvent(lat, lonWest, date, Event::Sunrise);
}

std::optional<QDateTime> SunsetTime(double lat, double lonWest, QDate date) {
    return SunEvent(lat, lonWest, date, Event::Sunset);
}

QString SunTimeText(const std::optional<QDateTime>& time) {
    if (!time) return QString();
    return time->toString(QStringLiteral("HH:mm"));
}
