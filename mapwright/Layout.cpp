// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapwright/Layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>

namespace layout {

namespace {

// The shift that lays one of `edges` onto the nearest of `targets`, or 0 when
// none is within tolerance.
int SnapShift(std::initializer_list<int32_t> edges, const std::vector<int32_t>& targets,
              int tolerance) {
    int64_t best = int64_t(tolerance) + 1;
    int64_t shift = 0;
    for (int32_t e : edges) {
        for (int32_t t : targets) {
            const int64_t d = int64_t(t) - e;
            if (std::llabs(d) < best) {
                best = std::llabs(d);
                shift = d;
            }
        }
    }
    return best <= tolerance ? int(shift) : 0;
}

std::vector<int32_t> XEdges(const std::vector<RectL>& others) {
    std::vector<int32_t> edges{0};
    for (const RectL& r : others) edges.insert(edges.end(), {r.left, r.right});
    return edges;
}

std::vector<int32_t> YEdges(const std::vector<RectL>& others) {
    std::vector<int32_t> edges{0};
    for (const RectL& r : others) edges.insert(edges.end(), {r.top, r.bottom});
    return edges;
}

RectL Shifted(const RectL& r, int dx, int dy) {
    return RectL{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

}  // namespace

QSize ExtentOf(const std::vector<RectL>& placements) {
    int32_t w = kMinExtent;
    int32_t h = kMinExtent;
    for (const RectL& r : placements) {
        w = std::max(w, r.right);
        h = std::max(h, r.bottom);
    }
    return QSize(w, h);
}

RectL PlaceToTheRight(const std::vector<RectL>& placements, QSize imageSize) {
    int32_t left = 0;
    for (const RectL& r : placements) left = std::max(left, r.right);
    return RectL{left, 0, left + imageSize.width(), imageSize.height()};
}

RectL SnapMove(const RectL& start, QPoint offset, const std::vector<RectL>& others, int tolerance) {
    RectL r = Shifted(start, offset.x(), offset.y());
    r = Shifted(r, SnapShift({r.left, r.right}, XEdges(others), tolerance),
                SnapShift({r.top, r.bottom}, YEdges(others), tolerance));
    // Off the surface an entry could no longer be seen or grabbed.
    return Shifted(r, std::max(0, -r.left), std::max(0, -r.top));
}

RectL StretchCorner(const RectL& start, Corner corner, QPoint offset,
                    const std::vector<RectL>& others, int tolerance, QSize aspect) {
    const bool movesLeft = corner == Corner::TopLeft || corner == Corner::BottomLeft;
    const bool movesTop = corner == Corner::TopLeft || corner == Corner::TopRight;

    int32_t x = (movesLeft ? start.left : start.right) + offset.x();
    int32_t y = (movesTop ? start.top : start.bottom) + offset.y();
    x += SnapShift({x}, XEdges(others), tolerance);
    y += SnapShift({y}, YEdges(others), tolerance);

    RectL r = start;
    if (movesLeft)
        r.left = std::clamp(x, 0, std::max(0, start.right - kMinSize));
    else
        r.right = std::max(x, start.left + kMinSize);
    if (movesTop)
        r.top = std::clamp(y, 0, std::max(0, start.bottom - kMinSize));
    else
        r.bottom = std::max(y, start.top + kMinSize);

    if (aspect.width() <= 0 || aspect.height() <= 0) return r;

    // Keep the picture's proportions: the width leads, the height follows.
    const double ratio = double(aspect.height()) / aspect.width();
    int32_t h = std::max<int32_t>(kMinSize, int32_t(std::lround(r.Width() * ratio)));
    if (movesTop) {
        if (h > r.bottom) {
            // Out of room above: the top edge of the surface limits both sides.
            h = r.bottom;
            const int32_t w = std::max<int32_t>(kMinSize, int32_t(std::lround(h / ratio)));
            if (movesLeft)
                r.left = r.right - w;
            else
                r.right = r.left + w;
        }
        r.top = r.bottom - h;
    } else {
        r.bottom = r.top + h;
    }
    return r;
}

std::vector<RectL> ArrangeRow(const std::vector<RectL>& placements) {
    std::vector<RectL> out;
    out.reserve(placements.size());
    int32_t x = 0;
    for (const RectL& r : placements) {
        const int32_t w = std::max(0, r.Width());
        out.push_back(RectL{x, 0, x + w, std::max(0, r.Height())});
        x += w;
    }
    return out;
}

int GridColumns(int count) {
    if (count <= 0) return 0;
    return int(std::ceil(std::sqrt(double(count))));
}

std::vector<RectL> ArrangeGrid(const std::vector<RectL>& placements) {
    const int n = int(placements.size());
    const int columns = GridColumns(n);
    if (columns == 0) return {};
    const int rows = (n + columns - 1) / columns;
    std::vector<int32_t> widths(columns, 0);
    std::vector<int32_t> heights(rows, 0);
    for (int i = 0; i < n; ++i) {
        widths[i % columns] = std::max(widths[i % columns], placements[i].Width());
        heights[i / columns] = std::max(heights[i / columns], placements[i].Height());
    }
    std::vector<int32_t> xs(columns, 0);
    std::vector<int32_t> ys(rows, 0);
    for (int c = 1; c < columns; ++c) xs[c] = xs[c - 1] + widths[c - 1];
    for (int r = 1; r < rows; ++r) ys[r] = ys[r - 1] + heights[r - 1];

    std::vector<RectL> out;
    out.reserve(placements.size());
    for (int i = 0; i < n; ++i) {
        const int32_t x = xs[i % columns];
        const int32_t y = ys[i / columns];
        out.push_back(RectL{x, y, x + std::max(0, placements[i].Width()),
                            y + std::max(0, placements[i].Height())});
    }
    return out;
}

int HitTest(const std::vector<RectL>& placements, QPoint p) {
    for (int i = int(placements.size()) - 1; i >= 0; --i)
        if (placements[i].Normalized().Contains(p.x(), p.y())) return i;
    return -1;
}

}  // namespace layout
