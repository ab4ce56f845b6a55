// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/TarnLocation.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

const ClassInfo CTarnLocation::classInfo{"CTarnLocation", 0, &CTarnLocation::Create};

void CTarnLocation::SerializeLocation(CArchive& ar) {
    double* const calibration[] = {&lon1, &lon2, &lat1, &lat2, &x1, &x2, &y1, &y2};
    int32_t* const flags[] = {&showMaps, &showMapPoints, &showRedLines, &showUserPoints,
                              &reservedFlag};
    if (ar.IsStoring()) {
        ar.WriteF64(zoom);
        for (double* v : calibration) ar.WriteF64(*v);
        for (int32_t* f : flags) ar.WriteI32(*f);
    } else {
        zoom = ar.ReadF64();
        for (double* v : calibration) *v = ar.ReadF64();
        for (int32_t* f : flags) *f = ar.ReadI32();
    }
    // Each block stops at the first fault; later blocks then do nothing.
    maps.Serialize(ar);
    if (ar.Failed()) return;
    userInfoPoints.Serialize(ar);
    if (ar.Failed()) return;
    freeHands.Serialize(ar);
    if (ar.Failed()) return;
    lineDraws.Serialize(ar);
    if (ar.Failed()) return;
    rectElipDraws.Serialize(ar);
    if (ar.Failed()) return;
    mapPoints.Serialize(ar);
}

void CTarnLocation::Reset() {
    zoom = 1.0;
    static_cast<Calibration&>(*this) = Calibration{};
    maps.RemoveAll();
    userInfoPoints.RemoveAll();
    freeHands.RemoveAll();
    lineDraws.RemoveAll();
    rectElipDraws.RemoveAll();
    mapPoints.RemoveAll();
}

void CTarnLocation::SwapContent(CTarnLocation& other) {
    using std::swap;
    swap(static_cast<Calibration&>(*this), static_cast<Calibration&>(other));
    swap(zoom, other.zoom);
    swap(maps.entries, other.maps.entries);
    swap(maps.extentWidth, other.maps.extentWidth);
    swap(maps.extentHeight, other.maps.extentHeight);
    swap(userInfoPoints.points, other.userInfoPoints.points);
    swap(freeHands.items, other.freeHands.items);
    swap(lineDraws.items, other.lineDraws.items);
    swap(rectElipDraws.items, other.rectElipDraws.items);
    swap(mapPoints.items, other.mapPoints.items);
    CTarnLocation kept;
    kept.CopyKeptSettings(*this);
    CopyKeptSettings(other);
    other.CopyKeptSettings(kept);
}

void CTarnLocation::CopyKeptSettings(const CTarnLocation& other) {
    showMaps = other.showMaps;
    showMapPoints = other.showMapPoints;
    showRedLines = other.showRedLines;
    showUserPoints = other.showUserPoints;
    reservedFlag = other.reservedFlag;
    freeHands.penWidth = other.freeHands.penWidth;
    freeHands.penColor = other.freeHands.penColor;
    lineDraws.penWidth = other.lineDraws.penWidth;
    lineDraws.penColor = other.lineDraws.penColor;
    lineDraws.reserved = other.lineDraws.reserved;
    rectElipDraws.penWidth = other.rectElipDraws.penWidth;
    rectElipDraws.penColor = other.rectElipDraws.penColor;
    rectElipDraws.reserved = other.rectElipDraws.reserved;
}

QSize CTarnLocation::ZoomedExtent() const {
    auto scaled = [&](int32_t v) {
        const double s = std::trunc(v * maps.zoom);
        return std::isfinite(s) ? int(std::clamp(s, 0.0, double(INT32_MAX))) : 0;
    };
    return QSize(scaled(maps.extentWidth), scaled(maps.extentHeight));
}

void CTarnLocation::Draw(QPainter& p, const QRect& clip) {
    if (clip.isEmpty()) return;
    p.save();
    p.setClipRect(clip, Qt::IntersectClip);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBackground(Qt::white);
    p.fillRect(clip, Qt::white);
    if (showMaps) maps.DrawAll(p, clip);
    if (showRedLines) {
        freeHands.Draw(p, clip);
        lineDraws.Draw(p);
        rectElipDraws.Draw(p);
    }
    if (showMapPoints) mapPoints.DrawAll(p);
    p.restore();
}
