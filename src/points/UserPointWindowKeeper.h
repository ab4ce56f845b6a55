// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <vector>

class CUserInfoPoint;
class CUserInfoPointList;
class QContextMenuEvent;
class QHelpEvent;
class QMouseEvent;

// Keeps windows for the user info points in view, and only for those: a
// location may hold hundreds of thousands of points, and a child window for
// each would exhaust the window system (its painting recurses once per
// overlapping sibling). The view paints every icon itself; a point's window
// only carries its tool tip, drag and menu.
//
// At most kMaxWindows points get a window, the topmost ones (last in the
// list). A point in view without one gets it the moment the mouse reaches
// its icon, and an event the parent receives on such an icon is handed on
// to that window, so every point behaves the same. A window in the middle
// of a drag or showing its menu is never destroyed.
class CUserPointWindowKeeper : public QObject {
public:
    static constexpr int kMaxWindows = 1024;
    // Windows given on demand beyond kMaxWindows before the oldest go.
    static constexpr int kMaxExtraWindows = 64;

    CUserPointWindowKeeper(CUserInfoPointList& list, QWidget* parent);
    ~CUserPointWindowKeeper() override;

    QWidget* Parent() const { return parent.data(); }

    // Works out the points in view and gives windows to the topmost of them;
    // windows of points that left the view go.
    void Update();
    // A point appended to the list: a window at once when it is in view.
    void Added(CUserInfoPoint& point);
    // The topmost point whose icon covers pos (parent coordinates), among
    // the points in view at the last update.
    CUserInfoPoint* PointAt(const QPoint& pos) const;
    // The window of the topmost point at pos, made now if it has none.
    QWidget* WindowAt(const QPoint& pos);
    // Live windows, for tests and benchmarks.
    int WindowCount() const;
    // Points in view at the last update.
    int VisibleCount() const { return int(visible.size()); }

    // A window that must outlive the current gesture (drag, menu).
    static void SetBusy(QWidget* w, bool busy);
    static bool IsBusy(const QWidget* w);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Slot {
        uint32_t index;  // into the list's points
        const CUserInfoPoint* point;
    };
    CUserInfoPoint* Resolve(const Slot& s) const;
    int SlotAt(const QPoint& pos) const;
    QWidget* Make(CUserInfoPoint& point);
    void Place(CUserInfoPoint& point);
    void KeepOthersOnTop();
    void Trim(const QWidget* keep);
    bool Uncovered(const QPoint& pos) const;
    bool Mouse(QMouseEvent* e);
    bool ContextMenu(QContextMenuEvent* e);
    bool ToolTip(QHelpEvent* e);

    CUserInfoPointList& list;
    QPointer<QWidget> parent;
    // Points whose icon meets the parent, in list order.
    std::vector<Slot> visible;
    // Windows made here, lowest first; a live window's point is alive too,
    // since a point destroys its window with itself.
    struct Held {
        QPointer<QWidget> window;
        CUserInfoPoint* point;
    };
    std::vector<Held> windows;
    // Some points in view have no window.
    bool overflow = false;
    // The window a press on the parent was handed to; the rest of that
    // gesture follows it, as it would a press on the window itself.
    QPointer<QWidget> gesture;
    bool forwarding = false;
};
