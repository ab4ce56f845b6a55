// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/LineDrawList.h"

#include "drawings/TaggedList.h"

const ClassInfo CLineDrawList::classInfo{"CLineDrawList", 1, &CLineDrawList::Create};

namespace {
// Bounds, pen width, colour, reserved and an empty point count.
constexpr uint64_t kMinLineBytes = 16 + 2 + 4 + 4 + 2;
}  // namespace

void CLineDrawList::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteU16(static_cast<uint16_t>(penWidth));
        ar.WriteU32(penColor);
        ar.WriteU32(reserved);
    } else {
        penWidth = ar.ReadU16();
        penColor = ar.ReadU32();
        reserved = ar.ReadU32();
    }
    SerializeTaggedList(ar, items, kMinLineBytes);
}

CLineDraw& CLineDrawList::AddNew() {
    auto line = std::make_unique<CLineDraw>();
    line->penWidth = penWidth;
    line->penColor = penColor;
    items.push_back(std::move(line));
    return *items.back();
}

void CLineDrawList::Draw(QPainter& p) const {
    for (const auto& line : items) line->Draw(p);
}
