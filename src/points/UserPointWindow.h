// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class CUserInfoPoint;
class CUserInfoPointList;

// The window of a user info point on the map, lying over the icon the
// view paints: its name as tool tip, dragging within the view, a context
// menu with Setup and Information, and Information on a double-click. What the commands do is the
// view's business: the window only asks through its signals.
class CUserPointWindow : public QWidget {
    Q_OBJECT
public:
    CUserPointWindow(CUserInfoPoint& point, CUserInfoPointList& list, QWidget* parent);

    CUserInfoPoint& Point() { return point; }
    bool IsDragging() const { return dragging; }
    int draggable = 1;

signals:
    void setupRequested(CUserInfoPoint& point);
    void informationRequested(CUserInfoPoint& point);
    // The user dragged the point to a new place.
    void moved(CUserInfoPoint& point);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    CUserInfoPoint& point;
    CUserInfoPointList& list;
    bool dragging = false;
    QPoint dragOffset;
};
