// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "geo/Calibration.h"
#include "georef/WorldFile.h"

namespace georef {

// A pixel of an image (corner convention: (0, 0) is the top-left corner)
// and where it lies on the globe, degrees, east and north positive.
struct GeoSample {
    double x = 0;
    double y = 0;
    double lon = 0;
    double lat = 0;
};

// The pixels at which an image's georeference is compared with the
// program's model: a grid of (steps + 1) x (steps + 1) points from corner
// to corner, edges included. lon and lat are left 0.
std::vector<GeoSample> SampleGrid(int width, int height, int steps = 16);

// The best two-point calibration through samples: longitude linear in x
// alone and latitude in y alone (least squares on each axis), with its
// reference points at the image's corners (0, 0) and (width, height).
struct TwoPointFit {
    bool ok = false;
    Calibration calibration;
    // Furthest any sample lies from where the calibration puts it.
    double maxErrorMetres = 0;
    double maxErrorPixels = 0;
    // The image's georeference is no straight line per axis: somewhere it
    // is more than half a pixel away from the two-point model.
    bool Bends() const { return maxErrorPixels > 0.5; }
};
TwoPointFit FitTwoPoints(const std::vector<GeoSample>& samples, int width, int height);

// The affine transform from pixels to (lon, lat) or map coordinates that
// fits points best (least squares, the point's lon/lat as X/Y). With two
// points, or all of them on one line, each axis takes only its own pixel
// coordinate. False when no such transform exists (points on one pixel).
bool FitAffine(const std::vector<GeoSample>& points, Affine& out);

// Metres between two positions on a sphere of the Earth's mean radius.
double MetresBetween(double lat1, double lon1, double lat2, double lon2);

}  // namespace georef
