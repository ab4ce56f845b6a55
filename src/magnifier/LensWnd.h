// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include "framework/RectL.h"
#include "magnifier/LensGeometry.h"

class CMagnifyWnd;
class QPainter;

// The lens: a square child of the overlay that shows the frozen view
// enlarged around the overlay's centre. It has no data of its own.
class CLensWnd : public QWidget {
    Q_OBJECT

public:
    explicit CLensWnd(CMagnifyWnd* owner);

    // Paints a lens of settings.size x settings.size at (0, 0) of `painter`
    // from `snapshot`. Sizes and zooms must already be sanitized.
    static void Render(QPainter& painter, const QImage& snapshot, const lens::Settings& settings,
                       QPoint centre, const RectL& bounds);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CMagnifyWnd* owner;
};
