// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRectF>
#include <QWidget>
#include <map>

class CTarnLocation;
class QPainter;

// The whole location shrunk to fit a widget, from the maps' reduced
// pictures: asked of the workers and painted as they come in. The overview
// panel and the print options' area picker are made of it.
class CShrunkLocation : public QWidget {
    Q_OBJECT
public:
    explicit CShrunkLocation(QWidget* parent = nullptr);

    // Where the location's extent lies in the widget (centred, aspect kept).
    QRectF LocationRect() const;
    // Forgets the shrunk pictures (another location was opened).
    void Reset();

protected:
    // The location shown, or null for none.
    virtual CTarnLocation* Shown() const = 0;
    // Widget pixels per pixel of the location's extent; 0 with nothing shown.
    double Scale() const;
    // The window colour, then the maps where LocationRect() says.
    void PaintLocation(QPainter& p);

private:
    // By picture: a bitmap's cache key or a source's id.
    std::map<std::pair<bool, qint64>, QImage> shrunk;
};
