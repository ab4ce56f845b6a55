// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/Coordinate.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include <GeographicLib/Geodesic.hpp>

#include "framework/Archive.h"

namespace {

constexpr double kMetresPerStatuteMile = 1609.344;

// A latitude past a pole (only a damaged file or a slip of the keyboard can
// give one) is carried over the pole: 95 N on one meridian is 85 N on the
// opposite one.
void OverThePole(double& lat, double& lon) {
    lat = std::remainder(lat, 360.0);
    if (lat > 90.0) {
        lat = 180.0 - lat;
        lon += 180.0;
    } else if (lat < -90.0) {
        lat = -180.0 - lat;
        lon += 180.0;
    }
}

// Shortest path on the WGS 84 ellipsoid. Longitudes count positive to the
// west here and to the east in the geodesic, hence the signs.
double GeodesicMiles(double latA, double lonWestA, double latB, double lonWestB) {
    if (!std::isfinite(latA) || !std::isfinite(lonWestA) || !std::isfinite(latB) ||
        !std::isfinite(lonWestB))
        return 0.0;
    double lonA = -lonWestA;
    double lonB = -lonWestB;
    OverThePole(latA, lonA);
    OverThePole(latB, lonB);
    double metres = 0.0;
    GeographicLib::Geodesic::WGS84().Inverse(latA, lonA, latB, lonB, metres);
    return std::isfinite(metres) ? metres / kMetresPerStatuteMile : 0.0;
}

// Truncates toward zero like a C cast, but pins values an int cannot hold so
// a corrupt file cannot trigger undefined behaviour.
int TruncToInt(double v) {
    if (std::isnan(v)) return 0;
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    if (v <= lo) return std::numeric_limits<int>::min();
    if (v >= hi) return std::numeric_limits<int>::max();
    return static_cast<int>(v);
}

}  // namespace

CCoordinate::CCoordinate(const CCoordinate& other)
    : latitude(other.latitude), longitude(other.longitude), tag(other.tag) {}

CCoordinate& CCoordinate::operator=(const CCoordinate& other) {
    latitude = other.latitude;
    longitude = other.longitude;
    tag = other.tag;
    return *this;
}

QString CCoordinate::FormatInto(const CDegMinSec& angle, char letter, bool withLetter) const {
    const int d = TruncToInt(angle.degrees);
    const int m = TruncToInt(angle.minutes);
    const int s = TruncToInt(angle.seconds);
    // C printf on purpose: negative parts print as "-12" and "-30", which is
    // what users have always seen for such values.
    char buf[64];
    if (withLetter)
        std::snprintf(buf, sizeof buf, "%c%03d-%02d-%02d", letter, d, m, s);
    else
        std::snprintf(buf, sizeof buf, "%03d%02d%02d", d, m, s);
    text = QString::fromLatin1(buf);
    return text;
}

QString CCoordinate::LatitudeText(bool withLetter) const {
    return FormatInto(latitude, 'N', withLetter);
}

QString CCoordinate::LongitudeText(bool withLetter) const {
    return FormatInto(longitude, 'W', withLetter);
}

double CCoordinate::DistanceTo(const CCoordinate& b) const {
    const double latA = latitude.ToDecimalDegrees();
    const double lonA = longitude.ToDecimalDegrees();
    const double latB = b.latitude.ToDecimalDegrees();
    const double lonB = b.longitude.ToDecimalDegrees();
    if (latA == latB && lonA == lonB) return 0.0;
    return GeodesicMiles(latA, lonA, latB, lonB);
}

void CCoordinate::Serialize(CArchive& ar) {
    CDegMinSec* parts[] = {&latitude, &longitude};
    if (ar.IsStoring()) {
        for (const CDegMinSec* p : parts) {
            ar.WriteF64(p->degrees);
            ar.WriteF64(p->minutes);
            ar.WriteF64(p->seconds);
        }
    } else {
        for (CDegMinSec* p : parts) {
            p->degrees = ar.ReadF64();
            p->minutes = ar.ReadF64();
            p->seconds = ar.ReadF64();
        }
    }
}
