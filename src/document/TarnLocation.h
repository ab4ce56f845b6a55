// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>
#include <cstdint>

#include "document/MapLocationList.h"
#include "drawings/FreeHandList.h"
#include "drawings/LineDrawList.h"
#include "drawings/RectElipDrawList.h"
#include "framework/Archive.h"
#include "geo/Calibration.h"
#include "points/MapPointList.h"
#include "points/UserInfoPointList.h"

class QPainter;

// Everything about one fishing area: the calibration (lon1 .. y2 with
// PixelToCoordinate, LongitudeToX and LatitudeToY, inherited), the layer
// flags, the six owned lists and the zoom. In the program the map view owns
// it; the command-line tool and the tests keep a plain one.
class CTarnLocation : public CObject, public Calibration {
public:
    static const ClassInfo classInfo;
    static CObject* Create() { return new CTarnLocation; }
    const ClassInfo& GetRuntimeClass() const override { return classInfo; }

    // The location is read and written by SerializeLocation only.
    void Serialize(CArchive&) override {}
    // The whole location: the 92-byte head (zoom first), then the maps,
    // user info points, free-hand, line, rectangle/ellipse and map point
    // blocks. Reading expects a location already Reset.
    void SerializeLocation(CArchive& ar);

    // Back to an empty, uncalibrated location at zoom 1. Layer flags, pens
    // and the lists' drawing zooms are the user's and stay.
    void Reset();

    // Exchanges everything a location file stores with other: calibration,
    // zoom, layer flags, every list's elements, pens and the maps' extent.
    // Windows of user info points go with their points; the lists' parents,
    // scroll offsets and drawing zooms stay where they are.
    void SwapContent(CTarnLocation& other);
    // Takes what Reset keeps (layer flags and pens) from other.
    void CopyKeptSettings(const CTarnLocation& other);

    // Composes the part of the picture inside clip (logical pixels; p maps
    // them to its device): white, then maps, red lines and map points, each
    // behind its layer flag. User info points are windows and not drawn.
    // Composing the extent in pieces gives the same pixels as all at once.
    void Draw(QPainter& p, const QRect& clip);

    // The surface size at zoom 1, and as drawn (each product truncated).
    QSize Extent() const { return maps.Extent(); }
    QSize ZoomedExtent() const;

    int32_t showMaps = 1;
    int32_t showMapPoints = 1;
    int32_t showRedLines = 1;
    int32_t showUserPoints = 1;
    int32_t reservedFlag = 1;
    CMapLocationList maps;
    CUserInfoPointList userInfoPoints;
    CMapPointList mapPoints;
    CFreeHandList freeHands;
    CLineDrawList lineDraws;
    CRectElipDrawList rectElipDraws;
    double zoom = 1.0;
};
