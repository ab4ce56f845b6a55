// SPDX-License-Identifier: GPL-3.0-or-later
#include "points/UserPointWindow.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

#include "points/UserInfoPoint.h"
#include "points/UserInfoPointList.h"
#include "points/UserPointWindowKeeper.h"
#include "resources/CommandCatalog.h"
#include "resources/CommandIds.h"

CUserPointWindow::CUserPointWindow(CUserInfoPoint& p, CUserInfoPointList& l, QWidget* parent)
    : QWidget(parent), point(p), list(l) {
    setFixedSize(CUserInfoPoint::kIconSize, CUserInfoPoint::kIconSize);
    // The view paints the icon with the map; the window is only where the
    // mouse meets the point.
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setToolTip(point.name);
    setWindowTitle(point.name);
    setCursor(Qt::ArrowCursor);
}

void CUserPointWindow::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && draggable) {
        dragOffset = e->position().toPoint();
        dragging = true;
        CUserPointWindowKeeper::SetBusy(this, true);
    }
    QWidget::mousePressEvent(e);
}

void CUserPointWindow::mouseMoveEvent(QMouseEvent* e) {
    if (!dragging) return QWidget::mouseMoveEvent(e);
    QWidget* parent = parentWidget();
    // The icon's new place, in the parent's coordinates; a move that would
    // put any edge on or past the parent's edges is ignored.
    QRect next(mapToParent(e->position().toPoint() - dragOffset), size());
    if (next.left() < 0 || next.top() < 0 || next.left() + next.width() >= parent->width() ||
        next.top() + next.height() >= parent->height())
        return;
    if (next.topLeft() == pos()) return;
    const QRect old = geometry();
    move(next.topLeft());
    point.position = list.PositionFromWindow(next.topLeft());
    parent->update(old.united(geometry()));
    emit moved(point);
}

void CUserPointWindow::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        dragging = false;
        CUserPointWindowKeeper::SetBusy(this, false);
    }
    QWidget::mouseReleaseEvent(e);
}

void CUserPointWindow::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit informationRequested(point);
}

void CUserPointWindow::contextMenuEvent(QContextMenuEvent* e) {
    QMenu menu(this);
    menu.setObjectName(QString::number(res::UserPointMenu));
    auto add = [&](int id) {
        QAction* a = menu.addAction(QString::fromUtf8(catalog::Find(id)->menuText));
        a->setData(id);
        return a;
    };
    connect(add(cmd::PointSetup), &QAction::triggered, this,
            [this] { emit setupRequested(point); });
    connect(add(cmd::PointInformation), &QAction::triggered, this,
            [this] { emit informationRequested(point); });
    add(cmd::PointDelete)->setEnabled(false);  // deleting goes through Remove User Points
    // Whatever the menu's commands change, this window outlives the menu.
    CUserPointWindowKeeper::SetBusy(this, true);
    menu.exec(e->globalPos());
    CUserPointWindowKeeper::SetBusy(this, dragging);
}
