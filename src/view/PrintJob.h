// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPageLayout>
#include <QRect>
#include <QRectF>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QImage;
class QIODevice;
class QPainter;
class CTarnLocation;

// What the user asked to print and how.
struct PrintOptions {
    enum class Area { Visible, Whole, Rectangle };
    Area area = Area::Visible;
    QRect rectangle;   // logical map pixels, for Area::Rectangle
    double scale = 0;  // 1:scale on paper; 0 fits the area to the pages
    int pages = 1;     // when fitting: the area spreads over at most this many
    bool landscape = true;
    double overlapMm = 10;  // shared by neighbouring pages of a tiled print

    // "1:24000", "1:24 000", "24000" or "1 inch = 2 miles"; 0 for "fit"
    // or an empty text; nullopt for anything else.
    static std::optional<double> ParseScale(const QString& text);
    // The scale at which one inch of paper shows miles on the ground.
    static double ScaleOfInchMiles(double miles) { return miles * 63360.0; }
};

// One page of a print: the part of the map it shows and where that goes.
struct PrintTile {
    QRectF region;  // logical map pixels
    QRectF target;  // device pixels of the page's paint rectangle
    int row = 0;
    int column = 0;
};

// The bar's ground length and its length on the page.
struct ScaleBar {
    double miles = 0;
    double devicePixels = 0;
    QString label;  // "1 mi", "500 ft"
};

// Lays out and paints a print of a location: the map scaled by the
// calibration, framed with latitude and longitude ticks, a scale bar, a
// north arrow, the location's name and the footer, over one page or a grid
// of overlapping pages. The map's pictures are composed in bands at their
// own resolution and drawn with the page's transform, so a large location
// never exists whole at printer resolution; lines and points are drawn on
// the page itself.
class CPrintJob {
public:
    static constexpr int kMaxPages = 64;

    // region is in logical map pixels; title is the file the footer names.
    CPrintJob(CTarnLocation& location, const QRect& region, const QString& name,
              const QString& title, const PrintOptions& options);

    // Lays the pages out on a paint rectangle of paint (device pixels) at
    // dpi; false with the reason in error when it cannot be printed.
    bool Layout(const QSizeF& paint, double dpi, QString* error);

    int PageCount() const { return int(tiles.size()); }
    const std::vector<PrintTile>& Tiles() const { return tiles; }
    int Rows() const { return rows; }
    int Columns() const { return columns; }
    // "A2": the row's letter and the column's number.
    static QString TileName(int row, int column);
    QString PageLabel(int index) const;

    // Device pixels per map pixel, and the scale that makes on paper.
    double Zoom() const { return zoom; }
    double Scale() const;
    // Ground miles along a map pixel, across the map; 0 uncalibrated.
    double MilesPerMapPixel() const { return milesPerPixel; }
    ScaleBar Bar() const;

    // Paints page index with p active on a device of the layout's dpi, its
    // origin at the paint rectangle's top-left corner.
    void PaintPage(QPainter& p, int index);

    // The whole print as a PDF written to out, a page per tile; false too
    // when the progress said stop.
    bool WritePdf(QIODevice& out, const QPageLayout& layout, int dpi, QString* error);

    // Asked after each band of map drawn, with the bands drawn so far; once
    // it says false the rest of the print is left out and Cancelled() is
    // true. Steps() is the number of bands of the whole print (after Layout).
    void SetProgress(std::function<bool(int)> keepGoing) { progress = std::move(keepGoing); }
    int Steps() const;
    bool Cancelled() const { return cancelled; }
    // Page index as a picture of the full page at dpi.
    QImage RenderPage(const QPageLayout& layout, int dpi, int index);

    // Band height in map pixels for a region width: a band holds at most
    // kBandPixels pixels.
    static constexpr qint64 kBandPixels = 4 * 1024 * 1024;
    static int BandHeight(int width);

    // Tick step in seconds of arc for a span of degrees shown over at most
    // maxTicks ticks.
    static int TickStep(double spanDegrees, int maxTicks);
    // The latitude or longitude text of the read-out for whole seconds.
    static QString LatitudeLabel(int seconds);
    static QString LongitudeLabel(int seconds);

private:
    double LongitudeAt(double x) const;
    double LatitudeAt(double y) const;
    double XOfLongitude(double lon) const;
    double YOfLatitude(double lat) const;
    // The whole map pixels under a tile, inside the maps.
    QRect SourceOf(const PrintTile& tile) const;
    void DrawMapBands(QPainter& p, const PrintTile& tile);
    void DrawOverlays(QPainter& p, const PrintTile& tile);
    void DrawTicks(QPainter& p, const PrintTile& tile);
    void DrawScaleBar(QPainter& p, const PrintTile& tile);
    void DrawNorthArrow(QPainter& p, const PrintTile& tile);
    void DrawHeader(QPainter& p, int index);
    void DrawFooter(QPainter& p);
    double Pt(double points) const { return points * dpi / 72.0; }

    CTarnLocation& location;
    QRect region;
    QString name;
    QString title;
    PrintOptions options;
    double dpi = 72;
    QSizeF paint;
    QRectF box;  // where maps may go on a page
    double zoom = 0;
    double milesPerPixel = 0;
    int rows = 0;
    int columns = 0;
    std::vector<PrintTile> tiles;
    std::function<bool(int)> progress;
    int bandsDrawn = 0;
    bool cancelled = false;
};
