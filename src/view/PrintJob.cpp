// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/PrintJob.h"

#include <algorithm>
#include <cmath>

#include <QFont>
#include <QFontMetricsF>
#include <QIODevice>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRegularExpression>

#include "document/TarnLocation.h"
#include "drawings/PenScale.h"
#include "geo/Coordinate.h"
#include "resources/Strings.h"
#include "view/PrintTexts.h"

namespace {
constexpr const char* kFamily = "arial";
constexpr double kFooterPoints = 9;
constexpr double kNamePoints = 12;
constexpr double kLabelPoints = 7;
constexpr double kHeaderPt = 18;      // the name line above the map
constexpr double kEdgePt = 16;        // tick labels on each side of the map
constexpr double kScaleStripPt = 34;  // the scale bar and north arrow below it
constexpr double kFooterStripPt = 16;
constexpr double kTickPt = 4;
constexpr double kMetresPerMile = 1609.344;
constexpr double kMetresPerInch = 0.0254;
constexpr double kFeetPerMile = 5280;
constexpr double kScreenDpi = 96;  // a device-independent pixel is 1/96 inch

QFont Font(double pixels, bool bold = false) {
    QFont f(kFamily);
    f.setPixelSize(std::max(1, qRound(pixels)));
    f.setBold(bold);
    return f;
}

// 1, 2 or 5 times a power of ten, the largest not above v.
double NiceBelow(double v) {
    if (v <= 0) return 0;
    const double p = std::pow(10.0, std::floor(std::log10(v)));
    for (double m : {5.0, 2.0, 1.0})
        if (m * p <= v * (1 + 1e-9)) return m * p;
    return p;
}

QString Number(double v) {
    QLocale c = QLocale::c();
    return c.toString(v, 'g', 6);
}

// "24 000": thin groups for the scale's denominator.
QString Grouped(double v) {
    QString digits = QString::number(qRound64(v));
    for (int i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, ' ');
    return digits;
}

QString DmsText(int totalSeconds, bool latitude) {
    CCoordinate c;
    CDegMinSec& a = latitude ? c.latitude : c.longitude;
    const int sign = totalSeconds < 0 ? -1 : 1;
    const int s = std::abs(totalSeconds);
    a.degrees = sign * (s / 3600);
    a.minutes = sign * ((s % 3600) / 60);
    a.seconds = sign * (s % 60);
    return latitude ? c.LatitudeText(true) : c.LongitudeText(true);
}
}  // namespace

std::optional<double> PrintOptions::ParseScale(const QString& text) {
    QString t = text.trimmed().toLower();
    t.remove(' ');
    t.remove(QChar(0x202F));
    t.remove(QChar(0x00A0));
    t.remove(',');
    if (t.isEmpty() || t == "fit" || t == "fittopage") return 0.0;
    static const QRegularExpression ratio(R"(^(?:1:)?(\d+(?:\.\d+)?)$)");
    static const QRegularExpression inch(R"(^1(?:inch|in|")=(\d+(?:\.\d+)?)(?:miles?|mi)$)");
    bool ok = false;
    if (const auto m = ratio.match(t); m.hasMatch()) {
        const double v = m.captured(1).toDouble(&ok);
        if (ok && v >= 1 && v <= 1e8) return v;
        return std::nullopt;
    }
    if (const auto m = inch.match(t); m.hasMatch()) {
        const double v = m.captured(1).toDouble(&ok);
        if (ok && v > 0 && v <= 1000) return ScaleOfInchMiles(v);
    }
    return std::nullopt;
}

CPrintJob::CPrintJob(CTarnLocation& l, const QRect& r, const QString& n, const QString& t,
                     const PrintOptions& o)
    : location(l), region(r), name(n), title(t), options(o) {}

double CPrintJob::LongitudeAt(double x) const {
    const Calibration& c = location;
    if (c.x2 == c.x1) return c.lon1;
    return c.lon1 + (x - c.x1) * (c.lon2 - c.lon1) / (c.x2 - c.x1);
}
double CPrintJob::LatitudeAt(double y) const {
    const Calibration& c = location;
    if (c.y2 == c.y1) return c.lat1;
    return c.lat1 + (y - c.y1) * (c.lat2 - c.lat1) / (c.y2 - c.y1);
}
double CPrintJob::XOfLongitude(double lon) const {
    const Calibration& c = location;
    return c.x1 + (lon - c.lon1) * (c.x2 - c.x1) / (c.lon2 - c.lon1);
}
double CPrintJob::YOfLatitude(double lat) const {
    const Calibration& c = location;
    return c.y1 + (lat - c.lat1) * (c.y2 - c.y1) / (c.lat2 - c.lat1);
}

int CPrintJob::BandHeight(int width) {
    return int(std::clamp<qint64>(kBandPixels / std::max(1, width), 1, 1 << 20));
}

bool CPrintJob::Layout(const QSizeF& paintSize, double deviceDpi, QString* error) {
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        tiles.clear();
        return false;
    };
    dpi = deviceDpi;
    paint = paintSize;
    tiles.clear();
    if (region.isEmpty()) return fail(printstr::EmptyArea);
    box = QRectF(Pt(kEdgePt), Pt(kHeaderPt + kEdgePt), paint.width() - 2 * Pt(kEdgePt),
                 paint.height() - Pt(kHeaderPt + 2 * kEdgePt + kScaleStripPt + kFooterStripPt));
    if (box.width() <= 0 || box.height() <= 0) return fail(printstr::EmptyArea);

    // Ground miles per map pixel across the middle of the area.
    {
        const double y = region.center().y();
        const double span = std::max(region.width(), 100);
        const double x0 = region.center().x() - span / 2;
        CCoordinate a, b;
        a.latitude.FromDecimalDegrees(LatitudeAt(y));
        b.latitude.FromDecimalDegrees(LatitudeAt(y));
        a.longitude.FromDecimalDegrees(LongitudeAt(x0));
        b.longitude.FromDecimalDegrees(LongitudeAt(x0 + span));
        milesPerPixel = a.DistanceTo(b) / span;
        if (!std::isfinite(milesPerPixel)) milesPerPixel = 0;
    }
    // At most half a page: every page must also show something new.
    const double overlap = std::min(std::max(0.0, options.overlapMm) * dpi / 25.4,
                                    0.5 * std::min(box.width(), box.height()));
    const double w = region.width(), h = region.height();
    if (options.scale > 0) {
        if (milesPerPixel <= 0) return fail(printstr::NoCalibration);
        zoom = milesPerPixel * kMetresPerMile / options.scale / kMetresPerInch * dpi;
        const double stepW = box.width() - overlap, stepH = box.height() - overlap;
        if (stepW <= 0 || stepH <= 0) return fail(printstr::EmptyArea);
        const double cols = std::ceil(std::max(1.0, (w * zoom - overlap) / stepW) - 1e-9);
        const double rws = std::ceil(std::max(1.0, (h * zoom - overlap) / stepH) - 1e-9);
        if (cols * rws > kMaxPages)
            return fail(QString(printstr::TooManyPages)
                            .arg(Grouped(options.scale))
                            .arg(cols * rws, 0, 'f', 0)
                            .arg(kMaxPages));
        columns = int(cols);
        rows = int(rws);
    } else {
        // The grid of at most `pages` pages that shows the area largest.
        zoom = 0;
        const int most = std::clamp(options.pages, 1, kMaxPages);
        for (int c = 1; c <= most; ++c)
            for (int r = 1; c * r <= most; ++r) {
                const double z = std::min((c * box.width() - (c - 1) * overlap) / w,
                                          (r * box.height() - (r - 1) * overlap) / h);
                if (z > zoom * (1 + 1e-9)) {
                    zoom = z;
                    columns = c;
                    rows = r;
                }
            }
        if (zoom <= 0) return fail(printstr::EmptyArea);
    }
    // The pages the area needs at that zoom: a grid chosen for its zoom may
    // have more rows or columns than it fills.
    auto needed = [&](double side, double page) {
        return std::max(1, int(std::ceil((side * zoom - overlap) / (page - overlap) - 1e-6)));
    };
    columns = std::min(columns, needed(w, box.width()));
    rows = std::min(rows, needed(h, box.height()));
    const double stepX = (box.width() - overlap) / zoom, stepY = (box.height() - overlap) / zoom;
    const double tileW = box.width() / zoom, tileH = box.height() / zoom;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            PrintTile t;
            t.row = r;
            t.column = c;
            const double left = region.left() + c * stepX, top = region.top() + r * stepY;
            t.region = QRectF(left, top, std::min(tileW, region.left() + w - left),
                              std::min(tileH, region.top() + h - top));
            QSizeF size = t.region.size() * zoom;
            QPointF at = box.topLeft();
            // A single page centres the map across the page.
            if (rows * columns == 1) at.rx() += (box.width() - size.width()) / 2;
            t.target = QRectF(at, size);
            tiles.push_back(t);
        }
    return true;
}

double CPrintJob::Scale() const {
    if (zoom <= 0 || milesPerPixel <= 0) return 0;
    return milesPerPixel * kMetresPerMile / (zoom / dpi * kMetresPerInch);
}

QString CPrintJob::TileName(int row, int column) {
    QString letters;
    for (int r = row + 1; r > 0; r = (r - 1) / 26) letters.prepend(QChar('A' + (r - 1) % 26));
    return letters + QString::number(column + 1);
}

QString CPrintJob::PageLabel(int index) const {
    const PrintTile& t = tiles.at(index);
    return QString(printstr::PageLabel)
        .arg(index + 1)
        .arg(PageCount())
        .arg(TileName(t.row, t.column))
        .arg(t.row + 1)
        .arg(t.column + 1);
}

ScaleBar CPrintJob::Bar() const {
    ScaleBar bar;
    if (milesPerPixel <= 0 || zoom <= 0) return bar;
    const double devicePerMile = zoom / milesPerPixel;
    const double longest = std::min(box.width() / 3, 100.0 / 25.4 * dpi);  // a third, 10 cm
    const double miles = NiceBelow(longest / devicePerMile);
    if (miles >= 0.25) {
        bar.miles = miles;
        bar.label = QString(printstr::Miles).arg(Number(miles));
    } else {
        const double feet = NiceBelow(longest / devicePerMile * kFeetPerMile);
        bar.miles = feet / kFeetPerMile;
        bar.label = QString(printstr::Feet).arg(Number(feet));
    }
    bar.devicePixels = bar.miles * devicePerMile;
    return bar;
}

int CPrintJob::TickStep(double span, int maxTicks) {
    static constexpr int steps[] = {1,     2,     5,     10,     15,     30,    60,
                                    120,   300,   600,   900,    1800,   3600,  7200,
                                    18000, 36000, 72000, 108000, 180000, 324000};
    const double seconds = std::fabs(span) * 3600;
    for (int s : steps)
        if (seconds / s <= std::max(1, maxTicks)) return s;
    return steps[std::size(steps) - 1];
}

QString CPrintJob::LatitudeLabel(int seconds) {
    return DmsText(seconds, true);
}
QString CPrintJob::LongitudeLabel(int seconds) {
    return DmsText(seconds, false);
}

void CPrintJob::PaintPage(QPainter& p, int index) {
    const PrintTile& tile = tiles.at(index);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    DrawMapBands(p, tile);
    DrawOverlays(p, tile);
    p.setPen(QPen(Qt::black, Pt(0.75), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(tile.target);
    DrawTicks(p, tile);
    DrawScaleBar(p, tile);
    DrawNorthArrow(p, tile);
    DrawHeader(p, index);
    DrawFooter(p);
    p.restore();
}

QRect CPrintJob::SourceOf(const PrintTile& tile) const {
    const QRect extent(QPoint(0, 0), location.Extent());
    // Whole map pixels around the tile's region, inside the maps.
    return QRect(QPoint(int(std::floor(tile.region.left())), int(std::floor(tile.region.top()))),
                 QPoint(int(std::ceil(tile.region.right())) - 1,
                        int(std::ceil(tile.region.bottom())) - 1)) &
           extent;
}

int CPrintJob::Steps() const {
    int steps = 0;
    for (const PrintTile& tile : tiles) {
        const QRect src = SourceOf(tile);
        if (src.isEmpty() || !location.showMaps) continue;
        const int band = BandHeight(src.width());
        steps += (src.height() + band - 1) / band;
    }
    return steps;
}

void CPrintJob::DrawMapBands(QPainter& p, const PrintTile& tile) {
    const QRect src = SourceOf(tile);
    p.save();
    p.setClipRect(tile.target, Qt::IntersectClip);
    p.fillRect(tile.target, Qt::white);
    if (src.isEmpty() || !location.showMaps) {
        p.restore();
        return;
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    // Bands hold the maps only: lines and points go on the page as drawings.
    const int32_t lines = location.showRedLines, points = location.showMapPoints;
    const int band = BandHeight(src.width());
    const QPointF origin = tile.target.topLeft() - tile.region.topLeft() * zoom;
    for (int y = src.top(); y <= src.bottom(); y += band) {
        // One row more than the band, covered by the next: no seam between.
        const int hgt = std::min(band + 1, src.bottom() + 1 - y);
        const QRect part(src.left(), y, src.width(), hgt);
        QImage img(part.size(), QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter ip(&img);
            ip.translate(-part.topLeft());
            location.showRedLines = 0;
            location.showMapPoints = 0;
            location.Draw(ip, part);
            // Back before anything else may paint the location (the window,
            // while the progress is shown).
            location.showRedLines = lines;
            location.showMapPoints = points;
        }
        p.drawImage(QRectF(origin + QPointF(part.topLeft()) * zoom, QSizeF(part.size()) * zoom),
                    img);
        if (progress && !progress(++bandsDrawn)) {
            cancelled = true;
            break;
        }
    }
    p.restore();
}

void CPrintJob::DrawOverlays(QPainter& p, const PrintTile& tile) {
    p.save();
    p.setClipRect(tile.target, Qt::IntersectClip);
    p.translate(tile.target.topLeft());
    p.scale(zoom, zoom);
    p.translate(-tile.region.topLeft());
    // Lines, points and icons keep the size the screen gives them, in
    // device-independent pixels, whatever the scale of the map: s map
    // pixels of the page's transform make one of them.
    const double s = dpi / kScreenDpi / zoom;
    // Icons are small and sharp: a PDF keeps them exact rather than as JPEG.
    p.setRenderHint(QPainter::LosslessImageRendering, true);
    const QRect clip = tile.region.toAlignedRect();
    if (location.showRedLines) {
        const CPenScale wider(s);
        location.freeHands.Draw(p, clip);
        location.lineDraws.Draw(p);
        location.rectElipDraws.Draw(p);
    }
    // Each mark is drawn about its own anchor, grown there to its size.
    auto around = [&](QPointF anchor, auto draw) {
        p.save();
        p.translate(anchor);
        p.scale(s, s);
        p.translate(-anchor);
        draw();
        p.restore();
    };
    const double reach = 40 * s;  // the largest mark, in map pixels
    const QRectF near = tile.region.adjusted(-reach, -reach, reach, reach);
    if (location.showMapPoints)
        for (const auto& point : location.mapPoints.items)
            if (near.contains(point->position))
                around(QPointF(point->position), [&] { point->Draw(p); });
    const CUserInfoPointList& infos = location.userInfoPoints;
    for (const auto& point : infos.points) {
        const QRect icon = infos.IconRect(*point);
        if (!near.contains(icon.topLeft())) continue;
        around(QPointF(icon.topLeft()), [&] { infos.Draw(p, QRect(icon.topLeft(), QSize(1, 1))); });
    }
    p.restore();
}

void CPrintJob::DrawTicks(QPainter& p, const PrintTile& tile) {
    if (milesPerPixel <= 0) return;
    const QRectF& t = tile.target;
    const QRectF& r = tile.region;
    p.save();
    p.setFont(Font(Pt(kLabelPoints)));
    p.setPen(QPen(Qt::black, Pt(0.5)));
    const QFontMetricsF fm(p.font(), p.device());
    const double tick = Pt(kTickPt);
    const double room = fm.horizontalAdvance("W000-00-00") * 1.6;
    auto toX = [&](double mapX) { return t.left() + (mapX - r.left()) * zoom; };
    auto toY = [&](double mapY) { return t.top() + (mapY - r.top()) * zoom; };
    // Longitudes along the top and bottom.
    {
        const double a = LongitudeAt(r.left()), b = LongitudeAt(r.right());
        const int step = TickStep(b - a, std::max(1, int(t.width() / room)));
        const double lo = std::min(a, b) * 3600, hi = std::max(a, b) * 3600;
        for (long long s = (long long)std::ceil(lo / step) * step; s <= hi; s += step) {
            const double x = toX(XOfLongitude(s / 3600.0));
            if (x < t.left() - 0.5 || x > t.right() + 0.5) continue;
            p.drawLine(QPointF(x, t.top()), QPointF(x, t.top() - tick));
            p.drawLine(QPointF(x, t.bottom()), QPointF(x, t.bottom() + tick));
            const QString text = LongitudeLabel(int(s));
            const double half = fm.horizontalAdvance(text) / 2;
            const double cx = std::clamp(x, t.left() + half - Pt(kEdgePt) + 1,
                                         t.right() - half + Pt(kEdgePt) - 1);
            p.drawText(QPointF(cx - half, t.top() - tick - fm.descent()), text);
            p.drawText(QPointF(cx - half, t.bottom() + tick + fm.ascent()), text);
        }
    }
    // Latitudes along the left and right, read from below.
    {
        const double a = LatitudeAt(r.top()), b = LatitudeAt(r.bottom());
        const int step = TickStep(b - a, std::max(1, int(t.height() / room)));
        const double lo = std::min(a, b) * 3600, hi = std::max(a, b) * 3600;
        for (long long s = (long long)std::ceil(lo / step) * step; s <= hi; s += step) {
            const double y = toY(YOfLatitude(s / 3600.0));
            if (y < t.top() - 0.5 || y > t.bottom() + 0.5) continue;
            p.drawLine(QPointF(t.left(), y), QPointF(t.left() - tick, y));
            p.drawLine(QPointF(t.right(), y), QPointF(t.right() + tick, y));
            const QString text = LatitudeLabel(int(s));
            const double half = fm.horizontalAdvance(text) / 2;
            const double cy = std::clamp(y, t.top() + half, t.bottom() - half);
            p.save();
            p.translate(t.left() - tick - fm.descent(), cy);
            p.rotate(-90);
            p.drawText(QPointF(-half, 0), text);
            p.restore();
            p.save();
            p.translate(t.right() + tick + fm.descent(), cy);
            p.rotate(90);
            p.drawText(QPointF(-half, 0), text);
            p.restore();
        }
    }
    p.restore();
}

void CPrintJob::DrawScaleBar(QPainter& p, const PrintTile& tile) {
    const ScaleBar bar = Bar();
    // Under the map, clear of its tick labels.
    const double top = tile.target.bottom() + Pt(kEdgePt) + Pt(4);
    p.save();
    p.setFont(Font(Pt(kLabelPoints + 1)));
    const QFontMetricsF fm(p.font(), p.device());
    double x = tile.target.left();
    if (bar.devicePixels > 0) {
        const QRectF whole(tile.target.left(), top, bar.devicePixels, Pt(5));
        p.setPen(Qt::NoPen);
        p.fillRect(whole, Qt::black);
        const double line = Pt(0.75);
        for (int i = 1; i < 4; i += 2) {
            const double l = whole.left() + whole.width() * i / 4;
            p.fillRect(QRectF(l + line, whole.top() + line, whole.width() / 4 - 2 * line,
                              whole.height() - 2 * line),
                       Qt::white);
        }
        p.setPen(Qt::black);
        const double base = whole.bottom() + Pt(2) + fm.ascent();
        p.drawText(QPointF(whole.left() - fm.horizontalAdvance("0") / 2, base), "0");
        p.drawText(QPointF(whole.right() - fm.horizontalAdvance(bar.label) / 2, base), bar.label);
        x = whole.right() + fm.horizontalAdvance(bar.label) / 2 + Pt(14);
    }
    if (const double s = Scale(); s > 0) {
        p.setPen(Qt::black);
        p.drawText(QPointF(x, top + Pt(5)), QString(printstr::ScaleText).arg(Grouped(s)));
    }
    p.restore();
}

void CPrintJob::DrawNorthArrow(QPainter& p, const PrintTile& tile) {
    if (milesPerPixel <= 0) return;
    // North is up when latitude grows toward the top of the map.
    const bool up = LatitudeAt(0) >= LatitudeAt(1);
    const double hgt = Pt(20), half = Pt(5);
    const QPointF foot(tile.target.right() - Pt(8),
                       tile.target.bottom() + Pt(kEdgePt) + Pt(2) + hgt);
    p.save();
    p.translate(foot.x(), foot.y() - hgt / 2);
    if (!up) p.rotate(180);
    QPainterPath arrow;
    arrow.moveTo(0, -hgt / 2);
    arrow.lineTo(half, hgt / 2);
    arrow.lineTo(0, hgt / 4);
    arrow.lineTo(-half, hgt / 2);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::black, Pt(0.5)));
    p.setBrush(Qt::black);
    p.drawPath(arrow);
    p.restore();
    p.save();
    p.setFont(Font(Pt(10), true));
    const QFontMetricsF fm(p.font(), p.device());
    p.setPen(Qt::black);
    const double nx = foot.x() - half - Pt(3) - fm.horizontalAdvance(printstr::North);
    p.drawText(QPointF(nx, foot.y() - hgt / 2 + fm.ascent() / 2), printstr::North);
    p.restore();
}

void CPrintJob::DrawHeader(QPainter& p, int index) {
    p.save();
    p.setPen(Qt::black);
    p.setFont(Font(Pt(kNamePoints), true));
    QFontMetricsF fm(p.font(), p.device());
    const double base = Pt(2) + fm.ascent();
    p.drawText(QPointF(tiles.front().target.left(), base), name);
    if (PageCount() > 1) {
        p.setFont(Font(Pt(kFooterPoints)));
        const QFontMetricsF small(p.font(), p.device());
        const QString label = PageLabel(index);
        p.drawText(QPointF(tiles.at(index).target.right() - small.horizontalAdvance(label), base),
                   label);
    }
    p.restore();
}

void CPrintJob::DrawFooter(QPainter& p) {
    p.save();
    p.setPen(QPen(Qt::black, Pt(0.5)));
    p.setFont(Font(Pt(kFooterPoints)));
    const QFontMetricsF fm(p.font(), p.device());
    const double base = paint.height() - fm.descent();
    const double rule = base - fm.ascent() - Pt(3);
    p.drawLine(QPointF(0, rule), QPointF(paint.width(), rule));
    p.drawText(QPointF(0, base), QString::asprintf(str::PrintFooter, title.toUtf8().constData()));
    p.restore();
}

bool CPrintJob::WritePdf(QIODevice& out, const QPageLayout& layout, int resolution,
                         QString* error) {
    if (!Layout(layout.paintRectPixels(resolution).size(), resolution, error)) return false;
    QPdfWriter pdf(&out);
    pdf.setPageLayout(layout);
    pdf.setResolution(resolution);
    pdf.setTitle(name);
    pdf.setCreator("Fenmarrow Utilities");
    QPainter p;
    if (!p.begin(&pdf)) return false;
    for (int i = 0; i < PageCount() && !cancelled; ++i) {
        if (i > 0) pdf.newPage();
        PaintPage(p, i);
    }
    return p.end() && !cancelled;
}

QImage CPrintJob::RenderPage(const QPageLayout& layout, int resolution, int index) {
    const QRect full = layout.fullRectPixels(resolution);
    const QRect paintRect = layout.paintRectPixels(resolution);
    QImage img(full.size(), QImage::Format_RGB32);
    if (img.isNull()) return img;
    img.setDotsPerMeterX(qRound(resolution / kMetresPerInch));
    img.setDotsPerMeterY(qRound(resolution / kMetresPerInch));
    img.fill(Qt::white);
    QPainter p(&img);
    p.translate(paintRect.topLeft());
    PaintPage(p, index);
    return img;
}
