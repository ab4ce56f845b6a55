// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Commands.h"

namespace fnm {
// fnm almanac --lat LAT --lon LON [--date D | --from D --days N] [--zone Z]
// [--json]: the fishing calendar's figures for each day.
int Almanac(const Invocation& inv);

// The most days one run covers.
inline constexpr int kMaxAlmanacDays = 3660;
}  // namespace fnm
