// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "georef/CalibrationFit.h"

namespace georef {

// What an image says about where it lies on the globe.
struct Georeference {
    enum class Status {
        None,      // nothing: an ordinary map image
        Found,     // fit holds the calibration
        Unusable,  // a georeference is there but cannot be used (problem says why)
    };
    Status status = Status::None;
    // Where it came from: "GeoTIFF tags", "world file west.jgw", "OziExplorer map west.map".
    QString source;
    // The coordinate reference system it is given in, with "(assumed)" where
    // a world file has no .prj.
    QString crs;
    QString problem;
    TwoPointFit fit;

    bool Found() const { return status == Status::Found; }
};

// Looks for the georeference of the image at imagePath, width x height
// pixels: GeoTIFF tags inside a TIFF, then a world file beside the image
// (.jgw, .pgw, .tfw, .gfw, .bpw, the four-letter forms or .wld, any case)
// with a .prj or WGS 84 assumed, then an OziExplorer .map of the same
// name. The first one there decides. Never throws; damaged or hostile
// files give Unusable with the reason.
Georeference FindGeoreference(const QString& imagePath, int width, int height);

// The lines fnm info prints for it (each ending in a newline), empty for None.
QString Describe(const Georeference& g);

// What the user is told when such an image is opened: empty when it is not
// georeferenced or fits the program's model.
QString OpenMessage(const Georeference& g, const QString& shownName);

}  // namespace georef
