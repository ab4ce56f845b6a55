// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>

#include "view/ShrunkLocation.h"

class CTarnlightView;

// The whole location shrunk to fit the panel, from the maps' reduced
// pictures, with the part the view shows outlined. A click or a drag moves
// the view there.
class COverviewPanel : public CShrunkLocation {
    Q_OBJECT
public:
    explicit COverviewPanel(QWidget* parent = nullptr);
    void SetView(CTarnlightView* view);

    // The part of the location the view shows, in panel coordinates.
    QRectF VisibleRect() const;

    QSize sizeHint() const override { return QSize(180, 140); }

protected:
    CTarnLocation* Shown() const override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void CentreViewAt(QPointF panelPoint);

    CTarnlightView* view = nullptr;
};
