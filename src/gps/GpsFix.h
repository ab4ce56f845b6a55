// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QTimeZone>
#include <cmath>
#include <limits>

// One position report from a receiver. Latitude is north-positive and
// longitude east-positive, as receivers give them; the program's own
// coordinates count west, so a lake in Minnesota has a negative longitude
// here. Unknown values are NaN.
struct GpsFix {
    enum Quality { NoFix = 0, Fix2D = 2, Fix3D = 3 };

    QDateTime time;  // UTC
    double lat = std::numeric_limits<double>::quiet_NaN();
    double lon = std::numeric_limits<double>::quiet_NaN();
    double elevation = std::numeric_limits<double>::quiet_NaN();  // metres above sea level
    double speed = std::numeric_limits<double>::quiet_NaN();      // metres a second
    double heading = std::numeric_limits<double>::quiet_NaN();    // degrees from true north
    int quality = NoFix;
    bool differential = false;

    bool HasPosition() const {
        return quality != NoFix && std::isfinite(lat) && std::isfinite(lon) &&
               std::fabs(lat) <= 90.0 && std::fabs(lon) <= 180.0;
    }
};

Q_DECLARE_METATYPE(GpsFix)
