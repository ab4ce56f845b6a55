// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/RectElipDrawList.h"

#include "drawings/TaggedList.h"

const ClassInfo CRectElipDrawList::classInfo{"CRectElipDrawList", 1, &CRectElipDrawList::Create};

namespace {
// Rect, pen width, colour, reserved, isEllipse.
constexpr uint64_t kMinShapeBytes = 16 + 2 + 4 + 4 + 4;
}  // namespace

void CRectElipDrawList::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteU16(static_cast<uint16_t>(penWidth));
        ar.WriteU32(penColor);
        ar.WriteU32(reserved);
    } else {
        penWidth = ar.ReadU16();
        penColor = ar.ReadU32();
        reserved = ar.ReadU32();
    }
    SerializeTaggedList(ar, items, kMinShapeBytes);
}

CRectElipDraw& CRectElipDrawList::AddNew(bool isEllipse) {
    auto shape = std::make_unique<CRectElipDraw>();
    shape->penWidth = penWidth;
    shape->penColor = penColor;
    shape->isEllipse = isEllipse ? 1 : 0;
    items.push_back(std::move(shape));
    return *items.back();
}

void CRectElipDrawList::Draw(QPainter& p) const {
    for (const auto& shape : items) shape->Draw(p);
}
