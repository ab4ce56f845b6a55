// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

#include "view/ShrunkLocation.h"

class QMouseEvent;

// The whole location shrunk, on which the user drags the rectangle to
// print. Rectangles are in the view's logical pixels (the zoomed extent).
class CAreaPicker : public CShrunkLocation {
    Q_OBJECT
public:
    explicit CAreaPicker(CTarnLocation& location, QWidget* parent = nullptr);

    // The rectangle outlined; an empty one outlines nothing.
    void SetRectangle(const QRect& logical);
    QRect Rectangle() const { return chosen; }
    // A point of the widget as a logical pixel of the location, kept inside.
    QPoint ToLogical(QPointF widgetPoint) const;
    // The outline of a logical rectangle in widget coordinates.
    QRectF ToWidget(const QRect& logical) const;

    QSize sizeHint() const override { return QSize(320, 220); }

signals:
    // The user dragged out a new rectangle (at least one pixel each way).
    void rectangleDragged(const QRect& logical);

protected:
    CTarnLocation* Shown() const override { return &location; }
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void DragTo(QPointF widgetPoint);

    CTarnLocation& location;
    QRect chosen;
    QPoint anchor;
    bool dragging = false;
};
