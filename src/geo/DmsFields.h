// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An angle as a dialog shows it in three whole-number fields (degrees,
// minutes, seconds), remembering the exact value it was shown from.
//
// Cutting each part would turn 27.2 (27 11 59.99999999999 in binary) into
// 27 11 59, and taking that back on OK would move the value without any
// edit. So a value within a millionth of a second of a whole second shows
// that second, carried into minutes and degrees; anything else is cut. And
// fields the user did not change give back the exact value.
struct DmsFields {
    DmsFields() = default;
    explicit DmsFields(double decimalDegrees);

    // The value for what is now in the fields.
    double Read(const int (&typed)[3]) const;
    bool operator==(const DmsFields&) const = default;

    double value = 0.0;
    int parts[3] = {};
};

// Whole part toward zero, pinned to what an int holds (NaN gives 0).
int TruncateToInt(double v);
