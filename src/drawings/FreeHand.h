// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <cstdint>
#include <vector>

#include "framework/Archive.h"
#include "framework/RectL.h"

class QPainter;

// One free-hand stroke in the view's logical pixels.
class CFreeHand : public CObject {
public:
    static const ClassInfo classInfo;
    static CObject* Create() { return new CFreeHand; }
    const ClassInfo& GetRuntimeClass() const override { return classInfo; }

    // Record: bounds, 16-bit pen width, colour, point array.
    void Serialize(CArchive& ar) override;

    // 1 when drawn, 0 when the pen could not be made.
    int Draw(QPainter& p) const;
    // Bounding box of the points grown by the pen width; empty without points.
    void ComputeBounds();
    void AppendPoint(const QPoint& point) { points.push_back(point); }

    int32_t penWidth = 2;
    uint32_t penColor = 180;
    std::vector<QPoint> points;
    RectL bounds;
};
