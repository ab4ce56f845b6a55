// SPDX-License-Identifier: GPL-3.0-or-later
#include "points/UserInfoPointList.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "points/UserInfoPointIconWindow.h"
#include "points/UserPointWindowKeeper.h"
#include "resources/Art.h"

const ClassInfo CUserInfoPointList::classInfo{"CUserInfoPointList", 0, &CUserInfoPointList::Create};

namespace {
// iconId, two empty strings, position, altitude, date status and day count.
constexpr uint64_t kMinPointBytes = 4 + 1 + 1 + 8 + 4 + 4 + 8;
constexpr int kSize = CUserInfoPoint::kIconSize;

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

// The icons of one paint, each rendered once however many points use it.
class IconSet {
public:
    const QPixmap& Get(int id) {
        const int i = id - CUserInfoPoint::kFirstIconId;
        if (i < 0 || i >= int(cached.size())) {
            other = art::UserPointIcon(id, kSize);
            return other;
        }
        if (!cached[i]) cached[i] = art::UserPointIcon(id, kSize);
        return *cached[i];
    }

private:
    // The 32 point icons and the sun after them.
    std::array<std::optional<QPixmap>, 33> cached;
    QPixmap other;
};
}  // namespace

CUserInfoPointList::CUserInfoPointList() = default;

CUserInfoPointList::~CUserInfoPointList() {
    keeper.reset();
}

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
    points.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        auto point = std::make_unique<CUserInfoPoint>();
        point->Serialize(ar);
        if (ar.Failed()) break;
        points.push_back(std::move(point));
    }
    // Windows once, for the points in view, not one per point read.
    UpdateWindows();
}

CUserInfoPoint& CUserInfoPointList::AddNew() {
    auto point = std::make_unique<CUserInfoPoint>();
    point->name = QString("Point %1").arg(points.size() + 1);
    point->iconId = CUserInfoPoint::kNewPointIconId;
    point->position = QPoint(20, 20);
    return Append(std::move(point));
}

CUserInfoPoint& CUserInfoPointList::Append(std::unique_ptr<CUserInfoPoint> point) {
    points.push_back(std::move(point));
    if (keeper) keeper->Added(*points.back());
    return *points.back();
}

int CUserInfoPointList::RemoveByName(const QString& name) {
    auto it =
        std::find_if(points.begin(), points.end(), [&](const auto& p) { return p->name == name; });
    if (it == points.end()) return 0;
    points.erase(it);
    UpdateWindows();
    return 1;
}

void CUserInfoPointList::RemoveAll() {
    points.clear();
    UpdateWindows();
}

void CUserInfoPointList::SetParent(QWidget* parentWindow) {
    if (parent.data() == parentWindow && bool(keeper) == bool(parentWindow)) return;
    keeper.reset();
    for (auto& point : points) point->SetWindow(nullptr);
    parent = parentWindow;
    if (!parent) return;
    keeper = std::make_unique<CUserPointWindowKeeper>(*this, parent);
    keeper->Update();
}

void CUserInfoPointList::SetZoom(double newZoom) {
    zoom = newZoom;
    UpdateWindows();
}

void CUserInfoPointList::SetScrollOffset(const QPoint& offset) {
    scrollOffset = offset;
    UpdateWindows();
}

void CUserInfoPointList::UpdateWindows() {
    if (keeper) keeper->Update();
}

QPoint CUserInfoPointList::WindowTopLeft(const QPoint& position) const {
    return QPoint(Scaled(position.x(), zoom), Scaled(position.y(), zoom)) - scrollOffset;
}

QPoint CUserInfoPointList::PositionFromWindow(const QPoint& windowTopLeft) const {
    const QPoint logical = windowTopLeft + scrollOffset;
    if (zoom == 0.0 || !std::isfinite(zoom)) return logical;
    return QPoint(Scaled(logical.x(), 1.0 / zoom), Scaled(logical.y(), 1.0 / zoom));
}

QRect CUserInfoPointList::IconRect(const CUserInfoPoint& point) const {
    return QRect(Scaled(point.position.x(), zoom), Scaled(point.position.y(), zoom), kSize, kSize);
}

QRect CUserInfoPointList::ParentRect(const CUserInfoPoint& point) const {
    return QRect(WindowTopLeft(point.position), QSize(kSize, kSize));
}

void CUserInfoPointList::Draw(QPainter& p, const QRect& logicalClip) const {
    IconSet icons;
    for (const auto& point : points) {
        const QRect r = IconRect(*point);
        if (!r.intersects(logicalClip)) continue;
        const QPixmap& icon = icons.Get(point->iconId);
        if (!icon.isNull()) p.drawPixmap(r.topLeft(), icon);
    }
}

void CUserInfoPointList::DrawAll(QPainter& p) const {
    // Only what can land on the device: a big location holds far more icons
    // than any page or picture shows.
    QRectF reach(-kLimit, -kLimit, 2 * kLimit, 2 * kLimit);
    bool invertible = false;
    const QTransform back = p.deviceTransform().inverted(&invertible);
    if (QPaintDevice* device = p.device();
        device && invertible && device->width() > 0 && device->height() > 0)
        reach = back.mapRect(QRectF(0, 0, device->width(), device->height()));
    if (p.hasClipping()) reach &= p.clipBoundingRect();
    Draw(p, reach.toAlignedRect().adjusted(-1, -1, 1, 1));
}

QWidget* CUserInfoPointList::NewWindow(CUserInfoPoint& point, QWidget* parentWindow) {
    const WindowFactory& factory = Factory();
    return factory ? factory(point, parentWindow)
                   : new CUserInfoPointIconWindow(point, parentWindow);
}
