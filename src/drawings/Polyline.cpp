#include "drawings/Polyline.h"

#include <QPainter>

void DrawPolyline(QPainter& p, const QPen& pen, const std::vector<QPoint>& points) {
    if (points.size() < 2) return;
    p.save();
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points.data(), int(points.size()));
    p.restore();
}
