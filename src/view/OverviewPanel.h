// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRectF>
#include <QWidget>
#include <map>

class CTarnlightView;

// The whole location shrunk to fit the panel, from the maps' reduced
// pictures, with the part the view shows outlined. A click or a drag moves
// the view there.
class COverviewPanel : public QWidget {
    Q_OBJECT
public:
    explicit COverviewPanel(QWidget* parent = nullptr);
    void SetView(CTarnlightView* view);

    // Where the location's extent lies in the panel (centred, aspect kept).
    QRectF LocationRect() const;
    // The part of the location the view shows, in panel coordinates.
    QRectF VisibleRect() const;
    // Forgets the shrunk pictures (another location was opened).
    void Reset();

    QSize sizeHint() const override { return QSize(180, 140); }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void CentreViewAt(QPointF panelPoint);

    CTarnlightView* view = nullptr;
    // By picture: a bitmap's cache key or a JPEG source's id.
    std::map<std::pair<bool, qint64>, QImage> shrunk;
};
