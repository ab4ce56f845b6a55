// SPDX-License-Identifier: GPL-3.0-or-later
#include "magnifier/MagnifyWnd.h"

#include <QMouseEvent>
#include <QPainter>

#include "magnifier/LensWnd.h"
#include "resources/Art.h"
#include "resources/CommandIds.h"

CMagnifyWnd::CMagnifyWnd() : QWidget(nullptr) {}

CMagnifyWnd::~CMagnifyWnd() {
    if (QWidget::mouseGrabber() == this) releaseMouse();
}

bool CMagnifyWnd::Create(QWidget* parentViewport, QWidget* sourceWidget) {
    if (!parentViewport) return false;
    setParent(parentViewport);
    hide();
    source = sourceWidget ? sourceWidget : parentViewport;
    // Transparent while inactive: no background of its own, but it does take
    // the mouse, including moves without a button for the cursor.
    setAutoFillBackground(false);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
    setMouseTracking(true);
    setGeometry(parentViewport->rect());
    bounds = RectL::FromQRect(geometry());
    cursor = art::Cursor(res::CursorMagnifier);
    setCursor(cursor);

    delete lens;
    lens = new CLensWnd(this);
    lens->setGeometry(QRect());
    lens->hide();
    return true;
}

void CMagnifyWnd::SetBounds(const QRect& area) {
    bounds = RectL::FromQRect(area);
}

void CMagnifyWnd::Show() {
    if (QWidget* parent = parentWidget()) {
        SetBounds(parent->rect());
        setGeometry(parent->rect());
    }
    show();
    raise();
}

void CMagnifyWnd::Hide() {
    hide();
}

lens::Settings CMagnifyWnd::LensSettings() const {
    return lens::SanitizedLens(shape, size, zoom);
}

void CMagnifyWnd::TakeSnapshot() {
    if (!source) {
        snapshot = QImage();
        return;
    }
    // Show the current map on the screen, then copy what the view shows,
    // child windows (user points) included. The overlay itself is inactive
    // here and paints nothing, and the lens is hidden.
    source->repaint();
    QImage image = source->grab().toImage();
    if (image.devicePixelRatio() != 1.0) {
        // The lens works in view pixels.
        image = image.scaled(source->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        image.setDevicePixelRatio(1.0);
    }
    snapshot = image;
}

void CMagnifyWnd::PlaceLens(QPoint mouse) {
    const int s = LensSettings().size;
    lens->setGeometry(QRect(lens::LensPosition(mouse, s, bounds), QSize(s, s)));
}

void CMagnifyWnd::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        if (onProperties) onProperties();
        event->accept();
        return;
    }
    if (event->button() != Qt::LeftButton || !lens) {
        QWidget::mousePressEvent(event);
        return;
    }
    TakeSnapshot();
    centre = event->position().toPoint();
    grabMouse();
    active = 1;
    PlaceLens(centre);
    lens->show();
    event->accept();
}

void CMagnifyWnd::mouseMoveEvent(QMouseEvent* event) {
    if (active) {
        setCursor(Qt::BlankCursor);
        PlaceLens(event->position().toPoint());
        centre = event->position().toPoint();
        repaint();
        lens->repaint();
    } else {
        setCursor(cursor);
    }
    event->accept();
}

void CMagnifyWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !active) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    EndPress();
    setCursor(cursor);
    if (source) source->repaint();
    repaint();
    event->accept();
}

void CMagnifyWnd::EndPress() {
    if (lens) lens->hide();
    if (QWidget::mouseGrabber() == this) releaseMouse();
    active = 0;
}

void CMagnifyWnd::hideEvent(QHideEvent* event) {
    // Leaving the mode with the button still held must not keep the grab.
    if (active) EndPress();
    QWidget::hideEvent(event);
}

void CMagnifyWnd::paintEvent(QPaintEvent*) {
    // Inactive: nothing, so the view shows through.
    if (!active || snapshot.isNull()) return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), snapshot, QRect(0, 0, width(), height()));
}
