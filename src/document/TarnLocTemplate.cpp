// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/TarnLocTemplate.h"

const ClassInfo CTarnLocTemplate::classInfo{"CTarnLocTemplate", 0, &CTarnLocTemplate::Create};

void CTarnLocTemplate::Serialize(CArchive& ar) {
    double* const calibration[] = {&lon1, &lon2, &lat1, &lat2, &x1, &x2, &y1, &y2};
    if (ar.IsStoring()) {
        for (double* v : calibration) ar.WriteF64(*v);
    } else {
        for (double* v : calibration) *v = ar.ReadF64();
    }
    maps.Serialize(ar);
    if (ar.Failed()) return;
    mapPoints.Serialize(ar);
}
