// SPDX-License-Identifier: GPL-3.0-or-later
#include "gps/TrackLog.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double kMetresPerDegree = 111320.0;
// A straight run longer than this many fixes is cut, so a check costs little.
constexpr size_t kMaxDropped = 256;

double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0.0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}
}  // namespace

CTrackLog::CTrackLog(double minStepMetres, double toleranceMetres, size_t maxPointCount)
    : minStep(minStepMetres),
      tolerance(toleranceMetres),
      maxPoints(std::max<size_t>(maxPointCount, 16)) {}

void CTrackLog::Clear() {
    points.clear();
    dropped.clear();
    offered = 0;
}

CTrackLog::Local CTrackLog::ToLocal(const gpx::TimedPoint& p) const {
    return {p.lon * cosLat * kMetresPerDegree, p.lat * kMetresPerDegree};
}

bool CTrackLog::WithinTolerance(const Local& a, const Local& b) const {
    for (const Local& d : dropped)
        if (SegmentDistance(d.x, d.y, a.x, a.y, b.x, b.y) > tolerance) return false;
    return true;
}

CTrackLog::Change CTrackLog::Add(const GpsFix& fix) {
    ++offered;
    if (!fix.HasPosition()) return Change::None;
    gpx::TimedPoint p{fix.lat, fix.lon, fix.elevation, fix.time};
    if (points.empty()) {
        cosLat = std::cos(fix.lat * std::numbers::pi / 180.0);
        points.push_back(p);
        return Change::Appended;
    }
    const Local here = ToLocal(p);
    const Local last = ToLocal(points.back());
    if (std::hypot(here.x - last.x, here.y - last.y) < minStep) return Change::None;
    if (points.size() >= 2 && dropped.size() < kMaxDropped) {
        const Local anchor = ToLocal(points[points.size() - 2]);
        dropped.push_back(last);
        if (WithinTolerance(anchor, here)) {
            points.back() = p;
            return Change::LastMoved;
        }
    }
    dropped.clear();
    points.push_back(p);
    if (points.size() > maxPoints) Decimate();
    return Change::Appended;
}

void CTrackLog::Decimate() {
    // The older half loses every other point; the newest stay as they are.
    const size_t half = points.size() / 2;
    std::vector<gpx::TimedPoint> kept;
    kept.reserve(points.size());
    for (size_t i = 0; i < half; ++i)
        if (i % 2 == 0) kept.push_back(points[i]);
    kept.insert(kept.end(), points.begin() + static_cast<std::ptrdiff_t>(half), points.end());
    points.swap(kept);
}
