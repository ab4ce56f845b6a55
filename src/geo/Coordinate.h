// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

#include "geo/DegMinSec.h"

class CArchive;

// A map position. Longitude counts positive to the west, as everywhere in
// the program.
class CCoordinate {
public:
    CCoordinate() = default;
    // The text scratch buffer belongs to each object and is never copied.
    CCoordinate(const CCoordinate& other);
    CCoordinate& operator=(const CCoordinate& other);
    virtual ~CCoordinate() = default;

    // "N044-30-00" with the letter, "0443000" without.
    QString LatitudeText(bool withLetter) const;
    // "W093-15-00" with the letter, "0931500" without.
    QString LongitudeText(bool withLetter) const;

    // Distance along the WGS 84 ellipsoid in statute miles. Identical
    // positions give exactly zero, as does a position that is not finite.
    double DistanceTo(const CCoordinate& b) const;

    // Six doubles: latitude degrees, minutes, seconds, then longitude.
    void Serialize(CArchive& ar);

    CDegMinSec latitude;
    CDegMinSec longitude;
    int32_t tag = 0;
    // Holds the last text produced by LatitudeText/LongitudeText.
    mutable QString text;

private:
    QString FormatInto(const CDegMinSec& angle, char letter, bool withLetter) const;
};
