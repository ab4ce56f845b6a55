// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "drawings/RectElipDraw.h"
#include "framework/Archive.h"

class QPainter;

// The location's rectangles and ellipses and the pen that new ones take.
class CRectElipDrawList : public CObject {
public:
    static const ClassInfo classInfo;
    static CObject* Create() { return new CRectElipDrawList; }
    const ClassInfo& GetRuntimeClass() const override { return classInfo; }

    // 16-bit pen width, colour, reserved, then the tagged shapes.
    void Serialize(CArchive& ar) override;

    // A shape with the current pen and an empty rect, appended at the tail.
    CRectElipDraw& AddNew(bool isEllipse);
    void RemoveAll() { items.clear(); }
    void RemoveLast() {
        if (!items.empty()) items.pop_back();
    }
    // Every shape, head to tail.
    void Draw(QPainter& p) const;

    std::vector<std::unique_ptr<CRectElipDraw>> items;
    int32_t penWidth = 2;
    uint32_t penColor = 180;
    uint32_t reserved = 0;
};
