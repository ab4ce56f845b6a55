// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUndoCommand>
#include <memory>
#include <utility>
#include <vector>

#include "framework/RectL.h"
#include "geo/Calibration.h"

class CLocationEditor;
class CMapLocation;

// The undo steps of the editor. Entries taken out of the location are kept
// alive by the step that took them, so undo and redo never load an image
// again. Indexes stay valid because every change goes through the stack.

// New placements for some entries: moves, nudges, stretches, arrangements.
class CPlacementCommand : public QUndoCommand {
public:
    struct Change {
        int index;
        RectL before;
        RectL after;
    };
    // A mergeable step folds later steps of the same kind on the same single
    // entry into itself (a run of arrow-key nudges undoes at once).
    CPlacementCommand(CLocationEditor& editor, std::vector<Change> changes, const QString& text,
                      bool mergeable = false);
    void redo() override;
    void undo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    void Apply(bool after);

    CLocationEditor& editor;
    std::vector<Change> changes;
    bool mergeable;
};

// Appends entries at the top of the drawing order.
class CAddEntriesCommand : public QUndoCommand {
public:
    CAddEntriesCommand(CLocationEditor& editor, std::vector<std::unique_ptr<CMapLocation>> entries,
                       const QString& text);
    ~CAddEntriesCommand() override;
    void redo() override;
    void undo() override;

private:
    CLocationEditor& editor;
    size_t count;
    // Held while undone.
    std::vector<std::unique_ptr<CMapLocation>> held;
};

class CRemoveEntryCommand : public QUndoCommand {
public:
    CRemoveEntryCommand(CLocationEditor& editor, int index, const QString& text);
    ~CRemoveEntryCommand() override;
    void redo() override;
    void undo() override;

private:
    CLocationEditor& editor;
    int index;
    // Held while the removal is in force.
    std::unique_ptr<CMapLocation> held;
};

// Moves one entry to another place in the drawing order.
class CReorderCommand : public QUndoCommand {
public:
    CReorderCommand(CLocationEditor& editor, int from, int to, const QString& text);
    void redo() override;
    void undo() override;

private:
    void Move(int source, int target);

    CLocationEditor& editor;
    int from;
    int to;
};

class CCalibrationCommand : public QUndoCommand {
public:
    CCalibrationCommand(CLocationEditor& editor, const Calibration& before,
                        const Calibration& after, const QString& text);
    void redo() override;
    void undo() override;

private:
    CLocationEditor& editor;
    Calibration before;
    Calibration after;
};
