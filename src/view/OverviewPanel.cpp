// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/OverviewPanel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "document/TarnLocation.h"
#include "imaging/ImageSource.h"
#include "imaging/TileCache.h"
#include "view/TarnlightView.h"

namespace {

// The reduction libjpeg decodes fastest; a 25-megapixel chart becomes a
// 0.4-megapixel picture, plenty for a panel.
constexpr int kLevel = 8;
const QColor kFrame(220, 0, 0);

}  // namespace

COverviewPanel::COverviewPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("COverviewPanel");
    setMinimumSize(120, 90);
    setCursor(Qt::PointingHandCursor);
    connect(&TileCache::Instance(), &TileCache::tilesReady, this, qOverload<>(&QWidget::update));
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

void COverviewPanel::Reset() {
    shrunk.clear();
}

QRectF COverviewPanel::LocationRect() const {
    if (!view) return QRectF();
    const QSize extent = view->Location().Extent();
    if (extent.isEmpty()) return QRectF();
    const QRectF area = QRectF(rect()).adjusted(2, 2, -2, -2);
    const double s = std::min(area.width() / extent.width(), area.height() / extent.height());
    const QSizeF size(extent.width() * s, extent.height() * s);
    return QRectF(area.center() - QPointF(size.width() / 2, size.height() / 2), size);
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
    p.fillRect(rect(), palette().color(QPalette::Window));
    const QRectF whole = LocationRect();
    if (whole.isEmpty()) return;
    CTarnLocation& location = view->Location();
    const double s = whole.width() / location.Extent().width();
    p.fillRect(whole, Qt::white);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (location.showMaps) {
        for (const auto& entry : location.maps.entries) {
            const DecodedImage& image = entry->image;
            const RectL& r = entry->placement;
            const QRectF dest(whole.left() + r.left * s, whole.top() + r.top * s,
                              (double(r.right) - r.left) * s, (double(r.bottom) - r.top) * s);
            if (dest.isEmpty() || !image.HasPicture()) continue;
            const std::pair<bool, qint64> key = image.isBitmap
                                                    ? std::pair(true, image.bitmap.cacheKey())
                                                    : std::pair(false, qint64(image.source->Id()));
            auto it = shrunk.find(key);
            if (it == shrunk.end()) {
                // Asked of the workers in the background until it is there.
                QImage picture = image.Picture(kLevel, false);
                if (picture.isNull()) {
                    p.fillRect(dest, QColor::fromRgb(DecodedImage::kPlaceholder));
                    continue;
                }
                it = shrunk.emplace(key, std::move(picture)).first;
            }
            p.drawImage(dest, it->second);
        }
    }
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
