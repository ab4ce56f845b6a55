// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTimeZone>
#include <optional>
#include <vector>

// Sun and moon for one local day: rising, setting and meridian passages,
// the moon's phase and the solunar periods anglers plan by. Positions come
// from libnova (VSOP87 and ELP 2000-82), brought to the true equator and
// equinox of date; the moon's rising and setting are topocentric, so its
// parallax is included, and every rising and setting allows for refraction.
namespace almanac {

// The calendar covers these years; outside them the time scale (delta T)
// is a guess and no times are given.
inline constexpr int kFirstYear = 1800;
inline constexpr int kLastYear = 2200;
bool InRange(QDate date);

// Rising and setting of one body on one local day, in order. A day far from
// its zone's meridian, or 25 hours long, can hold two of a kind. When
// neither happens, the flags say whether the body stayed up all day.
struct RiseSet {
    std::vector<QDateTime> rises;
    std::vector<QDateTime> sets;
    bool alwaysUp = false;
    bool alwaysDown = false;
    std::optional<QDateTime> rise() const { return First(rises); }
    std::optional<QDateTime> set() const { return First(sets); }
    static std::optional<QDateTime> First(const std::vector<QDateTime>& v) {
        if (v.empty()) return std::nullopt;
        return v.front();
    }
};

enum class Phase {
    NewMoon,
    WaxingCrescent,
    FirstQuarter,
    WaxingGibbous,
    FullMoon,
    WaningGibbous,
    LastQuarter,
    WaningCrescent
};
QString PhaseName(Phase phase);

struct Period {
    enum Kind { Major, Minor };
    Kind kind = Major;
    QDateTime start;
    QDateTime centre;
    QDateTime end;
    // Overlaps the hour around sunrise or sunset.
    bool meetsSun = false;
};

struct Day {
    QDate date;
    QTimeZone zone;
    bool inRange = false;  // false: nothing below is computed
    RiseSet sun;           // upper limb on the horizon, refraction 34'
    RiseSet civil;         // centre 6 degrees below: dawn is `rise`, dusk is `set`
    std::vector<QDateTime> solarNoon;
    RiseSet moon;                          // upper limb, topocentric
    std::vector<QDateTime> moonTransit;    // the moon overhead (upper transit)
    std::vector<QDateTime> moonUnderfoot;  // lower transit
    double illuminated = 0;                // fraction of the disc lit at local noon
    Phase phase = Phase::NewMoon;
    // Days from local noon to the nearest new or full moon.
    double daysFromNewOrFull = 0;
    std::vector<Period> periods;  // in order of start
    int rating = 0;               // 1 (fair) to 4 (excellent)
};

// lat north positive, lonEast east positive, both in degrees.
Day ComputeDay(double lat, double lonEast, QDate date, const QTimeZone& zone);
std::vector<Day> ComputeDays(double lat, double lonEast, QDate first, int count,
                             const QTimeZone& zone);

// Half-widths of the solunar periods around their centres, in minutes.
inline constexpr int kMajorHalfMinutes = 60;
inline constexpr int kMinorHalfMinutes = 30;
// A period meets sunrise or sunset when it overlaps this many minutes
// either side of it.
inline constexpr int kSunWindowMinutes = 30;

// The rating from its two parts: how near the day is to new or full moon,
// and whether any period meets sunrise or sunset.
int Rating(double daysFromNewOrFull, bool periodMeetsSun);
QString RatingName(int rating);

// The Julian day (UT) of an instant, and back.
double JulianDay(const QDateTime& t);
QDateTime FromJulianDay(double jd);
// Terrestrial minus universal time in seconds for a Julian day.
double DeltaT(double jd);

}  // namespace almanac
