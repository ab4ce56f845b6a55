// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "drawings/LineDraw.h"
#include "framework/Archive.h"

class QPainter;

// The location's polylines and the pen that new ones take.
class CLineDrawList : public CObject {
public:
    static const ClassInfo classInfo;
    static CObject* Create() { return new CLineDrawList; }
    const ClassInfo& GetRuntimeClass() const override { return classInfo; }

    // 16-bit pen width, colour, reserved, then the tagged lines.
    void Serialize(CArchive& ar) override;

    // A line with the current pen, appended at the tail.
    CLineDraw& AddNew();
    void RemoveAll() { items.clear(); }
    void RemoveLast() {
        if (!items.empty()) items.pop_back();
    }
    // Every line, head to tail.
    void Draw(QPainter& p) const;

    std::vector<std::unique_ptr<CLineDraw>> items;
    int32_t penWidth = 2;
    uint32_t penColor = 180;
    uint32_t reserved = 0;
};
