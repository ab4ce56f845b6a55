// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <vector>

namespace georef {

// One calibration point of an OziExplorer map: an image pixel and its
// latitude and longitude (degrees, north and east positive) in the map's
// datum.
struct OziPoint {
    double x = 0;
    double y = 0;
    double lat = 0;
    double lon = 0;
};

struct OziMap {
    bool ok = false;
    QString problem;
    QString imageName;
    QString datum;       // "WGS 84", "NAD27 CONUS", ...
    QString projection;  // "Latitude/Longitude", "Mercator", "(UTM) Universal Transverse Mercator"
    // The numbers of the "Projection Setup" line, as written (empty fields
    // are 0): latitude and longitude of origin, scale, false easting and
    // northing, standard parallels.
    std::vector<double> projectionSetup;
    std::vector<OziPoint> points;
    // "IWH": the image size the map was made for, 0 when not given.
    int width = 0;
    int height = 0;
};

// An OziExplorer ".map" file (text, version 2.x). Takes the Point lines
// that give a latitude and longitude and, when fewer than two do, the
// MMPXY/MMPLL corner pairs. !ok with the reason for anything else: no
// header, fewer than two usable points, numbers out of range.
OziMap ParseOziMap(QByteArrayView bytes);

inline constexpr qsizetype kMaxOziMapBytes = 1 << 20;

}  // namespace georef
