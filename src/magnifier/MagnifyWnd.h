// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QImage>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>

#include "framework/RectL.h"
#include "magnifier/LensGeometry.h"

class CLensWnd;

// The magnifier mode's overlay: a transparent child covering the map view's
// viewport that takes the mouse. While the left button is held it shows a
// frozen copy of the view and moves the lens over it, so the map is not
// redrawn for every mouse move.
class CMagnifyWnd : public QWidget {
    Q_OBJECT

public:
    CMagnifyWnd();
    ~CMagnifyWnd() override;

    // Becomes a hidden child covering `parentViewport` and creates the lens.
    // `source` is the widget whose pixels are magnified, normally the
    // viewport itself.
    bool Create(QWidget* parentViewport, QWidget* source);
    void SetBounds(const QRect& area);
    // Covers the parent's whole client area (which also becomes the bounds)
    // and shows the overlay; Hide() ends a press in progress.
    void Show();
    void Hide();

    // The settings the lens actually uses: shape, size and zoom as stored,
    // with harmful values replaced by the defaults.
    lens::Settings LensSettings() const;

    int active = 0;
    CLensWnd* lens = nullptr;  // a child widget, deleted with the overlay
    QCursor cursor;
    QPoint centre;
    QImage snapshot;
    int shape = lens::kRectangular;
    int zoom = lens::kDefaultZoom;
    int size = lens::kDefaultSize;
    RectL bounds;
    // Right button on the overlay: the view opens the properties sheet.
    std::function<void()> onProperties;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void TakeSnapshot();
    void PlaceLens(QPoint mouse);
    void EndPress();

    QPointer<QWidget> source;
};
