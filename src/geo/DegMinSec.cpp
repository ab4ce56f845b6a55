// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/DegMinSec.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr double kPerSixty = 0.016666666666666666;
constexpr double kRadiansPerSecond = 4.848136811095274e-06;
constexpr double kFeetPerNauticalMile = 6076.115;
constexpr double kMilesPerFoot = 0.0001893939393939394;

// Whole degrees go through a 32-bit integer. Out-of-range and NaN input is
// pinned first so the conversion never becomes undefined behaviour.
double WholeDegrees(double x) {
    if (std::isnan(x)) return 0.0;
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    if (x <= lo) return lo;
    if (x >= hi) return hi;
    return static_cast<double>(static_cast<int32_t>(x));
}

}  // namespace

double CDegMinSec::ToDecimalDegrees() const {
    // Order matters: files written earlier hold values rounded this way.
    return seconds * kPerSixty * kPerSixty + minutes * kPerSixty + degrees;
}

void CDegMinSec::FromDecimalDegrees(double x) {
    degrees = WholeDegrees(x);
    const double r = (x - degrees) * 60.0;
    minutes = std::trunc(r);
    seconds = (r - minutes) * 60.0;
}

double CDegMinSec::ToScaledRadians() const {
    double a = ((std::fabs(degrees) * 60.0 + std::fabs(minutes)) * 60.0 + std::fabs(seconds)) *
               kRadiansPerSecond;
    // A single negative part makes the whole angle negative.
    if (degrees < 0.0 || minutes < 0.0 || seconds < 0.0) a = -a;
    return a * kFeetPerNauticalMile * kMilesPerFoot;
}
