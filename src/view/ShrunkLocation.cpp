// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ShrunkLocation.h"

#include <QPainter>
#include <algorithm>

#include "document/TarnLocation.h"
#include "imaging/ImageSource.h"
#include "imaging/TileCache.h"

namespace {
// The reduction libjpeg decodes fastest; a 25-megapixel chart becomes a
// 0.4-megapixel picture, plenty for a panel.
constexpr int kLevel = 8;
}  // namespace

CShrunkLocation::CShrunkLocation(QWidget* parent) : QWidget(parent) {
    connect(&TileCache::Instance(), &TileCache::tilesReady, this, qOverload<>(&QWidget::update));
}

void CShrunkLocation::Reset() {
    shrunk.clear();
}

QRectF CShrunkLocation::LocationRect() const {
    const CTarnLocation* location = Shown();
    if (!location) return QRectF();
    const QSize extent = location->Extent();
    if (extent.isEmpty()) return QRectF();
    const QRectF area = QRectF(rect()).adjusted(2, 2, -2, -2);
    const double s = std::min(area.width() / extent.width(), area.height() / extent.height());
    const QSizeF size(extent.width() * s, extent.height() * s);
    return QRectF(area.center() - QPointF(size.width() / 2, size.height() / 2), size);
}

double CShrunkLocation::Scale() const {
    const QRectF whole = LocationRect();
    return whole.isEmpty() ? 0.0 : whole.width() / Shown()->Extent().width();
}

void CShrunkLocation::PaintLocation(QPainter& p) {
    p.fillRect(rect(), palette().color(QPalette::Window));
    const QRectF whole = LocationRect();
    if (whole.isEmpty()) return;
    CTarnLocation& location = *Shown();
    const double s = Scale();
    p.fillRect(whole, Qt::white);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (!location.showMaps) return;
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
