// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

#include "gps/GpsFix.h"
#include "interchange/Gpx.h"

// The fixes of a trip, thinned to what changes the picture: a fix that
// moved less than minStep from the last one is left out, and a run of fixes
// that lies within tolerance of a straight line keeps only its ends.
// Memory stays bounded however long the receiver streams: past maxPoints, every other older point
// goes. The last point is never farther than minStep from the newest fix.
class CTrackLog {
public:
    enum class Change { None, LastMoved, Appended };

    explicit CTrackLog(double minStepMetres = 3.0, double toleranceMetres = 2.0,
                       size_t maxPoints = 200000);

    Change Add(const GpsFix& fix);
    void Clear();

    const std::vector<gpx::TimedPoint>& Points() const { return points; }
    bool Empty() const { return points.empty(); }
    // Fixes offered and fixes with a position among them.
    size_t Offered() const { return offered; }

private:
    struct Local {
        double x, y;
    };
    Local ToLocal(const gpx::TimedPoint& p) const;
    bool WithinTolerance(const Local& a, const Local& b) const;
    void Decimate();

    double minStep;
    double tolerance;
    size_t maxPoints;
    std::vector<gpx::TimedPoint> points;
    // Fixes dropped since the point before the last one; the segment from
    // there to the last point must stay within tolerance of each of them.
    std::vector<Local> dropped;
    size_t offered = 0;
    double cosLat = 1.0;
};
