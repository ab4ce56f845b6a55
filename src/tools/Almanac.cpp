// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/Almanac.h"

#include <libnova/earth.h>
#include <libnova/lunar.h>
#include <libnova/nutation.h>
#include <libnova/precession.h>
#include <libnova/solar.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace almanac {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRad = kPi / 180.0;
constexpr double kJ2000Obliquity = 23.4392911 * kRad;
constexpr double kUnixEpochJd = 2440587.5;
constexpr double kEarthRadiusKm = 6378.14;
constexpr double kMoonRadiusKm = 1737.4;
constexpr double kAuKm = 149597870.7;
constexpr double kRefraction = 34.0 / 60.0;  // degrees, at the horizon
// The ELP series cut at terms below this size: a few arcseconds at most,
// some forty times faster than the full series.
constexpr double kLunarPrecision = 1e-6;
// How far apart the computed positions lie, in days; between them positions
// are interpolated by cubics, far inside an arcsecond for the moon.
constexpr double kNodeStep = 2.0 / 24.0;
// The altitude and hour angle are searched on this grid (days): no body
// rises and sets again within it outside grazing polar days.
constexpr double kScanStep = 15.0 / 1440.0;

double Wrap360(double d) {
    d = std::fmod(d, 360.0);
    return d < 0 ? d + 360.0 : d;
}
double Wrap180(double d) {
    d = Wrap360(d);
    return d > 180.0 ? d - 360.0 : d;
}

struct Equatorial {
    double ra = 0;   // degrees, of date
    double dec = 0;  // degrees, of date
    double distKm = 0;
};

// A J2000 position brought to the true equator and equinox of the date:
// precession, then nutation (and the sun's annual aberration, which libnova
// leaves out) in the small-angle form.
Equatorial OfDate(double ra2000, double dec2000, double distKm, double jde, const ln_nutation& nut,
                  double extraLongitude) {
    ln_equ_posn mean{ra2000, dec2000};
    ln_equ_posn date{};
    ln_get_equ_prec(&mean, jde, &date);
    const double e = (nut.ecliptic + nut.obliquity) * kRad;
    const double a = date.ra * kRad;
    const double d = date.dec * kRad;
    const double dpsi = nut.longitude + extraLongitude;
    const double da = (std::cos(e) + std::sin(e) * std::sin(a) * std::tan(d)) * dpsi -
                      std::cos(a) * std::tan(d) * nut.obliquity;
    const double dd = std::sin(e) * std::cos(a) * dpsi + std::sin(a) * nut.obliquity;
    return {Wrap360(date.ra + da), date.dec + dd, distKm};
}

Equatorial MoonAt(double jde, const ln_nutation& nut) {
    ln_rect_posn r{};
    ln_get_lunar_geo_posn(jde, &r, kLunarPrecision);
    // Ecliptic of J2000 to the equator of J2000.
    const double x = r.X;
    const double y = r.Y * std::cos(kJ2000Obliquity) - r.Z * std::sin(kJ2000Obliquity);
    const double z = r.Y * std::sin(kJ2000Obliquity) + r.Z * std::cos(kJ2000Obliquity);
    const double dist = std::sqrt(x * x + y * y + z * z);
    return OfDate(Wrap360(std::atan2(y, x) / kRad), std::asin(z / dist) / kRad, dist, jde, nut, 0);
}

Equatorial SunAt(double jde, const ln_nutation& nut) {
    ln_equ_posn p{};
    ln_get_solar_equ_coords(jde, &p);
    const double au = ln_get_earth_solar_dist(jde);
    return OfDate(p.ra, p.dec, au * kAuKm, jde, nut, -20.4898 / 3600.0 / au);
}

// Positions of one body over a stretch of time, computed at nodes and
// interpolated between them.
class Track {
public:
    Track(double jdFrom, double jdTo, const ln_nutation& nut,
          Equatorial (*at)(double, const ln_nutation&)) {
        start = jdFrom - kNodeStep;
        const int n = static_cast<int>(std::ceil((jdTo - jdFrom) / kNodeStep)) + 3;
        nodes.reserve(n);
        for (int i = 0; i < n; ++i) {
            const double jd = start + i * kNodeStep;
            Equatorial e = at(jd + DeltaT(jd) / 86400.0, nut);
            // Unwrapped, so interpolation never crosses 0/360.
            if (!nodes.empty()) e.ra = nodes.back().ra + Wrap180(e.ra - nodes.back().ra);
            nodes.push_back(e);
        }
    }

    Equatorial At(double jd) const {
        const double u = (jd - start) / kNodeStep;
        int i =
            std::clamp(static_cast<int>(std::floor(u)) - 1, 0, static_cast<int>(nodes.size()) - 4);
        const double x = u - i;  // in [0, 3]: nodes i..i+3 at 0, 1, 2, 3
        std::array<double, 4> w{};
        for (int k = 0; k < 4; ++k) {
            double p = 1;
            for (int m = 0; m < 4; ++m)
                if (m != k) p *= (x - m) / (k - m);
            w[k] = p;
        }
        Equatorial r{};
        for (int k = 0; k < 4; ++k) {
            r.ra += w[k] * nodes[i + k].ra;
            r.dec += w[k] * nodes[i + k].dec;
            r.distKm += w[k] * nodes[i + k].distKm;
        }
        r.ra = Wrap360(r.ra);
        return r;
    }

private:
    double start = 0;
    std::vector<Equatorial> nodes;
};

// Greenwich apparent sidereal time in degrees.
double SiderealDegrees(double jd, double equationOfEquinoxes) {
    const double t = (jd - 2451545.0) / 36525.0;
    const double mean = 280.46061837 + 360.98564736629 * (jd - 2451545.0) + 0.000387933 * t * t -
                        t * t * t / 38710000.0;
    return Wrap360(mean + equationOfEquinoxes);
}

struct Observer {
    double lat = 0;      // degrees
    double lonEast = 0;  // degrees
    double rhoSin = 0;   // geocentric position of a place at sea level
    double rhoCos = 0;
    double eqEquinoxes = 0;
};

// Hour angle and altitude of a position as seen from the observer's place,
// parallax included.
struct Local {
    double hourAngle;  // degrees, -180..180
    double altitude;   // degrees
};

Local Topocentric(const Observer& o, const Equatorial& e, double jd) {
    const double h = (SiderealDegrees(jd, o.eqEquinoxes) + o.lonEast - e.ra) * kRad;
    const double d = e.dec * kRad;
    const double sinPi = kEarthRadiusKm / e.distKm;
    const double da =
        std::atan2(-o.rhoCos * sinPi * std::sin(h), std::cos(d) - o.rhoCos * sinPi * std::cos(h));
    const double dTopo = std::atan2((std::sin(d) - o.rhoSin * sinPi) * std::cos(da),
                                    std::cos(d) - o.rhoCos * sinPi * std::cos(h));
    const double hTopo = h - da;
    const double phi = o.lat * kRad;
    const double sinAlt =
        std::sin(phi) * std::sin(dTopo) + std::cos(phi) * std::cos(dTopo) * std::cos(hTopo);
    return {Wrap180(hTopo / kRad), std::asin(std::clamp(sinAlt, -1.0, 1.0)) / kRad};
}

// The roots of f on [a, b), found on the scan grid and refined by bisection
// to well under a second. `rising` tells whether f went from below to above.
struct Root {
    double jd;
    bool rising;
};

std::vector<Root> Roots(const std::function<double(double)>& f, double a, double b,
                        bool hourAngle) {
    std::vector<Root> out;
    const int n = std::max(1, static_cast<int>(std::ceil((b - a) / kScanStep)));
    const double step = (b - a) / n;
    double x0 = a;
    double f0 = f(x0);
    for (int i = 1; i <= n; ++i) {
        const double x1 = a + i * step;
        const double f1 = f(x1);
        // An hour angle jumps from +180 to -180 once a turn: no passage.
        const bool jump = hourAngle && std::abs(f1 - f0) > 180.0;
        if (!jump && (f0 < 0) != (f1 < 0)) {
            double lo = x0, hi = x1, flo = f0;
            for (int k = 0; k < 22; ++k) {
                const double mid = (lo + hi) / 2;
                const double fm = f(mid);
                if ((fm < 0) == (flo < 0)) {
                    lo = mid;
                    flo = fm;
                } else {
                    hi = mid;
                }
            }
            const double root = (lo + hi) / 2;
            if (root >= a && root < b) out.push_back({root, f1 >= 0});
        }
        x0 = x1;
        f0 = f1;
    }
    return out;
}

RiseSet FindRiseSet(const std::function<double(double)>& above, double a, double b) {
    RiseSet rs;
    for (const Root& r : Roots(above, a, b, false))
        (r.rising ? rs.rises : rs.sets).push_back(FromJulianDay(r.jd));
    if (rs.rises.empty() && rs.sets.empty()) {
        const bool up = above((a + b) / 2) >= 0;
        rs.alwaysUp = up;
        rs.alwaysDown = !up;
    }
    return rs;
}

std::vector<QDateTime> FindPassages(const std::function<double(double)>& hourAngle, double a,
                                    double b) {
    std::vector<QDateTime> out;
    for (const Root& r : Roots(hourAngle, a, b, true))
        if (r.rising) out.push_back(FromJulianDay(r.jd));
    return out;
}

double EclipticLongitude(const Equatorial& e, double obliquity) {
    const double a = e.ra * kRad;
    const double d = e.dec * kRad;
    return Wrap360(std::atan2(std::sin(a) * std::cos(obliquity) + std::tan(d) * std::sin(obliquity),
                              std::cos(a)) /
                   kRad);
}

// Fraction of the moon's disc lit, from the sun's and moon's geocentric
// positions.
double IlluminatedFraction(const Equatorial& sun, const Equatorial& moon) {
    auto unit = [](const Equatorial& e) {
        return std::array<double, 3>{std::cos(e.dec * kRad) * std::cos(e.ra * kRad),
                                     std::cos(e.dec * kRad) * std::sin(e.ra * kRad),
                                     std::sin(e.dec * kRad)};
    };
    const auto s = unit(sun);
    const auto m = unit(moon);
    const double cosPsi = std::clamp(s[0] * m[0] + s[1] * m[1] + s[2] * m[2], -1.0, 1.0);
    const double psi = std::acos(cosPsi);
    const double phaseAngle =
        std::atan2(sun.distKm * std::sin(psi), moon.distKm - sun.distKm * std::cos(psi));
    return (1 + std::cos(phaseAngle)) / 2;
}

bool Overlaps(const QDateTime& s1, const QDateTime& e1, const QDateTime& s2, const QDateTime& e2) {
    return s1 < e2 && s2 < e1;
}

}  // namespace

bool InRange(QDate date) {
    return date.isValid() && date.year() >= kFirstYear && date.year() <= kLastYear;
}

QString PhaseName(Phase phase) {
    switch (phase) {
        case Phase::NewMoon:
            return QStringLiteral("New Moon");
        case Phase::WaxingCrescent:
            return QStringLiteral("Waxing Crescent");
        case Phase::FirstQuarter:
            return QStringLiteral("First Quarter");
        case Phase::WaxingGibbous:
            return QStringLiteral("Waxing Gibbous");
        case Phase::FullMoon:
            return QStringLiteral("Full Moon");
        case Phase::WaningGibbous:
            return QStringLiteral("Waning Gibbous");
        case Phase::LastQuarter:
            return QStringLiteral("Last Quarter");
        case Phase::WaningCrescent:
            return QStringLiteral("Waning Crescent");
    }
    return {};
}

int Rating(double daysFromNewOrFull, bool periodMeetsSun) {
    int r = 1;
    if (daysFromNewOrFull <= 1.0)
        r += 2;
    else if (daysFromNewOrFull <= 3.0)
        r += 1;
    if (periodMeetsSun) r += 1;
    return r;
}

QString RatingName(int rating) {
    switch (rating) {
        case 1:
            return QStringLiteral("Fair");
        case 2:
            return QStringLiteral("Good");
        case 3:
            return QStringLiteral("Very good");
        case 4:
            return QStringLiteral("Excellent");
        default:
            return {};
    }
}

double JulianDay(const QDateTime& t) {
    return static_cast<double>(t.toMSecsSinceEpoch()) / 86400000.0 + kUnixEpochJd;
}

QDateTime FromJulianDay(double jd) {
    const qint64 ms = std::llround((jd - kUnixEpochJd) * 86400000.0);
    // Whole seconds: the figures are good to a few seconds at best.
    return QDateTime::fromSecsSinceEpoch((ms + 500) / 1000, QTimeZone::utc());
}

double DeltaT(double jd) {
    // Polynomial fits to the observed and extrapolated values, by year.
    const double y = 2000.0 + (jd - 2451544.5) / 365.2425;
    if (y < 1860) {
        const double t = y - 1800;
        return 13.72 - 0.332447 * t + 0.0068612 * t * t + 0.0041116 * std::pow(t, 3) -
               0.00037436 * std::pow(t, 4) + 0.0000121272 * std::pow(t, 5) -
               0.0000001699 * std::pow(t, 6) + 0.000000000875 * std::pow(t, 7);
    }
    if (y < 1900) {
        const double t = y - 1860;
        return 7.62 + 0.5737 * t - 0.251754 * t * t + 0.01680668 * std::pow(t, 3) -
               0.0004473624 * std::pow(t, 4) + std::pow(t, 5) / 233174.0;
    }
    if (y < 1920) {
        const double t = y - 1900;
        return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * std::pow(t, 3) -
               0.000197 * std::pow(t, 4);
    }
    if (y < 1941) {
        const double t = y - 1920;
        return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * std::pow(t, 3);
    }
    if (y < 1961) {
        const double t = y - 1950;
        return 29.07 + 0.407 * t - t * t / 233.0 + std::pow(t, 3) / 2547.0;
    }
    if (y < 1986) {
        const double t = y - 1975;
        return 45.45 + 1.067 * t - t * t / 260.0 - std::pow(t, 3) / 718.0;
    }
    if (y < 2005) {
        const double t = y - 2000;
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * std::pow(t, 3) +
               0.000651814 * std::pow(t, 4) + 0.00002373599 * std::pow(t, 5);
    }
    if (y < 2050) {
        const double t = y - 2000;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    const double u = (y - 1820) / 100.0;
    if (y < 2150) return -20 + 32 * u * u - 0.5628 * (2150 - y);
    return -20 + 32 * u * u;
}

Day ComputeDay(double lat, double lonEast, QDate date, const QTimeZone& zone) {
    Day day;
    day.date = date;
    day.zone = zone.isValid() ? zone : QTimeZone::systemTimeZone();
    if (!InRange(date)) return day;
    day.inRange = true;

    // The local day, 23 or 25 hours long when the clocks change.
    const double a = JulianDay(date.startOfDay(day.zone));
    const double b = JulianDay(date.addDays(1).startOfDay(day.zone));
    const double mid = (a + b) / 2;

    ln_nutation nut{};
    ln_get_nutation(mid + DeltaT(mid) / 86400.0, &nut);
    Observer o;
    o.lat = lat;
    o.lonEast = lonEast;
    const double u = std::atan(0.99664719 * std::tan(lat * kRad));
    o.rhoSin = 0.99664719 * std::sin(u);
    o.rhoCos = std::cos(u);
    o.eqEquinoxes = nut.longitude * std::cos((nut.ecliptic + nut.obliquity) * kRad);

    const Track sun(a, b, nut, &SunAt);
    const Track moon(a, b, nut, &MoonAt);

    auto sunAbove = [&](double horizonDeg, bool limb) {
        return [&, horizonDeg, limb](double jd) {
            const Equatorial e = sun.At(jd);
            const double semi = limb ? 959.63 / 3600.0 * kAuKm / e.distKm : 0.0;
            return Topocentric(o, e, jd).altitude - horizonDeg + semi;
        };
    };
    day.sun = FindRiseSet(sunAbove(-kRefraction, true), a, b);
    day.civil = FindRiseSet(sunAbove(-6.0, false), a, b);
    day.solarNoon =
        FindPassages([&](double jd) { return Topocentric(o, sun.At(jd), jd).hourAngle; }, a, b);

    day.moon = FindRiseSet(
        [&](double jd) {
            const Equatorial e = moon.At(jd);
            const double semi = std::asin(kMoonRadiusKm / e.distKm) / kRad;
            return Topocentric(o, e, jd).altitude + kRefraction + semi;
        },
        a, b);
    day.moonTransit =
        FindPassages([&](double jd) { return Topocentric(o, moon.At(jd), jd).hourAngle; }, a, b);
    day.moonUnderfoot = FindPassages(
        [&](double jd) { return Wrap180(Topocentric(o, moon.At(jd), jd).hourAngle - 180.0); }, a,
        b);

    // The phase: elongation of the moon from the sun along the ecliptic.
    const double obliquity = (nut.ecliptic + nut.obliquity) * kRad;
    auto elongation = [&](double jd) {
        return Wrap360(EclipticLongitude(moon.At(jd), obliquity) -
                       EclipticLongitude(sun.At(jd), obliquity));
    };
    const double noon = JulianDay(QDateTime(date, QTime(12, 0), day.zone));
    const double noonJd = noon > a && noon < b ? noon : mid;
    day.illuminated = IlluminatedFraction(sun.At(noonJd), moon.At(noonJd));
    const double e0 = elongation(a);
    double e1 = elongation(b);
    if (e1 < e0) e1 += 360.0;
    // A principal phase whose instant falls within the day names the day.
    static const Phase kPrincipal[] = {Phase::NewMoon, Phase::FirstQuarter, Phase::FullMoon,
                                       Phase::LastQuarter, Phase::NewMoon};
    static const Phase kBetween[] = {Phase::WaxingCrescent, Phase::WaxingGibbous,
                                     Phase::WaningGibbous, Phase::WaningCrescent};
    bool principal = false;
    for (int k = 0; k <= 8 && !principal; ++k) {
        const double q = k * 90.0;
        if (q > e0 && q <= e1) {
            day.phase = kPrincipal[k % 4];
            principal = true;
        }
    }
    const double eNoon = elongation(noonJd);
    if (!principal) day.phase = kBetween[std::min(3, static_cast<int>(eNoon / 90.0))];
    const double fromSyzygy = std::min({eNoon, std::abs(eNoon - 180.0), 360.0 - eNoon});
    // The moon gains about 12.19 degrees a day on the sun.
    day.daysFromNewOrFull = fromSyzygy / 12.190749;

    // The solunar periods.
    auto addPeriods = [&](const std::vector<QDateTime>& centres, Period::Kind kind) {
        for (const QDateTime& centre : centres) {
            const int half = kind == Period::Major ? kMajorHalfMinutes : kMinorHalfMinutes;
            Period p;
            p.kind = kind;
            p.centre = centre.toTimeZone(day.zone);
            p.start = p.centre.addSecs(-60 * half);
            p.end = p.centre.addSecs(60 * half);
            for (const auto* list : {&day.sun.rises, &day.sun.sets}) {
                for (const QDateTime& s : *list)
                    if (Overlaps(p.start, p.end, s.addSecs(-60 * kSunWindowMinutes),
                                 s.addSecs(60 * kSunWindowMinutes)))
                        p.meetsSun = true;
            }
            day.periods.push_back(p);
        }
    };
    addPeriods(day.moonTransit, Period::Major);
    addPeriods(day.moonUnderfoot, Period::Major);
    addPeriods(day.moon.rises, Period::Minor);
    addPeriods(day.moon.sets, Period::Minor);
    std::sort(day.periods.begin(), day.periods.end(),
              [](const Period& x, const Period& y) { return x.start < y.start; });
    const bool meets = std::any_of(day.periods.begin(), day.periods.end(),
                                   [](const Period& p) { return p.meetsSun; });
    day.rating = Rating(day.daysFromNewOrFull, meets);

    // Every time in the day's zone.
    for (auto* list :
         {&day.sun.rises, &day.sun.sets, &day.civil.rises, &day.civil.sets, &day.solarNoon,
          &day.moon.rises, &day.moon.sets, &day.moonTransit, &day.moonUnderfoot})
        for (QDateTime& t : *list) t = t.toTimeZone(day.zone);
    return day;
}

std::vector<Day> ComputeDays(double lat, double lonEast, QDate first, int count,
                             const QTimeZone& zone) {
    std::vector<Day> days;
    days.reserve(std::max(0, count));
    for (int i = 0; i < count; ++i)
        days.push_back(ComputeDay(lat, lonEast, first.addDays(i), zone));
    return days;
}

}  // namespace almanac
