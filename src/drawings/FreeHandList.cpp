// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/FreeHandList.h"

#include "drawings/TaggedList.h"

#include <cstdint>

const ClassInfo CFreeHandList::classInfo{"CFreeHandList", 1, &CFreeHandList::Create};

namespace {
// Bounds, pen width, colour and an empty point count.
constexpr uint64_t kMinStrokeBytes = 16 + 2 + 4 + 2;

bool Meets(const RectL& r, const QRect& clip) {
    const int64_t clipRight = int64_t(clip.x()) + clip.width();
    const int64_t clipBottom = int64_t(clip.y()) + clip.height();
    return r.left < clipRight && clip.x() < r.right && r.top < clipBottom && clip.y() < r.bottom;
}
}  // namespace

void CFreeHandList::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteU16(static_cast<uint16_t>(penWidth));
        ar.WriteU32(penColor);
    } else {
        penWidth = ar.ReadU16();
        penColor = ar.ReadU32();
    }
    SerializeTaggedList(ar, items, kMinStrokeBytes);
}

CFreeHand& CFreeHandList::AddNew() {
    auto stroke = std::make_unique<CFreeHand>();
    stroke->penWidth = penWidth;
    stroke->penColor = penColor;
    items.push_back(std::move(stroke));
    return *items.back();
}

void CFreeHandList::Draw(QPainter& p, const QRect& clip) const {
    for (const auto& stroke : items) {
        // A width-0 stroke is drawn one pixel wide, but its bounds are not
        // grown at all: a straight stroke would have no area to meet.
        RectL reach = stroke->bounds;
        if (stroke->penWidth == 0 && !stroke->points.empty()) {
            reach.right = reach.right == INT32_MAX ? reach.right : reach.right + 1;
            reach.bottom = reach.bottom == INT32_MAX ? reach.bottom : reach.bottom + 1;
        }
        if (Meets(reach, clip)) stroke->Draw(p);
    }
}
