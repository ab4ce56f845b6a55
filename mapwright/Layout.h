// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QSize>
#include <vector>

#include "framework/RectL.h"

// Geometry of arranging map entries on the location surface. Plain
// functions over placements, so every rule can be checked without a window.
namespace layout {

// Smallest width or height a stretched entry may get.
inline constexpr int kMinSize = 4;
// The reader never makes the surface smaller than this.
inline constexpr int kMinExtent = 1000;

enum class Corner { TopLeft, TopRight, BottomLeft, BottomRight };

// The surface as the reader rebuilds it: at least 1000 x 1000, otherwise as
// far as the farthest right and bottom edges.
QSize ExtentOf(const std::vector<RectL>& placements);

// A new image goes to the right of everything placed so far, at the top.
RectL PlaceToTheRight(const std::vector<RectL>& placements, QSize imageSize);

// start moved by offset, then pulled so that its nearest edge lies on an
// edge of one of the others (or the surface's left or top edge) when that
// is within tolerance; each axis on its own. Never left of or above 0.
RectL SnapMove(const RectL& start, QPoint offset, const std::vector<RectL>& others, int tolerance);

// One corner of start dragged by offset while the opposite corner stays.
// The dragged edges snap like a move. With a valid aspect (the image's size)
// the width decides and the height follows it. Never smaller than kMinSize,
// never past the opposite corner, never left of or above 0.
RectL StretchCorner(const RectL& start, Corner corner, QPoint offset,
                    const std::vector<RectL>& others, int tolerance, QSize aspect = QSize());

// Every entry keeps its size; side by side from the origin in list order,
// tops aligned.
std::vector<RectL> ArrangeRow(const std::vector<RectL>& placements);
// Row by row in a grid as square as the count allows; every column is as
// wide as its widest entry and every row as tall as its tallest.
std::vector<RectL> ArrangeGrid(const std::vector<RectL>& placements);
int GridColumns(int count);

// The topmost (last drawn) placement holding p, or -1.
int HitTest(const std::vector<RectL>& placements, QPoint p);

}  // namespace layout
