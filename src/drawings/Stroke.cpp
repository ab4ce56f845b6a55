// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/Stroke.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <algorithm>
#include <climits>

double StrokeOffset(int width) {
    return width % 2 ? 0.5 : 0.0;
}

void StrokePath(QPainter& p, const QPen& pen, const QPainterPath& path) {
    QPainterPathStroker stroker;
    stroker.setWidth(pen.widthF());
    stroker.setCapStyle(pen.capStyle());
    stroker.setJoinStyle(pen.joinStyle());
    const bool antialiased = p.testRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillPath(stroker.createStroke(path), pen.color());
    p.setRenderHint(QPainter::Antialiasing, antialiased);
}

void DrawPolyline(QPainter& p, const QPen& pen, const std::vector<QPoint>& points) {
    if (points.size() < 2) return;
    const double d = StrokeOffset(pen.width());
    QPainterPath path;
    path.reserve(int(std::min<size_t>(points.size(), INT_MAX)));
    path.moveTo(points[0].x() + d, points[0].y() + d);
    for (size_t i = 1; i < points.size(); ++i) path.lineTo(points[i].x() + d, points[i].y() + d);
    StrokePath(p, pen, path);
}

void DrawFrame(QPainter& p, const QPen& pen, const QRect& pixels, bool ellipse) {
    const double d = StrokeOffset(pen.width());
    const QRectF frame(pixels.x() + d, pixels.y() + d, pixels.width() - 1, pixels.height() - 1);
    QPainterPath path;
    if (ellipse)
        path.addEllipse(frame);
    else
        path.addRect(frame);
    StrokePath(p, pen, path);
}
