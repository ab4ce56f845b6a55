// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "framework/Archive.h"
#include "framework/RectL.h"

class QPainter;

// A hollow rectangle or ellipse. rect keeps the button-down corner as
// (left, top) and the button-up corner as (right, bottom), unsorted.
class CRectElipDraw : public CObject {
public:
    static const ClassInfo classInfo;
    static CObject* Create() { return new CRectElipDraw; }
    const ClassInfo& GetRuntimeClass() const override { return classInfo; }

    // Record: rect, 16-bit pen width, colour, reserved, isEllipse.
    void Serialize(CArchive& ar) override;

    // 1 when drawn, 0 when the pen could not be made.
    int Draw(QPainter& p) const;

    int32_t penWidth = 2;
    uint32_t penColor = 180;
    uint32_t reserved = 0;
    RectL rect;
    int32_t isEllipse = 0;
};
