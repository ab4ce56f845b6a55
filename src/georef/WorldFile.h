// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <array>

namespace georef {

// Pixel to map coordinates, as GDAL orders them: X = t[0] + col*t[1] +
// row*t[2], Y = t[3] + col*t[4] + row*t[5], where (0, 0) is the top-left
// corner of the top-left pixel.
using Affine = std::array<double, 6>;

// Whether t maps pixels to a plane at all: finite, and a non-zero area.
bool IsUsable(const Affine& t);

struct WorldFile {
    bool ok = false;
    Affine transform{};
    // Why the file cannot be used, when !ok.
    QString problem;
};

// A world file (.jgw, .pgw, .tfw, .wld, ...): six numbers, one a line, for
// the X size of a pixel, the two rotations, the Y size and the centre of
// the top-left pixel. Anything else (missing or extra numbers, words,
// NaN, infinity, a zero scale) gives !ok with the reason.
WorldFile ParseWorldFile(QByteArrayView bytes);

// World files larger than this are not world files.
inline constexpr qsizetype kMaxSidecarBytes = 1 << 16;

}  // namespace georef
