// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The benchmark location: a square grid of 25-megapixel JPEG maps with
// strokes and map points over them, shared by the view and print benches.
#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <cstdlib>
#include <memory>

#include "document/MapLocation.h"
#include "document/TarnLocation.h"

namespace benchloc {

inline constexpr int kMapWidth = 5000;  // 25 megapixels
inline constexpr int kMapHeight = 5000;
inline const char* const kMapPath = "/tmp/fenmarrow_bench_25mp.jpg";

inline QApplication& App() {
    static int argc = 1;
    static char arg0[] = "bench";
    static char* argv[] = {arg0, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(argc, argv);
    return app;
}

inline void EnsureMap() {
    if (QFileInfo(kMapPath).size() > 100'000) return;
    QImage img(kMapWidth, kMapHeight, QImage::Format_RGB888);
    for (int y = 0; y < kMapHeight; ++y) {
        uchar* row = img.scanLine(y);
        for (int x = 0; x < kMapWidth; ++x) {
            row[3 * x] = uchar((x * 7 + y) & 0xFF);
            row[3 * x + 1] = uchar((y * 5) & 0xFF);
            row[3 * x + 2] = uchar(((x ^ y) * 3) & 0xFF);
        }
    }
    img.save(kMapPath, "JPG", 85);
}

// A location of `tiles` maps in a square grid, with 500 strokes and 1250
// map points per map spread over them.
inline void Fill(CTarnLocation& loc, int tiles) {
    int side = tiles == 4 ? 2 : 4;
    QRandomGenerator rng(42);
    for (int i = 0; i < tiles; ++i) {
        auto entry = std::make_unique<CMapLocation>();
        int left = (i % side) * kMapWidth;
        int top = (i / side) * kMapHeight;
        entry->SetImage(RectL{left, top, left + kMapWidth, top + kMapHeight}, kMapPath);
        loc.maps.extentWidth = std::max(loc.maps.extentWidth, left + kMapWidth);
        loc.maps.extentHeight = std::max(loc.maps.extentHeight, top + kMapHeight);
        loc.maps.entries.push_back(std::move(entry));
    }
    int w = loc.maps.extentWidth, h = loc.maps.extentHeight;
    for (int s = 0; s < 500 * tiles; ++s) {
        CFreeHand& stroke = loc.freeHands.AddNew();
        QPoint p(rng.bounded(w), rng.bounded(h));
        for (int k = 0; k < 40; ++k) {
            stroke.AppendPoint(p);
            p += QPoint(rng.bounded(-6, 7), rng.bounded(-6, 7));
        }
        stroke.ComputeBounds();
    }
    for (int m = 0; m < 1250 * tiles; ++m)
        loc.mapPoints.AddPoint(rng.bounded(w), rng.bounded(h), m % 5, 0, "p", "");
}

}  // namespace benchloc
