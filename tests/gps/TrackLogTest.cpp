// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "NmeaPlayer.h"
#include "gps/TrackLog.h"

namespace {

constexpr double kMetre = 1.0 / 111320.0;  // degrees of latitude, near enough

GpsFix At(double lat, double lon, int tenths) {
    GpsFix f;
    f.lat = lat;
    f.lon = lon;
    f.elevation = 381.0;
    f.quality = GpsFix::Fix3D;
    f.time = QDateTime(QDate(2026, 6, 21), QTime(12, 0), QTimeZone::utc()).addMSecs(100LL * tenths);
    return f;
}

// Distance in metres from a fix to the track's polyline.
double Off(const std::vector<gpx::TimedPoint>& pts, const GpsFix& f) {
    const double k = std::cos(f.lat * std::numbers::pi / 180.0);
    double best = 1e18;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        const double ax = pts[i].lon * k, ay = pts[i].lat, bx = pts[i + 1].lon * k,
                     by = pts[i + 1].lat, px = f.lon * k, py = f.lat;
        const double dx = bx - ax, dy = by - ay, l2 = dx * dx + dy * dy;
        const double t = l2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / l2, 0.0, 1.0) : 0;
        best = std::min(best, std::hypot(px - ax - t * dx, py - ay - t * dy) / kMetre);
    }
    return best;
}

TEST(TrackLog, StraightRunKeepsItsEnds) {
    CTrackLog log;
    for (int i = 0; i <= 100; ++i) log.Add(At(46.25 + i * 5 * kMetre, -93.6, i));
    ASSERT_EQ(log.Points().size(), 2u);
    EXPECT_DOUBLE_EQ(log.Points().back().lat, 46.25 + 500 * kMetre);
}

TEST(TrackLog, StandingStillAddsNothingAndNoFixIsIgnored) {
    CTrackLog log;
    for (int i = 0; i < 1000; ++i) log.Add(At(46.25 + (i % 2) * kMetre, -93.6, i));
    GpsFix none;
    log.Add(none);
    EXPECT_EQ(log.Points().size(), 1u);
    EXPECT_EQ(log.Offered(), 1001u);
}

TEST(TrackLog, TenHertzForTenMinutesStaysNearEveryFixAndSmall) {
    // The lake loop at ten fixes a second, fast-forwarded.
    CTrackLog log;
    std::vector<GpsFix> fixes;
    for (int i = 0; i < 6000; ++i) {
        const double a = 2 * std::numbers::pi * i / 6000.0;
        fixes.push_back(At(46.25 + 0.008 * std::sin(a), -(93.62 + 0.0115 * std::cos(a)), i));
        log.Add(fixes.back());
    }
    const auto& pts = log.Points();
    EXPECT_LT(pts.size(), 400u);
    EXPECT_GT(pts.size(), 20u);
    for (size_t i = 0; i < fixes.size(); i += 7) ASSERT_LT(Off(pts, fixes[i]), 2.5) << i;
    for (size_t i = 1; i < pts.size(); ++i) EXPECT_LT(pts[i - 1].time, pts[i].time);
}

TEST(TrackLog, HoursOfZigzagStayBounded) {
    // A course that changes at every fix cannot be thinned; the cap holds.
    CTrackLog log(3.0, 2.0, 1000);
    for (int i = 0; i < 36000; ++i)
        log.Add(At(46.2 + (i % 2) * 10 * kMetre, -93.7 + i * 4 * kMetre, i));
    EXPECT_LE(log.Points().size(), 1000u);
    EXPECT_GE(log.Points().size(), 500u);
    // The newest fix is always the track's end.
    EXPECT_NEAR(log.Points().back().lon, -93.7 + 35999 * 4 * kMetre, 1e-12);
}

}  // namespace
