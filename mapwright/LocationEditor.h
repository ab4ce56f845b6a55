// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "framework/RectL.h"
#include "geo/Calibration.h"

class CMapLocation;
class CTarnLocation;
class QUndoStack;
class QWidget;

// Every edit the map location editor makes to a location, each one an undo
// step on the given stack. Nothing here needs a window: the canvas and the
// menus call these, and so do the tests. Only the map entries and the
// calibration are ever touched; points, drawings, pens, layer flags and zoom
// stay as they were read.
class CLocationEditor : public QObject {
    Q_OBJECT
public:
    CLocationEditor(CTarnLocation& location, QUndoStack& undo, QObject* parent = nullptr);

    CTarnLocation& Location() const { return location; }
    QUndoStack& UndoStack() const { return undo; }

    int Count() const;
    // Null when index is out of range.
    CMapLocation* Entry(int index) const;
    int IndexOf(const CMapLocation* entry) const;
    std::vector<RectL> Placements() const;
    // Every placement but index's: what that entry snaps to.
    std::vector<RectL> OthersThan(int index) const;

    // Each image becomes an entry to the right of the maps placed so far, at
    // its own size; all of them one undo step. A file that cannot be read as
    // a map image is reported and left out. Returns how many were added.
    // A georeferenced image in a calibrated location goes where its
    // georeference puts it (GeoreferencedPlacement); in an uncalibrated one
    // the user is asked whether the location takes its calibration.
    int AddImages(const QStringList& paths);
    // Where on the surface calibrated as location an image of width x
    // height calibrated as image lies: whole pixels, its own size kept where
    // the scales agree within a pixel. Nothing when it would lie off the
    // surface's left or top edge or the calibrations have no extent.
    static std::optional<RectL> GeoreferencedPlacement(const Calibration& location,
                                                       const Calibration& image, int width,
                                                       int height);
    bool Remove(int index);
    // False (and no undo step) when nothing would change.
    bool SetPlacement(int index, const RectL& placement, const QString& undoText);
    // The Placement dialog for one entry. True when accepted.
    bool EditPlacement(int index);
    // Moves by whole pixels, never past the surface's left or top edge.
    // Nudges of one entry in a row undo together.
    bool Nudge(int index, int dx, int dy);
    bool BringForward(int index);
    bool SendBackward(int index);
    bool ArrangeInRow();
    bool ArrangeInGrid();

    // The Set Point dialog for a clicked pixel: the chosen point takes the
    // pixel and the typed latitude and longitude. True when accepted.
    bool CalibrateAt(QPoint pixel);
    // The Coord Setup dialog for both points at once. True when accepted.
    bool EditCalibration();
    bool SetCalibration(const Calibration& calibration, const QString& undoText);
    Calibration CurrentCalibration() const;

    // Whether point 1 (index 0) or point 2 (index 1) holds a position the
    // user gave, rather than what a new location starts with.
    static bool HasPoint(const Calibration& c, int point);
    // Positions under the mouse mean something only with both points.
    bool CanReadPositions() const;

    // The extent as the reader rebuilds it from the entries.
    void UpdateExtent();
    // For the undo commands: the location changed under them.
    void NotifyChanged();

    // The window the calibration dialogs belong to; may stay null.
    void SetDialogParent(QWidget* parent) { dialogParent = parent; }

signals:
    // Entries, their order or placement, or the calibration changed.
    void changed();

private:
    bool SetPlacements(const std::vector<RectL>& placements, const QString& undoText);

    CTarnLocation& location;
    QUndoStack& undo;
    QWidget* dialogParent = nullptr;
};
