// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <memory>

#include "document/TarnLocation.h"

namespace gpxtest {

// The reference points of a 2000 x 1500 location over a lake in the
// north-west quarter: the longitude falls to the right, the latitude falls
// downwards.
inline void Calibrate(CTarnLocation& l) {
    l.lon1 = 93.80;
    l.x1 = 0;
    l.lon2 = 93.40;
    l.x2 = 2000;
    l.lat1 = 46.40;
    l.y1 = 0;
    l.lat2 = 46.10;
    l.y2 = 1500;
}

// That location, nothing on it yet.
inline std::unique_ptr<CTarnLocation> CalibratedLocation() {
    auto l = std::make_unique<CTarnLocation>();
    Calibrate(*l);
    l->maps.extentWidth = 2000;
    l->maps.extentHeight = 1500;
    return l;
}

// A GPX 1.1 file around body.
inline QByteArray Gpx(const QByteArray& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<gpx version=\"1.1\" creator=\"test\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n" +
           body + "</gpx>\n";
}

// The location's bytes as the document writes them.
QByteArray LocationBytes(CTarnLocation& location);

}  // namespace gpxtest
