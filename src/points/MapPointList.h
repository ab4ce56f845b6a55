// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Archive.h"
#include "points/MapPoint.h"

class QPainter;

// The location's map points in insertion order.
class CMapPointList : public CObject {
public:
    static const ClassInfo classInfo;
    static CObject* Create() { return new CMapPointList; }
    const ClassInfo& GetRuntimeClass() const override { return classInfo; }

    // A count, then every point as a tagged object; reading appends.
    void Serialize(CArchive& ar) override;

    CMapPoint& AddPoint(int32_t x, int32_t y, int32_t type, int32_t elevation, const QString& name,
                        const QString& info);
    // Head to tail, so later points lie on top.
    void DrawAll(QPainter& p) const;
    // The first point, head to tail, whose square holds (x, y); null if none.
    CMapPoint* HitTest(int32_t x, int32_t y) const;
    // Appends copies of other's points in order.
    CMapPointList& CopyFrom(const CMapPointList& other);
    void RemoveAll() { items.clear(); }

    std::vector<std::unique_ptr<CMapPoint>> items;
};
