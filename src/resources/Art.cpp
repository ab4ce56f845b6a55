// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/Art.h"

#include <QFile>
#include <QFont>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include <array>

#include "resources/CommandIds.h"

namespace art {
namespace {

constexpr int kUserIconCount = res::LastUserIcon - res::FirstUserIcon + 1;
constexpr int kCursorSize = 32;

struct CursorArt {
    int id;
    int hotX;
    int hotY;
};

// Hot spots match the drawings: crosshair centres, the pencil tip, the lens centre.
constexpr std::array<CursorArt, 6> kCursors{{
    {res::CursorCrossHair, 16, 16},
    {res::CursorDrawing, 2, 29},
    {res::CursorCalibrate, 16, 16},
    {res::CursorMeasure, 10, 10},
    {res::CursorPan, 16, 16},
    {res::CursorMagnifier, 12, 12},
}};

void registerFontFallbacks() {
    // Qt SVG passes a font-family list through as one family name, which then
    // matches nothing and falls back to a much wider face. Map our list explicitly.
    static const bool done = [] {
        QFont::insertSubstitutions(QStringLiteral("Liberation Sans, Arial, sans-serif"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                    QStringLiteral("Helvetica")});
        return true;
    }();
    (void)done;
}

// Renders an SVG into a transparent pixmap of exactly w x h. The program is
// single-threaded, so a plain static cache is enough.
QPixmap render(const QString& path, int w, int h) {
    if (w <= 0 || h <= 0) return {};
    static QHash<QString, QPixmap> cache;
    const QString key =
        path + QLatin1Char('@') + QString::number(w) + QLatin1Char('x') + QString::number(h);
    auto it = cache.constFind(key);
    if (it != cache.constEnd()) return *it;

    registerFontFallbacks();
    QPixmap result;
    QSvgRenderer renderer(path);
    if (renderer.isValid()) {
        QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, w, h));
        painter.end();
        result = QPixmap::fromImage(image);
    }
    cache.insert(key, result);
    return result;
}

QString artPath(const char* prefix, int id) {
    return QStringLiteral(":/art/%1_%2.svg").arg(QLatin1String(prefix)).arg(id);
}

bool isUserIcon(int id) {
    return (id >= res::FirstUserIcon && id <= res::LastUserIcon) || id == res::SunIcon;
}

QIcon iconFromSvg(const QString& path, std::initializer_list<int> sizes) {
    QIcon icon;
    for (int s : sizes) icon.addPixmap(render(path, s, s));
    return icon;
}

}  // namespace

bool HasCommandImage(int commandId) {
    return QFile::exists(artPath("cmd", commandId));
}

QIcon CommandIcon(int commandId) {
    static QHash<int, QIcon> cache;
    auto it = cache.constFind(commandId);
    if (it != cache.constEnd()) return *it;
    QIcon icon;
    // Drawn on a 16 px grid; the larger sizes serve high-DPI screens and big toolbars.
    if (HasCommandImage(commandId)) icon = iconFromSvg(artPath("cmd", commandId), {16, 24, 32});
    cache.insert(commandId, icon);
    return icon;
}

QPixmap UserPointIcon(int iconId, int size) {
    if (!isUserIcon(iconId)) return {};
    const char* prefix = iconId == res::SunIcon ? "sun" : "uip";
    return render(artPath(prefix, iconId), size, size);
}

QPixmap IconStrip141() {
    static QPixmap strip;
    if (!strip.isNull()) return strip;
    QImage image(16 * kUserIconCount, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (int i = 0; i < kUserIconCount; ++i)
        painter.drawPixmap(16 * i, 0, UserPointIcon(res::FirstUserIcon + i, 16));
    painter.end();
    strip = QPixmap::fromImage(image);
    return strip;
}

QPixmap MovingMapIcon(int resourceId, int size) {
    switch (resourceId) {
        case res::MovingMapRed:
        case res::MovingMapBlue:
        case res::MovingMapGreen:
            return render(artPath("mm", resourceId), size, size);
        default:
            return {};
    }
}

QCursor Cursor(int resourceId) {
    for (const CursorArt& c : kCursors) {
        if (c.id != resourceId) continue;
        const QPixmap pixmap = render(artPath("cur", c.id), kCursorSize, kCursorSize);
        if (pixmap.isNull()) break;
        return QCursor(pixmap, c.hotX, c.hotY);
    }
    return QCursor(Qt::ArrowCursor);
}

QPixmap Bitmap(int resourceId) {
    switch (resourceId) {
        case res::LogoBitmap:
            return render(artPath("bmp", resourceId), 300, 90);
        case res::BannerBitmap:
            return render(artPath("bmp", resourceId), 100, 88);
        default:
            return {};
    }
}

QIcon AppIcon() {
    static const QIcon icon =
        iconFromSvg(QStringLiteral(":/art/app.svg"), {16, 24, 32, 48, 64, 128, 256});
    return icon;
}

}  // namespace art
