// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScreen>
#include <QSize>
#include <QWidget>

// Room left around a first window for the window manager's frame and title.
inline constexpr QSize kWindowFrameAllowance(16, 48);

// The size a main window opens at before it has a stored placement: wanted,
// within the room its screen has for windows, so that a small or scaled
// screen still shows the window's bottom edge and its status bar.
inline QSize FirstWindowSize(const QWidget& window, QSize wanted) {
    if (const QScreen* s = window.screen())
        return wanted.boundedTo(s->availableGeometry().size() - kWindowFrameAllowance);
    return wanted;
}
