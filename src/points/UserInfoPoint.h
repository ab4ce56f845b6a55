// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "framework/Archive.h"
#include "geo/Coordinate.h"

// The data of one user info point: the angler's own marker with an icon, a
// name, an altitude and a note. Its window (a child of the map view) is
// separate: the point only owns it, so a location can be read without any.
class CUserInfoPoint : public CObject {
public:
    static constexpr int kFirstIconId = 5000;
    static constexpr int kLastIconId = 5031;
    static constexpr int kNewPointIconId = 5030;
    static constexpr int kIconSize = 16;

    // A day count since 30 December 1899 (fraction = time of day) and a
    // status, 0 meaning valid. Set at construction, never changed.
    struct Date {
        double dayCount = 0.0;
        int32_t status = 0;
    };

    static const ClassInfo classInfo;
    static CObject* Create() { return new CUserInfoPoint; }
    const ClassInfo& GetRuntimeClass() const override { return classInfo; }

    CUserInfoPoint() = default;
    ~CUserInfoPoint() override;
    CUserInfoPoint(const CUserInfoPoint&) = delete;
    CUserInfoPoint& operator=(const CUserInfoPoint&) = delete;

    // Record: iconId, name, info, position, altitude, date status, day count.
    void Serialize(CArchive& ar) override;

    // These keep the window, when there is one, in step with the data.
    void SetIcon(int id);
    void SetName(const QString& text);
    void SetInfo(const QString& text) { info = text; }

    QWidget* Window() const { return window.data(); }
    // Takes ownership of w (null destroys the current window).
    void SetWindow(QWidget* w);

    int32_t iconId = kNewPointIconId;
    QString name;
    QString info;
    Date date;
    int32_t altitude = 0;
    // Top-left corner of the icon in the location's logical pixels: the view
    // position with the scroll offset removed, the same space as map points,
    // drawings and the calibration. The window sits at this position (times
    // the list's zoom) minus the view's scroll offset; see
    // CUserInfoPointList::WindowTopLeft.
    QPoint position;
    // Working copy for the setup dialog's latitude and longitude.
    CCoordinate coordinate;

private:
    QPointer<QWidget> window;
};
