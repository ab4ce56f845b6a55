// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Commands.h"

namespace fnm {

// The largest picture render makes, in either direction.
inline constexpr int kMaxRenderSide = 20000;
// Pages written as PNG pictures, unless --dpi says otherwise.
inline constexpr int kPageImageDpi = 150;

// fnm render FILE OUT.png [--x X --y Y --width W --height H]: the location
// composed as printing composes it, the whole extent unless a rectangle is
// given. OUT.pdf, or any of the page options (--whole, --scale, --pages,
// --landscape, --overlap, --paper, --dpi), lays the area out on pages as printing
// does: framed, with ticks, scale bar and footer; several PNG pages are
// written as OUT-1.png, OUT-2.png ...
int Render(const Invocation& inv);

}  // namespace fnm
