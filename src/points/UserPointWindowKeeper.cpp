// SPDX-License-Identifier: GPL-3.0-or-later
#include "points/UserPointWindowKeeper.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <algorithm>
#include <unordered_set>

#include "points/UserInfoPointList.h"

namespace {
constexpr char kBusy[] = "fmPointWindowBusy";
constexpr char kMark[] = "fmPointWindow";

uint64_t Key(QPoint p) {
    return (uint64_t(uint32_t(p.x())) << 32) | uint32_t(p.y());
}
}  // namespace

CUserPointWindowKeeper::CUserPointWindowKeeper(CUserInfoPointList& l, QWidget* p)
    : list(l), parent(p) {
    if (parent) parent->installEventFilter(this);
}

CUserPointWindowKeeper::~CUserPointWindowKeeper() {
    if (parent) parent->removeEventFilter(this);
    for (Held& h : windows) delete h.window.data();
}

void CUserPointWindowKeeper::SetBusy(QWidget* w, bool busy) {
    if (w) w->setProperty(kBusy, busy);
}

bool CUserPointWindowKeeper::IsBusy(const QWidget* w) {
    return w && w->property(kBusy).toBool();
}

CUserInfoPoint* CUserPointWindowKeeper::Resolve(const Slot& s) const {
    // The points may have changed since the last update; a stale slot
    // resolves to nothing rather than to a deleted point.
    if (s.index >= list.points.size()) return nullptr;
    CUserInfoPoint* p = list.points[s.index].get();
    return p == s.point ? p : nullptr;
}

int CUserPointWindowKeeper::WindowCount() const {
    return int(std::count_if(windows.begin(), windows.end(),
                             [](const Held& h) { return !h.window.isNull(); }));
}

QWidget* CUserPointWindowKeeper::Make(CUserInfoPoint& point) {
    QWidget* w = list.NewWindow(point, parent);
    if (!w) return nullptr;
    w->setProperty(kMark, true);
    point.SetWindow(w);
    Place(point);
    w->show();
    return w;
}

void CUserPointWindowKeeper::Place(CUserInfoPoint& point) {
    if (QWidget* w = point.Window()) w->move(list.WindowTopLeft(point.position));
}

void CUserPointWindowKeeper::Update() {
    if (!parent) return;
    const QRect area = parent->rect();
    visible.clear();
    const auto& points = list.points;
    for (uint32_t i = 0; i < points.size(); ++i) {
        const CUserInfoPoint& p = *points[i];
        if (list.ParentRect(p).intersects(area)) visible.push_back({i, &p});
    }
    // From the top down. An icon exactly under a higher one can never be
    // reached by the mouse, so it needs no window.
    std::vector<CUserInfoPoint*> chosen;
    std::unordered_set<uint64_t> taken;
    auto it = visible.rbegin();
    for (; it != visible.rend() && int(chosen.size()) < kMaxWindows; ++it) {
        CUserInfoPoint* p = points[it->index].get();
        if (taken.insert(Key(list.WindowTopLeft(p->position))).second) chosen.push_back(p);
    }
    overflow = it != visible.rend();

    std::unordered_set<const QWidget*> wanted;
    for (const CUserInfoPoint* p : chosen)
        if (p->Window()) wanted.insert(p->Window());
    std::vector<Held> next;
    for (Held& h : windows) {
        if (!h.window || wanted.count(h.window)) continue;
        if (IsBusy(h.window)) {
            // Mid-gesture: kept, and moved with the view like the rest.
            Place(*h.point);
            next.push_back(h);
        } else {
            delete h.window.data();
        }
    }
    // Missing windows are made from the top down, each slid under the one
    // above it, so the windows stack in list order as the icons do.
    QWidget* above = nullptr;
    bool newOnTop = false;
    const size_t firstChosen = next.size();
    for (CUserInfoPoint* p : chosen) {
        QWidget* w = p->Window();
        if (w) {
            Place(*p);
        } else {
            w = Make(*p);
            if (!w) continue;
            if (above)
                w->stackUnder(above);
            else
                newOnTop = true;
        }
        above = w;
        next.push_back({w, p});
    }
    std::reverse(next.begin() + firstChosen, next.end());
    windows = std::move(next);
    if (newOnTop) KeepOthersOnTop();
}

void CUserPointWindowKeeper::Added(CUserInfoPoint& point) {
    if (!parent || list.points.empty() || list.points.back().get() != &point) return;
    if (!list.ParentRect(point).intersects(parent->rect())) return;
    visible.push_back({uint32_t(list.points.size() - 1), &point});
    QWidget* w = point.Window();
    if (!w) w = Make(point);
    if (!w) return;
    windows.push_back({w, &point});
    KeepOthersOnTop();
    Trim(w);
}

int CUserPointWindowKeeper::SlotAt(const QPoint& pos) const {
    for (int s = int(visible.size()) - 1; s >= 0; --s) {
        const CUserInfoPoint* p = Resolve(visible[s]);
        if (p && list.ParentRect(*p).contains(pos)) return s;
    }
    return -1;
}

CUserInfoPoint* CUserPointWindowKeeper::PointAt(const QPoint& pos) const {
    const int s = SlotAt(pos);
    return s < 0 ? nullptr : Resolve(visible[s]);
}

QWidget* CUserPointWindowKeeper::WindowAt(const QPoint& pos) {
    const int s = SlotAt(pos);
    if (s < 0) return nullptr;
    CUserInfoPoint* p = Resolve(visible[s]);
    if (QWidget* w = p->Window()) return w;
    QWidget* w = Make(*p);
    if (!w) return nullptr;
    // Under the window of the nearest point above it, if any has one.
    QWidget* above = nullptr;
    for (size_t t = size_t(s) + 1; t < visible.size() && !above; ++t)
        if (const CUserInfoPoint* q = Resolve(visible[t]); q && q->Window()) above = q->Window();
    auto at = windows.end();
    if (above) {
        w->stackUnder(above);
        at = std::find_if(windows.begin(), windows.end(),
                          [&](const Held& h) { return h.window == above; });
    }
    windows.insert(at, {w, p});
    if (!above) KeepOthersOnTop();
    Trim(w);
    return w;
}

void CUserPointWindowKeeper::Trim(const QWidget* keep) {
    std::erase_if(windows, [](const Held& h) { return h.window.isNull(); });
    const size_t limit = kMaxWindows + kMaxExtraWindows;
    for (auto it = windows.begin(); windows.size() > limit && it != windows.end();) {
        if (it->window == keep || IsBusy(it->window)) {
            ++it;
            continue;
        }
        delete it->window.data();
        it = windows.erase(it);
        overflow = true;
    }
}

void CUserPointWindowKeeper::KeepOthersOnTop() {
    // Other children of the parent (the magnifier's overlay) stay above
    // every point window, in their own order.
    const QObjectList children = parent->children();
    int lastPoint = -1;
    for (int i = 0; i < children.size(); ++i)
        if (children[i]->property(kMark).toBool()) lastPoint = i;
    for (int i = 0; i < lastPoint; ++i) {
        auto* w = qobject_cast<QWidget*>(children[i]);
        if (w && !w->property(kMark).toBool()) w->raise();
    }
}

bool CUserPointWindowKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (watched != parent || forwarding) return false;
    switch (event->type()) {
        case QEvent::Resize:
            Update();
            return false;
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return Mouse(static_cast<QMouseEvent*>(event));
        case QEvent::ContextMenu:
            return ContextMenu(static_cast<QContextMenuEvent*>(event));
        case QEvent::ToolTip:
            return ToolTip(static_cast<QHelpEvent*>(event));
        default:
            return false;
    }
}

// Events are handed on as Qt would deliver them to the window: what the
// window leaves unhandled comes back to the parent through the usual
// propagation, which this filter then lets through.
namespace {
void Send(QWidget* w, QEvent& e, bool& forwarding) {
    QScopedValueRollback<bool> guard(forwarding, true);
    QCoreApplication::sendEvent(w, &e);
}
}  // namespace

bool CUserPointWindowKeeper::Uncovered(const QPoint& pos) const {
    // The view holds the mouse (a measurement or a drawing in progress):
    // then it gets every event, over icons too. And where a child covers
    // the spot, the event came up from that child, which had it first.
    return !QWidget::mouseGrabber() && !parent->childAt(pos);
}

bool CUserPointWindowKeeper::Mouse(QMouseEvent* e) {
    auto forward = [&](QWidget* w) {
        QMouseEvent copy(e->type(), e->position() - QPointF(w->pos()), e->scenePosition(),
                         e->globalPosition(), e->button(), e->buttons(), e->modifiers(),
                         e->pointingDevice());
        Send(w, copy, forwarding);
    };
    if (gesture) {
        QWidget* w = gesture;
        if (e->type() == QEvent::MouseButtonRelease && e->buttons() == Qt::NoButton)
            gesture = nullptr;
        forward(w);
        return true;
    }
    const QPoint pos = e->position().toPoint();
    if (!Uncovered(pos)) return false;
    switch (e->type()) {
        case QEvent::MouseMove:
            if (overflow && e->buttons() == Qt::NoButton) WindowAt(pos);
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            QWidget* w = WindowAt(pos);
            if (!w) return false;
            gesture = w;
            forward(w);
            return true;
        }
        default:
            return false;
    }
}

bool CUserPointWindowKeeper::ContextMenu(QContextMenuEvent* e) {
    if (e->reason() != QContextMenuEvent::Mouse || !Uncovered(e->pos())) return false;
    QWidget* w = WindowAt(e->pos());
    if (!w) return false;
    QContextMenuEvent copy(e->reason(), e->pos() - w->pos(), e->globalPos(), e->modifiers());
    Send(w, copy, forwarding);
    return true;
}

bool CUserPointWindowKeeper::ToolTip(QHelpEvent* e) {
    if (!Uncovered(e->pos())) return false;
    QWidget* w = WindowAt(e->pos());
    if (!w) return false;
    QHelpEvent copy(QEvent::ToolTip, e->pos() - w->pos(), e->globalPos());
    Send(w, copy, forwarding);
    return true;
}
