// SPDX-License-Identifier: GPL-3.0-or-later
#include "points/UserInfoPointIconWindow.h"

#include <QPainter>

#include "points/UserInfoPoint.h"
#include "resources/Art.h"

CUserInfoPointIconWindow::CUserInfoPointIconWindow(CUserInfoPoint& point, QWidget* parent)
    : QWidget(parent), point(point) {
    setFixedSize(CUserInfoPoint::kIconSize, CUserInfoPoint::kIconSize);
    setWindowTitle(point.name);
    setToolTip(point.name);
}

void CUserInfoPointIconWindow::paintEvent(QPaintEvent*) {
    const QPixmap icon = art::UserPointIcon(point.iconId, CUserInfoPoint::kIconSize);
    if (icon.isNull()) return;
    QPainter p(this);
    p.drawPixmap(0, 0, icon);
}
