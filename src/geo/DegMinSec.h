// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An angle kept as separate degrees, minutes and seconds. Each part carries
// its own sign, so a value read from a file or typed by the user is kept as is.
class CDegMinSec {
public:
    CDegMinSec() = default;
    CDegMinSec(double deg, double min, double sec) : degrees(deg), minutes(min), seconds(sec) {}
    CDegMinSec(const CDegMinSec&) = default;
    CDegMinSec& operator=(const CDegMinSec&) = default;
    virtual ~CDegMinSec() = default;

    double ToDecimalDegrees() const;
    // Splits x into whole degrees, whole minutes and fractional seconds; every
    // part takes the sign of x.
    void FromDecimalDegrees(double x);
    // Radians stretched by 6076.115 / 5280, the nautical-to-statute mile
    // factor. Not a true angle, so distances do not use it.
    double ToScaledRadians() const;

    double degrees = 0.0;
    double minutes = 0.0;
    double seconds = 0.0;
};
