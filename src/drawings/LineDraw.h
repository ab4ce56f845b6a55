// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <cstdint>
#include <vector>

#include "framework/Archive.h"
#include "framework/RectL.h"

class QPainter;

// A polyline of straight segments between clicked vertices.
class CLineDraw : public CObject {
public:
    static const ClassInfo classInfo;
    static CObject* Create() { return new CLineDraw; }
    const ClassInfo& GetRuntimeClass() const override { return classInfo; }

    // Record: bounds, 16-bit pen width, colour, reserved, point array.
    void Serialize(CArchive& ar) override;

    // 1 when drawn, 0 when the pen could not be made.
    int Draw(QPainter& p) const;
    void AppendPoint(const QPoint& point) { points.push_back(point); }

    int32_t penWidth = 2;
    uint32_t penColor = 180;
    uint32_t reserved = 0;
    std::vector<QPoint> points;
    // Never computed for lines; kept only so it round-trips through files.
    RectL bounds;
};
