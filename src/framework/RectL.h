// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <cstdint>

// A rectangle as the file format and the drawing code keep it: four edges,
// right and bottom exclusive, never normalised behind the caller's back.
struct RectL {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    // Left and top edges inside, right and bottom outside.
    bool Contains(int32_t x, int32_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    RectL Normalized() const {
        RectL r = *this;
        if (r.left > r.right) std::swap(r.left, r.right);
        if (r.top > r.bottom) std::swap(r.top, r.bottom);
        return r;
    }
    QRect ToQRect() const { return QRect(left, top, right - left, bottom - top); }
    static RectL FromQRect(const QRect& r) {
        return RectL{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    }
    bool operator==(const RectL&) const = default;
};
