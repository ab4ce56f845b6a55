// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Commands.h"

namespace fnm {

// The largest picture render makes, in either direction.
inline constexpr int kMaxRenderSide = 20000;

// fnm render FILE OUT.png [--x X --y Y --width W --height H]: the location
// composed as printing composes it, the whole extent unless a rectangle is
// given.
int Render(const Invocation& inv);

}  // namespace fnm
