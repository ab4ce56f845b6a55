// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <cstdint>
#include <memory>
#include <vector>

#include "drawings/FreeHand.h"
#include "framework/Archive.h"

class QPainter;

// The location's free-hand strokes, drawn head to tail, and the pen that new
// strokes take.
class CFreeHandList : public CObject {
public:
    static const ClassInfo classInfo;
    static CObject* Create() { return new CFreeHandList; }
    const ClassInfo& GetRuntimeClass() const override { return classInfo; }

    // 16-bit pen width, colour, then the tagged strokes.
    void Serialize(CArchive& ar) override;

    // A stroke with the current pen, appended at the tail.
    CFreeHand& AddNew();
    void RemoveAll() { items.clear(); }
    void RemoveLast() {
        if (!items.empty()) items.pop_back();
    }
    // Only strokes whose bounds meet clip (logical pixels) are drawn; a
    // stroke still being entered has empty bounds and is left out.
    void Draw(QPainter& p, const QRect& clip) const;

    int32_t penWidth = 2;
    uint32_t penColor = 180;
    std::vector<std::unique_ptr<CFreeHand>> items;
};
