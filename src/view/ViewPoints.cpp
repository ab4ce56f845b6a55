// SPDX-License-Identifier: GPL-3.0-or-later
// The view's handling of map points and user info points.
#include <QMouseEvent>
#include <algorithm>

#include "document/TarnlightDoc.h"
#include "framework/Prompts.h"
#include "geo/DmsFields.h"
#include "points/DeleteUserPointsDialog.h"
#include "points/MapPoint.h"
#include "points/MapPointDialog.h"
#include "points/PointDisplay.h"
#include "points/UserInfoPoint.h"
#include "points/UserPointDialog.h"
#include "points/UserPointWindow.h"
#include "resources/Strings.h"
#include "view/FrameServices.h"
#include "view/TarnlightView.h"

namespace {
// Positions stay well inside int, so the square and icon sizes and scroll
// offsets added to them cannot overflow, whatever degrees were typed.
constexpr int kPixelLimit = 1 << 30;

int Pixel(double v) {
    return std::clamp(TruncateToInt(v), -kPixelLimit, kPixelLimit);
}

// Whole degrees, minutes and seconds as the dialogs show them.
void Split(const CDegMinSec& a, int& d, int& m, int& s) {
    d = TruncateToInt(a.degrees);
    m = TruncateToInt(a.minutes);
    s = TruncateToInt(a.seconds);
}

bool OnTheMap(const CTarnLocation& location, QPoint p) {
    const QSize extent = location.Extent();
    return InAllowedMappingArea(p.x(), p.y(), extent.width(), extent.height(), location.maps.zoom);
}

CCoordinate Join(int latD, int latM, int latS, int lonD, int lonM, int lonS) {
    CCoordinate c;
    c.latitude = CDegMinSec(latD, latM, latS);
    c.longitude = CDegMinSec(lonD, lonM, lonS);
    return c;
}
}  // namespace

void CTarnlightView::InstallPointWindows() {
    CUserInfoPointList::SetWindowFactory([](CUserInfoPoint& point, QWidget* parent) -> QWidget* {
        auto* view = parent ? qobject_cast<CTarnlightView*>(parent->parentWidget()) : nullptr;
        if (!view) return nullptr;
        auto* w = new CUserPointWindow(point, view->location.userInfoPoints, parent);
        connect(w, &CUserPointWindow::setupRequested, view,
                [view](CUserInfoPoint& p) { view->SetupUserPoint(p); });
        connect(w, &CUserPointWindow::informationRequested, view,
                [view](CUserInfoPoint& p) { view->ShowUserPointInformation(p); });
        // A drag is a change like any other: without this the move would be
        // lost at close without a question.
        connect(w, &CUserPointWindow::moved, view,
                [view](CUserInfoPoint&) { view->doc.SetModifiedFlag(); });
        return w;
    });
}

QPoint CTarnlightView::PixelFrom(const CCoordinate& c) const {
    return QPoint(Pixel(location.LongitudeToX(c)), Pixel(location.LatitudeToY(c)));
}

void CTarnlightView::OnAddUserPoint() {
    LeaveMagnifier();
    SetMode(Standard);
    doc.SetModifiedFlag();
    // The windows follow the zoom the maps are drawn with, so icons stay on
    // their spot of the map.
    location.userInfoPoints.SetZoom(location.maps.zoom);
    location.userInfoPoints.AddNew();
}

bool CTarnlightView::SetupUserPoint(CUserInfoPoint& point, bool isNew) {
    location.PixelToCoordinate(point.position.x(), point.position.y(), point.coordinate);
    UserPointValues v;
    v.iconId = point.iconId;
    v.name = point.name;
    v.info = point.info;
    v.altitude = point.altitude;
    Split(point.coordinate.latitude, v.latDeg, v.latMin, v.latSec);
    Split(point.coordinate.longitude, v.lonDeg, v.lonMin, v.lonSec);
    QPoint position;
    for (;;) {
        CUserPointDialog dlg(v, this);
        // Cancel leaves the point exactly as it was, even after a failed OK.
        if (Prompts::instance().runModal(dlg) != QDialog::Accepted) return false;
        position = PixelFrom(Join(v.latDeg, v.latMin, v.latSec, v.lonDeg, v.lonMin, v.lonSec));
        // A point may only be put where it can be seen; one left where it
        // was may be renamed wherever it is.
        if ((!isNew && position == point.position) || OnTheMap(location, position)) break;
        Prompts::instance().message(str::PointNotInArea);
    }
    point.SetIcon(v.iconId);
    point.SetName(v.name);
    point.SetInfo(v.info);
    point.altitude = v.altitude;
    point.coordinate = Join(v.latDeg, v.latMin, v.latSec, v.lonDeg, v.lonMin, v.lonSec);
    doc.SetModifiedFlag();
    point.position = position;
    // The point may have left the view, or come into it.
    location.userInfoPoints.UpdateWindows();
    viewport()->update();
    return true;
}

void CTarnlightView::ShowUserPointInformation(CUserInfoPoint& point) {
    location.PixelToCoordinate(point.position.x(), point.position.y(), point.coordinate);
    if (frame && frame->PointDisplay())
        frame->PointDisplay()->ShowUserPoint(point.name, point.info, point.iconId,
                                             point.coordinate.LatitudeText(true),
                                             point.coordinate.LongitudeText(true), point.altitude);
}

void CTarnlightView::OnSetupNewUserPoint() {
    auto point = std::make_unique<CUserInfoPoint>();
    point->SetIcon(CUserInfoPoint::kNewPointIconId);
    point->position = QPoint(20, 20);
    if (!SetupUserPoint(*point, true)) return;
    location.userInfoPoints.SetZoom(location.maps.zoom);
    CUserInfoPoint& added = location.userInfoPoints.Append(std::move(point));
    if (QWidget* w = added.Window()) w->show();
}

void CTarnlightView::OnRemoveUserPoints() {
    QStringList names;
    for (const auto& p : location.userInfoPoints.points) names << p->name;
    CDeleteUserPointsDialog dlg(names, this);
    if (Prompts::instance().runModal(dlg) != QDialog::Accepted) return;
    for (const QString& n : dlg.ticked) location.userInfoPoints.RemoveByName(n);
    viewport()->update();
    doc.SetModifiedFlag();
}

void CTarnlightView::OnSetupMapPoint() {
    CMapPointDialog dlg(MapPointValues{}, this);
    if (Prompts::instance().runModal(dlg) != QDialog::Accepted) return;
    const MapPointValues& v = dlg.values;
    CMapPoint& p = location.mapPoints.AddPoint(0, 0, v.type, v.elevation, v.name, v.info);
    p.position = PixelFrom(Join(v.latDeg, v.latMin, v.latSec, v.lonDeg, v.lonMin, v.lonSec));
    doc.SetModifiedFlag();
    viewport()->update();
}

bool CTarnlightView::EditMapPointAt(QPoint logical) {
    CMapPoint* hit = location.mapPoints.HitTest(logical.x(), logical.y());
    if (!hit) return false;
    MapPointValues v;
    v.name = hit->name;
    v.info = hit->info;
    v.type = hit->type;
    v.elevation = hit->elevation;
    CCoordinate c;
    location.PixelToCoordinate(hit->position.x(), hit->position.y(), c);
    Split(c.latitude, v.latDeg, v.latMin, v.latSec);
    Split(c.longitude, v.lonDeg, v.lonMin, v.lonSec);
    QPoint position;
    for (;;) {
        CMapPointDialog dlg(v, this);
        if (Prompts::instance().runModal(dlg) != QDialog::Accepted) return true;
        v = dlg.values;
        position = PixelFrom(Join(v.latDeg, v.latMin, v.latSec, v.lonDeg, v.lonMin, v.lonSec));
        if (position == hit->position || OnTheMap(location, position)) break;
        Prompts::instance().message(str::PointNotInArea);
    }
    hit->name = v.name;
    hit->info = v.info;
    hit->type = v.type;
    hit->elevation = v.elevation;
    hit->position = position;
    viewport()->update();
    doc.SetModifiedFlag();
    return true;
}

bool CTarnlightView::ShowMapPointAt(QPoint logical) {
    CMapPoint* hit = location.mapPoints.HitTest(logical.x(), logical.y());
    if (!hit) return false;
    CCoordinate c;
    location.PixelToCoordinate(hit->position.x(), hit->position.y(), c);
    if (frame && frame->PointDisplay())
        frame->PointDisplay()->ShowMapPoint(hit->name, hit->info, c.LatitudeText(true),
                                            c.LongitudeText(true), hit->elevation);
    return true;
}
