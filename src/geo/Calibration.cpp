// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/Calibration.h"

#include <cmath>

#include "geo/Coordinate.h"

namespace {

bool AllZero(double a, double b, double c, double d) {
    return a == 0.0 && b == 0.0 && c == 0.0 && d == 0.0;
}

// Slope of a calibration axis. A zero run (both points on one pixel or one
// degree value) or an overflow gives 0, i.e. a flat axis.
double Slope(double rise, double run) {
    if (run == 0.0) return 0.0;
    const double s = rise / run;
    return std::isfinite(s) ? s : 0.0;
}

// Point on the axis line; falls back to point 1 if the arithmetic still
// overflows (absurd calibration values from a damaged file).
double OnLine(double slope, double from, double origin, double base) {
    const double v = slope * (from - origin) + base;
    return std::isfinite(v) ? v : (std::isfinite(base) ? base : 0.0);
}

}  // namespace

void Calibration::PixelToCoordinate(int x, int y, CCoordinate& out) const {
    if (AllZero(lon1, lon2, x1, x2)) {
        out.longitude.FromDecimalDegrees(0.0);
        return;
    }
    out.longitude.FromDecimalDegrees(OnLine(Slope(lon2 - lon1, x2 - x1), x, x1, lon1));
    if (AllZero(lat1, lat2, y1, y2)) {
        out.latitude.FromDecimalDegrees(0.0);
        return;
    }
    out.latitude.FromDecimalDegrees(OnLine(Slope(lat2 - lat1, y2 - y1), y, y1, lat1));
}

double Calibration::LongitudeToX(const CCoordinate& c) const {
    if (AllZero(lon1, lon2, x1, x2)) return 0.0;
    return OnLine(Slope(x2 - x1, lon2 - lon1), c.longitude.ToDecimalDegrees(), lon1, x1);
}

double Calibration::LatitudeToY(const CCoordinate& c) const {
    if (AllZero(lat1, lat2, y1, y2)) return 0.0;
    return OnLine(Slope(y2 - y1, lat2 - lat1), c.latitude.ToDecimalDegrees(), lat1, y1);
}

bool InAllowedMappingArea(int x, int y, int extentWidth, int extentHeight, double drawingZoom) {
    const double w = std::trunc(extentWidth * drawingZoom);
    const double h = std::trunc(extentHeight * drawingZoom);
    return 0 < x && x < w && 0 < y && y < h;
}
