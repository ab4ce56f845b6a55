// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapwright/EditCommands.h"

#include "document/TarnLocation.h"
#include "mapwright/LocationEditor.h"

namespace {
constexpr int kNudgeId = 0x4E55;  // any id unique among the editor's steps

std::vector<std::unique_ptr<CMapLocation>>& Entries(CLocationEditor& editor) {
    return editor.Location().maps.entries;
}
}  // namespace

// ---- placements ----

CPlacementCommand::CPlacementCommand(CLocationEditor& editor, std::vector<Change> changes,
                                     const QString& text, bool mergeable)
    : QUndoCommand(text), editor(editor), changes(std::move(changes)), mergeable(mergeable) {}

void CPlacementCommand::Apply(bool after) {
    auto& entries = Entries(editor);
    for (const Change& c : changes)
        if (c.index >= 0 && size_t(c.index) < entries.size())
            entries[c.index]->placement = after ? c.after : c.before;
    editor.NotifyChanged();
}

void CPlacementCommand::redo() {
    Apply(true);
}

void CPlacementCommand::undo() {
    Apply(false);
}

int CPlacementCommand::id() const {
    return mergeable ? kNudgeId : -1;
}

bool CPlacementCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const CPlacementCommand*>(other);
    if (changes.size() != 1 || next->changes.size() != 1) return false;
    if (changes[0].index != next->changes[0].index) return false;
    changes[0].after = next->changes[0].after;
    return true;
}

// ---- adding ----

CAddEntriesCommand::CAddEntriesCommand(CLocationEditor& editor,
                                       std::vector<std::unique_ptr<CMapLocation>> entries,
                                       const QString& text)
    : QUndoCommand(text), editor(editor), count(entries.size()), held(std::move(entries)) {}

CAddEntriesCommand::~CAddEntriesCommand() = default;

void CAddEntriesCommand::redo() {
    auto& entries = Entries(editor);
    for (auto& entry : held) entries.push_back(std::move(entry));
    held.clear();
    editor.NotifyChanged();
}

void CAddEntriesCommand::undo() {
    auto& entries = Entries(editor);
    const size_t n = std::min(count, entries.size());
    held.assign(std::make_move_iterator(entries.end() - n), std::make_move_iterator(entries.end()));
    entries.erase(entries.end() - n, entries.end());
    editor.NotifyChanged();
}

// ---- removing ----

CRemoveEntryCommand::CRemoveEntryCommand(CLocationEditor& editor, int index, const QString& text)
    : QUndoCommand(text), editor(editor), index(index) {}

CRemoveEntryCommand::~CRemoveEntryCommand() = default;

void CRemoveEntryCommand::redo() {
    auto& entries = Entries(editor);
    if (index < 0 || size_t(index) >= entries.size()) return;
    held = std::move(entries[index]);
    entries.erase(entries.begin() + index);
    editor.NotifyChanged();
}

void CRemoveEntryCommand::undo() {
    auto& entries = Entries(editor);
    if (!held || index < 0 || size_t(index) > entries.size()) return;
    entries.insert(entries.begin() + index, std::move(held));
    editor.NotifyChanged();
}

// ---- drawing order ----

CReorderCommand::CReorderCommand(CLocationEditor& editor, int from, int to, const QString& text)
    : QUndoCommand(text), editor(editor), from(from), to(to) {}

void CReorderCommand::Move(int source, int target) {
    auto& entries = Entries(editor);
    const int n = int(entries.size());
    if (source < 0 || source >= n || target < 0 || target >= n) return;
    std::unique_ptr<CMapLocation> entry = std::move(entries[source]);
    entries.erase(entries.begin() + source);
    entries.insert(entries.begin() + target, std::move(entry));
    editor.NotifyChanged();
}

void CReorderCommand::redo() {
    Move(from, to);
}

void CReorderCommand::undo() {
    Move(to, from);
}

// ---- calibration ----

CCalibrationCommand::CCalibrationCommand(CLocationEditor& editor, const Calibration& before,
                                         const Calibration& after, const QString& text)
    : QUndoCommand(text), editor(editor), before(before), after(after) {}

void CCalibrationCommand::redo() {
    static_cast<Calibration&>(editor.Location()) = after;
    editor.NotifyChanged();
}

void CCalibrationCommand::undo() {
    static_cast<Calibration&>(editor.Location()) = before;
    editor.NotifyChanged();
}
