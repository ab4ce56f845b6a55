#include "geo/Coordinate.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "framework/Archive.h"

namespace {

constexpr double kEarthRadiusMiles = 3446.316230441;

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
    const double la = latitude.ToScaledRadians();
    const double oa = longitude.ToScaledRadians();
    const double lb = b.latitude.ToScaledRadians();
    const double ob = b.longitude.ToScaledRadians();
    const double dlat = lb - la;
    const double dlon = ob - oa;
    if (dlat == 0.0 && dlon == 0.0) return 0.0;
    const double h =
        (1.0 - std::cos(dlon)) * 0.5 * std::cos(lb) * std::cos(la) + (1.0 - std::cos(dlat)) * 0.5;
    // Rounding, or latitudes past the pole, can push the argument just
    // outside acos's domain; clamp rather than return NaN.
    const double c = std::clamp(1.0 + h * -2.0, -1.0, 1.0);
    return std::acos(c) * kEarthRadiusMiles;
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
