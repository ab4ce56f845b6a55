// SPDX-License-Identifier: GPL-3.0-or-later
#include "georef/CalibrationFit.h"

#include <algorithm>
#include <cmath>

namespace georef {
namespace {

// Least-squares line v = a + b*u; false when u does not vary.
bool FitLine(const std::vector<double>& u, const std::vector<double>& v, double& a, double& b) {
    const double n = double(u.size());
    if (n < 2) return false;
    double mu = 0, mv = 0;
    for (size_t i = 0; i < u.size(); ++i) {
        mu += u[i];
        mv += v[i];
    }
    mu /= n;
    mv /= n;
    double suu = 0, suv = 0;
    for (size_t i = 0; i < u.size(); ++i) {
        suu += (u[i] - mu) * (u[i] - mu);
        suv += (u[i] - mu) * (v[i] - mv);
    }
    if (!(suu > 0)) return false;
    b = suv / suu;
    a = mv - b * mu;
    return std::isfinite(a) && std::isfinite(b);
}

// Solves the 3x3 system m * s = r by Cramer's rule; false when singular.
bool Solve3(const double m[3][3], const double r[3], double s[3]) {
    auto det3 = [](const double a[3][3]) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
               a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
               a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    const double d = det3(m);
    if (!std::isfinite(d) || std::fabs(d) < 1e-12) return false;
    for (int c = 0; c < 3; ++c) {
        double t[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) t[i][j] = j == c ? r[i] : m[i][j];
        s[c] = det3(t) / d;
    }
    return true;
}

}  // namespace

std::vector<GeoSample> SampleGrid(int width, int height, int steps) {
    std::vector<GeoSample> out;
    for (int j = 0; j <= steps; ++j)
        for (int i = 0; i <= steps; ++i)
            out.push_back({double(width) * i / steps, double(height) * j / steps, 0, 0});
    return out;
}

double MetresBetween(double lat1, double lon1, double lat2, double lon2) {
    constexpr double kRadius = 6371008.8;
    constexpr double kRad = M_PI / 180.0;
    const double dlat = (lat2 - lat1) * kRad;
    const double dlon = (lon2 - lon1) * kRad;
    const double h =
        std::sin(dlat / 2) * std::sin(dlat / 2) +
        std::cos(lat1 * kRad) * std::cos(lat2 * kRad) * std::sin(dlon / 2) * std::sin(dlon / 2);
    return 2 * kRadius * std::asin(std::min(1.0, std::sqrt(h)));
}

TwoPointFit FitTwoPoints(const std::vector<GeoSample>& samples, int width, int height) {
    TwoPointFit fit;
    if (width <= 0 || height <= 0) return fit;
    std::vector<double> xs, ys, lons, lats;
    for (const GeoSample& s : samples) {
        xs.push_back(s.x);
        ys.push_back(s.y);
        lons.push_back(-s.lon);  // the program counts longitude west
        lats.push_back(s.lat);
    }
    double a = 0, b = 0, c = 0, d = 0;
    if (!FitLine(xs, lons, a, b) || !FitLine(ys, lats, c, d) || b == 0 || d == 0) return fit;
    Calibration& cal = fit.calibration;
    cal.x1 = 0;
    cal.y1 = 0;
    cal.x2 = width;
    cal.y2 = height;
    cal.lon1 = a;
    cal.lon2 = a + b * width;
    cal.lat1 = c;
    cal.lat2 = c + d * height;
    for (const GeoSample& s : samples) {
        const double lonW = a + b * s.x;
        const double lat = c + d * s.y;
        fit.maxErrorMetres = std::max(fit.maxErrorMetres, MetresBetween(lat, -lonW, s.lat, s.lon));
        // Where the model puts the sample's true position.
        const double px = (-s.lon - a) / b;
        const double py = (s.lat - c) / d;
        fit.maxErrorPixels = std::max(fit.maxErrorPixels, std::hypot(px - s.x, py - s.y));
    }
    fit.ok = std::isfinite(fit.maxErrorMetres) && std::isfinite(fit.maxErrorPixels) &&
             std::isfinite(cal.lon2) && std::isfinite(cal.lat2);
    return fit;
}

bool FitAffine(const std::vector<GeoSample>& points, Affine& out) {
    if (points.size() < 2) return false;
    // Spread of the pixels: an affine fit needs them off one line.
    double m[3][3] = {};
    double rx[3] = {}, ry[3] = {};
    for (const GeoSample& p : points) {
        const double v[3] = {1, p.x, p.y};
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) m[i][j] += v[i] * v[j];
            rx[i] += v[i] * p.lon;
            ry[i] += v[i] * p.lat;
        }
    }
    double sx[3], sy[3];
    if (points.size() >= 3 && Solve3(m, rx, sx) && Solve3(m, ry, sy)) {
        out = {sx[0], sx[1], sx[2], sy[0], sy[1], sy[2]};
        if (IsUsable(out)) return true;
    }
    std::vector<double> xs, ys, lons, lats;
    for (const GeoSample& p : points) {
        xs.push_back(p.x);
        ys.push_back(p.y);
        lons.push_back(p.lon);
        lats.push_back(p.lat);
    }
    double a = 0, b = 0, c = 0, d = 0;
    if (!FitLine(xs, lons, a, b) || !FitLine(ys, lats, c, d)) return false;
    out = {a, b, 0, c, 0, d};
    return IsUsable(out);
}

}  // namespace georef
