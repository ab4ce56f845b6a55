// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// File names as messages show them and as the system can hold them.
namespace filenames {

// The longest name a message shows; longer ones keep their start and end.
inline constexpr qsizetype kShownLength = 160;

// name shortened for a message: its start (where it lives) and its end (the
// file itself) around an ellipsis. Shorter names are returned unchanged.
QString Shown(const QString& name);

// Whether the system could not hold a file of this name at all: longer than
// PATH_MAX, or a part between slashes longer than NAME_MAX. Decided without
// touching the file system, so any name costs little to refuse.
bool TooLongToExist(const QString& name);

}  // namespace filenames
