#pragma once

#include <QByteArray>
#include <memory>

#include "document/TarnLocation.h"

namespace gpxtest {

// A 2000 x 1500 location over a lake in the north-west quarter, nothing on
// it yet: the longitude falls to the right, the latitude falls downwards.
inline std::unique_ptr<CTarnLocation> CalibratedLocation() {
    auto l = std::make_unique<CTarnLocation>();
    l->lon1 = 93.80;
    l->x1 = 0;
    l->lon2 = 93.40;
    l->x2 = 2000;
    l->lat1 = 46.40;
    l->y1 = 0;
    l->lat2 = 46.10;
    l->y2 = 1500;
    l->maps.extentWidth = 2000;
    l->maps.extentHeight = 1500;
    return l;
}

// The location's bytes as the document writes them.
QByteArray LocationBytes(CTarnLocation& location);

}  // namespace gpxtest
