// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>

// What the user sees of a command: menu text, the status-bar prompt and the
// tool tip, and its keyboard shortcut.
struct CommandInfo {
    int id;
    const char* menuText;
    const char* statusText;
    const char* toolTip;
    QKeySequence::StandardKey standardKey = QKeySequence::UnknownKey;
    const char* shortcut = nullptr;  // when there is no standard key
    bool checkable = false;
};

namespace catalog {
const CommandInfo* Find(int id);
// All commands in catalogue order (the Customize dialog lists them).
const CommandInfo* All(int& count);
}  // namespace catalog
