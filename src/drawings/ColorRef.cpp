// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/ColorRef.h"

#include "drawings/PenScale.h"

namespace {
constexpr int32_t kMaxPenWidth = 0xFFFF;  // widths are 16 bits on disk
}

QColor FromColorRef(uint32_t colorRef) {
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

uint32_t ToColorRef(const QColor& color) {
    return uint32_t(color.red()) | (uint32_t(color.green()) << 8) | (uint32_t(color.blue()) << 16);
}

namespace {
thread_local double penScale = 1.0;
}  // namespace

CPenScale::CPenScale(double factor) : previous(penScale) {
    penScale = factor > 0 ? factor : 1.0;
}

CPenScale::~CPenScale() {
    penScale = previous;
}

double CPenScale::Current() {
    return penScale;
}

std::optional<QPen> MakeSolidPen(int32_t width, uint32_t colorRef) {
    if (width < 0 || width > kMaxPenWidth) return std::nullopt;
    // Width 0 is the thinnest line the device has, as on the old platform.
    if (width == 0) width = 1;
    // Round ends and joins, as wide strokes have always looked.
    return QPen(FromColorRef(colorRef), width * penScale, Qt::SolidLine, Qt::RoundCap,
                Qt::RoundJoin);
}
