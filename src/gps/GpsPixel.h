// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <cmath>
#include <optional>

#include "geo/Calibration.h"

// The location pixel of a receiver's position (north-positive latitude,
// east-positive longitude) through the location's two reference points,
// without the rounding of degrees, minutes and seconds. None when an axis
// of the calibration is degenerate or the position is not finite.
inline std::optional<QPointF> CalibratedPixel(const Calibration& c, double lat, double lonEast) {
    const double west = -lonEast;
    if (c.lon2 == c.lon1 || c.lat2 == c.lat1 || !std::isfinite(lat) || !std::isfinite(west))
        return std::nullopt;
    const double x = (west - c.lon1) * (c.x2 - c.x1) / (c.lon2 - c.lon1) + c.x1;
    const double y = (lat - c.lat1) * (c.y2 - c.y1) / (c.lat2 - c.lat1) + c.y1;
    if (!std::isfinite(x) || !std::isfinite(y) || std::fabs(x) > 1e8 || std::fabs(y) > 1e8)
        return std::nullopt;
    return QPointF(x, y);
}
