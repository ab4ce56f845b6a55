// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/DmsFields.h"

#include <cmath>
#include <limits>

#include "geo/DegMinSec.h"

namespace {
constexpr double kSnapSeconds = 1e-6;
}  // namespace

int TruncateToInt(double v) {
    if (std::isnan(v)) return 0;
    const double t = std::trunc(v);
    if (t >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (t <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(t);
}

DmsFields::DmsFields(double decimalDegrees) : value(decimalDegrees) {
    CDegMinSec a;
    a.FromDecimalDegrees(decimalDegrees);
    double d = a.degrees;
    double m = std::trunc(a.minutes);
    double s = std::trunc(a.seconds);
    const double nearest = std::round(a.seconds);
    if (std::fabs(a.seconds - nearest) < kSnapSeconds) {
        // All parts share the sign of the value, so carries keep it too.
        const double unit = decimalDegrees < 0 ? -1.0 : 1.0;
        s = nearest;
        if (std::fabs(s) >= 60.0) {
            s -= 60.0 * unit;
            m += unit;
        }
        if (std::fabs(m) >= 60.0) {
            m -= 60.0 * unit;
            d += unit;
        }
    }
    parts[0] = TruncateToInt(d);
    parts[1] = TruncateToInt(m);
    parts[2] = TruncateToInt(s);
}

double DmsFields::Read(const int (&typed)[3]) const {
    if (typed[0] == parts[0] && typed[1] == parts[1] && typed[2] == parts[2]) return value;
    return CDegMinSec(typed[0], typed[1], typed[2]).ToDecimalDegrees();
}
