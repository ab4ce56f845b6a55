// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/LineDraw.h"

#include "drawings/ColorRef.h"
#include "drawings/PointArray.h"
#include "drawings/Stroke.h"

const ClassInfo CLineDraw::classInfo{"CLineDraw", 1, &CLineDraw::Create};

void CLineDraw::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteRect(bounds);
        ar.WriteU16(static_cast<uint16_t>(penWidth));
        ar.WriteU32(penColor);
        ar.WriteU32(reserved);
        WritePoints(ar, points);
    } else {
        bounds = ar.ReadRect();
        penWidth = ar.ReadU16();
        penColor = ar.ReadU32();
        reserved = ar.ReadU32();
        points = ar.ReadPointArray();
    }
}

int CLineDraw::Draw(QPainter& p) const {
    std::optional<QPen> pen = MakeSolidPen(penWidth, penColor);
    if (!pen) return 0;
    DrawPolyline(p, *pen, points);
    return 1;
}
