// SPDX-License-Identifier: GPL-3.0-or-later
#include "magnifier/LensWnd.h"

#include <QPainter>
#include <QPolygon>
#include <QRegion>

#include "magnifier/MagnifyWnd.h"

namespace {

// Blue, as the frame has always been.
QPen FramePen() {
    return QPen(QColor(0, 0, 255), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

}  // namespace

CLensWnd::CLensWnd(CMagnifyWnd* owner) : QWidget(owner), owner(owner) {
    // Every pixel of the square is painted, and the overlay handles the mouse.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CLensWnd::paintEvent(QPaintEvent*) {
    if (owner->snapshot.isNull()) return;
    QPainter painter(this);
    Render(painter, owner->snapshot, owner->LensSettings(), owner->centre, owner->bounds);
}

void CLensWnd::Render(QPainter& painter, const QImage& snapshot, const lens::Settings& settings,
                      QPoint centre, const RectL& bounds) {
    const int s = settings.size;
    const int src = lens::SourceSide(s, settings.zoom);
    if (s <= 0 || src <= 0) return;
    const QPoint origin = lens::SourceOrigin(centre, src, bounds);
    const QRect square(0, 0, s, s);
    const QRect source(origin, QSize(src, src));

    // Nearest neighbour: an enlarged map should show its pixels, not a blur.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::Antialiasing, false);

    if (settings.shape != lens::kRound) {
        painter.drawImage(square, snapshot, source);
        painter.setPen(FramePen());
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(QPolygon({{0, 0}, {s - 1, 0}, {s - 1, s - 1}, {0, s - 1}, {0, 0}}));
        return;
    }

    const QRegion ellipse(square, QRegion::Ellipse);
    painter.setClipRegion(ellipse, Qt::IntersectClip);
    painter.drawImage(square, snapshot, source);
    painter.setPen(FramePen());
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(1, 1, s - 3, s - 3));

    // The corners outside the circle show the view unmagnified, so the
    // square window reads as a round lens lying on the map.
    const QPoint u = lens::UnmagnifiedOrigin(origin, src, s, bounds);
    painter.setClipRegion(ellipse.xored(QRegion(square)), Qt::ReplaceClip);
    painter.drawImage(QPoint(0, 0), snapshot, QRect(u, QSize(s, s)));
    painter.setClipping(false);
}
