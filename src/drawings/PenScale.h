// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Widens the solid pens of the drawings made on this thread while it lives.
// A print draws the lines with the map's transform but wants them as wide
// as the screen shows them, in device-independent pixels, at any scale:
// it sets the factor that undoes the map's scale for the pen alone.
class CPenScale {
public:
    explicit CPenScale(double factor);
    ~CPenScale();
    CPenScale(const CPenScale&) = delete;
    CPenScale& operator=(const CPenScale&) = delete;

    // 1 unless a CPenScale is alive.
    static double Current();

private:
    double previous;
};
