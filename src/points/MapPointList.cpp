// SPDX-License-Identifier: GPL-3.0-or-later
#include "points/MapPointList.h"

const ClassInfo CMapPointList::classInfo{"CMapPointList", 1, &CMapPointList::Create};

namespace {
// Tag, position, type, elevation and two empty strings.
constexpr uint64_t kMinTaggedPointBytes = 2 + 8 + 4 + 4 + 1 + 1;
}  // namespace

void CMapPointList::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<uint32_t>(items.size()));
        for (const auto& point : items) ar.WriteObject(*point);
        return;
    }
    const uint32_t count = ar.ReadCount();
    if (!ar.CheckCount(count, kMinTaggedPointBytes)) return;
    for (uint32_t i = 0; i < count; ++i) {
        std::unique_ptr<CObject> object = ar.ReadObject(CMapPoint::classInfo);
        if (!object) return;
        items.emplace_back(static_cast<CMapPoint*>(object.release()));
    }
}

CMapPoint& CMapPointList::AddPoint(int32_t x, int32_t y, int32_t type, int32_t elevation,
                                   const QString& name, const QString& info) {
    items.push_back(std::make_unique<CMapPoint>(x, y, type, elevation, name, info));
    return *items.back();
}

void CMapPointList::DrawAll(QPainter& p) const {
    for (const auto& point : items) point->Draw(p);
}

CMapPoint* CMapPointList::HitTest(int32_t x, int32_t y) const {
    for (const auto& point : items)
        if (point->Contains(x, y)) return point.get();
    return nullptr;
}

CMapPointList& CMapPointList::CopyFrom(const CMapPointList& other) {
    // By index over the size at the start, so copying a list into itself
    // doubles it instead of running on.
    const size_t n = other.items.size();
    for (size_t i = 0; i < n; ++i) {
        const CMapPoint& point = *other.items[i];
        AddPoint(point.position.x(), point.position.y(), point.type, point.elevation, point.name,
                 point.info);
    }
    return *this;
}
