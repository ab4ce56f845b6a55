// SPDX-License-Identifier: GPL-3.0-or-later
// The print job's own rules: reading a scale, naming pages, choosing tick
// steps and bands, and laying a location out over pages.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include <QPageLayout>
#include <QPageSize>

#include "document/TarnLocation.h"
#include "drawings/LineDraw.h"
#include "points/MapPoint.h"
#include "view/MapPrinter.h"
#include "view/PrintJob.h"

namespace {

TEST(PrintLayout, ScalesAreReadAsTyped) {
    const struct {
        const char* text;
        std::optional<double> scale;
    } cases[] = {
        {"1:24000", 24000},
        {"1:24 000", 24000},
        {" 1 : 10,000 ", 10000},
        {"50000", 50000},
        {"1 inch = 1 mile", 63360},
        {"1 in = 2 miles", 126720},
        {"", 0},
        {"Fit", 0},
        {"1:0", std::nullopt},
        {"1:-5", std::nullopt},
        {"2:24000", std::nullopt},
        {"1 inch = 0 miles", std::nullopt},
        {"big", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrintOptions::ParseScale(QString::fromUtf8(c.text)), c.scale) << c.text;
}

TEST(PrintLayout, PagesAreNamedByRowLetterAndColumn) {
    const struct {
        int row, column;
        const char* name;
    } cases[] = {{0, 0, "A1"}, {0, 1, "A2"}, {1, 0, "B1"}, {25, 2, "Z3"}, {26, 0, "AA1"}};
    for (const auto& c : cases) EXPECT_EQ(CPrintJob::TileName(c.row, c.column), c.name);
    EXPECT_EQ(CMapPrinter::PageFileName("/t/lake.png", 0, 1), "/t/lake.png");
    EXPECT_EQ(CMapPrinter::PageFileName("/t/lake.png", 1, 4), "/t/lake-2.png");
    EXPECT_EQ(CMapPrinter::PageFileName(QString::fromUtf8("/t/Sjön–Ærø"), 0, 2),
              QString::fromUtf8("/t/Sjön–Ærø-1"));
}

TEST(PrintLayout, TickStepsAreRoundAndFew) {
    const struct {
        double span;
        int most;
        int step;
    } cases[] = {{0.48, 6, 300}, {0.48, 12, 300}, {0.38, 8, 300},
                 {0.01, 5, 10},  {2.0, 4, 1800},  {1e-6, 3, 1}};
    for (const auto& c : cases) {
        const int step = CPrintJob::TickStep(c.span, c.most);
        EXPECT_EQ(step, c.step) << c.span << " over " << c.most;
        EXPECT_LE(c.span * 3600 / step, c.most);
    }
    EXPECT_EQ(CPrintJob::LatitudeLabel(46 * 3600 + 20 * 60), "N046-20-00");
    EXPECT_EQ(CPrintJob::LongitudeLabel(93 * 3600 + 22 * 60 + 48), "W093-22-48");
}

TEST(PrintLayout, BandsStayBounded) {
    for (int width : {1, 1600, 20000, 200000}) {
        const int h = CPrintJob::BandHeight(width);
        EXPECT_GE(h, 1);
        EXPECT_LE(qint64(h) * width, std::max<qint64>(CPrintJob::kBandPixels, width));
    }
}

// A calibrated location of w x h pixels, 0.0003 degree a pixel each way.
void Calibrate(CTarnLocation& l, int w, int h) {
    l.maps.extentWidth = w;
    l.maps.extentHeight = h;
    l.lon1 = 93.86;
    l.lon2 = 93.86 - 0.0003 * 1000;
    l.x1 = 0;
    l.x2 = 1000;
    l.lat1 = 46.43;
    l.lat2 = 46.43 - 0.0003 * 1000;
    l.y1 = 0;
    l.y2 = 1000;
}

TEST(PrintLayout, TilesCoverTheAreaWithTheOverlap) {
    CTarnLocation l;
    Calibrate(l, 1600, 1824);
    constexpr double dpi = 300;
    const QSizeF a4(190 / 25.4 * dpi, 277 / 25.4 * dpi);
    const struct {
        double scale;
        int pages;
        int count;
    } cases[] = {{0, 1, 1}, {0, 4, 4}, {0, 2, 2}, {100000, 1, 6}, {50000, 1, 20}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "1:" << c.scale << " pages " << c.pages);
        PrintOptions o;
        o.scale = c.scale;
        o.pages = c.pages;
        o.overlapMm = 10;
        CPrintJob job(l, QRect(0, 0, 1600, 1824), "lake", "lake.fnm", o);
        ASSERT_TRUE(job.Layout(a4, dpi, nullptr));
        EXPECT_EQ(job.PageCount(), c.count);
        if (c.scale > 0) EXPECT_NEAR(job.Scale(), c.scale, c.scale * 1e-9);
        const double overlap = 10 / 25.4 * dpi / job.Zoom();
        QRectF covered;
        for (const PrintTile& t : job.Tiles()) {
            covered |= t.region;
            EXPECT_NEAR(t.target.width(), t.region.width() * job.Zoom(), 1e-6);
            for (const PrintTile& n : job.Tiles()) {
                if (n.row == t.row && n.column == t.column + 1)
                    EXPECT_NEAR(t.region.right() - n.region.left(), overlap, 1e-6);
                if (n.column == t.column && n.row == t.row + 1)
                    EXPECT_NEAR(t.region.bottom() - n.region.top(), overlap, 1e-6);
            }
        }
        EXPECT_NEAR(covered.left(), 0, 1e-9);
        EXPECT_NEAR(covered.top(), 0, 1e-9);
        EXPECT_NEAR(covered.right(), 1600, 1e-6);
        EXPECT_NEAR(covered.bottom(), 1824, 1e-6);
    }
    // Too fine a scale is refused with a reason, and so is no calibration.
    PrintOptions fine;
    fine.scale = 1000;
    QString why;
    EXPECT_FALSE(CPrintJob(l, QRect(0, 0, 1600, 1824), "", "", fine).Layout(a4, dpi, &why));
    EXPECT_TRUE(why.contains("pages")) << why.toStdString();
    CTarnLocation flat;
    flat.maps.extentWidth = flat.maps.extentHeight = 100;
    flat.lon1 = flat.lon2 = flat.lat1 = flat.lat2 = 0;
    flat.x1 = flat.x2 = flat.y1 = flat.y2 = 0;
    why.clear();
    EXPECT_FALSE(CPrintJob(flat, QRect(0, 0, 100, 100), "", "", fine).Layout(a4, dpi, &why));
    EXPECT_FALSE(why.isEmpty());
}

// Vertical extent of the pixels of colour c in column x of img.
int Thickness(const QImage& img, int x, QColor c) {
    int top = -1, bottom = -1;
    for (int y = 0; y < img.height(); ++y) {
        const QColor p = img.pixelColor(x, y);
        if (std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) +
                std::abs(p.blue() - c.blue()) >
            60)
            continue;
        if (top < 0) top = y;
        bottom = y;
    }
    return top < 0 ? 0 : bottom - top + 1;
}

TEST(PrintLayout, LinesAndPointsKeepTheirScreenSizeAtAnyScale) {
    CTarnLocation l;
    Calibrate(l, 1000, 1000);
    CLineDraw& line = l.lineDraws.AddNew();
    line.penWidth = 4;
    line.penColor = 0x0000FF;  // red
    line.points = {{100, 500}, {900, 500}};
    l.mapPoints.AddPoint(500, 200, 0, 0, "reef", "");
    const QColor pointColour = CMapPoint::TypeColor(0);
    constexpr int dpi = 192;  // two device pixels to the device-independent one
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    // The whole location fitted, then a tenth of it: the map grows tenfold.
    for (const QRect& region : {QRect(0, 0, 1000, 1000), QRect(450, 150, 100, 400)}) {
        SCOPED_TRACE(region.width());
        PrintOptions o;
        o.area = PrintOptions::Area::Rectangle;
        CPrintJob job(l, region, "lake", "lake.fnm", o);
        ASSERT_TRUE(job.Layout(layout.paintRectPixels(dpi).size(), dpi, nullptr));
        const QImage page = job.RenderPage(layout, dpi, 0);
        const PrintTile& tile = job.Tiles()[0];
        const int x = qRound(tile.target.left() + (500 - region.left() + 0.5) * job.Zoom() + 20);
        EXPECT_NEAR(Thickness(page, x, Qt::red), 4 * 2, 1.5);
        // The point's square: 2 * 5 + 1 screen pixels a side, less its black rim.
        const int px = qRound(tile.target.left() + (500.5 - region.left()) * job.Zoom());
        EXPECT_NEAR(Thickness(page, px, pointColour), (11 - 2) * 2, 2.5);
    }
}

}  // namespace
