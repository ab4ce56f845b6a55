// SPDX-License-Identifier: GPL-3.0-or-later
#include "magnifier/LensGeometry.h"

namespace lens {

Settings SanitizedLens(int shape, int size, int zoom) {
    Settings s{shape, size, zoom};
    if (s.size <= 0 || s.size > kMaxSize) s.size = kDefaultSize;
    if (s.zoom <= 0 || SourceSide(s.size, s.zoom) <= 0) s.zoom = kDefaultZoom;
    // A lens too small for any source pixel at all.
    if (SourceSide(s.size, s.zoom) <= 0) s.size = kDefaultSize;
    return s;
}

namespace {

// One axis of the lens position rule.
int LensEdge(int p, int size, int low, int high) {
    const int h = size / 2;
    if (low < p - h) return p - h < high - size ? p - h : high - size;
    return low;
}

// One axis of the source square rule; the high test comes last and wins.
int SourceEdge(int c, int src, int low, int high) {
    const int hs = src / 2;
    int o = c - hs;
    if (c <= low + hs) o = low;
    if (c >= high - hs) o = high - src;
    return o;
}

int UnmagnifiedEdge(int sourceEdge, int src, int size, int high) {
    const int u = sourceEdge + (src - size) / 2;
    if (u <= 0) return 0;
    return u < high - size ? u : high - size;
}

}  // namespace

QPoint LensPosition(QPoint mouse, int size, const RectL& bounds) {
    return {LensEdge(mouse.x(), size, bounds.left, bounds.right),
            LensEdge(mouse.y(), size, bounds.top, bounds.bottom)};
}

int SourceSide(int size, int zoom) {
    if (zoom <= 0) return 0;
    return (size / zoom) * 10;
}

QPoint SourceOrigin(QPoint centre, int src, const RectL& bounds) {
    return {SourceEdge(centre.x(), src, bounds.left, bounds.right),
            SourceEdge(centre.y(), src, bounds.top, bounds.bottom)};
}

QPoint UnmagnifiedOrigin(QPoint sourceOrigin, int src, int size, const RectL& bounds) {
    return {UnmagnifiedEdge(sourceOrigin.x(), src, size, bounds.right),
            UnmagnifiedEdge(sourceOrigin.y(), src, size, bounds.bottom)};
}

}  // namespace lens
