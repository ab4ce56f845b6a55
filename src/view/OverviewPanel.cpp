// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/OverviewPanel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "document/TarnLocation.h"
#include "view/TarnlightView.h"

namespace {
const QColor kFrame(220, 0, 0);
}  // namespace

COverviewPanel::COverviewPanel(QWidget* parent) : CShrunkLocation(parent) {
    setObjectName("COverviewPanel");
    setMinimumSize(120, 90);
    setCursor(Qt::PointingHandCursor);
}

CTarnLocation* COverviewPanel::Shown() const {
    return view ? &view->Location() : nullptr;
}

void COverviewPanel::SetView(CTarnlightView* v) {
    view = v;
    if (!view) return;
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            qOverload<>(&QWidget::update));
    connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this,
            qOverload<>(&QWidget::update));
    connect(view->horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this] {
        Reset();
        update();
    });
    connect(view->verticalScrollBar(), &QScrollBar::rangeChanged, this, [this] {
        Reset();
        update();
    });
}

QRectF COverviewPanel::VisibleRect() const {
    const QRectF whole = LocationRect();
    if (whole.isEmpty()) return QRectF();
    const QSize extent = view->Location().Extent();
    const double s = whole.width() / extent.width();
    const QRect shown(view->ScrollPosition(), view->viewport()->size());
    const QRect inside = shown & QRect(QPoint(0, 0), extent);
    return QRectF(whole.left() + inside.left() * s, whole.top() + inside.top() * s,
                  inside.width() * s, inside.height() * s);
}

void COverviewPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintLocation(p);
    if (LocationRect().isEmpty()) return;
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kFrame, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(VisibleRect());
}

void COverviewPanel::CentreViewAt(QPointF at) {
    const QRectF whole = LocationRect();
    if (whole.isEmpty()) return;
    const double s = whole.width() / view->Location().Extent().width();
    const QPointF logical((at.x() - whole.left()) / s, (at.y() - whole.top()) / s);
    const QSize shown = view->viewport()->size();
    view->ScrollTo(
        QPoint(int(logical.x() - shown.width() / 2.0), int(logical.y() - shown.height() / 2.0)));
}

void COverviewPanel::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) CentreViewAt(e->position());
}

void COverviewPanel::mouseMoveEvent(QMouseEvent* e) {
    if (e->buttons() & Qt::LeftButton) CentreViewAt(e->position());
}
