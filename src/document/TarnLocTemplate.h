// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/MapLocationList.h"
#include "framework/Archive.h"
#include "geo/Calibration.h"
#include "points/MapPointList.h"

// The older, smaller location form read from "qlt" files: the calibration,
// the maps and the map points, nothing else. It lives only while such a file
// is read; the document copies it into the location.
class CTarnLocTemplate : public CObject, public Calibration {
public:
    static const ClassInfo classInfo;
    static CObject* Create() { return new CTarnLocTemplate; }
    const ClassInfo& GetRuntimeClass() const override { return classInfo; }

    // Eight doubles lon1, lon2, lat1, lat2, x1, x2, y1, y2, then a maps
    // block and a map points block as in a location file.
    void Serialize(CArchive& ar) override;

    CMapLocationList maps;
    CMapPointList mapPoints;
};
