#include "points/UserInfoPointList.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "points/UserInfoPointIconWindow.h"
#include "resources/Art.h"

const ClassInfo CUserInfoPointList::classInfo{"CUserInfoPointList", 0, &CUserInfoPointList::Create};

namespace {
// iconId, two empty strings, position, altitude, date status and day count.
constexpr uint64_t kMinPointBytes = 4 + 1 + 1 + 8 + 4 + 4 + 8;

CUserInfoPointList::WindowFactory& Factory() {
    static CUserInfoPointList::WindowFactory factory;
    return factory;
}

// Window places stay far inside the int range, whatever a file holds.
constexpr double kLimit = 1 << 30;

int Scaled(int v, double zoom) {
    const double s = std::trunc(v * zoom);
    if (!std::isfinite(s)) return 0;
    return int(std::clamp(s, -kLimit, kLimit));
}
}  // namespace

void CUserInfoPointList::SetWindowFactory(WindowFactory factory) {
    Factory() = std::move(factory);
}

void CUserInfoPointList::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteU32(static_cast<uint32_t>(points.size()));
        for (const auto& point : points) point->Serialize(ar);
        return;
    }
    RemoveAll();
    const uint32_t count = ar.ReadU32();
    if (!ar.CheckCount(count, kMinPointBytes)) return;
    for (uint32_t i = 0; i < count; ++i) {
        auto point = std::make_unique<CUserInfoPoint>();
        point->Serialize(ar);
        if (ar.Failed()) return;
        MakeWindow(*point);
        points.push_back(std::move(point));
    }
}

CUserInfoPoint& CUserInfoPointList::AddNew() {
    auto point = std::make_unique<CUserInfoPoint>();
    point->name = QString("Point %1").arg(points.size() + 1);
    point->iconId = CUserInfoPoint::kNewPointIconId;
    point->position = QPoint(20, 20);
    return Append(std::move(point));
}

CUserInfoPoint& CUserInfoPointList::Append(std::unique_ptr<CUserInfoPoint> point) {
    if (!point->Window()) MakeWindow(*point);
    points.push_back(std::move(point));
    return *points.back();
}

int CUserInfoPointList::RemoveByName(const QString& name) {
    auto it =
        std::find_if(points.begin(), points.end(), [&](const auto& p) { return p->name == name; });
    if (it == points.end()) return 0;
    points.erase(it);
    return 1;
}

void CUserInfoPointList::SetParent(QWidget* parentWindow) {
    if (parent.data() == parentWindow) return;
    parent = parentWindow;
    for (auto& point : points) {
        point->SetWindow(nullptr);
        MakeWindow(*point);
    }
}

void CUserInfoPointList::SetZoom(double newZoom) {
    zoom = newZoom;
    for (auto& point : points) PlaceWindow(*point);
}

void CUserInfoPointList::SetScrollOffset(const QPoint& offset) {
    scrollOffset = offset;
    for (auto& point : points) PlaceWindow(*point);
}

QPoint CUserInfoPointList::WindowTopLeft(const QPoint& position) const {
    return QPoint(Scaled(position.x(), zoom), Scaled(position.y(), zoom)) - scrollOffset;
}

QPoint CUserInfoPointList::PositionFromWindow(const QPoint& windowTopLeft) const {
    const QPoint logical = windowTopLeft + scrollOffset;
    if (zoom == 0.0 || !std::isfinite(zoom)) return logical;
    return QPoint(Scaled(logical.x(), 1.0 / zoom), Scaled(logical.y(), 1.0 / zoom));
}

void CUserInfoPointList::DrawAll(QPainter& p) const {
    for (const auto& point : points) {
        const QPixmap icon = art::UserPointIcon(point->iconId, CUserInfoPoint::kIconSize);
        if (icon.isNull()) continue;
        p.drawPixmap(Scaled(point->position.x(), zoom), Scaled(point->position.y(), zoom), icon);
    }
}

void CUserInfoPointList::MakeWindow(CUserInfoPoint& point) {
    if (!parent) return;
    const WindowFactory& factory = Factory();
    QWidget* w = factory ? factory(point, parent) : new CUserInfoPointIconWindow(point, parent);
    if (!w) return;
    point.SetWindow(w);
    PlaceWindow(point);
    w->show();
}

void CUserInfoPointList::PlaceWindow(CUserInfoPoint& point) {
    if (QWidget* w = point.Window()) w->move(WindowTopLeft(point.position));
}
