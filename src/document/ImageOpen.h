// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "georef/Georeference.h"

class CTarnLocation;

// Opening a map image directly as a one-map location.
namespace imageopen {

// Whether path is read as a map image rather than a location: its name
// ends in an image ending, or (for a name that ends neither in "fnm" nor
// "qlt") the file's bytes begin as a JPEG, PNG, TIFF or GIF does.
bool OpensAsImage(const QString& path);

// path with its image ending replaced by "fnm" (".fnm" added to a name
// without one).
QString WithLocationEnding(const QString& path);

// After the single map is loaded: when its image is georeferenced the
// location takes that calibration; a georeference that bends or cannot be
// used is reported to the user. Returns what was found.
georef::Georeference TakeGeoreference(CTarnLocation& location, const QString& shownName);

}  // namespace imageopen
