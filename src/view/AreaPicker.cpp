// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/AreaPicker.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "document/TarnLocation.h"

namespace {
const QColor kOutline(220, 0, 0);
}  // namespace

CAreaPicker::CAreaPicker(CTarnLocation& l, QWidget* parent) : CShrunkLocation(parent), location(l) {
    setObjectName("areaPicker");
    setMinimumSize(200, 140);
    setCursor(Qt::CrossCursor);
}

void CAreaPicker::SetRectangle(const QRect& logical) {
    chosen = logical;
    update();
}

QPoint CAreaPicker::ToLogical(QPointF at) const {
    const QRectF whole = LocationRect();
    const double s = Scale() * location.maps.zoom;
    const QSize extent = location.ZoomedExtent();
    if (whole.isEmpty() || s <= 0) return QPoint();
    const int x = int(std::lround((at.x() - whole.left()) / s));
    const int y = int(std::lround((at.y() - whole.top()) / s));
    return QPoint(std::clamp(x, 0, extent.width()), std::clamp(y, 0, extent.height()));
}

QRectF CAreaPicker::ToWidget(const QRect& logical) const {
    const QRectF whole = LocationRect();
    const double s = Scale() * location.maps.zoom;
    return QRectF(whole.left() + logical.x() * s, whole.top() + logical.y() * s,
                  logical.width() * s, logical.height() * s);
}

void CAreaPicker::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintLocation(p);
    if (chosen.isEmpty() || LocationRect().isEmpty()) return;
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kOutline, 2, Qt::DashLine));
    p.setBrush(QColor(220, 0, 0, 40));
    p.drawRect(ToWidget(chosen));
}

void CAreaPicker::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || LocationRect().isEmpty()) return;
    dragging = true;
    anchor = ToLogical(e->position());
}

void CAreaPicker::mouseMoveEvent(QMouseEvent* e) {
    if (dragging) DragTo(e->position());
}

void CAreaPicker::mouseReleaseEvent(QMouseEvent* e) {
    if (!dragging || e->button() != Qt::LeftButton) return;
    DragTo(e->position());
    dragging = false;
    // A click without a drag keeps the rectangle there was.
    if (chosen.width() > 0 && chosen.height() > 0) emit rectangleDragged(chosen);
}

void CAreaPicker::DragTo(QPointF at) {
    const QPoint to = ToLogical(at);
    const QRect dragged = QRect(anchor, to).normalized();
    // QRect's corner form counts both ends; the dragged area is end-exclusive.
    const QRect area(dragged.topLeft(), QSize(dragged.width() - 1, dragged.height() - 1));
    if (area.width() > 0 && area.height() > 0) SetRectangle(area);
}
