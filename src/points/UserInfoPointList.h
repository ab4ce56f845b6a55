// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "framework/Archive.h"
#include "points/UserInfoPoint.h"

class QPainter;
class CUserPointWindowKeeper;

// The location's user info points in creation order; later points lie on
// top. When the list has a parent (the map view) the points in view get
// child windows of it for their tool tips, drags and menus (see
// CUserPointWindowKeeper); without one no window is made, so files load
// headless.
class CUserInfoPointList : public CObject {
public:
    // Makes the window of a point inside parent. The window belongs to the
    // point afterwards; the list moves it to the point's place and shows it.
    using WindowFactory = std::function<QWidget*(CUserInfoPoint&, QWidget* parent)>;

    static const ClassInfo classInfo;
    static CObject* Create() { return new CUserInfoPointList; }
    const ClassInfo& GetRuntimeClass() const override { return classInfo; }

    CUserInfoPointList();
    ~CUserInfoPointList() override;
    CUserInfoPointList(const CUserInfoPointList&) = delete;
    CUserInfoPointList& operator=(const CUserInfoPointList&) = delete;

    // The window of every point from now on; an empty function restores the
    // plain icon window.
    static void SetWindowFactory(WindowFactory factory);

    // A plain 32-bit count, then each point's record, untagged. Reading
    // removes every point first.
    void Serialize(CArchive& ar) override;

    // "Point %d" with the count plus one, icon 5030, at (20, 20).
    CUserInfoPoint& AddNew();
    // Takes a point made elsewhere (the setup flow); gives it a window if it
    // is in view and the list has a parent.
    CUserInfoPoint& Append(std::unique_ptr<CUserInfoPoint> point);
    // Removes the first point named exactly name; 1 when one was found.
    int RemoveByName(const QString& name);
    void RemoveAll();

    // Windows are made for the points in view of a new parent; null
    // destroys them.
    void SetParent(QWidget* parentWindow);
    QWidget* Parent() const { return parent.data(); }
    // Stores the zoom and places the windows at the zoomed positions.
    void SetZoom(double newZoom);
    // The view's scroll position; windows move with it.
    void SetScrollOffset(const QPoint& offset);
    QPoint ScrollOffset() const { return scrollOffset; }
    // After positions changed other than by the list: the windows follow.
    void UpdateWindows();
    // Null without a parent.
    CUserPointWindowKeeper* Windows() const { return keeper.get(); }

    // Where the window of a point at logical position lies in the parent:
    // position times zoom (truncated) minus the scroll offset.
    QPoint WindowTopLeft(const QPoint& position) const;
    // The inverse, for a window moved by the user.
    QPoint PositionFromWindow(const QPoint& windowTopLeft) const;
    // A point's icon in logical pixels (position times zoom), and in the
    // parent.
    QRect IconRect(const CUserInfoPoint& point) const;
    QRect ParentRect(const CUserInfoPoint& point) const;

    // The icons that meet logicalClip, in list order, at their positions
    // times zoom; p maps logical pixels to the target. The view paints the
    // icons this way: a point's window itself paints nothing.
    void Draw(QPainter& p, const QRect& logicalClip) const;
    // Every icon the painter can reach (printing, rendering).
    void DrawAll(QPainter& p) const;

    double zoom = 1.0;
    std::vector<std::unique_ptr<CUserInfoPoint>> points;

private:
    friend class CUserPointWindowKeeper;
    QWidget* NewWindow(CUserInfoPoint& point, QWidget* parentWindow);

    QPointer<QWidget> parent;
    QPoint scrollOffset;
    std::unique_ptr<CUserPointWindowKeeper> keeper;
};
