// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPen>
#include <QPoint>
#include <QRect>
#include <vector>

class QPainter;
class QPainterPath;

// Red lines are stroked as filled outlines rather than with the painter's
// line drawing: a filled outline lands on the same pixels wherever the
// painter is translated or clipped, so a scrolled or partly repainted view
// shows exactly the picture composed as a whole. (Qt's one-pixel lines start
// their stepping anew at every device edge.)

// Points lie on pixel centres for odd widths, between pixels for even ones,
// so a width of w covers exactly w pixels across the line.
double StrokeOffset(int width);

// Strokes path (in pixel-centre coordinates) with the pen's width, caps,
// joins and colour; leaves the painter's pen and brush as they were.
void StrokePath(QPainter& p, const QPen& pen, const QPainterPath& path);

// The points in order; fewer than two draw nothing.
void DrawPolyline(QPainter& p, const QPen& pen, const std::vector<QPoint>& points);

// The outline of the pixels from (left, top) to (right - 1, bottom - 1):
// a rectangle or the ellipse inside it.
void DrawFrame(QPainter& p, const QPen& pen, const QRect& pixels, bool ellipse);
