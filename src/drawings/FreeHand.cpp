// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/FreeHand.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>

#include "drawings/ColorRef.h"
#include "drawings/PointArray.h"
#include "drawings/Stroke.h"

const ClassInfo CFreeHand::classInfo{"CFreeHand", 1, &CFreeHand::Create};

void CFreeHand::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteRect(bounds);
        ar.WriteU16(static_cast<uint16_t>(penWidth));
        ar.WriteU32(penColor);
        WritePoints(ar, points);
    } else {
        bounds = ar.ReadRect();
        penWidth = ar.ReadU16();
        penColor = ar.ReadU32();
        points = ar.ReadPointArray();
    }
}

int CFreeHand::Draw(QPainter& p) const {
    std::optional<QPen> pen = MakeSolidPen(penWidth, penColor);
    if (!pen) return 0;
    DrawPolyline(p, *pen, points);
    return 1;
}

void CFreeHand::ComputeBounds() {
    if (points.empty()) {
        bounds = RectL{};
        return;
    }
    RectL r{points[0].x(), points[0].y(), points[0].x(), points[0].y()};
    for (const QPoint& pt : points) {
        r.left = std::min(r.left, pt.x());
        r.right = std::max(r.right, pt.x());
        r.top = std::min(r.top, pt.y());
        r.bottom = std::max(r.bottom, pt.y());
    }
    // Saturating, so points at the ends of the int range cannot wrap around.
    auto grow = [](int32_t v, int64_t by) {
        return int32_t(std::clamp<int64_t>(int64_t(v) + by, INT32_MIN, INT32_MAX));
    };
    bounds = RectL{grow(r.left, -int64_t(penWidth)), grow(r.top, -int64_t(penWidth)),
                   grow(r.right, penWidth), grow(r.bottom, penWidth)};
}
