// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class CPPShape;
class CPPSize;
class CPPZoom;
class QTabWidget;

// The magnifier's property sheet: size, zoom and shape as radio choices.
// The pages hold indexes; RunMagnifierProperties translates them to and
// from the lens values.
class CPropMagn : public QDialog {
    Q_OBJECT
public:
    // Lens sizes in pixels and enlargements in tenths, by page index.
    // "x1.5" is kept as 18, a value the lens has always used for it.
    static constexpr int kSizes[6] = {100, 120, 150, 180, 220, 250};
    static constexpr int kZooms[5] = {18, 20, 25, 30, 50};

    CPropMagn(int sizeIndex, int zoomIndex, int shapeIndex, QWidget* parent = nullptr);

    // Unknown values open on the first size and on "x2".
    static int SizeIndex(int size);
    static int ZoomIndex(int zoom);

    void accept() override;

    CPPSize* const sizePage;
    CPPZoom* const zoomPage;
    CPPShape* const shapePage;

private:
    QTabWidget* tabs = nullptr;
};

// Runs the sheet on the lens settings (shape 0 rectangular, 1 round; size in
// pixels; zoom in tenths). Only OK changes them, and a page left without a
// choice leaves its value as it was. Returns whether OK was pressed.
bool RunMagnifierProperties(int& shape, int& size, int& zoom, QWidget* parent = nullptr);
