// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>

#include "framework/RectL.h"

// Where the magnifier lens sits and which part of the frozen view it shows.
// Everything here works in overlay client pixels; `bounds` keeps right and
// bottom exclusive.
namespace lens {

inline constexpr int kRectangular = 0;
inline constexpr int kRound = 1;
inline constexpr int kDefaultShape = kRectangular;
inline constexpr int kDefaultZoom = 20;
inline constexpr int kDefaultSize = 100;
// Larger lenses would only be a stored value gone wrong.
inline constexpr int kMaxSize = 1000;

struct Settings {
    int shape = kDefaultShape;
    int size = kDefaultSize;
    int zoom = kDefaultZoom;
    bool operator==(const Settings&) const = default;
};

// Stored settings are read back unchecked. A zoom that would divide by zero
// or leave an empty source square, and a size that is not a sensible window,
// fall back to their defaults; anything else works as stored, including
// values the properties sheet would never offer (size 130, zoom 15).
Settings SanitizedLens(int shape, int size, int zoom);

// Top-left corner of the size x size lens for the mouse point: centred on
// it where possible, pushed back inside `bounds` otherwise.
QPoint LensPosition(QPoint mouse, int size, const RectL& bounds);

// Side of the source square: (size / zoom) * 10, the division first, so
// the true enlargement is size / src.
int SourceSide(int size, int zoom);

// Origin of the src x src source square around `centre`. When both edges
// are near, the right/bottom rule wins.
QPoint SourceOrigin(QPoint centre, int src, const RectL& bounds);

// Origin of the unscaled size x size area that fills the round lens's
// corners, so they show the view at about their own place.
QPoint UnmagnifiedOrigin(QPoint sourceOrigin, int src, int size, const RectL& bounds);

}  // namespace lens
