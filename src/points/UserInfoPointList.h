#pragma once

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "framework/Archive.h"
#include "points/UserInfoPoint.h"

class QPainter;

// The location's user info points in creation order. When the list has a
// parent (the map view) every point gets a child window of it; without one
// no window is made, so files load headless.
class CUserInfoPointList : public CObject {
public:
    // Makes the window of a point inside parent. The window belongs to the
    // point afterwards; the list moves it to the point's place and shows it.
    using WindowFactory = std::function<QWidget*(CUserInfoPoint&, QWidget* parent)>;

    static const ClassInfo classInfo;
    static CObject* Create() { return new CUserInfoPointList; }
    const ClassInfo& GetRuntimeClass() const override { return classInfo; }

    // The window of every point from now on; an empty function restores the
    // plain icon window.
    static void SetWindowFactory(WindowFactory factory);

    // A plain 32-bit count, then each point's record, untagged. Reading
    // removes every point first.
    void Serialize(CArchive& ar) override;

    // "Point %d" with the count plus one, icon 5030, at (20, 20).
    CUserInfoPoint& AddNew();
    // Takes a point made elsewhere (the setup flow); gives it a window if it
    // has none and the list has a parent.
    CUserInfoPoint& Append(std::unique_ptr<CUserInfoPoint> point);
    // Removes the first point named exactly name; 1 when one was found.
    int RemoveByName(const QString& name);
    void RemoveAll() { points.clear(); }

    // Windows are created for existing points under a new parent; null
    // destroys them.
    void SetParent(QWidget* parentWindow);
    QWidget* Parent() const { return parent.data(); }
    // Stores the zoom and moves every window to its zoomed place.
    void SetZoom(double newZoom);
    // The view's scroll position; windows move with it.
    void SetScrollOffset(const QPoint& offset);
    QPoint ScrollOffset() const { return scrollOffset; }

    // Where the window of a point at logical position lies in the parent:
    // position times zoom (truncated) minus the scroll offset.
    QPoint WindowTopLeft(const QPoint& position) const;
    // The inverse, for a window moved by the user.
    QPoint PositionFromWindow(const QPoint& windowTopLeft) const;

    // Icons at their positions times zoom, for pictures without child
    // windows (printing, rendering); p maps logical pixels to the target.
    void DrawAll(QPainter& p) const;

    double zoom = 1.0;
    std::vector<std::unique_ptr<CUserInfoPoint>> points;

private:
    void MakeWindow(CUserInfoPoint& point);
    void PlaceWindow(CUserInfoPoint& point);

    QPointer<QWidget> parent;
    QPoint scrollOffset;
};
