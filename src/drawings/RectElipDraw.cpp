// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/RectElipDraw.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>

#include "drawings/ColorRef.h"
#include "drawings/Stroke.h"

const ClassInfo CRectElipDraw::classInfo{"CRectElipDraw", 1, &CRectElipDraw::Create};

void CRectElipDraw::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteRect(rect);
        ar.WriteU16(static_cast<uint16_t>(penWidth));
        ar.WriteU32(penColor);
        ar.WriteU32(reserved);
        ar.WriteU32(static_cast<uint32_t>(isEllipse));
    } else {
        rect = ar.ReadRect();
        penWidth = ar.ReadU16();
        penColor = ar.ReadU32();
        reserved = ar.ReadU32();
        isEllipse = ar.ReadI32();
    }
}

int CRectElipDraw::Draw(QPainter& p) const {
    std::optional<QPen> pen = MakeSolidPen(penWidth, penColor);
    if (!pen) return 0;
    // The outline runs through the first and last pixel inside the
    // right/bottom-exclusive corners, whichever way the shape was dragged.
    // Corners are clamped far outside any view so a damaged file cannot
    // overflow the painter's integer rectangles.
    static constexpr int64_t kLimit = 1 << 28;
    auto clamp = [](int32_t v) { return int(std::clamp<int64_t>(v, -kLimit, kLimit)); };
    const RectL r = rect.Normalized();
    const int left = clamp(r.left);
    const int top = clamp(r.top);
    // The outline runs through the first and last pixel inside the
    // right/bottom-exclusive corners, whichever way the shape was dragged.
    const QRect pixels(left, top, std::max(1, clamp(r.right) - left),
                       std::max(1, clamp(r.bottom) - top));
    DrawFrame(p, *pen, pixels, isEllipse != 0);
    return 1;
}
