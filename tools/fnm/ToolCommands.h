// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Commands.h"

// The angler's calculators from the command line.
namespace fnm {
// fnm sun --lat LAT --lon LON --date YYYY-MM-DD: sunrise and sunset in the
// time zone of TZ, "--:--" for an event that does not happen that day.
int Sun(const Invocation& inv);
// fnm bass LENGTH GIRTH: the weight text as the dialog shows it.
int Bass(const Invocation& inv);

// The largest length or girth bass takes, in inches.
inline constexpr double kMaxBassInches = 100.0;
}  // namespace fnm
