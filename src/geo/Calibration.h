// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CCoordinate;

// Two reference points tying map pixels to degrees; each axis is a straight
// line through them. Longitudes count positive to the west.
//
// An axis whose four values are all zero is treated as uncalibrated and maps
// to 0 degrees / pixel 0. An axis whose two points share a pixel or a degree
// value has no usable slope: it is taken as flat (slope 0), so every input
// maps to the value of point 1. That keeps the results finite for any input
// instead of producing inf or NaN positions.
struct Calibration {
    double lon1 = 0.0;
    double lon2 = 1.0;
    double lat1 = 0.0;
    double lat2 = 1.0;
    double x1 = 0.0;
    double x2 = 200.0;
    double y1 = 0.0;
    double y2 = 200.0;

    // When the longitude axis is uncalibrated only the longitude is set; the
    // latitude of `out` is left as it was.
    void PixelToCoordinate(int x, int y, CCoordinate& out) const;
    double LongitudeToX(const CCoordinate& c) const;
    double LatitudeToY(const CCoordinate& c) const;
};

// Whether (x, y) lies strictly inside the zoomed drawing extent; the border
// pixels themselves are not part of the mapping area.
bool InAllowedMappingArea(int x, int y, int extentWidth, int extentHeight, double drawingZoom);
