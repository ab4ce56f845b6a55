#pragma once

#include <QPen>
#include <QPoint>
#include <vector>

class QPainter;

// Strokes the points in order with pen, leaving the painter's pen and brush
// as they were. Fewer than two points draw nothing.
void DrawPolyline(QPainter& p, const QPen& pen, const std::vector<QPoint>& points);
