// SPDX-License-Identifier: GPL-3.0-or-later
#include "points/MapPoint.h"

#include <QPainter>
#include <cstdint>

const ClassInfo CMapPoint::classInfo{"CMapPoint", 1, &CMapPoint::Create};

CMapPoint::CMapPoint(int32_t x, int32_t y, int32_t type, int32_t elevation, const QString& name,
                     const QString& info)
    : position(x, y), type(type), elevation(elevation), name(name), info(info) {}

void CMapPoint::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WritePoint(position);
        ar.WriteI32(type);
        ar.WriteI32(elevation);
        ar.WriteString(name);
        ar.WriteString(info);
    } else {
        position = ar.ReadPoint();
        type = ar.ReadI32();
        elevation = ar.ReadI32();
        name = ar.ReadString();
        info = ar.ReadString();
    }
}

QColor CMapPoint::TypeColor(int32_t type) {
    switch (type) {
        case Water:
            return QColor(0, 0, 140);
        case Land:
            return QColor(0, 140, 0);
        case Rock:
            return QColor(131, 131, 65);
        case City:
            return QColor(255, 255, 74);
        case Landmark:
            return QColor(176, 176, 176);
        default:
            return QColor(0, 140, 0);
    }
}

int CMapPoint::Draw(QPainter& p) const {
    // 64-bit so a position at the end of the int range cannot wrap.
    const int64_t x = position.x();
    const int64_t y = position.y();
    if (x - halfSize < INT32_MIN / 2 || x + halfSize > INT32_MAX / 2 ||
        y - halfSize < INT32_MIN / 2 || y + halfSize > INT32_MAX / 2)
        return 1;  // far outside any picture
    const int side = 2 * halfSize + 1;
    const int left = int(x - halfSize);
    const int top = int(y - halfSize);
    // Filled rectangles rather than a stroked outline: they land on the same
    // pixels however the painter is clipped or translated.
    p.fillRect(QRect(left, top, side, side), Qt::black);
    p.fillRect(QRect(left + 1, top + 1, side - 2, side - 2), TypeColor(type));
    return 1;
}

bool CMapPoint::Contains(int32_t x, int32_t y) const {
    const int64_t px = position.x();
    const int64_t py = position.y();
    return x >= px - halfSize && x < px + halfSize && y >= py - halfSize && y < py + halfSize;
}
