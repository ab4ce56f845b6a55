// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>

// The program's artwork, drawn as SVG and compiled in under ":/art/". Everything is
// rendered once at the requested size and cached.
namespace art {

// Toolbar and menu image of a command; a null icon when the command has none.
QIcon CommandIcon(int commandId);
bool HasCommandImage(int commandId);

// User info point icons 5000..5031 and the sun 5032; null for any other id.
QPixmap UserPointIcon(int iconId, int size = 16);

// The 32 user point icons side by side (512x16), in id order.
QPixmap IconStrip141();

// Boat marker for the moving map: 179 red, 183 blue, 184 green; null otherwise.
QPixmap MovingMapIcon(int resourceId, int size = 16);

// Mode cursors 149, 180, 181, 182, 163, 147; the arrow for anything else.
QCursor Cursor(int resourceId);

// 187 is the 300x90 logo, 191 the 100x88 banner; null otherwise.
QPixmap Bitmap(int resourceId);

QIcon AppIcon();

}  // namespace art
